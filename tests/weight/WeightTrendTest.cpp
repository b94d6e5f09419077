#include "weight/WeightTrend.h"
#include "storage/StoredDate.h"
#include "weight/WeightGoalProjection.h"

#include <QDate>

#include <gtest/gtest.h>

#include <cmath>

namespace {

WeighIn on(const QDate& date, const QString& weight)
{
    return { StoredDate::longText(date), weight };
}

// One weigh-in a day from start, with the weights given.
QList<WeighIn> daily(const QDate& start, const QList<double>& weights)
{
    QList<WeighIn> rows;
    for (qsizetype i = 0; i < weights.size(); ++i)
        rows.append(on(start.addDays(i), QString::number(weights[i])));
    return rows;
}

QList<double> trendsOf(const WeightTrend& trend)
{
    QList<double> values;
    for (const WeightTrend::Point& point : trend.points())
        values.append(point.trend);
    return values;
}

const QDate Jan1(2027, 1, 1);

} // namespace

TEST(WeightTrendTest, SmoothsTheWeighInsInDateOrder)
{
    struct Case {
        const char* what;
        QList<WeighIn> rows;
        QList<double> trends;
        QList<int> rowsTaken;
    };
    const QList<Case> cases = {
        { "one weigh-in", { on(Jan1, "180") }, { 180 }, { 0 } },
        { "rows without a date or a number are skipped",
            { on(Jan1, "200"), { "", "150" }, on(Jan1.addDays(1), ""), { "someday", "120" },
                on(Jan1.addDays(2), "N/A"), on(Jan1.addDays(3), "190") },
            { 200, 199 }, { 0, 5 } },
        { "equal dates keep the log's order", { on(Jan1, "200"), on(Jan1, "190"), on(Jan1, "210") },
            { 200, 199, 200.1 }, { 0, 1, 2 } },
        { "a gap of months is one step", { on(Jan1, "200"), on(Jan1.addMonths(5), "180") },
            { 200, 198 }, { 0, 1 } },
        { "unsorted rows are taken by date",
            { on(Jan1.addDays(2), "180"), on(Jan1, "200"), on(Jan1.addDays(1), "190") },
            { 200, 199, 197.1 }, { 1, 2, 0 } },
        { "no weigh-ins", { { "", "" } }, {}, {} },
    };
    for (const Case& c : cases) {
        const WeightTrend trend(c.rows);
        const QList<double> trends = trendsOf(trend);
        ASSERT_EQ(trends.size(), c.trends.size()) << c.what;
        for (qsizetype i = 0; i < trends.size(); ++i) {
            EXPECT_NEAR(trends[i], c.trends[i], 1e-9) << c.what << " point " << i;
            EXPECT_EQ(trend.points()[i].row, c.rowsTaken[i]) << c.what << " point " << i;
        }
    }
}

TEST(WeightTrendTest, TheRateFitsTheLastFourWeeksOfTrend)
{
    // A trend that moves by exactly 0.5 a day: weights chosen so that every
    // step of a tenth of the way lands 0.5 lower.
    QList<double> weights { 200 };
    for (int i = 1; i < 60; ++i)
        weights.append(200 - 0.5 * i - 4.5);
    const WeightTrend steady(daily(Jan1, weights));
    ASSERT_TRUE(steady.weeklyRate());
    EXPECT_NEAR(*steady.weeklyRate(), -3.5, 1e-9);

    // Only the 28 days ending on the last date count: an old fall does not.
    QList<WeighIn> rows = daily(Jan1, { 250, 240, 230 });
    rows += daily(Jan1.addDays(100), { 180, 180 });
    rows.append(on(Jan1.addDays(127), "180"));
    const WeightTrend late(rows);
    const WeightTrend::Point last = *late.last();
    // Days 100, 101 and 127 take part, and day 99 would not.
    double mx = (-27 - 26 + 0) / 3.0;
    double my = 0;
    for (const WeightTrend::Point& p : late.points().mid(3))
        my += p.trend / 3;
    double sxy = 0;
    double sxx = 0;
    for (const WeightTrend::Point& p : late.points().mid(3)) {
        const double x = last.date.daysTo(p.date) - mx;
        sxy += x * (p.trend - my);
        sxx += x * x;
    }
    ASSERT_TRUE(late.slopePerDay());
    EXPECT_NEAR(*late.slopePerDay(), sxy / sxx, 1e-12);

    // Fewer than two dates in the window: no rate.
    EXPECT_FALSE(WeightTrend(daily(Jan1, { 200 })).weeklyRate());
    EXPECT_FALSE(WeightTrend({ on(Jan1, "200"), on(Jan1, "198") }).weeklyRate());
    EXPECT_FALSE(WeightTrend({ on(Jan1, "200"), on(Jan1.addDays(28), "198") }).weeklyRate());
    EXPECT_TRUE(WeightTrend({ on(Jan1, "200"), on(Jan1.addDays(27), "198") }).weeklyRate());
}

