#include "PdfInspection.h"
#include "PrintDocumentItems.h"
#include "TemporaryProgramFolder.h"

#include "bloodpressure/BloodPressureReport.h"
#include "print/PdfFile.h"
#include "storage/StoredDate.h"

#include <QLocale>
#include <QPageSize>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Options = BloodPressureReport::Options;
using Values = BloodPressureReport::Values;

const QPageLayout Portrait = PrintDocument::paperLayout(QPageSize(QPageSize::Letter));
const QPageLayout Landscape
    = PrintDocument::paperLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape);
const QColor Orange(255, 128, 0);
const QColor Red(255, 0, 0);
const QColor DarkRed(192, 0, 0);
const QColor Maroon(128, 0, 0);
const QColor Black(Qt::black);
const QStringList HeaderAndTitle { "Smith, Ann", "Blood Pressure Printout",
    "Printed: Wednesday, February 20, 2013" };
const QStringList LegendAndHeadings { "Color Legend:", "Normal", "Prehypertension",
    "High (Stage 1)*", "High (Stage 2)**", "Hypertensive Crisis", "Date of", "Time of", "Systolic",
    "Diastolic", "Heart Rate", "Reading", "Reading", "Upper #", "Lower #", "(Pulse)" };

// Reports print the date in the system's long format; the tests fix it.
class BloodPressureReportTest : public ::testing::Test
{
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

QString dayDate(int day)
{
    return StoredDate::longText(QDate(2013, 1, 1).addDays(day));
}

// Entry i (from 0) of a log: a normal reading with a pulse of 60 + i.
Reading entry(int i)
{
    return { dayDate(i), QStringLiteral("7:05 AM"), QStringLiteral("115"), QStringLiteral("75"),
        QString::number(60 + i) };
}

// count entries in a grid of count + 10 rows.
Values individual(int count)
{
    Values values;
    values.name = QStringLiteral("Smith, Ann");
    values.printed = QDate(2013, 2, 20);
    for (int i = 0; i < count; ++i)
        values.rows.append(entry(i));
    values.rows.resize(count + 10);
    return values;
}

Options withGraph(bool graph, int entryCount = 0)
{
    Options options;
    options.printGraph = graph;
    options.entryCount = entryCount;
    return options;
}

bool isDate(const PrintText& text)
{
    static const QRegularExpression date(QStringLiteral("^[A-Z][a-z]+ \\d\\d, \\d{4}$"));
    return date.match(text.text).hasMatch();
}

// The printed dates of the table, in print order across the pages.
QStringList printedDates(const PrintDocument& document)
{
    QStringList dates;
    for (int page = 0; page < document.pageCount(); ++page) {
        for (const PrintText& text : itemsOf<PrintText>(document, page)) {
            if (isDate(text))
                dates.append(text.text);
        }
    }
    return dates;
}

// The texts printed on the line of the first text reading caption.
QList<PrintText> lineOf(const PrintDocument& document, int page, const QString& caption)
{
    const std::optional<PrintText> anchor = textOn(document, page, caption);
    QList<PrintText> line;
    if (!anchor)
        return line;
    for (const PrintText& text : itemsOf<PrintText>(document, page)) {
        if (text.baseline.y() == anchor->baseline.y())
            line.append(text);
    }
    return line;
}

std::optional<PrintText> textCentredOn(const QList<PrintText>& texts, qreal x)
{
    for (const PrintText& text : texts) {
        if (qAbs(centreOf(text) - x) < 0.5)
            return text;
    }
    return std::nullopt;
}

// The divider lines of a page: full-width lines below the headings.
QList<qreal> dividers(const PrintDocument& document, int page)
{
    const qreal headings = textOn(document, page, QStringLiteral("(Pulse)"))->baseline.y();
    QList<qreal> found;
    for (const PrintLine& line : itemsOf<PrintLine>(document, page)) {
        if (line.line.x1() == 0 && line.line.x2() == document.pageWidth() - 2
            && line.line.y1() > headings)
            found.append(line.line.y1());
    }
    return found;
}

// The rows of a page above y.
int rowsAbove(const PrintDocument& document, int page, qreal y)
{
    int rows = 0;
    for (const PrintText& text : itemsOf<PrintText>(document, page)) {
        if (isDate(text) && text.baseline.y() < y)
            ++rows;
    }
    return rows;
}

} // namespace

