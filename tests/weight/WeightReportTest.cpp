#include "PdfInspection.h"
#include "PrintDocumentItems.h"
#include "TemporaryProgramFolder.h"

#include "print/PdfFile.h"
#include "storage/StoredDate.h"
#include "weight/WeightReport.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QMap>
#include <QPageSize>

#include <gtest/gtest.h>

namespace {

using Options = WeightReport::Options;
using Values = WeightReport::Values;

const QPageLayout Portrait = PrintDocument::paperLayout(QPageSize(QPageSize::Letter));
const QPageLayout Landscape
    = PrintDocument::paperLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape);
const QColor Blue(0, 0, 255);
const QStringList Headings { "Date of", "Current", "Change from", "Beginning Weight", "Weigh In",
    "Weight", "Last Entry", "Difference" };

// Reports print the date in the system's long format; the tests fix it.
class WeightReportTest : public ::testing::Test
{
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

QString weekDate(int week)
{
    return StoredDate::longText(QDate(2013, 1, 1).addDays(7 * week));
}

// An individual with count weekly weigh-ins from 200 down by half a pound
// each, in a grid of gridRows rows (heading row included).
Values individual(int count, int gridRows = 50)
{
    Values values;
    values.name = QStringLiteral("Smith, Ann");
    values.beginningDate = QStringLiteral("January 01, 2013");
    values.beginningWeight = QStringLiteral("200");
    values.goalWeight = QStringLiteral("150");
    values.daysPerWeek = QStringLiteral("3");
    values.timePerPeriod = QStringLiteral("45 minutes");
    values.exerciseTypes = QStringLiteral("Walking, swimming");
    values.beginningPictureDate = QStringLiteral("January 01, 2013");
    values.currentPictureDate = QStringLiteral("June 01, 2013");
    values.printed = QDate(2013, 2, 20);
    QList<WeighIn> log;
    for (int i = 0; i < count; ++i)
        log.append({ weekDate(i), QString::number(200 - 0.5 * i) });
    while (log.size() < gridRows - 1)
        log.append(WeighIn());
    values.rows = WeightReport::rowsOf(log, values.beginningWeight);
    return values;
}

QImage filled(QSize size, Qt::GlobalColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

Options only(bool graph, bool plan, bool table)
{
    Options options;
    options.printGraph = graph;
    options.planInformation = plan;
    options.weightTrackerData = table;
    return options;
}

// One printed line of the weigh-in table: its four cells (empty where
// nothing was printed), which of them are bold, its page and baseline.
struct TableLine {
    QStringList cells { QString(), QString(), QString(), QString() };
    QList<bool> bold { false, false, false, false };
    int page = 0;
    qreal baseline = 0;
};

// The table's lines, headings left out, in print order.
QList<TableLine> tableLines(const PrintDocument& document)
{
    const qreal width = document.pageWidth();
    const qreal centres[4] { width / 5.3, width / 2.74, width / 1.8, width / 1.3 };
    QList<TableLine> lines;
    for (int page = 0; page < document.pageCount(); ++page) {
        QMap<qreal, TableLine> onPage;
        for (const PrintText& text : itemsOf<PrintText>(document, page)) {
            for (int c = 0; c < 4; ++c) {
                if (qAbs(text.baseline.x() + text.width / 2 - centres[c]) > 0.5
                    || Headings.contains(text.text))
                    continue;
                TableLine& line = onPage[text.baseline.y()];
                line.cells[c] = text.text;
                line.bold[c] = text.font.bold();
                line.page = page;
                line.baseline = text.baseline.y();
            }
        }
        for (const TableLine& line : std::as_const(onPage)) {
            // A centred heading ("Smith, Ann") may sit on a column by chance.
            if (!line.cells[0].isEmpty() || !line.cells[1].isEmpty())
                lines.append(line);
        }
    }
    return lines;
}

} // namespace

TEST_F(WeightReportTest, HeaderBlockOpensEveryPageWithTheGoalInBlue)
{
    for (const QPageLayout& layout : { Portrait, Landscape }) {
        Values values = individual(70, 80);
        values.goalReached = true;
        const PrintDocument document = WeightReport::build(values, Options(), layout, PrintFont());
        ASSERT_GE(document.pageCount(), 3);
        const qreal rightEdge = document.pageWidth() - (document.landscape() ? 320 : 240);
        for (int page = 0; page < document.pageCount(); ++page) {
            EXPECT_EQ(document.texts(page).mid(0, 7),
                (QStringList { "Smith, Ann", "GOAL WEIGHT ACHIEVED", "Weight Tracker Printout",
                    "Printed: Wednesday, February 20, 2013", "Beginning Date:  January 01, 2013",
                    "Beginning Weight: 200", "Goal Weight: 150" }))
                << page;
            const QList<PrintText> header = itemsOf<PrintText>(document, page).mid(0, 7);
            ASSERT_EQ(header.size(), 7);
            EXPECT_TRUE(header[0].font.bold());
            EXPECT_NEAR(
                header[0].baseline.x() + header[0].width / 2, document.pageWidth() / 2, 0.5);
            EXPECT_EQ(header[1].colour, Blue);
            EXPECT_TRUE(header[1].font.underline());
            EXPECT_EQ(header[2].colour, QColor(Qt::black));
            EXPECT_FALSE(header[2].font.underline());
            EXPECT_DOUBLE_EQ(header[2].baseline.x(), 200);
            EXPECT_NEAR(header[3].baseline.x() + header[3].width, rightEdge, 0.01);
            EXPECT_EQ(header[2].baseline.y(), header[3].baseline.y());
            EXPECT_DOUBLE_EQ(header[5].baseline.x(), 200);
            EXPECT_NEAR(header[6].baseline.x() + header[6].width, rightEdge, 0.01);
        }
    }
}

TEST_F(WeightReportTest, EmptyValuesPrintEmptyAfterTheirCaptions)
{
    Values values;
    values.name = QStringLiteral("Cy");
    values.printed = QDate(2013, 2, 20);
    const PrintDocument document
        = WeightReport::build(values, only(false, false, true), Portrait, PrintFont());
    EXPECT_EQ(document.texts(0).mid(0, 6),
        (QStringList { "Cy", "Weight Tracker Printout", "Printed: Wednesday, February 20, 2013",
            "Beginning Date:  ", "Beginning Weight: ", "Goal Weight: " }));
    EXPECT_EQ(document.title(), QStringLiteral("Cy Weight Tracker Printout"));
}

TEST_F(WeightReportTest, ATableRunningOntoPageTwoRepeatsHeaderTitleAndHeadings)
{
    const PrintDocument document
        = WeightReport::build(individual(60, 70), only(false, false, true), Portrait, PrintFont());
    ASSERT_EQ(document.pageCount(), 2);
    EXPECT_TRUE(document.texts(0).contains(QStringLiteral("Weight Tracker Data")));
    const QStringList second = document.texts(1);
    const qsizetype title = second.indexOf(QStringLiteral("Weight Tracker Data - Page 2"));
    ASSERT_EQ(title, 6) << second.join('|').toStdString();
    EXPECT_EQ(second.mid(title + 1, 8), Headings);
    const PrintText weighIn = *textOn(document, 1, QStringLiteral("Weigh In"));
    EXPECT_TRUE(weighIn.font.bold());
    EXPECT_TRUE(weighIn.font.underline());
    EXPECT_FALSE(textOn(document, 1, QStringLiteral("Date of"))->font.underline());

    QStringList expected;
    for (int i = 0; i < 60; ++i)
        expected.append(weekDate(i));
    QStringList printed;
    for (const TableLine& line : tableLines(document))
        printed.append(line.cells[0]);
    EXPECT_EQ(printed, expected);
    expectOnTheSheet(document, "60 rows");
}

TEST_F(WeightReportTest, RowsWithoutDateAndWeightAreSkippedAndNoPageHoldsHeadingsAlone)
{
    struct Case {
        int weighIns;
        int gridRows;
        int printedRows;
        int pages;
    };
    // Page 1 holds 39 rows; empty rows after the last weigh-in open no page.
    const Case cases[] {
        { 2, 50, 2, 1 },
        { 0, 50, 0, 1 },
        { 39, 500, 39, 1 },
        { 40, 500, 40, 2 },
    };
    for (const Case& c : cases) {
        const PrintDocument document = WeightReport::build(
            individual(c.weighIns, c.gridRows), only(false, false, true), Portrait, PrintFont());
        EXPECT_EQ(tableLines(document).size(), c.printedRows) << c.weighIns;
        EXPECT_EQ(document.pageCount(), c.pages) << c.weighIns;
    }

    // A row with only a date or only a weight is printed.
    Values values = individual(3);
    values.rows[1].weight.clear();
    values.rows[2].date.clear();
    const QList<TableLine> lines
        = tableLines(WeightReport::build(values, only(false, false, true), Portrait, PrintFont()));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[1].cells[1], QString());
    EXPECT_EQ(lines[2].cells[0], QString());
}

