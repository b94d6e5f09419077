#include "BloodPressureReport.h"

#include "bloodpressure/BloodPressureAverages.h"
#include "bloodpressure/BloodPressureStatistics.h"
#include "bloodpressure/BloodPressureSummaryText.h"
#include "bloodpressure/PrintEntryCount.h"
#include "print/PrintDocumentBuilder.h"
#include "storage/NumberText.h"
#include "storage/StoredDate.h"

#include <QLocale>

#include <algorithm>

namespace {

constexpr qreal Inch = PrintDocument::TwipsPerInch;
constexpr qreal HeaderTextGap = 200;
constexpr qreal FrameTop = 100;
constexpr qreal RuleWidth = 15;
// The table starts on a new page when less than this is left below the
// header and the graph, and a row is the last of its page below the other.
constexpr qreal TableStartRoom = 1400;
constexpr qreal RowRoom = 360;
constexpr int RowsBetweenDividers = 5;

const QColor AverageCaptionColour(0, 0, 128);

struct GraphBox {
    qreal left;
    qreal width;
    qreal height;
    // From the position to the box's top, and from its top to where the
    // table starts.
    qreal drop;
    qreal advance;
};
// The portrait box starts at the position rather than above it: the
// exported chart has no blank band at its top, and a picture laid over the
// header would hide its last line.
constexpr GraphBox PortraitGraph { 0.02 * Inch, 8.4 * Inch, 6000, 0, 6100 };
constexpr GraphBox LandscapeGraph { 0.01 * Inch, 10.8 * Inch, 7200, 60, 7460 };

QColor colourOf(qint32 stored)
{
    return QColor(stored & 0xFF, (stored >> 8) & 0xFF, (stored >> 16) & 0xFF);
}

const BloodPressureGuideline& ownTable()
{
    return BloodPressureGuideline::of(BloodPressureGuideline::Id::Own);
}

} // namespace

BloodPressureReport::Cell BloodPressureReport::cell(
    const QString& value, bool systolic, const BloodPressureGuideline& guideline)
{
    const QString text = value.trimmed();
    const double number = NumberText::leadingNumber(text);
    if (!(number > 0))
        return { text, Qt::black, false };
    const BloodPressureGuideline::Category& category = guideline.category(
        systolic ? guideline.ofSystolic(number) : guideline.ofDiastolic(number));
    return { text + category.mark, colourOf(category.colour), category.underlined };
}

BloodPressureReport::Cell BloodPressureReport::systolicCell(const QString& value)
{
    return cell(value, true, ownTable());
}

BloodPressureReport::Cell BloodPressureReport::diastolicCell(const QString& value)
{
    return cell(value, false, ownTable());
}

PrintDocument BloodPressureReport::build(
    const Values& values, const Options& options, const QPageLayout& layout, const PrintFont& font)
{
    PrintDocumentBuilder builder(layout, PrintDocument::titleFor(values.name, Title));
    BloodPressureReport report(values, options, builder, font);
    report.headerBlock();
    if (options.summaryPage)
        report.summaryPage();
    if (options.printGraph)
        report.graphSection();
    report.table();
    return builder.takeDocument();
}

BloodPressureReport::BloodPressureReport(const Values& values, const Options& options,
    PrintDocumentBuilder& builder, const PrintFont& font)
    : m_values(values)
    , m_options(options)
    , m_builder(builder)
    , m_font(font)
    , m_guideline(BloodPressureGuideline::of(values.guideline))
    , m_range(PrintEntryCount::printedRange(values.rows, options.entryCount))
    , m_width(builder.pageWidth())
    , m_height(builder.pageHeight())
{ }

qreal BloodPressureReport::column(int index) const
{
    static constexpr qreal Divisors[5] { 5.3, 2.74, 1.8, 1.5, 1.2 };
    return m_width / Divisors[index];
}

void BloodPressureReport::applyBodyFont(bool bold)
{
    PrintFont font = m_font;
    font.points = qMax(1.0, m_font.points - 2);
    font.bold = bold;
    m_builder.setFont(font);
}

void BloodPressureReport::headerBlock()
{
    // A small gap at the top of the sheet.
    m_builder.setFont(m_font);
    m_builder.setFontSize(6);
    m_builder.newLine();
    PrintFont nameFont = m_font;
    nameFont.bold = true;
    m_builder.setFont(nameFont);
    m_builder.printCentred(m_values.name);
    applyBodyFont(true);
    m_builder.textAt(HeaderTextGap, Title);
    m_builder.textEndingAt(m_width - HeaderTextGap,
        QStringLiteral("Printed: ") + QLocale().toString(m_values.printed, QLocale::LongFormat));
    m_builder.newLine();
    applyBodyFont(false);
}

