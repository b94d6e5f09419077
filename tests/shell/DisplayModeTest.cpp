#include "MainScreenFixture.h"
#include "ReadOnlyFolder.h"

#include <QAction>

using DisplayModeTest = MainScreenFixture;

TEST_F(DisplayModeTest, FullScreenDisplayWhileTickedDoesNothing)
{
    MainScreen& main = start();
    ASSERT_TRUE(find<QAction>("mOPF")->isChecked());
    const int pausesBefore = clock.pausedSeconds();

    find<QAction>("mOPF")->trigger();

    EXPECT_TRUE(main.isMaximized());
    // Untouched: the command neither stored a mode nor ran the start-up.
    EXPECT_EQ(displaySettings().displayModeText(), QString());
    EXPECT_EQ(clock.pausedSeconds(), pausesBefore);
}

TEST_F(DisplayModeTest, SmallerScreenDisplayShowsTheRememberedSizeCentred)
{
    storeDisplayMode(QStringLiteral("No"), 9600, 13500);
    MainScreen& main = start(QSize(1024, 768));
    ASSERT_TRUE(main.isMaximized());

    find<QAction>("mOPS")->trigger();

    EXPECT_FALSE(main.isMaximized());
    EXPECT_EQ(main.state().DisplayMode, ShellState::SmallerScreenDisplay);
    EXPECT_EQ(displaySettings().displayModeText(), QStringLiteral("Yes"));
    EXPECT_EQ(twipsOf(main), QSize(13500, 9600));
    EXPECT_EQ(main.pos(), QPoint((1024 - 900) / 2, (768 - 640) / 2));
    EXPECT_TRUE(find<QAction>("mOPS")->isChecked());
    EXPECT_FALSE(find<QAction>("mOPF")->isChecked());

    find<QAction>("mOPF")->trigger();
    EXPECT_TRUE(main.isMaximized());
    EXPECT_EQ(displaySettings().displayModeText(), QStringLiteral("No"));
}

TEST_F(DisplayModeTest, DefaultScreenSizeDependsOnTheScreen)
{
    const struct {
        QSize screenPixels;
        qint16 storedHeight;
        qint16 storedWidth;
        QSize windowTwips;
    } cases[] = {
        // 15360 by 11520 twips: room for the default size.
        { QSize(1024, 768), 11200, 15100, QSize(15105, 11205) },
        // 12000 by 9000 twips: the screen less 200, raised to the minimum
        // when applied.
        { QSize(800, 600), 8800, 11800, QSize(12000, 9000) },
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.screenPixels.width());
        renewFolder();
        MainScreen& main = start(entry.screenPixels);

        find<QAction>("mOPDefault")->trigger();

        EXPECT_FALSE(main.isMaximized());
        EXPECT_EQ(displaySettings().displayModeText(), QStringLiteral("Yes"));
        EXPECT_EQ(displaySettings().windowHeight(), entry.storedHeight);
        EXPECT_EQ(displaySettings().windowWidth(), entry.storedWidth);
        // Whole pixels: within one pixel (15 twips) of the size asked for.
        EXPECT_NEAR(twipsOf(main).width(), entry.windowTwips.width(), 15);
        EXPECT_NEAR(twipsOf(main).height(), entry.windowTwips.height(), 15);
        EXPECT_EQ(main.state().DisplayMode, ShellState::SmallerScreenDisplay);
    }
}

TEST_F(DisplayModeTest, MaximizingStoresTheSmallerSizeAndTicksFullScreenDisplay)
{
    storeDisplayMode(QStringLiteral("Yes"), 9000, 12000);
    MainScreen& main = start();
    main.resize(main.metrics().toPixels(14010), main.metrics().toPixels(10005));
    QApplication::processEvents();

    main.showMaximized();
    QApplication::processEvents();

    EXPECT_EQ(displaySettings().windowHeight(), 10005);
    EXPECT_EQ(displaySettings().windowWidth(), 14010);
    EXPECT_TRUE(find<QAction>("mOPF")->isChecked());
    EXPECT_FALSE(find<QAction>("mOPS")->isChecked());
    EXPECT_EQ(main.state().DisplayMode, ShellState::FullScreenDisplay);
}

TEST_F(DisplayModeTest, RestoringAFullScreenStartSwitchesToTheRememberedSmallerDisplay)
{
    storeDisplayMode(QStringLiteral("No"), 9600, 13500);
    MainScreen& main = start(QSize(1024, 768));
    ASSERT_TRUE(main.isMaximized());

    main.showNormal();
    QApplication::processEvents();
    QApplication::processEvents();

    EXPECT_TRUE(main.isVisible());
    EXPECT_FALSE(main.isMaximized());
    EXPECT_EQ(displaySettings().displayModeText(), QStringLiteral("Yes"));
    EXPECT_EQ(twipsOf(main), QSize(13500, 9600));
    EXPECT_EQ(main.pos(), QPoint((1024 - 900) / 2, (768 - 640) / 2));
    EXPECT_EQ(main.state().DisplayMode, ShellState::SmallerScreenDisplay);
}

TEST_F(DisplayModeTest, ResizingBelowTheMinimumIsRaisedAgain)
{
    storeDisplayMode(QStringLiteral("Yes"), 9000, 12000);
    MainScreen& main = start();

    main.resize(300, 200);
    QApplication::processEvents();

    EXPECT_EQ(twipsOf(main), QSize(12000, 9000));
    EXPECT_EQ(main.state().WindowHeight, 9000);
    EXPECT_EQ(main.state().WindowWidth, 12000);
}

TEST_F(DisplayModeTest, ExitInSmallerDisplayStoresTheDraggedSize)
{
    storeDisplayMode(QStringLiteral("Yes"), 9000, 12000);
    MainScreen& main = start();
    main.resize(main.metrics().toPixels(14010), main.metrics().toPixels(10005));
    QApplication::processEvents();
    messages.queueAnswer(MessageService::Answer::Yes);

    main.exitProgram();

    EXPECT_EQ(displaySettings().displayModeText(), QStringLiteral("Yes"));
    EXPECT_EQ(displaySettings().windowHeight(), 10005);
    EXPECT_EQ(displaySettings().windowWidth(), 14010);
}

// A folder that refuses new files: the user is told once, not at every
// resize, that the mode and size cannot be stored.
TEST_F(DisplayModeTest, AModeThatCannotBeStoredIsSaidOnceWithTheFileAndTheReason)
{
    ReadOnlyFolder readOnly(program->path());
    if (!readOnly.isEffective())
        GTEST_SKIP() << "this system cannot make a folder read-only";
    MainScreen& main = start();
    ASSERT_TRUE(messages.messages().isEmpty());

    find<QAction>("mOPS")->trigger();
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.last().title, QStringLiteral("Program Display Option"));
    EXPECT_EQ(messages.last().icon, MessageService::Icon::Critical);
    EXPECT_TRUE(messages.last().text.startsWith(
        QStringLiteral("The display mode or window size could not be stored.\nThe file "
                       "\"GColor3.Fil\" could not be written:\n")))
        << messages.last().text.toStdString();

    main.showMaximized();
    QApplication::processEvents();
    messages.queueAnswer(MessageService::Answer::Yes);
    main.exitProgram();
    EXPECT_EQ(messages.messages().size(), 2); // the exit question alone
}
