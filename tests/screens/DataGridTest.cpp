#include "screens/DataGrid.h"
#include "screens/Twips.h"

#include "QtPrinting.h"
#include "TemporaryProgramFolder.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A log as the trackers lay it out: heading row 0, fixed column 0, a date
// column and a number column.
class DataGridTest : public testing::Test
{
protected:
    DataGridTest()
    {
        grid.resize(600, 400);
        grid.setRowCount(6);
        grid.setColumnCount(4);
        grid.setColumnType(1, DataGrid::ColumnType::Date);
        grid.setColumnFormat(2, QStringLiteral("###.#"));
        grid.setColumnEditLimit(1, 20);
        grid.setText(0, 1, QStringLiteral("Sort"));
        grid.setEditMode(DataGrid::EditMode::KeyboardAndMouse);
        grid.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&grid));
    }

    void fillColumn(int column, const QStringList& texts)
    {
        for (int i = 0; i < texts.size(); ++i)
            grid.setText(i + 1, column, texts[i]);
    }

    QStringList column(int column) const
    {
        QStringList texts;
        for (int row = 1; row < grid.rowCount(); ++row)
            texts << grid.text(row, column);
        return texts;
    }

    QPoint cellCentre(int row, int column) const
    {
        return view()->visualRect(view()->model()->index(row - 1, column - 1)).center();
    }

    QTableWidget* view() const { return grid.view(); }

    void clickHeading(int column)
    {
        QHeaderView* header = view()->horizontalHeader();
        const int viewColumn = column - 1;
        const QPoint centre(
            header->sectionViewportPosition(viewColumn) + header->sectionSize(viewColumn) / 2,
            header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, centre);
    }

    DataGrid grid;
};

TEST_F(DataGridTest, RowCountChangesKeepEarlierCells)
{
    fillColumn(2, { "180", "181", "182", "183", "184" });
    grid.setText(3, 0, QStringLiteral("marker"));
    grid.setCellBold(2, 2, true);

    grid.setRowCount(9);
    EXPECT_EQ(grid.rowCount(), 9);
    EXPECT_EQ(column(2), QStringList({ "180", "181", "182", "183", "184", "", "", "" }));
    EXPECT_EQ(grid.text(3, 0), "marker");
    EXPECT_TRUE(grid.isBold(2, 2));

    grid.setRowCount(3);
    EXPECT_EQ(column(2), QStringList({ "180", "181" }));
    EXPECT_EQ(grid.text(0, 1), "Sort");

    grid.setColumnCount(3);
    grid.setColumnCount(5);
    EXPECT_EQ(grid.text(1, 2), "180");
    EXPECT_EQ(grid.text(1, 3), "");
    EXPECT_EQ(grid.text(1, 4), "");

    // Never below the fixed row and column.
    grid.setRowCount(0);
    EXPECT_EQ(grid.rowCount(), 1);
    EXPECT_EQ(grid.text(0, 1), "Sort");
}

TEST_F(DataGridTest, TextIsReadBackUnchangedInEveryKindOfCell)
{
    const QStringList texts = {
        QString(),
        QStringLiteral("  leading and trailing  "),
        QStringLiteral("Caf\u00e9 \u20ac5 \u2026 \u0152uvre \u00ff"),
        QStringLiteral("He said \"yes\", then \"\""),
        QStringLiteral("line one\rline two\r\nline three\n"),
        QStringLiteral("\u4e2d\u6587 and \U0001F600"),
    };
    for (const QString& text : texts) {
        for (const auto& [row, column] : { std::pair { 0, 0 }, { 0, 2 }, { 3, 0 }, { 3, 2 } }) {
            grid.setCurrentCell(row, column);
            grid.setText(text);
            EXPECT_EQ(grid.text(), text) << row << "," << column;
            EXPECT_EQ(grid.text(row, column), text);
        }
    }
    grid.setText(3, 2, QString());
    EXPECT_TRUE(grid.text(3, 2).isEmpty());
    // Outside the grid: empty, and writes are ignored.
    grid.setText(6, 2, QStringLiteral("x"));
    EXPECT_EQ(grid.text(6, 2), "");
    EXPECT_EQ(grid.rowCount(), 6);
}

