#include "FullRestore.h"

#include "BackupContents.h"
#include "BackupFileOperations.h"
#include "BackupManifest.h"
#include "BackupTarget.h"
#include "FileSetTransaction.h"
#include "RestoreLoss.h"
#include "SafetyBackup.h"
#include "trackers/IndividualList.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>

#include <utility>

using FilePair = BackupFileSet::FilePair;

FullRestore::FullRestore(
    ProgramFolder programFolder, BackupFileOperations& files, const BackupFileSets& sets)
    : m_programFolder(std::move(programFolder))
    , m_files(files)
    , m_sets(sets)
{ }

bool FullRestore::start(const QString& datedFolder, Result& result, BackupManifest& manifest)
{
    m_liveNames.clear();
    m_stagedFrom.clear();
    const QString shown = QDir::toNativeSeparators(datedFolder);
    if (!QFileInfo(datedFolder).isDir()) {
        result.refusal = QStringLiteral("There is no folder %1.").arg(shown);
        return false;
    }
    if (BackupTarget::isProgramFolder(datedFolder, m_programFolder)) {
        result.refusal = QStringLiteral("%1 is the Halvorn program folder itself.").arg(shown);
        return false;
    }
    QString reason;
    std::optional<BackupManifest> read = BackupManifest::read(datedFolder, m_files, &reason);
    if (!read) {
        result.refusal = reason.isEmpty()
            ? QStringLiteral("%1 has no manifest: it is an unfinished backup, or no backup of "
                             "everything, and is not restored.")
                  .arg(shown)
            : QStringLiteral("%1 cannot be restored: %2.").arg(shown, reason);
        return false;
    }
    manifest = std::move(*read);
    const ProgramFolder backup(datedFolder);
    for (const BackupManifest::File& file : std::as_const(manifest.files)) {
        if (!backup.exists(file.name))
            result.damaged.append(
                QStringLiteral("%1: named in the manifest but missing").arg(file.name));
    }
    for (const QString& name : m_files.fileNames(m_programFolder.path()))
        m_liveNames[name.toLower()].append(name);
    m_pendingRemovals.clear();
    if (manifest.beforeRestore) {
        for (const QString& name : std::as_const(manifest.created))
            m_pendingRemovals += m_liveNames.value(name.toLower());
        result.removed = m_pendingRemovals;
    }
    return true;
}

bool FullRestore::stageOne(FileSetTransaction& transaction, const QString& datedFolder,
    const BackupManifest& manifest, const FilePair& files, bool secret, Result& result,
    const QStringList& alsoReplaced)
{
    const QString source = ProgramFolder(datedFolder).filePath(files.backupName);
    if (!m_files.exists(source))
        return false;
    const QString sourceName = QFileInfo(source).fileName();
    // The file keeps the spelling it has in the program folder.
    const QStringList previous = m_liveNames.value(files.liveName.toLower());
    const QString name = previous.contains(files.liveName) || previous.isEmpty() ? files.liveName
                                                                                 : previous.first();
    const QString live = QDir(m_programFolder.path()).filePath(name);
    const QFileDevice::Permissions permissions = !secret && QFileInfo::exists(live)
        ? QFileInfo(live).permissions()
        : BackupFileOperations::OwnerOnly;
    QStringList replaced = previous.contains(name) ? QStringList { name } : QStringList {};
    for (const QString& other : alsoReplaced)
        replaced += m_liveNames.value(other.toLower());
    // Set aside with this file, the removals go or stay with the whole set.
    for (const QString& removal : std::as_const(m_pendingRemovals)) {
        if (!replaced.contains(removal))
            replaced.append(removal);
    }
    const FileSetTransaction::Staged staged
        = transaction.stage(source, name, replaced, permissions);
    const QString& reason = staged.outcome.reason;
    switch (staged.result) {
    case BackupFileOperations::CopyResult::Copied:
        break;
    case BackupFileOperations::CopyResult::SourceUnreadable:
        result.damaged.append(QStringLiteral("%1: could not be read (%2)").arg(sourceName, reason));
        return true;
    case BackupFileOperations::CopyResult::DestinationFailed:
        result.failure = QStringLiteral("%1 could not be copied into the program folder: %2")
                             .arg(sourceName, reason);
        return true;
    }
    m_pendingRemovals.clear();
    m_stagedFrom.insert(name, sourceName);
    result.files.append({ name, sourceName });
    const BackupManifest::File* listed = manifest.find(sourceName);
    if (!listed)
        result.damaged.append(QStringLiteral("%1: not named in the manifest").arg(sourceName));
    else if (m_files.checksum(transaction.stagedPath(name)) != listed->sha256)
        result.damaged.append(
            QStringLiteral("%1: differs from the manifest (its checksum disagrees)")
                .arg(sourceName));
    return true;
}

