#include "CommandNames.h"
#include "FailingSaves.h"
#include "FakeClock.h"
#include "ReadOnlyFolder.h"
#include "RecordingHelp.h"
#include "ScriptedDialogs.h"
#include "ScriptedMessageService.h"
#include "TemporaryProgramFolder.h"
#include "backup/ui/BackupScreen.h"

#include "screens/DataGrid.h"
#include "screens/LineChart.h"
#include "screens/MonthCalendar.h"
#include "screens/ShellState.h"
#include "storage/StoredDate.h"
#include "storage/TextRecordFile.h"
#include "weight/WeightFile.h"
#include "weight/ui/WeightTracker.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

using Answer = MessageService::Answer;

const QDate Today(2026, 12, 9);

class WeightTrackerTest : public ::testing::Test
{
protected:
    TemporaryProgramFolder folder;
    ScriptedMessageService messages;
    ScriptedDialogs dialogs;
    FakeClock clock { QDateTime(Today, QTime(10, 0)) };
    ShellState state;
    RecordingHelp help;
    ScreenServices services { folder.folder(), messages, dialogs, clock, state, help,
        &BackupScreen::run };
    std::unique_ptr<WeightTracker> screen;

    void open()
    {
        screen = std::make_unique<WeightTracker>(services);
        screen->show();
        QCoreApplication::processEvents();
    }

    template <typename W = QWidget> W* find(const QString& name) const
    {
        W* widget = screen->findChild<W*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QPushButton* button(const char* name) const { return find<QPushButton>(QLatin1String(name)); }
    QLineEdit* box(int index) const
    {
        return find<QLineEdit>(QStringLiteral("Text1_%1").arg(index));
    }
    DataGrid* grid() const { return find<DataGrid>(QStringLiteral("Grid4")); }
    QAction* action(const char* name) const { return find<QAction>(QLatin1String(name)); }

    // A stored individual with weigh-ins (date, weight) from row 1 on.
    void storeIndividual(const QString& name, const QString& beginning, const QString& goal,
        const QList<WeighIn>& rows = {}, int rowCount = 50)
    {
        WeightFile file;
        file.name = name;
        file.beginningWeight = beginning;
        file.goalWeight = goal;
        file.rowCount = rowCount;
        file.rows = rows;
        ASSERT_TRUE(file.SaveWeightFile(folder.folder()));
        IndividualList list = WeightFile::LoadIndividualList(folder.folder());
        list.add(name);
        ASSERT_TRUE(WeightFile::WriteIndividualList(folder.folder(), list));
    }

    void select(const QString& name)
    {
        auto* list = find<QComboBox>(QStringLiteral("Combo1"));
        const int index = list->findText(name);
        ASSERT_GE(index, 0) << name.toStdString();
        list->setCurrentIndex(index);
        emit list->activated(index);
    }

    void clickCell(int row, int column)
    {
        QTableWidget* view = grid()->view();
        const QModelIndex cell = view->model()->index(row - 1, column - 1);
        view->scrollTo(cell);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(cell).center());
    }

    // The calendar of the log, as the user clicks a day on it.
    void pickLogDate(const QDate& date)
    {
        auto* calendar = find<MonthCalendar>(QStringLiteral("MonthView2"));
        ASSERT_TRUE(calendar->isVisible());
        calendar->setSelectedDate(date);
        emit calendar->clicked(date);
    }

    void typeIntoCell(int row, int column, const QString& keys)
    {
        clickCell(row, column);
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, nullptr);
        ASSERT_TRUE(grid()->isAncestorOf(editor) && editor != grid()->view()) << "no cell editor";
        QTest::keyClicks(editor, keys);
        QTest::keyClick(editor, Qt::Key_Return);
        // The editor commits its text from a queued call.
        QCoreApplication::processEvents();
    }

    void enterWeighIn(int row, const QDate& date, const QString& weight)
    {
        clickCell(row, 1);
        pickLogDate(date);
        typeIntoCell(row, 2, weight);
    }

    QStringList storedLines(const QString& fileName) const
    {
        TextRecordFile file;
        QStringList values;
        if (!file.openForReading(folder.folder().filePath(fileName)))
            return values;
        QString value;
        while (file.readValue(value))
            values.append(value);
        file.close();
        return values;
    }

    QString pictureOf(const char* name) const
    {
        return find<QLabel>(QLatin1String(name))->property("pictureName").toString();
    }
};

