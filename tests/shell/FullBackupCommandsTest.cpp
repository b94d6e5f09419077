#include "../backup/Household.h"
#include "FolderContents.h"
#include "MainScreenFixture.h"
#include "ModalWindow.h"

#include "backup/DatedBackups.h"
#include "backup/DiskFileOperations.h"
#include "shell/BackupSettingsDialog.h"
#include "shell/FullBackupCommands.h"
#include "shell/RestoreEverythingDialog.h"
#include "storage/ProgramSettings.h"
#include "storage/ZorqNameFile.h"

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>

#include <functional>

using Answer = MessageService::Answer;

namespace {

class FullBackupCommandsTest : public MainScreenFixture
{
protected:
    void SetUp() override
    {
        program->write("WeightTrker.Fil", "\"Ann\"\r\n");
        program->write("Ann.Fil", "\"1\"\r\n\"old\"\r\n" + QByteArray("\"\"\r\n").repeated(10));
        program->write("ZORQNAME.FIL", "");
    }

    void turnOnCloseTimeBackup()
    {
        const ProgramSettings settings(program->folder());
        EXPECT_TRUE(settings.setBackupFolder(backups.path()));
        EXPECT_TRUE(settings.setBackUpAtClose(true));
    }

    QStringList datedNames()
    {
        DiskFileOperations disk;
        QStringList names;
        for (const DatedBackups::Entry& entry : DatedBackups::list(backups.path(), disk))
            names.append(entry.name + (entry.state == DatedBackups::State::Complete ? "" : " ?"));
        return names;
    }

    // Closes the main screen by its close box and starts a new one, as the
    // next start of the program would.
    void closeAndReopen()
    {
        screen->close();
        screen.reset();
        state = ShellState();
        messages.clear();
        start();
    }

    QString panelText() { return find<QLabel>("StatusBar1Panel2")->text(); }

    TemporaryProgramFolder backups;
};

} // namespace

TEST_F(FullBackupCommandsTest, TheCloseTimeBackupRunsAtMostOnceADay)
{
    turnOnCloseTimeBackup();
    start();
    EXPECT_EQ(panelText(), "No backup yet");

    closeAndReopen();
    EXPECT_EQ(datedNames(), QStringList({ "Halvorn 2026-12-09 1000" }));
    EXPECT_EQ(panelText(), "Last backup: December 9, 2026");
    // The backup's own settings know it was made, so restoring them does
    // not bring on another the same day.
    EXPECT_EQ(ProgramSettings(ProgramFolder(backups.filePath("Halvorn 2026-12-09 1000")))
                  .lastCloseBackupDate(),
        QDate(2026, 12, 9));

    // Later the same day: no second backup.
    clock.setNow(QDateTime(QDate(2026, 12, 9), QTime(18, 45)));
    closeAndReopen();
    EXPECT_EQ(datedNames().size(), 1);

    // The next day's close makes one, and the Exit command's too.
    clock.setNow(QDateTime(QDate(2026, 12, 10), QTime(8, 5)));
    messages.queueAnswer(Answer::Yes);
    screen->exitProgram();
    EXPECT_EQ(datedNames(), QStringList({ "Halvorn 2026-12-09 1000", "Halvorn 2026-12-10 0805" }));
    EXPECT_EQ(ProgramSettings(program->folder()).lastCloseBackupDate(), QDate(2026, 12, 10));
    EXPECT_TRUE(messages.texts().filter("backup").isEmpty())
        << messages.texts().join('\n').toStdString();
}

TEST_F(FullBackupCommandsTest, AFailedCloseTimeBackupIsSaidAndTriedAgainAtTheNextClose)
{
    const ProgramSettings settings(program->folder());
    backups.write("not a folder", "x");
    EXPECT_TRUE(settings.setBackupFolder(backups.filePath("not a folder/halvorn")));
    EXPECT_TRUE(settings.setBackUpAtClose(true));
    start();
    screen->close();
    EXPECT_EQ(messages.last().title, "Back Up Everything");
    EXPECT_TRUE(messages.last().text.startsWith(
        "The backup of everything made when Halvorn closes could not be made."))
        << messages.last().text.toStdString();
    EXPECT_FALSE(settings.lastCloseBackupDate().isValid());
}

