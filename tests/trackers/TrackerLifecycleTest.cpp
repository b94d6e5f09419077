// The life of an individual's file on a tracker screen, run against every
// tracker: opening, selecting, saving, the save prompt, deleting, activation
// and the log's date picks.

#include "CommandNames.h"
#include "TrackerScreenDriver.h"

#include "screens/DataGrid.h"
#include "screens/MonthCalendar.h"
#include "screens/ShellState.h"
#include "storage/StoredDate.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <functional>

namespace {

using Answer = MessageService::Answer;

const QString NoFilesFound = QStringLiteral("No Files Found");

class TrackerLifecycle : public testing::TestWithParam<TrackerKind>
{
protected:
    TrackerScreenDriver driver { GetParam() };
    ScriptedMessageService& messages = driver.messages;

    QString dated(int day) const { return StoredDate::longText(QDate(2026, 12, day)); }

    // Ann with one dated row, the row the tests change.
    void storeAnn() { driver.storeIndividual("Ann", { { dated(1) } }); }

    void openWithAnnSelected()
    {
        storeAnn();
        driver.open();
        driver.select("Ann");
    }

    // A change the user makes in the log; the save writes it.
    void changeTheLog() { driver.typeIntoCell(1, 2, GetParam().typedValue); }
    bool changeWasSaved(const QString& name = QStringLiteral("Ann")) const
    {
        return driver.storedBytes(name).contains(GetParam().typedValue.toLatin1());
    }
};

TEST_P(TrackerLifecycle, FirstOpeningSaysNoFilesFoundAndPointsAtCreateNewFile)
{
    driver.open();
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.last().title, NoFilesFound);
    EXPECT_EQ(messages.last().text,
        "Currently there are no Individual Files to view,\nplease use the Create New File Button\n"
        "to enter Individual information!");
    EXPECT_EQ(messages.last().icon, MessageService::Icon::Information);
    EXPECT_TRUE(driver.button(TrackerCommand::Create)->isEnabled());
    EXPECT_TRUE(driver.button(TrackerCommand::Create)->hasFocus());
}

TEST_P(TrackerLifecycle, NoFilesFoundWaitsForTheWindowToBeShown)
{
    driver.screen = GetParam().create(driver.services);
    QCoreApplication::processEvents();
    EXPECT_TRUE(messages.messages().isEmpty());
    driver.screen->show();
    EXPECT_TRUE(messages.messages().isEmpty());
    QCoreApplication::processEvents();
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.last().title, NoFilesFound);
}

TEST_P(TrackerLifecycle, TitleCarriesTheFamilyNameOfTheSharedState)
{
    driver.state.FamilyName = QStringLiteral("Berg");
    driver.open();
    EXPECT_EQ(driver.screen->windowTitle(), "Berg " + GetParam().trackerName);
}

TEST_P(TrackerLifecycle, CreateSaveAndSelectTheNewIndividual)
{
    driver.open();
    driver.button(TrackerCommand::Create)->click();
    EXPECT_TRUE(driver.screen->inCreateMode());
    EXPECT_EQ(driver.find<QLabel>("Label2")->text(), "Enter File Name:");
    QTest::keyClicks(driver.find<QLineEdit>("Text1_0"), "Ann");
    messages.clear();
    driver.button(GetParam().saveNewFileButton)->click();
    EXPECT_EQ(messages.last().text, "File has been Saved.");
    EXPECT_TRUE(driver.folder.exists(GetParam().listFileName));
    EXPECT_TRUE(driver.folder.exists(driver.dataFileName("Ann")));

    driver.button(TrackerCommand::ViewExisting)->click();
    driver.select("Ann");
    EXPECT_EQ(driver.screen->displayedName(), "Ann");
    EXPECT_TRUE(driver.find<QWidget>("SSPanel3")->isVisible());
    EXPECT_EQ(driver.screen->changesMade(), 0);
}

TEST_P(TrackerLifecycle, SaveWithoutChangesWritesNothing)
{
    openWithAnnSelected();
    const QByteArray before = driver.storedBytes("Ann");
    driver.button(TrackerCommand::Save)->click();
    EXPECT_EQ(messages.last().text, "There have been no entries/changes made to save!");
    EXPECT_EQ(messages.last().title, "Save Command");
    EXPECT_EQ(driver.storedBytes("Ann"), before);
}