TEST_F(BloodPressureReportTest, PrintsTheLatestEntriesAboveTheFirstRowWithoutADate)
{
    struct Case {
        const char* what;
        int entries;
        int undatedRow; // index of a row whose date is cleared, or -1
        int entryCount;
        int first;
        int last; // indices of the entries printed; last < first for none
    };
    const Case cases[] {
        { "10 of 12", 12, -1, 10, 2, 11 },
        { "All of 12", 12, -1, 0, 0, 11 },
        { "5 of 3", 3, -1, 5, 0, 2 },
        { "60 of 70", 70, -1, 60, 10, 69 },
        { "20 of 70", 70, -1, 20, 50, 69 },
        { "row 4 without a date", 10, 3, 0, 0, 2 },
        { "5 of a log with a gap", 10, 3, 5, 0, 2 },
        { "empty log", 0, -1, 0, 0, -1 },
    };
    for (const Case& c : cases) {
        Values values = individual(c.entries);
        if (c.undatedRow >= 0)
            values.rows[c.undatedRow].date.clear();
        const PrintDocument document = BloodPressureReport::build(
            values, withGraph(false, c.entryCount), Portrait, PrintFont());
        QStringList expected;
        for (int i = c.first; i <= c.last; ++i)
            expected.append(dayDate(i));
        EXPECT_EQ(printedDates(document), expected) << c.what;
        // The averages are those of the printed entries.
        const QString pulse = c.last < c.first
            ? QStringLiteral("(  )")
            : QStringLiteral("( %1 )").arg(int(std::floor(60 + (c.first + c.last) / 2.0 + 0.5)));
        const QList<PrintText> averages = lineOf(document, 0, QStringLiteral("Average:"));
        ASSERT_TRUE(textCentredOn(averages, document.pageWidth() / 1.2)) << c.what;
        EXPECT_EQ(textCentredOn(averages, document.pageWidth() / 1.2)->text, pulse) << c.what;
    }
}

TEST_F(BloodPressureReportTest, PressuresPrintInTheirCategorysColourWithItsMark)
{
    struct Case {
        bool systolic;
        const char* value;
        const char* printed;
        QColor colour;
        bool underlined;
    };
    const Case cases[] {
        { true, "185", "185", Maroon, true },
        { true, "165", "165**", DarkRed, false },
        { true, "145", "145*", Red, false },
        { true, "125", "125", Orange, false },
        { true, "115", "115", Black, false },
        { false, "95", "95*", Red, false },
        { false, "110", "110", Maroon, true },
        { false, "85", "85", Orange, false },
        { false, "79", "79", Black, false },
        // Not a pressure: printed as typed, black.
        { true, "n/a", "n/a", Black, false },
    };
    for (const Case& c : cases) {
        Values values = individual(1);
        Reading& reading = values.rows[0];
        (c.systolic ? reading.systolic : reading.diastolic) = QLatin1String(c.value);
        const PrintDocument document
            = BloodPressureReport::build(values, withGraph(false), Portrait, PrintFont());
        const qreal column = document.pageWidth() / (c.systolic ? 1.8 : 1.5);
        const QList<PrintText> row = lineOf(document, 0, dayDate(0));
        const std::optional<PrintText> cell = textCentredOn(row, column);
        ASSERT_TRUE(cell) << c.value;
        EXPECT_EQ(cell->text, QLatin1String(c.printed)) << c.value;
        EXPECT_EQ(cell->colour, c.colour) << c.value;
        EXPECT_EQ(cell->font.underline(), c.underlined) << c.value;
        EXPECT_TRUE(cell->font.bold()) << c.value;
        // The date and time are plain and black whatever the pressures.
        for (const PrintText& text : row) {
            if (text.text == dayDate(0) || text.text == u"7:05 AM") {
                EXPECT_FALSE(text.font.bold());
                EXPECT_EQ(text.colour, Black);
            }
        }
    }
}

