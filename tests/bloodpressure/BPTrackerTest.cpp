// The Blood Pressure Tracker through its widgets: what only this tracker
// does. The life of an individual's file is run for every tracker in
// tests/screens/TrackerLifecycleTest.cpp.

#include "CommandNames.h"
#include "ReadOnlyFolder.h"
#include "TrackerScreenDriver.h"

#include "bloodpressure/ui/BPTracker.h"
#include "screens/DataGrid.h"
#include "screens/LineChart.h"
#include "screens/MonthCalendar.h"
#include "storage/ProgramSettings.h"
#include "storage/StoredDate.h"
#include "storage/TextRecordFile.h"

#include <QAction>
#include <QApplication>
#include <QChart>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTableWidget>
#include <QTest>

namespace {

using Answer = MessageService::Answer;

// The driver's clock stands at 10:00 on this day.
const QDate& Today = TrackerScreenDriver::Today;

class BPTrackerTest : public testing::Test
{
protected:
    TrackerScreenDriver driver { bloodPressureTrackerKind() };
    ScriptedMessageService& messages = driver.messages;

    BPTracker* screen() const { return static_cast<BPTracker*>(driver.screen.get()); }

    void openWith(const QString& name, const QList<QStringList>& rows = {})
    {
        driver.storeIndividual(name, rows);
        driver.open();
        driver.select(name);
    }

    QComboBox* pickList(int index) const
    {
        return driver.find<QComboBox>(QStringLiteral("Combo2_%1").arg(index));
    }
    QString picked(int index) const { return pickList(index)->currentText().trimmed(); }
    bool pmChosen() const { return driver.find<QRadioButton>("SSOption1_1")->isChecked(); }
    QWidget* entryPanel() const { return driver.find<QWidget>("SSPanel5"); }
    QPushButton* enterButton() const { return driver.button("SSCommand11_0"); }
    QPushButton* cancelButton() const { return driver.button("SSCommand11_1"); }
    QString label(const char* name) const
    {
        return driver.find<QLabel>(QLatin1String(name))->text();
    }

    // A date picked for a row opens the entry panel on it.
    void pickDate(int row, const QDate& date)
    {
        driver.clickCell(row, 1);
        driver.pickLogDate(date);
    }

    // The five cells of a row, date first.
    QStringList rowTexts(int row) const
    {
        QStringList texts;
        for (int column = 1; column <= 5; ++column)
            texts.append(driver.grid()->text(row, column));
        return texts;
    }

    QStringList storedValues(const QString& fileName) const
    {
        TextRecordFile file;
        QStringList values;
        if (!file.openForReading(driver.folder.folder().filePath(fileName)))
            return values;
        QString value;
        while (file.readValue(value))
            values.append(value);
        file.close();
        return values;
    }

    void clickHeading(int column)
    {
        QHeaderView* header = driver.grid()->view()->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
            QPoint(header->sectionViewportPosition(column - 1) + 5, header->height() / 2));
    }

    static QString dated(int month, int day)
    {
        return StoredDate::longText(QDate(2026, month, day));
    }
};

// --- individuals and create mode ---------------------------------------------

TEST_F(BPTrackerTest, CreateModeSaveIsOffUntilANameIsTypedAndThenSavesTheNewFile)
{
    driver.open();
    messages.clear();
    driver.button(TrackerCommand::Create)->click();
    EXPECT_FALSE(driver.button(TrackerCommand::Save)->isEnabled());
    EXPECT_FALSE(driver.action("mOS")->isEnabled());
    EXPECT_EQ(driver.find<QLabel>("Label8")->text(),
        "NOTE: To track blood pressure by calendar year add year to end of Name (i.e. John Smith "
        "2012)");
    EXPECT_EQ(driver.find<QLineEdit>("Text1_0")->maxLength(), 25);

    QTest::keyClicks(driver.find<QLineEdit>("Text1_0"), "Ann\"e");
    EXPECT_EQ(driver.find<QLineEdit>("Text1_0")->text(), "Anne");
    EXPECT_TRUE(driver.button(TrackerCommand::Save)->isEnabled());
    driver.action("mOS")->trigger();
    EXPECT_EQ(messages.last().text, "File has been Saved.");
    EXPECT_EQ(messages.last().title, "Save File");
    EXPECT_EQ(storedValues("Anne.Fpl"), QStringList { "50" });
    EXPECT_EQ(storedValues("BPTrker.Fil"), QStringList { "Anne" });
    EXPECT_TRUE(screen()->inCreateMode());
}

TEST_F(BPTrackerTest, BlankNameIsRefusedAndKeepsExitOnTheScreen)
{
    driver.open();
    driver.button(TrackerCommand::Create)->click();
    QTest::keyClicks(driver.find<QLineEdit>("Text1_0"), "  ");
    messages.clear();
    driver.button(TrackerCommand::Save)->click();
    EXPECT_EQ(messages.last().text, "Please Enter Individual Name to save file.");
    EXPECT_EQ(messages.last().title, "No Files Found");
    EXPECT_FALSE(driver.folder.exists("BPTrker.Fil"));

    // The prompt's Yes runs the refused save again: the screen stays.
    messages.queueAnswer(Answer::Yes);
    driver.button(TrackerCommand::Exit)->click();
    EXPECT_TRUE(screen()->isVisible());
}