TEST_P(TrackerLifecycle, SavePromptAnswersDecideWhatHappensToTheChanges)
{
    struct Case {
        const char* command;
        Answer answer;
        bool saved;
        bool actionRan;
    };
    const Case cases[] = {
        { "Command7", Answer::Yes, true, true },
        { "Command7", Answer::No, false, true },
        { "Command7", Answer::Cancel, false, false },
        { "Command1", Answer::Yes, true, true },
        { "Command1", Answer::No, false, true },
        { "Command1", Answer::Cancel, false, false },
        { "Command2", Answer::Yes, true, true },
        { "Command2", Answer::No, false, true },
        { "Command2", Answer::Cancel, false, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.command) + " answer " + std::to_string(int(c.answer)));
        // Where the menu item follows its button, nothing reaches View
        // Existing File while an individual is on display.
        if (QLatin1String(c.command) == QLatin1String("Command2")
            && GetParam().viewMenuItemFollowsButton)
            continue;
        TrackerScreenDriver fresh(GetParam());
        fresh.storeIndividual("Ann", { { dated(1) } });
        fresh.open();
        fresh.select("Ann");
        fresh.typeIntoCell(1, 2, GetParam().typedValue);
        // View Existing File is the menu item here: its button is off while
        // the list is on show.
        fresh.messages.queueAnswer(c.answer);
        if (QLatin1String(c.command) == QLatin1String("Command2"))
            fresh.action("mOV")->trigger();
        else
            fresh.button(c.command)->click();

        ASSERT_GE(fresh.messages.messages().size(), 1);
        const MessageService::Message prompt = fresh.messages.messages().first();
        EXPECT_EQ(prompt.text,
            "Save changes made to " + GetParam().trackerName + " before next action or exiting?");
        EXPECT_EQ(prompt.title, GetParam().trackerName + " Information");
        EXPECT_EQ(prompt.buttons, MessageService::Buttons::YesNoCancel);
        EXPECT_EQ(fresh.storedBytes("Ann").contains(GetParam().typedValue.toLatin1()), c.saved);
        EXPECT_EQ(
            fresh.screen->displayedName().isEmpty() || !fresh.screen->isVisible(), c.actionRan);
        EXPECT_EQ(fresh.screen->changesMade(), c.actionRan ? 0 : TrackerScreen::Changed);
    }
}

TEST_P(TrackerLifecycle, ChoosingAnotherIndividualAsksTheSavePromptFirst)
{
    struct Case {
        Answer answer;
        const char* shown;
        bool saved;
    };
    const Case cases[] = {
        { Answer::Yes, "Bob", true },
        { Answer::No, "Bob", false },
        // Cancel keeps Ann on display with her unsaved change.
        { Answer::Cancel, "Ann", false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.answer));
        TrackerScreenDriver fresh(GetParam());
        fresh.storeIndividual("Ann", { { dated(1) } });
        fresh.storeIndividual("Bob", { { dated(2) } });
        fresh.open();
        fresh.select("Ann");
        fresh.typeIntoCell(1, 2, GetParam().typedValue);
        fresh.messages.clear();
        fresh.messages.queueAnswer(c.answer);
        fresh.select("Bob");

        ASSERT_GE(fresh.messages.messages().size(), 1);
        EXPECT_EQ(fresh.messages.messages().first().title, GetParam().trackerName + " Information");
        EXPECT_EQ(fresh.screen->displayedName(), c.shown);
        EXPECT_EQ(fresh.find<QComboBox>("Combo1")->currentText(), c.shown);
        EXPECT_EQ(fresh.storedBytes("Ann").contains(GetParam().typedValue.toLatin1()), c.saved);
        if (c.answer == Answer::Cancel) {
            EXPECT_EQ(fresh.screen->changesMade(), TrackerScreen::Changed);
            EXPECT_EQ(fresh.grid()->text(1, 2), GetParam().typedValue);
        }
    }
}

TEST_P(TrackerLifecycle, DeletingTheOnlyIndividualRemovesBothFiles)
{
    openWithAnnSelected();
    driver.button(TrackerCommand::Graph)->click();
    messages.queueAnswer(Answer::Yes);
    driver.button(TrackerCommand::Delete)->click();
    EXPECT_FALSE(driver.find<QWidget>("SSPanel4")->isVisible());
    const MessageService::Message question = messages.last();
    EXPECT_EQ(question.text, "Do You really want to delete\nAnn\nfile and all its contents?");
    EXPECT_EQ(question.defaultButton, Answer::No);
    EXPECT_FALSE(driver.folder.exists(driver.dataFileName("Ann")));
    EXPECT_FALSE(driver.folder.exists(GetParam().listFileName));
    EXPECT_EQ(driver.clock.pausedSeconds(), 1);

    // The empty list can be read again: from the menu item at once, or,
    // where it follows its button, once Create New File has enabled both.
    messages.clear();
    if (GetParam().viewMenuItemFollowsButton) {
        EXPECT_FALSE(driver.action("mOV")->isEnabled());
        driver.button(TrackerCommand::Create)->click();
    }
    ASSERT_TRUE(driver.action("mOV")->isEnabled());
    driver.action("mOV")->trigger();
    EXPECT_EQ(messages.last().title, NoFilesFound);
}

