#include "BackupFixtures.h"
#include "DoubleClick.h"
#include "FakeClock.h"
#include "FolderContents.h"
#include "ModalWindow.h"
#include "RecordingHelp.h"
#include "ScriptedDialogs.h"
#include "ScriptedMessageService.h"
#include "TemporaryProgramFolder.h"

#include "backup/BackupFileSet.h"
#include "backup/ui/BackupScreen.h"
#include "datatool/ProgramBackupSets.h"
#include "screens/DriveList.h"
#include "screens/FolderChooser.h"
#include "screens/ReadableCaption.h"
#include "screens/ScreenServices.h"
#include "screens/ShellState.h"

#include "storage/ProgramSettings.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

using Answer = MessageService::Answer;

class BackupScreenTest : public ::testing::Test
{
protected:
    TemporaryProgramFolder program;
    TemporaryProgramFolder elsewhere;
    ScriptedMessageService messages;
    ScriptedDialogs dialogs;
    FakeClock clock;
    ShellState state;
    RecordingHelp help;
    ScreenServices services { program.folder(), messages, dialogs, clock, state, help,
        &BackupScreen::run };
    std::unique_ptr<BackupScreen> screen;

    BackupScreenTest()
    {
        program.write("WeightTrker.Fil", "\"Ann\"\r\n");
        program.write("Ann.Fil", "ann");
        program.write("Secfile1.Fil", "index");
        program.write("Secfile2.fil", "entries");
    }

    void open(BackupKind kind)
    {
        screen = std::make_unique<BackupScreen>(services, kind);
        screen->show();
        QCoreApplication::processEvents();
    }

