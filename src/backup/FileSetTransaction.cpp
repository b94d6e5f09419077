#include "FileSetTransaction.h"

#include "UnfollowedFolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

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
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/')
        && !name.contains(u'\\');
}

// The journal's own checksum covers the list of files exactly as written.
QString checksumOfFiles(const QJsonArray& files)
{
    return QString::fromLatin1(QCryptographicHash::hash(
        QJsonDocument(files).toJson(QJsonDocument::Compact), QCryptographicHash::Sha256)
                                   .toHex());
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
    // The staging folder and the one inside it are made by this program, or
    // nothing is staged: copies written through a link would land outside.
    if (m_files.makeFolder(setAsideFolder(stagingFolder()), &why)
        && UnfollowedFolder(m_folder).folder(StagingFolderName).folder(SetAsideFolderName).isOpen())
        return Outcome::success();
    if (why.isEmpty())
        why = QStringLiteral("%1 is not a folder of its own").arg(StagingFolderName);
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

void FileSetTransaction::alsoReplace(const QString& name, const QStringList& previous)
{
    for (Entry& entry : m_entries) {
        if (entry.name != name)
            continue;
        for (const QString& file : previous) {
            if (!entry.previous.contains(file))
                entry.previous.append(file);
        }
    }
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
    // Links count: a link in either place is settled, which refuses it.
    const UnfollowedFolder top(folder);
    return top.kindOf(JournalFileName) != UnfollowedFolder::Kind::Missing
        || top.kindOf(StagingFolderName) != UnfollowedFolder::Kind::Missing;
}

QString FileSetTransaction::refusalOfStagingFolder(
    const UnfollowedFolder& top, const QList<Entry>* journal)
{
    const auto isNot = [](const QString& name, UnfollowedFolder::Kind kind) {
        return QStringLiteral("%1 is %2").arg(name, UnfollowedFolder::kindName(kind));
    };
    if (const UnfollowedFolder::Kind kind = top.kindOf(JournalFileName);
        kind != UnfollowedFolder::Kind::Missing && kind != UnfollowedFolder::Kind::File)
        return isNot(JournalFileName, kind);
    QSet<QString> stagedNames;
    QSet<QString> replacedNames;
    if (journal) {
        for (const Entry& entry : *journal) {
            stagedNames.insert(entry.name);
            for (const QString& previous : entry.previous)
                replacedNames.insert(previous);
        }
        // The files the journal replaces in the folder itself are moved by
        // their names: a link there would be moved as well as any file.
        for (const QString& name : stagedNames + replacedNames) {
            if (const UnfollowedFolder::Kind kind = top.kindOf(name);
                kind != UnfollowedFolder::Kind::Missing && kind != UnfollowedFolder::Kind::File)
                return isNot(name, kind);
        }
    }
    const UnfollowedFolder::Kind stagingKind = top.kindOf(StagingFolderName);
    if (stagingKind == UnfollowedFolder::Kind::Missing)
        return {};
    const UnfollowedFolder staging = top.folder(StagingFolderName);
    if (stagingKind != UnfollowedFolder::Kind::Folder || !staging.isOpen())
        return isNot(StagingFolderName, stagingKind);
    if (!staging.isOwnedByUs())
        return QStringLiteral("%1 belongs to another user").arg(StagingFolderName);
    const QString setAsideShown = StagingFolderName + u'/' + SetAsideFolderName;
    for (const UnfollowedFolder::Entry& entry : staging.entries()) {
        const QString shown = StagingFolderName + u'/' + entry.name;
        if (entry.name == SetAsideFolderName) {
            if (entry.kind != UnfollowedFolder::Kind::Folder)
                return isNot(shown, entry.kind);
            continue;
        }
        if (entry.name == DraftsFolderName) {
            if (entry.kind != UnfollowedFolder::Kind::Folder)
                return isNot(shown, entry.kind);
            const UnfollowedFolder drafts = staging.folder(DraftsFolderName);
            if (!drafts.isOpen() || !drafts.isOwnedByUs())
                return isNot(shown, entry.kind);
            for (const UnfollowedFolder::Entry& draft : drafts.entries()) {
                if (draft.kind != UnfollowedFolder::Kind::File)
                    return isNot(shown + u'/' + draft.name, draft.kind);
            }
            continue;
        }
        if (entry.kind != UnfollowedFolder::Kind::File)
            return isNot(shown, entry.kind);
        if (journal && entry.name != JournalDraftName && !stagedNames.contains(entry.name))
            return QStringLiteral("%1 holds %2, which %3 did not stage")
                .arg(StagingFolderName, entry.name, JournalFileName);
    }
    if (staging.kindOf(SetAsideFolderName) == UnfollowedFolder::Kind::Missing)
        return {};
    const UnfollowedFolder setAside = staging.folder(SetAsideFolderName);
    if (!setAside.isOpen())
        return isNot(setAsideShown, staging.kindOf(SetAsideFolderName));
    if (!setAside.isOwnedByUs())
        return QStringLiteral("%1 belongs to another user").arg(setAsideShown);
    for (const UnfollowedFolder::Entry& entry : setAside.entries()) {
        if (entry.kind != UnfollowedFolder::Kind::File)
            return isNot(setAsideShown + u'/' + entry.name, entry.kind);
        if (journal && !replacedNames.contains(entry.name))
            return QStringLiteral("%1 holds %2, which %3 did not set aside")
                .arg(setAsideShown, entry.name, JournalFileName);
    }
    return {};
}

FileSetTransaction::RecoveryOutcome FileSetTransaction::refuseRecovery(
    const QString& folder, const QString& why)
{
    return { Recovery::Failed,
        QStringLiteral("What an interrupted backup or restore left in %1 cannot be trusted (%2), "
                       "so it was neither finished nor undone and no file was changed. Remove "
                       "it by hand if you know where it came from.")
            .arg(QDir::toNativeSeparators(folder), why) };
}

FileSetTransaction::RecoveryOutcome FileSetTransaction::recover(
    const QString& folder, BackupFileOperations& files)
{
    const QString journal = pathIn(folder, JournalFileName);
    const QString staging = pathIn(folder, StagingFolderName);
    const QString shown = QDir::toNativeSeparators(folder);
    const UnfollowedFolder top(folder);
    if (top.kindOf(JournalFileName) == UnfollowedFolder::Kind::Missing) {
        if (top.kindOf(StagingFolderName) == UnfollowedFolder::Kind::Missing)
            return {};
        if (const QString why = refusalOfStagingFolder(top, nullptr); !why.isEmpty())
            return refuseRecovery(folder, why);
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

    if (const QString why = refusalOfStagingFolder(top, nullptr); !why.isEmpty())
        return refuseRecovery(folder, why);
    bool read = false;
    QList<Entry> entries;
    if (!parseJournal(files.readFile(journal, &read), entries) || !read)
        return { Recovery::Failed,
            QStringLiteral("%1 cannot be read, so an interrupted backup or restore in %2 can be "
                           "neither finished nor undone; no file was changed.")
                .arg(JournalFileName, shown) };
    if (const QString why = refusalOfStagingFolder(top, &entries); !why.isEmpty())
        return refuseRecovery(folder, why);

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
                             { QStringLiteral("checksum"), checksumOfFiles(list) },
                         })
        .toJson();
}

bool FileSetTransaction::parseJournal(const QByteArray& bytes, QList<Entry>& entries)
{
    QJsonParseError error;
    const QJsonObject root = QJsonDocument::fromJson(bytes, &error).object();
    const QJsonArray files = root.value(QStringLiteral("files")).toArray();
    // A journal that does not match its own checksum was changed or cut
    // after it was written: nothing it says is acted on.
    if (error.error != QJsonParseError::NoError
        || root.value(QStringLiteral("format")).toString() != JournalFormat
        || root.value(QStringLiteral("checksum")).toString() != checksumOfFiles(files))
        return false;
    for (const QJsonValue& value : files) {
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