TEST_P(TrackerLifecycle, NoOrCancelToDeleteKeepsTheFileAndTheChanges)
{
    for (Answer answer : { Answer::No, Answer::Cancel }) {
        SCOPED_TRACE(int(answer));
        TrackerScreenDriver fresh(GetParam());
        fresh.storeIndividual("Ann", { { dated(1) } });
        fresh.open();
        fresh.select("Ann");
        fresh.typeIntoCell(1, 2, GetParam().typedValue);
        fresh.messages.queueAnswer(answer);
        fresh.button(TrackerCommand::Delete)->click();
        EXPECT_TRUE(fresh.folder.exists(fresh.dataFileName("Ann")));
        EXPECT_FALSE(fresh.find<QWidget>("SSPanel3")->isVisible());

        // Closing still asks about the unsaved change.
        fresh.messages.clear();
        fresh.messages.queueAnswer(Answer::Yes);
        fresh.screen->close();
        ASSERT_FALSE(fresh.messages.messages().isEmpty());
        EXPECT_EQ(fresh.messages.messages().first().title, GetParam().trackerName + " Information");
        EXPECT_TRUE(fresh.storedBytes("Ann").contains(GetParam().typedValue.toLatin1()));
    }
}

TEST_P(TrackerLifecycle, ViewExistingFileMenuItemFollowsItsButtonOnlyWhereTheScreenSaysSo)
{
    struct Step {
        const char* name;
        std::function<void()> run;
        bool buttonEnabled;
    };
    const Step steps[] = {
        { "opened with no individual files", [this] { driver.open(); }, false },
        { "Create New File", [this] { driver.button(TrackerCommand::Create)->click(); }, true },
        { "View Existing File with the list still empty",
            [this] { driver.action("mOV")->trigger(); }, false },
        { "Create New File again", [this] { driver.button(TrackerCommand::Create)->click(); },
            true },
        { "View Existing File with Ann listed",
            [this] {
                storeAnn();
                driver.action("mOV")->trigger();
            },
            false },
        { "Ann selected", [this] { driver.select("Ann"); }, false },
        { "Create New File after the selection",
            [this] { driver.button(TrackerCommand::Create)->click(); }, true },
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.run();
        EXPECT_EQ(driver.button(TrackerCommand::ViewExisting)->isEnabled(), step.buttonEnabled);
        EXPECT_EQ(driver.action("mOV")->isEnabled(),
            GetParam().viewMenuItemFollowsButton ? step.buttonEnabled : true);
    }
}

TEST_P(TrackerLifecycle, EveryActivationFocusesViewExistingFileAndShowsTheTitle)
{
    driver.open();
    driver.button(TrackerCommand::Create)->click();
    ASSERT_TRUE(driver.find<QLineEdit>("Text1_0")->hasFocus());
    auto* status = driver.find<QLabel>("StatusBar1Panel1");
    status->setText(QStringLiteral("Loading"));

    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(driver.screen.get(), &activate);
    EXPECT_TRUE(driver.button(TrackerCommand::ViewExisting)->hasFocus());
    EXPECT_EQ(status->text(), GetParam().trackerName);
}

TEST_P(TrackerLifecycle, RefusedFutureDatePutsBackWhatTheCellHeld)
{
    driver.storeIndividual("Ann", { { dated(1) } });
    driver.open();
    driver.select("Ann");
    struct Case {
        int row;
        QString before;
    };
    for (const Case& c : { Case { 1, dated(1) }, Case { 2, QString() } }) {
        SCOPED_TRACE(c.row);
        messages.clear();
        driver.clickCell(c.row, 1);
        driver.pickLogDate(TrackerScreenDriver::Today.addDays(1));
        EXPECT_EQ(messages.last().text, "The Date entry Cannot Exceed the Current Date!");
        EXPECT_EQ(messages.last().title, "Entry Error");
        EXPECT_EQ(driver.grid()->text(c.row, 1), c.before);
        EXPECT_EQ(driver.screen->changesMade(), 0);
    }
}