TEST_F(BloodPressureReportTest, TheAveragesLineTakesTheCategoriesOfItsAverages)
{
    struct Case {
        const char* what;
        QList<QStringList> readings; // systolic, diastolic, pulse
        QString systolic;
        QColor systolicColour;
        QString diastolic;
        QColor diastolicColour;
        QString pulse;
    };
    const QList<Case> cases {
        { "prehypertension", { { "126", "83", "72" } }, "126", Orange, "83", Orange, "( 72 )" },
        { "stage 1 over normal", { { "145", "78", "" } }, "145*", Red, "78", Black, "(  )" },
        { "halves round up", { { "120", "80", "70" }, { "131", "81", "71" } }, "126", Orange, "81",
            Orange, "( 71 )" },
        { "values under 20 do not count", { { "140", "95", "15" }, { "15", "15", "" } }, "140*",
            Red, "95*", Red, "(  )" },
        { "empty log", {}, "", Black, "", Black, "(  )" },
    };
    for (const Case& c : cases) {
        Values values = individual(0);
        for (int i = 0; i < c.readings.size(); ++i)
            values.rows[i] = { dayDate(i), QStringLiteral("8:00 AM"), c.readings[i][0],
                c.readings[i][1], c.readings[i][2] };
        const PrintDocument document
            = BloodPressureReport::build(values, withGraph(false), Portrait, PrintFont());
        const qreal width = document.pageWidth();
        const QList<PrintText> line = lineOf(document, 0, QStringLiteral("Average:"));
        ASSERT_FALSE(line.isEmpty()) << c.what;
        const PrintText caption = *textOn(document, 0, QStringLiteral("Average:"));
        EXPECT_EQ(caption.colour, QColor(0, 0, 128)) << c.what;
        EXPECT_NEAR(centreOf(caption), width / 2.15, 0.5) << c.what;
        const struct {
            qreal x;
            QString text;
            QColor colour;
        } cells[] { { width / 1.8, c.systolic, c.systolicColour },
            { width / 1.5, c.diastolic, c.diastolicColour }, { width / 1.2, c.pulse, Black } };
        for (const auto& expected : cells) {
            const std::optional<PrintText> cell = textCentredOn(line, expected.x);
            if (expected.text.isEmpty()) {
                EXPECT_FALSE(cell) << c.what;
                continue;
            }
            ASSERT_TRUE(cell) << c.what << " " << expected.text.toStdString();
            EXPECT_EQ(cell->text, expected.text) << c.what;
            EXPECT_EQ(cell->colour, expected.colour) << c.what;
            EXPECT_TRUE(cell->font.bold()) << c.what;
        }
    }
}

TEST_F(BloodPressureReportTest, LaterPagesRepeatTheHeaderAndTitleWithoutAverages)
{
    for (const QPageLayout& layout : { Portrait, Landscape }) {
        const Values values = individual(120);
        const PrintDocument document
            = BloodPressureReport::build(values, withGraph(true), layout, PrintFont());
        const std::string what = document.landscape() ? "landscape" : "portrait";
        ASSERT_GE(document.pageCount(), 3) << what;
        QStringList all;
        for (int i = 0; i < 120; ++i)
            all.append(dayDate(i));
        EXPECT_EQ(printedDates(document), all) << what;
        EXPECT_EQ(
            document.texts(0).mid(0, 4), HeaderAndTitle + QStringList { "Blood Pressure Data" })
            << what;
        for (int page = 0; page < document.pageCount(); ++page) {
            const QStringList texts = document.texts(page);
            EXPECT_EQ(texts.contains(QStringLiteral("Average:")), page == 0) << what << page;
            if (page == 0)
                continue;
            EXPECT_EQ(texts.mid(0, 20),
                HeaderAndTitle
                    + QStringList { QStringLiteral("Blood Pressure Data - Page %1").arg(page + 1) }
                    + LegendAndHeadings)
                << what << page;
            // An empty line where page 1 has its averages.
            const PrintText headings = *textOn(document, page, QStringLiteral("(Pulse)"));
            const PrintText first = itemsOf<PrintText>(document, page).at(20);
            EXPECT_NEAR(first.baseline.y() - headings.baseline.y(), 2 * 240 * 1.15, 60)
                << what << page;
        }
        expectOnTheSheet(document, what);
    }
}

