#include "EngineRun.h"

#include "backup/BackupEngine.h"
#include "backup/BackupTarget.h"
#include "backup/FileSetTransaction.h"
#include "datatool/ProgramBackupSets.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <functional>

namespace {

using Answer = MessageService::Answer;
using Icon = MessageService::Icon;
using Buttons = MessageService::Buttons;
using namespace BackupFixtures;
using State = BackupOutcome::State;

// A program folder holding all three functions' files and some that no
// backup copies. Built on first use: the keeper's writer needs the
// application's set-up.
const Files& liveFiles()
{
    static const Files files
        = withChanges(passwordFiles({ "Bank" }, "Secfile1.Fil", "Secfile2.fil"),
            {
                { "WeightTrker.Fil", "\"Ann\"\r\n\"Smith, Bob\"\r\n\"cy\"\r\n" },
                { "Ann.Fil", "50\r\n\"Ann \xe9\"\r\n" },
                { "Smith, Bob.Fil", "bob's weigh-ins" },
                { "cy.Fil", "cy's weigh-ins" },
                { "BPTrker.Fil", "\"Ann\"\r\n\"Dee\"\r\n" },
                { "Ann.Fpl", "ann's readings" },
                { "Dee.Fpl", "dee's readings" },
                { "GColor1.Fil", "settings" },
                { "Zed.Fil", "a file nobody lists" },
                { "Chartxxx.jpg", "a picture" },
            });
    return files;
}

const QString WeightPrompt = QStringLiteral(
    "This utility will first Delete all existing Weight Tracker files\nlocated in Path: %1\n\n"
    "Proceed?");

const QString NewDiskText = QStringLiteral("Disk is either Full, or there is not enough room\n"
                                           "remaining for the requested backup files!\n"
                                           "Please Insert a New Blank Formatted\n"
                                           "Backup Disk and then Click on OK.\n"
                                           "CAUTION: Wait till Disk Drive light goes out and\n"
                                           "Be sure New Disk is inserted before Clicking OK");

const QString CancelledText
    = QStringLiteral("You have cancelled the backup proceedure!\n"
                     "Any backup already on this disk was left as it was.\n"
                     "May we suggest you initiate Backup for these files again!");

// A run over the program folder above.
struct LiveRun : EngineRun {
    LiveRun()
        : EngineRun(liveFiles())
    { }
};

void expectMessage(const MessageService::Message& message, const QString& text,
    const QString& title, Icon icon, Buttons buttons, Answer defaultButton)
{
    EXPECT_EQ(message.text, text);
    EXPECT_EQ(message.title, title);
    EXPECT_EQ(message.icon, icon);
    EXPECT_EQ(message.buttons, buttons);
    EXPECT_EQ(message.defaultButton, defaultButton);
}

// --- each file set, run to its end ----------------------------------------

struct BackupCase {
    BackupKind kind;
    QString promptName;
    Files expected;
    QStringList statuses;
    QList<int> progress;
    int pausedSeconds;
    int runActionDisabled;
};

TEST(BackupEngine, ABackupCopiesItsSetUnderTheBackupNamesAndNothingElse)
{
    const QList<BackupCase> cases {
        { BackupKind::PasswordBackup, "Password",
            { { "Secfile1.Fil", liveFiles()["Secfile1.Fil"] },
                { "Secfile2.Fil", liveFiles()["Secfile2.fil"] } },
            { "Deleting Old Files", "Making Password File Backup Disk", "Backup Complete" }, {}, 1,
            1 },
        { BackupKind::WeightBackup, "Weight Tracker",
            { { "WeightTrker.Wtp", liveFiles()["WeightTrker.Fil"] },
                { "Ann.Wtp", liveFiles()["Ann.Fil"] },
                { "Smith, Bob.Wtp", liveFiles()["Smith, Bob.Fil"] },
                { "cy.Wtp", liveFiles()["cy.Fil"] } },
            { "Deleting Old Files", "Making Backup of Weight Tracker Files", "Backup Complete" },
            { 1, 2, 3, 4 }, 8, 0 },
        { BackupKind::BloodPressureBackup, "Blood Pressure",
            { { "BpTrker.Bpf", liveFiles()["BPTrker.Fil"] }, { "Ann.Bpf", liveFiles()["Ann.Fpl"] },
                { "Dee.Bpf", liveFiles()["Dee.Fpl"] } },
            { "Deleting Old Files", "Making Backup of Blood Pressure Files", "Backup Complete" },
            { 1, 2, 3, 4 }, 8, 0 },
    };
    for (const BackupCase& c : cases) {
        SCOPED_TRACE(qToUnderlying(c.kind));
        LiveRun run;
        const BackupOutcome outcome = run.answerAndRun(c.kind, { Answer::Yes });

        EXPECT_EQ(outcome.state, State::Completed);
        EXPECT_EQ(run.backup(), c.expected);
        EXPECT_EQ(run.live(), liveFiles());
        EXPECT_FALSE(outcome.programFolderChanged);
        EXPECT_TRUE(outcome.notCopied.isEmpty()) << outcome.notCopied.join('\n').toStdString();
        EXPECT_EQ(outcome.copied.size(), c.expected.size());
        ASSERT_EQ(run.messages.messages().size(), 1);
        expectMessage(run.messages.last(),
            QStringLiteral("This utility will first Delete all existing %1 files\n"
                           "located in Path: %2\n\nProceed?")
                .arg(c.promptName, run.backupFolder.path()),
            "Delete Files", Icon::Question, Buttons::YesNoCancel, Answer::No);
        EXPECT_EQ(run.view.statuses, c.statuses);
        EXPECT_EQ(run.view.progress, c.progress);
        EXPECT_EQ(run.clock.pausedSeconds(), c.pausedSeconds);
        EXPECT_EQ(run.view.runActionDisabled, c.runActionDisabled);
        EXPECT_TRUE(run.view.statusPanelVisible);
        EXPECT_FALSE(run.view.progressBarVisible);
        EXPECT_FALSE(run.view.busy);
    }
}

struct RestoreCase {
    BackupKind kind;
    QString promptName;
    Files backupSet;
    Files restored;
    QStringList statuses;
    QList<int> progress;
    int pausedSeconds;
};

TEST(BackupEngine, ARestoreReplacesTheSetsFilesAndLeavesTheRest)
{
    const QList<RestoreCase> cases {
        { BackupKind::PasswordRestore, "Password", passwordFiles({ "Mail", "Shop" }),
            passwordFiles({ "Mail", "Shop" }, "Secfile1.Fil", "Secfile2.fil"),
            { "Deleting Old Password Files", "Restoring Password Files", "Restoration Completed" },
            {}, 0 },
        { BackupKind::WeightRestore, "Weight Tracker",
            { { "WeightTrker.Wtp", "\"Ann\"\r\n\"Eve\"\r\n" },
                { "Ann.Wtp", weightFile("ann restored") },
                { "Eve.Wtp", weightFile("eve restored") } },
            { { "WeightTrker.Fil", "\"Ann\"\r\n\"Eve\"\r\n" },
                { "Ann.Fil", weightFile("ann restored") },
                { "Eve.Fil", weightFile("eve restored") } },
            { "Deleting Old Files", "Restoring Weight Tracker Files", "Restoration Completed" },
            { 1, 2, 3, 4 }, 7 },
        { BackupKind::BloodPressureRestore, "Blood Pressure",
            { { "BpTrker.Bpf", "\"Dee\"\r\n" }, { "Dee.Bpf", bloodPressureFile("dee restored") } },
            { { "BPTrker.Fil", "\"Dee\"\r\n" }, { "Dee.Fpl", bloodPressureFile("dee restored") } },
            { "Deleting Old Files", "Restoring Blood Pressure Files", "Restoration Completed" },
            { 1, 2, 3, 4 }, 7 },
    };
    for (const RestoreCase& c : cases) {
        SCOPED_TRACE(qToUnderlying(c.kind));
        LiveRun run;
        writeAll(run.backupFolder, c.backupSet);
        // What would be lost, the go-ahead, and the offer to undo.
        const BackupOutcome outcome = run.answerAndRun(c.kind, { Answer::Ok, Answer::Yes });

        EXPECT_EQ(outcome.state, State::Completed);
        EXPECT_TRUE(outcome.programFolderChanged);
        EXPECT_EQ(run.live(), withChanges(liveFiles(), c.restored));
        EXPECT_EQ(run.backup(), c.backupSet);
        ASSERT_EQ(run.messages.messages().size(), 3);
        expectMessage(run.messages.messages().at(1),
            QStringLiteral("This utility will first Delete all existing %1 files\n"
                           "located in Halvorn Program!\n\nProceed?")
                .arg(c.promptName),
            "Delete Files", Icon::Question, Buttons::YesNoCancel, Answer::No);
        EXPECT_EQ(run.view.statuses, c.statuses);
        EXPECT_EQ(run.view.progress, c.progress);
        EXPECT_EQ(run.clock.pausedSeconds(), c.pausedSeconds);
        EXPECT_EQ(run.view.runActionDisabled, 1);
        EXPECT_EQ(run.view.copied.size(), c.restored.size());
        EXPECT_FALSE(run.view.progressBarVisible);
        EXPECT_FALSE(run.view.busy);
    }
}

TEST(BackupEngine, NoOrCancelToTheGoAheadChangesNothing)
{
    const Files backupSet { { "Secfile1.Fil", "i" }, { "Secfile2.Fil", "e" },
        { "WeightTrker.Wtp", "\"Eve\"\r\n" }, { "Eve.Wtp", "eve" },
        { "BpTrker.Bpf", "\"Eve\"\r\n" }, { "Eve.Bpf", "eve" } };
    for (const BackupFileSet& set : ProgramBackupSets::all().all()) {
        for (BackupKind kind : { set.backupKind, set.restoreKind }) {
            for (Answer answer : { Answer::No, Answer::Cancel }) {
                SCOPED_TRACE(qToUnderlying(kind));
                LiveRun run;
                writeAll(run.backupFolder, backupSet);
                const BackupOutcome outcome = run.answerAndRun(kind, { answer });
                EXPECT_EQ(outcome.state, State::Declined);
                EXPECT_EQ(run.messages.messages().size(), 1);
                EXPECT_EQ(run.live(), liveFiles());
                EXPECT_EQ(run.backup(), backupSet);
                EXPECT_TRUE(run.files.copies().isEmpty());
                EXPECT_EQ(run.view.runActionDisabled, 0);
                EXPECT_FALSE(run.view.busy);
            }
        }
    }
}

// --- backup faults ---------------------------------------------------------

// The second copy of a weight backup (Ann's file) fails: the partial copy is
// removed and the new-disk prompt offers to go on.
TEST(BackupEngine, AFailedCopyAsksForANewDiskAndCopiesTheSameFileFirst)
{
    LiveRun run;
    run.files.fillUpAfter(liveFiles()["WeightTrker.Fil"].size() + 3);
    const BackupOutcome outcome
        = run.answerAndRun(BackupKind::WeightBackup, { Answer::Yes, Answer::Ok });

    ASSERT_EQ(run.messages.messages().size(), 2);
    expectMessage(run.messages.messages().at(1), NewDiskText, "Backup Disk", Icon::Information,
        Buttons::OkCancel, Answer::Ok);
    EXPECT_EQ(run.files.copies(),
        QStringList({ "WeightTrker.Fil -> WeightTrker.Wtp", "Ann.Fil -> Ann.Wtp",
            "Ann.Fil -> Ann.Wtp", "cy.Fil -> cy.Wtp", "Smith, Bob.Fil -> Smith, Bob.Wtp" }));
    EXPECT_EQ(outcome.state, State::Completed);
    EXPECT_EQ(run.backup()["Ann.Wtp"], liveFiles()["Ann.Fil"]);
    EXPECT_EQ(run.backup().size(), 4);
    EXPECT_EQ(run.view.statusText, "Backup Complete");
}

// The new copies wait beside the earlier backup until every one is made and
// checked: Cancel leaves that backup whole.
TEST(BackupEngine, CancelAtTheNewDiskPromptLeavesTheEarlierBackupWhole)
{
    struct Case {
        const char* fault;
        std::function<void(FaultyFileOperations&)> inject;
    };
    const QList<Case> cases {
        { "second copy fails", [](FaultyFileOperations& files) { files.failCopy(2); } },
        { "disk full part-way",
            [](FaultyFileOperations& files) {
                files.fillUpAfter(liveFiles()["WeightTrker.Fil"].size() + 3);
            } },
        { "copy differs", [](FaultyFileOperations& files) { files.corruptCopy(2); } },
    };
    const Files earlier { { "WeightTrker.Wtp", "\"Ann\"\r\n" }, { "Ann.Wtp", "ann last week" } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        LiveRun run;
        writeAll(run.backupFolder, earlier);
        c.inject(run.files);
        const BackupOutcome outcome
            = run.answerAndRun(BackupKind::WeightBackup, { Answer::Yes, Answer::Cancel });

        EXPECT_EQ(outcome.state, State::Cancelled);
        ASSERT_EQ(run.messages.messages().size(), 3);
        expectMessage(run.messages.last(), CancelledText, "Backup Proceedure Cancelation",
            Icon::Information, Buttons::Ok, Answer::Ok);
        EXPECT_EQ(run.backup(), earlier);
        EXPECT_FALSE(FileSetTransaction::hasUnfinishedRun(run.backupFolder.path()));
        EXPECT_EQ(run.view.statuses.mid(run.view.statuses.size() - 2),
            QStringList({ "", "Backup Terminated by User" }));
        EXPECT_EQ(run.live(), liveFiles());
        EXPECT_FALSE(run.view.busy);
    }
}

// A retry after the new-disk prompt is checked like the first copy.
TEST(BackupEngine, ARetriedCopyThatComesOutWrongAsksAgain)
{
    LiveRun run;
    run.files.failCopy(2);
    run.files.corruptCopy(3);
    const BackupOutcome outcome
        = run.answerAndRun(BackupKind::WeightBackup, { Answer::Yes, Answer::Ok, Answer::Ok });

    EXPECT_EQ(run.messages.texts(),
        QStringList({ WeightPrompt.arg(run.backupFolder.path()), NewDiskText, NewDiskText }));
    EXPECT_EQ(outcome.state, State::Completed);
    EXPECT_EQ(run.backup()["Ann.Wtp"], liveFiles()["Ann.Fil"]);
}

// Both password files go on the new disk, so that a restore finds them
// together.
TEST(BackupEngine, APasswordBackupStartsAgainWithBothFilesOnANewDisk)
{
    LiveRun run;
    run.files.failCopy(2);
    BackupOutcome outcome
        = run.answerAndRun(BackupKind::PasswordBackup, { Answer::Yes, Answer::Ok });
    EXPECT_EQ(run.files.copies(),
        QStringList({ "Secfile1.Fil -> Secfile1.Fil", "Secfile2.fil -> Secfile2.Fil",
            "Secfile1.Fil -> Secfile1.Fil", "Secfile2.fil -> Secfile2.Fil" }));
    EXPECT_EQ(outcome.state, State::Completed);
    EXPECT_EQ(run.backup().size(), 2);
    EXPECT_EQ(run.view.runActionDisabled, 1);

    LiveRun cancelled;
    cancelled.files.failCopy(2);
    outcome = cancelled.answerAndRun(BackupKind::PasswordBackup, { Answer::Yes, Answer::Cancel });
    EXPECT_EQ(outcome.state, State::Cancelled);
    EXPECT_TRUE(cancelled.backup().isEmpty());
    EXPECT_EQ(cancelled.view.statusText, "Backup Terminated by User");
    EXPECT_EQ(cancelled.view.runActionDisabled, 0);
}

// The first password file cannot be written: no backup was made, and OK
// takes the lists back to the program folder's volume.
TEST(BackupEngine, APasswordBackupThatCannotWriteSaysNoBackupWasMade)
{
    for (Answer answer : { Answer::Ok, Answer::Cancel }) {
        LiveRun run;
        run.files.failCopy(1);
        const BackupOutcome outcome
            = run.answerAndRun(BackupKind::PasswordBackup, { Answer::Yes, answer });
        EXPECT_EQ(outcome.state, State::Failed);
        expectMessage(run.messages.last(),
            "Unable to access Disk or Disk is Full!\n"
            "Make sure Disk is in Drive and Not Write Protected!",
            "Disk Error", Icon::Information, Buttons::OkCancel, Answer::Ok);
        EXPECT_EQ(run.view.returnedToProgramVolume, answer == Answer::Ok ? 1 : 0);
        EXPECT_TRUE(run.backup().isEmpty());
        EXPECT_EQ(run.view.statusText, "No Backup was made");
        EXPECT_EQ(run.view.runActionDisabled, 0);
    }
}

// A file missing from the program folder is not a full disk.
TEST(BackupEngine, MissingProgramFilesAreNamedNotTakenForAFullDisk)
{
    struct Case {
        BackupKind kind;
        QStringList removed;
        QString unreadable;
        QString message;
        QString status;
        qsizetype copied;
    };
    const QList<Case> cases {
        { BackupKind::WeightBackup, { "WeightTrker.Fil" }, {},
            "There are currently no files to Backup!", "No Backup was made", 0 },
        { BackupKind::BloodPressureBackup, { "BPTrker.Fil" }, {},
            "There are currently no files to Backup!", "No Backup was made", 0 },
        { BackupKind::PasswordBackup, { "Secfile1.Fil" }, {},
            "There are currently no files to Backup!", "No Backup was made", 0 },
        { BackupKind::WeightBackup, { "Smith, Bob.Fil" }, {},
            "These files were not backed up:\nSmith, Bob.Fil: not found in the program folder",
            "Backup Incomplete: some files were not copied", 3 },
        { BackupKind::WeightBackup, {}, "cy.Fil",
            "These files were not backed up:\ncy.Fil: could not be read (Permission denied)",
            "Backup Incomplete: some files were not copied", 3 },
        // Half a keeper is no backup: nothing is copied.
        { BackupKind::PasswordBackup, { "Secfile2.fil" }, {},
            "These files were not backed up:\nSecfile2.fil: not found in the program folder",
            "No Backup was made", 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        LiveRun run;
        for (const QString& name : c.removed)
            QFile::remove(run.program.filePath(name));
        if (!c.unreadable.isEmpty())
            run.files.makeUnreadable(c.unreadable);
        const BackupOutcome outcome = run.answerAndRun(c.kind, { Answer::Yes });

        EXPECT_EQ(outcome.state, State::Failed);
        EXPECT_EQ(run.messages.messages().size(), 2)
            << run.messages.texts().join('|').toStdString();
        EXPECT_EQ(run.messages.last().text, c.message);
        EXPECT_EQ(run.view.statusText, c.status);
        EXPECT_EQ(run.backup().size(), c.copied);
        EXPECT_EQ(run.view.runActionDisabled, 0);
        EXPECT_FALSE(run.view.busy);
    }
}

// Copies that earlier runs left in another letter case are replaced, and a
// name that would write outside the backup folder or over the list's own
// copy is skipped and named.
TEST(BackupEngine, OldCopiesInAnyCaseAreReplacedAndUnsafeNamesSkipped)
{
    LiveRun run;
    run.program.write("WeightTrker.Fil",
        "\"Ann\"\r\n\"..\"\r\n\"../Escaped\"\r\n\"weighttrker\"\r\n\"GColor1\"\r\n");
    run.backupFolder.write("ANN.WTP", "an old copy");
    run.backupFolder.write("weighttrker.wtp", "an old list");
    const BackupOutcome outcome = run.answerAndRun(BackupKind::WeightBackup, { Answer::Yes });

    EXPECT_EQ(run.backup(),
        Files({ { "WeightTrker.Wtp", run.program.read("WeightTrker.Fil") },
            { "Ann.Wtp", liveFiles()["Ann.Fil"] } }));
    EXPECT_FALSE(QFileInfo::exists(QDir(run.backupFolder.path()).filePath("../Escaped.Wtp")));
    EXPECT_EQ(outcome.state, State::Failed);
    EXPECT_EQ(outcome.notCopied.size(), 4) << outcome.notCopied.join('\n').toStdString();
    for (const char* name : { "..", "../Escaped", "weighttrker", "GColor1" })
        EXPECT_TRUE(run.messages.last().text.contains(QStringLiteral("\n%1: skipped").arg(name)))
            << name;
}

// --- restore faults --------------------------------------------------------

TEST(BackupEngine, APasswordRestoreNeedsBothBackupFilesBeforeItAsks)
{
    for (const char* present : { "Secfile1.Fil", "Secfile2.Fil" }) {
        LiveRun run;
        run.backupFolder.write(present, "only one");
        const BackupOutcome outcome = run.answerAndRun(BackupKind::PasswordRestore, {});
        ASSERT_EQ(run.messages.messages().size(), 1);
        expectMessage(run.messages.last(),
            "Unable to find Password Files Backup Disk or Backup files!\n"
            "Please insert Password Disk into selected Drive and Try again.",
            "Disk Error", Icon::Critical, Buttons::Ok, Answer::Ok);
        EXPECT_EQ(outcome.state, State::Failed);
        EXPECT_EQ(run.live(), liveFiles());
    }
}

TEST(BackupEngine, ATrackerRestoreWithoutTheBackupListChangesNothing)
{
    LiveRun run;
    run.backupFolder.write("Ann.Wtp", "a file without its list");
    const BackupOutcome outcome = run.answerAndRun(BackupKind::WeightRestore, { Answer::Yes });
    expectMessage(run.messages.last(),
        "Unable to find Backup Disk or Location containing requested files!\n"
        "Please insert another backup Disk into selected Drive and Try again.",
        "Disk Error", Icon::Critical, Buttons::Ok, Answer::Ok);
    EXPECT_EQ(outcome.state, State::Failed);
    EXPECT_FALSE(outcome.programFolderChanged);
    EXPECT_EQ(run.live(), liveFiles());
    EXPECT_EQ(run.view.statusText, "");
    EXPECT_FALSE(run.view.busy);
}

// A person whose file the backup lacks (or cannot give) keeps the program's
// copy; the others are restored and one message names what was kept. A name
// that is never restored leaves the restored list.
TEST(BackupEngine, ATrackerRestoreKeepsTheLiveFileOfAPersonTheBackupLacks)
{
    LiveRun run;
    QFile::remove(run.program.filePath("Smith, Bob.Fil"));
    writeAll(run.backupFolder,
        { { "weighttrker.wtp", "\"Ann\"\r\n\"Smith, Bob\"\r\n\"cy\"\r\n\"..\"\r\n" },
            { "ann.WTP", weightFile("ann restored") }, { "cy.Wtp", weightFile("cy restored") } });
    run.files.failCopy(3);
    const BackupOutcome outcome
        = run.answerAndRun(BackupKind::WeightRestore, { Answer::Ok, Answer::Yes });

    Files expected = withChanges(liveFiles(),
        { { "WeightTrker.Fil", "\"Ann\"\r\n\"cy\"\r\n\"Smith, Bob\"\r\n" },
            { "Ann.Fil", weightFile("ann restored") } });
    expected.remove("Smith, Bob.Fil");
    EXPECT_EQ(run.live(), expected);
    EXPECT_EQ(outcome.state, State::Failed);
    EXPECT_TRUE(outcome.programFolderChanged);
    ASSERT_EQ(run.messages.messages().size(), 4);
    expectMessage(run.messages.messages().at(2),
        "These files were not restored:\n"
        "..: skipped, A name cannot be \".\" or \"..\".; taken off the restored list\n"
        "cy.Fil: could not be written (No space left on device); the program keeps its own copy\n"
        "Smith, Bob.Fil: Smith, Bob.Wtp not found in the backup; the program has no copy either",
        "Restore Files", Icon::Exclamation, Buttons::Ok, Answer::Ok);
    EXPECT_EQ(run.view.statusText, "Restoration Incomplete: some files were not restored");
    EXPECT_EQ(run.view.runActionDisabled, 1);
}

// A list whose refused names cannot be taken off is not restored as it is:
// it would still name them. Nothing is restored.
TEST(BackupEngine, ATrackerRestoreWhoseListCannotBeRewrittenChangesNothing)
{
    LiveRun run;
    writeAll(run.backupFolder,
        { { "weighttrker.wtp", "\"Ann\"\r\n\"..\"\r\n" },
            { "ann.WTP", weightFile("ann restored") } });
    run.files.failWriteOf("WeightTrker.Fil");
    const BackupOutcome outcome
        = run.answerAndRun(BackupKind::WeightRestore, { Answer::Ok, Answer::Yes });

    EXPECT_EQ(run.live(), liveFiles());
    EXPECT_EQ(outcome.state, State::Failed);
    EXPECT_FALSE(outcome.programFolderChanged);
    ASSERT_FALSE(run.messages.messages().isEmpty());
    EXPECT_TRUE(run.messages.last().text.startsWith(
        "Unable to write the restored files into the Halvorn program folder!\nNo files were "
        "changed."))
        << run.messages.last().text.toStdString();
}

// Nothing of the program folder is lost when a restore fails: the live
// files are byte for byte as before and no temporary file is left.
TEST(BackupEngine, AFailedRestoreLeavesTheProgramFolderAsItWas)
{
    struct Case {
        const char* fault;
        BackupKind kind;
        std::function<void(FaultyFileOperations&)> inject;
        QList<Answer> answers;
        State state;
    };
    const QList<Case> cases {
        { "password copy fails, Cancel", BackupKind::PasswordRestore,
            [](FaultyFileOperations& files) { files.failCopy(2); },
            { Answer::Ok, Answer::Yes, Answer::Cancel }, State::Cancelled },
        { "password copy differs, Cancel", BackupKind::PasswordRestore,
            [](FaultyFileOperations& files) { files.corruptCopy(1); },
            { Answer::Ok, Answer::Yes, Answer::Cancel }, State::Cancelled },
        // Renames: first the safety backup's (its journal, each file, its
        // manifest: 4 for the two password files, 6 for the weight list and
        // three people), then the restore's journal, then each old file set
        // aside and its new one put in its place.
        { "the safety backup cannot be finished", BackupKind::PasswordRestore,
            [](FaultyFileOperations& files) { files.failRename(4); }, { Answer::Ok, Answer::Yes },
            State::Failed },
        { "second password file cannot be put in place", BackupKind::PasswordRestore,
            [](FaultyFileOperations& files) { files.failRename(4 + 5); },
            { Answer::Ok, Answer::Yes }, State::Failed },
        { "weight list cannot be written", BackupKind::WeightRestore,
            [](FaultyFileOperations& files) { files.fillUpAfter(3); }, { Answer::Ok, Answer::Yes },
            State::Failed },
        { "a weight file cannot be put in place", BackupKind::WeightRestore,
            [](FaultyFileOperations& files) { files.failRename(6 + 4); },
            { Answer::Ok, Answer::Yes }, State::Failed },
        { "the journal cannot be put in place", BackupKind::WeightRestore,
            [](FaultyFileOperations& files) { files.failRename(6 + 1); },
            { Answer::Ok, Answer::Yes }, State::Failed },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        LiveRun run;
        writeAll(run.backupFolder, passwordFiles({ "Mail" }));
        writeAll(run.backupFolder,
            { { "WeightTrker.Wtp", "\"Ann\"\r\n\"cy\"\r\n" },
                { "Ann.Wtp", weightFile("ann restored") },
                { "cy.Wtp", weightFile("cy restored") } });
        c.inject(run.files);
        const BackupOutcome outcome = run.answerAndRun(c.kind, c.answers);

        EXPECT_EQ(outcome.state, c.state);
        EXPECT_FALSE(outcome.programFolderChanged);
        EXPECT_EQ(run.live(), liveFiles());
        EXPECT_FALSE(FileSetTransaction::hasUnfinishedRun(run.program.path()));
        EXPECT_EQ(run.view.statusText, "No Files were Restored");
        EXPECT_EQ(run.view.runActionDisabled, 0);
        EXPECT_FALSE(run.view.busy);
    }
}

TEST(BackupEngine, APasswordRestoreRetriesAfterOk)
{
    LiveRun run;
    writeAll(run.backupFolder, passwordFiles({ "Mail" }));
    run.files.failCopy(2);
    const BackupOutcome outcome
        = run.answerAndRun(BackupKind::PasswordRestore, { Answer::Ok, Answer::Yes, Answer::Ok });
    expectMessage(run.messages.messages().at(2),
        "Unable to access Disk, Or No Password Restore Files Were Found on This Disk! Make sure "
        "Disk is in Drive!",
        "Disk Error", Icon::Information, Buttons::OkCancel, Answer::Ok);
    EXPECT_EQ(outcome.state, State::Completed);
    EXPECT_EQ(run.live(),
        withChanges(liveFiles(), passwordFiles({ "Mail" }, "Secfile1.Fil", "Secfile2.fil")));
}

// Permissions: a backup leaves the live files alone; a restore keeps the
// permissions of the file it replaces.
TEST(BackupEngine, PermissionsOfLiveFilesAreKept)
{
    LiveRun run;
    const QString index = run.program.filePath("Secfile1.Fil");
    const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(index, ownerOnly));
    ASSERT_TRUE(QFile::setPermissions(run.program.filePath("Secfile2.fil"), readOnly));
    run.answerAndRun(BackupKind::PasswordBackup, { Answer::Yes });
    EXPECT_EQ(QFile::permissions(index) & 0x7077, ownerOnly);
    EXPECT_EQ(QFile::permissions(run.program.filePath("Secfile2.fil")) & 0x7077, readOnly);

    QFile::setPermissions(run.program.filePath("Secfile2.fil"), ownerOnly);
    run.answerAndRun(BackupKind::PasswordRestore, { Answer::Ok, Answer::Yes });
    EXPECT_EQ(QFile::permissions(index) & 0x7077, ownerOnly);
}

// --- the target -------------------------------------------------------------

TEST(BackupEngine, TheProgramFolderIsNeverATarget)
{
    LiveRun run;
    const QString link = run.backupFolder.filePath("link");
    ASSERT_TRUE(QFile::link(run.program.path(), link));
    const QStringList spellings { run.program.path(), run.program.path() + "/",
        run.program.path().toUpper(), run.program.path() + "/./", link + "/" };
    for (const QString& spelling : spellings) {
        for (const BackupFileSet& set : ProgramBackupSets::all().all()) {
            for (BackupKind kind : { set.backupKind, set.restoreKind }) {
                SCOPED_TRACE(spelling.toStdString() + " " + std::to_string(qToUnderlying(kind)));
                run.messages.clear();
                run.messages.queueAnswer(Answer::Yes);
                const BackupOutcome outcome = ProgramBackupSets::all().isRestoreKind(kind)
                    ? run.engine.restore(kind, spelling)
                    : run.engine.backup(kind, spelling, spelling);
                EXPECT_EQ(outcome.state, State::Declined);
                ASSERT_EQ(run.messages.messages().size(), 1);
                expectMessage(run.messages.last(),
                    "The selected Folder is the Halvorn program folder itself!\n"
                    "Please select another Drive or Folder.",
                    "Backup Utility", Icon::Exclamation, Buttons::Ok, Answer::Ok);
            }
        }
    }
    EXPECT_TRUE(run.files.copies().isEmpty());
    EXPECT_EQ(run.live(), liveFiles());
}

TEST(BackupEngine, ARestorePlanNamesWhatWouldBeReplaced)
{
    LiveRun run;
    writeAll(run.backupFolder,
        { { "WeightTrker.Wtp", "\"Ann\"\r\n\"Eve\"\r\n\"../x\"\r\n" },
            { "ANN.wtp", weightFile("a") } });
    const BackupEngine::RestorePlan plan
        = run.engine.restorePlan(BackupKind::WeightRestore, run.target());
    EXPECT_EQ(plan.files,
        QList<BackupFileSet::FilePair>(
            { { "WeightTrker.Fil", "WeightTrker.Wtp" }, { "Ann.Fil", "ANN.wtp" } }));
    EXPECT_EQ(plan.missing,
        QStringList({ "../x: skipped, A name cannot contain \"/\" or \"\\\".; taken off the "
                      "restored list",
            "Eve.Fil: Eve.Wtp not found in the backup; the program has no copy either" }));
    EXPECT_TRUE(plan.damaged.isEmpty());
    EXPECT_EQ(run.live(), liveFiles());
    EXPECT_FALSE(FileSetTransaction::hasUnfinishedRun(run.program.path()));
}

} // namespace