TEST_F(FullBackupCommandsTest, WithoutTheSettingClosingMakesNoBackup)
{
    EXPECT_TRUE(ProgramSettings(program->folder()).setBackupFolder(backups.path()));
    start();
    closeAndReopen();
    EXPECT_TRUE(datedNames().isEmpty());
}

TEST_F(FullBackupCommandsTest, TheStatusBarSaysSoWhenTheLastBackupIsOldWithoutAMessageBox)
{
    turnOnCloseTimeBackup();
    start();
    closeAndReopen();
    EXPECT_TRUE(ProgramSettings(program->folder()).setBackUpAtClose(false));
    clock.setNow(clock.now().addDays(31));
    closeAndReopen();
    EXPECT_EQ(panelText(), "Last backup: December 9, 2026, 31 days ago: time to back up again");
    EXPECT_TRUE(messages.messages().isEmpty());
    // A longer setting is heeded.
    EXPECT_TRUE(ProgramSettings(program->folder()).setBackupOverdueDays(60));
    closeAndReopen();
    EXPECT_EQ(panelText(), "Last backup: December 9, 2026");
}

TEST_F(FullBackupCommandsTest, BackUpEverythingWritesADatedFolderAndTheStatusBarShowsIt)
{
    start();
    // The program folder, or one inside it, is refused.
    dialogs.queueFolder(program->filePath("backups"));
    find<QAction>("mOBE")->trigger();
    EXPECT_EQ(messages.last().title, "Back Up Everything");
    EXPECT_TRUE(messages.last().text.contains("program folder"))
        << messages.last().text.toStdString();
    EXPECT_EQ(panelText(), "No backup yet");

    dialogs.queueFolder(backups.path());
    find<QAction>("mOBE")->trigger();
    EXPECT_EQ(messages.last().icon, MessageService::Icon::Information);
    EXPECT_TRUE(messages.last().text.startsWith("Backup Complete: "))
        << messages.last().text.toStdString();
    EXPECT_EQ(datedNames(), QStringList({ "Halvorn 2026-12-09 1000" }));
    EXPECT_EQ(panelText(), "Last backup: December 9, 2026");
    EXPECT_EQ(screen->statusText(), "Main Menu");
}

