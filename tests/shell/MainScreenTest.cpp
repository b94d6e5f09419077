#include "MainScreenFixture.h"

#include "storage/ZorqNameFile.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

using Answer = MessageService::Answer;

namespace {

const QString ScreenSizeWarning = QStringLiteral(
    "Monitor Resolution Settings (Screen Area) and Program Size requirements are at least 800 "
    "by 600 or Higher.\nIf you do not set your screen resolution to this setting or higher this "
    "program will not function properly!");

} // namespace

using MainScreenTest = MainScreenFixture;

TEST_F(MainScreenTest, FreshFolderOpensMaximizedBlueAndUntitledAndCreatesEmptySettingsFiles)
{
    MainScreen& main = start();

    EXPECT_TRUE(main.isMaximized());
    EXPECT_EQ(main.state().DisplayMode, ShellState::FullScreenDisplay);
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Halvorn"));
    EXPECT_EQ(main.centralWidget()->palette().color(QPalette::Window), QColor(0, 0, 255));
    EXPECT_FALSE(find<QLabel>("Image1")->isVisible());
    EXPECT_EQ(main.statusText(), QStringLiteral("Main Menu"));
    EXPECT_TRUE(messages.messages().isEmpty());

    for (const char* name : { "GColor3.Fil", "ZORQNAME.FIL", "GZORQ1.Fil", "GColor1.Fil" }) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(program->exists(QString::fromLatin1(name)));
        EXPECT_TRUE(program->read(QString::fromLatin1(name)).isEmpty());
    }
}

TEST_F(MainScreenTest, ControlsAndMenusCarryTheirCaptions)
{
    start();
    const struct {
        const char* name;
        const char* caption;
    } buttons[] = { { "SSCommand1_0", "&Weight Tracker" }, { "SSCommand1_2", "&Password Keeper" },
        { "SSCommand1_4", "&Help" }, { "SSCommand1_5", "E&xit" },
        { "SSCommand1_6", "&Blood Pressure Tracker" } };
    for (const auto& button : buttons) {
        SCOPED_TRACE(button.name);
        QPushButton* widget = find<QPushButton>(button.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->text(), QString::fromLatin1(button.caption));
        EXPECT_EQ(widget->font().family(), QStringLiteral("Times New Roman"));
    }
    EXPECT_EQ(find<QLabel>("Label6")->text(), QStringLiteral("Version 6.0"));

    const struct {
        const char* name;
        const char* caption;
    } items[] = { { "mOBC", "&Background Selector" }, { "mOPF", "&Full Screen Display" },
        { "mOPS", "&Smaller Screen Display" }, { "mOPDefault", "&Default Screen Size" },
        { "mON", "&Family Name" }, { "mOE", "E&xit" }, { "mFP", "A &Blood Pressure Tracker" },
        { "mFCal", "A &Password Keeper" }, { "mFToDo", "A &Weight Tracker" },
        { "mHI", "&Program Overview" }, { "mHBR", "&Backup and Restore Option" },
        { "mHA", "&About Halvorn" } };
    for (const auto& item : items) {
        SCOPED_TRACE(item.name);
        QAction* action = find<QAction>(item.name);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), QString::fromLatin1(item.caption));
    }
    EXPECT_EQ(find<QMenu>("mO")->title(), QStringLiteral("&Options"));
    EXPECT_EQ(find<QMenu>("mOP")->title(), QStringLiteral("&Program Display"));
    EXPECT_EQ(find<QMenu>("mDI")->title(), QStringLiteral("&Program Functions"));
    EXPECT_EQ(find<QMenu>("mHe")->title(), QStringLiteral("&Help"));
}

// The menus as the screen always had them; the backups of everything come
// after its own items, with access keys none of them uses.
TEST_F(MainScreenTest, TheMenusHoldTheScreensOwnItemsThenTheBackupsOfEverything)
{
    start();
    const auto itemsOf = [this](const char* menuName) {
        QStringList items;
        for (const QAction* action : find<QMenu>(menuName)->actions())
            items.append(action->isSeparator() ? QStringLiteral("-")
                                               : action->objectName() + u' ' + action->text());
        return items;
    };
    EXPECT_EQ(itemsOf("mO"),
        QStringList({ "mOBC &Background Selector", "-", "mOPAction &Program Display", "-",
            "mON &Family Name", "-", "mOE E&xit", "-", "mOBE Back Up &Everything...",
            "mORE &Restore Everything...", "mOBS Backup &Settings..." }));
    EXPECT_EQ(itemsOf("mOP"),
        QStringList({ "mOPF &Full Screen Display", "mOPS &Smaller Screen Display", "-",
            "mOPDefault &Default Screen Size" }));
    EXPECT_EQ(itemsOf("mDI"),
        QStringList({ "mFP A &Blood Pressure Tracker", "mFCal A &Password Keeper",
            "mFToDo A &Weight Tracker" }));
    EXPECT_EQ(itemsOf("mHe"),
        QStringList({ "mHI &Program Overview", "mHBR &Backup and Restore Option", "-",
            "mHA &About Halvorn", "mHWeb Halvorn on the &Web" }));
}