TEST_F(DataGridTest, CurrentCellAddressesFixedAndDataCells)
{
    EXPECT_EQ(grid.currentRow(), 1);
    EXPECT_EQ(grid.currentColumn(), 1);
    grid.setCurrentCell(4, 2);
    EXPECT_EQ(view()->currentRow(), 3);
    EXPECT_EQ(view()->currentColumn(), 1);
    grid.setCurrentRow(0);
    EXPECT_EQ(grid.currentRow(), 0);
    EXPECT_EQ(grid.text(), "");
    grid.setCurrentColumn(1);
    EXPECT_EQ(grid.text(), "Sort");

    // A click moves the cursor.
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, cellCentre(2, 3));
    EXPECT_EQ(grid.currentRow(), 2);
    EXPECT_EQ(grid.currentColumn(), 3);
}

TEST_F(DataGridTest, HeadingClickSortsTheDateColumnAsDatesBetweenTheSortEvents)
{
    grid.setHeaderSorting(true);
    fillColumn(1, { "March 05, 2012", "", "February 20, 2013", "not a date", "January 02, 2012" });
    fillColumn(2, { "1", "2", "3", "4", "5" });
    grid.setText(5, 0, QStringLiteral("fixed cell of row 5"));

    QStringList seen;
    QList<QStringList> columnAtEvent;
    QObject guard;
    QObject::connect(
        &grid, &DataGrid::beforeSort, &guard, [&](int column, DataGrid::SortOrder order) {
            seen << QStringLiteral("before %1 %2").arg(column).arg(int(order));
            columnAtEvent << this->column(1);
        });
    QObject::connect(
        &grid, &DataGrid::afterSort, &guard, [&](int column, DataGrid::SortOrder order) {
            seen << QStringLiteral("after %1 %2").arg(column).arg(int(order));
            columnAtEvent << this->column(1);
        });

    clickHeading(1);
    EXPECT_EQ(seen, QStringList({ "before 1 1", "after 1 1" }));
    EXPECT_EQ(columnAtEvent[0],
        QStringList(
            { "March 05, 2012", "", "February 20, 2013", "not a date", "January 02, 2012" }));
    const QStringList ascending
        = { "", "January 02, 2012", "March 05, 2012", "February 20, 2013", "not a date" };
    EXPECT_EQ(columnAtEvent[1], ascending);
    // Whole rows move, fixed column included; the heading row stays.
    EXPECT_EQ(column(2), QStringList({ "2", "5", "1", "3", "4" }));
    EXPECT_EQ(grid.text(2, 0), "fixed cell of row 5");
    EXPECT_EQ(grid.text(0, 1), "Sort");

    clickHeading(1);
    EXPECT_EQ(seen.mid(2), QStringList({ "before 1 2", "after 1 2" }));
    EXPECT_EQ(column(1),
        QStringList(
            { "not a date", "February 20, 2013", "March 05, 2012", "January 02, 2012", "" }));

    // Another column starts ascending again; numbers sort as numbers.
    fillColumn(2, { "100.5", "95", "", "7", "N/A" });
    clickHeading(2);
    EXPECT_EQ(seen.mid(4), QStringList({ "before 2 1", "after 2 1" }));
    EXPECT_EQ(column(2), QStringList({ "", "7", "95", "100.5", "N/A" }));
}

TEST_F(DataGridTest, HeadingClicksDoNothingWhileHeaderSortingIsOff)
{
    fillColumn(1, { "March 05, 2012", "January 02, 2012" });
    QSignalSpy before(&grid, &DataGrid::beforeSort);
    clickHeading(1);
    EXPECT_EQ(before.count(), 0);
    EXPECT_EQ(grid.text(1, 1), "March 05, 2012");
}

TEST_F(DataGridTest, SortIsStableForEqualKeys)
{
    fillColumn(1, { "May 01, 2020", "May 01, 2020", "April 01, 2020", "May 01, 2020" });
    fillColumn(2, { "a", "b", "c", "d" });
    grid.sort(1, DataGrid::SortOrder::Ascending);
    EXPECT_EQ(column(2), QStringList({ "", "c", "a", "b", "d" }));
    grid.sort(1, DataGrid::SortOrder::Descending);
    EXPECT_EQ(column(2), QStringList({ "a", "b", "d", "c", "" }));
}

