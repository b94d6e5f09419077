#include "BackupEngine.h"

#include "BackupCopyRun.h"
#include "BackupRunSteps.h"
#include "BackupRunView.h"
#include "BackupTarget.h"
#include "FileSetTransaction.h"
#include "RestoreRun.h"

using Answer = MessageService::Answer;

const QString BackupEngine::BackupCompleteText = QStringLiteral("Backup Complete");
const QString BackupEngine::BackupTerminatedText = QStringLiteral("Backup Terminated by User");
const QString BackupEngine::NoBackupMadeText = QStringLiteral("No Backup was made");
const QString BackupEngine::BackupIncompleteText
    = QStringLiteral("Backup Incomplete: some files were not copied");
const QString BackupEngine::RestorationCompletedText = QStringLiteral("Restoration Completed");
const QString BackupEngine::RestorationIncompleteText
    = QStringLiteral("Restoration Incomplete: some files were not restored");
const QString BackupEngine::NothingRestoredText = QStringLiteral("No Files were Restored");

BackupEngine::BackupEngine(const Services& services)
    : m_services(services)
{ }

BackupOutcome BackupEngine::backup(
    BackupKind kind, const QString& targetPath, const QString& pathLabel)
{
    BackupOutcome outcome;
    const BackupFileSet* set = m_services.sets.forKind(kind);
    if (!set || m_services.sets.isRestoreKind(kind) || refuseProgramFolder(targetPath)
        || !settleUnfinishedRun(targetPath))
        return outcome;

    BackupRunSteps steps(m_services, targetPath, outcome);
    const Answer answer
        = steps.askGoAhead(QStringLiteral("This utility will first Delete all existing %1 files\n"
                                          "located in Path: %2\n\nProceed?")
                               .arg(set->promptName, pathLabel));
    if (answer == Answer::Yes) {
        steps.status(BackupRunSteps::DeletingOldFilesText);
        m_services.view.setStatusPanelVisible(true);
        m_services.view.letEventsRun();
        outcome.state = BackupCopyRun(steps, *set).run();
        switch (outcome.state) {
        case BackupOutcome::State::Completed:
            steps.status(BackupCompleteText);
            break;
        case BackupOutcome::State::Cancelled:
            steps.status(BackupTerminatedText);
            break;
        default:
            steps.status(outcome.copied.isEmpty() ? NoBackupMadeText : BackupIncompleteText);
            break;
        }
        m_services.view.setBusy(false);
    }
    steps.pause(1);
    m_services.view.setProgressBarVisible(false);
    return outcome;
}

BackupOutcome BackupEngine::restore(BackupKind kind, const QString& targetPath)
{
    BackupOutcome outcome;
    const BackupFileSet* set = m_services.sets.forKind(kind);
    if (!set || !m_services.sets.isRestoreKind(kind) || refuseProgramFolder(targetPath)
        || !settleUnfinishedRun(targetPath)
        || !settleUnfinishedRun(m_services.programFolder.path()))
        return outcome;
    BackupRunSteps steps(m_services, targetPath, outcome);
    outcome.state = RestoreRun(steps, *set).run();
    m_services.view.setBusy(false);
    return outcome;
}

BackupEngine::RestorePlan BackupEngine::restorePlan(BackupKind kind, const QString& targetPath)
{
    const BackupFileSet* set = m_services.sets.forKind(kind);
    if (!set)
        return {};
    BackupOutcome outcome;
    BackupRunSteps steps(m_services, targetPath, outcome);
    return RestoreRun(steps, *set).plan();
}

bool BackupEngine::settleUnfinishedRun(const QString& folder)
{
    const FileSetTransaction::RecoveryOutcome recovery
        = FileSetTransaction::recover(folder, m_services.files);
    if (recovery.result != FileSetTransaction::Recovery::Failed)
        return true;
    m_services.messages.error(recovery.text, BackupRunSteps::DiskErrorTitle);
    return false;
}

bool BackupEngine::refuseProgramFolder(const QString& targetPath)
{
    if (!BackupTarget::isProgramFolder(targetPath, m_services.programFolder))
        return false;
    m_services.messages.show({
        QStringLiteral("The selected Folder is the Halvorn program folder itself!\n"
                       "Please select another Drive or Folder."),
        BackupRunSteps::BackupUtilityTitle,
        MessageService::Icon::Exclamation,
        MessageService::Buttons::Ok,
        Answer::Ok,
    });
    return true;
}