TEST_F(MainScreenTest, StoredSmallerDisplayIsRaisedToTheMinimumAndCentred)
{
    for (const char* mode : { "Yes", "Yesterday" }) {
        SCOPED_TRACE(mode);
        renewFolder();
        storeDisplayMode(QString::fromLatin1(mode), 5000, 8000);

        MainScreen& main = start(QSize(1024, 768));

        EXPECT_FALSE(main.isMaximized());
        EXPECT_EQ(main.state().DisplayMode, ShellState::SmallerScreenDisplay);
        EXPECT_EQ(twipsOf(main), QSize(12000, 9000));
        EXPECT_EQ(main.pos(), QPoint((1024 - 800) / 2, (768 - 600) / 2));
        screen.reset();
    }
}

TEST_F(MainScreenTest, ScreenBelow800By600WarnsAndSwitchesToFullScreenDisplay)
{
    storeDisplayMode(QStringLiteral("Yes"), 9000, 12000);

    MainScreen& main = start(QSize(640, 480));

    ASSERT_EQ(messages.messages().size(), 1);
    const MessageService::Message warning = messages.last();
    EXPECT_EQ(warning.text, ScreenSizeWarning);
    EXPECT_EQ(warning.title, QStringLiteral("Program Display Option"));
    EXPECT_EQ(warning.icon, MessageService::Icon::Information);
    EXPECT_EQ(warning.buttons, MessageService::Buttons::Ok);
    EXPECT_EQ(main.state().DisplayMode, ShellState::FullScreenDisplay);
    EXPECT_TRUE(main.isMaximized());
    EXPECT_TRUE(find<QAction>("mOPF")->isChecked());
    EXPECT_EQ(displaySettings().displayModeText(), QStringLiteral("No"));
}

TEST_F(MainScreenTest, ScreenOf800By600IsEnough)
{
    start(QSize(800, 600));
    EXPECT_TRUE(messages.messages().isEmpty());
}

TEST_F(MainScreenTest, ExitQuestionEndsTheProgramOnlyOnYes)
{
    const struct {
        Answer answer;
        bool exits;
    } cases[] = { { Answer::Yes, true }, { Answer::No, false }, { Answer::Cancel, false } };
    for (const auto& entry : cases) {
        SCOPED_TRACE(int(entry.answer));
        renewFolder();
        MainScreen& main = start();
        QSignalSpy exits(&main, &MainScreen::exitRequested);
        messages.clear();
        messages.queueAnswer(entry.answer);

        main.exitProgram();

        const MessageService::Message question = messages.last();
        EXPECT_EQ(question.text, QStringLiteral("Do you wish to Exit Halvorn?"));
        EXPECT_EQ(question.title, QStringLiteral("Exit"));
        EXPECT_EQ(question.icon, MessageService::Icon::Question);
        EXPECT_EQ(question.buttons, MessageService::Buttons::YesNoCancel);
        EXPECT_EQ(exits.count(), entry.exits ? 1 : 0);
        EXPECT_TRUE(main.isVisible());
        // Yes stores the display mode before the program ends.
        EXPECT_EQ(
            displaySettings().displayModeText(), entry.exits ? QStringLiteral("No") : QString());
        screen.reset();
    }
}

TEST_F(MainScreenTest, EscAndTheExitButtonAskTheExitQuestion)
{
    MainScreen& main = start();
    QSignalSpy exits(&main, &MainScreen::exitRequested);
    messages.queueAnswer(Answer::No);
    QTest::keyClick(&main, Qt::Key_Escape);
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.last().title, QStringLiteral("Exit"));

    messages.queueAnswer(Answer::Yes);
    find<QPushButton>("SSCommand1_5")->click();
    EXPECT_EQ(messages.messages().size(), 2);
    EXPECT_EQ(exits.count(), 1);
}

TEST_F(MainScreenTest, ClosingByTheCloseBoxStoresTheDisplayModeWithoutAsking)
{
    MainScreen& main = start();
    QSignalSpy exits(&main, &MainScreen::exitRequested);

    main.close();

    EXPECT_TRUE(messages.messages().isEmpty());
    EXPECT_EQ(exits.count(), 0);
    EXPECT_EQ(displaySettings().displayModeText(), QStringLiteral("No"));
}

TEST_F(MainScreenTest, HelpOpensTheMainScreenTopics)
{
    MainScreen& main = start();

    QTest::keyClick(&main, Qt::Key_F1);
    EXPECT_EQ(help.last(), 1000);
    find<QAction>("mOBC")->trigger();
    QTest::keyClick(&main, Qt::Key_F1);
    EXPECT_EQ(help.last(), 1001);
    find<QAction>("mOBC")->trigger();
    QTest::keyClick(&main, Qt::Key_F1);
    EXPECT_EQ(help.last(), 1000);

    help.clear();
    find<QAction>("mHI")->trigger();
    find<QAction>("mHBR")->trigger();
    find<QPushButton>("SSCommand1_4")->click();
    EXPECT_EQ(help.topics(), (QList<int> { 1000, 1005, 1000 }));
}

