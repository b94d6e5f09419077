#include "BackupEngine.h"

#include "BackupFileOperations.h"
#include "BackupManifest.h"
#include "BackupRunView.h"
#include "BackupTarget.h"
#include "DatedBackups.h"
#include "services/Clock.h"
#include "trackers/IndividualList.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

using Answer = MessageService::Answer;
using Icon = MessageService::Icon;
using Buttons = MessageService::Buttons;
using FilePair = BackupFileSet::FilePair;

const QString BackupEngine::BackupCompleteText = QStringLiteral("Backup Complete");
const QString BackupEngine::BackupTerminatedText = QStringLiteral("Backup Terminated by User");
const QString BackupEngine::NoBackupMadeText = QStringLiteral("No Backup was made");
const QString BackupEngine::BackupIncompleteText
    = QStringLiteral("Backup Incomplete: some files were not copied");
const QString BackupEngine::RestorationCompletedText = QStringLiteral("Restoration Completed");
const QString BackupEngine::RestorationIncompleteText
    = QStringLiteral("Restoration Incomplete: some files were not restored");
const QString BackupEngine::NothingRestoredText = QStringLiteral("No Files were Restored");

namespace {

const QString DeletingOldFilesText = QStringLiteral("Deleting Old Files");
const QString DiskErrorTitle = QStringLiteral("Disk Error");
const QString BackupUtilityTitle = QStringLiteral("Backup Utility");

// The progress bar steps 1 to 4 whatever the number of files.
constexpr int ProgressMaximum = 4;

} // namespace

BackupEngine::BackupEngine(const Services& services)
    : m_services(services)
{ }

// --- the two commands -------------------------------------------------------

BackupOutcome BackupEngine::backup(
    BackupKind kind, const QString& targetPath, const QString& pathLabel)
{
    startRun(targetPath);
    const BackupFileSet* set = m_services.sets.forKind(kind);
    if (!set || m_services.sets.isRestoreKind(kind) || refuseProgramFolder(targetPath)
        || !settleUnfinishedRun(targetPath))
        return m_outcome;
    m_set = set;

    const Answer answer
        = askGoAhead(QStringLiteral("This utility will first Delete all existing %1 files\n"
                                    "located in Path: %2\n\nProceed?")
                         .arg(set->promptName, pathLabel));
    if (answer == Answer::Yes) {
        status(DeletingOldFilesText);
        m_services.view.setStatusPanelVisible(true);
        m_services.view.letEventsRun();
        m_outcome.state = set->isTracker() ? backupTrackerFiles(*set) : backupPasswordFiles(*set);
        switch (m_outcome.state) {
        case BackupOutcome::State::Completed:
            status(BackupCompleteText);
            break;
        case BackupOutcome::State::Cancelled:
            status(BackupTerminatedText);
            break;
        default:
            status(m_outcome.copied.isEmpty() ? NoBackupMadeText : BackupIncompleteText);
            break;
        }
        m_services.view.setBusy(false);
    }
    pause(1);
    m_services.view.setProgressBarVisible(false);
    return m_outcome;
}

BackupOutcome BackupEngine::restore(BackupKind kind, const QString& targetPath)
{
    startRun(targetPath);
    const BackupFileSet* set = m_services.sets.forKind(kind);
    if (!set || !m_services.sets.isRestoreKind(kind) || refuseProgramFolder(targetPath)
        || !settleUnfinishedRun(targetPath)
        || !settleUnfinishedRun(m_services.programFolder.path()))
        return m_outcome;
    m_outcome.state = set->isTracker() ? restoreTrackerFiles(*set) : restorePasswordFiles(*set);
    m_services.view.setBusy(false);
    return m_outcome;
}

void BackupEngine::startRun(const QString& targetPath)
{
    m_targetPath = targetPath;
    m_outcome = {};
    m_backup.reset();
    m_targetNames.clear();
    m_liveNames.clear();
    m_stagedFrom.clear();
}

bool BackupEngine::settleUnfinishedRun(const QString& folder)
{
    const FileSetTransaction::RecoveryOutcome recovery
        = FileSetTransaction::recover(folder, m_services.files);
    if (recovery.result != FileSetTransaction::Recovery::Failed)
        return true;
    m_services.messages.error(recovery.text, DiskErrorTitle);
    return false;
}

