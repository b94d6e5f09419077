#include "weight/WeightTrend.h"
#include "storage/StoredDate.h"
#include "weight/WeightGoalProjection.h"
#include "weight/WeightStatistics.h"

#include <QDate>

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <ostream>

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

const QDate Jan1(2027, 1, 1);

// The trend written out once as the rule reads, for the table below to be
// held against: the dates' means in date order, the first mean starting the
// trend, each later one pulling it by 1 - 0.9^d, d the days since the date
// before. Rows without a date or a number do not count.
std::map<QDate, double> trendByRule(const QList<WeighIn>& rows)
{
    std::map<QDate, std::pair<double, int>> sums;
    for (const WeighIn& row : rows) {
        bool ok = false;
        const double weight = row.weight.toDouble(&ok);
        const QDate date = StoredDate::parse(row.date);
        if (ok && date.isValid()) {
            sums[date].first += weight;
            sums[date].second += 1;
        }
    }
    std::map<QDate, double> trends;
    QDate before;
    double trend = 0;
    for (const auto& [date, sum] : sums) {
        const double mean = sum.first / sum.second;
        if (!before.isValid())
            trend = mean;
        else
            trend += (1 - std::pow(0.9, before.daysTo(date))) * (mean - trend);
        trends[date] = trend;
        before = date;
    }
    return trends;
}

// Weigh-ins on the given days after January 1, with the given weights.
QList<WeighIn> onDays(const QList<int>& days, const QList<double>& weights)
{
    QList<WeighIn> rows;
    for (qsizetype i = 0; i < days.size(); ++i)
        rows.append(on(Jan1.addDays(days[i]), QString::number(weights[i])));
    return rows;
}

struct TrendCase {
    const char* name;
    QList<WeighIn> rows;
    // The log rows that take part, in date order.
    QList<int> rowsTaken;
};

void PrintTo(const TrendCase& c, std::ostream* out)
{
    *out << c.name;
}

class WeightTrendRuleTest : public ::testing::TestWithParam<TrendCase>
{
};

} // namespace

