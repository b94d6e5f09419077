#include "BackupTarget.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <filesystem>
#include <system_error>

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
    // The same folder by another path (a link, a bind mount, another
    // spelling on a disk that ignores case) is the same device and inode.
    return isSameEntry(folder.trimmed(), programFolder.path());
}

bool BackupTarget::isWithinProgramFolder(const QString& folder, const ProgramFolder& programFolder)
{
    // Through links: the folder as it is reached.
    const QString canonical = QFileInfo(cleanAbsolute(folder)).canonicalFilePath();
    QString path = canonical.isEmpty() ? cleanAbsolute(folder) : canonical;
    for (;;) {
        if (isProgramFolder(path, programFolder))
            return true;
        const QString parent = QFileInfo(path).path();
        if (parent == path)
            return false;
        path = parent;
    }
}

bool BackupTarget::isSameEntry(const QString& first, const QString& second)
{
    std::error_code error;
    return std::filesystem::equivalent(
        std::filesystem::path(QFile::encodeName(first).toStdString()),
        std::filesystem::path(QFile::encodeName(second).toStdString()), error);
}

bool BackupTarget::isInProgramFolder(const QString& file, const ProgramFolder& programFolder)
{
    const QFileInfo info(file);
    // An existing file, through every link and hard link: any entry of the
    // program folder that is the same file.
    if (info.exists()) {
        const QDir folder(programFolder.path());
        const QStringList entries = folder.entryList(QDir::Files | QDir::Hidden | QDir::System);
        return std::any_of(entries.cbegin(), entries.cend(),
            [&](const QString& entry) { return isSameEntry(file, folder.filePath(entry)); });
    }
    // A new file, or the one a dangling link would create, is refused where
    // it would be taken for one of the program's data files.
    const QFileInfo landing(info.isSymLink() ? info.symLinkTarget() : info.absoluteFilePath());
    const QString suffix = landing.suffix();
    return isProgramFolder(landing.absolutePath(), programFolder)
        && (suffix.compare(u"Fil", Qt::CaseInsensitive) == 0
            || suffix.compare(u"Fpl", Qt::CaseInsensitive) == 0);
}