bool BackupEngine::refuseProgramFolder(const QString& targetPath)
{
    if (!BackupTarget::isProgramFolder(targetPath, m_services.programFolder))
        return false;
    m_services.messages.show({
        QStringLiteral("The selected Folder is the Halvorn program folder itself!\n"
                       "Please select another Drive or Folder."),
        BackupUtilityTitle,
        Icon::Exclamation,
        Buttons::Ok,
        Answer::Ok,
    });
    return true;
}

Answer BackupEngine::askGoAhead(const QString& text)
{
    return m_services.messages.show({
        text,
        QStringLiteral("Delete Files"),
        Icon::Question,
        Buttons::YesNoCancel,
        Answer::No,
    });
}

Answer BackupEngine::askRestoreGoAhead(const BackupFileSet& set)
{
    return askGoAhead(QStringLiteral("This utility will first Delete all existing %1 files\n"
                                     "located in Halvorn Program!\n\nProceed?")
                          .arg(set.promptName));
}

// --- backup -----------------------------------------------------------------

// Each copy goes into the target's staging folder first; the old copies
// are replaced only when the whole set has been copied and checked, so the
// last good backup survives a full disk, a Cancel or a crash.

BackupOutcome::State BackupEngine::backupPasswordFiles(const BackupFileSet& set)
{
    BackupRunView& view = m_services.view;
    view.setBusy(true);
    const FilePair& index = set.fixedFiles.at(0);
    const FilePair& entries = set.fixedFiles.at(1);
    // The live files' attributes are left alone: only their bytes are read.
    if (!m_services.files.exists(livePath(index.liveName))) {
        m_services.messages.inform(
            QStringLiteral("There are currently no files to Backup!"), BackupUtilityTitle);
        return BackupOutcome::State::Failed;
    }

    status(DeletingOldFilesText);
    for (;;) {
        const CopyStep indexStep = backUp(index);
        if (indexStep == CopyStep::DestinationFailed) {
            m_backup->discard();
            view.setBusy(false);
            if (!view.canSwapDisks()) {
                reportNotCopied(
                    QStringLiteral("These files were not backed up:"), BackupUtilityTitle);
                return BackupOutcome::State::Failed;
            }
            const Answer answer = m_services.messages.show({
                QStringLiteral("Unable to access Disk or Disk is Full!\n"
                               "Make sure Disk is in Drive and Not Write Protected!"),
                DiskErrorTitle,
                Icon::Information,
                Buttons::OkCancel,
                Answer::Ok,
            });
            if (answer == Answer::Ok)
                view.returnToProgramVolume();
            return BackupOutcome::State::Failed;
        }
        if (indexStep != CopyStep::Copied)
            break;

        status(set.backingUpText);
        view.setBusy(true);
        view.setStatusPanelVisible(true);
        view.setProgressBarVisible(false);
        view.letEventsRun();

        const CopyStep entriesStep = backUp(entries);
        if (entriesStep != CopyStep::DestinationFailed)
            break;
        // Both files go on the new disk, so that a restore finds them together.
        m_backup->discard();
        m_outcome.copied.clear();
        if (!view.canSwapDisks()) {
            view.setBusy(false);
            reportNotCopied(QStringLiteral("These files were not backed up:"), BackupUtilityTitle);
            return BackupOutcome::State::Failed;
        }
        if (askForNewDisk() != Answer::Ok) {
            reportBackupCancelled();
            return BackupOutcome::State::Cancelled;
        }
    }

    // One password file without the other is no keeper: the earlier backup
    // stays whole rather than take half of a new one.
    bool committed = false;
    if (m_outcome.notCopied.isEmpty()) {
        committed = commitBackup();
    } else {
        m_backup->discard();
        m_outcome.copied.clear();
    }
    view.setProgressBarVisible(false);
    view.setBusy(false);
    if (!m_outcome.notCopied.isEmpty()) {
        reportNotCopied(QStringLiteral("These files were not backed up:"), BackupUtilityTitle);
        return BackupOutcome::State::Failed;
    }
    if (committed)
        view.disableRunAction();
    return BackupOutcome::State::Completed;
}