TEST_F(BloodPressureReportTest, DividersFollowEveryFifthEntryOfAPageButNotTheLast)
{
    struct Case {
        int entries;
        QList<int> after; // on page 1
    };
    const QList<Case> cases {
        { 12, { 5, 10 } },
        { 10, { 5 } },
        { 5, {} },
        { 4, {} },
    };
    for (const Case& c : cases) {
        Options options = withGraph(true);
        options.dividerLines = true;
        const PrintDocument document
            = BloodPressureReport::build(individual(c.entries), options, Portrait, PrintFont());
        QList<int> after;
        for (qreal y : dividers(document, 0))
            after.append(rowsAbove(document, 0, y));
        EXPECT_EQ(after, c.after) << c.entries;
    }

    // Counted again on every page; none after the report's last entry.
    Options options = withGraph(true);
    options.dividerLines = true;
    const PrintDocument document
        = BloodPressureReport::build(individual(120), options, Portrait, PrintFont());
    ASSERT_GE(document.pageCount(), 3);
    for (int page = 1; page < document.pageCount(); ++page) {
        const QList<qreal> lines = dividers(document, page);
        const int rows = rowsAbove(document, page, document.pageHeight());
        ASSERT_EQ(lines.size(), (rows - 1) / 5) << page;
        for (int i = 0; i < lines.size(); ++i)
            EXPECT_EQ(rowsAbove(document, page, lines[i]), 5 * (i + 1)) << page;
    }
    // Without the option there are none.
    const PrintDocument plain
        = BloodPressureReport::build(individual(12), withGraph(true), Portrait, PrintFont());
    EXPECT_TRUE(dividers(plain, 0).isEmpty());
}

TEST_F(BloodPressureReportTest, HeaderAndTableTakeTheirSizesStylesAndColours)
{
    PrintFont font;
    font.points = 16;
    font.colour = QColor(0, 0, 255);
    font.underline = true;
    const PrintDocument document
        = BloodPressureReport::build(individual(3), withGraph(false), Portrait, font);
    const qreal width = document.pageWidth();
    const PrintText name = *textOn(document, 0, QStringLiteral("Smith, Ann"));
    EXPECT_EQ(name.font.pixelSize(), 320);
    EXPECT_TRUE(name.font.bold());
    EXPECT_EQ(name.colour, font.colour);
    EXPECT_NEAR(centreOf(name), width / 2, 0.5);
    const PrintText title = *textOn(document, 0, QStringLiteral("Blood Pressure Printout"));
    const PrintText printed
        = *textOn(document, 0, QStringLiteral("Printed: Wednesday, February 20, 2013"));
    EXPECT_DOUBLE_EQ(title.baseline.x(), 200);
    EXPECT_NEAR(printed.baseline.x() + printed.width, width - 200, 0.01);
    EXPECT_EQ(title.baseline.y(), printed.baseline.y());
    for (const PrintText& text : { title, printed }) {
        EXPECT_EQ(text.font.pixelSize(), 280);
        EXPECT_TRUE(text.font.bold());
        EXPECT_EQ(text.colour, font.colour);
    }
    const PrintText tableTitle = *textOn(document, 0, QStringLiteral("Blood Pressure Data"));
    EXPECT_TRUE(tableTitle.font.bold());
    EXPECT_EQ(tableTitle.colour, font.colour);

    // The legend in the categories' colours, the crisis underlined; the
    // headings black, the second line underlined.
    const struct {
        const char* text;
        qreal divisor;
        QColor colour;
        bool underlined;
    } legend[] { { "Color Legend:", 12.5, Black, true }, { "Normal", 5.1, Black, true },
        { "Prehypertension", 3, Orange, true }, { "High (Stage 1)*", 1.95, Red, true },
        { "High (Stage 2)**", 1.47, DarkRed, true }, { "Hypertensive Crisis", 1.14, Maroon, true },
        { "Heart Rate", 1.2, Black, false }, { "(Pulse)", 1.2, Black, true },
        { "Date of", 5.3, Black, false }, { "Upper #", 1.8, Black, true } };
    for (const auto& item : legend) {
        const PrintText text = *textOn(document, 0, QLatin1String(item.text));
        EXPECT_NEAR(centreOf(text), width / item.divisor, 0.5) << item.text;
        EXPECT_EQ(text.colour, item.colour) << item.text;
        EXPECT_EQ(text.font.underline(), item.underlined) << item.text;
        EXPECT_EQ(text.font.pixelSize(), 280) << item.text;
    }
    // The rows are not underlined, whatever the print options say.
    const PrintText date = *textOn(document, 0, dayDate(2));
    EXPECT_FALSE(date.font.underline());
    EXPECT_EQ(date.font.pixelSize(), 280);
}

