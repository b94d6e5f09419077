#include "BackupFileSet.h"

#include "trackers/IndividualName.h"

BackupFileSet::FilePair BackupFileSet::individualFiles(const QString& name) const
{
    return { IndividualName::dataFileName(name, dataExtension),
        IndividualName::dataFileName(name, backupExtension) };
}

QString BackupFileSet::refusalOfListedName(const QString& name) const
{
    if (QString reason = IndividualName::pathRefusal(name); !reason.isEmpty())
        return reason;
    const FilePair files = individualFiles(name);
    if (files.backupName.compare(listFiles.backupName, Qt::CaseInsensitive) == 0
        || IndividualName::isProgramFileName(name))
        return QStringLiteral("\"%1\" is the name of one of the program's own files.")
            .arg(name.trimmed());
    return {};
}