    template <typename W = QWidget> W* find(const char* name) const
    {
        W* widget = screen->findChild<W*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QPushButton* actionButton() const { return find<QPushButton>("SSCommand2"); }
    QAction* action(const char* name) const { return find<QAction>(name); }
    FolderChooser* folders() const { return find<FolderChooser>("Dir1"); }
    QString status() const { return find<QLabel>("SSPanel2")->text(); }

    void chooseFolder(const QString& path) { folders()->setPath(path); }
};

QString plainText(const QString& html)
{
    QTextDocument document;
    document.setHtml(html);
    return document.toPlainText();
}

TEST_F(BackupScreenTest, TextsButtonAndMenuFollowTheKind)
{
    struct Case {
        BackupKind kind;
        QString caption;
        QString button;
        QString label;
        QString underlined;
    };
    const QString backupLabel = QStringLiteral(
        "This utility allows you to make a backup of the %1 contained within this program.  To "
        "make the backup , first create a folder on your hard drive or flash card etc., then "
        "select Drive or location from the Drives and or Folders lists below, then Click the Make "
        "Backup Button and follow directions as they appear.");
    const QString restoreLabel = QStringLiteral(
        "Restore %1 from backup media to Halvorn Program.\n"
        "CAUTION: RESTORE FUNCTION WILL FIRST ERASE ALL EXISTING %2 IN THE PROGRAM AND THEN "
        "RESTORE FILES.\n"
        "To restore, first place backup disk in Drive a: or select Folder/files location, then "
        "select Drive and or folder from the Drive/Folders lists below, then Click Restore %1 "
        "Button and follow directions as they appear.");
    const QList<Case> cases {
        { BackupKind { 20 }, "Backup Password Files", "&Make Backup",
            backupLabel.arg("Password Files"), "M" },
        { BackupKind { 21 }, "Restore Password Files from Backup Media", "&Restore Password Files",
            restoreLabel.arg("Password Files", "PASSWORD FILES"), "R" },
        { BackupKind { 42 }, "Backup Weight Tracker Files", "&Make Backup",
            backupLabel.arg("Weight Tracker Files"), "M" },
        { BackupKind { 43 }, "Restore Weight Tracker Files from Backup Media",
            "&Restore Weight Tracker Files",
            restoreLabel.arg("Weight Tracker Files", "WEIGHT TRACKER FILES"), "R" },
        { BackupKind { 44 }, "Backup Blood Pressure Files", "&Make Backup",
            backupLabel.arg("Blood Pressure Files"), "M" },
        { BackupKind { 45 }, "Restore Blood Pressure Files from Backup Media",
            "&Restore Blood Pressure Files",
            restoreLabel.arg("Blood Pressure Files", "BLOOD PRESSURE FILES"), "R" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(qToUnderlying(c.kind));
        open(c.kind);
        const bool restore = ProgramBackupSets::all().isRestoreKind(c.kind);
        EXPECT_EQ(screen->objectName(), "Backup1");
        EXPECT_EQ(screen->windowTitle(), c.caption);
        EXPECT_EQ(actionButton()->text(), c.button);
        const QString label = find<QLabel>("Label1")->text();
        EXPECT_EQ(plainText(label), c.label);
        EXPECT_TRUE(label.contains("<u>" + c.underlined + "</u>")) << label.toStdString();
        EXPECT_EQ(action("mOM")->isVisible(), !restore);
        EXPECT_EQ(action("mOR")->isVisible(), restore);
        EXPECT_EQ(action("mOM")->text(), "&Make Backup Disk");
        EXPECT_EQ(action("mOR")->text(), "&Restore Files from Disk");
        EXPECT_EQ(action("mOE")->text(), "E&xit");
        EXPECT_FALSE(action("mOM")->isEnabled());
        EXPECT_FALSE(action("mOR")->isEnabled());
        EXPECT_FALSE(actionButton()->isEnabled());
        EXPECT_EQ(find<QPushButton>("SSCommand1")->text(), "E&xit");
        EXPECT_EQ(find<QLabel>("Label2_0")->text(), "Drives:");
        EXPECT_EQ(find<QLabel>("Label2_1")->text(), "Folders:");
        EXPECT_EQ(find<QLabel>("Label4")->text(), "Path:");
        EXPECT_EQ(find<QLineEdit>("Label5")->text(), QDir::toNativeSeparators(program.path()));
        EXPECT_FALSE(find<QLabel>("SSPanel2")->isVisible());
        EXPECT_FALSE(find<QProgressBar>("ProgressBar1")->isVisible());
        EXPECT_EQ(folders()->path(), QDir(program.path()).absolutePath());
    }
}

// The program folder, however it is reached, never enables the action.
TEST_F(BackupScreenTest, OnlyAFolderOtherThanTheProgramFolderEnablesTheAction)
{
    open(BackupKind::WeightBackup);
    QDir(program.path()).mkdir("sub");
    const QString link = elsewhere.filePath("link");
    ASSERT_TRUE(QFile::link(program.path(), link));
    const QList<std::pair<QString, bool>> choices {
        { elsewhere.path(), true },
        { program.path(), false },
        { program.filePath("sub"), true },
        { program.filePath("sub") + "/..", false },
        { link, false },
    };
    for (const auto& [folder, enabled] : choices) {
        chooseFolder(folder);
        EXPECT_EQ(actionButton()->isEnabled(), enabled) << folder.toStdString();
        EXPECT_EQ(action("mOM")->isEnabled(), enabled) << folder.toStdString();
        EXPECT_EQ(find<QLineEdit>("Label5")->text(),
            QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(folder).absoluteFilePath())));
    }
}

TEST_F(BackupScreenTest, ChoosingAVolumeListsItsFoldersAndAnUnreadableOneGoesBack)
{
    open(BackupKind::WeightBackup);
    auto* drives = find<DriveList>("Drive1");
    drives->addVolume(elsewhere.path(), "Stick");
    drives->addVolume(elsewhere.filePath("gone"), "Empty drive");

    drives->setCurrentIndex(drives->count() - 2);
    EXPECT_EQ(folders()->path(), elsewhere.path());
    EXPECT_TRUE(actionButton()->isEnabled());

    drives->setCurrentIndex(drives->count() - 1);
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.last().text, "Device/Drive is Unavailable!");
    EXPECT_EQ(messages.last().title, "Device/Drive Error");
    EXPECT_EQ(messages.last().icon, MessageService::Icon::Critical);
    EXPECT_EQ(folders()->path(), QDir(program.path()).absolutePath());
    EXPECT_NE(drives->rootPath(), elsewhere.filePath("gone"));
    EXPECT_FALSE(actionButton()->isEnabled());
}

