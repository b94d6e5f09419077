#include "weight/WeightGraphData.h"

#include "storage/NumberText.h"
#include "storage/StoredDate.h"
#include "trackers/DatedRows.h"
#include "weight/WeightTrend.h"

#include <QDate>

#include <algorithm>
#include <optional>

GraphData WeightGraphData::build(const QString& name, const QList<WeighIn>& rows,
    const QString& goalWeight, const QString& beginningWeight)
{
    return build(name, rows, goalWeight, beginningWeight, Options());
}

GraphData WeightGraphData::build(const QString& name, const QList<WeighIn>& rows,
    const QString& goalWeight, const QString& beginningWeight, const Options& options)
{
    const int entries = DatedRows::count(rows);
    const DatedRows::Span span = DatedRows::latest(entries, EntryLimit);
    struct Graphed {
        int row;
        QDate date;
    };
    QList<Graphed> graphed;
    for (int row = span.first; row < span.end(); ++row)
        graphed.append({ row, StoredDate::parse(rows[row].date.trimmed()) });
    if (options.spaceByDate) {
        graphed.removeIf([](const Graphed& point) { return !point.date.isValid(); });
        std::stable_sort(graphed.begin(), graphed.end(),
            [](const Graphed& left, const Graphed& right) { return left.date < right.date; });
    }
    const double goal = NumberText::leadingNumber(goalWeight);
    const double beginning = NumberText::leadingNumber(beginningWeight);

    GraphData graph;
    graph.caption = name.trimmed() + CaptionSuffix;
    graph.axisTitle = entries >= EntryLimit ? LimitedAxisTitle : AxisTitle;
    graph.valueAxisTitle = options.valueAxisTitle;

    GraphSeries weights { QStringLiteral("Weight"), {}, WeightColour, 2, WeightColour };
    GraphSeries goals { QStringLiteral("Goal Weight"), {}, GoalWeightColour, 6, std::nullopt };
    GraphSeries beginnings { QStringLiteral("Beginning Weight"), {}, BeginningWeightColour, 6,
        std::nullopt };
    GraphSeries trendLine { QStringLiteral("Trend"), {}, TrendColour, 3, std::nullopt };
    const std::optional<WeightTrend> trend
        = options.trend ? std::optional(WeightTrend(rows)) : std::nullopt;
    std::optional<double> lastTrend;
    for (const Graphed& point : graphed) {
        const WeighIn& weighIn = rows[point.row];
        weights.values.append(NumberText::leadingNumber(weighIn.weight));
        goals.values.append(goal);
        beginnings.values.append(beginning);
        graph.labels.append(StoredDate::toShortText(weighIn.date));
        if (options.spaceByDate)
            graph.positions.append(double(graphed.first().date.daysTo(point.date)));
        if (trend) {
            // A row that takes no part in the trend (no usable weight or
            // date) holds the line where it was.
            const std::optional<double> value = trend->trendOfRow(point.row);
            if (value)
                lastTrend = value;
            trendLine.values.append(lastTrend.value_or(weights.values.last()));
        }
    }
    graph.series = { weights, goals, beginnings };
    if (trend)
        graph.series.append(trendLine);
    return graph;
}

QString WeightGraphData::valueAxisTitle(const std::optional<WeightPersonSettings::Unit>& unit)
{
    return unit ? QStringLiteral("Weight (%1)").arg(WeightPersonSettings::unitName(*unit))
                : QString();
}
