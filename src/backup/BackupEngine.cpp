#include "BackupEngine.h"

#include "BackupFileOperations.h"
#include "BackupRunView.h"
#include "BackupTarget.h"
#include "screens/Clock.h"
#include "storage/IndividualList.h"

#include <QDir>
#include <QFileInfo>

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

// Beside the file it replaces, so that putting it in place is one rename
// within one folder. No data file ends this way: theirs end in the set's
// extension.
const QString StagedSuffix = QStringLiteral(".restoring");
const QString SetAsideSuffix = QStringLiteral(".replaced");

// The progress bar steps 1 to 4 whatever the number of files.
constexpr int ProgressMaximum = 4;

} // namespace

BackupEngine::BackupEngine(const Services& services)
    : m_services(services)
{ }

// --- the two commands -------------------------------------------------------

BackupOutcome BackupEngine::backup(qint16 kind, const QString& targetPath, const QString& pathLabel)
{
    startRun(targetPath);
    const BackupFileSet* set = BackupFileSet::forKind(kind);
    if (!set || BackupFileSet::isRestoreKind(kind) || refuseProgramFolder(targetPath))
        return m_outcome;

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

BackupOutcome BackupEngine::restore(qint16 kind, const QString& targetPath)
{
    startRun(targetPath);
    const BackupFileSet* set = BackupFileSet::forKind(kind);
    if (!set || !BackupFileSet::isRestoreKind(kind) || refuseProgramFolder(targetPath))
        return m_outcome;
    m_outcome.state = set->isTracker() ? restoreTrackerFiles(*set) : restorePasswordFiles(*set);
    m_services.view.setBusy(false);
    return m_outcome;
}

void BackupEngine::startRun(const QString& targetPath)
{
    m_targetPath = targetPath;
    m_outcome = {};
    m_written.clear();
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
    removeOldCopies(index.backupName);
    removeOldCopies(entries.backupName);
    for (;;) {
        const CopyStep indexStep = backUp(index);
        if (indexStep == CopyStep::DestinationFailed) {
            view.setBusy(false);
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
        m_services.files.remove(backupPath(entries.backupName));
        m_services.files.remove(backupPath(index.backupName));
        m_outcome.copied.clear();
        m_written.clear();
        if (askForNewDisk() != Answer::Ok) {
            reportBackupCancelled();
            return BackupOutcome::State::Cancelled;
        }
    }

    view.setProgressBarVisible(false);
    view.setBusy(false);
    if (!m_outcome.notCopied.isEmpty()) {
        reportNotCopied(QStringLiteral("These files were not backed up:"), BackupUtilityTitle);
        return BackupOutcome::State::Failed;
    }
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

    removeOldCopies(set.listFiles.backupName);
    view.setProgressValue(1);
    pause(1);
    view.letEventsRun();

    const BackupStep listStep = backUpWithNewDisks(set.listFiles);
    if (listStep == BackupStep::Cancelled)
        return BackupOutcome::State::Cancelled;

    for (int value : { 2, 3 }) {
        view.setProgressValue(value);
        pause(1);
        view.letEventsRun();
    }

    if (listStep == BackupStep::Copied) {
        QStringList refused;
        const QList<FilePair> dataFiles
            = listedFiles(set, m_services.programFolder, set.listFiles.liveName, refused);
        m_outcome.notCopied += refused;
        for (const FilePair& files : dataFiles) {
            if (backUpWithNewDisks(files) == BackupStep::Cancelled)
                return BackupOutcome::State::Cancelled;
            view.letEventsRun();
        }
    }

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
        if (askForNewDisk() != Answer::Ok) {
            reportBackupCancelled();
            return BackupStep::Cancelled;
        }
        // Whatever the new disk holds is from earlier runs.
        m_written.clear();
    }
}

BackupEngine::CopyStep BackupEngine::backUp(const FilePair& files)
{
    removeOldCopies(files.backupName);
    const QString source = livePath(files.liveName);
    const QString destination = backupPath(files.backupName);
    QString reason;
    const CopyStep step = copyChecked(source, destination, &reason);
    switch (step) {
    case CopyStep::Copied:
        m_written.insert(files.backupName.toLower());
        m_outcome.copied.append(files.backupName);
        m_services.view.fileCopied(source, destination);
        break;
    case CopyStep::SourceMissing:
        note(files.liveName, QStringLiteral("not found in the program folder"));
        break;
    case CopyStep::SourceUnreadable:
        note(files.liveName, QStringLiteral("could not be read (%1)").arg(reason));
        break;
    case CopyStep::DestinationFailed:
        break;
    }
    return step;
}

BackupEngine::CopyStep BackupEngine::copyChecked(
    const QString& source, const QString& destination, QString* reason)
{
    BackupFileOperations& files = m_services.files;
    if (!files.exists(source))
        return CopyStep::SourceMissing;
    switch (files.copy(source, destination, reason)) {
    case BackupFileOperations::CopyResult::Copied:
        if (files.sameContents(source, destination))
            return CopyStep::Copied;
        if (reason)
            *reason = QStringLiteral("the copy differs from the original");
        break;
    case BackupFileOperations::CopyResult::SourceUnreadable:
        files.remove(destination);
        return CopyStep::SourceUnreadable;
    case BackupFileOperations::CopyResult::DestinationFailed:
        break;
    }
    files.remove(destination);
    return CopyStep::DestinationFailed;
}

void BackupEngine::removeOldCopies(const QString& backupName)
{
    const QDir target(m_targetPath);
    const QStringList entries = target.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& entry : entries) {
        if (entry.compare(backupName, Qt::CaseInsensitive) == 0
            && !m_written.contains(entry.toLower()))
            m_services.files.remove(target.filePath(entry));
    }
}

