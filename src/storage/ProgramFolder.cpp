#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <utility>

ProgramFolder::ProgramFolder(QString path)
    : m_path(std::move(path))
{ }

namespace {

// Any entry of the folder counts, a link that points nowhere included:
// writing a new file of that name would follow the link and create its
// target, wherever that is.
bool entryExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

ProgramFolder ProgramFolder::ofApplication()
{
    return ProgramFolder(QCoreApplication::applicationDirPath());
}

QString ProgramFolder::filePath(const QString& bareName) const
{
    const QDir dir(m_path);
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

bool ProgramFolder::exists(const QString& bareName) const
{
    return entryExists(filePath(bareName));
}
