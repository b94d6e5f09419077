// The toolbars and status bar of every tracker: the top toolbar's way back
// to the main screen, the side toolbar's commands, hiding and restoring,
// and the layout kept per user.

#include "CommandNames.h"
#include "TrackerScreenDriver.h"

#include "screens/FunctionScreenFrame.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace {

using Answer = MessageService::Answer;

class TrackerToolbars : public testing::TestWithParam<TrackerKind>
{
protected:
    void SetUp() override { FunctionScreenFrame::layoutStore().clear(); }
    void TearDown() override { FunctionScreenFrame::layoutStore().clear(); }

    TrackerScreenDriver driver { GetParam() };
    ScriptedMessageService& messages = driver.messages;

    bool isWeight() const { return GetParam().name == "Weight"; }
    QToolBar* toolbar(int number) const
    {
        return driver.find<QToolBar>(QStringLiteral("Toolbar%1").arg(number));
    }
    QToolButton* topButton(int number) const
    {
        return driver.find<QToolButton>(QStringLiteral("Toolbar1_%1").arg(number));
    }
    QToolButton* sideButton(int number) const
    {
        return driver.find<QToolButton>(QStringLiteral("Toolbar2_%1").arg(number));
    }
    QLabel* statusPanel(int number) const
    {
        return driver.find<QLabel>(QStringLiteral("StatusBar1Panel%1").arg(number));
    }
    void reopen()
    {
        driver.screen.reset();
        messages.clear();
        driver.open();
    }
    // A change the save prompt asks about.
    void changeSomething()
    {
        driver.storeIndividual("Ann", { { QStringLiteral("December 01, 2026") } });
        reopen();
        driver.select("Ann");
        driver.typeIntoCell(1, 2, GetParam().typedValue);
    }
};

TEST_P(TrackerToolbars, TheTopToolbarLeadsBackToTheMainScreen)
{
    for (int number = 1; number <= FunctionScreenFrame::TopButtonCount; ++number) {
        reopen();
        QToolButton* button = topButton(number);
        if (number == 9 && !isWeight()) {
            EXPECT_FALSE(button->isEnabled());
            continue;
        }
        button->click();
        EXPECT_FALSE(driver.screen->isVisible()) << number;
        EXPECT_EQ(statusPanel(1)->text() == "Loading", number < 14) << number;
    }
    EXPECT_EQ(topButton(1)->text(), "Main");
    EXPECT_EQ(topButton(1)->toolTip(), "Main Menu");
    EXPECT_EQ(topButton(14)->text(), "Exit");
}

TEST_P(TrackerToolbars, AnExitTheUserCancelsShowsTheCaptionAgain)
{
    changeSomething();
    for (int number : { 3, 14 }) {
        messages.queueAnswer(Answer::Cancel);
        topButton(number)->click();
        EXPECT_TRUE(driver.screen->isVisible());
        EXPECT_EQ(statusPanel(1)->text(), driver.screen->windowTitle()) << number;
    }
}

TEST_P(TrackerToolbars, TheSideToolbarRunsTheScreensCommands)
{
    driver.storeIndividual("Ann", { { QStringLiteral("December 01, 2026") } });
    driver.open();
    const char* toolTips[] = { "Grid Background Selector", "Panel Color", "Delete Existing File",
        "Print Options", "Help", "Exit" };
    for (int number = 1; number <= 6; ++number)
        EXPECT_EQ(sideButton(number)->toolTip(), toolTips[number - 1]);
    EXPECT_EQ(driver.screen->toolBarArea(toolbar(2)), Qt::LeftToolBarArea);
    EXPECT_EQ(driver.screen->toolBarArea(toolbar(3)), Qt::RightToolBarArea);

    // Delete and Print Options go with Command8 and Command9.
    EXPECT_FALSE(sideButton(3)->isEnabled());
    EXPECT_FALSE(sideButton(4)->isEnabled());
    driver.select("Ann");
    EXPECT_EQ(sideButton(3)->isEnabled(), driver.button(TrackerCommand::Delete)->isEnabled());
    EXPECT_TRUE(sideButton(3)->isEnabled());
    EXPECT_TRUE(sideButton(4)->isEnabled());

    sideButton(1)->click();
    EXPECT_TRUE(driver.find("SSPanel9")->isVisible());
    sideButton(1)->click();
    EXPECT_FALSE(driver.find("SSPanel9")->isVisible());
    messages.queueAnswer(Answer::Cancel);
    sideButton(2)->click();
    EXPECT_EQ(messages.last().title, "Panel Color");
    sideButton(5)->click();
    EXPECT_EQ(driver.help.last(), isWeight() ? 1010 : 1016);
    sideButton(6)->click();
    EXPECT_FALSE(driver.screen->isVisible());
}

