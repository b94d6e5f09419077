#include "RestoreRun.h"

#include "BackupEngine.h"
#include "BackupFileOperations.h"
#include "BackupManifest.h"
#include "BackupRunView.h"
#include "DatedBackups.h"
#include "FileSetTransaction.h"
#include "RestoreLoss.h"
#include "RestoreSafety.h"
#include "trackers/IndividualList.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>

using Answer = MessageService::Answer;
using Icon = MessageService::Icon;
using Buttons = MessageService::Buttons;
using FilePair = BackupFileSet::FilePair;

RestoreRun::RestoreRun(BackupRunSteps& steps, const BackupFileSet& set)
    : m_steps(steps)
    , m_services(steps.services())
    , m_outcome(steps.outcome())
    , m_set(set)
{ }

BackupOutcome::State RestoreRun::run()
{
    return m_set.isTracker() ? restoreTrackerFiles() : restorePasswordFiles();
}

BackupOutcome::State RestoreRun::restorePasswordFiles()
{
    BackupRunView& view = m_services.view;
    // The backup holds the keeper protected (its vault) or classic (its
    // two files). Both files are checked before anything is asked: one
    // without the other is no password list.
    const ProgramFolder backup(m_steps.targetPath());
    const QList<FilePair> pairs = m_set.presentFixedFiles(
        [this, &backup](
            const QString& name) { return m_services.files.exists(backup.filePath(name)); },
        true);
    for (const FilePair& files : pairs) {
        if (!m_services.files.exists(
                ProgramFolder(m_steps.targetPath()).filePath(files.backupName))) {
            m_services.messages.error(
                QStringLiteral("Unable to find Password Files Backup Disk or Backup files!\n"
                               "Please insert Password Disk into selected Drive and Try again."),
                BackupRunSteps::DiskErrorTitle);
            return BackupOutcome::State::Failed;
        }
    }
    RestoreSafety safety(m_steps, m_set);
    safety.announce();
    if (askRestoreGoAhead() != Answer::Yes)
        return BackupOutcome::State::Declined;
    if (!m_set.protectedFiles.isEmpty() && pairs == m_set.fixedFiles
        && m_services.programFolder.exists(m_set.protectedFiles.first().liveName)
        && askUnprotectingGoAhead() != Answer::Yes)
        return BackupOutcome::State::Declined;

    view.setBusy(true);
    view.setStatusPanelVisible(true);
    m_steps.status(m_set.deletingBeforeRestoreText);
    FileSetTransaction transaction(m_services.programFolder.path(), m_services.files);
    for (;;) {
        view.setProgressBarVisible(false);
        m_steps.status(m_set.restoringText);
        bool allStaged = transaction.prepare().succeeded;
        for (const FilePair& files : pairs) {
            if (!allStaged || stageForRestore(transaction, files, nullptr) != CopyStep::Copied) {
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
            BackupRunSteps::DiskErrorTitle,
            Icon::Information,
            Buttons::OkCancel,
            Answer::Ok,
        });
        if (answer != Answer::Ok) {
            m_steps.status(BackupEngine::NothingRestoredText);
            return BackupOutcome::State::Cancelled;
        }
        view.setBusy(true);
    }
    if (const QStringList damaged = damageIn(transaction); !damaged.isEmpty()) {
        transaction.discard();
        view.setBusy(false);
        reportDamagedBackup(damaged);
        m_steps.status(BackupEngine::NothingRestoredText);
        return BackupOutcome::State::Failed;
    }
    if (!safety.backUp(transaction)) {
        transaction.discard();
        view.setBusy(false);
        m_steps.status(BackupEngine::NothingRestoredText);
        return BackupOutcome::State::Failed;
    }
    if (!commitRestore(transaction)) {
        m_steps.status(BackupEngine::NothingRestoredText);
        return BackupOutcome::State::Failed;
    }

    view.setStatusPanelVisible(true);
    view.letEventsRun();
    m_steps.status(BackupEngine::RestorationCompletedText);
    view.disableRunAction();
    view.setBusy(false);
    safety.offerUndo();
    return BackupOutcome::State::Completed;
}