void BloodPressureReport::frame()
{
    // A frame reaching past the sheet would lose its lower edge.
    m_builder.setPenWidth(RuleWidth);
    m_builder.rectangle(0, FrameTop, m_width, qMin(m_builder.y() + 100, m_height));
}

void BloodPressureReport::newPage()
{
    if (m_options.borderLines)
        frame();
    m_builder.newPage();
    headerBlock();
}

void BloodPressureReport::graphSection()
{
    const GraphBox box = m_builder.landscape() ? LandscapeGraph : PortraitGraph;
    // On narrower paper than the box was made for, the box keeps its
    // margin on both sides.
    const qreal width = qMin(box.width, m_width - 2 * box.left);
    const qreal top = m_builder.y() + box.drop;
    m_builder.picture(m_values.graph, QRectF(box.left, top, width, box.height));
    m_builder.setY(top + box.advance);
}

void BloodPressureReport::table()
{
    // The title, the legend, the headings and a first row start the table
    // together; a large font needs more room than the usual limit leaves.
    applyBodyFont(true);
    const qreal opening = 7 * m_builder.lineSpacing() + 80;
    if (m_builder.y() > m_height - TableStartRoom || m_builder.y() + opening > m_height)
        newPage();
    // The averages go with the table's first title, which is page 1's
    // unless the graph left no room for the table there.
    tableTitleBlock(true);

    int sinceDivider = 0;
    for (qsizetype i = 0; i < m_range.size(); ++i) {
        tableRow(m_range[i]);
        const bool last = i == m_range.size() - 1;
        const qreal y = m_builder.y();
        if (!last && (y > m_height - RowRoom || y + m_builder.lineSpacing() > m_height)) {
            newPage();
            tableTitleBlock(false);
            sinceDivider = 0;
            continue;
        }
        if (m_options.dividerLines && ++sinceDivider == RowsBetweenDividers) {
            sinceDivider = 0;
            if (!last)
                m_builder.line(0, y + 10, m_width - 2, y + 10);
        }
    }
    if (m_options.borderLines)
        frame();
    m_builder.newLine();
}

void BloodPressureReport::tableTitleBlock(bool withAverages)
{
    m_builder.setPenWidth(RuleWidth);
    if (m_options.printGraph)
        m_builder.line(0, m_builder.y(), m_width, m_builder.y());
    m_builder.moveDown(10);
    applyBodyFont(true);
    const int page = m_builder.pageNumber() - m_pagesBeforeTable;
    m_builder.printCentred(
        page > 1 ? TableTitle + QStringLiteral(" - Page ") + QString::number(page) : TableTitle);
    if (m_builder.landscape())
        m_builder.newLine();

    legend();
    m_builder.line(0, m_builder.y() + 60, m_width - 2, m_builder.y() + 60);
    m_builder.newLine();

    const QString headings[2][5] {
        { QStringLiteral("Date of"), QStringLiteral("Time of"), QStringLiteral("Systolic"),
            QStringLiteral("Diastolic"), QStringLiteral("Heart Rate") },
        { QStringLiteral("Reading"), QStringLiteral("Reading"), QStringLiteral("Upper #"),
            QStringLiteral("Lower #"), QStringLiteral("(Pulse)") },
    };
    for (int line = 0; line < 2; ++line) {
        m_builder.setUnderline(line == 1);
        for (int c = 0; c < 5; ++c)
            m_builder.textCentredOn(column(c), headings[line][c]);
        m_builder.newLine();
    }
    m_builder.setUnderline(false);
    if (withAverages)
        averagesLine();
    else
        m_builder.newLine();
    applyBodyFont(false);
}

void BloodPressureReport::legend()
{
    if (!m_guideline.isOwn()) {
        guidelineLegend();
        return;
    }
    const struct {
        qreal divisor;
        QString text;
        BloodPressureCategory::Level level;
    } legend[] {
        { 12.5, QStringLiteral("Color Legend:"), BloodPressureCategory::Normal },
        { 5.1, QStringLiteral("Normal"), BloodPressureCategory::Normal },
        { 3, QStringLiteral("Prehypertension"), BloodPressureCategory::Prehypertension },
        { 1.95, QStringLiteral("High (Stage 1)*"), BloodPressureCategory::Stage1 },
        { 1.47, QStringLiteral("High (Stage 2)**"), BloodPressureCategory::Stage2 },
        { 1.14, QStringLiteral("Hypertensive Crisis"), BloodPressureCategory::Crisis },
    };
    for (const auto& item : legend) {
        const BloodPressureCategory category(item.level);
        m_builder.setTextColour(colourOf(category.colour()));
        if (category.underlined())
            m_builder.setUnderline(true);
        m_builder.textCentredOn(m_width / item.divisor, item.text);
    }
    m_builder.newLine();
    m_builder.setTextColour(Qt::black);
    m_builder.setUnderline(false);
}