BackupOutcome::State BackupEngine::backupTrackerFiles(const BackupFileSet& set)
{
    BackupRunView& view = m_services.view;
    view.setBusy(true);
    if (!m_services.files.exists(livePath(set.listFiles.liveName))) {
        m_services.messages.inform(
            QStringLiteral("There are currently no files to Backup!"), BackupUtilityTitle);
        return BackupOutcome::State::Failed;
    }

    showTrackerRunStarting(set.backingUpText);
    view.letEventsRun();
    view.setProgressValue(1);
    pause(1);
    view.letEventsRun();

    const BackupStep listStep = backUpWithNewDisks(set.listFiles);
    if (listStep == BackupStep::Cancelled)
        return BackupOutcome::State::Cancelled;
    if (listStep == BackupStep::Stopped)
        return stopBackup();

    for (int value : { 2, 3 }) {
        view.setProgressValue(value);
        pause(1);
        view.letEventsRun();
    }

    if (listStep == BackupStep::Copied) {
        IndividualList list(set.listFiles.liveName, set.dataExtension);
        QString error;
        if (!list.load(m_services.programFolder, &error))
            m_outcome.notCopied.append(error);
        for (const QString& name : list.names()) {
            if (const QString reason = set.refusalOfListedName(name); !reason.isEmpty()) {
                m_outcome.notCopied.append(QStringLiteral("%1: skipped, %2").arg(name, reason));
                continue;
            }
            switch (backUpWithNewDisks(set.individualFiles(name))) {
            case BackupStep::Cancelled:
                return BackupOutcome::State::Cancelled;
            case BackupStep::Stopped:
                return stopBackup();
            default:
                break;
            }
            view.letEventsRun();
        }
    }
    commitBackup();

    view.setProgressValue(ProgressMaximum);
    pause(1);
    view.letEventsRun();
    view.setProgressBarVisible(false);
    view.letEventsRun();
    view.setBusy(false);
    if (!m_outcome.notCopied.isEmpty()) {
        reportNotCopied(QStringLiteral("These files were not backed up:"), BackupUtilityTitle);
        return BackupOutcome::State::Failed;
    }
    return BackupOutcome::State::Completed;
}

BackupOutcome::State BackupEngine::stopBackup()
{
    m_backup->discard();
    m_outcome.copied.clear();
    m_services.view.setProgressBarVisible(false);
    m_services.view.setBusy(false);
    reportNotCopied(QStringLiteral("These files were not backed up:"), BackupUtilityTitle);
    return BackupOutcome::State::Failed;
}

bool BackupEngine::commitBackup()
{
    const QStringList staged = m_backup->stagedNames();
    QString reason;
    if (m_backup->commit(&reason)) {
        for (const QString& name : staged)
            m_services.view.fileCopied(m_stagedFrom.value(name), backupPath(name));
        return true;
    }
    m_outcome.copied.clear();
    m_outcome.notCopied.append(
        QStringLiteral("%1: the backup could not be completed (%2); the earlier backup there "
                       "was kept")
            .arg(QDir::toNativeSeparators(m_targetPath), reason));
    return false;
}

void BackupEngine::showTrackerRunStarting(const QString& runningText)
{
    BackupRunView& view = m_services.view;
    status(DeletingOldFilesText);
    view.setStatusPanelVisible(true);
    view.letEventsRun();
    pause(2);
    view.letEventsRun();
    view.setProgressMaximum(ProgressMaximum);
    status(runningText);
    view.setStatusPanelVisible(true);
    view.setProgressBarVisible(true);
    pause(1);
    view.letEventsRun();
}

BackupEngine::BackupStep BackupEngine::backUpWithNewDisks(const FilePair& files)
{
    for (;;) {
        switch (backUp(files)) {
        case CopyStep::Copied:
            return BackupStep::Copied;
        case CopyStep::SourceMissing:
        case CopyStep::SourceUnreadable:
            return BackupStep::NotCopied;
        case CopyStep::DestinationFailed:
            break;
        }
        if (!m_services.view.canSwapDisks())
            return BackupStep::Stopped;
        if (askForNewDisk() != Answer::Ok) {
            m_backup->discard();
            reportBackupCancelled();
            return BackupStep::Cancelled;
        }
    }
}