TEST_F(MainScreenTest, RightClickOnTheBackgroundPopsUpTheOptionsMenu)
{
    MainScreen& main = start();
    QMenu* options = find<QMenu>("mO");
    QTest::mouseClick(main.centralWidget(), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_TRUE(options->isVisible());
    options->hide();
}

TEST_F(MainScreenTest, WebSiteItemOpensTheMakersAddress)
{
    start();
    find<QAction>("mHWeb")->trigger();
    ASSERT_EQ(dialogs.openedUrls().size(), 1);
    EXPECT_TRUE(dialogs.openedUrls().first().startsWith(QStringLiteral("https://example.org/")));
    EXPECT_EQ(screen->statusText(), QStringLiteral("Main Menu"));
}

TEST_F(MainScreenTest, SplashIsShownOnceAPerRun)
{
    MainScreen& main = start();
    EXPECT_EQ(main.state().SplashShown, ShellState::SplashWasShown);
    // Two two-second pauses hold the splash.
    EXPECT_EQ(clock.pausedSeconds(), 4);

    // Applying a display mode runs the start-up again, without the splash.
    find<QAction>("mOPS")->trigger();
    find<QAction>("mOPF")->trigger();
    EXPECT_EQ(clock.pausedSeconds(), 4);
}

TEST_F(MainScreenTest, FunctionScreensOpenWithTheirTitlesAndBringTheMainScreenBack)
{
    ASSERT_TRUE(ZorqNameFile(program->folder()).setFamilyName(QStringLiteral("Smith")));
    storeDisplayMode(QStringLiteral("Yes"), 9000, 12000);
    MainScreen& main = start();

    const struct {
        const char* control;
        FunctionScreen screen;
        const char* title;
    } cases[] = { { "SSCommand1_0", FunctionScreen::WeightTracker, "Smith Weight Tracker" },
        { "SSCommand1_6", FunctionScreen::BloodPressureTracker, "Smith Blood Pressure Tracker" },
        { "SSCommand1_2", FunctionScreen::PasswordKeeper, "Smith Password Keeper" } };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.title);
        find<QPushButton>(entry.control)->click();
        QWidget* function = main.functionScreen(entry.screen);
        ASSERT_NE(function, nullptr);
        EXPECT_TRUE(function->isVisible());
        EXPECT_EQ(function->windowTitle(), QString::fromLatin1(entry.title));
        EXPECT_FALSE(main.isVisible());

        function->move(40, 30);
        function->close();
        EXPECT_TRUE(main.isVisible());
        EXPECT_EQ(main.pos(), QPoint(40, 30));
        // An activation of the closed screen still in the queue (after one of
        // its message boxes, say) leaves the main screen on show.
        QEvent lateActivation(QEvent::WindowActivate);
        QApplication::sendEvent(function, &lateActivation);
        EXPECT_TRUE(main.isVisible());
    }
}

TEST_F(MainScreenTest, AFunctionScreenIsCreatedOnFirstUseAndShownAgainLater)
{
    MainScreen& main = start();
    int created = 0;
    main.setFunctionScreenFactory(FunctionScreen::WeightTracker, [&created] {
        ++created;
        auto* window = new QMainWindow;
        window->setWindowTitle(QStringLiteral("Weight Tracker"));
        return window;
    });

    find<QAction>("mFToDo")->trigger();
    QWidget* first = main.functionScreen(FunctionScreen::WeightTracker);
    first->hide(); // not closed: it keeps its data
    main.show();
    find<QAction>("mFToDo")->trigger();
    EXPECT_EQ(created, 1);
    EXPECT_EQ(main.functionScreen(FunctionScreen::WeightTracker), first);

    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(main.functionScreen(FunctionScreen::WeightTracker), nullptr);
    // Maximised, the main screen keeps its place when it comes back.
    EXPECT_TRUE(main.isMaximized());
    find<QAction>("mFToDo")->trigger();
    EXPECT_EQ(created, 2);
}

TEST_F(MainScreenTest, AboutBoxOpensModallyWithNameAndVersion)
{
    MainScreen& main = start();
    QString title;
    QString label;
    QTimer::singleShot(0, [&] {
        auto* about = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(about, nullptr);
        title = about->windowTitle();
        label = about->findChild<QLabel*>(QStringLiteral("Label1_0"))->text();
        EXPECT_EQ(main.statusText(), QStringLiteral("About Halvorn"));
        about->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    });

    find<QAction>("mHA")->trigger();

    EXPECT_EQ(title, QStringLiteral("About Halvorn"));
    EXPECT_EQ(label, QStringLiteral("Halvorn\nVersion 6.0"));
    EXPECT_EQ(main.statusText(), QStringLiteral("Main Menu"));
}