TEST_F(BloodPressureReportTest, TheGraphTakesItsBoxBetweenHeaderAndTable)
{
    QImage graph(960, 640, QImage::Format_RGB32);
    graph.fill(Qt::green);
    struct Case {
        QPageLayout layout;
        QImage image;
        qreal boxWidth;
    };
    const Case cases[] {
        { Portrait, graph, 8.4 * 1440 },
        { Landscape, graph, 10.8 * 1440 },
        { Portrait, QImage(), 8.4 * 1440 },
        // Narrower paper: the box keeps its margin on the right too.
        { PrintDocument::paperLayout(QPageSize(QPageSize::A4)), graph, -2 * 0.02 * 1440 },
    };
    for (const Case& c : cases) {
        Values values = individual(5);
        values.graph = c.image;
        const PrintDocument document
            = BloodPressureReport::build(values, withGraph(true), c.layout, PrintFont());
        const QList<PrintPicture> pictures = itemsOf<PrintPicture>(document, 0);
        ASSERT_EQ(pictures.size(), 1);
        const PrintPicture& picture = pictures.first();
        EXPECT_EQ(picture.image.isNull(), c.image.isNull());
        EXPECT_NEAR(picture.box.width(),
            c.boxWidth > 0 ? c.boxWidth : document.pageWidth() + c.boxWidth, 0.5);
        EXPECT_EQ(picture.box.height(), document.landscape() ? 7200 : 6000);
        const PrintText printed = *textOn(document, 0, HeaderAndTitle[2]);
        EXPECT_GT(picture.box.top(), printed.baseline.y());
        // The table starts below the picture, under a line across the page.
        const PrintText title = *textOn(document, 0, QStringLiteral("Blood Pressure Data"));
        EXPECT_GT(title.baseline.y() - title.font.pixelSize(), picture.box.bottom());
        const QList<PrintLine> lines = itemsOf<PrintLine>(document, 0);
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const PrintLine& line) {
            return line.line.x2() == document.pageWidth() && line.line.y1() > picture.box.bottom()
                && line.line.y1() < title.baseline.y();
        }));
        expectOnTheSheet(document, "graph");
    }

    const PrintDocument without
        = BloodPressureReport::build(individual(5), withGraph(false), Portrait, PrintFont());
    EXPECT_TRUE(itemsOf<PrintPicture>(without, 0).isEmpty());
    for (const PrintLine& line : itemsOf<PrintLine>(without, 0))
        EXPECT_NE(line.line.x2(), without.pageWidth());
}

