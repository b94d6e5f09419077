#include "BackupTarget.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool isSeparator(QChar c)
{
    return c == u'/' || c == u'\\';
}

QString cleanAbsolute(const QString& folder)
{
    return QDir::cleanPath(QDir(QDir::fromNativeSeparators(folder.trimmed())).absolutePath());
}

} // namespace

QString BackupTarget::targetPath(const QString& folder)
{
    QString path = folder;
    // A root is its separator: "/" and "A:\" stay as they are.
    while (path.size() > 1 && isSeparator(path.back()) && isSeparator(path.at(path.size() - 2)))
        path.chop(1);
    if (!path.isEmpty() && isSeparator(path.back()))
        return path;
    const bool backslashes = path.contains(u'\\') && !path.contains(u'/');
    return path + (backslashes ? u'\\' : u'/');
}

bool BackupTarget::isProgramFolder(const QString& folder, const ProgramFolder& programFolder)
{
    if (cleanAbsolute(folder).compare(cleanAbsolute(programFolder.path()), Qt::CaseInsensitive)
        == 0)
        return true;
    const QString canonical = QFileInfo(folder.trimmed()).canonicalFilePath();
    return !canonical.isEmpty()
        && canonical.compare(
               QFileInfo(programFolder.path()).canonicalFilePath(), Qt::CaseInsensitive)
        == 0;
}