TEST_F(DataGridTest, SaveThenLoadRestoresEveryCell)
{
    TemporaryProgramFolder folder;
    const QString path = folder.filePath(QStringLiteral("Temp.Fil"));
    grid.setRowCount(7);
    grid.setColumnCount(5);
    for (int row = 0; row < grid.rowCount(); ++row) {
        for (int column = 0; column < grid.columnCount(); ++column)
            grid.setText(row, column,
                QStringLiteral("\"r%1\"\r\nc%2 \u00e9\u20ac\u2019 \U0001F600 \"\"")
                    .arg(row)
                    .arg(column));
    }
    grid.setText(2, 2, QString());
    grid.setText(3, 1, QStringLiteral("January 02, 2012"));
    grid.setCellBold(4, 3, true);
    grid.setCellBold(0, 2, true);

    QList<QStringList> saved;
    for (int row = 0; row < grid.rowCount(); ++row) {
        QStringList texts;
        for (int column = 0; column < grid.columnCount(); ++column)
            texts << grid.text(row, column);
        saved << texts;
    }
    const Outcome written = grid.saveToFile(path);
    ASSERT_TRUE(written) << written.reason.toStdString();

    grid.sort(1, DataGrid::SortOrder::Ascending);
    grid.clear();
    grid.setRowCount(3);
    grid.setColumnCount(2);
    const Outcome loaded = grid.loadFromFile(path);
    ASSERT_TRUE(loaded) << loaded.reason.toStdString();

    ASSERT_EQ(grid.rowCount(), 7);
    ASSERT_EQ(grid.columnCount(), 5);
    for (int row = 0; row < grid.rowCount(); ++row) {
        for (int column = 0; column < grid.columnCount(); ++column)
            EXPECT_EQ(grid.text(row, column), saved[row][column]) << row << "," << column;
    }
    EXPECT_TRUE(grid.isBold(4, 3));
    EXPECT_TRUE(grid.isBold(0, 2));
    EXPECT_FALSE(grid.isBold(3, 3));
}

TEST_F(DataGridTest, LoadingAFileThatIsNotAWholeGridFileChangesNothing)
{
    TemporaryProgramFolder folder;
    fillColumn(2, { "180", "181" });
    ASSERT_TRUE(grid.saveToFile(folder.filePath("Temp.Fil")));
    const QByteArray whole = folder.read("Temp.Fil");
    folder.write("Cut.Fil", whole.left(whole.size() - 3));
    folder.write("Other.Fil", "\"50\"\r\n\"March 05, 2012\"\r\n");
    QByteArray huge = whole.left(6);
    huge.append("\x7f\xff\xff\xff\x7f\xff\xff\xff", 8);
    folder.write("Huge.Fil", huge);

    grid.setText(1, 2, QStringLiteral("changed"));
    for (const char* name : { "Missing.Fil", "Cut.Fil", "Other.Fil", "Huge.Fil" }) {
        const Outcome loaded = grid.loadFromFile(folder.filePath(name));
        EXPECT_FALSE(loaded) << name;
        EXPECT_FALSE(loaded.reason.isEmpty()) << name;
        EXPECT_EQ(grid.rowCount(), 6) << name;
        EXPECT_EQ(grid.text(1, 2), "changed") << name;
        EXPECT_EQ(grid.text(2, 2), "181") << name;
    }
}

TEST_F(DataGridTest, AFailedSaveKeepsThePreviousFile)
{
    TemporaryProgramFolder folder;
    const Outcome saved = grid.saveToFile(folder.filePath("no such folder/Temp.Fil"));
    EXPECT_FALSE(saved);
    EXPECT_EQ(saved.fileName, QStringLiteral("Temp.Fil"));
    EXPECT_FALSE(saved.reason.isEmpty());
}

TEST_F(DataGridTest, FormatsChangeOnlyTheDisplay)
{
    fillColumn(2, { "183", "16.25", "-1.199997", "0", "N/A" });
    EXPECT_EQ(column(2), QStringList({ "183", "16.25", "-1.199997", "0", "N/A" }));
    QStringList shown;
    for (int row = 1; row <= 5; ++row)
        shown << grid.displayText(row, 2);
    EXPECT_EQ(shown, QStringList({ "183.", "16.3", "-1.2", ".", "N/A" }));

    // The editor offers the stored text, not the shown one.
    grid.setEditMode(DataGrid::EditMode::KeyboardAndMouse);
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, cellCentre(2, 2));
    auto* editor = view()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "16.25");
    QTest::keyClick(editor, Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.text(2, 2), "16.25");

    // The heading row is never formatted.
    grid.setText(0, 2, QStringLiteral("5"));
    EXPECT_EQ(grid.displayText(0, 2), "5");
}