// After a finished password backup or any restore the action waits for the
// user's next choice of folder; a tracker backup leaves it enabled.
TEST_F(BackupScreenTest, TheActionAfterARun)
{
    struct Case {
        BackupKind kind;
        QString status;
        bool enabledAfter;
    };
    const QList<Case> cases {
        { BackupKind::WeightRestore, "Restoration Completed", false },
        { BackupKind::WeightBackup, "Backup Complete", true },
        { BackupKind::PasswordBackup, "Backup Complete", false },
    };
    elsewhere.write("WeightTrker.Wtp", "\"Ann\"\r\n");
    elsewhere.write("Ann.Wtp", BackupFixtures::weightFile("restored"));
    for (const Case& c : cases) {
        SCOPED_TRACE(qToUnderlying(c.kind));
        open(c.kind);
        chooseFolder(elsewhere.path());
        // A restore first says what it would lose, in a message of its own.
        if (c.kind == BackupKind::WeightRestore)
            messages.queueAnswer(Answer::Ok);
        messages.queueAnswer(Answer::Yes);
        QTest::mouseClick(actionButton(), Qt::LeftButton);
        EXPECT_EQ(status(), c.status);
        EXPECT_TRUE(find<QLabel>("SSPanel2")->isVisible());
        EXPECT_EQ(actionButton()->isEnabled(), c.enabledAfter);
        EXPECT_EQ(action(c.kind == BackupKind::WeightRestore ? "mOR" : "mOM")->isEnabled(),
            c.enabledAfter);
        EXPECT_TRUE(find<QPushButton>("SSCommand1")->isEnabled());
        EXPECT_EQ(screen->programFolderChanged(), c.kind == BackupKind::WeightRestore);
        // A completed backup is the main screen's last backup; a restore is none.
        EXPECT_EQ(ProgramSettings(program.folder()).lastBackupDate().isValid(),
            c.kind != BackupKind::WeightRestore);
        chooseFolder(program.filePath("."));
        chooseFolder(elsewhere.path());
        EXPECT_TRUE(actionButton()->isEnabled());
    }
    EXPECT_EQ(program.read("Ann.Fil"), BackupFixtures::weightFile("restored"));
}

TEST_F(BackupScreenTest, RightClickPopsUpTheOptionsMenu)
{
    open(BackupKind::WeightBackup);
    chooseFolder(elsewhere.path());
    auto* menu = find<QMenu>("mO");
    for (const char* name : { "Label3", "SSCommand1", "SSCommand2", "SSPanel1" }) {
        QWidget* target = find<QWidget>(name);
        QContextMenuEvent event(
            QContextMenuEvent::Mouse, QPoint(2, 2), target->mapToGlobal(QPoint(2, 2)));
        QCoreApplication::sendEvent(target, &event);
        EXPECT_TRUE(menu->isVisible()) << name;
        menu->hide();
    }
}

// The action, the menu and Exit are off during a run; a click on them, the
// close box or Escape wait for its end, and a closing asked for meanwhile
// happens then.
TEST_F(BackupScreenTest, NoSecondRunAndNoClosingDuringARun)
{
    open(BackupKind::WeightBackup);
    chooseFolder(elsewhere.path());
    messages.queueAnswer(Answer::Yes);
    bool checked = false;
    QTimer::singleShot(0, [&] {
        checked = true;
        EXPECT_TRUE(screen->isRunning());
        EXPECT_FALSE(actionButton()->isEnabled());
        EXPECT_FALSE(find<QPushButton>("SSCommand1")->isEnabled());
        EXPECT_FALSE(find<QMenu>("mO")->menuAction()->isEnabled());
        EXPECT_FALSE(folders()->isEnabled());
        QTest::mouseClick(actionButton(), Qt::LeftButton);
        action("mOM")->trigger();
        QTest::keyClick(screen.get(), Qt::Key_Escape);
        screen->close();
        EXPECT_TRUE(screen->isVisible());
    });
    QTest::mouseClick(actionButton(), Qt::LeftButton);

    EXPECT_TRUE(checked);
    EXPECT_EQ(messages.messages().size(), 1) << messages.texts().join('|').toStdString();
    EXPECT_EQ(folderContents(elsewhere.path()).size(), 2);
    EXPECT_FALSE(screen->isVisible());
}