BackupOutcome::State RestoreRun::restoreTrackerFiles()
{
    BackupRunView& view = m_services.view;
    RestoreSafety safety(m_steps, m_set);
    // A backup without its list file is reported after the question, as
    // it always was.
    safety.announce();
    if (askRestoreGoAhead() != Answer::Yes)
        return BackupOutcome::State::Declined;

    view.setBusy(true);
    FileSetTransaction transaction(m_services.programFolder.path(), m_services.files);
    const Outcome prepared = transaction.prepare();
    QString reason = prepared.reason;
    const CopyStep listStep = prepared ? stageForRestore(transaction, m_set.listFiles, &reason)
                                       : CopyStep::DestinationFailed;
    switch (listStep) {
    case CopyStep::Copied:
        break;
    case CopyStep::DestinationFailed:
        transaction.discard();
        view.setBusy(false);
        reportProgramFolderUnwritable(reason);
        m_steps.status(BackupEngine::NothingRestoredText);
        return BackupOutcome::State::Failed;
    default:
        transaction.discard();
        view.setBusy(false);
        reportRestoreSourceMissing();
        return BackupOutcome::State::Failed;
    }

    if (const QStringList refused = refusalOfStoredList(transaction); !refused.isEmpty()) {
        transaction.discard();
        view.setBusy(false);
        reportDamagedBackup(refused);
        m_steps.status(BackupEngine::NothingRestoredText);
        return BackupOutcome::State::Failed;
    }

    view.letEventsRun();
    m_steps.showTrackerRunStarting(m_set.restoringText);
    for (int value : { 1, 2, 3 }) {
        view.setProgressValue(value);
        m_steps.pause(1);
        view.letEventsRun();
    }

    QStringList refused;
    QStringList missing;
    if (const Outcome staged = stageListedFiles(transaction, refused, missing); !staged) {
        transaction.discard();
        view.setProgressBarVisible(false);
        view.setBusy(false);
        reportProgramFolderUnwritable(staged.message());
        m_steps.status(BackupEngine::NothingRestoredText);
        return BackupOutcome::State::Failed;
    }
    m_outcome.notCopied += refused + missing;
    if (const QStringList damaged = damageIn(transaction); !damaged.isEmpty()) {
        transaction.discard();
        view.setProgressBarVisible(false);
        view.setBusy(false);
        reportDamagedBackup(damaged);
        m_steps.status(BackupEngine::NothingRestoredText);
        return BackupOutcome::State::Failed;
    }
    if (!safety.backUp(transaction)) {
        transaction.discard();
        view.setProgressBarVisible(false);
        view.setBusy(false);
        m_steps.status(BackupEngine::NothingRestoredText);
        return BackupOutcome::State::Failed;
    }
    if (!commitRestore(transaction)) {
        view.setProgressBarVisible(false);
        m_steps.status(BackupEngine::NothingRestoredText);
        return BackupOutcome::State::Failed;
    }

    view.setProgressValue(BackupRunSteps::ProgressMaximum);
    m_steps.pause(1);
    view.letEventsRun();
    m_steps.status(m_outcome.notCopied.isEmpty() ? BackupEngine::RestorationCompletedText
                                                 : BackupEngine::RestorationIncompleteText);
    view.disableRunAction();
    view.setProgressBarVisible(false);
    view.letEventsRun();
    view.setBusy(false);
    if (!m_outcome.notCopied.isEmpty()) {
        m_steps.reportNotCopied(
            QStringLiteral("These files were not restored:"), QStringLiteral("Restore Files"));
        safety.offerUndo();
        return BackupOutcome::State::Failed;
    }
    safety.offerUndo();
    return BackupOutcome::State::Completed;
}