TEST_F(WeightTrackerTest, NobodyIsOnDisplayUntilAnIndividualIsSelected)
{
    struct Case {
        const char* name;
        bool individualStored;
        // Create New File, then View Existing File.
        bool backFromCreateMode;
    };
    const Case cases[] = {
        { "first opening", false, false },
        { "no files found after create mode", false, true },
        // Last: the individual stays stored.
        { "opening with an individual", true, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.individualStored)
            storeIndividual("Ann", "180", "150");
        open();
        if (c.backFromCreateMode) {
            button(TrackerCommand::Create)->click();
            QTest::keyClicks(box(5), "30 min");
            button(TrackerCommand::ViewExisting)->click();
            EXPECT_EQ(messages.last().title, "No Files Found");
            EXPECT_FALSE(find<QWidget>("SSPanel2")->isVisible());
            EXPECT_FALSE(button(TrackerCommand::SaveNewFile)->isVisible());
            EXPECT_FALSE(find<QWidget>("Label8")->isVisible());
            EXPECT_EQ(screen->changesMade(), 0);
        }
        EXPECT_EQ(find<QLabel>("Label2")->text(), "Select Individual:");
        EXPECT_TRUE(find<QComboBox>("Combo1")->isVisible());
        EXPECT_FALSE(box(0)->isVisible());
        EXPECT_FALSE(screen->inCreateMode());
        for (const char* name :
            { "Command3", "Command4", "Command5", "Command8", "Command9", "Command10" })
            EXPECT_FALSE(button(name)->isEnabled()) << name;
        for (const char* name : { "mOIn", "mOMnt", "mODel", "mOP", "mOS" })
            EXPECT_FALSE(action(name)->isEnabled()) << name;
        EXPECT_TRUE(button(TrackerCommand::Create)->isEnabled());
        EXPECT_TRUE(action("mOCr")->isEnabled());
        screen.reset();
        messages.clear();
    }
}

TEST_F(WeightTrackerTest, CreateSelectEnterWeighInSaveAndReopenFindsTheSameLog)
{
    open();
    button(TrackerCommand::Create)->click();
    EXPECT_TRUE(box(0)->isVisible());
    EXPECT_FALSE(find<QComboBox>("Combo1")->isVisible());
    EXPECT_EQ(find<QLabel>("Label2")->text(), "Enter File Name:");
    EXPECT_TRUE(find<QWidget>("SSPanel2")->isVisible());
    EXPECT_TRUE(button(TrackerCommand::SaveNewFile)->isVisible());
    EXPECT_FALSE(button(TrackerCommand::Create)->isEnabled());
    EXPECT_EQ(box(7)->text(), "Date Photo Taken");

    QTest::keyClicks(box(0), "Ann");
    QTest::keyClicks(box(2), "180");
    QTest::keyClicks(box(3), "150");
    QTest::keyClicks(box(5), "30 minutes");
    button(TrackerCommand::SaveNewFile)->click();
    EXPECT_EQ(messages.last().text, "File has been Saved.");
    EXPECT_EQ(messages.last().title, "Save File");
    EXPECT_EQ(storedLines("WeightTrker.Fil"), QStringList { "Ann" });
    const QStringList header = storedLines("Ann.Fil");
    ASSERT_EQ(header.size(), 12);
    EXPECT_EQ(header[0], "50");
    EXPECT_EQ(header[2], "180");
    EXPECT_EQ(header[5], "30 minutes");

    button(TrackerCommand::ViewExisting)->click();
    EXPECT_EQ(find<QLabel>("Label2")->text(), "Select Individual:");
    select("Ann");
    EXPECT_TRUE(find<QWidget>("SSPanel3")->isVisible());
    EXPECT_EQ(box(3)->text(), "150");
    EXPECT_EQ(screen->changesMade(), 0);

    const QDate weighDay(2026, 12, 8);
    enterWeighIn(1, weighDay, "178.5");
    EXPECT_EQ(grid()->text(1, 1), "December 08, 2026");
    EXPECT_EQ(grid()->text(1, 2), "178.5");
    EXPECT_EQ(grid()->text(1, 3), "N/A");
    EXPECT_EQ(grid()->displayText(1, 4), "-1.5");
    EXPECT_EQ(screen->changesMade(), 1);
    EXPECT_TRUE(button(TrackerCommand::Save)->isEnabled());

    button(TrackerCommand::Save)->click();
    EXPECT_EQ(messages.last().text, "File has been Saved.");
    EXPECT_EQ(messages.last().title, "Save File Command");
    EXPECT_EQ(screen->changesMade(), 0);

    screen->close();
    open();
    select("Ann");
    EXPECT_EQ(grid()->text(1, 1), "December 08, 2026");
    EXPECT_EQ(grid()->text(1, 2), "178.5");
    EXPECT_EQ(grid()->displayText(1, 4), "-1.5");
    EXPECT_EQ(box(5)->text(), "30 minutes");
    EXPECT_EQ(grid()->rowCount(), 50);
}