TEST_F(BloodPressureReportTest, BorderGridlinesFrameEveryPageAroundItsRows)
{
    for (const QPageLayout& layout : { Portrait, Landscape }) {
        Options options = withGraph(true);
        options.borderLines = true;
        const PrintDocument document
            = BloodPressureReport::build(individual(120), options, layout, PrintFont());
        for (int page = 0; page < document.pageCount(); ++page) {
            const QList<PrintRectangle> frames = itemsOf<PrintRectangle>(document, page);
            ASSERT_EQ(frames.size(), 1) << page;
            EXPECT_EQ(frames[0].rect.topLeft(), QPointF(0, 100));
            EXPECT_EQ(frames[0].rect.right(), document.pageWidth());
            qreal lastRow = 0;
            for (const PrintText& text : itemsOf<PrintText>(document, page))
                lastRow = qMax(lastRow, text.baseline.y());
            EXPECT_GT(frames[0].rect.bottom(), lastRow) << page;
        }
        expectOnTheSheet(document, "frames");
    }
}

TEST_F(BloodPressureReportTest, LargeFontsKeepEveryRowOnTheSheet)
{
    for (double points : { 4.0, 30.0 }) {
        for (const QPageLayout& layout : { Portrait, Landscape }) {
            PrintFont font;
            font.points = points;
            Options options = withGraph(true);
            options.borderLines = true;
            options.dividerLines = true;
            const PrintDocument document
                = BloodPressureReport::build(individual(90), options, layout, font);
            expectOnTheSheet(document, std::to_string(points));
            EXPECT_EQ(printedDates(document).size(), 90);
        }
    }
}

TEST_F(BloodPressureReportTest, ThePdfShowsTheReportWhereItWasLaidOut)
{
    TemporaryProgramFolder folder;
    const QString path = folder.filePath(QStringLiteral("bp.pdf"));
    Values values = individual(70);
    values.rows[69].systolic = QStringLiteral("165");
    values.graph = QImage(960, 640, QImage::Format_RGB32);
    values.graph.fill(Qt::green);
    const PrintDocument document
        = BloodPressureReport::build(values, withGraph(true), Portrait, PrintFont());
    ASSERT_TRUE(PdfFile::save(document, path));

    const PdfInspection pdf(path);
    ASSERT_TRUE(pdf.isValid()) << pdf.error().toStdString();
    ASSERT_EQ(pdf.pageCount(), document.pageCount());
    EXPECT_EQ(pdf.info(QStringLiteral("Page size")), QStringLiteral("612 x 792 pts (letter)"));
    EXPECT_EQ(
        pdf.info(QStringLiteral("Title")), QStringLiteral("Smith, Ann Blood Pressure Printout"));
    const QStringList fonts = pdf.fonts();
    EXPECT_EQ(QSet<QString>(fonts.begin(), fonts.end()),
        (QSet<QString> {
            QStringLiteral("LiberationSerif-Bold"), QStringLiteral("LiberationSerif") }));
    EXPECT_NEAR(pdf.find(0, QStringLiteral("Blood Pressure Printout"))->left(), 10, 0.05);
    EXPECT_NEAR(pdf.find(0, QStringLiteral("Printed: Wednesday, February 20, 2013"))->right(),
        (12240 - 200) / 20.0, 1);
    EXPECT_NEAR(
        pdf.find(0, QStringLiteral("Hypertensive Crisis"))->center().x(), 12240 / 1.14 / 20, 1);
    EXPECT_EQ(pdf.pagesWith(QStringLiteral("Average:")), QList<int> { 0 });
    const int last = pdf.pageCount() - 1;
    EXPECT_TRUE(pdf.find(last, QStringLiteral("Blood Pressure Data - Page %1").arg(last + 1)));
    const std::optional<QRectF> date = pdf.find(last, dayDate(69));
    ASSERT_TRUE(date);
    EXPECT_NEAR(date->center().x(), 12240 / 5.3 / 20, 1);
    EXPECT_TRUE(pdf.lines(last).contains(dayDate(69) + QStringLiteral(" 7:05 AM 165** 75 129")));

    // The graph fills its box's height below the header.
    const QImage page = QImage::fromData(pdf.pagePng(0, 72));
    const QRectF graph = itemsOf<PrintPicture>(document, 0).first().target();
    const QPoint middle = (graph.center() / 20).toPoint();
    EXPECT_GT(qGreen(page.pixel(middle)), 230);
    EXPECT_LT(qRed(page.pixel(middle)), 30);
}

