#include "bloodpressure/BloodPressureGraphData.h"

#include "storage/NumberText.h"
#include "storage/StoredDate.h"
#include "trackers/DatedRows.h"

namespace {

QString axisTitleStart(bool showTime)
{
    // Two blanks before "Readings", as the titles have always read.
    return showTime ? QStringLiteral("Date/Time Of  Readings")
                    : QStringLiteral("Date Of  Readings");
}

GraphData fill(const QString& name, const QList<Reading>& graphed, bool showTime)
{
    using Graph = BloodPressureGraphData;
    const qint32 lightBlue = GraphSeries::colour(128, 128, 255);
    const qint32 lightCyan = GraphSeries::colour(128, 255, 255);

    GraphData graph;
    graph.caption = name.trimmed() + Graph::CaptionSuffix;
    GraphSeries systolicNormal { QStringLiteral("Systolic Normal"), {}, lightBlue, 6,
        std::nullopt };
    GraphSeries systolic { QStringLiteral("Systolic Reading"), {}, GraphSeries::colour(0, 0, 192),
        2, lightCyan };
    GraphSeries diastolicNormal { QStringLiteral("Diastolic Normal"), {}, lightCyan, 6,
        std::nullopt };
    GraphSeries diastolic { QStringLiteral("Diastolic Reading"), {}, lightCyan, 2,
        GraphSeries::colour(0, 0, 255) };
    GraphSeries pulse { QStringLiteral("Pulse"), {}, GraphSeries::colour(255, 0, 0), 2,
        GraphSeries::colour(192, 0, 0) };
    for (const Reading& reading : graphed) {
        systolicNormal.values.append(Graph::SystolicNormal);
        systolic.values.append(NumberText::leadingNumber(reading.systolic.trimmed()));
        diastolicNormal.values.append(Graph::DiastolicNormal);
        diastolic.values.append(NumberText::leadingNumber(reading.diastolic.trimmed()));
        pulse.values.append(NumberText::leadingNumber(reading.pulse.trimmed()));
        graph.labels.append(Graph::pointLabel(reading, showTime));
    }
    graph.series = { systolicNormal, systolic, diastolicNormal, diastolic, pulse };
    return graph;
}

} // namespace

GraphData BloodPressureGraphData::screenGraph(
    const QString& name, const QList<Reading>& rows, bool showTime)
{
    const int entries = DatedRows::count(rows);
    GraphData graph
        = fill(name, DatedRows::rowsOf(rows, DatedRows::latest(entries, ScreenLimit)), showTime);
    graph.axisTitle = axisTitleStart(showTime);
    if (entries >= ScreenLimit)
        graph.axisTitle += QStringLiteral(" (Graph Limited to Last 50 Entries)");
    return graph;
}

bool BloodPressureGraphData::printUsesScreenGraph(int printEntryCount)
{
    return printEntryCount < 1 || printEntryCount > ScreenLimit;
}

GraphData BloodPressureGraphData::printGraph(
    const QString& name, const QList<Reading>& rows, int printEntryCount, bool showTime)
{
    const DatedRows::Span span = DatedRows::latest(DatedRows::count(rows), printEntryCount);
    GraphData graph = fill(name, DatedRows::rowsOf(rows, span), showTime);
    graph.axisTitle = axisTitleStart(showTime) + QStringLiteral(" (Displaying last ")
        + QString::number(span.count) + QStringLiteral(" entries.)");
    return graph;
}

QString BloodPressureGraphData::pointLabel(const Reading& reading, bool showTime)
{
    const QString date = StoredDate::toShortText(reading.date);
    return showTime ? date + QLatin1Char('-') + reading.time.trimmed() : date;
}
