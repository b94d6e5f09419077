#include "storage/StoredDate.h"
#include "weight/WeightGraphData.h"

#include <QDate>

#include <gtest/gtest.h>

#include <cmath>

namespace {

WeighIn on(const QDate& date, const QString& weight)
{
    return { StoredDate::longText(date), weight };
}

} // namespace

// Rows out of date order, a row whose weight is not a number and a row whose
// date is not a date, graphed with the trend, evenly and by date.
TEST(WeightGraphOptionsTest, TrendLineAndDateSpacing)
{
    const QList<WeighIn> rows { on(QDate(2026, 3, 1), "190"), on(QDate(2026, 1, 1), "200"),
        on(QDate(2026, 1, 2), "N/A"), { "someday", "195" }, on(QDate(2026, 1, 11), "180") };
    WeightGraphData::Options options;
    options.trend = true;
    options.valueAxisTitle = "Weight (kg)";
    const GraphData even = WeightGraphData::build("Ann", rows, "150", "200", options);
    ASSERT_EQ(even.series.size(), 4);
    EXPECT_EQ(even.series[3].name, "Trend");
    EXPECT_EQ(even.valueAxisTitle, "Weight (kg)");
    EXPECT_TRUE(even.positions.isEmpty());
    // By date the trend runs 200, then January 11 pulls it 1 - 0.9^10 of
    // the way to 180 and March 1 another 1 - 0.9^49 to 190; the rows
    // without a trend of their own hold the line where it was.
    const double january11 = 200 + (1 - std::pow(0.9, 10)) * (180 - 200);
    const double march1 = january11 + (1 - std::pow(0.9, 49)) * (190 - january11);
    const QList<double> trend = even.series[3].values;
    ASSERT_EQ(trend.size(), 5);
    EXPECT_NEAR(trend[0], march1, 1e-9);
    EXPECT_NEAR(trend[1], 200, 1e-9);
    EXPECT_NEAR(trend[2], 200, 1e-9);
    EXPECT_NEAR(trend[3], 200, 1e-9);
    EXPECT_NEAR(trend[4], january11, 1e-9);

    options.spaceByDate = true;
    const GraphData dated = WeightGraphData::build("Ann", rows, "150", "200", options);
    EXPECT_EQ(dated.labels, QStringList({ "Jan-01-26", "Jan-02-26", "Jan-11-26", "Mar-01-26" }));
    EXPECT_EQ(dated.positions, QList<double>({ 0, 1, 10, 59 }));
    for (const GraphSeries& series : dated.series)
        EXPECT_EQ(series.values.size(), 4) << series.name.toStdString();
    EXPECT_EQ(dated.series[0].values, QList<double>({ 200, 0, 180, 190 }));

    // Without options the graph is the one it has always been.
    EXPECT_EQ(WeightGraphData::build("Ann", rows, "150", "200", WeightGraphData::Options()),
        WeightGraphData::build("Ann", rows, "150", "200"));
    EXPECT_EQ(WeightGraphData::build("Ann", rows, "150", "200").series.size(), 3);
}
