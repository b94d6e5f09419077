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

namespace {

// One value per entry: the mean of the counted values among the entry and
// the ones before it, up to the window; 0 until a value counts.
QList<double> movingAverage(const QList<Reading>& entries, QString Reading::*value, int window)
{
    QList<double> averages;
    QList<double> recent;
    for (const Reading& reading : entries) {
        const double number = NumberText::leadingNumber((reading.*value).trimmed());
        // The screen's averages leave values below 20 out as typing slips.
        if (number >= 20) {
            recent.append(number);
            if (recent.size() > window)
                recent.removeFirst();
        }
        double sum = 0;
        for (const double counted : recent)
            sum += counted;
        averages.append(recent.isEmpty() ? 0 : sum / double(recent.size()));
    }
    return averages;
}

} // namespace

GraphData BloodPressureGraphData::summaryGraph(const QString& name, const QList<Reading>& rows)
{
    GraphData graph = screenGraph(name, rows, false);
    const QList<Reading> entries = rows.mid(0, DatedRows::count(rows));
    const qsizetype shown = graph.pointCount();
    GraphSeries systolic { QStringLiteral("Systolic 7-Reading Average"),
        movingAverage(entries, &Reading::systolic, MovingAverageReadings)
            .mid(entries.size() - shown),
        GraphSeries::colour(0, 128, 0), 3, std::nullopt };
    GraphSeries diastolic { QStringLiteral("Diastolic 7-Reading Average"),
        movingAverage(entries, &Reading::diastolic, MovingAverageReadings)
            .mid(entries.size() - shown),
        GraphSeries::colour(128, 0, 128), 3, std::nullopt };
    graph.series.append(systolic);
    graph.series.append(diastolic);
    return graph;
}

QString BloodPressureGraphData::pointLabel(const Reading& reading, bool showTime)
{
    const QString date = StoredDate::toShortText(reading.date);
    return showTime ? date + QLatin1Char('-') + reading.time.trimmed() : date;
}