TEST_F(DataGridTest, TypingIntoACellRaisesTheEditEventsInOrder)
{
    QStringList events;
    QObject guard;
    QObject::connect(&grid, &DataGrid::clicked, &guard, [&] { events << "click"; });
    QObject::connect(&grid, &DataGrid::beforeEdit, &guard, [&](int row, int column) {
        events << QStringLiteral("before %1,%2").arg(row).arg(column);
    });
    QObject::connect(&grid, &DataGrid::editorTextChanged, &guard, [&] {
        if (events.last() != "text")
            events << "text";
    });
    QObject::connect(&grid, &DataGrid::cellChanged, &guard, [&](int row, int column) {
        events << QStringLiteral("changed %1,%2").arg(row).arg(column);
    });
    QObject::connect(&grid, &DataGrid::editorClosed, &guard, [&](int row, int column) {
        events << QStringLiteral("closed %1,%2").arg(row).arg(column);
    });
    QObject::connect(&grid, &DataGrid::afterEdit, &guard,
        [&](int row, int column) { events << QStringLiteral("after %1,%2").arg(row).arg(column); });

    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, cellCentre(3, 2));
    auto* editor = view()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("183.5"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();

    EXPECT_EQ(events,
        QStringList({ "click", "before 3,2", "text", "changed 3,2", "closed 3,2", "after 3,2" }));
    EXPECT_EQ(grid.text(3, 2), "183.5");
}

TEST_F(DataGridTest, ProgramWritesAndTheCellEditorStayInStep)
{
    // Written by the program and edited before the event loop has run, as
    // when a log has just been loaded: what is typed is what is stored.
    grid.setText(3, 2, QStringLiteral("180"));
    grid.setText(1, 2, QStringLiteral("170"));
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, cellCentre(3, 2));
    auto* editor = view()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "180");
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("183.5"));
    // A write to the cell being edited shows in the editor at once.
    grid.setText(3, 2, QStringLiteral("181"));
    EXPECT_EQ(editor->text(), "181");
    QTest::keyClicks(editor, QStringLiteral("2"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.text(3, 2), "1812");
    EXPECT_EQ(grid.text(1, 2), "170");
}

TEST_F(DataGridTest, TheEditLimitCutsTypingAtTwentyCharacters)
{
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, cellCentre(1, 1));
    auto* editor = view()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("abcdefghijklmnopqrstuvwxyz"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.text(1, 1), "abcdefghijklmnopqrst");
}

TEST_F(DataGridTest, ANotEditableGridRaisesBeforeEditButOpensNoEditor)
{
    grid.setEditMode(DataGrid::EditMode::NotEditable);
    grid.setCurrentCell(2, 1);
    QSignalSpy before(&grid, &DataGrid::beforeEdit);
    QSignalSpy changed(&grid, &DataGrid::cellChanged);
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, cellCentre(2, 1));
    ASSERT_EQ(before.count(), 1);
    EXPECT_EQ(before[0][0].toInt(), 2);
    EXPECT_EQ(before[0][1].toInt(), 1);
    QTest::keyClicks(view(), QStringLiteral("abc"));
    EXPECT_EQ(view()->findChild<QLineEdit*>(), nullptr);
    EXPECT_EQ(grid.text(2, 1), "");
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(grid.currentRow(), 2);
}

TEST_F(DataGridTest, TheClickHandlerDecidesWhetherTheClickedCellIsEdited)
{
    // The trackers switch the grid read-only from the click handler when the
    // clicked column is not the typed one.
    QObject guard;
    QObject::connect(&grid, &DataGrid::clicked, &guard, [&] {
        grid.setEditMode(grid.currentColumn() == 2 ? DataGrid::EditMode::KeyboardAndMouse
                                                   : DataGrid::EditMode::NotEditable);
    });
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, cellCentre(1, 1));
    EXPECT_EQ(view()->findChild<QLineEdit*>(), nullptr);
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, cellCentre(1, 2));
    EXPECT_NE(view()->findChild<QLineEdit*>(), nullptr);
}