void BloodPressureReport::guidelineLegend()
{
    m_builder.setTextColour(Qt::black);
    m_builder.printCentred(QStringLiteral("Categories: ") + m_guideline.name());
    struct Item {
        QString text;
        QColor colour;
        bool underlined;
    };
    QList<Item> items { { QStringLiteral("Color Legend:"), Qt::black, false } };
    for (const BloodPressureGuideline::Category& category : m_guideline.categories())
        items.append({ category.legendText, colourOf(category.colour), category.underlined });
    if (m_guideline.marksIsolated()) {
        for (const auto& [mark, name] : { std::pair { BloodPressureGuideline::IsolatedSystolicMark,
                                              BloodPressureGuideline::IsolatedSystolicName },
                 { BloodPressureGuideline::IsolatedDiastolicMark,
                     BloodPressureGuideline::IsolatedDiastolicName } })
            items.append({ mark.trimmed() + QStringLiteral(": ") + name, Qt::black, false });
    }
    // The texts share the line in proportion to their widths.
    qreal widths = 0;
    for (const Item& item : items)
        widths += m_builder.textWidth(item.text);
    const qreal margin = HeaderTextGap;
    const qreal gap = items.size() > 1
        ? std::max(0.0, (m_width - 2 * margin - widths) / qreal(items.size() - 1))
        : 0;
    qreal x = margin;
    for (const Item& item : items) {
        m_builder.setTextColour(item.colour);
        m_builder.setUnderline(item.underlined);
        m_builder.textAt(x, item.text);
        x += m_builder.textWidth(item.text) + gap;
    }
    m_builder.newLine();
    m_builder.setTextColour(Qt::black);
    m_builder.setUnderline(false);
}

void BloodPressureReport::summaryPage()
{
    const BloodPressureStatistics statistics = BloodPressureStatistics::of(m_range, m_guideline);
    using Text = BloodPressureSummaryText;
    applyBodyFont(true);
    m_builder.moveDown(120);
    m_builder.printCentred(SummaryTitle);
    applyBodyFont(false);
    m_builder.newLine();
    const qreal left = HeaderTextGap * 4;
    const auto line = [this, left](const QString& text) {
        m_builder.textAt(left, text);
        m_builder.newLine();
    };
    line(QStringLiteral("Guideline: ") + m_guideline.name());
    line(statistics.first.isValid() ? QStringLiteral("Period: %1 to %2")
                                          .arg(StoredDate::longText(statistics.first),
                                              StoredDate::longText(statistics.last))
                                    : QStringLiteral("Period: no dated readings"));
    line(QStringLiteral("Readings: %1").arg(statistics.all.readings));
    m_builder.newLine();

    // Minimum, average and maximum in columns, averages rounded as the
    // screen rounds them.
    const qreal columns[4] { left, m_width / 2.6, m_width / 1.9, m_width / 1.5 };
    applyBodyFont(true);
    const QString headings[4] { QString(), QStringLiteral("Minimum"), QStringLiteral("Average"),
        QStringLiteral("Maximum") };
    for (int c = 1; c < 4; ++c)
        m_builder.textCentredOn(columns[c], headings[c]);
    m_builder.newLine();
    applyBodyFont(false);
    const auto number = [](const std::optional<double>& value) {
        return value ? QString::number(BloodPressureStatistics::rounded(*value))
                     : QStringLiteral("-");
    };
    const struct {
        QString name;
        const BloodPressureStatistics::Measure& measure;
    } measures[] {
        { QStringLiteral("Systolic (mm Hg)"), statistics.all.systolic },
        { QStringLiteral("Diastolic (mm Hg)"), statistics.all.diastolic },
        { QStringLiteral("Pulse"), statistics.all.pulse },
    };
    for (const auto& measure : measures) {
        m_builder.textAt(columns[0], measure.name);
        m_builder.textCentredOn(columns[1], number(measure.measure.minimum()));
        m_builder.textCentredOn(columns[2], number(measure.measure.average()));
        m_builder.textCentredOn(columns[3], number(measure.measure.maximum()));
        m_builder.newLine();
    }
    m_builder.newLine();
    line(Text::period(QStringLiteral("Morning (4:00 AM to 11:59 AM)"), statistics.morning));
    line(Text::period(QStringLiteral("Evening (6:00 PM to 11:59 PM)"), statistics.evening));
    m_builder.newLine();
    applyBodyFont(true);
    line(QStringLiteral("Home-Monitoring Week"));
    applyBodyFont(false);
    const QStringList week = Text::homeWeek(statistics);
    for (const QString& text : week)
        line(text);
    if (week.isEmpty())
        line(Text::NotEnoughDays);
    m_builder.newLine();
    summaryCategories(statistics);

    // The graph fills what is left of the page, under the key to the lines
    // the screen graph does not have.
    line(QStringLiteral("Graph: the readings with their 7-reading moving averages (systolic "
                        "in green, diastolic in purple)"));
    const qreal top = m_builder.y() + 120;
    const qreal bottom = m_height - 400;
    if (bottom - top > 1440) {
        const qreal width = qMin(8.4 * Inch, m_width - 2 * 0.02 * Inch);
        m_builder.picture(
            m_values.summaryGraph, QRectF((m_width - width) / 2, top, width, bottom - top));
    }
    if (m_options.borderLines) {
        m_builder.setY(bottom);
        frame();
    }
    m_builder.newPage();
    m_pagesBeforeTable = m_builder.pageNumber() - 1;
    headerBlock();
}