TEST_P(TrackerToolbars, SideButtonsDoNothingWhilePrintOptionsAreOpen)
{
    driver.storeIndividual("Ann", { { QStringLiteral("December 01, 2026") } });
    driver.open();
    driver.select("Ann");
    QTest::mouseClick(driver.button(TrackerCommand::PrintOptions), Qt::LeftButton);
    QWidget* panel = driver.find("SSPanel80");
    ASSERT_TRUE(panel->isVisible());
    // Grid, Color, Delete, Print Options and Exit: each only beeps.
    for (int number : { 1, 2, 3, 4, 6 }) {
        const qsizetype asked = messages.messages().size();
        sideButton(number)->click();
        EXPECT_TRUE(driver.screen->isVisible()) << number;
        EXPECT_TRUE(panel->isVisible()) << number;
        EXPECT_FALSE(driver.find("SSPanel9")->isVisible()) << number;
        EXPECT_EQ(messages.messages().size(), asked) << number;
    }
}

TEST_P(TrackerToolbars, HiddenToolbarsComeBackFromTheStatusBarAndStayAsTheUserLeftThem)
{
    driver.open();
    EXPECT_FALSE(statusPanel(2)->isVisible());
    EXPECT_FALSE(statusPanel(3)->isVisible());

    driver.find<QAction>("Toolbar1Hide")->trigger();
    driver.find<QAction>("Toolbar2Hide")->trigger();
    EXPECT_FALSE(toolbar(1)->isVisible());
    EXPECT_FALSE(toolbar(2)->isVisible());
    EXPECT_FALSE(toolbar(3)->isVisible());
    EXPECT_EQ(statusPanel(2)->text(), "Click to Restore Top Toolbar");
    EXPECT_EQ(statusPanel(3)->text(), "Click to Restore Side Toolbars");
    EXPECT_TRUE(statusPanel(2)->isVisible());
    EXPECT_TRUE(statusPanel(3)->isVisible());

    // A new run: the toolbars are as the user left them.
    reopen();
    EXPECT_FALSE(toolbar(1)->isVisible());
    EXPECT_FALSE(toolbar(2)->isVisible());
    EXPECT_TRUE(driver.screen->statusBar()->isVisible());
    EXPECT_TRUE(statusPanel(2)->isVisible());

    QTest::mouseClick(statusPanel(2), Qt::LeftButton);
    EXPECT_TRUE(toolbar(1)->isVisible());
    EXPECT_FALSE(statusPanel(2)->isVisible());
    QTest::mouseClick(statusPanel(3), Qt::LeftButton);
    EXPECT_TRUE(toolbar(2)->isVisible());
    EXPECT_TRUE(toolbar(3)->isVisible());
    EXPECT_FALSE(statusPanel(3)->isVisible());

    reopen();
    EXPECT_TRUE(toolbar(1)->isVisible());
    EXPECT_TRUE(toolbar(2)->isVisible());
}

TEST_P(TrackerToolbars, TheScreenShowsTheProgramBackground)
{
    driver.state.ScreenBackground = BackgroundSetting::colour(255);
    driver.open();
    EXPECT_EQ(driver.find("Background")->palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_FALSE(driver.find("Image1")->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Trackers, TrackerToolbars,
    testing::Values(weightTrackerKind(), bloodPressureTrackerKind()),
    [](const testing::TestParamInfo<TrackerKind>& testCase) { return testCase.param.name; });

} // namespace
