#include "FileSetTransaction.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <utility>

namespace {

const QString SetAsideFolderName = QStringLiteral("replaced");
const QString JournalDraftName = QStringLiteral("journal.draft");
const QString JournalFormat = QStringLiteral("halvorn file set 1");

QString pathIn(const QString& folder, const QString& name)
{
    return QDir(folder).filePath(name);
}

// A name that leaves the folder is no name this program wrote.
bool isBareName(const QString& name)
{
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/');
}

} // namespace

FileSetTransaction::FileSetTransaction(QString folder, BackupFileOperations& files)
    : m_folder(std::move(folder))
    , m_files(files)
{ }

QString FileSetTransaction::stagingFolder() const
{
    return pathIn(m_folder, StagingFolderName);
}

QString FileSetTransaction::stagedPath(const QString& name) const
{
    return pathIn(stagingFolder(), name);
}

QString FileSetTransaction::setAsideFolder(const QString& stagingFolder)
{
    return pathIn(stagingFolder, SetAsideFolderName);
}

Outcome FileSetTransaction::prepare()
{
    QString why;
    if (m_files.makeFolder(setAsideFolder(stagingFolder()), &why))
        return Outcome::success();
    return Outcome::failed(QStringLiteral("the folder %1 could not be made: %2")
                               .arg(QDir::toNativeSeparators(stagingFolder()), why));
}

FileSetTransaction::Staged FileSetTransaction::stage(const QString& source, const QString& name,
    const QStringList& previous, QFileDevice::Permissions permissions)
{
    using CopyResult = BackupFileOperations::CopyResult;
    const QString staged = stagedPath(name);
    QByteArray checksum;
    QString reason;
    const CopyResult result = m_files.copy(source, staged, &checksum, &reason);
    if (result == CopyResult::Copied && m_files.checksum(staged) != checksum) {
        m_files.remove(staged);
        return { CopyResult::DestinationFailed,
            Outcome::failed(QStringLiteral("the copy differs from the original")) };
    }
    if (result != CopyResult::Copied) {
        m_files.remove(staged);
        return { result, Outcome::failed(reason) };
    }
    m_entries.removeIf([&](const Entry& entry) { return entry.name == name; });
    m_entries.append({ name, previous, checksum, permissions });
    return {};
}

Outcome FileSetTransaction::stageBytes(const QString& name, const QByteArray& bytes,
    const QStringList& previous, QFileDevice::Permissions permissions)
{
    const QString staged = stagedPath(name);
    const QByteArray checksum = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
    if (!m_files.writeFile(staged, bytes) || m_files.checksum(staged) != checksum) {
        m_files.remove(staged);
        return Outcome::failed(
            QStringLiteral("%1 could not be written").arg(QDir::toNativeSeparators(staged)));
    }
    m_entries.removeIf([&](const Entry& entry) { return entry.name == name; });
    m_entries.append({ name, previous, checksum, permissions });
    return Outcome::success();
}

Outcome FileSetTransaction::restage(const QString& name, const QByteArray& bytes)
{
    const auto entry = std::find_if(m_entries.begin(), m_entries.end(),
        [&](const Entry& staged) { return staged.name == name; });
    if (entry == m_entries.end())
        return Outcome::failed(QStringLiteral("%1 was not staged").arg(name));
    if (!m_files.writeFile(stagedPath(name), bytes))
        return Outcome::failed(QStringLiteral("%1 could not be written").arg(name));
    entry->checksum = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
    return Outcome::success();
}

QStringList FileSetTransaction::stagedNames() const
{
    QStringList names;
    for (const Entry& entry : m_entries)
        names.append(entry.name);
    return names;
}

