// The Password Keeper's panel colour, toolbars and background.

#include "FakeClock.h"
#include "RecordingHelp.h"
#include "ScriptedDialogs.h"
#include "ScriptedMessageService.h"
#include "ScriptedScreenServices.h"
#include "TemporaryProgramFolder.h"

#include "passwords/ui/PasswordKeeper.h"
#include "screens/FunctionScreenFrame.h"
#include "screens/ShellState.h"
#include "storage/GColor1File.h"
#include "storage/GColor3File.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

using Answer = MessageService::Answer;

class PasswordKeeperChrome : public testing::Test, protected ScriptedScreenServices
{
protected:
    void SetUp() override { FunctionScreenFrame::layoutStore().clear(); }
    void TearDown() override
    {
        screen.reset();
        FunctionScreenFrame::layoutStore().clear();
    }

    void open()
    {
        screen = std::make_unique<PasswordKeeper>(services);
        screen->show();
        QCoreApplication::processEvents();
        messages.clear();
    }
    template <typename W = QWidget> W* find(const char* name) const
    {
        W* widget = screen->findChild<W*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QColor panelColour() const
    {
        return find<QFrame>("Panel3D1")->palette().color(QPalette::Window);
    }
    StoredColour stored() const { return GColor3File(folder.folder()).passwordKeeperPanelColour(); }

    std::unique_ptr<PasswordKeeper> screen;
};

TEST_F(PasswordKeeperChrome, AnEmptyRecordShowsTheSwatchColour)
{
    open();
    const QColor swatch = QApplication::palette().color(QPalette::Window);
    EXPECT_EQ(find<QLabel>("Label3")->palette().color(QPalette::Window), swatch);
    EXPECT_EQ(panelColour(), swatch);
}

TEST_F(PasswordKeeperChrome, AChosenColourIsAskedAboutWithTheKeepersQuestionAndCopiedToAll)
{
    open();
    messages.queueAnswer(Answer::Yes);
    dialogs.queueColour(QColor(255, 0, 0));
    find<QAction>("mOC")->trigger();
    EXPECT_EQ(messages.last().title, "Panel Color");
    EXPECT_EQ(panelColour(), QColor(255, 0, 0));

    messages.clear();
    messages.queueAnswer(Answer::Yes);
    messages.queueAnswer(Answer::Yes);
    screen->close();
    ASSERT_EQ(messages.messages().size(), 2);
    EXPECT_EQ(messages.messages()[0].text, "Save changes made to Panel Color?");
    EXPECT_EQ(messages.messages()[0].title, "Panel Color Changes");
    EXPECT_EQ(messages.messages()[0].buttons, MessageService::Buttons::YesNo);
    EXPECT_EQ(messages.messages()[1].title, "Complete Program Panel Color Update Option");
    EXPECT_EQ(stored().toText(), "255");
    const GColor1File trackers(folder.folder());
    EXPECT_EQ(trackers.weightPanelColour().toText(), "255");
    EXPECT_EQ(trackers.bloodPressurePanelColour().toText(), "255");
    EXPECT_EQ(trackers.sharedPanelColour().toText(), "255");

    open();
    EXPECT_EQ(panelColour(), QColor(255, 0, 0));
}

TEST_F(PasswordKeeperChrome, TheDefaultChoiceIsStoredAsDefault)
{
    ASSERT_TRUE(
        GColor3File(folder.folder()).setPasswordKeeperPanelColour(StoredColour::fromValue(255)));
    open();
    messages.queueAnswer(Answer::No);
    find<QAction>("mOC")->trigger();
    messages.queueAnswer(Answer::Yes);
    screen->close();
    EXPECT_TRUE(stored().isDefault());
}

TEST_F(PasswordKeeperChrome, ToolbarsLeadBackAndHideAsOnTheTrackers)
{
    open();
    const char* labels[] = { "Delete", "Print Options", "Launch Web Site", "Help", "Exit" };
    for (int number = 1; number <= 5; ++number)
        EXPECT_EQ(
            screen->findChild<QToolButton*>(QStringLiteral("Toolbar2_%1").arg(number))->toolTip(),
            labels[number - 1]);

    find<QAction>("Toolbar1Hide")->trigger();
    EXPECT_TRUE(find("StatusBar1Panel2")->isVisible());
    open();
    EXPECT_FALSE(find<QToolBar>("Toolbar1")->isVisible());
    QTest::mouseClick(find("StatusBar1Panel2"), Qt::LeftButton);
    EXPECT_TRUE(find<QToolBar>("Toolbar1")->isVisible());

    find<QToolButton>("Toolbar1_7")->click();
    EXPECT_FALSE(screen->isVisible());
    EXPECT_EQ(find<QLabel>("StatusBar1Panel1")->text(), "Loading");
}

} // namespace

TEST_F(PasswordKeeperChrome, SideButtonsDoNothingWhilePrintOptionsAreOpen)
{
    open();
    screen->activateWindow();
    QTest::keyClicks(find("Text1_0"), QStringLiteral("Bank"));
    QTest::mouseClick(find<QPushButton>("Command3"), Qt::LeftButton);
    QWidget* panel = find("SSPanel80");
    ASSERT_TRUE(panel->isVisible());
    const QList<QToolButton*> buttons
        = find<QToolBar>("Toolbar2")
              ->findChildren<QToolButton*>(QString(), Qt::FindDirectChildrenOnly);
    for (QToolButton* button : buttons) {
        if (button->toolTip() == QStringLiteral("Help"))
            continue;
        const qsizetype asked = messages.messages().size();
        button->click();
        EXPECT_TRUE(screen->isVisible()) << button->toolTip().toStdString();
        EXPECT_TRUE(panel->isVisible()) << button->toolTip().toStdString();
        EXPECT_EQ(messages.messages().size(), asked) << button->toolTip().toStdString();
    }
}
