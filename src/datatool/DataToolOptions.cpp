#include "DataToolOptions.h"

#include "backup/BackupTarget.h"
#include "storage/ProgramFolder.h"

DataToolOptions::Kind DataToolOptions::kindAt(qsizetype index) const
{
    const QString word = positional.value(index);
    if (word == u"weight")
        return Kind::Weight;
    if (word == u"bp")
        return Kind::BloodPressure;
    if (word == u"passwords")
        return Kind::Passwords;
    return Kind::Unknown;
}

bool DataToolOptions::overwritesProgramFile() const
{
    // An export written over one of the program's own files would destroy
    // the data it came from, whatever path leads there.
    return BackupTarget::isInProgramFolder(output, ProgramFolder(folder));
}