TEST_F(BloodPressureReportTest, AnotherGuidelinesColoursMarksAndLegend)
{
    using Id = BloodPressureGuideline::Id;
    const QColor Green(0, 128, 0);
    struct Case {
        Id guideline;
        const char* systolic;
        const char* diastolic;
        const char* printedSystolic;
        QColor systolicColour;
        bool systolicUnderlined;
        const char* printedDiastolic;
        QColor diastolicColour;
    };
    const Case cases[] {
        { Id::AccAha, "180", "80", "180**", DarkRed, false, "80*", Red },
        { Id::AccAha, "181", "121", "181", Maroon, true, "121", Maroon },
        { Id::AccAha, "125", "79", "125", Orange, false, "79", Black },
        { Id::Esh, "118", "84", "118", Green, false, "84", Black },
        // 145 over 85: grade 1, and isolated systolic.
        { Id::Esh, "145", "85", "145* ISH", Red, false, "85", Orange },
        { Id::Esh, "165", "90", "165**", DarkRed, false, "90*", Red },
        { Id::Esh, "180", "110", "180", Maroon, true, "110", Maroon },
        { Id::Esc, "139", "69", "139", Orange, false, "69", Black },
        { Id::Esc, "140", "90", "140*", Red, false, "90*", Red },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.systolic);
        Values values = individual(1);
        values.guideline = c.guideline;
        values.rows[0].systolic = QLatin1String(c.systolic);
        values.rows[0].diastolic = QLatin1String(c.diastolic);
        const PrintDocument document
            = BloodPressureReport::build(values, withGraph(false), Portrait, PrintFont());
        const QList<PrintText> row = lineOf(document, 0, dayDate(0));
        const std::optional<PrintText> systolic = textCentredOn(row, document.pageWidth() / 1.8);
        const std::optional<PrintText> diastolic = textCentredOn(row, document.pageWidth() / 1.5);
        ASSERT_TRUE(systolic && diastolic);
        EXPECT_EQ(systolic->text, QLatin1String(c.printedSystolic));
        EXPECT_EQ(systolic->colour, c.systolicColour);
        EXPECT_EQ(systolic->font.underline(), c.systolicUnderlined);
        EXPECT_EQ(diastolic->text, QLatin1String(c.printedDiastolic));
        EXPECT_EQ(diastolic->colour, c.diastolicColour);

        // The legend names the guideline and lists its categories on one
        // line, in order, none running into the next.
        const BloodPressureGuideline& guideline = BloodPressureGuideline::of(c.guideline);
        EXPECT_TRUE(textOn(document, 0, QStringLiteral("Categories: ") + guideline.name()));
        const QList<PrintText> legend = lineOf(document, 0, QStringLiteral("Color Legend:"));
        ASSERT_GE(legend.size(), guideline.categories().size() + 1);
        for (qsizetype i = 0; i < guideline.categories().size(); ++i)
            EXPECT_EQ(legend.at(i + 1).text, guideline.categories().at(i).legendText);
        for (qsizetype i = 1; i < legend.size(); ++i)
            EXPECT_LT(
                legend.at(i - 1).baseline.x() + legend.at(i - 1).width, legend.at(i).baseline.x());
        EXPECT_LE(legend.last().baseline.x() + legend.last().width, document.pageWidth());
        EXPECT_FALSE(textOn(document, 0, QStringLiteral("Prehypertension")));
    }
}