BackupEngine::CopyStep BackupEngine::backUp(const FilePair& files)
{
    if (!m_backup) {
        m_backup.emplace(m_targetPath, m_services.files);
        m_targetNames = namesByLowerCase(m_services.files.fileNames(m_targetPath));
    }
    const QString source = livePath(files.liveName);
    if (!m_services.files.exists(source)) {
        note(files.liveName, QStringLiteral("not found in the program folder"));
        return CopyStep::SourceMissing;
    }
    // Copies of password files stay owner-only; the others keep the
    // permissions of the file they copy.
    const QFileDevice::Permissions permissions = m_set->isTracker()
        ? QFileInfo(source).permissions() | BackupFileOperations::OwnerOnly
        : BackupFileOperations::OwnerOnly;
    QString reason;
    // A new disk may have come in since the last copy.
    const BackupFileOperations::CopyResult result = m_backup->prepare(&reason)
        ? m_backup->stage(source, files.backupName, m_targetNames.value(files.backupName.toLower()),
            permissions, &reason)
        : BackupFileOperations::CopyResult::DestinationFailed;
    switch (result) {
    case BackupFileOperations::CopyResult::Copied:
        m_outcome.copied.append(files.backupName);
        m_stagedFrom.insert(files.backupName, source);
        return CopyStep::Copied;
    case BackupFileOperations::CopyResult::SourceUnreadable:
        note(files.liveName, QStringLiteral("could not be read (%1)").arg(reason));
        return CopyStep::SourceUnreadable;
    case BackupFileOperations::CopyResult::DestinationFailed:
        break;
    }
    // Said only where nobody can put in a new disk; there it is why the run
    // ended.
    if (!m_services.view.canSwapDisks())
        note(files.liveName, QStringLiteral("could not be written to the backup (%1)").arg(reason));
    return CopyStep::DestinationFailed;
}

// --- restore ----------------------------------------------------------------

BackupOutcome::State BackupEngine::restorePasswordFiles(const BackupFileSet& set)
{
    BackupRunView& view = m_services.view;
    // Both files are checked before anything is asked: one without the
    // other is no password list.
    for (const FilePair& files : set.fixedFiles) {
        if (!m_services.files.exists(ProgramFolder(m_targetPath).filePath(files.backupName))) {
            m_services.messages.error(
                QStringLiteral("Unable to find Password Files Backup Disk or Backup files!\n"
                               "Please insert Password Disk into selected Drive and Try again."),
                DiskErrorTitle);
            return BackupOutcome::State::Failed;
        }
    }
    if (askRestoreGoAhead(set) != Answer::Yes)
        return BackupOutcome::State::Declined;

    view.setBusy(true);
    view.setStatusPanelVisible(true);
    status(set.deletingBeforeRestoreText);
    FileSetTransaction transaction(m_services.programFolder.path(), m_services.files);
    for (;;) {
        view.setProgressBarVisible(false);
        status(set.restoringText);
        bool allStaged = transaction.prepare();
        for (const FilePair& files : set.fixedFiles) {
            if (!allStaged
                || stageForRestore(transaction, set, m_targetPath, files, nullptr)
                    != CopyStep::Copied) {
                allStaged = false;
                break;
            }
        }
        if (allStaged)
            break;
        transaction.discard();
        view.setBusy(false);
        const Answer answer = m_services.messages.show({
            QStringLiteral("Unable to access Disk, Or No Password Restore Files Were Found on "
                           "This Disk! Make sure Disk is in Drive!"),
            DiskErrorTitle,
            Icon::Information,
            Buttons::OkCancel,
            Answer::Ok,
        });
        if (answer != Answer::Ok) {
            status(NothingRestoredText);
            return BackupOutcome::State::Cancelled;
        }
        view.setBusy(true);
    }
    if (const QStringList damaged = damageIn(transaction, set); !damaged.isEmpty()) {
        transaction.discard();
        view.setBusy(false);
        reportDamagedBackup(damaged);
        status(NothingRestoredText);
        return BackupOutcome::State::Failed;
    }
    if (!commitRestore(transaction)) {
        status(NothingRestoredText);
        return BackupOutcome::State::Failed;
    }

    view.setStatusPanelVisible(true);
    view.letEventsRun();
    status(RestorationCompletedText);
    view.disableRunAction();
    view.setBusy(false);
    return BackupOutcome::State::Completed;
}