TEST_F(DataGridTest, ABeforeEditHandlerCanCancelTheEdit)
{
    QObject guard;
    QObject::connect(&grid, &DataGrid::beforeEdit, &guard, [&](int, int column) {
        if (column == 1)
            grid.cancelEdit();
    });
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, cellCentre(1, 1));
    EXPECT_EQ(view()->findChild<QLineEdit*>(), nullptr);
}

TEST_F(DataGridTest, FixedCellsAreNeverEdited)
{
    QSignalSpy before(&grid, &DataGrid::beforeEdit);
    QSignalSpy clicked(&grid, &DataGrid::clicked);
    QHeaderView* rows = view()->verticalHeader();
    QTest::mouseClick(rows->viewport(), Qt::LeftButton, {},
        QPoint(rows->width() / 2, rows->sectionViewportPosition(1) + 3));
    QTest::mouseClick(view()->horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(20, 5));
    EXPECT_EQ(before.count(), 0);
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_EQ(view()->findChild<QLineEdit*>(), nullptr);
    EXPECT_EQ(grid.text(0, 1), "Sort");
}

TEST_F(DataGridTest, RightButtonReleaseIsReported)
{
    QSignalSpy released(&grid, &DataGrid::rightButtonReleased);
    QTest::mouseClick(view()->viewport(), Qt::RightButton, {}, cellCentre(2, 2));
    EXPECT_EQ(released.count(), 1);
    EXPECT_EQ(view()->findChild<QLineEdit*>(), nullptr);
}

TEST_F(DataGridTest, ProgramWritesRaiseCellChangedOnlyForRealChanges)
{
    QSignalSpy changed(&grid, &DataGrid::cellChanged);
    grid.setText(2, 3, QStringLiteral("5"));
    grid.setText(2, 3, QStringLiteral("5"));
    grid.setBackground({ 2, 0, 2, 3 }, Qt::red);
    grid.setCellBold(2, 3, true);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toInt(), 2);
    EXPECT_EQ(changed[0][1].toInt(), 3);
    grid.sort(2, DataGrid::SortOrder::Descending);
    grid.clear();
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(DataGridTest, BoldStaysWithTheCellUntilRewritten)
{
    fillColumn(3, { "-1.5", "2", "-0.5" });
    grid.setCellBold(1, 3, true);
    grid.setCellBold(3, 3, true);
    grid.setText(1, 3, QStringLiteral("-2.5"));
    grid.setRowCount(10);
    EXPECT_TRUE(grid.isBold(1, 3));
    EXPECT_FALSE(grid.isBold(2, 3));
    EXPECT_TRUE(grid.isBold(3, 3));
    EXPECT_FALSE(grid.isBold(1, 2));
    grid.setCellBold(1, 3, false);
    EXPECT_FALSE(grid.isBold(1, 3));
}

TEST_F(DataGridTest, RangeColoursApplyToExactlyTheRangeUntilSetAgain)
{
    const QColor red(255, 0, 0);
    grid.setBackground({ 3, 0, 3, 3 }, red);
    for (int row = 0; row < grid.rowCount(); ++row) {
        for (int column = 0; column < grid.columnCount(); ++column)
            EXPECT_EQ(grid.background(row, column) == red, row == 3) << row << "," << column;
    }
    grid.setText(3, 2, QStringLiteral("180"));
    grid.setRowCount(8);
    EXPECT_EQ(grid.background(3, 2), red);

    // The red row is drawn red.
    const QImage shot = view()->viewport()->grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(cellCentre(3, 3) + QPoint(20, 0))), red);

    grid.setBackground({ 3, 0, 3, 3 }, QColor());
    for (int column = 0; column < grid.columnCount(); ++column)
        EXPECT_FALSE(grid.background(3, column).isValid());
    const QImage after = view()->viewport()->grab().toImage();
    EXPECT_EQ(QColor(after.pixel(cellCentre(3, 3) + QPoint(20, 0))), grid.backgroundColour());
}

