#include "BackupCopyRun.h"

#include "BackupFileOperations.h"
#include "BackupRunView.h"
#include "trackers/IndividualList.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

using Answer = MessageService::Answer;
using Icon = MessageService::Icon;
using Buttons = MessageService::Buttons;
using FilePair = BackupFileSet::FilePair;

BackupCopyRun::BackupCopyRun(BackupRunSteps& steps, const BackupFileSet& set)
    : m_steps(steps)
    , m_services(steps.services())
    , m_outcome(steps.outcome())
    , m_set(set)
{ }

BackupOutcome::State BackupCopyRun::run()
{
    return m_set.isTracker() ? backupTrackerFiles() : backupPasswordFiles();
}

BackupOutcome::State BackupCopyRun::backupPasswordFiles()
{
    BackupRunView& view = m_services.view;
    view.setBusy(true);
    // A protected keeper is backed up as its vault, a classic one as its
    // two files.
    const QList<FilePair> pairs = m_set.presentFixedFiles(
        [this](const QString& name) { return m_services.files.exists(m_steps.livePath(name)); },
        false);
    const FilePair& index = pairs.first();
    // The live files' attributes are left alone: only their bytes are read.
    if (!m_services.files.exists(m_steps.livePath(index.liveName))) {
        m_services.messages.inform(QStringLiteral("There are currently no files to Backup!"),
            BackupRunSteps::BackupUtilityTitle);
        return BackupOutcome::State::Failed;
    }

    m_steps.status(BackupRunSteps::DeletingOldFilesText);
    for (;;) {
        const CopyStep indexStep = backUp(index);
        if (indexStep == CopyStep::DestinationFailed) {
            m_backup->discard();
            view.setBusy(false);
            if (!view.canSwapDisks()) {
                reportNotBackedUp();
                return BackupOutcome::State::Failed;
            }
            const Answer answer = m_services.messages.show({
                QStringLiteral("Unable to access Disk or Disk is Full!\n"
                               "Make sure Disk is in Drive and Not Write Protected!"),
                BackupRunSteps::DiskErrorTitle,
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

        m_steps.status(m_set.backingUpText);
        view.setBusy(true);
        view.setStatusPanelVisible(true);
        view.setProgressBarVisible(false);
        view.letEventsRun();

        CopyStep entriesStep = CopyStep::Copied;
        for (const FilePair& entries : pairs.mid(1)) {
            entriesStep = backUp(entries);
            if (entriesStep == CopyStep::DestinationFailed)
                break;
        }
        if (entriesStep != CopyStep::DestinationFailed)
            break;
        // Both files go on the new disk, so that a restore finds them together.
        m_backup->discard();
        m_outcome.copied.clear();
        if (!view.canSwapDisks()) {
            view.setBusy(false);
            reportNotBackedUp();
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
        reportNotBackedUp();
        return BackupOutcome::State::Failed;
    }
    if (committed)
        view.disableRunAction();
    return BackupOutcome::State::Completed;
}

BackupOutcome::State BackupCopyRun::backupTrackerFiles()
{
    BackupRunView& view = m_services.view;
    view.setBusy(true);
    if (!m_services.files.exists(m_steps.livePath(m_set.listFiles.liveName))) {
        m_services.messages.inform(QStringLiteral("There are currently no files to Backup!"),
            BackupRunSteps::BackupUtilityTitle);
        return BackupOutcome::State::Failed;
    }

    m_steps.showTrackerRunStarting(m_set.backingUpText);
    view.letEventsRun();
    view.setProgressValue(1);
    m_steps.pause(1);
    view.letEventsRun();

    const BackupStep listStep = backUpWithNewDisks(m_set.listFiles);
    if (listStep == BackupStep::Cancelled)
        return BackupOutcome::State::Cancelled;
    if (listStep == BackupStep::Stopped)
        return stopBackup();

    for (int value : { 2, 3 }) {
        view.setProgressValue(value);
        m_steps.pause(1);
        view.letEventsRun();
    }

    if (listStep == BackupStep::Copied) {
        IndividualList list(m_set.listFiles.liveName, m_set.dataExtension);
        if (const Outcome loaded = list.load(m_services.programFolder); !loaded)
            m_outcome.notCopied.append(loaded.reason);
        for (const QString& name : list.names()) {
            if (const QString reason = m_set.refusalOfListedName(name); !reason.isEmpty()) {
                m_outcome.notCopied.append(QStringLiteral("%1: skipped, %2").arg(name, reason));
                continue;
            }
            switch (backUpWithNewDisks(m_set.individualFiles(name))) {
            case BackupStep::Cancelled:
                return BackupOutcome::State::Cancelled;
            case BackupStep::Stopped:
                return stopBackup();
            default:
                break;
            }
            view.letEventsRun();
        }
        if (m_outcome.notCopied.isEmpty())
            m_backup->alsoReplace(m_set.listFiles.backupName, copiesOfUnlisted(list.names()));
    }
    commitBackup();

    view.setProgressValue(BackupRunSteps::ProgressMaximum);
    m_steps.pause(1);
    view.letEventsRun();
    view.setProgressBarVisible(false);
    view.letEventsRun();
    view.setBusy(false);
    if (!m_outcome.notCopied.isEmpty()) {
        reportNotBackedUp();
        return BackupOutcome::State::Failed;
    }
    return BackupOutcome::State::Completed;
}

BackupOutcome::State BackupCopyRun::stopBackup()
{
    m_backup->discard();
    m_outcome.copied.clear();
    m_services.view.setProgressBarVisible(false);
    m_services.view.setBusy(false);
    reportNotBackedUp();
    return BackupOutcome::State::Failed;
}

bool BackupCopyRun::commitBackup()
{
    const QStringList staged = m_backup->stagedNames();
    const Outcome committed = m_backup->commit();
    if (committed) {
        for (const QString& name : staged)
            m_services.view.fileCopied(m_stagedFrom.value(name), m_steps.backupPath(name));
        return true;
    }
    m_outcome.copied.clear();
    m_outcome.notCopied.append(
        QStringLiteral("%1: the backup could not be completed (%2); the earlier backup there "
                       "was kept")
            .arg(QDir::toNativeSeparators(m_steps.targetPath()), committed.reason));
    return false;
}

QStringList BackupCopyRun::copiesOfUnlisted(const QStringList& listed) const
{
    QSet<QString> kept { m_set.listFiles.backupName.toLower() };
    for (const QString& name : listed)
        kept.insert(m_set.individualFiles(name).backupName.toLower());
    QStringList unlisted;
    for (auto it = m_targetNames.cbegin(); it != m_targetNames.cend(); ++it) {
        if (it.key().endsWith(m_set.backupExtension.toLower()) && !kept.contains(it.key()))
            unlisted += it.value();
    }
    return unlisted;
}

BackupCopyRun::BackupStep BackupCopyRun::backUpWithNewDisks(const FilePair& files)
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

BackupCopyRun::CopyStep BackupCopyRun::backUp(const FilePair& files)
{
    if (!m_backup) {
        m_backup.emplace(m_steps.targetPath(), m_services.files);
        m_targetNames
            = BackupRunSteps::namesByLowerCase(m_services.files.fileNames(m_steps.targetPath()));
    }
    const QString source = m_steps.livePath(files.liveName);
    if (!m_services.files.exists(source)) {
        m_steps.note(files.liveName, QStringLiteral("not found in the program folder"));
        return CopyStep::SourceMissing;
    }
    // Copies of password files stay owner-only; the others keep the
    // permissions of the file they copy.
    const QFileDevice::Permissions permissions = m_set.isTracker()
        ? QFileInfo(source).permissions() | BackupFileOperations::OwnerOnly
        : BackupFileOperations::OwnerOnly;
    // A new disk may have come in since the last copy.
    // The copy replaces the earlier one and, in a set kept in two forms, the
    // other form's copies: a backup folder never holds a keeper both ways.
    QStringList previous = m_targetNames.value(files.backupName.toLower());
    for (const QString& other : m_set.otherFormNames(files, true))
        previous += m_targetNames.value(other.toLower());
    const Outcome prepared = m_backup->prepare();
    const FileSetTransaction::Staged staged = prepared
        ? m_backup->stage(source, files.backupName, previous, permissions)
        : FileSetTransaction::Staged { BackupFileOperations::CopyResult::DestinationFailed,
              prepared };
    const QString& reason = staged.outcome.reason;
    switch (staged.result) {
    case BackupFileOperations::CopyResult::Copied:
        m_outcome.copied.append(files.backupName);
        m_stagedFrom.insert(files.backupName, source);
        return CopyStep::Copied;
    case BackupFileOperations::CopyResult::SourceUnreadable:
        m_steps.note(files.liveName, QStringLiteral("could not be read (%1)").arg(reason));
        return CopyStep::SourceUnreadable;
    case BackupFileOperations::CopyResult::DestinationFailed:
        break;
    }
    // Said only where nobody can put in a new disk; there it is why the run
    // ended.
    if (!m_services.view.canSwapDisks())
        m_steps.note(
            files.liveName, QStringLiteral("could not be written to the backup (%1)").arg(reason));
    return CopyStep::DestinationFailed;
}

Answer BackupCopyRun::askForNewDisk()
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

void BackupCopyRun::reportBackupCancelled()
{
    m_services.view.setBusy(false);
    m_services.messages.inform(
        QStringLiteral("You have cancelled the backup proceedure!\n"
                       "Any backup already on this disk was left as it was.\n"
                       "May we suggest you initiate Backup for these files again!"),
        QStringLiteral("Backup Proceedure Cancelation"));
    m_steps.status(QString());
}

void BackupCopyRun::reportNotBackedUp()
{
    m_steps.reportNotCopied(
        QStringLiteral("These files were not backed up:"), BackupRunSteps::BackupUtilityTitle);
}