BackupOutcome::State BackupEngine::restoreTrackerFiles(const BackupFileSet& set)
{
    BackupRunView& view = m_services.view;
    if (askRestoreGoAhead(set) != Answer::Yes)
        return BackupOutcome::State::Declined;

    view.setBusy(true);
    FileSetTransaction transaction(m_services.programFolder.path(), m_services.files);
    QString reason;
    const CopyStep listStep = transaction.prepare(&reason)
        ? stageForRestore(transaction, set, m_targetPath, set.listFiles, &reason)
        : CopyStep::DestinationFailed;
    switch (listStep) {
    case CopyStep::Copied:
        break;
    case CopyStep::DestinationFailed:
        transaction.discard();
        view.setBusy(false);
        reportProgramFolderUnwritable(reason);
        status(NothingRestoredText);
        return BackupOutcome::State::Failed;
    default:
        transaction.discard();
        view.setBusy(false);
        reportRestoreSourceMissing();
        return BackupOutcome::State::Failed;
    }

    view.letEventsRun();
    showTrackerRunStarting(set.restoringText);
    for (int value : { 1, 2, 3 }) {
        view.setProgressValue(value);
        pause(1);
        view.letEventsRun();
    }

    QStringList refused;
    QStringList missing;
    stageListedFiles(transaction, set, m_targetPath, refused, missing);
    m_outcome.notCopied += refused + missing;
    if (const QStringList damaged = damageIn(transaction, set); !damaged.isEmpty()) {
        transaction.discard();
        view.setProgressBarVisible(false);
        view.setBusy(false);
        reportDamagedBackup(damaged);
        status(NothingRestoredText);
        return BackupOutcome::State::Failed;
    }
    if (!commitRestore(transaction)) {
        view.setProgressBarVisible(false);
        status(NothingRestoredText);
        return BackupOutcome::State::Failed;
    }

    view.setProgressValue(ProgressMaximum);
    pause(1);
    view.letEventsRun();
    status(m_outcome.notCopied.isEmpty() ? RestorationCompletedText : RestorationIncompleteText);
    view.disableRunAction();
    view.setProgressBarVisible(false);
    view.letEventsRun();
    view.setBusy(false);
    if (!m_outcome.notCopied.isEmpty()) {
        reportNotCopied(
            QStringLiteral("These files were not restored:"), QStringLiteral("Restore Files"));
        return BackupOutcome::State::Failed;
    }
    return BackupOutcome::State::Completed;
}

BackupEngine::CopyStep BackupEngine::stageForRestore(FileSetTransaction& transaction,
    const BackupFileSet& set, const QString& backupFolder, const FilePair& files, QString* reason)
{
    if (m_liveNames.isEmpty())
        m_liveNames = namesByLowerCase(m_services.files.fileNames(m_services.programFolder.path()));
    const QString source = ProgramFolder(backupFolder).filePath(files.backupName);
    if (!m_services.files.exists(source))
        return CopyStep::SourceMissing;
    // The file keeps the spelling it has in the program folder.
    const QStringList previous = m_liveNames.value(files.liveName.toLower());
    const QString name = previous.contains(files.liveName) || previous.isEmpty() ? files.liveName
                                                                                 : previous.first();
    const QString live = QDir(m_services.programFolder.path()).filePath(name);
    const QFileDevice::Permissions permissions = !set.isTracker() ? BackupFileOperations::OwnerOnly
        : QFileInfo::exists(live)
        ? QFileInfo(live).permissions()
        : QFileInfo(source).permissions() | BackupFileOperations::OwnerOnly;
    switch (transaction.stage(source, name,
        previous.contains(name) ? QStringList { name } : QStringList {}, permissions, reason)) {
    case BackupFileOperations::CopyResult::Copied:
        m_stagedFrom.insert(name, source);
        return CopyStep::Copied;
    case BackupFileOperations::CopyResult::SourceUnreadable:
        return CopyStep::SourceUnreadable;
    case BackupFileOperations::CopyResult::DestinationFailed:
        break;
    }
    return CopyStep::DestinationFailed;
}

