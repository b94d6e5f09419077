#include "weight/WeightGraphData.h"

#include "storage/StoredDate.h"

#include <QDate>

#include <gtest/gtest.h>

namespace {

const QDate firstDay(2012, 1, 1);

// n dated weigh-ins, row k (from 1) weighing 300 - k on day k.
QList<WeighIn> weighIns(int n)
{
    QList<WeighIn> rows;
    for (int k = 1; k <= n; ++k)
        rows.append({ StoredDate::longText(firstDay.addDays(k - 1)), QString::number(300 - k) });
    return rows;
}

TEST(WeightGraphDataTest, GraphsTheLatestFiftyWeighIns)
{
    struct Case {
        int weighIns;
        int firstRow;
        int points;
        QString axisTitle;
    };
    const Case cases[] = {
        { 0, 1, 0, "Weigh In Dates" },
        { 3, 1, 3, "Weigh In Dates" },
        { 49, 1, 49, "Weigh In Dates" },
        { 50, 1, 50, "Weigh In Dates (Graph Limited to Last 50 Entries)" },
        { 120, 71, 50, "Weigh In Dates (Graph Limited to Last 50 Entries)" },
    };
    for (const Case& c : cases) {
        QList<WeighIn> rows = weighIns(c.weighIns);
        rows.resize(rows.size() + 5); // the grid's empty rows below
        const GraphData graph = WeightGraphData::build(QStringLiteral(" Ann "), rows, "150", "200");

        EXPECT_EQ(graph.axisTitle, c.axisTitle) << c.weighIns;
        ASSERT_EQ(graph.pointCount(), c.points) << c.weighIns;
        ASSERT_EQ(graph.series.size(), 3);
        for (const GraphSeries& series : graph.series)
            EXPECT_EQ(series.values.size(), c.points) << c.weighIns;
        if (c.points == 0)
            continue;
        EXPECT_EQ(graph.labels.first(), StoredDate::shortText(firstDay.addDays(c.firstRow - 1)));
        EXPECT_EQ(graph.series[0].values.first(), 300 - c.firstRow);
        EXPECT_EQ(graph.labels.last(), StoredDate::shortText(firstDay.addDays(c.weighIns - 1)));
        EXPECT_EQ(graph.series[0].values.last(), 300 - c.weighIns);
    }
}

TEST(WeightGraphDataTest, StopsAtTheFirstUndatedRow)
{
    QList<WeighIn> rows = weighIns(10);
    rows[2].date.clear();
    const GraphData graph = WeightGraphData::build(QStringLiteral("Ann"), rows, "150", "200");
    EXPECT_EQ(graph.labels, (QStringList { "Jan-01-12", "Jan-02-12" }));
}

TEST(WeightGraphDataTest, GoalAndBeginningAreFlatLinesInTheLegendColours)
{
    const GraphData graph
        = WeightGraphData::build(QStringLiteral("Ann"), weighIns(4), "150", " 200 ");
    EXPECT_EQ(graph.series[1].values, QList<double>(4, 150));
    EXPECT_EQ(graph.series[2].values, QList<double>(4, 200));
    EXPECT_EQ(graph.series[1].lineColour, 128 | 255 << 8 | 255 << 16);
    EXPECT_EQ(graph.series[2].lineColour, 128 | 128 << 8 | 255 << 16);
    EXPECT_EQ(graph.caption, QStringLiteral("Ann Weight Tracker Graph"));
}

TEST(WeightGraphDataTest, PointsReadTheLeadingNumberAndKeepOddDates)
{
    const QList<WeighIn> rows = {
        { QStringLiteral("February 20, 2013"), QStringLiteral("180,5") },
        { QStringLiteral("sometime"), QString() },
        { QStringLiteral("March 05, 2013"), QStringLiteral("abc") },
    };
    const GraphData graph = WeightGraphData::build(QStringLiteral("Ann"), rows, "", "x");
    EXPECT_EQ(graph.labels, (QStringList { "Feb-20-13", "sometime", "Mar-05-13" }));
    EXPECT_EQ(graph.series[0].values, (QList<double> { 180, 0, 0 }));
    EXPECT_EQ(graph.series[1].values, (QList<double> { 0, 0, 0 }));
    EXPECT_EQ(graph.series[2].values, (QList<double> { 0, 0, 0 }));
}

} // namespace