void BloodPressureReport::summaryCategories(const BloodPressureStatistics& statistics)
{
    applyBodyFont(true);
    m_builder.textAt(HeaderTextGap * 4,
        QStringLiteral("Readings in each category (%1):").arg(m_guideline.name()));
    m_builder.newLine();
    const qreal nameX = HeaderTextGap * 6;
    const qreal countX = m_width / 1.9;
    for (int i = 0; i < int(m_guideline.categories().size()); ++i) {
        const BloodPressureGuideline::Category& category = m_guideline.category(i);
        m_builder.setTextColour(colourOf(category.colour));
        m_builder.setUnderline(category.underlined);
        m_builder.textAt(nameX, category.name);
        m_builder.setUnderline(false);
        m_builder.textEndingAt(countX, QString::number(statistics.categoryCounts.value(i)));
        m_builder.newLine();
    }
    m_builder.setTextColour(Qt::black);
    if (m_guideline.marksIsolated()) {
        for (const auto& [name, count] :
            { std::pair {
                  BloodPressureGuideline::IsolatedSystolicName, statistics.isolatedSystolic },
                { BloodPressureGuideline::IsolatedDiastolicName, statistics.isolatedDiastolic } }) {
            m_builder.textAt(nameX, name + QStringLiteral(" (also in its grade)"));
            m_builder.textEndingAt(countX, QString::number(count));
            m_builder.newLine();
        }
    }
    applyBodyFont(false);
}

void BloodPressureReport::averagesLine()
{
    const BloodPressureAverages averages = BloodPressureAverages::RecomputeAverages(m_range);
    applyBodyFont(true);
    cellAt(m_width / 2.15, Cell { QStringLiteral("Average:"), AverageCaptionColour });
    cellAt(column(2), cell(BloodPressureAverages::text(averages.systolic), true, m_guideline));
    cellAt(column(3), cell(BloodPressureAverages::text(averages.diastolic), false, m_guideline));
    cellAt(column(4),
        Cell { QStringLiteral("( ") + BloodPressureAverages::text(averages.pulse)
                + QStringLiteral(" )"),
            Qt::black });
    m_builder.newLine();
}

void BloodPressureReport::cellAt(qreal x, const Cell& cell)
{
    m_builder.setTextColour(cell.colour);
    m_builder.setUnderline(cell.underlined);
    m_builder.textCentredOn(x, cell.text);
}

void BloodPressureReport::tableRow(const Reading& reading)
{
    applyBodyFont(false);
    cellAt(column(0), Cell { reading.date.trimmed(), Qt::black });
    cellAt(column(1), Cell { reading.time.trimmed(), Qt::black });
    applyBodyFont(true);
    Cell systolic = cell(reading.systolic, true, m_guideline);
    Cell diastolic = cell(reading.diastolic, false, m_guideline);
    const double systolicValue = NumberText::leadingNumber(reading.systolic.trimmed());
    const double diastolicValue = NumberText::leadingNumber(reading.diastolic.trimmed());
    if (systolicValue > 0 && diastolicValue > 0) {
        // The mark goes beside the value that is high on its own.
        if (m_guideline.isIsolatedSystolic(systolicValue, diastolicValue))
            systolic.text += BloodPressureGuideline::IsolatedSystolicMark;
        if (m_guideline.isIsolatedDiastolic(systolicValue, diastolicValue))
            diastolic.text += BloodPressureGuideline::IsolatedDiastolicMark;
    }
    cellAt(column(2), systolic);
    cellAt(column(3), diastolic);
    cellAt(column(4), Cell { reading.pulse.trimmed(), Qt::black });
    m_builder.newLine();
}