TEST_P(TrackerLifecycle, ADateIsPickedByKeysAlone)
{
    openWithAnnSelected();
    messages.clear();
    auto* calendar = driver.find<MonthCalendar>("MonthView2");
    const auto keyToFocus = [](Qt::Key key) {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        QTest::keyClick(focused, key);
    };

    // Escape puts the calendar away and leaves the cell and the screen as
    // they were: no closing question.
    driver.clickCell(1, 1);
    ASSERT_TRUE(calendar->isVisible());
    keyToFocus(Qt::Key_Escape);
    EXPECT_FALSE(calendar->isVisible());
    EXPECT_TRUE(driver.screen->isVisible());
    EXPECT_TRUE(messages.messages().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_EQ(driver.grid()->text(1, 1), dated(1));
    EXPECT_TRUE(driver.grid()->isAncestorOf(QApplication::focusWidget()));

    // Opened on today, December 9, 2026, with the focus on its days.
    driver.clickCell(2, 1);
    ASSERT_TRUE(calendar->isVisible());
    ASSERT_TRUE(calendar->isAncestorOf(QApplication::focusWidget()));
    for (Qt::Key key : { Qt::Key_Left, Qt::Key_Up, Qt::Key_PageUp, Qt::Key_PageUp, Qt::Key_PageDown,
             Qt::Key_Down })
        keyToFocus(key);
    EXPECT_EQ(calendar->date(), QDate(2026, 11, 8));
    keyToFocus(Qt::Key_Return);
    EXPECT_FALSE(calendar->isVisible());
    EXPECT_EQ(driver.grid()->text(2, 1), "November 08, 2026");
    EXPECT_TRUE(messages.messages().isEmpty()) << messages.texts().join('|').toStdString();
}

TEST_P(TrackerLifecycle, ExitAndEscapeAskBeforeClosingOnUnsavedChanges)
{
    openWithAnnSelected();
    changeTheLog();
    messages.clear();
    messages.queueAnswer(Answer::Cancel);
    QTest::keyClick(driver.screen.get(), Qt::Key_Escape);
    EXPECT_TRUE(driver.screen->isVisible());
    EXPECT_EQ(messages.messages().size(), 1);

    messages.queueAnswer(Answer::Yes);
    driver.button(TrackerCommand::Exit)->click();
    EXPECT_FALSE(driver.screen->isVisible());
    EXPECT_TRUE(changeWasSaved());
}

TEST_P(TrackerLifecycle, TheLogFitsAWindowOfASmallScreen)
{
    openWithAnnSelected();
    // The window of an 800 by 600 screen: the log once grew the window
    // past it, each wider panel widening its grid again.
    driver.screen->resize(800, 600);
    for (int pass = 0; pass < 5; ++pass)
        QCoreApplication::processEvents();
    EXPECT_LE(driver.screen->width(), 800);
    const QWidget* grid = driver.grid();
    const QWidget* panel = grid->parentWidget();
    EXPECT_LE(grid->geometry().right(), panel->width()) << "the grid stays inside its panel";
}

// The tracker opens where the main screen is: maximised in the full-screen
// display, in the main screen's place and size in the smaller one. On an 800
// by 600 screen (the offscreen one) no view widens it past the screen.
TEST_P(TrackerLifecycle, ItOpensWhereTheMainScreenIsAndEveryViewFitsASmallScreen)
{
    storeAnn();
    const QRect screenArea = QApplication::primaryScreen()->availableGeometry();
    ASSERT_LE(screenArea.width(), 800);
    const auto settle = [] {
        for (int pass = 0; pass < 5; ++pass)
            QCoreApplication::processEvents();
    };
    for (const qint16 mode : { ShellState::FullScreenDisplay, ShellState::SmallerScreenDisplay }) {
        SCOPED_TRACE(mode == ShellState::FullScreenDisplay ? "full screen" : "smaller screen");
        // The main screen, active while the tracker is made.
        QWidget mainScreen;
        mainScreen.setGeometry(screenArea.adjusted(10, 20, -10, -5));
        mainScreen.show();
        QApplication::setActiveWindow(&mainScreen);
        driver.state.DisplayMode = mode;
        driver.screen.reset();
        driver.open();
        driver.select("Ann");
        settle();
        if (mode == ShellState::FullScreenDisplay) {
            EXPECT_TRUE(driver.screen->isMaximized());
            // The offscreen platform keeps a thin frame inside the screen.
            EXPECT_TRUE(screenArea.contains(driver.screen->geometry()));
        } else {
            EXPECT_FALSE(driver.screen->isMaximized());
            EXPECT_EQ(driver.screen->geometry(), mainScreen.geometry());
        }
        // Each panel the commands show, then the print options over the log.
        for (const char* command : { "Command3", "Command5", "Command4", "Command9" }) {
            SCOPED_TRACE(command);
            driver.button(command)->click();
            settle();
            EXPECT_LE(driver.screen->frameGeometry().right(), screenArea.right());
            EXPECT_LE(driver.screen->width(), screenArea.width());
            EXPECT_LE(driver.screen->height(), screenArea.height());
            EXPECT_LE(driver.screen->minimumSizeHint().width(), screenArea.width());
        }
        driver.screen.reset();
    }
}

INSTANTIATE_TEST_SUITE_P(Trackers, TrackerLifecycle,
    testing::Values(weightTrackerKind(), bloodPressureTrackerKind()),
    [](const testing::TestParamInfo<TrackerKind>& testCase) { return testCase.param.name; });

} // namespace