TEST_F(WeightReportTest, CellsPrintUnderTheLogsFormatWithLossesInBold)
{
    Values values = individual(0);
    const QList<WeighIn> log { { weekDate(0), QStringLiteral("183") },
        { weekDate(1), QStringLiteral("182.5") }, { weekDate(2), QStringLiteral("184") },
        { QStringLiteral(" ") + weekDate(3) + QStringLiteral(" "), QStringLiteral("abc") } };
    values.beginningWeight = QStringLiteral("183");
    values.rows = WeightReport::rowsOf(log, values.beginningWeight);
    const QList<TableLine> lines
        = tableLines(WeightReport::build(values, only(false, false, true), Portrait, PrintFont()));
    ASSERT_EQ(lines.size(), 4);
    const QStringList cells[4] {
        { weekDate(0), "183.", "N/A", "." },
        { weekDate(1), "182.5", "-.5", "-.5" },
        { weekDate(2), "184.", "1.5", "1." },
        { weekDate(3), "abc", "", "" },
    };
    const QList<bool> bold[4] {
        { false, false, false, false },
        { false, false, true, true },
        { false, false, false, false },
        { false, false, false, false },
    };
    for (int r = 0; r < 4; ++r) {
        EXPECT_EQ(lines[r].cells, cells[r]) << r;
        EXPECT_EQ(lines[r].bold, bold[r]) << r;
    }
}