TEST_F(BackupScreenTest, F1OpensTheBackupHelpAndExitCloses)
{
    open(BackupKind::BloodPressureRestore);
    QTest::keyClick(screen.get(), Qt::Key_F1);
    EXPECT_EQ(help.last(), 1005);
    QTest::mouseClick(find<QPushButton>("SSCommand1"), Qt::LeftButton);
    EXPECT_FALSE(screen->isVisible());
}

TEST_F(BackupScreenTest, NewFolderMakesAndChoosesAFolder)
{
    open(BackupKind::PasswordBackup);
    chooseFolder(elsewhere.path());
    messages.queueInput(QStringLiteral(" Nightly "));
    action("mNewFolder")->trigger();
    EXPECT_TRUE(QFileInfo(elsewhere.filePath("Nightly")).isDir());
    EXPECT_EQ(folders()->path(), elsewhere.filePath("Nightly"));
    EXPECT_TRUE(actionButton()->isEnabled());

    messages.queueInput(QStringLiteral("../Outside"));
    action("mNewFolder")->trigger();
    EXPECT_EQ(messages.last().text, "A name cannot contain \"/\" or \"\\\".");
    EXPECT_EQ(messages.last().title, "New Folder");
    EXPECT_EQ(messages.last().icon, MessageService::Icon::Exclamation);
    EXPECT_FALSE(QFileInfo::exists(elsewhere.filePath("Outside")));

    // A folder that is there already cannot be made again; the box names
    // where, and the folder listed stays.
    chooseFolder(elsewhere.path());
    messages.queueInput(QStringLiteral("Nightly"));
    action("mNewFolder")->trigger();
    EXPECT_EQ(messages.last().text,
        QStringLiteral("The folder \"Nightly\" could not be made in\n%1")
            .arg(QDir::toNativeSeparators(elsewhere.path())));
    EXPECT_EQ(messages.last().title, "New Folder");
    EXPECT_EQ(messages.last().icon, MessageService::Icon::Exclamation);
    EXPECT_EQ(folders()->path(), elsewhere.path());
}

TEST_F(BackupScreenTest, TheCaptionsReadOnEveryScreenColour)
{
    // Pure blue (the screen's first colour), teal, a light yellow, black
    // and a picture: as drawn, each caption's text stands out 4.5 to 1 from
    // the colour right under it.
    const QList<std::pair<const char*, BackgroundSetting>> backgrounds {
        { "blue", BackgroundSetting::colour(BackgroundSetting::InitialScreenColour) },
        { "teal", BackgroundSetting::colour(8421376) },
        { "pale yellow", BackgroundSetting::colour(8454143) },
        { "black", BackgroundSetting::colour(0) },
        { "picture 3", BackgroundSetting::picture(3) },
    };
    for (const auto& [background, setting] : backgrounds) {
        state.ScreenBackground = setting;
        open(BackupKind::WeightBackup);
        const QImage shown = screen->grab().toImage();
        for (const char* name : { "Label1", "Label2_0", "Label2_1", "Label4" }) {
            auto* caption = find<QLabel>(name);
            // Just outside the caption's corner: what it stands on.
            const QPoint corner = caption->mapTo(screen.get(), QPoint(-2, -2));
            const QColor under = shown.pixelColor(corner);
            const QColor text = caption->palette().color(QPalette::WindowText);
            EXPECT_GE(ReadableCaption::contrastRatio(text, under), 4.5)
                << name << " on " << background << ": " << text.name().toStdString() << " over "
                << under.name().toStdString();
        }
    }
}

