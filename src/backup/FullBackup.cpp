#include "FullBackup.h"

#include "BackupContents.h"
#include "BackupFileOperations.h"
#include "BackupManifest.h"
#include "BackupTarget.h"
#include "DatedBackups.h"
#include "FileSetTransaction.h"
#include "UnfollowedFolder.h"
#include "services/ProgramInfo.h"
#include "storage/LockFileClaim.h"
#include "trackers/IndividualList.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <algorithm>
#include <functional>
#include <utility>

using FilePair = BackupFileSet::FilePair;

namespace {

// Health logs and passwords alike: the dated folders are their owner's only.
constexpr auto OwnerOnlyFolder
    = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

// A minute may already hold a backup; a few more names are tried.
constexpr int NameAttempts = 100;

} // namespace

FullBackup::FullBackup(
    ProgramFolder programFolder, BackupFileOperations& files, const BackupFileSets& sets)
    : m_programFolder(std::move(programFolder))
    , m_files(files)
    , m_sets(sets)
{ }

QString FullBackup::refusalOfFolder(const QString& parent) const
{
    if (parent.trimmed().isEmpty())
        return QStringLiteral("No backup folder was given.");
    if (BackupTarget::isWithinProgramFolder(parent, m_programFolder))
        return QStringLiteral("%1 is the Halvorn program folder or lies inside it; a backup "
                              "there would be lost with the files it copies.")
            .arg(QDir::toNativeSeparators(parent));
    return {};
}

bool FullBackup::inScope(const BackupFileSet& set) const
{
    return m_scope.kinds.isEmpty() || m_scope.kinds.contains(set.backupKind)
        || m_scope.kinds.contains(set.restoreKind);
}

QList<FilePair> FullBackup::filesToCopy(QStringList& notes) const
{
    QList<FilePair> pairs;
    for (const BackupFileSet& set : m_sets.all()) {
        if (!inScope(set))
            continue;
        if (!set.isTracker()) {
            // The two password files belong together; one alone is no set.
            // A protected keeper is its vault alone.
            const QList<FilePair> fixed = set.presentFixedFiles(
                [this](const QString& name) { return m_programFolder.exists(name); }, false);
            if (m_programFolder.exists(fixed.at(0).liveName)) {
                for (const FilePair& files : fixed) {
                    if (m_programFolder.exists(files.liveName))
                        pairs.append(files);
                    else
                        notes.append(QStringLiteral("%1: not found in the program folder")
                                         .arg(files.liveName));
                }
            }
            continue;
        }
        if (!m_programFolder.exists(set.listFiles.liveName))
            continue;
        pairs.append(set.listFiles);
        IndividualList list(set.listFiles.liveName, set.dataExtension);
        if (const ::Outcome loaded = list.load(m_programFolder); !loaded)
            notes.append(loaded.reason);
        for (const QString& name : list.names()) {
            if (const QString reason = set.refusalOfListedName(name); !reason.isEmpty()) {
                notes.append(QStringLiteral("%1: skipped, %2").arg(name, reason));
                continue;
            }
            const FilePair files = set.individualFiles(name);
            if (m_programFolder.exists(files.liveName))
                pairs.append(files);
            else
                notes.append(
                    QStringLiteral("%1: not found in the program folder").arg(files.liveName));
        }
    }
    for (const FilePair& files : BackupFileSets::settingsFiles()) {
        if (m_scope.settings && m_programFolder.exists(files.liveName))
            pairs.append(files);
    }
    return pairs;
}

QString FullBackup::makeDatedFolder(const QString& parent, const QDateTime& when, QString* reason)
{
    if (!m_files.makeFolder(parent, reason))
        return {};
    for (int attempt = 1; attempt <= NameAttempts; ++attempt) {
        const QString folder = QDir(parent).filePath(DatedBackups::folderName(
            when, attempt, m_scope.beforeRestore ? DatedBackups::BeforeRestoreSuffix : QString()));
        if (QFileInfo::exists(folder) || QFileInfo(folder).isSymLink())
            continue;
        if (!m_files.makeFolder(folder, reason))
            return {};
        QFile::setPermissions(folder, OwnerOnlyFolder);
        return folder;
    }
    if (reason)
        *reason = QStringLiteral("every name for this minute is taken");
    return {};
}

QString FullBackup::programFolderId(const ProgramFolder& folder)
{
    const QString canonical = QFileInfo(folder.path()).canonicalFilePath();
    const QByteArray identity = QSysInfo::machineUniqueId() + '\n'
        + QFile::encodeName(canonical.isEmpty() ? QDir(folder.path()).absolutePath() : canonical);
    return QString::fromLatin1(
        QCryptographicHash::hash(identity, QCryptographicHash::Sha256).toHex());
}

bool FullBackup::isOwnUnfinished(const QString& folder) const
{
    QStringList fixedNames { BackupManifest::FileName + QStringLiteral(".draft"),
        FileSetTransaction::JournalFileName };
    QStringList extensions;
    for (const BackupFileSet& set : m_sets.all()) {
        for (const FilePair& files : set.fixedFiles + set.protectedFiles)
            fixedNames.append(files.backupName);
        if (set.isTracker()) {
            fixedNames.append(set.listFiles.backupName);
            extensions.append(set.backupExtension);
        }
    }
    for (const FilePair& files : BackupFileSets::settingsFiles())
        fixedNames.append(files.backupName);
    const auto isBackupName = [&](const QString& name) {
        return fixedNames.contains(name, Qt::CaseInsensitive)
            || std::any_of(extensions.cbegin(), extensions.cend(), [&](const QString& extension) {
                   return name.endsWith(extension, Qt::CaseInsensitive);
               });
    };
    // Files, and the staging folder with the one folder inside it.
    const std::function<bool(const UnfollowedFolder&, int)> holdsOnlyOwn
        = [&](const UnfollowedFolder& dir, int depth) {
              if (!dir.isOpen() || !dir.isOwnedByUs())
                  return false;
              const QList<UnfollowedFolder::Entry> entries = dir.entries();
              return std::all_of(entries.cbegin(), entries.cend(), [&](const auto& entry) {
                  if (entry.kind == UnfollowedFolder::Kind::Folder)
                      return depth < 2
                          && entry.name
                          == (depth == 0 ? FileSetTransaction::StagingFolderName
                                         : QStringLiteral("replaced"))
                          && holdsOnlyOwn(dir.folder(entry.name), depth + 1);
                  return entry.kind == UnfollowedFolder::Kind::File
                      && (depth > 0 || isBackupName(entry.name));
              });
          };
    const QFileInfo info(folder);
    return !info.isSymLink() && holdsOnlyOwn(UnfollowedFolder(folder), 0);
}