TEST_F(WeightReportTest, DividerLinesFollowEveryFifthPrintedRowButNotTheLast)
{
    struct Case {
        int weighIns;
        QList<int> rowsFollowedByALine;
    };
    const Case cases[] { { 17, { 5, 10, 15 } }, { 15, { 5, 10 } }, { 4, {} } };
    for (const Case& c : cases) {
        Options options = only(false, false, true);
        options.dividerLines = true;
        const PrintDocument document
            = WeightReport::build(individual(c.weighIns), options, Portrait, PrintFont());
        const QList<TableLine> lines = tableLines(document);
        const QList<PrintLine> rules = itemsOf<PrintLine>(document, 0);
        QList<int> followed;
        for (qsizetype r = 0; r < lines.size(); ++r) {
            const qreal next = r + 1 < lines.size() ? lines[r + 1].baseline : 1e9;
            for (const PrintLine& rule : rules) {
                if (rule.line.y1() > lines[r].baseline && rule.line.y1() < next) {
                    followed.append(int(r) + 1);
                    EXPECT_EQ(rule.line.x2(), document.pageWidth() - 2);
                }
            }
        }
        EXPECT_EQ(followed, c.rowsFollowedByALine) << c.weighIns;
    }
}

TEST_F(WeightReportTest, TheGraphBoxHoldsThisRunsGraphBelowTheHeader)
{
    struct Case {
        QPageLayout layout;
        QRectF box;
    };
    const Case cases[] {
        { Portrait, QRectF(0.07 * 1440, 0, 7.9 * 1440, 6000) },
        { Landscape, QRectF(0.3 * 1440, 0, 9.9 * 1440, 7200) },
    };
    for (const Case& c : cases) {
        Values values = individual(3);
        values.graph = filled(QSize(960, 640), Qt::green);
        const PrintDocument document
            = WeightReport::build(values, only(true, false, false), c.layout, PrintFont());
        const QList<PrintPicture> pictures = itemsOf<PrintPicture>(document, 0);
        ASSERT_EQ(pictures.size(), 1);
        const PrintPicture graph = pictures.first();
        EXPECT_EQ(graph.box.left(), c.box.left());
        EXPECT_EQ(graph.box.size(), c.box.size());
        // Below the header's last line, which the picture must not cover.
        const PrintText lastHeaderLine = *textOn(document, 0, QStringLiteral("Goal Weight: 150"));
        EXPECT_GT(graph.box.top(), lastHeaderLine.baseline.y());
        EXPECT_LT(graph.box.top(), lastHeaderLine.baseline.y() + 400);
        EXPECT_EQ(graph.image.pixelColor(0, 0), QColor(Qt::green));

        // A failed export prints an empty box, never an older picture.
        values.graph = QImage();
        const PrintDocument empty
            = WeightReport::build(values, only(true, false, false), c.layout, PrintFont());
        EXPECT_TRUE(itemsOf<PrintPicture>(empty, 0).first().target().isEmpty());
    }
}