TEST_F(BPTrackerTest, MenusCarryTheirOwnCaptionsAndStartDisabledWhereTheyShould)
{
    driver.storeIndividual("Ann");
    driver.open();
    EXPECT_EQ(driver.action("mOV")->text(), "&View Exsisting File");
    EXPECT_EQ(driver.action("mUB")->text(), "&Backup Blood Pressurer Files to Disk");
    EXPECT_EQ(driver.action("mUR")->text(), "&Restore Blood Pressure Files from Disk");
    EXPECT_EQ(screen()->windowTitle(), "Blood Pressure Tracker");
    for (const char* name : { "mODel", "mOP", "mOS" })
        EXPECT_FALSE(driver.action(name)->isEnabled()) << name;
    for (const char* name :
        { "Command3", "Command4", "Command5", "Command8", "Command9", "Command10" })
        EXPECT_FALSE(driver.button(name)->isEnabled()) << name;

    driver.select("Ann");
    for (const char* name : { "Command3", "Command5", "Command8", "Command9", "Command10" })
        EXPECT_TRUE(driver.button(name)->isEnabled()) << name;
    EXPECT_FALSE(driver.button(TrackerCommand::ViewLog)->isEnabled());
    EXPECT_TRUE(driver.find<QWidget>("SSPanel3")->isVisible());
    EXPECT_FALSE(driver.find<QWidget>("SSPanel4")->isVisible());
    EXPECT_EQ(driver.grid()->text(0, 1), "Sort");
    EXPECT_EQ(screen()->changesMade(), 0);
}

// --- the entry panel -----------------------------------------------------------

TEST_F(BPTrackerTest, AReadingEnteredThroughThePanelIsSavedAndFoundAgain)
{
    driver.clock.setNow(QDateTime(Today, QTime(14, 35)));
    openWith("Ann");
    // The size the window takes on a 1440-pixel screen.
    screen()->resize(1224, 816);
    QCoreApplication::processEvents();
    const QSize windowSize = screen()->size();
    pickDate(1, QDate(2026, 12, 5));
    ASSERT_TRUE(entryPanel()->isVisible());
    // The panel takes room from the log, never from the screen.
    EXPECT_EQ(screen()->size(), windowSize);
    EXPECT_EQ(driver.find<QGroupBox>("SSPanel5")->title(),
        "Blood Pressure Entry Area For: December 05, 2026");
    EXPECT_EQ(picked(0), "2");
    EXPECT_EQ(picked(1), "35");
    EXPECT_TRUE(pmChosen());
    EXPECT_EQ(picked(2), "120");
    EXPECT_EQ(picked(3), "80");
    EXPECT_EQ(picked(4), "70");
    EXPECT_EQ(driver.grid()->currentColumn(), 2);
    EXPECT_EQ(screen()->changesMade(), 1);

    enterButton()->click();
    EXPECT_FALSE(entryPanel()->isVisible());
    EXPECT_EQ(rowTexts(1), (QStringList { "December 05, 2026", "2:35 PM", "120", "80", "70" }));
    EXPECT_EQ(label("Label6_1"), "120");

    driver.button(TrackerCommand::Save)->click();
    EXPECT_EQ(messages.last().text, "File has been Saved.");
    const QStringList stored = storedValues("Ann.Fpl");
    EXPECT_EQ(stored.size(), 1 + 5 * 49);
    EXPECT_EQ(
        stored.mid(1, 5), (QStringList { "December 05, 2026", "2:35 PM", "120", "80", "70" }));

    driver.screen->close();
    driver.open();
    driver.select("Ann");
    EXPECT_EQ(rowTexts(1), (QStringList { "December 05, 2026", "2:35 PM", "120", "80", "70" }));
}

TEST_F(BPTrackerTest, EscapeOnAnOpenPickListClosesTheListOnly)
{
    openWith("Ann");
    pickDate(1, QDate(2026, 12, 5));
    ASSERT_TRUE(entryPanel()->isVisible());
    messages.clear();
    for (int list = 0; list < 5; ++list) {
        SCOPED_TRACE(list);
        QComboBox* box = pickList(list);
        const QString before = box->currentText();
        box->setFocus();
        box->showPopup();
        QWidget* popup = QApplication::activePopupWidget();
        ASSERT_NE(popup, nullptr);
        QTest::keyClick(box->view(), Qt::Key_Escape);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        EXPECT_FALSE(box->view()->isVisible());
        EXPECT_EQ(box->currentText(), before);
        EXPECT_TRUE(entryPanel()->isVisible());
        EXPECT_TRUE(screen()->isVisible());
        EXPECT_TRUE(messages.messages().isEmpty()) << messages.texts().join('|').toStdString();
    }
}

