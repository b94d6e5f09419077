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

QList<BackupFileSet::FilePair> BackupFileSet::presentFixedFiles(
    const std::function<bool(const QString&)>& exists, bool backupNames) const
{
    if (protectedFiles.isEmpty())
        return fixedFiles;
    const FilePair& first = protectedFiles.first();
    return exists(backupNames ? first.backupName : first.liveName) ? protectedFiles : fixedFiles;
}

QStringList BackupFileSet::otherFormNames(const FilePair& files, bool backupNames) const
{
    const QList<FilePair>* other = nullptr;
    if (!fixedFiles.isEmpty() && files == fixedFiles.first())
        other = &protectedFiles;
    else if (!protectedFiles.isEmpty() && files == protectedFiles.first())
        other = &fixedFiles;
    QStringList names;
    if (other) {
        for (const FilePair& pair : *other)
            names.append(backupNames ? pair.backupName : pair.liveName);
    }
    return names;
}