TEST_F(WeightReportTest, PlanSectionPrintsItsFieldsAndComments)
{
    Values values = individual(3);
    values.comments = QStringLiteral("Knee hurts on stairs.\r\nSwim instead.");
    const PrintDocument document
        = WeightReport::build(values, only(false, true, false), Portrait, PrintFont());
    const QStringList texts = document.texts(0);
    const qsizetype title = texts.indexOf(QStringLiteral("Exercise Plan and Information"));
    ASSERT_GT(title, 0);
    EXPECT_EQ(texts.mid(title + 1),
        (QStringList { "Exercise Plan:", "   Average Number of Days Per Week: 3",
            "   Average Time Per Exercise Period: 45 minutes",
            "   Types of Exercise: Walking, swimming", "Additional Comments",
            "Knee hurts on stairs.", "Swim instead." }));
    EXPECT_TRUE(textOn(document, 0, QStringLiteral("Exercise Plan:"))->font.bold());
    EXPECT_EQ(textOn(document, 0, QStringLiteral("Exercise Plan:"))->baseline.x(), 300);
    EXPECT_FALSE(textOn(document, 0, QStringLiteral("Swim instead."))->font.bold());
    EXPECT_EQ(textOn(document, 0, QStringLiteral("Swim instead."))->baseline.x(), 600);

    // Blank comments print no heading.
    values.comments = QStringLiteral("  \r\n ");
    EXPECT_FALSE(WeightReport::build(values, only(false, true, false), Portrait, PrintFont())
                     .texts(0)
                     .contains(QStringLiteral("Additional Comments")));
}

