#include "datatool/ReadingImportPlan.h"

#include <gtest/gtest.h>

namespace {

SourceReading reading(int line, const char* date, const char* time, double systolic,
    double diastolic, std::optional<double> pulse)
{
    return { line, QDate::fromString(date, Qt::ISODate), QTime::fromString(time, "HH:mm:ss"),
        systolic, diastolic, pulse };
}

TEST(ReadingImportPlan, WritesTimesAsTheHourAndMinuteListsDo)
{
    const struct {
        const char* time;
        const char* stored;
    } cases[] = {
        { "00:05:00", "12:05 AM" },
        { "07:35:00", "7:35 AM" },
        { "12:00:00", "12:00 PM" },
        { "13:07:59", "1:07 PM" },
        // Seconds are dropped, so the reading stays on its day.
        { "23:59:45", "11:59 PM" },
    };
    for (const auto& c : cases) {
        SourceLog source;
        source.readings = { reading(2, "2023-01-15", c.time, 120, 80, 70) };
        const ReadingImportPlan plan = ReadingImportPlan::make(source, {});
        ASSERT_EQ(plan.added.size(), 1) << c.time;
        EXPECT_EQ(plan.added.first().time, c.stored) << c.time;
    }
}

TEST(ReadingImportPlan, RefusesValuesThePickListsDoNotHoldAndRoundsTheRest)
{
    SourceLog source;
    source.readings = {
        reading(2, "2023-01-15", "07:00:00", 119.6, 79.4, 70.5),
        reading(3, "2023-01-15", "08:00:00", 310, 80, 70),
        reading(4, "2023-01-15", "09:00:00", 120, 0, 70),
        reading(5, "2023-01-15", "10:00:00", 120, 80, 151),
        reading(6, "2023-01-15", "11:00:00", 120, 80, std::nullopt),
    };
    const ReadingImportPlan plan = ReadingImportPlan::make(source, {});
    EXPECT_EQ(plan.added,
        QList<Reading>({ { "January 15, 2023", "7:00 AM", "120", "79", "71" },
            { "January 15, 2023", "11:00 AM", "120", "80", "" } }));
    EXPECT_EQ(plan.withoutPulse, 1);
    EXPECT_EQ(plan.refused,
        QList<RefusedLine>(
            { { 3, "the systolic pressure \"310\" is not a whole number from 50 to 300" },
                { 4, "the diastolic pressure \"0\" is not a whole number from 1 to 150" },
                { 5, "the pulse \"151\" is not a whole number from 1 to 150" } }));
}

// A logged row written by hand ("2023-01-15", "7:35 am") is still the same
// reading; one at another time of the same day is not. A reading the file
// holds twice is counted apart: it was not in the log.
TEST(ReadingImportPlan, SkipsReadingsTheLogHasAndKeepsDateAndTimeOrder)
{
    SourceLog source;
    source.readings = {
        reading(2, "2023-01-16", "07:40:00", 130, 85, 72),
        reading(3, "2023-01-15", "21:10:00", 135, 88, std::nullopt),
        reading(4, "2023-01-15", "07:35:00", 128, 82, 64),
        reading(5, "2023-01-16", "07:40:00", 130, 85, 72),
    };
    const QList<Reading> logged = { { "2023-01-15", "7:35 am", "128", "82", "64" }, {} };
    const ReadingImportPlan plan = ReadingImportPlan::make(source, logged);
    EXPECT_EQ(plan.added,
        QList<Reading>({ { "January 15, 2023", "9:10 PM", "135", "88", "" },
            { "January 16, 2023", "7:40 AM", "130", "85", "72" } }));
    EXPECT_EQ(plan.duplicates, 1);
    EXPECT_EQ(plan.repeated, 1);
    EXPECT_EQ(plan.first, QDate(2023, 1, 15));
    EXPECT_EQ(plan.last, QDate(2023, 1, 16));
}

} // namespace
