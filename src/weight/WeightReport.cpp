#include "WeightReport.h"

#include "print/PrintDocumentBuilder.h"
#include "storage/NumberText.h"
#include "weight/ProgressStatistics.h"

#include <QLocale>

namespace {

constexpr qreal Inch = PrintDocument::TwipsPerInch;
const QColor GoalColour(0, 0, 255);

// Where the graph and the pictures go, portrait and landscape.
struct Box {
    qreal left;
    qreal width;
    qreal height;
};
constexpr Box PortraitGraph { 0.07 * Inch, 7.9 * Inch, 6000 };
constexpr Box LandscapeGraph { 0.3 * Inch, 9.9 * Inch, 7200 };
constexpr qreal PortraitGraphAdvance = 6100;
constexpr qreal LandscapeGraphAdvance = 7400;

constexpr Box PortraitPicture { 2.125 * Inch, 4 * Inch, 2 * Inch };
constexpr Box LandscapeBeginningPicture { 3.6 * Inch, 3.3 * Inch, 2.3 * Inch };
constexpr Box LandscapeCurrentPicture { 3.6 * Inch, 3.3 * Inch, 2.35 * Inch };
constexpr qreal PortraitPairLefts[2] { 0.125 * Inch, 3.9 * Inch };
constexpr qreal LandscapePairLefts[2] { 1.15 * Inch, 5.8 * Inch };
constexpr Box PortraitPairPicture { 0, 4 * Inch, 2 * Inch };
constexpr Box LandscapePairPicture { 0, 3.3 * Inch, 2.3 * Inch };

constexpr qreal LeftTextX = 200;
constexpr qreal PlanIndent = 300;
constexpr qreal CommentsIndent = 600;
constexpr qreal TitleRuleWidth = 15;
constexpr qreal FrameTop = 100;

bool isNegative(const QString& text)
{
    return NumberText::leadingNumber(text) < 0;
}

} // namespace

namespace {

QList<WeightReport::Row> rowsWith(
    const QList<WeighIn>& log, const QList<ProgressStatistics::DerivedRow>& derived)
{
    QList<WeightReport::Row> rows;
    for (qsizetype i = 0; i < log.size(); ++i)
        rows.append(WeightReport::Row {
            log[i].date, log[i].weight, derived[i].change.text, derived[i].difference.text });
    return rows;
}

} // namespace

QList<WeightReport::Row> WeightReport::rowsOf(
    const QList<WeighIn>& log, const QString& beginningWeight)
{
    QList<ProgressStatistics::DerivedRow> derived;
    ProgressStatistics::RecomputeDerivedColumns(log, beginningWeight, derived);
    return rowsWith(log, derived);
}

WeightReport::Values WeightReport::valuesOf(const WeightFile& file)
{
    Values values;
    values.name = file.name;
    values.beginningDate = file.beginningDate;
    values.beginningWeight = file.beginningWeight;
    values.goalWeight = file.goalWeight;
    values.daysPerWeek = file.exerciseDaysPerWeek;
    values.timePerPeriod = file.exerciseTimePerPeriod;
    values.exerciseTypes = file.exerciseTypes;
    values.comments = file.comments;
    // As the screen shows them once the individual is selected.
    values.beginningPictureDate = WeightFile::shownPictureDate(file.beginningPictureDate);
    values.currentPictureDate = WeightFile::shownPictureDate(file.currentPictureDate);
    QList<WeighIn> log;
    for (int row = 1; row < file.storedRowCount(); ++row)
        log.append(file.row(row));
    QList<ProgressStatistics::DerivedRow> derived;
    ProgressStatistics::RecomputeDerivedColumns(log, file.beginningWeight, derived);
    values.rows = rowsWith(log, derived);
    values.goalReached
        = ProgressStatistics::UpdateTrendAndGoal(log, derived, file.goalWeight).goalMessageShown();
    return values;
}