Outcome FileSetTransaction::commit()
{
    if (m_entries.isEmpty()) {
        discard();
        return Outcome::success();
    }
    const QString staging = stagingFolder();
    for (const Entry& entry : std::as_const(m_entries)) {
        if (!m_files.exists(stagedPath(entry.name))) {
            discard();
            return Outcome::failed(QStringLiteral("the copy of %1 is gone").arg(entry.name));
        }
        if (entry.permissions != BackupFileOperations::OwnerOnly
            && !m_files.setPermissions(stagedPath(entry.name), entry.permissions)) {
            discard();
            return Outcome::failed(
                QStringLiteral("%1 could not be given its permissions").arg(entry.name));
        }
    }
    // The journal is written beside the copies and renamed into place, so
    // that it exists whole or not at all; once it is there, the run counts
    // as done and recover() finishes it.
    const QString draft = pathIn(staging, JournalDraftName);
    const QString journal = pathIn(m_folder, JournalFileName);
    if (!m_files.syncFolder(staging) || !m_files.writeFile(draft, journalBytes(m_entries))
        || !m_files.rename(draft, journal) || !m_files.syncFolder(m_folder)) {
        m_files.remove(journal);
        discard();
        return Outcome::failed(
            QStringLiteral("%1 could not be written").arg(QDir::toNativeSeparators(journal)));
    }
    if (!rollForward(m_folder, m_entries, m_files)) {
        rollBack(m_folder, m_entries, m_files);
        cleanUp(m_folder, m_files);
        m_entries.clear();
        return Outcome::failed(QStringLiteral("the new files could not be put in place"));
    }
    cleanUp(m_folder, m_files);
    m_entries.clear();
    return Outcome::success();
}

void FileSetTransaction::discard()
{
    m_files.removeFolder(stagingFolder());
    m_entries.clear();
}

bool FileSetTransaction::rollForward(
    const QString& folder, const QList<Entry>& entries, BackupFileOperations& files)
{
    const QString staging = pathIn(folder, StagingFolderName);
    const QString setAside = setAsideFolder(staging);
    for (const Entry& entry : entries) {
        const QString staged = pathIn(staging, entry.name);
        // Already in place from an earlier attempt.
        if (!files.exists(staged))
            continue;
        for (const QString& previous : entry.previous) {
            const QString live = pathIn(folder, previous);
            if (files.exists(live) && !files.exists(pathIn(setAside, previous))
                && !files.rename(live, pathIn(setAside, previous)))
                return false;
        }
        if (!files.rename(staged, pathIn(folder, entry.name)))
            return false;
    }
    return files.syncFolder(folder);
}

void FileSetTransaction::rollBack(
    const QString& folder, const QList<Entry>& entries, BackupFileOperations& files)
{
    const QString staging = pathIn(folder, StagingFolderName);
    const QString setAside = setAsideFolder(staging);
    for (const Entry& entry : entries) {
        const QString live = pathIn(folder, entry.name);
        // A new file already in place goes. With a set-aside file still
        // waiting, or none to wait for, what stands there is the new one;
        // otherwise it is an old one that an earlier attempt put back (and
        // may hold the same bytes).
        const bool oldOneWaits = entry.previous.isEmpty()
            || std::any_of(entry.previous.cbegin(), entry.previous.cend(),
                [&](const QString& previous) { return files.exists(pathIn(setAside, previous)); });
        if (!files.exists(pathIn(staging, entry.name)) && oldOneWaits
            && files.checksum(live) == entry.checksum)
            files.remove(live);
        for (const QString& previous : entry.previous) {
            if (files.exists(pathIn(setAside, previous)))
                files.rename(pathIn(setAside, previous), pathIn(folder, previous));
        }
    }
    files.syncFolder(folder);
}

bool FileSetTransaction::cleanUp(const QString& folder, BackupFileOperations& files)
{
    return files.removeFolder(pathIn(folder, StagingFolderName))
        && files.remove(pathIn(folder, JournalFileName)) && files.syncFolder(folder);
}

bool FileSetTransaction::hasUnfinishedRun(const QString& folder)
{
    return QFileInfo::exists(pathIn(folder, JournalFileName))
        || QFileInfo(pathIn(folder, StagingFolderName)).isDir();
}