TEST_F(BPTrackerTest, TheMeasurementChartShowsEveryTextWholeOnSmallAndLargeScreens)
{
    openWith("Ann");
    for (const QSize size : { QSize(800, 560), QSize(1280, 760), QSize(1280, 980) }) {
        SCOPED_TRACE(size.width() * 10000 + size.height());
        screen()->resize(size);
        driver.button(TrackerCommand::PlanOrChart)->click();
        for (int pass = 0; pass < 5; ++pass)
            QCoreApplication::processEvents();
        auto* view = driver.find<QGroupBox>("SSPanel6")->findChild<QTableWidget*>();
        ASSERT_NE(view, nullptr);
        ASSERT_TRUE(view->isVisible());
        // What the style leaves of a cell for its text.
        const int margin
            = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
        for (int row = 0; row < view->rowCount(); ++row) {
            for (int column = 0; column < view->columnCount(); ++column) {
                const QTableWidgetItem* item = view->item(row, column);
                ASSERT_NE(item, nullptr);
                QString full = item->text();
                full.replace(QChar::LineSeparator, QLatin1Char('\n'));
                full.replace(QLatin1Char('\r'), QLatin1Char('\n'));
                const QRect cell = view->visualItemRect(item).adjusted(margin, 0, -margin, 0);
                const QFontMetrics metrics(item->font());
                // Each line is shown as it stands, neither cut short nor
                // broken in two, and all of them within the cell's height.
                const QStringList lines = full.split(QLatin1Char('\n'));
                for (const QString& line : lines)
                    EXPECT_EQ(metrics.elidedText(line, Qt::ElideRight, cell.width()), line);
                EXPECT_LE(lines.size() * metrics.lineSpacing(), cell.height() + metrics.leading())
                    << full.toStdString();
                // Still large enough to read.
                EXPECT_GE(item->font().pointSizeF(), 9.0) << full.toStdString();
            }
        }
        driver.button(TrackerCommand::ViewLog)->click();
    }
}

TEST_F(BPTrackerTest, AFilledRowPreselectsItsOwnValuesAndPicksReplaceThem)
{
    openWith("Ann", { { dated(5, 2), "9:07 AM", "135", "85", "72" } });
    pickDate(1, QDate(2026, 5, 3));
    EXPECT_EQ(picked(0), "9");
    EXPECT_EQ(picked(1), "07");
    EXPECT_FALSE(pmChosen());
    EXPECT_EQ(picked(2), "135");
    EXPECT_EQ(picked(3), "85");
    EXPECT_EQ(picked(4), "72");

    pickList(2)->setCurrentIndex(pickList(2)->findText(" 141"));
    driver.find<QRadioButton>("SSOption1_1")->click();
    enterButton()->click();
    EXPECT_EQ(rowTexts(1), (QStringList { dated(5, 3), "9:07 PM", "141", "85", "72" }));
}

TEST_F(BPTrackerTest, EnterWithAListLeftEmptyNamesItAndWritesNothing)
{
    openWith("Ann", { { dated(5, 2), "14:30", "", "", "" } });
    pickDate(1, QDate(2026, 5, 2));
    EXPECT_EQ(picked(0), "");
    EXPECT_EQ(picked(1), "30");
    messages.clear();
    enterButton()->click();
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_TRUE(messages.last().text.contains("hour of the Time of Reading"));
    EXPECT_TRUE(entryPanel()->isVisible());
    EXPECT_EQ(driver.grid()->text(1, 2), "14:30");
    EXPECT_TRUE(pickList(0)->hasFocus());

    pickList(0)->setCurrentIndex(pickList(0)->findText(" 2"));
    enterButton()->click();
    EXPECT_EQ(rowTexts(1), (QStringList { dated(5, 2), "2:30 PM", "120", "80", "70" }));
}

TEST_F(BPTrackerTest, CancelKeepsThePickedDateAndTheChangedMarkFromBeforeThePick)
{
    openWith("Ann", { { dated(5, 2), "9:07 AM", "135", "85", "72" } });
    pickDate(2, QDate(2026, 5, 9));
    cancelButton()->click();
    EXPECT_FALSE(entryPanel()->isVisible());
    EXPECT_EQ(driver.grid()->text(2, 1), dated(5, 9));
    EXPECT_EQ(driver.grid()->text(2, 2), "");
    EXPECT_EQ(screen()->changesMade(), 0);

    // An earlier unsaved reading is still asked about after a Cancel.
    pickDate(2, QDate(2026, 5, 9));
    enterButton()->click();
    pickDate(3, QDate(2026, 5, 10));
    cancelButton()->click();
    EXPECT_EQ(screen()->changesMade(), 1);
}

TEST_F(BPTrackerTest, SortOrDeleteRowWhileThePanelIsOpenClosesItAsCancelDoes)
{
    const QList<QStringList> rows { { dated(5, 9), "8:00 AM", "130", "84", "70" },
        { dated(5, 2), "9:07 AM", "135", "85", "72" } };
    openWith("Ann", rows);
    pickDate(1, QDate(2026, 5, 9));
    clickHeading(1);
    EXPECT_FALSE(entryPanel()->isVisible());
    EXPECT_EQ(screen()->entryRow(), -1);
    EXPECT_EQ(driver.grid()->text(1, 1), dated(5, 2));
    EXPECT_EQ(driver.grid()->text(1, 2), "9:07 AM");

    pickDate(1, QDate(2026, 5, 2));
    driver.grid()->setCurrentCell(1, 3);
    messages.queueAnswer(Answer::Yes);
    driver.button("SSCommand9")->click();
    EXPECT_FALSE(entryPanel()->isVisible());
    EXPECT_EQ(driver.grid()->text(1, 2), "8:00 AM");
    // Enter has nothing to write into any more.
    enterButton()->click();
    EXPECT_EQ(driver.grid()->text(1, 2), "8:00 AM");
}

TEST_F(BPTrackerTest, FutureDateOpensNoPanelWhileTheCheckerIsOn)
{
    openWith("Ann");
    pickDate(1, Today.addDays(1));
    EXPECT_EQ(messages.last().text, "The Date entry Cannot Exceed the Current Date!");
    EXPECT_FALSE(entryPanel()->isVisible());
    driver.action("DisableDateChecker")->trigger();
    pickDate(1, Today.addDays(1));
    EXPECT_TRUE(entryPanel()->isVisible());
    EXPECT_EQ(driver.grid()->text(1, 1), StoredDate::longText(Today.addDays(1)));
}