TEST_F(BackupScreenTest, TheContrastRatioIsWcags)
{
    const struct {
        QColor first;
        QColor second;
        double ratio;
    } cases[] {
        { Qt::black, Qt::white, 21.0 },
        { Qt::white, Qt::white, 1.0 },
        { Qt::black, QColor(0, 0, 255), 2.44 },
        { Qt::white, QColor(0, 0, 255), 8.59 },
        { Qt::black, QColor(0, 128, 128), 4.40 },
        { QColor(118, 118, 118), Qt::white, 4.54 },
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(ReadableCaption::contrastRatio(c.first, c.second), c.ratio, 0.01)
            << c.first.name().toStdString() << " " << c.second.name().toStdString();
        EXPECT_NEAR(ReadableCaption::contrastRatio(c.second, c.first), c.ratio, 0.01);
    }
    // Black stays where it reads; white takes over where it does not.
    EXPECT_EQ(ReadableCaption::textColourOn(QColor(240, 240, 240)), QColor(Qt::black));
    EXPECT_EQ(ReadableCaption::textColourOn(QColor(0, 0, 255)), QColor(Qt::white));
    EXPECT_EQ(ReadableCaption::textColourOn(QColor(0, 128, 128)), QColor(Qt::white));
}

TEST_F(BackupScreenTest, APathTypedIntoThePathBoxIsChosenAndANonFolderRefused)
{
    open(BackupKind::WeightBackup);
    auto* box = find<QLineEdit>("Label5");
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, elsewhere.path());
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(folders()->path(), elsewhere.path());
    EXPECT_TRUE(actionButton()->isEnabled());
    EXPECT_TRUE(messages.messages().isEmpty()) << messages.texts().join('|').toStdString();

    box->selectAll();
    QTest::keyClicks(box, elsewhere.filePath("missing"));
    QTest::keyClick(box, Qt::Key_Return);
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.last().title, "Path");
    EXPECT_EQ(messages.last().icon, MessageService::Icon::Exclamation);
    EXPECT_TRUE(messages.last().text.startsWith("There is no folder that can be opened at\n"));
    EXPECT_EQ(folders()->path(), elsewhere.path());
    EXPECT_EQ(box->text(), QDir::toNativeSeparators(elsewhere.path()));
}

TEST_F(BackupScreenTest, OneClickOnAFolderOpensItAsADoubleClickDoes)
{
    QDir(elsewhere.path()).mkpath("one/two");
    open(BackupKind::WeightBackup);
    chooseFolder(elsewhere.path());
    QCoreApplication::processEvents();
    const auto itemNamed = [&](const QString& name) {
        const QList<QListWidgetItem*> found = folders()->findItems(name, Qt::MatchEndsWith);
        return found.isEmpty() ? nullptr : found.first();
    };
    QListWidgetItem* one = itemNamed("one");
    ASSERT_NE(one, nullptr);
    QTest::mouseClick(
        folders()->viewport(), Qt::LeftButton, {}, folders()->visualItemRect(one).center());
    EXPECT_EQ(folders()->path(), elsewhere.filePath("one"));
    // Opened: the folder inside it is listed.
    QListWidgetItem* two = itemNamed("two");
    ASSERT_NE(two, nullptr);
    // A double click opens the folder once, not the one that took its place.
    doubleClick(folders()->viewport(), folders()->visualItemRect(two).center());
    EXPECT_EQ(folders()->path(), elsewhere.filePath("one/two"));
}

TEST_F(BackupScreenTest, ARestoreOpensOnTheFolderTheSetWasLastBackedUpTo)
{
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Halvorn", "Backups").clear();
    open(BackupKind::WeightBackup);
    chooseFolder(elsewhere.path());
    messages.queueAnswer(Answer::Yes);
    QTest::mouseClick(actionButton(), Qt::LeftButton);
    ASSERT_EQ(status(), "Backup Complete");
    screen.reset();

    open(BackupKind::WeightRestore);
    EXPECT_EQ(folders()->path(), elsewhere.path());
    EXPECT_EQ(find<QLineEdit>("Label5")->text(), QDir::toNativeSeparators(elsewhere.path()));
    EXPECT_TRUE(actionButton()->isEnabled());
    // Another set was never backed up there; a backup still starts at home.
    open(BackupKind::BloodPressureRestore);
    EXPECT_EQ(folders()->path(), QDir(program.path()).absolutePath());
    open(BackupKind::WeightBackup);
    EXPECT_EQ(folders()->path(), QDir(program.path()).absolutePath());
    // A folder gone since opens the program folder again.
    screen.reset();
    ASSERT_TRUE(QDir(elsewhere.path()).removeRecursively());
    open(BackupKind::WeightRestore);
    EXPECT_EQ(folders()->path(), QDir(program.path()).absolutePath());
}