void BackupEngine::stageListedFiles(FileSetTransaction& transaction, const BackupFileSet& set,
    const QString& backupFolder, QStringList& refused, QStringList& missing)
{
    const ProgramFolder staging(transaction.stagingFolder());
    IndividualList list(set.listFiles.liveName, set.dataExtension);
    // A list that cannot be read is reported as damage by damageIn.
    if (!list.load(staging))
        return;
    bool listChanged = false;
    for (const QString& name : QStringList(list.names())) {
        if (const QString reason = set.refusalOfListedName(name); !reason.isEmpty()) {
            // A name that is never restored is not listed either: the list
            // would name a person without a file.
            refused.append(
                QStringLiteral("%1: skipped, %2; taken off the restored list").arg(name, reason));
            list.remove(name);
            listChanged = true;
            continue;
        }
        const FilePair files = set.individualFiles(name);
        QString reason;
        const bool programHasCopy = m_services.files.exists(livePath(files.liveName));
        const QString kept = programHasCopy ? QStringLiteral("; the program keeps its own copy")
                                            : QStringLiteral("; the program has no copy either");
        switch (stageForRestore(transaction, set, backupFolder, files, &reason)) {
        case CopyStep::Copied:
            break;
        case CopyStep::SourceMissing:
            missing.append(QStringLiteral("%1: %2 not found in the backup%3")
                               .arg(files.liveName, files.backupName, kept));
            break;
        case CopyStep::SourceUnreadable:
            missing.append(QStringLiteral("%1: %2 could not be read (%3)%4")
                               .arg(files.liveName, files.backupName, reason, kept));
            break;
        case CopyStep::DestinationFailed:
            missing.append(QStringLiteral("%1: could not be written (%2)%3")
                               .arg(files.liveName, reason, kept));
            break;
        }
        m_services.view.letEventsRun();
    }
    if (!listChanged)
        return;
    // The list is written by the program's own writer into a scratch
    // folder, so that the staged copy has exactly the bytes a save would.
    QTemporaryDir scratch;
    const ProgramFolder scratchFolder(scratch.path());
    bool read = false;
    if (!scratch.isValid() || !list.write(scratchFolder))
        return;
    const QByteArray bytes
        = m_services.files.readFile(scratchFolder.filePath(set.listFiles.liveName), &read);
    const QString stagedList = QFileInfo(staging.filePath(set.listFiles.liveName)).fileName();
    if (read)
        transaction.restage(stagedList, bytes);
}

QStringList BackupEngine::damageIn(
    const FileSetTransaction& transaction, const BackupFileSet& set) const
{
    const ProgramFolder staging(transaction.stagingFolder());
    const QList<BackupFileSet::Damage> damage
        = set.findDamage ? set.findDamage(staging) : QList<BackupFileSet::Damage> {};
    QStringList damaged = manifestDisagreements(transaction);
    for (const BackupFileSet::Damage& file : damage) {
        const QString source = m_stagedFrom.value(file.fileName);
        damaged.append(QStringLiteral("%1: %2").arg(
            source.isEmpty() ? file.fileName : QFileInfo(source).fileName(), file.reason));
    }
    return damaged;
}

QStringList BackupEngine::manifestDisagreements(const FileSetTransaction& transaction) const
{
    QString reason;
    const std::optional<BackupManifest> manifest
        = BackupManifest::read(m_targetPath, m_services.files, &reason);
    if (!manifest) {
        if (!reason.isEmpty())
            return { reason };
        // Only a dated folder promises a manifest; a folder of one
        // function's backup never has one.
        if (DatedBackups::isDatedName(QFileInfo(QDir::cleanPath(m_targetPath)).fileName()))
            return { QStringLiteral("%1 is missing: the backup is unfinished")
                         .arg(BackupManifest::FileName) };
        return {};
    }
    QStringList disagreements;
    for (const QString& name : transaction.stagedNames()) {
        const QString source = m_stagedFrom.value(name);
        const QString sourceName = QFileInfo(source).fileName();
        const BackupManifest::File* listed = manifest->find(sourceName);
        if (!listed)
            disagreements.append(QStringLiteral("%1: not named in the manifest").arg(sourceName));
        else if (m_services.files.checksum(source) != listed->sha256)
            disagreements.append(
                QStringLiteral("%1: differs from the manifest (its checksum disagrees)")
                    .arg(sourceName));
    }
    return disagreements;
}

bool BackupEngine::commitRestore(FileSetTransaction& transaction)
{
    const QStringList staged = transaction.stagedNames();
    QString reason;
    if (!transaction.commit(&reason)) {
        m_services.view.setBusy(false);
        reportProgramFolderUnwritable(reason);
        return false;
    }
    for (const QString& name : staged) {
        m_outcome.copied.append(name);
        m_services.view.fileCopied(
            m_stagedFrom.value(name), QDir(m_services.programFolder.path()).filePath(name));
    }
    m_outcome.programFolderChanged = true;
    return true;
}