// --- the log -----------------------------------------------------------------

TEST_F(BPTrackerTest, OnlyTheTimeColumnIsTypedIntoAndADoubleQuoteIsDropped)
{
    openWith("Ann", { { dated(5, 2), "", "120", "80", "70" } });
    driver.typeIntoCell(1, 2, "7:\"05 AM");
    EXPECT_EQ(driver.grid()->text(1, 2), "7:05 AM");
    EXPECT_EQ(screen()->changesMade(), 1);
    driver.clickCell(1, 3);
    EXPECT_EQ(driver.grid()->editMode(), DataGrid::EditMode::NotEditable);
}

TEST_F(BPTrackerTest, SortsByAMeasurementAreUndoneAndAscendingDatesPackTheLog)
{
    QList<QStringList> rows(49);
    rows[4] = { "March 05, 2026", "7:05 AM", "140", "90", "70" };
    rows[8] = { "January 10, 2026", "8:00 AM", "120", "80", "60" };
    rows[19] = { "February 20, 2026", "9:00 PM", "130", "85", "65" };
    openWith("Ann", rows);

    clickHeading(3);
    EXPECT_EQ(driver.grid()->text(5, 3), "140");
    EXPECT_EQ(driver.grid()->text(9, 3), "120");
    EXPECT_EQ(screen()->changesMade(), 0);
    EXPECT_TRUE(driver.folder.exists("Temp.Fil"));

    clickHeading(1);
    EXPECT_EQ(driver.grid()->rowCount(), 50);
    EXPECT_EQ(rowTexts(1), rows[8]);
    EXPECT_EQ(rowTexts(2), rows[19]);
    EXPECT_EQ(rowTexts(3), rows[4]);
    EXPECT_EQ(driver.grid()->text(4, 1), "");
    EXPECT_EQ(screen()->changesMade(), 1);
}

TEST_F(BPTrackerTest, AddRowAndDeleteRowSaveWithTheirMessages)
{
    openWith("Ann",
        { { dated(5, 2), "9:07 AM", "120", "80", "70" },
            { dated(5, 3), "9:10 AM", "131", "85", "74" } });
    driver.button("SSCommand8")->click();
    EXPECT_EQ(messages.last().text, "Row has been added to the end of the Grid and File Saved!");
    EXPECT_EQ(messages.last().title, "Add Row Command");
    EXPECT_EQ(storedValues("Ann.Fpl").value(0), "51");
    EXPECT_EQ(storedValues("Ann.Fpl").size(), 1 + 5 * 50);

    // From the heading row, row 1 is offered; No keeps it and the file.
    driver.grid()->setCurrentCell(0, 1);
    const QByteArray before = driver.storedBytes("Ann");
    messages.clear();
    messages.queueAnswer(Answer::No);
    driver.button("SSCommand9")->click();
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.last().text, "Do you really want to delete the highlighted Entry?");
    EXPECT_EQ(messages.last().defaultButton, Answer::No);
    EXPECT_EQ(driver.grid()->text(1, 3), "120");
    EXPECT_EQ(driver.storedBytes("Ann"), before);

    driver.grid()->setCurrentCell(0, 1);
    messages.queueAnswer(Answer::Yes);
    driver.button("SSCommand9")->click();
    EXPECT_EQ(messages.last().text, "Row has been Deleted and File Saved");
    EXPECT_EQ(messages.last().title, "Delete Row Command");
    EXPECT_EQ(driver.grid()->text(1, 3), "131");
    EXPECT_EQ(storedValues("Ann.Fpl").value(0), "50");
    EXPECT_EQ(label("Label6_1"), "131");
}

// --- averages --------------------------------------------------------------------