TEST_F(WeightTrackerTest, ClosingWithUnsavedWeighInsAsksEvenWithAnEmptyPlan)
{
    storeIndividual("Ann", "180", "150");
    open();
    select("Ann");
    enterWeighIn(1, QDate(2026, 12, 1), "179");
    messages.clear();
    messages.queueAnswer(Answer::Yes);
    screen->close();
    EXPECT_EQ(messages.messages().first().title, "Weight Tracker Information");
    EXPECT_EQ(storedLines("Ann.Fil").value(13), "179");
}

TEST_F(WeightTrackerTest, ExitAfterARefusedBlankNameStaysOnTheScreen)
{
    open();
    button(TrackerCommand::Create)->click();
    QTest::keyClicks(box(2), "180");
    messages.clear();
    messages.queueAnswer(Answer::Yes);
    button(TrackerCommand::Exit)->click();
    EXPECT_TRUE(messages.texts().contains("Please Enter Individual Name to save file."));
    EXPECT_TRUE(screen->isVisible());
}

TEST_F(WeightTrackerTest, LoadedValuesShowAsStoredAndAreReadAsStored)
{
    // Typed, "150-160" would lose its dash; loaded, it stays, reads as 150
    // and so no goal message shows for a last weight of 190.
    WeightFile file;
    file.name = QStringLiteral("Ann");
    file.beginningDate = QStringLiteral("January 01, 2026");
    file.beginningWeight = QStringLiteral("200 lb");
    file.goalWeight = QStringLiteral("150-160");
    file.exerciseDaysPerWeek = QStringLiteral("3 or 4");
    file.rowCount = 50;
    file.rows = { { QStringLiteral("December 01, 2026"), QStringLiteral("190") } };
    ASSERT_TRUE(file.SaveWeightFile(folder.folder()));
    IndividualList list = WeightFile::LoadIndividualList(folder.folder());
    list.add(QStringLiteral("Ann"));
    ASSERT_TRUE(WeightFile::WriteIndividualList(folder.folder(), list));
    const QByteArray stored = folder.read("Ann.Fil");

    open();
    select("Ann");
    EXPECT_EQ(box(2)->text(), "200 lb");
    EXPECT_EQ(box(3)->text(), "150-160");
    EXPECT_EQ(box(4)->text(), "3 or 4");
    EXPECT_FALSE(find<QLabel>("Label14")->isVisible());
    EXPECT_EQ(screen->changesMade(), 0);
    messages.clear();
    button(TrackerCommand::Save)->click();
    EXPECT_EQ(messages.last().text, "There have been no entries/changes made to save!");
    EXPECT_EQ(folder.read("Ann.Fil"), stored);

    // Once the user types into the box, its rule applies to the whole text.
    QTest::keyClicks(box(3), "-1");
    EXPECT_EQ(box(3)->text(), "1501601");
    EXPECT_EQ(screen->changesMade(), TrackerScreen::Changed);
}

TEST_F(WeightTrackerTest, CommentLineBreaksAreStoredAsCarriageReturnLineFeed)
{
    storeIndividual("Ann", "180", "150");
    open();
    select("Ann");
    auto* comments = find<QPlainTextEdit>("Text3");
    comments->setFocus();
    QTest::keyClicks(comments, "Walk");
    QTest::keyClick(comments, Qt::Key_Return);
    QTest::keyClicks(comments, "Swim");
    button(TrackerCommand::Save)->click();
    EXPECT_TRUE(folder.read("Ann.Fil").contains("\"Walk\r\nSwim\"\r\n"));
    EXPECT_EQ(find<QLabel>("Label15")->text(), "10");

    // A stored CR LF survives loading and another save unchanged.
    screen.reset();
    open();
    select("Ann");
    EXPECT_EQ(find<QPlainTextEdit>("Text3")->toPlainText(), "Walk\nSwim");
    QTest::keyClicks(box(5), "30");
    button(TrackerCommand::Save)->click();
    EXPECT_TRUE(folder.read("Ann.Fil").contains("\"Walk\r\nSwim\"\r\n"));
}

