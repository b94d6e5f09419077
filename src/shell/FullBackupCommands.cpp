#include "FullBackupCommands.h"

#include "BackupSettingsDialog.h"
#include "RestoreEverythingDialog.h"
#include "backup/BackupStatus.h"
#include "backup/DatedBackups.h"
#include "backup/DiskFileOperations.h"
#include "backup/FullBackup.h"
#include "backup/FullRestore.h"
#include "backup/SafetyBackup.h"
#include "datatool/ProgramBackupSets.h"
#include "screens/BusyPointer.h"
#include "screens/ShowFailure.h"
#include "screens/SystemDialogs.h"
#include "services/Clock.h"
#include "services/MessageService.h"
#include "storage/ProgramSettings.h"

#include <QDir>

#include <tuple>

namespace {

using Answer = MessageService::Answer;

// A list of lines under a heading, or nothing when there are none.
QString section(const QString& heading, const QStringList& lines)
{
    return lines.isEmpty() ? QString()
                           : QStringLiteral("\n\n%1\n%2").arg(heading, lines.join(u'\n'));
}

} // namespace

FullBackupCommands::FullBackupCommands(const ScreenServices& services, QWidget* window)
    : m_services(services)
    , m_window(window)
{ }

QString FullBackupCommands::knownFolder() const
{
    const ProgramSettings settings(m_services.folder);
    const QString last = settings.lastEverythingFolder();
    return last.isEmpty() ? settings.backupFolder() : last;
}

QString FullBackupCommands::statusText() const
{
    const ProgramSettings settings(m_services.folder);
    DiskFileOperations files;
    const std::optional<DatedBackups::Entry> found = DatedBackups::newestComplete(
        { settings.backupFolder(), settings.lastEverythingFolder() }, files);
    // The stored day counts every backup, of one function too; the dated
    // folders speak for backups made before it was kept.
    std::optional<QDateTime> newest = found ? std::optional(found->made) : std::nullopt;
    if (const QDate stored = settings.lastBackupDate();
        stored.isValid() && (!newest || stored > newest->date()))
        newest = QDateTime(stored, QTime(0, 0));
    return BackupStatus::text(newest, m_services.clock.today(), settings.backupOverdueDays());
}

void FullBackupCommands::backUpEverything()
{
    const QString start = knownFolder();
    const std::optional<QString> chosen = m_services.dialogs.chooseFolder(
        QStringLiteral("Back Up Everything into"), start.isEmpty() ? QDir::homePath() : start);
    if (!chosen)
        return;
    const ProgramSettings settings(m_services.folder);
    DiskFileOperations files;
    FullBackup backup(m_services.folder, files, ProgramBackupSets::all());
    if (const QString refusal = backup.refusalOfFolder(*chosen); !refusal.isEmpty()) {
        m_services.messages.warn(refusal, BackUpTitle);
        return;
    }
    FullBackup::Outcome outcome;
    {
        BusyPointerScope busy;
        outcome = backup.run(*chosen, m_services.clock.now(), settings.backupsKept());
    }
    if (!outcome.completed) {
        m_services.messages.error(
            QStringLiteral("No Backup was made.\n%1").arg(outcome.failure), BackUpTitle);
        return;
    }
    Outcome stored = settings.setLastEverythingFolder(QDir(*chosen).absolutePath());
    if (stored.succeeded)
        stored = settings.recordBackup(m_services.clock.today());
    const QString text = QStringLiteral("Backup Complete: %1 files were copied into\n%2")
                             .arg(outcome.copied.size())
                             .arg(QDir::toNativeSeparators(outcome.folder))
        + section(QStringLiteral("These files were not backed up:"), outcome.notes)
        + section(QStringLiteral("Older backups removed:"), outcome.removed)
        + section(QStringLiteral("Notes:"), outcome.keepingNotes)
        + (stored.succeeded ? QString() : QStringLiteral("\n\n") + stored.message());
    if (outcome.notes.isEmpty() && stored.succeeded)
        m_services.messages.inform(text, BackUpTitle);
    else
        m_services.messages.warn(text, BackUpTitle);
}

bool FullBackupCommands::restoreEverything()
{
    RestoreEverythingDialog dialog(m_services, knownFolder(), m_window);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const std::optional<DatedBackups::Entry> backup = dialog.chosen();
    if (!backup)
        return false;
    DiskFileOperations files;
    FullRestore restore(m_services.folder, files, ProgramBackupSets::all());
    FullRestore::Result plan;
    {
        BusyPointerScope busy;
        plan = restore.plan(backup->path);
    }
    if (!reportRefusedRestore(plan, backup->path))
        return false;
    const QString place
        = SafetyBackup(m_services.folder, files, ProgramBackupSets::all()).place(backup->path);
    const QString made = BackupStatus::dateText(backup->made.date());
    const Answer answer = m_services.messages.show({
        QStringLiteral("This utility will replace the Weight Tracker, Blood Pressure and "
                       "Password files and the settings located in Halvorn Program\nwith those "
                       "of the backup of %1 (%2).\nFiles the backup does not hold are kept."
                       "\n\n%3\n\n%4\n\nProceed?")
            .arg(made, backup->name, plan.loss.join(u'\n'), safetyPlaceText(place)),
        QStringLiteral("Delete Files"),
        MessageService::Icon::Question,
        MessageService::Buttons::YesNo,
        Answer::No,
    });
    if (answer != Answer::Yes)
        return false;

    FullRestore::Result result;
    {
        BusyPointerScope busy;
        result = restore.run(backup->path, m_services.clock.now());
    }
    if (!reportRefusedRestore(result, backup->path))
        return false;
    const QString text
        = QStringLiteral("Restoration Completed: %1 files were restored from the backup of %2.")
              .arg(result.files.size())
              .arg(made)
        + section(QStringLiteral("These files were not restored:"), result.notes);
    offerUndo(text, result.safetyBackup, !result.notes.isEmpty());
    return true;
}

