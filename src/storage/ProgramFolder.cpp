#include "ProgramFolder.h"

#include <QDir>
#include <QFileInfo>

#include <utility>

namespace {

// Any entry of the folder counts, a link that points nowhere included:
// writing a new file of that name would follow the link and create its
// target, wherever that is.
bool entryExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QString matchingEntry(const QString& folder, const QString& bareName)
{
    const QDir dir(folder);
    // An exact match wins, so that two entries differing only in case (which
    // the old file system could not hold) still resolve predictably.
    if (entryExists(dir.filePath(bareName)))
        return dir.filePath(bareName);
    const QStringList entries = dir.entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(bareName, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return dir.filePath(bareName);
}

} // namespace

ProgramFolder::ProgramFolder(QString path)
    : m_path(std::move(path))
    , m_shippedFilesPath(m_path)
{ }

ProgramFolder::ProgramFolder(QString path, QString shippedFilesPath)
    : m_path(std::move(path))
    , m_shippedFilesPath(std::move(shippedFilesPath))
{ }

QString ProgramFolder::filePath(const QString& bareName) const
{
    return matchingEntry(m_path, bareName);
}

bool ProgramFolder::exists(const QString& bareName) const
{
    return entryExists(filePath(bareName));
}

QString ProgramFolder::shippedFilePath(const QString& bareName) const
{
    return matchingEntry(m_shippedFilesPath, bareName);
}