TEST_F(BPTrackerTest, AveragesUnderTheirColumns)
{
    struct Case {
        const char* name;
        QList<QStringList> rows;
        qint16 displayMode;
        QStringList labels;
    };
    const QString d = dated(5, 2);
    const Case cases[] = {
        { "two readings, full screen",
            { { d, "", "120", "80", "70" }, { d, "", "131", "85", "74" } },
            ShellState::FullScreenDisplay, { "Averages:", "126", " 83", " 72" } },
        { "two readings, smaller screen",
            { { d, "", "120", "80", "70" }, { d, "", "131", "85", "74" } },
            ShellState::SmallerScreenDisplay, { "Averages:", "126", "83", "72" } },
        { "pulses only", { { d, "", "", "", "70" } }, ShellState::SmallerScreenDisplay,
            { "", "", "", "70" } },
        { "15 ignored, 20 counted", { { d, "", "15", "", "" }, { d, "", "20", "", "" } },
            ShellState::SmallerScreenDisplay, { "Averages:", "20", "", "" } },
        { "empty log", {}, ShellState::FullScreenDisplay, { "", "", "", "" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TrackerScreenDriver fresh(bloodPressureTrackerKind());
        fresh.state.DisplayMode = c.displayMode;
        fresh.storeIndividual("Ann", c.rows);
        fresh.open();
        fresh.select("Ann");
        QStringList shown;
        for (int i = 0; i < 4; ++i)
            shown.append(fresh.find<QLabel>(QStringLiteral("Label6_%1").arg(i))->text());
        EXPECT_EQ(shown, c.labels);
    }

    // Each average stands under its column, as wide as it.
    openWith("Bob", { { d, "", "120", "80", "70" } });
    QTableWidget* view = driver.grid()->view();
    for (int i = 1; i < 4; ++i) {
        auto* average = driver.find<QLabel>(QStringLiteral("Label6_%1").arg(i));
        const int section = i + 1;
        const QPoint columnLeft = view->viewport()->mapTo(
            screen(), QPoint(view->horizontalHeader()->sectionViewportPosition(section), 0));
        EXPECT_EQ(average->mapTo(screen(), QPoint()).x(), columnLeft.x()) << i;
        EXPECT_EQ(average->width(), view->columnWidth(section)) << i;
    }
}

// --- measurement chart -----------------------------------------------------------

TEST_F(BPTrackerTest, MeasurementChartShowsTheCategoriesInTheirColours)
{
    openWith("Ann");
    // Room for the chart's own sizes; a small screen steps them down.
    screen()->resize(1600, 1200);
    driver.button(TrackerCommand::PlanOrChart)->click();
    EXPECT_TRUE(driver.find<QWidget>("SSPanel6")->isVisible());
    EXPECT_FALSE(driver.find<QWidget>("SSPanel3")->isVisible());
    EXPECT_TRUE(driver.button(TrackerCommand::ViewLog)->isEnabled());
    EXPECT_EQ(driver.find<QGroupBox>("SSPanel6")->title(), "Blood Pressure Measurement Chart");

    auto* chart = driver.find<DataGrid>("VSFlexGrid1");
    ASSERT_EQ(chart->rowCount(), 6);
    ASSERT_EQ(chart->columnCount(), 4);
    EXPECT_EQ(chart->text(0, 1), "Systolic\rmm Hg (Upper #)");
    EXPECT_EQ(chart->text(0, 2), " ");
    EXPECT_EQ(chart->text(3, 0), "High Blood Pressure\r(Hypertenson) Stage 1");
    EXPECT_EQ(chart->text(4, 0), "High Blood Pressure\r(Hypertenson) Stage 2");
    EXPECT_EQ(chart->text(5, 1), "Higher than 180");
    EXPECT_EQ(chart->text(1, 2), "and");
    EXPECT_EQ(chart->text(1, 3), "Less than 80");
    EXPECT_EQ(chart->editMode(), DataGrid::EditMode::NotEditable);

    const QColor colours[] = { Qt::black, QColor(0, 0, 0), QColor(255, 128, 0), QColor(255, 0, 0),
        QColor(192, 0, 0), QColor(128, 0, 0) };
    for (int row = 0; row < 6; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(chart->foreground(row, 3), colours[row]);
        EXPECT_TRUE(chart->isBold(row, 0));
        EXPECT_DOUBLE_EQ(chart->fontSize(row, 1), row == 0 ? 18 : 16);
        EXPECT_EQ(chart->isUnderline(row, 0), row == 0 || row == 5);
    }
    EXPECT_FALSE(chart->isUnderline(5, 2));
    EXPECT_FALSE(chart->isUnderline(0, 2));
    EXPECT_TRUE(chart->isUnderline(5, 3));
    EXPECT_EQ(chart->view()->font().family(), "Times New Roman");

    const int width = chart->view()->viewport()->width();
    EXPECT_NEAR(chart->view()->columnWidth(0), width * 0.40, 2);
    EXPECT_NEAR(chart->view()->columnWidth(2), width * 0.08, 2);
    EXPECT_NEAR(chart->view()->rowHeight(0), chart->view()->viewport()->height() * 0.164, 2);

    driver.button(TrackerCommand::ViewLog)->click();
    EXPECT_FALSE(driver.find<QWidget>("SSPanel6")->isVisible());
    EXPECT_TRUE(driver.find<QWidget>("SSPanel3")->isVisible());
}

// --- graph -----------------------------------------------------------------------

QList<QStringList> readings(int count)
{
    QList<QStringList> rows;
    for (int i = 0; i < count; ++i)
        rows.append({ StoredDate::longText(QDate(2024, 1, 1).addDays(i)), "7:05 AM",
            QString::number(110 + i), "75", "66" });
    return rows;
}

TEST_F(BPTrackerTest, GraphShowsTheLastFiftyReadingsWithTheNormalLines)
{
    struct Case {
        int readings;
        int points;
        int firstReading;
        const char* title;
    };
    const Case cases[] = {
        { 3, 3, 0, "Date Of  Readings" },
        { 60, 50, 10, "Date Of  Readings (Graph Limited to Last 50 Entries)" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.readings);
        TrackerScreenDriver fresh(bloodPressureTrackerKind());
        fresh.storeIndividual("Ann", readings(c.readings));
        fresh.open();
        fresh.select("Ann");
        EXPECT_FALSE(fresh.find<QWidget>("SSPanel4")->isVisible());
        fresh.screen->resize(1224, 816);
        QCoreApplication::processEvents();
        const QSize windowSize = fresh.screen->size();
        fresh.button(TrackerCommand::Graph)->click();
        EXPECT_TRUE(fresh.find<QWidget>("SSPanel4")->isVisible());
        EXPECT_EQ(fresh.screen->size(), windowSize);
        EXPECT_FALSE(fresh.find<QWidget>("SSPanel3")->isVisible());
        EXPECT_FALSE(fresh.button(TrackerCommand::Graph)->isEnabled());
        EXPECT_TRUE(fresh.button(TrackerCommand::PlanOrChart)->isEnabled());
        EXPECT_TRUE(fresh.button(TrackerCommand::ViewLog)->isEnabled());
        EXPECT_EQ(fresh.find<QGroupBox>("SSPanel4")->title(), "Ann Blood Pressure");
        auto* chart = fresh.find<LineChart>("Chart2D1");
        ASSERT_EQ(chart->seriesCount(), 5);
        EXPECT_EQ(chart->pointCount(), c.points);
        EXPECT_EQ(chart->xAxisTitle(), QLatin1String(c.title));
        EXPECT_EQ(chart->pointLabels().value(0),
            StoredDate::shortText(QDate(2024, 1, 1).addDays(c.firstReading)));
        EXPECT_DOUBLE_EQ(chart->value(0, 0), 119);
        EXPECT_DOUBLE_EQ(chart->value(1, 0), 110 + c.firstReading);
        EXPECT_DOUBLE_EQ(chart->value(2, 0), 79);
        EXPECT_DOUBLE_EQ(chart->value(4, c.points - 1), 66);
        // The normal lines are thick; the readings carry round marks.
        EXPECT_EQ(chart->seriesWidth(0), 6);
        EXPECT_EQ(chart->seriesWidth(1), 2);
        EXPECT_EQ(chart->seriesPointColour(3), QColor(0, 0, 255));
        EXPECT_EQ(chart->seriesColour(4), QColor(255, 0, 0));

        fresh.button(TrackerCommand::ViewLog)->click();
        EXPECT_TRUE(fresh.find<QWidget>("SSPanel3")->isVisible());
        EXPECT_FALSE(fresh.find<QWidget>("SSPanel4")->isVisible());
    }
}

TEST_F(BPTrackerTest, TimeOfReadingJoinsTheLabelsAndTheTitle)
{
    openWith("Ann",
        { { "March 05, 2012", "7:05 AM", "120", "80", "70" }, { "", "8:00 AM", "130", "80", "70" },
            { dated(5, 2), "", "1", "1", "1" } });
    driver.button(TrackerCommand::Graph)->click();
    auto* chart = driver.find<LineChart>("Chart2D1");
    EXPECT_EQ(chart->pointLabels(), QStringList { "Mar-05-12" });
    driver.find<QWidget>("SSCheck4")->setFocus();
    QTest::mouseClick(driver.find<QWidget>("SSCheck4"), Qt::LeftButton);
    EXPECT_EQ(chart->pointLabels(), QStringList { "Mar-05-12-7:05 AM" });
    EXPECT_EQ(chart->xAxisTitle(), "Date/Time Of  Readings");
    EXPECT_TRUE(driver.find<QWidget>("SSPanel4")->isVisible());
}

TEST_F(BPTrackerTest, SaveWithTheGraphOnDisplayRedrawsItWithTheNewReading)
{
    openWith("Ann", readings(2));
    pickDate(3, QDate(2026, 5, 2));
    enterButton()->click();
    driver.button(TrackerCommand::Graph)->click();
    EXPECT_EQ(driver.find<LineChart>("Chart2D1")->pointCount(), 3);
    driver.button(TrackerCommand::Save)->click();
    EXPECT_TRUE(driver.find<QWidget>("SSPanel4")->isVisible());
    EXPECT_FALSE(driver.button(TrackerCommand::Graph)->isEnabled());
}

TEST_F(BPTrackerTest, PrintGraphTakesTheLastChosenReadingsAndExportsAJpeg)
{
    openWith("Ann", readings(70));
    auto* printChart = driver.find<LineChart>("Chart2D2");
    EXPECT_FALSE(printChart->isVisible());
    screen()->buildPrintGraph(20);
    EXPECT_EQ(printChart->pointCount(), 20);
    EXPECT_EQ(
        printChart->pointLabels().value(0), StoredDate::shortText(QDate(2024, 1, 1).addDays(50)));
    EXPECT_EQ(printChart->xAxisTitle(), "Date Of  Readings (Displaying last 20 entries.)");
    for (int choice : { 0, 60, 90 }) {
        screen()->buildPrintGraph(choice);
        EXPECT_EQ(printChart->pointCount(), 20) << choice;
    }

    const Outcome written = screen()->exportGraphImage(5);
    ASSERT_TRUE(written.succeeded) << written.message().toStdString();
    const QImage picture(driver.folder.filePath("Chartxxx.jpg"), "JPEG");
    EXPECT_FALSE(picture.isNull());
    EXPECT_EQ(printChart->pointCount(), 5);
    EXPECT_TRUE(screen()->exportGraphImage(0).succeeded);
}

TEST_F(BPTrackerTest, PrintGraphOfFewerReadingsThanChosenGraphsThemAll)
{
    openWith("Ann", readings(3));
    screen()->buildPrintGraph(5);
    auto* printChart = driver.find<LineChart>("Chart2D2");
    EXPECT_EQ(printChart->pointCount(), 3);
    EXPECT_EQ(printChart->xAxisTitle(), "Date Of  Readings (Displaying last 3 entries.)");
}

// --- failed writes ---------------------------------------------------------------

TEST_F(BPTrackerTest, FailedWritesSayWhyAndKeepTheScreenChanged)
{
    openWith("Ann", readings(2));
    driver.typeIntoCell(1, 2, "8:00 AM");
    ReadOnlyFolder readOnly(driver.folder.path());
    if (!readOnly.isEffective())
        GTEST_SKIP() << "cannot make a folder read-only here";

    struct Case {
        const char* command;
        const char* success;
    };
    const Case cases[] = {
        { "Command10", "File has been Saved." },
        { "SSCommand8", "Row has been added to the end of the Grid and File Saved!" },
        { "SSCommand9", "Row has been Deleted and File Saved" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        messages.clear();
        messages.queueAnswer(Answer::Yes);
        driver.button(c.command)->click();
        EXPECT_EQ(messages.last().icon, MessageService::Icon::Critical);
        EXPECT_TRUE(messages.last().text.contains("Ann.Fpl"));
        EXPECT_FALSE(messages.texts().contains(QLatin1String(c.success)));
        EXPECT_EQ(screen()->changesMade(), 1);
    }
    EXPECT_FALSE(screen()->exportGraphImage(0).succeeded);

    // The prompt's Yes that could not save keeps Exit from losing the work.
    messages.queueAnswer(Answer::Yes);
    driver.button(TrackerCommand::Exit)->click();
    EXPECT_TRUE(screen()->isVisible());

    messages.clear();
    messages.queueAnswer(Answer::Yes);
    driver.button(TrackerCommand::Delete)->click();
    EXPECT_EQ(messages.last().icon, MessageService::Icon::Critical);
    EXPECT_TRUE(driver.folder.exists("Ann.Fpl"));

    driver.button(TrackerCommand::Create)->click();
    messages.clear();
    QTest::keyClicks(driver.find<QLineEdit>("Text1_0"), "Bob");
    driver.button(TrackerCommand::Save)->click();
    EXPECT_EQ(messages.last().icon, MessageService::Icon::Critical);
    EXPECT_FALSE(messages.texts().contains("File has been Saved."));
    EXPECT_EQ(screen()->changesMade(), 1);
}

// --- keys and mouse --------------------------------------------------------------

TEST_F(BPTrackerTest, HelpEscapeAndTheOptionsPopUp)
{
    openWith("Ann");
    QTest::keyClick(screen(), Qt::Key_F1);
    EXPECT_EQ(driver.help.last(), 1016);
    driver.help.clear();
    driver.action("mH")->trigger();
    EXPECT_EQ(driver.help.last(), 1016);

    auto* menu = driver.find<QMenu>("mO");
    QContextMenuEvent rightClick(
        QContextMenuEvent::Mouse, QPoint(5, 5), screen()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(screen(), &rightClick);
    EXPECT_TRUE(menu->isVisible());
    menu->close();

    // The list's drop-down closes the log's calendar.
    driver.clickCell(2, 1);
    ASSERT_TRUE(driver.find<QWidget>("MonthView2")->isVisible());
    driver.find<QComboBox>("Combo1")->showPopup();
    EXPECT_FALSE(driver.find<QWidget>("MonthView2")->isVisible());
    driver.find<QComboBox>("Combo1")->hidePopup();

    QTest::keyClick(screen(), Qt::Key_Escape);
    EXPECT_FALSE(screen()->isVisible());
}

} // namespace

TEST_F(BPTrackerTest, AFileEndingInsideAReadingIsSaidAndTheReadingKeepsWhatWasStored)
{
    driver.storeIndividual(QStringLiteral("Ann"),
        { { QStringLiteral("December 01, 2026"), QStringLiteral("8:30 AM"), QStringLiteral("128"),
            QStringLiteral("82"), QStringLiteral("70") } });
    QByteArray cut = driver.folder.read(driver.dataFileName(QStringLiteral("Ann")));
    cut.truncate(cut.indexOf("\"82\""));
    driver.folder.write(driver.dataFileName(QStringLiteral("Ann")), cut);
    driver.open();
    driver.messages.clear();
    driver.select(QStringLiteral("Ann"));
    ASSERT_EQ(driver.messages.messages().size(), 1);
    EXPECT_EQ(driver.messages.last().text,
        "The file \"Ann.Fpl\" ends part-way through row 1, which may have lost part of its "
        "entry.\nPlease check that row.");
    EXPECT_EQ(driver.messages.last().icon, MessageService::Icon::Exclamation);
    EXPECT_EQ(driver.grid()->text(1, 3), QStringLiteral("128"));
    EXPECT_EQ(driver.grid()->text(1, 4), QString());
}

// --- guidelines and the figures for the doctor ------------------------------------

namespace {

QAction* guidelineItem(QWidget* screen, const char* key)
{
    return screen->findChild<QAction*>(QStringLiteral("mOGuideline_") + QLatin1String(key));
}

} // namespace

TEST_F(BPTrackerTest, TheChosenGuidelineDrivesTheChartAndTheLogsColoursAndIsStored)
{
    // The log is coloured only when asked for.
    ASSERT_TRUE(ProgramSettings(driver.folder.folder())
                    .setAdditionShown(ProgramSettings::Addition::BloodPressureLogColours, true));
    openWith("Ann",
        {
            { dated(5, 1), "7:00 AM", "125", "78", "70" },
            { dated(5, 2), "8:00 PM", "145", "82", "72" },
            { dated(5, 3), "7:30 AM", "118", "", "74" },
        });
    EXPECT_TRUE(guidelineItem(screen(), "own")->isChecked());
    auto* chart = driver.find<DataGrid>("VSFlexGrid1");
    auto* log = driver.find<DataGrid>("Grid4");
    // The program's own table: 125 prehypertension in orange.
    EXPECT_EQ(log->foreground(1, 3), QColor(255, 128, 0));
    EXPECT_EQ(log->foreground(1, 4), QColor(0, 0, 0));
    EXPECT_EQ(log->foreground(3, 4), QColor());

    const struct {
        const char* key;
        const char* title;
        int chartRows;
        QColor systolic125;
        QColor systolic145;
        QColor diastolic78;
    } cases[] = {
        { "esh", "Blood Pressure Measurement Chart - ESH 2023", 8, QColor(0, 0, 0),
            QColor(255, 0, 0), QColor(0, 128, 0) },
        { "acc_aha", "Blood Pressure Measurement Chart - ACC/AHA 2017", 6, QColor(255, 128, 0),
            QColor(192, 0, 0), QColor(0, 0, 0) },
        { "esc", "Blood Pressure Measurement Chart - ESC 2024", 4, QColor(255, 128, 0),
            QColor(255, 0, 0), QColor(255, 128, 0) },
        { "own", "Blood Pressure Measurement Chart", 6, QColor(255, 128, 0), QColor(255, 0, 0),
            QColor(0, 0, 0) },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        guidelineItem(screen(), c.key)->trigger();
        EXPECT_TRUE(guidelineItem(screen(), c.key)->isChecked());
        EXPECT_EQ(ProgramSettings(driver.folder.folder()).bloodPressureGuideline(),
            QString::fromLatin1(c.key).replace('_', '-'));
        EXPECT_EQ(driver.find<QGroupBox>("SSPanel6")->title(), c.title);
        EXPECT_EQ(chart->rowCount(), c.chartRows);
        EXPECT_EQ(log->foreground(1, 3), c.systolic125);
        EXPECT_EQ(log->foreground(2, 3), c.systolic145);
        EXPECT_EQ(log->foreground(1, 4), c.diastolic78);
        // The cells keep their stored texts: the marks are the report's.
        EXPECT_EQ(log->text(2, 3), "145");
    }
    EXPECT_EQ(chart->text(5, 1), "Higher than 180");

    // A screen opened later reads the stored choice.
    ASSERT_TRUE(ProgramSettings(driver.folder.folder()).setBloodPressureGuideline("esh"));
    TrackerScreenDriver fresh { bloodPressureTrackerKind() };
    ASSERT_TRUE(ProgramSettings(fresh.folder.folder()).setBloodPressureGuideline("esh"));
    fresh.open();
    EXPECT_TRUE(guidelineItem(fresh.screen.get(), "esh")->isChecked());
    auto* eshChart = fresh.find<DataGrid>("VSFlexGrid1");
    EXPECT_EQ(eshChart->text(4, 0), "Hypertension\rGrade 1");
    EXPECT_EQ(eshChart->text(4, 2), "and/or");
    EXPECT_EQ(eshChart->text(7, 0), "Isolated systolic");
    EXPECT_EQ(eshChart->text(8, 0), "Isolated diastolic");
    EXPECT_EQ(eshChart->text(8, 1), "Less than 140");
    EXPECT_EQ(eshChart->text(8, 3), "90 or higher");
}

TEST_F(BPTrackerTest, AGuidelineThatCannotBeStoredHoldsForTheSession)
{
    openWith("Ann", { { dated(5, 2), "8:00 PM", "145", "82", "72" } });
    ReadOnlyFolder readOnly(driver.folder.path());
    if (!readOnly.isEffective())
        GTEST_SKIP() << "cannot make a folder read-only here";
    guidelineItem(screen(), "esc")->trigger();
    EXPECT_TRUE(messages.last().text.contains("Halvorn.ini")) << messages.last().text.toStdString();
    EXPECT_EQ(screen()->guideline(), BloodPressureGuideline::Id::Esc);
    EXPECT_TRUE(guidelineItem(screen(), "esc")->isChecked());
}

TEST_F(BPTrackerTest, MorningAndEveningAveragesAndTheHomeWeekUnderTheAverages)
{
    ASSERT_TRUE(ProgramSettings(driver.folder.folder())
                    .setAdditionShown(ProgramSettings::Addition::BloodPressureFigures, true));
    openWith("Ann",
        {
            { dated(5, 1), "7:00 AM", "120", "80", "70" },
            { dated(5, 2), "8:00 AM", "131", "85", "" },
            { dated(5, 3), "2:00 PM", "150", "95", "90" },
        });
    auto* morningAndEvening = driver.find<QLabel>("LabelMorningEvening");
    // No evening reading yet: no second line.
    EXPECT_EQ(morningAndEvening->text(), QString());
    EXPECT_EQ(label("LabelGuideline"), "Colors: Program's own table");
    EXPECT_EQ(label("LabelHomeWeek"),
        "Week of 2026-04-27 to 2026-05-03, day 1 left out: 2026-04-28 to 2026-05-03\n"
        "Not enough days (3 of 6 days with readings, 4 needed)");

    driver.typeIntoCell(3, 2, "9:00 PM");
    EXPECT_EQ(morningAndEvening->text(),
        "Morning: 126/83, pulse 70 (2 readings)     Evening: 150/95, pulse 90 (1 reading)");

    auto* panel = driver.find<QWidget>("PanelHomeWeek");
    EXPECT_FALSE(panel->isVisible());
    driver.button("CommandHomeWeek")->click();
    EXPECT_TRUE(panel->isVisible());
    driver.button("CommandHomeWeek")->click();
    EXPECT_FALSE(panel->isVisible());
}
