#include "bloodpressure/BloodPressureGraphData.h"

#include "storage/StoredDate.h"

#include <QDate>

#include <gtest/gtest.h>

namespace {

const QDate firstDay(2012, 3, 5);

// n dated readings; reading k (from 1) has systolic 100 + k, diastolic 60 + k
// and pulse 50 + k.
QList<Reading> readings(int n)
{
    QList<Reading> rows;
    for (int k = 1; k <= n; ++k) {
        rows.append({ StoredDate::longText(firstDay.addDays(k - 1)), QStringLiteral("7:05 AM"),
            QString::number(100 + k), QString::number(60 + k), QString::number(50 + k) });
    }
    rows.resize(rows.size() + 4); // the grid's empty rows below
    return rows;
}

// The reading number of each point, from its systolic value.
QList<int> graphedReadings(const GraphData& graph)
{
    QList<int> numbers;
    for (double systolic : graph.series[1].values)
        numbers.append(int(systolic) - 100);
    return numbers;
}

QList<int> range(int first, int last)
{
    QList<int> numbers;
    for (int k = first; k <= last; ++k)
        numbers.append(k);
    return numbers;
}

TEST(BloodPressureGraphDataTest, ScreenGraphTakesTheLatestFiftyReadings)
{
    struct Case {
        int readings;
        bool showTime;
        QList<int> graphed;
        QString axisTitle;
    };
    const Case cases[] = {
        { 0, false, {}, "Date Of  Readings" },
        { 3, false, range(1, 3), "Date Of  Readings" },
        { 49, false, range(1, 49), "Date Of  Readings" },
        { 50, false, range(1, 50), "Date Of  Readings (Graph Limited to Last 50 Entries)" },
        { 60, false, range(11, 60), "Date Of  Readings (Graph Limited to Last 50 Entries)" },
        { 3, true, range(1, 3), "Date/Time Of  Readings" },
        { 60, true, range(11, 60), "Date/Time Of  Readings (Graph Limited to Last 50 Entries)" },
    };
    for (const Case& c : cases) {
        const GraphData graph = BloodPressureGraphData::screenGraph(
            QStringLiteral("Ann "), readings(c.readings), c.showTime);
        EXPECT_EQ(graph.axisTitle, c.axisTitle) << c.readings;
        ASSERT_EQ(graph.series.size(), 5);
        EXPECT_EQ(graphedReadings(graph), c.graphed) << c.readings;
        EXPECT_EQ(graph.pointCount(), c.graphed.size()) << c.readings;
        EXPECT_EQ(graph.caption, QStringLiteral("Ann Blood Pressure"));
    }
}

TEST(BloodPressureGraphDataTest, SeriesHoldTheNormalLinesAndTheReadings)
{
    const GraphData graph = BloodPressureGraphData::screenGraph({}, readings(2), false);
    EXPECT_EQ(graph.series[0].values, (QList<double> { 119, 119 }));
    EXPECT_EQ(graph.series[1].values, (QList<double> { 101, 102 }));
    EXPECT_EQ(graph.series[2].values, (QList<double> { 79, 79 }));
    EXPECT_EQ(graph.series[3].values, (QList<double> { 61, 62 }));
    EXPECT_EQ(graph.series[4].values, (QList<double> { 51, 52 }));
    EXPECT_EQ(graph.series[0].lineWidth, 6);
    EXPECT_EQ(graph.series[2].lineWidth, 6);
}

TEST(BloodPressureGraphDataTest, StopsAtTheFirstUndatedRowAndReadsLeadingNumbers)
{
    QList<Reading> rows = readings(5);
    rows[0].systolic = QStringLiteral("145abc");
    rows[0].diastolic = QString();
    rows[0].pulse = QStringLiteral("x");
    rows[1].date = QStringLiteral(" ");
    const GraphData graph = BloodPressureGraphData::screenGraph({}, rows, false);
    ASSERT_EQ(graph.pointCount(), 1);
    EXPECT_EQ(graph.series[1].values, QList<double> { 145 });
    EXPECT_EQ(graph.series[3].values, QList<double> { 0 });
    EXPECT_EQ(graph.series[4].values, QList<double> { 0 });
}

TEST(BloodPressureGraphDataTest, PointLabels)
{
    Reading reading;
    reading.date = QStringLiteral("March 05, 2012");
    reading.time = QStringLiteral(" 7:05 AM ");
    EXPECT_EQ(BloodPressureGraphData::pointLabel(reading, false), QStringLiteral("Mar-05-12"));
    EXPECT_EQ(
        BloodPressureGraphData::pointLabel(reading, true), QStringLiteral("Mar-05-12-7:05 AM"));
    reading.date = QStringLiteral("soon");
    EXPECT_EQ(BloodPressureGraphData::pointLabel(reading, false), QStringLiteral("soon"));
}

TEST(BloodPressureGraphDataTest, PrintGraphTakesTheChosenNumberOfLatestReadings)
{
    struct Case {
        int readings;
        int printEntryCount;
        bool showTime;
        QList<int> graphed;
        QString axisTitle;
    };
    const Case cases[] = {
        { 3, 5, false, range(1, 3), "Date Of  Readings (Displaying last 3 entries.)" },
        { 70, 20, false, range(51, 70), "Date Of  Readings (Displaying last 20 entries.)" },
        { 70, 50, true, range(21, 70), "Date/Time Of  Readings (Displaying last 50 entries.)" },
        { 0, 5, false, {}, "Date Of  Readings (Displaying last 0 entries.)" },
    };
    for (const Case& c : cases) {
        const GraphData graph = BloodPressureGraphData::printGraph(
            QStringLiteral("Ann"), readings(c.readings), c.printEntryCount, c.showTime);
        EXPECT_EQ(graph.axisTitle, c.axisTitle) << c.readings << " " << c.printEntryCount;
        EXPECT_EQ(graphedReadings(graph), c.graphed) << c.readings << " " << c.printEntryCount;
    }
}

TEST(BloodPressureGraphDataTest, AllAndMoreThanFiftyEntriesPrintTheScreenGraph)
{
    for (const int count : { 0, 60, 90 })
        EXPECT_TRUE(BloodPressureGraphData::printUsesScreenGraph(count)) << count;
    for (const int count : { 1, 5, 20, 45, 50 })
        EXPECT_FALSE(BloodPressureGraphData::printUsesScreenGraph(count)) << count;
}

} // namespace