BackupEngine::RestorePlan BackupEngine::restorePlan(BackupKind kind, const QString& targetPath)
{
    startRun(targetPath);
    RestorePlan plan;
    const BackupFileSet* set = m_services.sets.forKind(kind);
    QTemporaryDir scratch;
    if (!set || !scratch.isValid())
        return plan;
    FileSetTransaction transaction(scratch.path(), m_services.files);
    if (!transaction.prepare())
        return plan;
    const auto take = [&](const FilePair& files) {
        QString reason;
        switch (stageForRestore(transaction, *set, targetPath, files, &reason)) {
        case CopyStep::Copied:
            plan.files.append({ files.liveName,
                QFileInfo(ProgramFolder(targetPath).filePath(files.backupName)).fileName() });
            return true;
        case CopyStep::SourceMissing:
            plan.missing.append(
                QStringLiteral("%1: not found in the backup").arg(files.backupName));
            return false;
        default:
            plan.missing.append(QStringLiteral("%1: %2").arg(files.backupName, reason));
            return false;
        }
    };
    if (set->isTracker()) {
        if (take(set->listFiles)) {
            QStringList missing;
            stageListedFiles(transaction, *set, targetPath, plan.missing, missing);
            plan.missing += missing;
            for (const QString& name : transaction.stagedNames()) {
                if (name.compare(set->listFiles.liveName, Qt::CaseInsensitive) != 0)
                    plan.files.append({ name, QFileInfo(m_stagedFrom.value(name)).fileName() });
            }
        }
    } else {
        for (const FilePair& files : set->fixedFiles)
            take(files);
    }
    plan.damaged = damageIn(transaction, *set);
    transaction.discard();
    return plan;
}

// --- messages and small steps -------------------------------------------------

Answer BackupEngine::askForNewDisk()
{
    return m_services.messages.show({
        QStringLiteral("Disk is either Full, or there is not enough room\n"
                       "remaining for the requested backup files!\n"
                       "Please Insert a New Blank Formatted\n"
                       "Backup Disk and then Click on OK.\n"
                       "CAUTION: Wait till Disk Drive light goes out and\n"
                       "Be sure New Disk is inserted before Clicking OK"),
        QStringLiteral("Backup Disk"),
        Icon::Information,
        Buttons::OkCancel,
        Answer::Ok,
    });
}

void BackupEngine::reportBackupCancelled()
{
    m_services.view.setBusy(false);
    m_services.messages.inform(
        QStringLiteral("You have cancelled the backup proceedure!\n"
                       "If backup files were on this disk they have been deleted!\n"
                       "May we suggest you initiate Backup for these files again!"),
        QStringLiteral("Backup Proceedure Cancelation"));
    status(QString());
}

void BackupEngine::reportRestoreSourceMissing()
{
    m_services.messages.error(
        QStringLiteral("Unable to find Backup Disk or Location containing requested files!\n"
                       "Please insert another backup Disk into selected Drive and Try again."),
        DiskErrorTitle);
    status(QString());
}

void BackupEngine::reportProgramFolderUnwritable(const QString& reason)
{
    m_services.messages.error(
        QStringLiteral("Unable to write the restored files into the Halvorn program folder!\n"
                       "No files were changed.\n%1")
            .arg(reason),
        DiskErrorTitle);
}

void BackupEngine::reportDamagedBackup(const QStringList& damaged)
{
    m_services.messages.error(QStringLiteral("The backup in %1 is damaged and was not restored.\n"
                                             "No files were changed.\n%2")
                                  .arg(QDir::toNativeSeparators(m_targetPath), damaged.join(u'\n')),
        DiskErrorTitle);
}

void BackupEngine::reportNotCopied(const QString& heading, const QString& title)
{
    m_services.messages.warn(heading + u'\n' + m_outcome.notCopied.join(u'\n'), title);
}

void BackupEngine::note(const QString& fileName, const QString& reason)
{
    m_outcome.notCopied.append(QStringLiteral("%1: %2").arg(fileName, reason));
}

void BackupEngine::status(const QString& text)
{
    m_services.view.setStatusText(text);
}

void BackupEngine::pause(int seconds)
{
    m_services.clock.pauseSeconds(seconds, [this] { m_services.view.repaint(); });
}

QString BackupEngine::livePath(const QString& name) const
{
    return m_services.programFolder.filePath(name);
}

QString BackupEngine::backupPath(const QString& name) const
{
    return QDir(m_targetPath).filePath(name);
}

QHash<QString, QStringList> BackupEngine::namesByLowerCase(const QStringList& names)
{
    QHash<QString, QStringList> byLowerCase;
    for (const QString& name : names)
        byLowerCase[name.toLower()].append(name);
    return byLowerCase;
}
