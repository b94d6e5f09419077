#include "datatool/WeightImportPlan.h"

#include <gtest/gtest.h>

namespace {

using Unit = WeightPersonSettings::Unit;

TEST(WeightImportPlan, ConvertsIntoThePersonsUnitAndRoundsToATenth)
{
    const struct {
        double weight;
        Unit from;
        Unit to;
        std::optional<QString> stored;
    } cases[] = {
        { 80.4, Unit::Kilograms, Unit::Pounds, "177.3" },
        { 100, Unit::Kilograms, Unit::Pounds, "220.5" },
        { 177.2, Unit::Pounds, Unit::Kilograms, "80.4" },
        { 80.0, Unit::Kilograms, Unit::Kilograms, "80" },
        { 176.96, Unit::Pounds, Unit::Pounds, "177" },
        { 70.25, Unit::Kilograms, Unit::Kilograms, "70.3" },
        // Held as 79.04999..., written as 79.05: a half rounds up.
        { 79.05, Unit::Kilograms, Unit::Kilograms, "79.1" },
        { 0.04, Unit::Kilograms, Unit::Kilograms, std::nullopt },
        { -3, Unit::Pounds, Unit::Pounds, std::nullopt },
    };
    for (const auto& c : cases)
        EXPECT_EQ(WeightImportPlan::converted(c.weight, c.from, c.to), c.stored) << c.weight;
}

SourceWeighIn weighIn(int line, const char* date, const char* time, double kilograms)
{
    return { line, QDate::fromString(date, Qt::ISODate),
        time ? QTime::fromString(time, "HH:mm") : QTime(), kilograms, Unit::Kilograms };
}

// The file's weigh-ins are out of order; the log already has the 10th
// (80.0 kg) and the 12th at another weight.
SourceLog unorderedWeek()
{
    SourceLog source;
    source.weighIns = {
        weighIn(2, "2023-01-11", "19:00", 81.0),
        weighIn(3, "2023-01-11", "07:00", 80.5),
        weighIn(4, "2023-01-10", "07:00", 80.0),
        weighIn(5, "2023-01-12", "07:00", 79.5),
        weighIn(6, "2023-01-13", "07:00", 0.01),
        weighIn(7, "2023-01-11", nullptr, 80.7),
    };
    source.refused = { { 9, "the weight \"\" is not a number" } };
    return source;
}

const QList<WeighIn> Logged = {
    { "January 10, 2023", "80" },
    { "January 12, 2023", "79.9" },
    {},
};

TEST(WeightImportPlan, KeepsTheEarliestWeighInOfEachDayAndSkipsWhatTheLogHas)
{
    const WeightImportPlan plan
        = WeightImportPlan::make(unorderedWeek(), Logged, Unit::Kilograms, false);
    // A weigh-in without a time counts as its day's first.
    EXPECT_EQ(plan.added, QList<WeighIn>({ { "January 11, 2023", "80.7" } }));
    EXPECT_EQ(plan.duplicates, 1);
    EXPECT_EQ(plan.sameDay, 3);
    EXPECT_EQ(plan.refused,
        QList<RefusedLine>({ { 6, "the weight 0.01 kg is not above 0" },
            { 9, "the weight \"\" is not a number" } }));
    EXPECT_EQ(plan.first, QDate(2023, 1, 11));
    EXPECT_EQ(plan.last, QDate(2023, 1, 11));
}

TEST(WeightImportPlan, TakesEveryWeighInWhenAskedInDateAndTimeOrder)
{
    const WeightImportPlan plan
        = WeightImportPlan::make(unorderedWeek(), Logged, Unit::Kilograms, true);
    EXPECT_EQ(plan.added,
        QList<WeighIn>({ { "January 11, 2023", "80.7" }, { "January 11, 2023", "80.5" },
            { "January 11, 2023", "81" }, { "January 12, 2023", "79.5" } }));
    EXPECT_EQ(plan.duplicates, 1);
    EXPECT_EQ(plan.sameDay, 0);
    EXPECT_EQ(plan.first, QDate(2023, 1, 11));
    EXPECT_EQ(plan.last, QDate(2023, 1, 12));
}

// Compared as the log stores them: 80.4 kg in pounds is 177.3, and a logged
// "177.30" on that day is the same weigh-in; the same weigh-in twice in the
// file is added once, the second counted as a repeat, not as logged.
TEST(WeightImportPlan, FindsDuplicatesAfterConversion)
{
    SourceLog source;
    source.weighIns = { weighIn(2, "2023-01-15", "07:30", 80.4),
        weighIn(3, "2023-01-16", "07:30", 80.2), weighIn(4, "2023-01-16", "07:30", 80.2) };
    const WeightImportPlan plan
        = WeightImportPlan::make(source, { { "January 15, 2023", "177.30" } }, Unit::Pounds, true);
    EXPECT_EQ(plan.added, QList<WeighIn>({ { "January 16, 2023", "176.8" } }));
    EXPECT_EQ(plan.duplicates, 1);
    EXPECT_EQ(plan.repeated, 1);
}

} // namespace