TEST_F(DataGridTest, TextStylesOfARangeForTheMeasurementChart)
{
    DataGrid chart(0, 0);
    chart.setRowCount(6);
    chart.setColumnCount(4);
    chart.setFont(QFont(QStringLiteral("Times New Roman"), 10));
    chart.setText(0, 0, QStringLiteral("Blood Pressure Category"));
    chart.setForeground({ 0, 0, 0, 3 }, Qt::black);
    chart.setBold({ 0, 0, 0, 3 }, true);
    chart.setUnderline({ 0, 0, 0, 3 }, true);
    chart.setFontSize({ 0, 0, 0, 3 }, 18);
    chart.setForeground({ 2, 0, 2, 3 }, QColor(255, 128, 0));
    chart.setFontSize({ 1, 0, 5, 3 }, 16);
    chart.setUnderline({ 5, 0, 5, 1 }, true);
    chart.setUnderline({ 5, 3, 5, 3 }, true);
    chart.setRowHeightTwips(2, 720);

    EXPECT_EQ(chart.text(0, 0), "Blood Pressure Category");
    EXPECT_TRUE(chart.isBold(0, 3));
    EXPECT_FALSE(chart.isBold(1, 0));
    EXPECT_EQ(chart.fontSize(0, 2), 18);
    EXPECT_EQ(chart.fontSize(3, 2), 16);
    EXPECT_EQ(chart.foreground(2, 1), QColor(255, 128, 0));
    EXPECT_FALSE(chart.foreground(3, 1).isValid());
    EXPECT_TRUE(chart.isUnderline(5, 0));
    EXPECT_FALSE(chart.isUnderline(5, 2));
    EXPECT_TRUE(chart.isUnderline(5, 3));
    EXPECT_FALSE(chart.isUnderline(4, 3));
    // Styles keep the grid's font family.
    EXPECT_EQ(QFontInfo(chart.view()->item(0, 0)->font()).family(),
        QFontInfo(QFont(QStringLiteral("Times New Roman"))).family());
    EXPECT_NEAR(chart.rowHeightTwips(2), 720, 30);
}

TEST_F(DataGridTest, TheFixedColumnNeverShowsRowNumbers)
{
    auto headings = [this] {
        QStringList shown;
        for (int row = 0; row < view()->rowCount(); ++row)
            shown << view()->model()->headerData(row, Qt::Vertical).toString();
        shown.removeAll(QString());
        return shown;
    };
    grid.setRowCount(2001);
    EXPECT_EQ(headings(), QStringList());
    grid.setText(1500, 0, QStringLiteral("x"));
    grid.setText(1500, 1, QStringLiteral("May 01, 2020"));
    grid.sort(1, DataGrid::SortOrder::Descending);
    EXPECT_EQ(headings(), QStringList({ "x" }));
    EXPECT_EQ(grid.text(1, 0), "x");
    grid.clear();
    EXPECT_EQ(headings(), QStringList());
}

TEST_F(DataGridTest, AStyleSetAfterTheGridFontChangedUsesTheNewFont)
{
    grid.setCellBold(1, 2, true);
    grid.setFont(QFont(QStringLiteral("Times New Roman"), 14));
    grid.setCellBold(2, 2, true);
    const QFont bold = view()->item(1, 1)->font();
    EXPECT_TRUE(bold.bold());
    EXPECT_EQ(
        QFontInfo(bold).family(), QFontInfo(QFont(QStringLiteral("Times New Roman"))).family());
    EXPECT_EQ(bold.pointSize(), 14);
}

TEST_F(DataGridTest, RemoveRowShiftsLaterRowsUp)
{
    fillColumn(2, { "1", "2", "3", "4", "5" });
    grid.removeRow(2);
    EXPECT_EQ(grid.rowCount(), 5);
    EXPECT_EQ(column(2), QStringList({ "1", "3", "4", "5" }));
    grid.removeRow(0);
    grid.removeRow(9);
    EXPECT_EQ(grid.rowCount(), 5);
    EXPECT_EQ(grid.text(0, 1), "Sort");
}

TEST_F(DataGridTest, ClearEmptiesEveryCellAndItsLook)
{
    fillColumn(2, { "1", "2" });
    grid.setText(2, 0, QStringLiteral("x"));
    grid.setCellBold(1, 2, true);
    grid.setBackground({ 2, 0, 2, 3 }, Qt::red);
    grid.clear();
    for (int row = 0; row < grid.rowCount(); ++row) {
        for (int column = 0; column < grid.columnCount(); ++column) {
            EXPECT_EQ(grid.text(row, column), "");
            EXPECT_FALSE(grid.isBold(row, column));
            EXPECT_FALSE(grid.background(row, column).isValid());
        }
    }
    EXPECT_EQ(grid.rowCount(), 6);
    EXPECT_EQ(grid.columnCount(), 4);
}