FileSetTransaction::RecoveryOutcome FileSetTransaction::recover(
    const QString& folder, BackupFileOperations& files)
{
    const QString journal = pathIn(folder, JournalFileName);
    const QString staging = pathIn(folder, StagingFolderName);
    const QString shown = QDir::toNativeSeparators(folder);
    if (!files.exists(journal)) {
        if (!QFileInfo(staging).isDir())
            return {};
        // Copies never committed: nothing of the folder was touched yet.
        if (!files.removeFolder(staging))
            return { Recovery::Failed,
                QStringLiteral("The unfinished copies in %1 could not be removed.")
                    .arg(QDir::toNativeSeparators(staging)) };
        return { Recovery::Discarded,
            QStringLiteral("An interrupted backup or restore in %1 had not yet changed any file; "
                           "its copies were removed.")
                .arg(shown) };
    }

    bool read = false;
    QList<Entry> entries;
    if (!parseJournal(files.readFile(journal, &read), entries) || !read)
        return { Recovery::Failed,
            QStringLiteral("%1 cannot be read, so an interrupted backup or restore in %2 can be "
                           "neither finished nor undone; no file was changed.")
                .arg(JournalFileName, shown) };

    // The run can be finished when each new file is whole, staged or in place.
    const bool finishable = std::all_of(entries.cbegin(), entries.cend(), [&](const Entry& entry) {
        const QString staged = pathIn(staging, entry.name);
        return files.checksum(files.exists(staged) ? staged : pathIn(folder, entry.name))
            == entry.checksum;
    });
    if (finishable && rollForward(folder, entries, files) && cleanUp(folder, files))
        return { Recovery::Finished,
            QStringLiteral("An interrupted backup or restore in %1 was finished.").arg(shown) };
    rollBack(folder, entries, files);
    if (!cleanUp(folder, files))
        return {
            Recovery::Failed,
            QStringLiteral("An interrupted backup or restore in %1 could not be undone.").arg(shown)
        };
    return { Recovery::RolledBack,
        QStringLiteral("An interrupted backup or restore in %1 was undone: its copies were "
                       "damaged, and every file is as it was before it.")
            .arg(shown) };
}

QByteArray FileSetTransaction::journalBytes(const QList<Entry>& entries)
{
    QJsonArray list;
    for (const Entry& entry : entries)
        list.append(QJsonObject {
            { QStringLiteral("name"), entry.name },
            { QStringLiteral("previous"), QJsonArray::fromStringList(entry.previous) },
            { QStringLiteral("sha256"), QString::fromLatin1(entry.checksum.toHex()) },
        });
    return QJsonDocument(QJsonObject {
                             { QStringLiteral("format"), JournalFormat },
                             { QStringLiteral("files"), list },
                         })
        .toJson();
}

bool FileSetTransaction::parseJournal(const QByteArray& bytes, QList<Entry>& entries)
{
    QJsonParseError error;
    const QJsonObject root = QJsonDocument::fromJson(bytes, &error).object();
    if (error.error != QJsonParseError::NoError
        || root.value(QStringLiteral("format")).toString() != JournalFormat)
        return false;
    for (const QJsonValue& value : root.value(QStringLiteral("files")).toArray()) {
        const QJsonObject file = value.toObject();
        Entry entry;
        entry.name = file.value(QStringLiteral("name")).toString();
        for (const QJsonValue& previous : file.value(QStringLiteral("previous")).toArray())
            entry.previous.append(previous.toString());
        entry.checksum
            = QByteArray::fromHex(file.value(QStringLiteral("sha256")).toString().toLatin1());
        if (!isBareName(entry.name) || entry.checksum.isEmpty()
            || !std::all_of(entry.previous.cbegin(), entry.previous.cend(), isBareName))
            return false;
        entries.append(entry);
    }
    return true;
}