PrintDocument WeightReport::build(
    const Values& values, const Options& options, const QPageLayout& layout, const PrintFont& font)
{
    PrintDocumentBuilder builder(layout, PrintDocument::titleFor(values.name, Title));
    WeightReport report(values, options, builder, font);
    report.headerBlock();
    if (options.printGraph)
        report.graphSection();
    if (options.planInformation)
        report.planSection();
    if (options.weightTrackerData)
        report.weighInTable();
    return builder.takeDocument();
}

WeightReport::WeightReport(const Values& values, const Options& options,
    PrintDocumentBuilder& builder, const PrintFont& font)
    : m_values(values)
    , m_options(options)
    , m_builder(builder)
    , m_font(font)
    , m_width(builder.pageWidth())
    , m_height(builder.pageHeight())
{
    m_font.colour = values.textColour;
}

qreal WeightReport::rightGap() const
{
    return m_builder.landscape() ? 320 : 240;
}

qreal WeightReport::planBottom() const
{
    return m_height - (m_builder.landscape() ? 620 : 320);
}

void WeightReport::applyFont(bool bold)
{
    PrintFont font = m_font;
    font.bold = bold;
    m_builder.setFont(font);
}

void WeightReport::headerBlock()
{
    // A small gap at the top of the sheet.
    m_builder.setFont(m_font);
    m_builder.setFontSize(6);
    m_builder.newLine();
    applyFont(true);
    m_builder.printCentred(m_values.name);
    if (m_values.goalReached) {
        m_builder.setTextColour(GoalColour);
        m_builder.setUnderline(true);
        m_builder.printCentred(QStringLiteral("GOAL WEIGHT ACHIEVED"));
        m_builder.setUnderline(m_font.underline);
        m_builder.setTextColour(m_font.colour);
    }
    const qreal right = m_width - rightGap();
    m_builder.textAt(LeftTextX, Title);
    m_builder.textEndingAt(right,
        QStringLiteral("Printed: ") + QLocale().toString(m_values.printed, QLocale::LongFormat));
    m_builder.newLine();
    m_builder.printCentred(
        QStringLiteral("Beginning Date: ") + QLatin1Char(' ') + m_values.beginningDate);
    m_builder.textAt(LeftTextX, QStringLiteral("Beginning Weight: ") + m_values.beginningWeight);
    m_builder.textEndingAt(right, QStringLiteral("Goal Weight: ") + m_values.goalWeight);
    m_builder.newLine();
    applyFont(m_font.bold);
}

void WeightReport::frame(qreal bottom)
{
    // A frame reaching past the sheet would lose its lower edge.
    m_builder.rectangle(0, FrameTop, m_width, qMin(bottom, m_height));
}

void WeightReport::newPage()
{
    if (m_options.borderLines)
        frame(m_builder.y() + 100);
    m_builder.newPage();
    headerBlock();
}

void WeightReport::graphSection()
{
    const bool landscape = m_builder.landscape();
    const Box box = landscape ? LandscapeGraph : PortraitGraph;
    // The box starts at the position, not above it: the exported chart has
    // no blank band at its top, and an opaque picture laid over the header
    // would hide its last lines.
    if (m_builder.y() + box.height > m_height)
        newPage();
    const qreal top = m_builder.y();
    m_builder.picture(m_values.graph, QRectF(box.left, top, box.width, box.height));
    m_builder.setY(top + (landscape ? LandscapeGraphAdvance : PortraitGraphAdvance));
}