TEST_F(DataGridTest, ColumnWidthsAreInTwips)
{
    grid.setColumnWidthTwips(2, 1440);
    EXPECT_EQ(view()->columnWidth(1), qRound(Twips::logicalDpiX(&grid)));
    EXPECT_NEAR(grid.columnWidthTwips(2), 1440, 15);
    grid.setColumnWidthTwips(0, 144);
    EXPECT_EQ(view()->verticalHeader()->width(), Twips::toPixelsX(144, &grid));
}

TEST_F(DataGridTest, BackgroundPictureIsDrawnBehindTheCellsUntilRemoved)
{
    TemporaryProgramFolder folder;
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(QColor(0, 128, 255));
    ASSERT_TRUE(picture.save(folder.filePath("WP3.jpg"), "PNG"));

    const QPoint emptyCell = cellCentre(4, 3) + QPoint(15, 0);
    grid.setBackgroundColour(QColor(255, 255, 0));
    EXPECT_EQ(QColor(view()->viewport()->grab().toImage().pixel(emptyCell)), QColor(255, 255, 0));

    ASSERT_TRUE(grid.setBackgroundPicture(folder.filePath("WP3.jpg")));
    EXPECT_TRUE(grid.hasBackgroundPicture());
    EXPECT_EQ(QColor(view()->viewport()->grab().toImage().pixel(emptyCell)), QColor(0, 128, 255));

    EXPECT_TRUE(grid.setBackgroundPicture(QString()));
    EXPECT_FALSE(grid.hasBackgroundPicture());
    EXPECT_EQ(QColor(view()->viewport()->grab().toImage().pixel(emptyCell)), QColor(255, 255, 0));

    EXPECT_FALSE(grid.setBackgroundPicture(folder.filePath("WP99.jpg")));
    EXPECT_FALSE(grid.hasBackgroundPicture());

    const QColor defaultBase = DataGrid().backgroundColour();
    grid.setBackgroundColour(QColor());
    EXPECT_EQ(grid.backgroundColour(), defaultBase);
}

// A grid destroyed as its own window with a cell being edited: the window
// gives up the focus on the way out, which closes the editor while the grid
// is half destroyed. Nothing of that may reach the grid.
TEST(DataGridDestruction, AnOpenEditorReportsNothingOnceTheGridIsGoing)
{
    auto* grid = new DataGrid;
    grid->resize(400, 300);
    grid->setRowCount(4);
    grid->setColumnCount(3);
    grid->setEditMode(DataGrid::EditMode::KeyboardAndMouse);
    grid->show();
    grid->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(grid));

    QTableWidget* view = grid->view();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
        view->visualRect(view->model()->index(1, 1)).center());
    auto* editor = view->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("183.5"));

    QStringList reported;
    QObject guard;
    for (auto signal : { &DataGrid::editorClosed, &DataGrid::afterEdit, &DataGrid::cellChanged })
        QObject::connect(grid, signal, &guard, [&] { reported << QStringLiteral("edit"); });
    QObject::connect(
        grid, &DataGrid::editorTextChanged, &guard, [&] { reported << QStringLiteral("text"); });
    delete grid;
    QCoreApplication::processEvents();
    EXPECT_EQ(reported, QStringList());
}

} // namespace

TEST(DataGridLines, KeepTheirColourWhateverColourThePanelAroundTakes)
{
    QWidget panel;
    DataGrid grid(1, 1, &panel);
    auto lineColour = [&grid] {
        QStyleOptionViewItem option;
        option.initFrom(grid.view());
        return QColor::fromRgba(QRgb(
            grid.view()->style()->styleHint(QStyle::SH_Table_GridLineColor, &option, grid.view())));
    };
    const QColor lines = lineColour();
    for (const QColor& colour : { QColor(255, 255, 128), QColor(0, 128, 128) }) {
        QPalette palette = panel.palette();
        palette.setColor(QPalette::Window, colour);
        panel.setPalette(palette);
        // The grid's background is set again when its screen loads.
        grid.setBackgroundColour(QColor(Qt::white));
        EXPECT_EQ(lineColour(), lines) << colour.name().toStdString();
    }
}