TEST_F(WeightTrackerTest, NamesRefusedByTheNameRulesAreNotWritten)
{
    storeIndividual("Ann", "180", "150");
    for (const char* typed : { "ann", "WeightTrker", "a/b" }) {
        const QString name = QLatin1String(typed);
        SCOPED_TRACE(name.toStdString());
        open();
        button(TrackerCommand::Create)->click();
        QTest::keyClicks(box(0), name);
        const QByteArray list = folder.read("WeightTrker.Fil");
        const QStringList files = QDir(folder.path()).entryList(QDir::Files);
        messages.clear();
        button(TrackerCommand::SaveNewFile)->click();
        ASSERT_EQ(messages.messages().size(), 1);
        EXPECT_EQ(messages.last().icon, MessageService::Icon::Exclamation);
        EXPECT_FALSE(messages.last().text.isEmpty());
        EXPECT_NE(messages.last().text, "File has been Saved.");
        EXPECT_EQ(folder.read("WeightTrker.Fil"), list);
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), files);
        screen.reset();
    }
}

TEST_F(WeightTrackerTest, SavingTheNewIndividualAgainRewritesItsFile)
{
    open();
    button(TrackerCommand::Create)->click();
    QTest::keyClicks(box(0), "Ann");
    button(TrackerCommand::SaveNewFile)->click();
    QTest::keyClicks(box(5), "an hour");
    button(TrackerCommand::SaveNewFile)->click();
    EXPECT_EQ(messages.last().text, "File has been Saved.");
    EXPECT_EQ(storedLines("WeightTrker.Fil"), QStringList { "Ann" });
    EXPECT_EQ(storedLines("Ann.Fil").value(5), "an hour");
}

