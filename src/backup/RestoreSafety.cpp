#include "RestoreSafety.h"

#include "BackupFileOperations.h"
#include "BackupRunSteps.h"
#include "BackupRunView.h"
#include "DiskFileOperations.h"
#include "FileSetTransaction.h"
#include "FullRestore.h"
#include "RestoreRun.h"
#include "SafetyBackup.h"
#include "services/Clock.h"

#include <QDir>

using Answer = MessageService::Answer;
using Icon = MessageService::Icon;
using Buttons = MessageService::Buttons;

RestoreSafety::RestoreSafety(BackupRunSteps& steps, const BackupFileSet& set)
    : m_steps(steps)
    , m_services(steps.services())
    , m_outcome(steps.outcome())
    , m_set(set)
{ }

void RestoreSafety::announce()
{
    // The preview is read on the disk itself: it only copies into a scratch
    // folder, and the run's own steps follow it.
    DiskFileOperations disk;
    const BackupServices preview { m_services.programFolder, m_services.messages, m_services.clock,
        m_services.view, disk, m_services.sets };
    BackupOutcome previewOutcome;
    BackupRunSteps previewSteps(preview, m_steps.targetPath(), previewOutcome);
    const RestorePlan plan = RestoreRun(previewSteps, m_set).plan();
    // A damaged backup is refused after the question, as it always was.
    if (plan.files.isEmpty() || !plan.damaged.isEmpty())
        return;
    const QString place = SafetyBackup(m_services.programFolder, m_services.files, m_services.sets)
                              .place(m_steps.targetPath());
    const QString saved = place.isEmpty()
        ? QStringLiteral("Before this restore replaces any file, the program's %1 files must be "
                         "saved in a backup of their own, but no folder can take it: neither the "
                         "backup folder of Backup Settings, nor this backup's folder, nor \"%2\" "
                         "beside the program folder. The restore will be refused.")
              .arg(m_set.promptName, SafetyBackup::FallbackFolderName)
        : QStringLiteral("Before this restore replaces any file, the program's %1 files are saved "
                         "in a backup of their own in\n%2\nso that the restore can be undone.")
              .arg(m_set.promptName, QDir::toNativeSeparators(place));
    m_services.messages.inform(
        saved + QStringLiteral("\n\n") + plan.loss.join(u'\n'), BackupRunSteps::BackupUtilityTitle);
}

bool RestoreSafety::backUp(const FileSetTransaction& transaction)
{
    QStringList created;
    for (const QString& name : transaction.stagedNames()) {
        if (!m_services.programFolder.exists(name))
            created.append(name);
    }
    SafetyBackup safety(m_services.programFolder, m_services.files, m_services.sets);
    const SafetyBackup::Outcome written = safety.write(
        m_steps.targetPath(), { m_set.restoreKind }, false, created, m_services.clock.now());
    if (!written.completed) {
        m_services.messages.error(
            QStringLiteral("Unable to save the files this restore would replace!\n"
                           "No files were changed.\n%1")
                .arg(written.failure),
            BackupRunSteps::DiskErrorTitle);
        return false;
    }
    m_folder = written.folder;
    m_outcome.safetyBackup = written.folder;
    return true;
}

void RestoreSafety::offerUndo()
{
    // A run nobody watches (the command line) prints the backup's path
    // instead: restoring it is the undo.
    if (m_folder.isEmpty() || !m_services.view.canSwapDisks())
        return;
    const Answer answer = m_services.messages.show({
        QStringLiteral("The %1 files this restore replaced were saved in\n%2\n\nUndo This Restore?")
            .arg(m_set.promptName, QDir::toNativeSeparators(m_folder)),
        BackupRunSteps::BackupUtilityTitle,
        Icon::Question,
        Buttons::YesNo,
        Answer::No,
    });
    if (answer != Answer::Yes)
        return;
    FullRestore undo(m_services.programFolder, m_services.files, m_services.sets);
    const FullRestore::Result result = undo.run(m_folder, m_services.clock.now());
    if (!result.completed) {
        m_services.messages.error(
            QStringLiteral("The restore could not be undone; the files are as the restore left "
                           "them.\n%1")
                .arg(result.refusal.isEmpty()
                        ? (result.failure.isEmpty() ? result.damaged.join(u'\n') : result.failure)
                        : result.refusal),
            BackupRunSteps::BackupUtilityTitle);
        return;
    }
    m_services.messages.inform(
        QStringLiteral("The restore was undone: the %1 files are as they were before it.\n"
                       "What the restore had put in place was saved in\n%2")
            .arg(m_set.promptName, QDir::toNativeSeparators(result.safetyBackup)),
        BackupRunSteps::BackupUtilityTitle);
}