TEST_F(WeightReportTest, PicturesTakeTheirBoxesAndTheTableStartsBelowThem)
{
    constexpr qreal Inch = 1440;
    struct Case {
        const char* name;
        bool beginning;
        bool current;
        QPageLayout layout;
        QStringList captions;
        QList<QRectF> boxes; // tops taken from the first box
    };
    const Case cases[] {
        { "beginning, portrait", true, false, Portrait, { "Beginning Photo: January 01, 2013" },
            { QRectF(2.125 * Inch, 0, 4 * Inch, 2 * Inch) } },
        { "current, landscape", false, true, Landscape, { "Current Photo: June 01, 2013" },
            { QRectF(3.6 * Inch, 0, 3.3 * Inch, 2.35 * Inch) } },
        { "both, portrait", true, true, Portrait,
            { "Beginning Photo: January 01, 2013", "Current Photo: June 01, 2013" },
            { QRectF(0.125 * Inch, 0, 4 * Inch, 2 * Inch),
                QRectF(3.9 * Inch, 0, 4 * Inch, 2 * Inch) } },
        { "both, landscape", true, true, Landscape,
            { "Beginning Photo: January 01, 2013", "Current Photo: June 01, 2013" },
            { QRectF(1.15 * Inch, 0, 3.3 * Inch, 2.3 * Inch),
                QRectF(5.8 * Inch, 0, 3.3 * Inch, 2.3 * Inch) } },
    };
    for (const Case& c : cases) {
        Values values = individual(5);
        values.beginningPicture = filled(QSize(400, 300), Qt::red);
        values.currentPicture = filled(QSize(300, 400), Qt::blue);
        Options options = only(true, true, true);
        options.beginningPicture = c.beginning;
        options.currentPicture = c.current;
        const PrintDocument document = WeightReport::build(values, options, c.layout, PrintFont());

        int page = -1;
        for (int p = 0; p < document.pageCount() && page < 0; ++p) {
            if (document.texts(p).contains(QStringLiteral("Beginning and Current Photos")))
                page = p;
        }
        ASSERT_GE(page, 0) << c.name;
        QList<PrintPicture> pictures = itemsOf<PrintPicture>(document, page);
        if (page == 0)
            pictures.removeFirst(); // the graph
        ASSERT_EQ(pictures.size(), c.boxes.size()) << c.name;
        qreal bottom = 0;
        for (qsizetype i = 0; i < pictures.size(); ++i) {
            EXPECT_EQ(pictures[i].box.left(), c.boxes[i].left()) << c.name;
            EXPECT_EQ(pictures[i].box.size(), c.boxes[i].size()) << c.name;
            EXPECT_EQ(pictures[i].box.top(), pictures[0].box.top()) << c.name;
            bottom = pictures[i].box.bottom();
        }
        const bool shownBeginning = pictures[0].image.pixelColor(0, 0) == QColor(Qt::red);
        EXPECT_EQ(shownBeginning, c.beginning) << c.name;
        for (const QString& caption : c.captions) {
            const std::optional<PrintText> text = textOn(document, page, caption);
            ASSERT_TRUE(text) << c.name << " " << caption.toStdString();
            EXPECT_LT(text->baseline.y(), pictures[0].box.top()) << c.name;
        }
        if (c.captions.size() == 2) {
            const PrintText left = *textOn(document, page, c.captions[0]);
            const PrintText right = *textOn(document, page, c.captions[1]);
            EXPECT_NEAR(left.baseline.x() + left.width / 2, document.pageWidth() / 3.84, 0.01);
            EXPECT_NEAR(right.baseline.x() + right.width / 2, document.pageWidth() / 1.4, 0.01);
            EXPECT_EQ(left.baseline.y(), right.baseline.y());
        }
        const QList<TableLine> lines = tableLines(document);
        ASSERT_FALSE(lines.isEmpty());
        if (lines.first().page == page) {
            EXPECT_GT(lines.first().baseline, bottom) << c.name;
        }
        expectOnTheSheet(document, c.name);
    }
}

TEST_F(WeightReportTest, NothingRunsOffTheSheet)
{
    // A long plan, 1000 characters of comments, both pictures and 60
    // weigh-ins, in every size from the smallest to the largest font.
    Values values = individual(60);
    values.exerciseTypes = QStringLiteral("Brisk walking around the park, ").repeated(3).left(100);
    values.comments = QStringLiteral("Felt strong today, ate well, slept badly. ").repeated(24);
    values.graph = filled(QSize(960, 640), Qt::green);
    values.beginningPicture = filled(QSize(640, 480), Qt::red);
    values.currentPicture = filled(QSize(480, 640), Qt::blue);
    Options options;
    options.beginningPicture = true;
    options.currentPicture = true;
    options.borderLines = true;
    options.dividerLines = true;
    for (const QPageLayout& layout : { Portrait, Landscape }) {
        for (double points : { 4.0, 10.5, 14.0, 22.0, 30.0 }) {
            PrintFont font;
            font.points = points;
            const PrintDocument document = WeightReport::build(values, options, layout, font);
            const std::string what
                = (layout.orientation() == QPageLayout::Landscape ? std::string("landscape ")
                                                                  : std::string("portrait "))
                + std::to_string(points);
            expectOnTheSheet(document, what);
            // Text lines end on the sheet too.
            for (int page = 0; page < document.pageCount(); ++page) {
                for (const PrintText& text : itemsOf<PrintText>(document, page))
                    EXPECT_LE(text.baseline.y() + QFontMetricsF(text.font).descent(),
                        document.pageHeight() + 0.5)
                        << what << " " << text.text.toStdString();
            }
            EXPECT_EQ(tableLines(document).size(), 60) << what;
            // A comment cut by a page goes on after the next page's header,
            // and no heading is left alone at a page's foot.
            for (int page = 0; page < document.pageCount(); ++page) {
                const QStringList texts = document.texts(page);
                EXPECT_EQ(texts.first(), QStringLiteral("Smith, Ann")) << what;
                EXPECT_NE(texts.last(), QStringLiteral("Additional Comments")) << what;
            }
        }
    }
}