TEST_F(WeightTrackerTest, BoxesKeepOnlyTheirCharacters)
{
    open();
    button(TrackerCommand::Create)->click();
    struct Case {
        int box;
        const char* typed;
        const char* kept;
    };
    const Case cases[] = {
        { 2, "180.5", "180.5" },
        { 2, "180-", "180" },
        { 2, "+18", "+18" },
        { 2, "18+", "18" },
        { 3, "1,5/2", "1,5/2" },
        { 4, "a", "" },
        { 4, "3x", "3" },
        { 5, "3x", "3x" },
        { 0, "Ann\"", "Ann" },
        { 6, "walk \"fast\"", "walk fast" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        box(c.box)->clear();
        QTest::keyClicks(box(c.box), QString::fromUtf8(c.typed));
        EXPECT_EQ(box(c.box)->text(), QString::fromUtf8(c.kept));
    }
    // A quote typed into the middle goes too.
    box(1)->setText("May 1");
    box(1)->setCursorPosition(3);
    QTest::keyClicks(box(1), "\"");
    EXPECT_EQ(box(1)->text(), "May 1");
}

TEST_F(WeightTrackerTest, CommentsCounterAndLimit)
{
    open();
    button(TrackerCommand::Create)->click();
    auto* comments = find<QPlainTextEdit>("Text3");
    auto* counter = find<QLabel>("Label15");
    comments->setPlainText(QString(950, QLatin1Char('a')));
    EXPECT_EQ(counter->text(), "950");
    EXPECT_EQ(counter->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    comments->moveCursor(QTextCursor::End);
    QTest::keyClicks(comments, "b");
    EXPECT_EQ(counter->text(), "951");
    EXPECT_EQ(counter->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QTest::keyClicks(comments, "say \"hi\"");
    EXPECT_FALSE(comments->toPlainText().contains('"'));
    comments->setPlainText(QString(1200, QLatin1Char('c')));
    EXPECT_EQ(comments->toPlainText().size(), 1000);
    comments->clear();
    EXPECT_EQ(counter->text(), "0");
    EXPECT_EQ(counter->palette().color(QPalette::WindowText), QColor(0, 0, 0));
}

TEST_F(WeightTrackerTest, WeightCellDropsADoubleQuoteAsTyped)
{
    storeIndividual("Ann", "180", "150", { { "December 01, 2026", "" } });
    open();
    select("Ann");
    typeIntoCell(1, 2, "17\"9");
    EXPECT_EQ(grid()->text(1, 2), "179");
}

TEST_F(WeightTrackerTest, FutureDatesAreRefusedWhileTheCheckerIsOn)
{
    storeIndividual("Ann", "180", "150");
    open();
    select("Ann");
    clickCell(1, 1);
    pickLogDate(Today.addDays(1));
    EXPECT_EQ(messages.last().text, "The Date entry Cannot Exceed the Current Date!");
    EXPECT_EQ(messages.last().title, "Entry Error");
    EXPECT_EQ(grid()->text(1, 1), "");

    action("DisableDateChecker")->trigger();
    clickCell(1, 1);
    pickLogDate(Today.addDays(1));
    EXPECT_EQ(grid()->text(1, 1), StoredDate::longText(Today.addDays(1)));
}

TEST_F(WeightTrackerTest, SortingByAWeightColumnIsUndoneAndAscendingDatesPackTheLog)
{
    QList<WeighIn> rows(49);
    rows[4] = { "March 05, 2026", "190" };
    rows[8] = { "January 10, 2026", "200" };
    rows[19] = { "February 20, 2026", "195" };
    storeIndividual("Ann", "200", "150", rows);
    open();
    select("Ann");
    QHeaderView* header = grid()->view()->horizontalHeader();
    auto clickHeading = [&](int column) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
            QPoint(header->sectionViewportPosition(column - 1) + 5, header->height() / 2));
    };

    clickHeading(2);
    EXPECT_EQ(grid()->text(5, 2), "190");
    EXPECT_EQ(grid()->text(9, 2), "200");
    EXPECT_EQ(grid()->text(20, 2), "195");
    EXPECT_EQ(screen->changesMade(), 0);
    EXPECT_TRUE(folder.exists("Temp.Fil"));

    clickHeading(1);
    EXPECT_EQ(grid()->rowCount(), 50);
    EXPECT_EQ(grid()->text(1, 1), "January 10, 2026");
    EXPECT_EQ(grid()->text(2, 1), "February 20, 2026");
    EXPECT_EQ(grid()->text(3, 1), "March 05, 2026");
    EXPECT_EQ(grid()->text(4, 1), "");
    EXPECT_EQ(grid()->text(1, 3), "N/A");
    EXPECT_EQ(grid()->displayText(2, 3), "-5.");
    EXPECT_EQ(screen->changesMade(), 1);
}

TEST_F(WeightTrackerTest, AddRowSavesAFileOfOneMoreRow)
{
    storeIndividual("Ann", "180", "150");
    open();
    select("Ann");
    button("SSCommand8")->click();
    EXPECT_EQ(messages.last().text, "Row has been added to the end of the Grid and File Saved!");
    EXPECT_EQ(messages.last().title, "Add Row Command");
    const QStringList lines = storedLines("Ann.Fil");
    EXPECT_EQ(lines.value(0), "51");
    EXPECT_EQ(lines.size(), 12 + 2 * 50);
}

TEST_F(WeightTrackerTest, DeleteRowFromTheHeadingOffersRowOneInRed)
{
    storeIndividual(
        "Ann", "200", "150", { { "January 10, 2026", "200" }, { "January 17, 2026", "198" } });
    open();
    select("Ann");
    grid()->setCurrentCell(0, 1);
    QColor shownWhileAsked;
    messages.queueAnswer(Answer::Yes);
    button("SSCommand9")->click();
    const QList<MessageService::Message>& shown = messages.messages();
    ASSERT_GE(shown.size(), 2);
    EXPECT_EQ(
        shown.at(shown.size() - 2).text, "Do you really want to delete the highlighted Entry?");
    EXPECT_EQ(shown.at(shown.size() - 2).defaultButton, Answer::No);
    EXPECT_EQ(messages.last().text, "Row has been Deleted and File Saved");
    EXPECT_EQ(grid()->text(1, 1), "January 17, 2026");
    EXPECT_EQ(grid()->rowCount(), 49);
    EXPECT_EQ(storedLines("Ann.Fil").value(0), "49");
    EXPECT_NE(grid()->background(1, 1), QColor(255, 0, 0));
}

TEST_F(WeightTrackerTest, DeleteRowAnsweredNoLeavesTheRowAndTheFile)
{
    storeIndividual("Ann", "200", "150", { { "January 10, 2026", "200" } });
    open();
    select("Ann");
    const QByteArray before = folder.read("Ann.Fil");
    grid()->setCurrentCell(1, 2);
    messages.clear();
    messages.queueAnswer(Answer::No);
    button("SSCommand9")->click();
    EXPECT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(grid()->text(1, 1), "January 10, 2026");
    EXPECT_NE(grid()->background(1, 1), QColor(255, 0, 0));
    EXPECT_EQ(folder.read("Ann.Fil"), before);
}

TEST_F(WeightTrackerTest, DerivedColumnsAndTrendPicturesAsShown)
{
    storeIndividual("Ann", "200", "150",
        { { "January 01, 2026", "200" }, { "January 08, 2026", "198.5" },
            { "January 15, 2026", "199" } });
    open();
    select("Ann");
    const DataGrid* log = grid();
    EXPECT_EQ(log->displayText(1, 3), "N/A");
    EXPECT_EQ(log->displayText(2, 3), "-1.5");
    EXPECT_TRUE(log->isBold(2, 3));
    EXPECT_EQ(log->displayText(3, 3), ".5");
    EXPECT_FALSE(log->isBold(3, 3));
    EXPECT_EQ(log->displayText(1, 4), ".");
    EXPECT_FALSE(log->isBold(1, 4));
    EXPECT_EQ(log->displayText(2, 4), "-1.5");
    EXPECT_TRUE(log->isBold(2, 4));
    EXPECT_EQ(log->displayText(3, 4), "-1.");
    EXPECT_EQ(log->text(0, 1), "Sort");
    EXPECT_EQ(pictureOf("Image8"), "Sad1.ico");
    EXPECT_EQ(pictureOf("Image9"), "1.ico");
    EXPECT_FALSE(find<QLabel>("Label16")->isVisible());
}

TEST_F(WeightTrackerTest, TrendPicturesAndGoalMessage)
{
    struct Case {
        const char* name;
        QList<WeighIn> rows;
        const char* goal;
        const char* lastEntry;
        const char* beginning;
        bool goalReached;
    };
    const Case cases[] = {
        { "loss of 2", { { "May 01, 2026", "200" }, { "May 08, 2026", "198" } }, "150", "2.ico",
            "1.ico", false },
        { "loss of 1", { { "May 01, 2026", "200" }, { "May 08, 2026", "199" } }, "150", "1.ico",
            "1.ico", false },
        { "12 below", { { "May 01, 2026", "188" } }, "150", "Sad1.ico", "2.ico", false },
        { "goal", { { "May 01, 2026", "160" }, { "May 08, 2026", "150" } }, "150", "2.ico", "2.ico",
            true },
        { "no date in row 1", { { "", "190" } }, "150", "", "", false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        storeIndividual(QLatin1String(c.name), "200", QLatin1String(c.goal), c.rows);
        open();
        select(QLatin1String(c.name));
        EXPECT_EQ(pictureOf("Image8"), QLatin1String(c.lastEntry));
        EXPECT_EQ(pictureOf("Image9"), QLatin1String(c.beginning));
        EXPECT_EQ(find<QLabel>("Label16")->isVisible(), c.goalReached);
        EXPECT_EQ(find<QLabel>("Label14")->isVisible(), c.goalReached);
        EXPECT_EQ(screen->goalReached(), c.goalReached ? "GOAL" : "");
        screen.reset();
    }
}

TEST_F(WeightTrackerTest, TrendDisplaySwitchSurvivesReopening)
{
    storeIndividual("Ann", "200", "150");
    open();
    select("Ann");
    QPushButton* trendSwitch = button("SSCommand10");
    EXPECT_EQ(trendSwitch->text(), "Turn Trend Display OFF");
    trendSwitch->click();
    EXPECT_EQ(trendSwitch->text(), "Turn Trend Display ON");
    EXPECT_FALSE(find<QLabel>("Image8")->isVisible());
    screen->close();
    open();
    select("Ann");
    EXPECT_EQ(button("SSCommand10")->text(), "Turn Trend Display ON");
    EXPECT_FALSE(find<QLabel>("Label12_0")->isVisible());
}

TEST_F(WeightTrackerTest, GraphShowsTheLastFiftyWeighInsWithTheirTitle)
{
    struct Case {
        int weighIns;
        int points;
        int firstRow;
        const char* title;
    };
    const Case cases[] = {
        { 49, 49, 1, "Weigh In Dates" },
        { 50, 50, 1, "Weigh In Dates (Graph Limited to Last 50 Entries)" },
        { 120, 50, 71, "Weigh In Dates (Graph Limited to Last 50 Entries)" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.weighIns);
        QList<WeighIn> rows;
        for (int i = 0; i < c.weighIns; ++i)
            rows.append({ StoredDate::longText(QDate(2024, 1, 1).addDays(i)),
                QString::number(200 - i * 0.1) });
        storeIndividual("Ann", "200", "150", rows, c.weighIns + 1);
        open();
        select("Ann");
        EXPECT_FALSE(find<QWidget>("SSPanel4")->isVisible());
        button(TrackerCommand::Graph)->click();
        EXPECT_TRUE(find<QWidget>("SSPanel4")->isVisible());
        EXPECT_FALSE(button(TrackerCommand::Graph)->isEnabled());
        auto* chart = find<LineChart>("Chart2D1");
        EXPECT_EQ(chart->pointCount(), c.points);
        EXPECT_EQ(chart->xAxisTitle(), QLatin1String(c.title));
        EXPECT_EQ(chart->pointLabels().value(0),
            StoredDate::shortText(QDate(2024, 1, 1).addDays(c.firstRow - 1)));
        EXPECT_DOUBLE_EQ(chart->value(1, 0), 150);
        EXPECT_DOUBLE_EQ(chart->value(2, c.points - 1), 200);
        EXPECT_EQ(find<QGroupBox>("SSPanel4")->title(), "Ann Weight Tracker Graph");
        EXPECT_TRUE(find<QFrame>("Line3_0")->isVisible());

        button(TrackerCommand::PlanOrChart)->click();
        EXPECT_FALSE(find<QWidget>("SSPanel4")->isVisible());
        EXPECT_TRUE(find<QWidget>("SSPanel2")->isVisible());
        EXPECT_TRUE(button(TrackerCommand::Graph)->isEnabled());
        EXPECT_FALSE(button(TrackerCommand::PlanOrChart)->isEnabled());
        EXPECT_FALSE(find<QFrame>("Line3_0")->isVisible());
        screen.reset();
    }
}

TEST_F(WeightTrackerTest, FailedWritesSayWhyAndKeepTheScreenChanged)
{
    storeIndividual("Ann", "180", "150");
    open();
    select("Ann");
    QTest::keyClicks(box(5), "30 min");
    // A folder in the data file's place cannot be replaced by a file.
    ASSERT_TRUE(QFile::remove(folder.filePath("Ann.Fil")));
    ASSERT_TRUE(QDir(folder.path()).mkdir("Ann.Fil"));

    button(TrackerCommand::Save)->click();
    EXPECT_EQ(messages.last().icon, MessageService::Icon::Critical);
    EXPECT_TRUE(messages.last().text.contains("Ann.Fil"));
    EXPECT_FALSE(messages.texts().contains("File has been Saved."));
    EXPECT_EQ(screen->changesMade(), 1);

    messages.clear();
    button("SSCommand8")->click();
    EXPECT_EQ(messages.last().icon, MessageService::Icon::Critical);
    EXPECT_FALSE(
        messages.texts().contains("Row has been added to the end of the Grid and File Saved!"));
    EXPECT_EQ(screen->changesMade(), 1);

    // The prompt's Yes that could not save does not let Exit lose the work.
    messages.queueAnswer(Answer::Yes);
    button(TrackerCommand::Exit)->click();
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(screen->changesMade(), 1);
}

// A log whose row count line was damaged holds more rows than the 50 it
// gives: saving it from the screen must keep every one of them.
TEST_F(WeightTrackerTest, EveryRowOfAFileWithADamagedRowCountSurvivesASave)
{
    QList<WeighIn> rows;
    for (int row = 1; row <= 803; ++row)
        rows.append({ StoredDate::longText(QDate(2010, 1, 1).addDays(row)),
            QString::number(150 + row % 50) });
    storeIndividual("Ann", "180", "150", rows, 804);
    QByteArray damaged = folder.read("Ann.Fil");
    damaged.replace(0, damaged.indexOf("\r\n"), "\"8O4\"");
    folder.write("Ann.Fil", damaged);

    open();
    select("Ann");
    EXPECT_EQ(grid()->rowCount(), 804);
    QTest::keyClicks(box(5), "30 min");
    button(TrackerCommand::Save)->click();
    EXPECT_EQ(messages.last().text, "File has been Saved.");

    const std::optional<WeightFile> saved = WeightFile::LoadWeightFile(folder.folder(), "Ann");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->rows, rows);
    EXPECT_EQ(storedLines("Ann.Fil").first(), "804");
}

TEST_F(WeightTrackerTest, AFileEndingInsideARowIsSaidOncePerLoad)
{
    storeIndividual("Ann", "180", "150", { { "January 01, 2013", "200" } });
    QByteArray cut = folder.read("Ann.Fil");
    cut.truncate(cut.indexOf("\"200\""));
    folder.write("Ann.Fil", cut);
    open();
    for (int load = 1; load <= 2; ++load) {
        messages.clear();
        select("Ann");
        ASSERT_EQ(messages.messages().size(), 1) << load;
        EXPECT_EQ(messages.last().text,
            "The file \"Ann.Fil\" ends part-way through row 1, which may have lost part of "
            "its entry.\nPlease check that row.");
        EXPECT_EQ(messages.last().icon, MessageService::Icon::Exclamation);
        EXPECT_EQ(grid()->text(1, 1), "January 01, 2013");
        EXPECT_EQ(grid()->text(1, 2), "");
    }
}

TEST_F(WeightTrackerTest, ASaveCutShortByAFullDiskSaysHowMuchWasWritten)
{
    storeIndividual("Ann", "180", "150");
    const QByteArray before = folder.read("Ann.Fil");
    open();
    select("Ann");
    QTest::keyClicks(box(5), "30 min");
    {
        FailingSaves diskFull(100);
        button(TrackerCommand::Save)->click();
    }
    EXPECT_EQ(messages.last().icon, MessageService::Icon::Critical);
    const QString text = messages.last().text;
    EXPECT_TRUE(text.startsWith("The file \"Ann.Fil\" could not be written:\n"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("only 100 of ")) << text.toStdString();
    EXPECT_TRUE(text.endsWith(" bytes could be written; the disk may be full"));
    EXPECT_EQ(folder.read("Ann.Fil"), before);
    EXPECT_EQ(screen->changesMade(), 1);
}

// In a folder that refuses new files the switches still work for the
// session, but the user learns they will be gone at the next start.
TEST_F(WeightTrackerTest, SwitchesThatCannotBeStoredSayWhichFileAndWhy)
{
    storeIndividual("Ann", "180", "150");
    ReadOnlyFolder readOnly(folder.path());
    if (!readOnly.isEffective())
        GTEST_SKIP() << "this system cannot make a folder read-only";
    open();
    select("Ann");
    ASSERT_TRUE(messages.messages().isEmpty());

    button("SSCommand10")->click();
    EXPECT_EQ(button("SSCommand10")->text(), "Turn Trend Display ON");
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.last().icon, MessageService::Icon::Critical);
    EXPECT_EQ(messages.last().title, "Weight Tracker");
    EXPECT_TRUE(messages.last().text.startsWith(
        "The trend display setting could not be stored and will be lost when the program "
        "starts again.\nThe file \"GColor4.Fil\" could not be written:\n"))
        << messages.last().text.toStdString();

    action("DisableDateChecker")->trigger();
    ASSERT_EQ(messages.messages().size(), 2);
    EXPECT_EQ(messages.last().title, "Date Checker");
    EXPECT_TRUE(messages.last().text.contains("The file \"GColor1.Fil\" could not be written:\n"))
        << messages.last().text.toStdString();
    clickCell(1, 1);
    pickLogDate(Today.addDays(1));
    EXPECT_EQ(grid()->text(1, 1), StoredDate::longText(Today.addDays(1)));
}

TEST_F(WeightTrackerTest, CommandsAreEnabledByMode)
{
    storeIndividual("Ann", "180", "150");
    open();
    for (const char* name : { "Command3", "Command4", "Command8", "Command9", "Command10" })
        EXPECT_FALSE(button(name)->isEnabled()) << name;
    for (const char* name : { "mOIn", "mOMnt", "mODel", "mOP", "mOS" })
        EXPECT_FALSE(action(name)->isEnabled()) << name;
    select("Ann");
    for (const char* name : { "Command3", "Command8", "Command9" })
        EXPECT_TRUE(button(name)->isEnabled()) << name;
    EXPECT_FALSE(button(TrackerCommand::ViewLog)->isEnabled());
    EXPECT_FALSE(action("mOMnt")->isEnabled());
    action("mOIn")->trigger();
    EXPECT_TRUE(find<QWidget>("SSPanel2")->isVisible());
    EXPECT_FALSE(find<QWidget>("Image2_0")->isVisible());
    EXPECT_TRUE(button(TrackerCommand::ViewLog)->isEnabled());
    EXPECT_FALSE(button(TrackerCommand::PlanOrChart)->isEnabled());
}

} // namespace