QString FullBackupCommands::safetyPlaceText(const QString& place)
{
    if (place.isEmpty())
        return QStringLiteral("The files it replaces must first be saved in a backup of their "
                              "own, but no folder can take it: neither the backup folder of "
                              "Backup Settings, nor the folder of this backup, nor \"%1\" beside "
                              "the program folder. The restore will be refused.")
            .arg(SafetyBackup::FallbackFolderName);
    return QStringLiteral("Before any file is replaced, the files it replaces are saved in a "
                          "backup of their own in\n%1\nso that the restore can be undone.")
        .arg(QDir::toNativeSeparators(place));
}

bool FullBackupCommands::reportRefusedRestore(
    const FullRestore::Result& result, const QString& backupPath)
{
    if (!result.refusal.isEmpty() || !result.failure.isEmpty()) {
        m_services.messages.error(
            QStringLiteral("No files were restored.\n%1")
                .arg(result.refusal.isEmpty() ? result.failure : result.refusal),
            RestoreTitle);
        return false;
    }
    if (!result.damaged.isEmpty()) {
        m_services.messages.error(
            QStringLiteral("The backup in %1 is damaged and was not restored.\n"
                           "No files were changed.\n%2")
                .arg(QDir::toNativeSeparators(backupPath), result.damaged.join(u'\n')),
            RestoreTitle);
        return false;
    }
    return true;
}

void FullBackupCommands::offerUndo(const QString& completed, const QString& safetyBackup, bool warn)
{
    const Answer answer = m_services.messages.show({
        completed
            + QStringLiteral("\n\nThe files it replaced were saved in\n%1\n\nUndo This Restore?")
                  .arg(QDir::toNativeSeparators(safetyBackup)),
        RestoreTitle,
        warn ? MessageService::Icon::Exclamation : MessageService::Icon::Question,
        MessageService::Buttons::YesNo,
        Answer::No,
    });
    if (answer != Answer::Yes)
        return;
    DiskFileOperations files;
    FullRestore undo(m_services.folder, files, ProgramBackupSets::all());
    FullRestore::Result result;
    {
        BusyPointerScope busy;
        result = undo.run(safetyBackup, m_services.clock.now());
    }
    if (!reportRefusedRestore(result, safetyBackup))
        return;
    m_services.messages.inform(
        QStringLiteral("The restore was undone: every file it replaced is as it was.\n"
                       "What the restore had put in place was saved in\n%1")
            .arg(QDir::toNativeSeparators(result.safetyBackup)),
        RestoreTitle);
}

void FullBackupCommands::backupSettings()
{
    BackupSettingsDialog dialog(m_services, m_window);
    dialog.exec();
}

void FullBackupCommands::backUpAtClose()
{
    const ProgramSettings settings(m_services.folder);
    const QDate today = m_services.clock.today();
    const QDate previous = settings.lastCloseBackupDate();
    if (!settings.backUpAtClose() || previous == today)
        return;
    // A backup of everything made today, by hand or by the timer, is the
    // day's backup: another a minute later would only crowd the list.
    {
        DiskFileOperations files;
        const std::optional<DatedBackups::Entry> newest = DatedBackups::newestComplete(
            { settings.backupFolder(), settings.lastEverythingFolder() }, files);
        if (newest && newest->made.date() == today)
            return;
    }
    // Stored before the backup, so that the backup's copy of the settings
    // holds it too: restoring this backup later must not make the next
    // close back up again.
    if (const Outcome stored = settings.setLastCloseBackupDate(today); !stored.succeeded) {
        showFailure(m_services.messages, stored, BackUpTitle, MessageService::Icon::Exclamation);
        return;
    }
    DiskFileOperations files;
    FullBackup backup(m_services.folder, files, ProgramBackupSets::all());
    FullBackup::Outcome outcome;
    {
        BusyPointerScope busy;
        outcome
            = backup.run(settings.backupFolder(), m_services.clock.now(), settings.backupsKept());
    }
    if (outcome.completed) {
        // Nobody is left to tell when this cannot be stored; the dated
        // folder still speaks for the backup at the next start.
        std::ignore = settings.recordBackup(today);
        return;
    }
    // The next close tries again; should the date not go back, the next
    // day's close does.
    std::ignore = settings.setLastCloseBackupDate(previous);
    m_services.messages.warn(
        QStringLiteral("The backup of everything made when Halvorn closes could not be made.\n%1")
            .arg(outcome.failure),
        BackUpTitle);
}