// Every completed backup counts, whatever made it: the status bar says so
// after a restart, from the day stored in Halvorn.ini even when no dated
// folder speaks for it (a function's own backup, or the folder gone).
TEST_F(FullBackupCommandsTest, EveryCompletedBackupShowsInTheStatusBarAfterARestart)
{
    const struct Case {
        const char* kind;
        std::function<void()> backUp;
    } cases[] = {
        { "Back Up Everything",
            [this] {
                dialogs.queueFolder(backups.path());
                find<QAction>("mOBE")->trigger();
            } },
        { "the backup when Halvorn closes",
            [this] {
                turnOnCloseTimeBackup();
                closeAndReopen();
                EXPECT_TRUE(ProgramSettings(program->folder()).setBackUpAtClose(false));
            } },
        // What a function's Backup, halvorn-data backup and the daily timer
        // store once their run completed (each checked in its own tests).
        { "a function's backup",
            [this] {
                EXPECT_TRUE(ProgramSettings(program->folder()).recordBackup(clock.today()));
            } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        renewFolder();
        SetUp();
        QDir().mkpath(backups.path());
        clock.setNow(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
        start();
        EXPECT_EQ(panelText(), "No backup yet");
        c.backUp();
        EXPECT_EQ(ProgramSettings(program->folder()).lastBackupDate(), QDate(2026, 12, 9));
        clock.setNow(QDateTime(QDate(2026, 12, 11), QTime(9, 0)));
        closeAndReopen();
        EXPECT_EQ(panelText(), "Last backup: December 9, 2026");
        // The dated folders gone, the stored day still tells.
        QDir(backups.path()).removeRecursively();
        closeAndReopen();
        EXPECT_EQ(panelText(), "Last backup: December 9, 2026");
        screen->close();
        screen.reset();
    }
}

TEST_F(FullBackupCommandsTest, RestoreEverythingRestoresTheChosenDatedBackup)
{
    EXPECT_TRUE(ZorqNameFile(program->folder()).setFamilyName("Jones"));
    start();
    dialogs.queueFolder(backups.path());
    find<QAction>("mOBE")->trigger();
    program->write("Ann.Fil", "\"1\"\r\n\"new\"\r\n" + QByteArray("\"\"\r\n").repeated(10));
    EXPECT_TRUE(ZorqNameFile(program->folder()).setFamilyName("Smith"));
    screen.reset();
    start();
    EXPECT_TRUE(screen->windowTitle().contains("Smith")) << screen->windowTitle().toStdString();

    QStringList listed;
    whenModalOpens<RestoreEverythingDialog>(
        "RestoreEverything", [&](RestoreEverythingDialog* dialog) {
            ASSERT_NE(dialog, nullptr);
            auto* list = dialog->findChild<QTableWidget*>("BackupList");
            for (int row = 0; row < list->rowCount(); ++row)
                listed.append(list->item(row, 0)->text() + " | " + list->item(row, 1)->text());
            dialog->findChild<QPushButton*>("RestoreButton")->click();
        });
    messages.queueAnswer(Answer::Yes);
    find<QAction>("mORE")->trigger();

    EXPECT_EQ(listed, QStringList({ "December 9, 2026 10:00 AM | Complete" }));
    ASSERT_GE(messages.messages().size(), 3);
    const MessageService::Message question = messages.messages().at(messages.messages().size() - 2);
    EXPECT_EQ(question.defaultButton, Answer::No);
    EXPECT_TRUE(question.text.contains("backup of December 9, 2026"))
        << question.text.toStdString();
    EXPECT_TRUE(messages.last().text.startsWith("Restoration Completed: "))
        << messages.last().text.toStdString();
    EXPECT_TRUE(program->read("Ann.Fil").contains("old"));
    // The family name came back with the settings and shows at once.
    EXPECT_TRUE(screen->windowTitle().contains("Jones")) << screen->windowTitle().toStdString();
}

TEST_F(FullBackupCommandsTest, NoIsTheDefaultAndChangesNothing)
{
    start();
    dialogs.queueFolder(backups.path());
    find<QAction>("mOBE")->trigger();
    program->write("Ann.Fil", "changed");
    whenModalOpens<RestoreEverythingDialog>(
        "RestoreEverything", [](RestoreEverythingDialog* dialog) {
            dialog->findChild<QPushButton*>("RestoreButton")->click();
        });
    messages.queueAnswer(Answer::No);
    find<QAction>("mORE")->trigger();
    EXPECT_EQ(program->read("Ann.Fil"), "changed");
}

TEST_F(FullBackupCommandsTest, BackupSettingsRefuseTheProgramFolderAndStoreTheChoices)
{
    start();
    whenModalOpens<BackupSettingsDialog>("BackupSettings", [&](BackupSettingsDialog* dialog) {
        ASSERT_NE(dialog, nullptr);
        auto* atClose = dialog->findChild<QCheckBox*>("AtClose");
        EXPECT_FALSE(atClose->isEnabled());
        EXPECT_EQ(dialog->findChild<QSpinBox*>("BackupsKept")->value(), 10);
        EXPECT_EQ(dialog->findChild<QSpinBox*>("OverdueDays")->value(), 30);

        dialogs.queueFolder(program->path());
        dialog->findChild<QPushButton*>("ChooseFolder")->click();
        EXPECT_TRUE(messages.last().text.contains("program folder"));
        EXPECT_FALSE(atClose->isEnabled());

        dialogs.queueFolder(backups.path());
        dialog->findChild<QPushButton*>("ChooseFolder")->click();
        EXPECT_TRUE(atClose->isEnabled());
        EXPECT_TRUE(atClose->isChecked());
        dialog->findChild<QSpinBox*>("BackupsKept")->setValue(3);
        dialog->findChild<QDialogButtonBox*>("Buttons")->button(QDialogButtonBox::Ok)->click();
    });
    find<QAction>("mOBS")->trigger();

    const ProgramSettings settings(program->folder());
    EXPECT_TRUE(settings.backUpAtClose());
    EXPECT_EQ(settings.backupFolder(), QDir(backups.path()).absolutePath());
    EXPECT_EQ(settings.backupsKept(), 3);
}

// A Back Up Everything made by hand is the day's backup: closing the same
// day adds no second, near-identical folder a minute later.
TEST_F(FullBackupCommandsTest, TheCloseTimeBackupCountsOneMadeByHandTheSameDay)
{
    turnOnCloseTimeBackup();
    start();
    dialogs.queueFolder(backups.path());
    find<QAction>("mOBE")->trigger();
    clock.setNow(QDateTime(QDate(2026, 12, 9), QTime(10, 1)));
    closeAndReopen();
    EXPECT_EQ(datedNames(), QStringList({ "Halvorn 2026-12-09 1000" }));

    clock.setNow(QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
    closeAndReopen();
    EXPECT_EQ(datedNames(), QStringList({ "Halvorn 2026-12-09 1000", "Halvorn 2026-12-10 0900" }));
}

// The list shows what each backup holds; the question says what the restore
// would lose and where the files it replaces go; the completion message
// offers Undo This Restore, which puts every file back byte for byte.
TEST_F(FullBackupCommandsTest, RestoreEverythingSaysWhatWouldBeLostAndCanBeUndone)
{
    Household::write(program->folder());
    start();
    dialogs.queueFolder(backups.path());
    find<QAction>("mOBE")->trigger();
    Household::addWeighIns(program->folder(), "Ann", QDate(2026, 3, 4), 2);
    const QMap<QString, QByteArray> before = folderContents(program->path());

    QString holds;
    QString holdings;
    whenModalOpens<RestoreEverythingDialog>(
        "RestoreEverything", [&](RestoreEverythingDialog* dialog) {
            ASSERT_NE(dialog, nullptr);
            holds = dialog->findChild<QTableWidget*>("BackupList")->item(0, 3)->text();
            holdings = dialog->findChild<QPlainTextEdit*>("BackupHoldings")->toPlainText();
            dialog->findChild<QPushButton*>("RestoreButton")->click();
        });
    messages.queueAnswer(Answer::Yes);
    messages.queueAnswer(Answer::Yes);
    messages.queueAnswer(Answer::Ok);
    find<QAction>("mORE")->trigger();

    EXPECT_EQ(holds,
        "Password Keeper 2 entries, Weight Tracker 2 people, Blood Pressure Tracker 1 "
        "person");
    EXPECT_EQ(holdings,
        "Halvorn 2026-12-09 1000 holds:\n"
        "Password Keeper: 2 entries\n"
        "Weight Tracker: Ann, 3 weigh-ins, the last March 3, 2026\n"
        "Weight Tracker: Bob, 3 weigh-ins, the last February 3, 2026\n"
        "Blood Pressure Tracker: Dee, 2 readings, the last March 3, 2026");
    const QStringList texts = messages.texts();
    ASSERT_EQ(texts.size(), 4) << texts.join("\n--\n").toStdString();
    EXPECT_TRUE(texts.at(1).contains("Files the backup does not hold are kept.\n\n"
                                     "Weight Tracker: Ann has 2 weigh-ins after March 3, 2026 "
                                     "that this backup does not hold.\n\n"
                                     "Before any file is replaced, the files it replaces are "
                                     "saved in a backup of their own in\n"
        + QDir::toNativeSeparators(QDir(backups.path()).absolutePath())
        + "\nso that the restore can be undone.\n\nProceed?"))
        << texts.at(1).toStdString();
    EXPECT_TRUE(texts.at(2).startsWith("Restoration Completed: "));
    EXPECT_TRUE(
        texts.at(2).endsWith("Halvorn 2026-12-09 1000 before restore\n\nUndo This Restore?"))
        << texts.at(2).toStdString();
    EXPECT_TRUE(texts.at(3).startsWith("The restore was undone")) << texts.at(3).toStdString();
    EXPECT_EQ(folderContents(program->path()), before);
    EXPECT_EQ(datedNames(),
        QStringList({ "Halvorn 2026-12-09 1000", "Halvorn 2026-12-09 1000 before restore",
            "Halvorn 2026-12-09 1000-2 before restore" }));
}