void WeightReport::planSection()
{
    if (m_builder.y() > m_height - 1800)
        newPage();
    m_builder.setPenWidth(TitleRuleWidth);
    m_builder.line(0, m_builder.y(), m_width, m_builder.y());
    m_builder.moveDown(10);
    applyFont(true);
    m_builder.printCentred(QStringLiteral("Exercise Plan and Information"));
    applyFont(m_font.bold);
    m_builder.line(0, m_builder.y(), m_width - 2, m_builder.y());
    m_builder.newLine();

    // Long plan texts and comments go on below a new page's header block
    // instead of running off the sheet.
    m_builder.setPageFullHandler(planBottom(), [this] { newPage(); });
    applyFont(true);
    m_builder.setIndents(PlanIndent, PlanIndent);
    m_builder.paragraph(QStringLiteral("Exercise Plan:"));
    applyFont(m_font.bold);
    const QString fields[3][2] {
        { QStringLiteral("Average Number of Days Per Week:"), m_values.daysPerWeek },
        { QStringLiteral("Average Time Per Exercise Period:"), m_values.timePerPeriod },
        { QStringLiteral("Types of Exercise:"), m_values.exerciseTypes },
    };
    for (const auto& field : fields) {
        m_builder.paragraph(QStringLiteral("   ") + field[0] + QLatin1Char(' ') + field[1]);
        if (m_builder.y() > planBottom())
            newPage();
    }

    if (!m_values.comments.trimmed().isEmpty()) {
        // The heading goes with the comments' first line.
        if (m_builder.y() + 2 * m_builder.lineSpacing() > planBottom())
            newPage();
        applyFont(true);
        m_builder.paragraph(QStringLiteral("Additional Comments"));
        applyFont(m_font.bold);
        m_builder.setIndents(CommentsIndent, CommentsIndent);
        m_builder.paragraph(m_values.comments);
        m_builder.setIndents(0, 0);
        m_builder.newLine();
    }
    m_builder.setPageFullHandler(0, nullptr);
    m_builder.setIndents(0, 0);

    if (m_options.beginningPicture || m_options.currentPicture) {
        if (m_builder.y() > m_height - 3400)
            newPage();
        applyFont(true);
        m_builder.setIndents(PlanIndent, 0);
        if (m_builder.landscape())
            m_builder.newLine();
        m_builder.printLine(QStringLiteral("Beginning and Current Photos"));
        m_builder.setIndents(0, 0);
        applyFont(m_font.bold);
        pictures();
    }
    if (m_options.borderLines)
        frame(m_builder.y() + 50);
}

void WeightReport::pictures()
{
    const bool landscape = m_builder.landscape();
    const bool both = m_options.beginningPicture && m_options.currentPicture;
    const qreal boxHeight = both ? (landscape ? LandscapePairPicture : PortraitPairPicture).height
        : m_options.currentPicture && landscape ? LandscapeCurrentPicture.height
        : landscape                             ? LandscapeBeginningPicture.height
                                                : PortraitPicture.height;
    // The caption and the boxes start a new page together when they would
    // pass the sheet's lower edge.
    if (m_builder.y() > m_height - 1800
        || m_builder.y() + m_builder.lineSpacing() + boxHeight > m_height - 320)
        newPage();

    const QString beginningCaption
        = QStringLiteral("Beginning Photo: ") + m_values.beginningPictureDate;
    const QString currentCaption = QStringLiteral("Current Photo: ") + m_values.currentPictureDate;
    qreal bottom = m_builder.y();
    if (both) {
        m_builder.textCentredOn(m_width / 3.84, beginningCaption);
        m_builder.textCentredOn(m_width / 1.4, currentCaption);
        m_builder.newLine();
        const Box box = landscape ? LandscapePairPicture : PortraitPairPicture;
        const qreal* lefts = landscape ? LandscapePairLefts : PortraitPairLefts;
        const qreal top = m_builder.y();
        m_builder.picture(m_values.beginningPicture, QRectF(lefts[0], top, box.width, box.height));
        m_builder.picture(m_values.currentPicture, QRectF(lefts[1], top, box.width, box.height));
        bottom = top + box.height;
    } else {
        const bool beginning = m_options.beginningPicture;
        m_builder.printCentred(beginning ? beginningCaption : currentCaption);
        const Box box = !landscape ? PortraitPicture
            : beginning            ? LandscapeBeginningPicture
                                   : LandscapeCurrentPicture;
        const qreal top = m_builder.y();
        m_builder.picture(beginning ? m_values.beginningPicture : m_values.currentPicture,
            QRectF(box.left, top, box.width, box.height));
        bottom = top + box.height;
    }
    // What follows starts below the pictures, never over them.
    m_builder.setY(bottom + m_builder.lineSpacing());
}