void FullRestore::stageAll(FileSetTransaction& transaction, const QString& datedFolder,
    const BackupManifest& manifest, Result& result)
{
    bool passwordsStaged = false;
    for (const BackupFileSet& set : m_sets.all()) {
        if (!result.failure.isEmpty())
            return;
        if (!set.isTracker()) {
            const ProgramFolder dated(datedFolder);
            const QList<FilePair> fixed = set.presentFixedFiles(
                [&dated](const QString& name) { return dated.exists(name); }, true);
            if (!dated.exists(fixed.at(0).backupName))
                continue;
            for (const FilePair& files : fixed) {
                if (!stageOne(transaction, datedFolder, manifest, files, true, result,
                        set.otherFormNames(files, false)))
                    result.damaged.append(QStringLiteral("%1: missing beside %2")
                                              .arg(files.backupName, fixed.at(0).backupName));
            }
            passwordsStaged = true;
            continue;
        }
        if (!stageOne(transaction, datedFolder, manifest, set.listFiles, false, result))
            continue;
        IndividualList list(set.listFiles.liveName, set.dataExtension);
        // A list that cannot be read is damage, found by the checks below.
        if (!list.load(ProgramFolder(transaction.stagingFolder())).succeeded)
            continue;
        for (const QString& name : list.names()) {
            if (const QString reason = set.refusalOfListedName(name); !reason.isEmpty()) {
                result.notes.append(QStringLiteral("%1: skipped, %2").arg(name, reason));
                continue;
            }
            const FilePair files = set.individualFiles(name);
            if (!stageOne(transaction, datedFolder, manifest, files, false, result))
                result.notes.append(
                    QStringLiteral("%1: %2 not found in the backup; the program keeps its own "
                                   "copy, if any")
                        .arg(files.liveName, files.backupName));
        }
    }
    for (const FilePair& files : BackupFileSets::settingsFiles()) {
        if (!result.failure.isEmpty())
            return;
        stageOne(transaction, datedFolder, manifest, files, false, result);
    }
    checkStaged(transaction, passwordsStaged, result);
}

void FullRestore::checkStaged(
    const FileSetTransaction& transaction, bool passwordsStaged, Result& result)
{
    const ProgramFolder staging(transaction.stagingFolder());
    QList<BackupFileSet::Damage> damage;
    for (const BackupFileSet& set : m_sets.all()) {
        const bool staged
            = set.isTracker() ? staging.exists(set.listFiles.liveName) : passwordsStaged;
        if (staged && set.findDamage)
            damage += set.findDamage(staging);
    }
    for (const BackupFileSet::Damage& file : std::as_const(damage))
        result.damaged.append(QStringLiteral("%1: %2").arg(
            m_stagedFrom.value(file.fileName, file.fileName), file.reason));
}

FullRestore::Result FullRestore::plan(const QString& datedFolder)
{
    Result result;
    BackupManifest manifest;
    if (!start(datedFolder, result, manifest))
        return result;
    QTemporaryDir scratch;
    FileSetTransaction transaction(scratch.path(), m_files);
    const Outcome prepared = scratch.isValid() ? transaction.prepare() : Outcome::failed({});
    if (!prepared) {
        result.failure = QStringLiteral("No scratch folder could be made: %1").arg(prepared.reason);
        return result;
    }
    stageAll(transaction, datedFolder, manifest, result);
    if (!result.refused())
        sayLoss(transaction, result);
    transaction.discard();
    return result;
}