// The entry point the function screens call.
TEST_F(BackupScreenTest, RunShowsTheScreenModallyAndTellsWhetherARestoreChangedFiles)
{
    const BackupFixtures::Files keeper = BackupFixtures::passwordFiles({ "Mail" });
    BackupFixtures::writeAll(elsewhere, keeper);
    QWidget caller;
    caller.show();
    std::optional<BackupKind> kindWhileOpen;
    whenModalOpens<BackupScreen>("Backup1", [&](BackupScreen* opened) {
        ASSERT_NE(opened, nullptr);
        EXPECT_TRUE(opened->isModal());
        EXPECT_EQ(opened->parentWidget(), &caller);
        kindWhileOpen = opened->kind();
        opened->findChild<FolderChooser*>("Dir1")->setPath(elsewhere.path());
        messages.queueAnswer(Answer::Ok);
        messages.queueAnswer(Answer::Yes);
        opened->runCommand();
    });
    EXPECT_TRUE(BackupScreen::run(services, BackupKind::PasswordRestore, &caller));
    EXPECT_EQ(kindWhileOpen, BackupKind::PasswordRestore);
    EXPECT_EQ(program.read("Secfile2.fil"), keeper["Secfile2.Fil"]);

    whenModalOpens<BackupScreen>(
        "Backup1", [](BackupScreen* opened) { ASSERT_NE(opened, nullptr); });
    EXPECT_FALSE(BackupScreen::run(services, BackupKind::PasswordBackup, &caller));
}

// The restore keeps its messages and their order: what it would lose and
// where the replaced files go come first, in a message of their own, then
// its own question; "Restoration Completed" stays the status, and the offer
// to undo follows it. Undoing puts every file back byte for byte, and the
// person the restore brought back is gone again.
TEST_F(BackupScreenTest, ARestoreSaysWhatItWouldLoseAndCanBeUndone)
{
    BackupFixtures::writeAll(program,
        { { "WeightTrker.Fil", "\"Ann\"\r\n" }, { "Ann.Fil", BackupFixtures::weightFile("now") } });
    BackupFixtures::writeAll(elsewhere,
        { { "WeightTrker.Wtp", "\"Ann\"\r\n\"Eve\"\r\n" },
            { "Ann.Wtp", BackupFixtures::weightFile("then") },
            { "Eve.Wtp", BackupFixtures::weightFile("eve") } });
    const QMap<QString, QByteArray> before = folderContents(program.path());
    open(BackupKind::WeightRestore);
    chooseFolder(elsewhere.path());
    messages.queueAnswer(Answer::Ok);
    messages.queueAnswer(Answer::Yes);
    messages.queueAnswer(Answer::Yes);
    QTest::mouseClick(actionButton(), Qt::LeftButton);

    const QStringList texts = messages.texts();
    ASSERT_EQ(texts.size(), 4) << texts.join("\n--\n").toStdString();
    EXPECT_TRUE(texts.at(0).startsWith(
        "Before this restore replaces any file, the program's Weight Tracker files are saved in "
        "a backup of their own in\n"
        + QDir::toNativeSeparators(QDir(elsewhere.path()).absolutePath())
        + "\nso that the restore can be undone.\n\n"))
        << texts.at(0).toStdString();
    EXPECT_EQ(messages.messages().at(0).buttons, MessageService::Buttons::Ok);
    EXPECT_TRUE(
        texts.at(1).startsWith("This utility will first Delete all existing Weight Tracker"));
    EXPECT_TRUE(texts.at(2).endsWith(" before restore\n\nUndo This Restore?"))
        << texts.at(2).toStdString();
    EXPECT_EQ(messages.messages().at(2).defaultButton, Answer::No);
    EXPECT_TRUE(texts.at(3).startsWith("The restore was undone")) << texts.at(3).toStdString();
    EXPECT_EQ(status(), "Restoration Completed");
    EXPECT_EQ(folderContents(program.path()), before);
    EXPECT_TRUE(screen->programFolderChanged());
}

} // namespace