void WeightReport::weighInTable()
{
    // The title, the headings and a first row start the table together; a
    // large font needs more room than the usual limit leaves.
    const qreal opening = 6 * m_builder.lineSpacing() + 10;
    if (m_builder.y() > m_height - (m_builder.landscape() ? 2200 : 1800)
        || m_builder.y() + opening > m_height)
        newPage();
    tableTitleBlock();
    tableHeadings();

    // A row is printed when it holds a date or a weight; breaks and dividers
    // come only between printed rows, so no page holds headings alone.
    qsizetype lastPrinted = -1;
    for (qsizetype r = 0; r < m_values.rows.size(); ++r) {
        const Row& row = m_values.rows[r];
        if (!row.date.trimmed().isEmpty() || !row.weight.trimmed().isEmpty())
            lastPrinted = r;
    }
    int printedOnPage = 0;
    for (qsizetype r = 0; r <= lastPrinted; ++r) {
        const Row& row = m_values.rows[r];
        if (row.date.trimmed().isEmpty() && row.weight.trimmed().isEmpty())
            continue;
        tableRow(row);
        ++printedOnPage;
        if (r == lastPrinted)
            break;
        if (m_options.dividerLines && printedOnPage % 5 == 0) {
            m_builder.moveDown(10);
            m_builder.line(0, m_builder.y(), m_width - 2, m_builder.y());
        }
        const qreal y = m_builder.y();
        if (y > m_height - 320 || y + m_builder.lineSpacing() > m_height) {
            newPage();
            tableTitleBlock();
            tableHeadings();
            printedOnPage = 0;
        }
    }
    if (m_options.borderLines)
        frame(m_builder.y() + 100);
    m_builder.newLine();
}

void WeightReport::tableTitleBlock()
{
    m_builder.setPenWidth(TitleRuleWidth);
    m_builder.line(0, m_builder.y(), m_width, m_builder.y());
    m_builder.moveDown(10);
    applyFont(true);
    const int page = m_builder.pageNumber();
    m_builder.printCentred(page > 1
            ? QStringLiteral("Weight Tracker Data - Page ") + QString::number(page)
            : QStringLiteral("Weight Tracker Data"));
    applyFont(m_font.bold);
    m_builder.line(0, m_builder.y(), m_width - 2, m_builder.y());
    m_builder.newLine();
}

namespace {

qreal columnCentre(qreal width, int column)
{
    static constexpr qreal Divisors[4] { 5.3, 2.74, 1.8, 1.3 };
    return width / Divisors[column];
}

} // namespace

void WeightReport::tableHeadings()
{
    const QString first[4] { QStringLiteral("Date of"), QStringLiteral("Current"),
        QStringLiteral("Change from"), QStringLiteral("Beginning Weight") };
    const QString second[4] { QStringLiteral("Weigh In"), QStringLiteral("Weight"),
        QStringLiteral("Last Entry"), QStringLiteral("Difference") };
    applyFont(true);
    for (int c = 0; c < 4; ++c)
        m_builder.textCentredOn(columnCentre(m_width, c), first[c]);
    m_builder.newLine();
    m_builder.setUnderline(true);
    for (int c = 0; c < 4; ++c)
        m_builder.textCentredOn(columnCentre(m_width, c), second[c]);
    m_builder.newLine();
    m_builder.newLine();
    applyFont(m_font.bold);
}

void WeightReport::tableRow(const Row& row)
{
    const QString cells[4] { row.date.trimmed(),
        ProgressStatistics::displayText(row.weight.trimmed()),
        ProgressStatistics::displayText(row.change.trimmed()),
        ProgressStatistics::displayText(row.difference.trimmed()) };
    const bool negative[4] { false, false, isNegative(row.change), isNegative(row.difference) };
    for (int c = 0; c < 4; ++c) {
        applyFont(negative[c]);
        m_builder.textCentredOn(columnCentre(m_width, c), cells[c]);
    }
    applyFont(m_font.bold);
    m_builder.newLine();
}