TEST_F(WeightReportTest, BorderLinesFrameEveryPage)
{
    Options options = only(false, false, true);
    options.borderLines = true;
    const PrintDocument document
        = WeightReport::build(individual(60), options, Portrait, PrintFont());
    ASSERT_EQ(document.pageCount(), 2);
    const QList<TableLine> lines = tableLines(document);
    for (int page = 0; page < 2; ++page) {
        const QList<PrintRectangle> frames = itemsOf<PrintRectangle>(document, page);
        ASSERT_EQ(frames.size(), 1) << page;
        EXPECT_EQ(frames[0].rect.left(), 0);
        EXPECT_EQ(frames[0].rect.top(), 100);
        EXPECT_EQ(frames[0].rect.right(), document.pageWidth());
        EXPECT_LE(frames[0].rect.bottom(), document.pageHeight());
        // Around the page's last row.
        qreal lastRow = 0;
        for (const TableLine& line : lines) {
            if (line.page == page)
                lastRow = line.baseline;
        }
        EXPECT_GT(frames[0].rect.bottom(), lastRow) << page;
    }
}

TEST_F(WeightReportTest, ThePdfShowsTheReportWhereItWasLaidOut)
{
    TemporaryProgramFolder folder;
    const QString path = folder.filePath(QStringLiteral("report.pdf"));
    Values values = individual(60);
    values.graph = filled(QSize(960, 640), Qt::green);
    const PrintDocument document = WeightReport::build(values, Options(), Portrait, PrintFont());
    ASSERT_TRUE(PdfFile::save(document, path));

    const PdfInspection pdf(path);
    ASSERT_EQ(pdf.pageCount(), document.pageCount());
    EXPECT_EQ(pdf.info(QStringLiteral("Page size")), QStringLiteral("612 x 792 pts (letter)"));
    const QStringList fonts = pdf.fonts();
    EXPECT_EQ(QSet<QString>(fonts.begin(), fonts.end()),
        (QSet<QString> {
            QStringLiteral("LiberationSerif-Bold"), QStringLiteral("LiberationSerif") }));
    EXPECT_NEAR(pdf.find(0, QStringLiteral("Weight Tracker Printout"))->left(), 10, 0.05);
    const std::optional<QRectF> printed
        = pdf.find(0, QStringLiteral("Printed: Wednesday, February 20, 2013"));
    ASSERT_TRUE(printed);
    EXPECT_NEAR(printed->right(), (12240 - 240) / 20.0, 1);
    const int last = pdf.pageCount() - 1;
    EXPECT_TRUE(pdf.find(last, QStringLiteral("Weight Tracker Data - Page %1").arg(last + 1)));
    const std::optional<QRectF> date = pdf.find(last, weekDate(59));
    ASSERT_TRUE(date);
    EXPECT_NEAR(date->center().x(), 12240 / 5.3 / 20, 1);

    // The graph fills its box's height on the first page.
    const QImage page = QImage::fromData(pdf.pagePng(0, 72));
    const QRectF graph = itemsOf<PrintPicture>(document, 0).first().target();
    const QPoint middle = (graph.center() / 20).toPoint();
    auto isGreen
        = [](QRgb pixel) { return qGreen(pixel) > 230 && qRed(pixel) < 30 && qBlue(pixel) < 30; };
    EXPECT_TRUE(isGreen(page.pixel(middle)));
    EXPECT_FALSE(isGreen(page.pixel(middle.x(), int(graph.top() / 20) - 3)));
}