RestoreRun::CopyStep RestoreRun::stageForRestore(
    FileSetTransaction& transaction, const FilePair& files, QString* reason)
{
    if (m_liveNames.isEmpty())
        m_liveNames = BackupRunSteps::namesByLowerCase(
            m_services.files.fileNames(m_services.programFolder.path()));
    const QString source = ProgramFolder(m_steps.targetPath()).filePath(files.backupName);
    if (!m_services.files.exists(source))
        return CopyStep::SourceMissing;
    // The file keeps the spelling it has in the program folder.
    const QStringList previous = m_liveNames.value(files.liveName.toLower());
    const QString name = previous.contains(files.liveName) || previous.isEmpty() ? files.liveName
                                                                                 : previous.first();
    const QString live = QDir(m_services.programFolder.path()).filePath(name);
    const QFileDevice::Permissions permissions = !m_set.isTracker()
        ? BackupFileOperations::OwnerOnly
        : QFileInfo::exists(live)
        ? QFileInfo(live).permissions()
        : QFileInfo(source).permissions() | BackupFileOperations::OwnerOnly;
    QStringList replaced = previous.contains(name) ? QStringList { name } : QStringList {};
    // The other form of the set goes with it: a restored classic keeper
    // takes the vault's place, and a restored vault the classic files'.
    for (const QString& other : m_set.otherFormNames(files, false))
        replaced += m_liveNames.value(other.toLower());
    const FileSetTransaction::Staged staged
        = transaction.stage(source, name, replaced, permissions);
    if (reason && !staged.outcome)
        *reason = staged.outcome.reason;
    switch (staged.result) {
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

Outcome RestoreRun::stageListedFiles(
    FileSetTransaction& transaction, QStringList& refused, QStringList& missing)
{
    const ProgramFolder staging(transaction.stagingFolder());
    IndividualList list(m_set.listFiles.liveName, m_set.dataExtension);
    // A list that cannot be read is reported as damage by damageIn.
    if (!list.load(staging).succeeded)
        return Outcome::success();
    bool listChanged = false;
    for (const QString& name : QStringList(list.names())) {
        if (const QString reason = m_set.refusalOfListedName(name); !reason.isEmpty()) {
            // A name that is never restored is not listed either: the list
            // would name a person without a file.
            refused.append(
                QStringLiteral("%1: skipped, %2; taken off the restored list").arg(name, reason));
            list.remove(name);
            listChanged = true;
            continue;
        }
        const FilePair files = m_set.individualFiles(name);
        QString reason;
        const bool programHasCopy = m_services.files.exists(m_steps.livePath(files.liveName));
        const QString kept = programHasCopy ? QStringLiteral("; the program keeps its own copy")
                                            : QStringLiteral("; the program has no copy either");
        switch (stageForRestore(transaction, files, &reason)) {
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
        return Outcome::success();
    // The list is written by the program's own writer into a scratch
    // folder, so that the staged copy has exactly the bytes a save would.
    QTemporaryDir scratch;
    const ProgramFolder scratchFolder(scratch.path());
    if (!scratch.isValid())
        return Outcome::failure(m_set.listFiles.liveName, scratch.errorString());
    if (Outcome written = list.write(scratchFolder); !written)
        return written;
    bool read = false;
    const QByteArray bytes
        = m_services.files.readFile(scratchFolder.filePath(m_set.listFiles.liveName), &read);
    if (!read)
        return Outcome::failure(
            m_set.listFiles.liveName, QStringLiteral("the list could not be read back"));
    const QString stagedList = QFileInfo(staging.filePath(m_set.listFiles.liveName)).fileName();
    return transaction.restage(stagedList, bytes);
}

QStringList RestoreRun::damageIn(const FileSetTransaction& transaction) const
{
    const ProgramFolder staging(transaction.stagingFolder());
    const QList<BackupFileSet::Damage> damage
        = m_set.findDamage ? m_set.findDamage(staging) : QList<BackupFileSet::Damage> {};
    QStringList damaged = manifestDisagreements(transaction);
    for (const BackupFileSet::Damage& file : damage) {
        const QString source = m_stagedFrom.value(file.fileName);
        damaged.append(QStringLiteral("%1: %2").arg(
            source.isEmpty() ? file.fileName : QFileInfo(source).fileName(), file.reason));
    }
    return damaged;
}

QStringList RestoreRun::refusalOfStoredList(const FileSetTransaction& transaction) const
{
    if (QStringList damaged = damageIn(transaction); !damaged.isEmpty())
        return damaged;
    IndividualList list(m_set.listFiles.liveName, m_set.dataExtension);
    if (!list.load(ProgramFolder(transaction.stagingFolder())).succeeded)
        return {};
    QSet<QString> listed;
    for (const QString& name : list.names()) {
        if (m_set.refusalOfListedName(name).isEmpty())
            listed.insert(m_set.individualFiles(name).backupName.toLower());
    }
    const QString listFile
        = QFileInfo(ProgramFolder(m_steps.targetPath()).filePath(m_set.listFiles.backupName))
              .fileName();
    QStringList refused;
    bool anyHeld = false;
    for (const QString& file : m_services.files.fileNames(m_steps.targetPath())) {
        if (!file.endsWith(m_set.backupExtension, Qt::CaseInsensitive)
            || file.compare(listFile, Qt::CaseInsensitive) == 0)
            continue;
        if (listed.contains(file.toLower()))
            anyHeld = true;
        else
            refused.append(QStringLiteral("%1: the backup holds it but %2 does not name it; the "
                                          "list was cut short or replaced")
                               .arg(file, listFile));
    }
    if (refused.isEmpty() && !listed.isEmpty() && !anyHeld)
        refused.append(QStringLiteral("%1: names none of the people whose files the backup holds")
                           .arg(listFile));
    return refused;
}

QStringList RestoreRun::manifestDisagreements(const FileSetTransaction& transaction) const
{
    QString reason;
    const std::optional<BackupManifest> manifest
        = BackupManifest::read(m_steps.targetPath(), m_services.files, &reason);
    if (!manifest) {
        if (!reason.isEmpty())
            return { reason };
        // Only a dated folder promises a manifest; a folder of one
        // function's backup never has one.
        if (DatedBackups::isDatedName(QFileInfo(QDir::cleanPath(m_steps.targetPath())).fileName()))
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

bool RestoreRun::commitRestore(FileSetTransaction& transaction)
{
    const QStringList staged = transaction.stagedNames();
    if (Outcome committed = transaction.commit(); !committed) {
        m_services.view.setBusy(false);
        reportProgramFolderUnwritable(committed.reason);
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

RestorePlan RestoreRun::plan()
{
    RestorePlan plan;
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return plan;
    FileSetTransaction transaction(scratch.path(), m_services.files);
    if (!transaction.prepare())
        return plan;
    const auto take = [&](const FilePair& files) {
        QString reason;
        switch (stageForRestore(transaction, files, &reason)) {
        case CopyStep::Copied:
            plan.files.append({ files.liveName,
                QFileInfo(ProgramFolder(m_steps.targetPath()).filePath(files.backupName))
                    .fileName() });
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
    QStringList refusedList;
    if (m_set.isTracker()) {
        if (take(m_set.listFiles)) {
            refusedList = refusalOfStoredList(transaction);
            QStringList missing;
            if (const Outcome staged = stageListedFiles(transaction, plan.missing, missing);
                !staged)
                plan.missing.append(staged.message());
            plan.missing += missing;
            for (const QString& name : transaction.stagedNames()) {
                if (name.compare(m_set.listFiles.liveName, Qt::CaseInsensitive) != 0)
                    plan.files.append({ name, QFileInfo(m_stagedFrom.value(name)).fileName() });
            }
        }
    } else {
        const ProgramFolder backup(m_steps.targetPath());
        const QList<FilePair> pairs = m_set.presentFixedFiles(
            [this, &backup](
                const QString& name) { return m_services.files.exists(backup.filePath(name)); },
            true);
        for (const FilePair& files : pairs)
            take(files);
    }
    plan.damaged = refusedList;
    for (const QString& damage : damageIn(transaction)) {
        if (!plan.damaged.contains(damage))
            plan.damaged.append(damage);
    }
    if (plan.damaged.isEmpty() && !plan.files.isEmpty() && m_set.describe) {
        QHash<QString, FunctionContents> current;
        if (FunctionContents now = m_set.describe(m_services.programFolder); now.present)
            current.insert(m_set.contentsKey, now);
        const QHash<QString, FunctionContents> restored { { m_set.contentsKey,
            m_set.describe(ProgramFolder(transaction.stagingFolder())) } };
        plan.loss = RestoreLoss::lines(m_services.sets, current, restored, {});
    }
    transaction.discard();
    return plan;
}

// Restoring an unprotected backup over a protected keeper would quietly
// leave the passwords readable in the folder; the user says so first.
Answer RestoreRun::askUnprotectingGoAhead()
{
    return m_services.messages.show({
        QStringLiteral("The %1 files here are protected by a master password, but this backup "
                       "holds them unprotected. After the restore they will no longer be "
                       "protected.\n\nProceed?")
            .arg(m_set.promptName),
        BackupRunSteps::BackupUtilityTitle,
        Icon::Exclamation,
        Buttons::YesNo,
        Answer::No,
    });
}

Answer RestoreRun::askRestoreGoAhead()
{
    return m_steps.askGoAhead(
        QStringLiteral("This utility will first Delete all existing %1 files\n"
                       "located in Halvorn Program!\n\nProceed?")
            .arg(m_set.promptName));
}

void RestoreRun::reportRestoreSourceMissing()
{
    m_services.messages.error(
        QStringLiteral("Unable to find Backup Disk or Location containing requested files!\n"
                       "Please insert another backup Disk into selected Drive and Try again."),
        BackupRunSteps::DiskErrorTitle);
    m_steps.status(QString());
}

void RestoreRun::reportProgramFolderUnwritable(const QString& reason)
{
    m_services.messages.error(
        QStringLiteral("Unable to write the restored files into the Halvorn program folder!\n"
                       "No files were changed.\n%1")
            .arg(reason),
        BackupRunSteps::DiskErrorTitle);
}

void RestoreRun::reportDamagedBackup(const QStringList& damaged)
{
    m_services.messages.error(
        QStringLiteral("The backup in %1 is damaged and was not restored.\n"
                       "No files were changed.\n%2")
            .arg(QDir::toNativeSeparators(m_steps.targetPath()), damaged.join(u'\n')),
        BackupRunSteps::DiskErrorTitle);
}
