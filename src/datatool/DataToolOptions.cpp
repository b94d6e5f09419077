#include "DataToolOptions.h"

#include "backup/BackupTarget.h"
#include "storage/ProgramFolder.h"

#include <QFileInfo>

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

bool DataToolOptions::writesIntoProgramFolder() const
{
    const ProgramFolder program(folder);
    // An existing file, through every link and hard link.
    if (BackupTarget::isInProgramFolder(output, program))
        return true;
    // A new file anywhere inside the program folder, by whatever path: under
    // the name of a program file not made yet (the lock, the vault) it would
    // block or break the program, and under any name it would leave the
    // passwords of an export in clear among the data files.
    const QFileInfo info(output);
    const QFileInfo landing(info.isSymLink() ? info.symLinkTarget() : info.absoluteFilePath());
    return BackupTarget::isWithinProgramFolder(landing.absolutePath(), program);
}
