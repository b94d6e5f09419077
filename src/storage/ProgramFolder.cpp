#include "ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <dirent.h>
#include <strings.h>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

// Any entry of the folder counts, a link that points nowhere included:
// writing a new file of that name would follow the link and create its
// target, wherever that is.
bool entryExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

bool isAscii(const char* text)
{
    for (; *text; ++text) {
        if (static_cast<unsigned char>(*text) >= 0x80)
            return false;
    }
    return true;
}

// The entry of the folder that equals bareName in any letter case, the first
// in code-point order when there are several. The names are compared as the
// system gives them, without looking at any entry: a folder of thousands of
// files is scanned in well under a millisecond, so writing a new file for
// each of them stays cheap.
QString entryInAnyCase(const QString& folder, const QString& bareName)
{
    const QByteArray wanted = QFile::encodeName(bareName);
    const bool wantedIsAscii = isAscii(wanted.constData());
    DIR* directory = ::opendir(QFile::encodeName(folder.isEmpty() ? u"."_s : folder).constData());
    if (!directory)
        return {};
    QString found;
    while (const dirent* entry = ::readdir(directory)) {
        const bool match = wantedIsAscii && isAscii(entry->d_name)
            ? ::strcasecmp(entry->d_name, wanted.constData()) == 0
            : QFile::decodeName(entry->d_name).compare(bareName, Qt::CaseInsensitive) == 0;
        if (!match)
            continue;
        const QString name = QFile::decodeName(entry->d_name);
        if (found.isEmpty() || name < found)
            found = name;
    }
    ::closedir(directory);
    return found;
}

QString matchingEntry(const QString& folder, const QString& bareName)
{
    const QDir dir(folder);
    // An exact match wins, so that two entries differing only in case (which
    // the old file system could not hold) still resolve predictably.
    if (entryExists(dir.filePath(bareName)))
        return dir.filePath(bareName);
    const QString entry = entryInAnyCase(folder, bareName);
    return dir.filePath(entry.isEmpty() ? bareName : entry);
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