// --- restore ----------------------------------------------------------------

BackupOutcome::State BackupEngine::restorePasswordFiles(const BackupFileSet& set)
{
    BackupRunView& view = m_services.view;
    // Both files are checked before anything is asked: one without the
    // other is no password list.
    for (const FilePair& files : set.fixedFiles) {
        if (!m_services.files.exists(existingBackupPath(files.backupName))) {
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
    QList<StagedFile> staged;
    for (;;) {
        view.setProgressBarVisible(false);
        status(set.restoringText);
        bool allStaged = true;
        for (const FilePair& files : set.fixedFiles) {
            if (stage(existingBackupPath(files.backupName), files.liveName, staged, nullptr)
                != CopyStep::Copied) {
                allStaged = false;
                break;
            }
        }
        if (allStaged)
            break;
        discard(staged);
        staged.clear();
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
    if (!commit(staged)) {
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
    QList<StagedFile> staged;
    QString reason;
    switch (stage(
        existingBackupPath(set.listFiles.backupName), set.listFiles.liveName, staged, &reason)) {
    case CopyStep::Copied:
        break;
    case CopyStep::DestinationFailed:
        view.setBusy(false);
        reportProgramFolderUnwritable(reason);
        status(NothingRestoredText);
        return BackupOutcome::State::Failed;
    default:
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
    const QList<FilePair> dataFiles
        = listedFiles(set, ProgramFolder(m_targetPath), set.listFiles.backupName, refused);
    m_outcome.notCopied += refused;
    for (const FilePair& files : dataFiles) {
        // A person whose file the backup lacks keeps the program's copy.
        switch (stage(existingBackupPath(files.backupName), files.liveName, staged, &reason)) {
        case CopyStep::Copied:
            break;
        case CopyStep::SourceMissing:
            note(
                files.liveName, QStringLiteral("%1 not found in the backup").arg(files.backupName));
            break;
        case CopyStep::SourceUnreadable:
            note(files.liveName,
                QStringLiteral("%1 could not be read (%2)").arg(files.backupName, reason));
            break;
        case CopyStep::DestinationFailed:
            note(files.liveName, QStringLiteral("could not be written (%1)").arg(reason));
            break;
        }
        view.letEventsRun();
    }
    if (!commit(staged)) {
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
            QStringLiteral("These files were not restored; the program kept its own copies:"),
            QStringLiteral("Restore Files"));
        return BackupOutcome::State::Failed;
    }
    return BackupOutcome::State::Completed;
}

BackupEngine::CopyStep BackupEngine::stage(
    const QString& source, const QString& liveName, QList<StagedFile>& staged, QString* reason)
{
    const QString live = livePath(liveName);
    const QString stagedPath = live + StagedSuffix;
    const CopyStep step = copyChecked(source, stagedPath, reason);
    if (step == CopyStep::Copied)
        staged.append({ source, stagedPath, live, liveName });
    return step;
}

bool BackupEngine::commit(const QList<StagedFile>& staged)
{
    BackupFileOperations& files = m_services.files;
    // Each file replaced keeps a copy of its former self until every file
    // is in place, so that a failure part-way can put them all back.
    QList<bool> keptFormer;
    QString failed;
    for (const StagedFile& file : staged) {
        const QString former = file.live + SetAsideSuffix;
        const bool hadLive = files.exists(file.live);
        if (hadLive && copyChecked(file.live, former, nullptr) != CopyStep::Copied) {
            failed = file.liveName;
            break;
        }
        if (!files.replace(file.staged, file.live)) {
            files.remove(former);
            failed = file.liveName;
            break;
        }
        keptFormer.append(hadLive);
    }
    if (!failed.isEmpty()) {
        for (qsizetype i = keptFormer.size() - 1; i >= 0; --i) {
            const StagedFile& done = staged.at(i);
            if (keptFormer.at(i))
                files.replace(done.live + SetAsideSuffix, done.live);
            else
                files.remove(done.live);
        }
        discard(staged);
        m_services.view.setBusy(false);
        reportProgramFolderUnwritable(QStringLiteral("%1 could not be replaced.").arg(failed));
        return false;
    }
    for (qsizetype i = 0; i < staged.size(); ++i) {
        const StagedFile& file = staged.at(i);
        if (keptFormer.at(i))
            files.remove(file.live + SetAsideSuffix);
        m_outcome.copied.append(file.liveName);
        m_services.view.fileCopied(file.source, file.live);
    }
    m_outcome.programFolderChanged = true;
    return true;
}

void BackupEngine::discard(const QList<StagedFile>& staged)
{
    for (const StagedFile& file : staged)
        m_services.files.remove(file.staged);
}

QList<FilePair> BackupEngine::restorePlan(
    qint16 kind, const QString& targetPath, QStringList* missing) const
{
    QList<FilePair> plan;
    QStringList lacking;
    const BackupFileSet* set = BackupFileSet::forKind(kind);
    if (!set)
        return plan;
    const ProgramFolder backup(targetPath);
    const auto take = [&](const FilePair& files) {
        if (m_services.files.exists(backup.filePath(files.backupName)))
            plan.append(
                { files.liveName, QFileInfo(backup.filePath(files.backupName)).fileName() });
        else
            lacking.append(QStringLiteral("%1: not found in the backup").arg(files.backupName));
    };
    if (set->isTracker()) {
        take(set->listFiles);
        if (!plan.isEmpty()) {
            for (const FilePair& files :
                listedFiles(*set, backup, set->listFiles.backupName, lacking))
                take(files);
        }
    } else {
        for (const FilePair& files : set->fixedFiles)
            take(files);
    }
    if (missing)
        *missing = lacking;
    return plan;
}

QList<FilePair> BackupEngine::listedFiles(const BackupFileSet& set, const ProgramFolder& folder,
    const QString& listName, QStringList& refused) const
{
    IndividualList list(listName, set.dataExtension);
    QString error;
    if (!list.load(folder, &error))
        refused.append(error);
    QList<FilePair> files;
    for (const QString& name : list.names()) {
        if (const QString reason = set.refusalOfListedName(name); !reason.isEmpty())
            refused.append(QStringLiteral("%1: skipped, %2").arg(name, reason));
        else
            files.append(set.individualFiles(name));
    }
    return files;
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

QString BackupEngine::existingBackupPath(const QString& name) const
{
    return ProgramFolder(m_targetPath).filePath(name);
}
