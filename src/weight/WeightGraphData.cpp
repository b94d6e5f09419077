#include "weight/WeightGraphData.h"

#include "storage/NumberText.h"
#include "storage/StoredDate.h"
#include "trackers/DatedRows.h"

GraphData WeightGraphData::build(const QString& name, const QList<WeighIn>& rows,
    const QString& goalWeight, const QString& beginningWeight)
{
    const int entries = DatedRows::count(rows);
    const QList<WeighIn> graphed = DatedRows::rowsOf(rows, DatedRows::latest(entries, EntryLimit));
    const double goal = NumberText::leadingNumber(goalWeight);
    const double beginning = NumberText::leadingNumber(beginningWeight);

    GraphData graph;
    graph.caption = name.trimmed() + CaptionSuffix;
    graph.axisTitle = entries >= EntryLimit ? LimitedAxisTitle : AxisTitle;

    GraphSeries weights { QStringLiteral("Weight"), {}, WeightColour, 2, WeightColour };
    GraphSeries goals { QStringLiteral("Goal Weight"), {}, GoalWeightColour, 6, std::nullopt };
    GraphSeries beginnings { QStringLiteral("Beginning Weight"), {}, BeginningWeightColour, 6,
        std::nullopt };
    for (const WeighIn& weighIn : graphed) {
        weights.values.append(NumberText::leadingNumber(weighIn.weight));
        goals.values.append(goal);
        beginnings.values.append(beginning);
        graph.labels.append(StoredDate::toShortText(weighIn.date));
    }
    graph.series = { weights, goals, beginnings };
    return graph;
}