TEST_P(WeightTrendRuleTest, FollowsTheDaysAsTheRuleSays)
{
    const TrendCase& c = GetParam();
    const WeightTrend trend(c.rows);
    const std::map<QDate, double> expected = trendByRule(c.rows);

    ASSERT_EQ(trend.days().size(), qsizetype(expected.size()));
    qsizetype i = 0;
    for (const auto& [date, value] : expected) {
        EXPECT_EQ(trend.days()[i].date, date);
        EXPECT_NEAR(trend.days()[i].trend, value, 1e-9) << date.toString().toStdString();
        ++i;
    }
    // Every weigh-in carries the trend of its date, in date order.
    ASSERT_EQ(trend.points().size(), c.rowsTaken.size());
    for (qsizetype p = 0; p < trend.points().size(); ++p) {
        const WeightTrend::Point& point = trend.points()[p];
        EXPECT_EQ(point.row, c.rowsTaken[p]) << "point " << p;
        EXPECT_NEAR(point.trend, expected.at(point.date), 1e-9) << "point " << p;
        EXPECT_EQ(trend.trendOfRow(point.row), point.trend);
    }
    if (!expected.empty()) {
        EXPECT_NEAR(*trend.lastTrend(), expected.rbegin()->second, 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(Habits, WeightTrendRuleTest,
    ::testing::Values(
        TrendCase { "daily", onDays({ 0, 1, 2, 3, 4 }, { 200, 199, 199.5, 198, 198.2 }),
            { 0, 1, 2, 3, 4 } },
        TrendCase { "every_other_day", onDays({ 0, 2, 4, 6, 8 }, { 200, 199, 199.5, 198, 198.2 }),
            { 0, 1, 2, 3, 4 } },
        TrendCase { "weekly",
            onDays({ 0, 7, 14, 21, 28, 35 }, { 184, 183.2, 182.9, 182, 181.6, 180.8 }),
            { 0, 1, 2, 3, 4, 5 } },
        TrendCase { "irregular_gaps",
            onDays({ 0, 1, 5, 6, 20, 81, 82 }, { 210, 209, 207, 208, 204, 190, 191 }),
            { 0, 1, 2, 3, 4, 5, 6 } },
        TrendCase { "several_a_day",
            onDays({ 0, 0, 3, 3, 3, 4 }, { 200, 198, 197, 199, 196, 197.5 }),
            { 0, 1, 2, 3, 4, 5 } },
        TrendCase { "one_weigh_in", onDays({ 0 }, { 180 }), { 0 } },
        TrendCase { "rows_out_of_order", onDays({ 14, 0, 7, 3, 7 }, { 180, 200, 190, 196, 188 }),
            { 1, 3, 2, 4, 0 } },
        TrendCase { "rows_without_a_date_or_a_number",
            { on(Jan1, "200"), { "", "150" }, on(Jan1.addDays(1), ""), { "someday", "120" },
                on(Jan1.addDays(2), "N/A"), on(Jan1.addDays(3), "190") },
            { 0, 5 } },
        TrendCase { "no_weigh_ins", { { "", "" } }, {} }),
    [](const ::testing::TestParamInfo<TrendCase>& testCase) {
        return std::string(testCase.param.name);
    });

TEST(WeightTrendTest, WeeklyWeighInsKeepUpWithTheFall)
{
    // Nine weekly weigh-ins falling 0.65 a week: a tenth a weigh-in would
    // leave the trend 3 lb behind and the rate at half the fall.
    QList<int> days;
    QList<double> weights;
    for (int week = 0; week < 9; ++week) {
        days.append(7 * week);
        weights.append(184 - 0.65 * week);
    }
    const WeightTrend trend(onDays(days, weights));
    EXPECT_NEAR(*trend.lastTrend(), 179.4, 0.05);
    EXPECT_NEAR(*trend.weeklyRate(), -0.65, 0.03);
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

    // A day of three weigh-ins is one point of the line, at its trend.
    const WeightTrend busy(onDays({ 0, 7, 7, 7, 14 }, { 190, 186, 190, 188, 185 }));
    const WeightTrend once(onDays({ 0, 7, 14 }, { 190, 188, 185 }));
    EXPECT_NEAR(*busy.slopePerDay(), *once.slopePerDay(), 1e-12);
}

TEST(WeightTrendTest, TheGoalIsProjectedOnlyWhileAheadAndAfterToday)
{
    // Trend falling 0.5 a day from 195.5 on January 2 to 170.5 on March 1,
    // the weigh-ins 4.5 below it (166 last).
    QList<double> falling { 200 };
    for (int i = 1; i < 60; ++i)
        falling.append(200 - 0.5 * i - 4.5);
    const WeightTrend down(daily(Jan1, falling));
    ASSERT_NEAR(*down.lastTrend(), 170.5, 1e-9);

    struct Case {
        const char* what;
        const WeightTrend* trend;
        QString goal;
        QDate today;
        WeightGoalProjection::State state;
        QDate date;
    };
    const WeightTrend up(daily(Jan1, { 150, 151, 152, 153, 154, 155 }));
    const WeightTrend flat(daily(Jan1, { 180, 180, 180, 180 }));
    const WeightTrend single(daily(Jan1, { 180 }));
    using State = WeightGoalProjection::State;
    const QDate lastDate = Jan1.addDays(59);
    // (150 - 170.5) / -0.5 = 41 days.
    const QDate expected = lastDate.addDays(41);
    const QList<Case> cases = {
        { "not reached, towards it", &down, "150", lastDate, State::Expected, expected },
        // 20.4 / 0.5 = 40.8, rounded up.
        { "rounded up to a whole day", &down, "150.1", lastDate, State::Expected, expected },
        { "a range reads as its first number", &down, "150-160", lastDate, State::Expected,
            expected },
        { "the date is tomorrow", &down, "150", expected.addDays(-1), State::Expected, expected },
        { "the projected date is today", &down, "150", expected, State::DatePassed, expected },
        { "the projected date is past", &down, "150", expected.addDays(30), State::DatePassed,
            expected },
        { "reached by the last weigh-in while the trend lags", &down, "168", lastDate,
            State::Reached, {} },
        { "passed", &down, "175", lastDate, State::Reached, {} },
        { "reached exactly", &flat, "180", Jan1, State::Reached, {} },
        { "away from a loss goal", &up, "140", Jan1, State::NotApproaching, {} },
        { "towards a gain goal", &up, "160", Jan1, State::Expected, {} },
        { "a gain goal reached", &up, "155", Jan1, State::Reached, {} },
        { "flat", &flat, "150", Jan1, State::NotApproaching, {} },
        { "one weigh-in gives no rate", &single, "150", Jan1, State::NotApproaching, {} },
        { "no goal", &down, "", lastDate, State::NoGoal, {} },
        { "a goal of letters is none", &down, "slim", lastDate, State::NoGoal, {} },
    };
    for (const Case& c : cases) {
        const WeightGoalProjection projection
            = WeightGoalProjection::project(*c.trend, c.goal, c.today);
        EXPECT_EQ(projection.state(), c.state) << c.what;
        if (c.date.isValid()) {
            EXPECT_EQ(projection.date(), c.date) << c.what;
        }
        // Only an expected date has a line of its own.
        EXPECT_EQ(projection.text().isEmpty(), c.state != State::Expected) << c.what;
    }
    EXPECT_EQ(WeightGoalProjection::project(down, "150", lastDate).text(),
        "Goal expected about " + WeightGoalProjection::dateText(expected));
    EXPECT_EQ(WeightGoalProjection::dateText(QDate(2027, 3, 14)), "March 14, 2027");

    // A trend creeping towards the goal a hair a day names no date centuries on.
    const WeightTrend creeping(daily(Jan1, { 180, 179.99999 }));
    EXPECT_EQ(WeightGoalProjection::project(creeping, "100", Jan1).state(), State::NotApproaching);
}

TEST(WeightTrendTest, TheProjectionSaysTheRateItComesFrom)
{
    // Nine weekly weigh-ins from 184 to 178.8, the last on December 8, 2026.
    QList<WeighIn> rows;
    for (int week = 0; week < 9; ++week)
        rows.append(
            on(QDate(2026, 12, 8).addDays(7 * (week - 8)), QString::number(184 - 0.65 * week)));
    const WeightPersonSettings::Values settings { WeightPersonSettings::Unit::Pounds, false, 65.5 };
    const QDate today(2026, 12, 11);

    const WeightStatistics ahead(rows, "165", settings, today);
    EXPECT_EQ(ahead.projectionText(), "Goal expected about May 14, 2027 (at 0.6 lb a week)");
    EXPECT_EQ(ahead.rateText(), "Weekly rate: -0.6 lb a week");
    // From the trend of 179.4, where a tenth a weigh-in gave 182.2 (Obese).
    EXPECT_EQ(ahead.bodyMassIndexText(), "BMI 29.4 (Overweight, 25-29.9)");

    struct Case {
        const char* what;
        QString goal;
        QDate today;
    };
    const QList<Case> unsaid = {
        { "reached", "178.8", today },
        { "passed", "180", today },
        { "moving away", "190", today },
        { "the date gone by", "165", QDate(2027, 5, 14) },
        { "no goal", "", today },
    };
    for (const Case& c : unsaid)
        EXPECT_EQ(WeightStatistics(rows, c.goal, settings, c.today).projectionText(), "") << c.what;
}