TEST(WeightTrendTest, TheGoalIsProjectedOnlyWhileTheRateLeadsTowardsIt)
{
    // Trend falling 0.5 a day from 195.5 on January 2 to 166 on March 1.
    QList<double> falling { 200 };
    for (int i = 1; i < 60; ++i)
        falling.append(200 - 0.5 * i - 4.5);
    const WeightTrend down(daily(Jan1, falling));
    const double lastTrend = down.last()->trend;
    ASSERT_NEAR(lastTrend, 170.5, 1e-9);

    struct Case {
        const char* what;
        const WeightTrend* trend;
        QString goal;
        WeightGoalProjection::State state;
        QDate date;
    };
    const WeightTrend up(daily(Jan1, { 150, 151, 152, 153, 154, 155 }));
    const WeightTrend flat(daily(Jan1, { 180, 180, 180, 180 }));
    const WeightTrend single(daily(Jan1, { 180 }));
    using State = WeightGoalProjection::State;
    const QDate lastDate = Jan1.addDays(59);
    const QList<Case> cases = {
        // (150 - 170.5) / -0.5 = 41 days.
        { "towards", &down, "150", State::Expected, lastDate.addDays(41) },
        // 20.4 / 0.5 = 40.8, rounded up.
        { "rounded up to a whole day", &down, "150.1", State::Expected, lastDate.addDays(41) },
        { "a range reads as its first number", &down, "150-160", State::Expected,
            lastDate.addDays(41) },
        { "away from a loss goal", &up, "140", State::NotApproaching, {} },
        { "towards a gain goal", &up, "160", State::Expected, {} },
        { "flat", &flat, "150", State::NotApproaching, {} },
        { "one weigh-in gives no rate", &single, "150", State::NotApproaching, {} },
        { "goal already passed", &down, "175", State::Reached, {} },
        { "no goal", &down, "", State::NoGoal, {} },
        { "a goal of letters is none", &down, "slim", State::NoGoal, {} },
    };
    for (const Case& c : cases) {
        const WeightGoalProjection projection = WeightGoalProjection::project(*c.trend, c.goal);
        EXPECT_EQ(projection.state(), c.state) << c.what;
        if (c.date.isValid()) {
            EXPECT_EQ(projection.date(), c.date) << c.what;
        }
    }
    EXPECT_EQ(WeightGoalProjection::project(down, "150").text(),
        "Goal expected about " + WeightGoalProjection::dateText(lastDate.addDays(41)));
    EXPECT_EQ(WeightGoalProjection::dateText(QDate(2027, 3, 14)), "March 14, 2027");
    EXPECT_EQ(WeightGoalProjection::project(up, "140").text(), "Not approaching the goal");
    EXPECT_EQ(WeightGoalProjection::project(down, "175").text(), "Not approaching the goal");

    // A trend creeping towards the goal a hair a day names no date centuries on.
    const WeightTrend creeping(daily(Jan1, { 180, 179.99999 }));
    EXPECT_EQ(WeightGoalProjection::project(creeping, "100").state(), State::NotApproaching);
}