FullRestore::Result FullRestore::run(const QString& datedFolder, const QDateTime& now)
{
    Result result;
    BackupManifest manifest;
    if (!start(datedFolder, result, manifest))
        return result;
    const FileSetTransaction::RecoveryOutcome recovery
        = FileSetTransaction::recover(m_programFolder.path(), m_files);
    if (recovery.result == FileSetTransaction::Recovery::Failed) {
        result.failure = recovery.text;
        return result;
    }
    FileSetTransaction transaction(m_programFolder.path(), m_files);
    if (Outcome prepared = transaction.prepare(); !prepared) {
        result.failure = prepared.reason;
        return result;
    }
    stageAll(transaction, datedFolder, manifest, result);
    if (result.refused() || (result.files.isEmpty() && result.removed.isEmpty())) {
        transaction.discard();
        if (!result.refused())
            result.failure = QStringLiteral("The backup holds no files to restore.");
        return result;
    }
    if (!writeSafetyBackup(transaction, datedFolder, now, result)) {
        transaction.discard();
        return result;
    }
    // Nothing staged to carry them: the created files are removed one by one.
    for (const QString& name : std::as_const(m_pendingRemovals))
        m_files.remove(QDir(m_programFolder.path()).filePath(name));
    if (Outcome committed = transaction.commit(); !committed) {
        result.failure = QStringLiteral("The restored files could not be put in place: %1; no "
                                        "file was changed.")
                             .arg(committed.reason);
        return result;
    }
    result.completed = true;
    return result;
}

QList<BackupKind> FullRestore::stagedKinds(
    const FileSetTransaction& transaction, bool* settings) const
{
    const QStringList staged = transaction.stagedNames();
    const auto isStaged = [&staged](const QString& name) {
        return std::any_of(staged.cbegin(), staged.cend(),
            [&name](const QString& one) { return one.compare(name, Qt::CaseInsensitive) == 0; });
    };
    QList<BackupKind> kinds;
    for (const BackupFileSet& set : m_sets.all()) {
        bool touched = set.isTracker() ? isStaged(set.listFiles.liveName) : false;
        for (const FilePair& files : set.fixedFiles + set.protectedFiles)
            touched = touched || isStaged(files.liveName);
        if (touched)
            kinds.append(set.restoreKind);
    }
    *settings = false;
    for (const FilePair& files : BackupFileSets::settingsFiles())
        *settings = *settings || isStaged(files.liveName);
    return kinds;
}

void FullRestore::sayLoss(const FileSetTransaction& transaction, Result& result) const
{
    bool settings = false;
    const QList<BackupKind> kinds = stagedKinds(transaction, &settings);
    QHash<QString, FunctionContents> current = BackupContents::describe(m_sets, m_programFolder);
    QHash<QString, FunctionContents> restored
        = BackupContents::describe(m_sets, ProgramFolder(transaction.stagingFolder()));
    for (const BackupFileSet& set : m_sets.all()) {
        if (!kinds.contains(set.restoreKind))
            restored.remove(set.contentsKey);
    }
    result.loss = RestoreLoss::lines(m_sets, current, restored,
        settings ? RestoreLoss::settingsDiffering(
            m_programFolder, ProgramFolder(transaction.stagingFolder()))
                 : QStringList {});
}

bool FullRestore::writeSafetyBackup(const FileSetTransaction& transaction,
    const QString& datedFolder, const QDateTime& now, Result& result)
{
    bool settings = false;
    const QList<BackupKind> kinds = stagedKinds(transaction, &settings);
    QStringList created;
    for (const QString& name : transaction.stagedNames()) {
        if (!m_liveNames.contains(name.toLower()))
            created.append(name);
    }
    SafetyBackup safety(m_programFolder, m_files, m_sets);
    const SafetyBackup::Outcome written = safety.write(datedFolder, kinds, settings, created, now);
    if (!written.completed) {
        result.failure = written.failure + QStringLiteral("; no file was changed.");
        return false;
    }
    result.safetyBackup = written.folder;
    return true;
}