FullBackup::Outcome FullBackup::run(const QString& parent, const QDateTime& when, int keep)
{
    Outcome outcome;
    if (outcome.failure = refusalOfFolder(parent); !outcome.failure.isEmpty())
        return outcome;
    const QString absolute = QDir(parent).absolutePath();
    QString reason;
    if (!m_files.makeFolder(absolute, &reason)) {
        outcome.failure = QStringLiteral("The backup folder %1 could not be made: %2")
                              .arg(QDir::toNativeSeparators(parent), reason);
        return outcome;
    }
    LockFileClaim lock(QDir(absolute).filePath(LockFileName));
    switch (lock.claim(m_lockWait)) {
    case LockFileClaim::Outcome::Acquired:
        break;
    case LockFileClaim::Outcome::InUse:
        outcome.failure = QStringLiteral("Another backup is being written into %1; try again when "
                                         "it is done.")
                              .arg(QDir::toNativeSeparators(parent));
        return outcome;
    case LockFileClaim::Outcome::Failed:
        outcome.failure
            = QStringLiteral("The backup folder %1 cannot be locked: %2")
                  .arg(QDir::toNativeSeparators(parent),
                      lock.failure().isEmpty() ? QStringLiteral("the system gives no reason")
                                               : lock.failure());
        return outcome;
    }
    outcome = runLocked(absolute, when, keep);
    if (!lock.note().isEmpty())
        outcome.keepingNotes.prepend(lock.note());
    return outcome;
}

FullBackup::Outcome FullBackup::runLocked(const QString& parent, const QDateTime& when, int keep)
{
    Outcome outcome;
    const QList<FilePair> pairs = filesToCopy(outcome.notes);
    // Before a restore into an empty folder there is nothing to keep but
    // the names of the files the restore will create.
    if (pairs.isEmpty() && !m_scope.beforeRestore) {
        outcome.failure = QStringLiteral("There are currently no files to Backup!");
        return outcome;
    }
    QString reason;
    const QString folder = makeDatedFolder(QDir(parent).absolutePath(), when, &reason);
    if (folder.isEmpty()) {
        outcome.failure = QStringLiteral("The backup folder could not be made in %1: %2")
                              .arg(QDir::toNativeSeparators(parent), reason);
        return outcome;
    }
    const auto fail = [&](const QString& why) {
        m_files.removeFolder(folder);
        outcome.failure = why;
        outcome.copied.clear();
        return outcome;
    };

    // The copies are staged and checked against what was read, and put in
    // place together; the manifest then names what is there.
    FileSetTransaction transaction(folder, m_files);
    if (::Outcome prepared = transaction.prepare(); !prepared)
        return fail(prepared.reason);
    for (const FilePair& files : pairs) {
        const FileSetTransaction::Staged staged
            = transaction.stage(m_programFolder.filePath(files.liveName), files.backupName, {},
                BackupFileOperations::OwnerOnly);
        if (!staged.outcome) {
            transaction.discard();
            return fail(QStringLiteral("%1 could not be backed up: %2")
                            .arg(files.liveName, staged.outcome.reason));
        }
    }
    BackupManifest manifest;
    manifest.made = when;
    manifest.programVersion = ProgramInfo::version();
    manifest.programFolderId = programFolderId(m_programFolder);
    manifest.beforeRestore = m_scope.beforeRestore;
    manifest.created = m_scope.created;
    {
        QHash<QString, FunctionContents> contents
            = BackupContents::describe(m_sets, m_programFolder);
        for (const BackupFileSet& set : m_sets.all()) {
            if (!inScope(set))
                contents.remove(set.contentsKey);
        }
        manifest.contents = BackupContents::toJson(contents);
    }
    for (const QString& name : transaction.stagedNames()) {
        const QString staged = transaction.stagedPath(name);
        manifest.files.append({ name, QFileInfo(staged).size(), m_files.checksum(staged) });
    }
    if (::Outcome committed = transaction.commit(); !committed)
        return fail(QStringLiteral("The backup could not be completed: %1").arg(committed.reason));
    if (!manifest.write(folder, m_files))
        return fail(QStringLiteral("The backup's manifest could not be written in %1")
                        .arg(QDir::toNativeSeparators(folder)));

    outcome.completed = true;
    outcome.folder = folder;
    for (const BackupManifest::File& file : std::as_const(manifest.files))
        outcome.copied.append(file.name);
    if (m_scope.beforeRestore)
        return outcome;
    const DatedBackups::Keeping keeping { keep, folder, manifest.programFolderId, when,
        [this](const QString& unfinished) { return isOwnUnfinished(unfinished); } };
    const DatedBackups::Pruning pruning = DatedBackups::keepNewest(parent, keeping, m_files);
    outcome.removed = pruning.removed;
    outcome.keepingNotes = pruning.notes;
    return outcome;
}
