#include "bloodpressure/BloodPressureStatistics.h"
#include "bloodpressure/BloodPressureSummaryText.h"
#include "bloodpressure/DayPeriod.h"
#include "storage/StoredDate.h"

#include <gtest/gtest.h>

namespace {

using Guideline = BloodPressureGuideline;
using Id = Guideline::Id;
using Statistics = BloodPressureStatistics;

const QDate LastDay(2026, 3, 20);

Reading reading(const QDate& date, const QString& time, const QString& systolic,
    const QString& diastolic, const QString& pulse = QStringLiteral("70"))
{
    return Reading { StoredDate::longText(date), time, systolic, diastolic, pulse };
}

Statistics statisticsOf(const QList<Reading>& rows, Id id = Id::Own)
{
    return Statistics::of(rows, Guideline::of(id));
}

TEST(BloodPressureStatisticsTest, MorningAndEveningEdges)
{
    const struct {
        const char* time;
        DayPeriod::Period period;
    } cases[] = {
        { "3:59 AM", DayPeriod::Other },
        { "4:00 AM", DayPeriod::Morning },
        { "11:59 AM", DayPeriod::Morning },
        { "12:00 PM", DayPeriod::Other },
        { "5:59 PM", DayPeriod::Other },
        { "6:00 PM", DayPeriod::Evening },
        { "11:59 PM", DayPeriod::Evening },
        { "12:00 AM", DayPeriod::Other },
        { " 7:05 am ", DayPeriod::Morning },
        { "", DayPeriod::Other },
        { "13:00 PM", DayPeriod::Other },
        { "7:5 AM", DayPeriod::Other },
    };
    for (const auto& c : cases)
        EXPECT_EQ(DayPeriod::of(QString::fromLatin1(c.time)), c.period) << c.time;
}

TEST(BloodPressureStatisticsTest, MorningAndEveningAveragesShownWhenBothHaveReadings)
{
    const QList<Reading> rows {
        reading(LastDay, "7:00 AM", "120", "80", "70"),
        reading(LastDay, "8:00 AM", "131", "85", ""),
        reading(LastDay, "2:00 PM", "150", "95", "90"),
        reading(LastDay, "9:00 PM", "140", "90", "80"),
    };
    const Statistics statistics = statisticsOf(rows);
    EXPECT_EQ(statistics.morning.readings, 2);
    EXPECT_EQ(statistics.morning.systolic.average(), 125.5);
    // A reading without a pulse still counts for its pressures.
    EXPECT_EQ(statistics.morning.pulse.count(), 1);
    EXPECT_EQ(statistics.evening.readings, 1);
    EXPECT_EQ(BloodPressureSummaryText::morningAndEvening(statistics),
        "Morning: 126/83, pulse 70 (2 readings)     Evening: 140/90, pulse 80 (1 reading)");

    const Statistics morningOnly = statisticsOf(rows.mid(0, 3));
    EXPECT_EQ(BloodPressureSummaryText::morningAndEvening(morningOnly), QString());
}

TEST(BloodPressureStatisticsTest, FiguresLeaveOutUndatedReadingsAndValuesThatCount)
{
    const QList<Reading> rows {
        reading(LastDay, "7:00 AM", "130", "85", "72"),
        // Logs need not be in date order.
        reading(LastDay.addDays(-10), "7:00 AM", "110", "70", "60"),
        Reading { QString(), "7:00 AM", "250", "140", "140" },
        Reading { QStringLiteral("not a date"), "7:00 AM", "250", "140", "140" },
        // A stray 15 and a word are left out, the rest of the reading counts.
        reading(LastDay.addDays(-5), "7:00 AM", "15", "abc", "64"),
        reading(LastDay.addDays(-3), "7:00 AM", "", "", ""),
    };
    const Statistics statistics = statisticsOf(rows);
    EXPECT_EQ(statistics.all.readings, 3);
    EXPECT_EQ(statistics.first, LastDay.addDays(-10));
    EXPECT_EQ(statistics.last, LastDay);
    EXPECT_EQ(statistics.all.systolic.minimum(), 110);
    EXPECT_EQ(statistics.all.systolic.maximum(), 130);
    EXPECT_EQ(statistics.all.systolic.average(), 120);
    EXPECT_EQ(statistics.all.diastolic.count(), 2);
    EXPECT_EQ(statistics.all.pulse.average(), (72.0 + 60 + 64) / 3);
    EXPECT_EQ(statistics.all.pulse.rounded(), 65);
    // The pulse-only reading has no category.
    EXPECT_EQ(statistics.categoryCounts, QList<int>({ 1, 1, 0, 0, 0 }));

    const Statistics empty = statisticsOf({});
    EXPECT_EQ(empty.all.readings, 0);
    EXPECT_FALSE(empty.homeWeek);
    EXPECT_FALSE(empty.all.systolic.average());
}

TEST(BloodPressureStatisticsTest, CategoryCountsFollowTheGuideline)
{
    const QList<Reading> rows {
        reading(LastDay, "7:00 AM", "118", "78"),
        reading(LastDay, "8:00 AM", "125", "78"),
        reading(LastDay, "9:00 AM", "145", "80"),
        reading(LastDay, "10:00 AM", "165", "95"),
        reading(LastDay, "11:00 AM", "135", "92"),
    };
    EXPECT_EQ(statisticsOf(rows, Id::AccAha).categoryCounts, QList<int>({ 1, 1, 0, 3, 0 }));
    const Statistics esh = statisticsOf(rows, Id::Esh);
    EXPECT_EQ(esh.categoryCounts, QList<int>({ 1, 1, 0, 2, 1, 0 }));
    EXPECT_EQ(esh.isolatedSystolic, 1);
    EXPECT_EQ(esh.isolatedDiastolic, 1);
    EXPECT_EQ(statisticsOf(rows, Id::Own).isolatedDiastolic, 0);
    // 118 over 78 is elevated by its diastolic under ESC.
    EXPECT_EQ(statisticsOf(rows, Id::Esc).categoryCounts, QList<int>({ 0, 2, 3 }));
}

TEST(BloodPressureStatisticsTest, HomeWeekLeavesDayOneOutAndNeedsFourDays)
{
    // Days before the last reading's date that have one reading of 140/90,
    // a reading of 120/80 on the last day itself.
    const struct {
        const char* what;
        QList<int> daysBefore;
        int days;
        int readings;
    } cases[] = {
        { "four days in a row", { 1, 2, 3 }, 4, 4 },
        { "day 1 left out", { 1, 2, 6 }, 3, 3 },
        { "with gaps", { 2, 4, 5 }, 4, 4 },
        { "fewer than seven days logged", { 1, 2 }, 3, 3 },
        { "several a day", { 1, 1, 2, 2, 3, 3, 0 }, 4, 8 },
        { "before the week", { 7, 8, 9, 10 }, 1, 1 },
    };
    for (const auto& c : cases) {
        QList<Reading> rows { reading(LastDay, "7:00 AM", "120", "80") };
        for (const int before : c.daysBefore)
            rows.append(reading(LastDay.addDays(-before), "7:00 AM", "140", "90"));
        const Statistics statistics = statisticsOf(rows);
        ASSERT_TRUE(statistics.homeWeek) << c.what;
        const Statistics::HomeWeek& week = *statistics.homeWeek;
        EXPECT_EQ(week.from, LastDay.addDays(-6)) << c.what;
        EXPECT_EQ(week.firstAveraged, LastDay.addDays(-5)) << c.what;
        EXPECT_EQ(week.to, LastDay) << c.what;
        EXPECT_EQ(week.days, c.days) << c.what;
        EXPECT_EQ(week.enoughDays(), c.days >= 4) << c.what;
        EXPECT_EQ(week.figures.readings, c.readings) << c.what;
    }
}

TEST(BloodPressureStatisticsTest, HomeWeekAgainstTheGuidelineThreshold)
{
    const struct {
        Id guideline;
        const char* systolic;
        const char* diastolic;
        bool above;
    } cases[] = {
        { Id::Own, "135", "70", true },
        { Id::Own, "134", "84", false },
        { Id::Own, "120", "85", true },
        { Id::Esh, "134", "84", false },
        { Id::Esc, "135", "84", true },
        { Id::AccAha, "129", "79", false },
        { Id::AccAha, "130", "70", true },
        { Id::AccAha, "120", "80", true },
    };
    for (const auto& c : cases) {
        QList<Reading> rows;
        for (int day = 0; day < 4; ++day)
            rows.append(reading(LastDay.addDays(-day), "7:00 PM", c.systolic, c.diastolic));
        const Statistics statistics = statisticsOf(rows, c.guideline);
        EXPECT_EQ(statistics.homeWeek->aboveThreshold, c.above)
            << Guideline::key(c.guideline).toStdString() << " " << c.systolic << "/" << c.diastolic;
    }
}

TEST(BloodPressureStatisticsTest, HomeWeekTexts)
{
    QList<Reading> rows;
    for (int day = 0; day < 3; ++day)
        rows.append(reading(LastDay.addDays(-day), "7:00 AM", "140", "90"));
    EXPECT_EQ(BloodPressureSummaryText::homeWeek(statisticsOf(rows)),
        QStringList({ "Week of 2026-03-14 to 2026-03-20, day 1 left out: 2026-03-15 to 2026-03-20",
            "Not enough days (3 of 6 days with readings, 4 needed)" }));
    rows.append(reading(LastDay.addDays(-3), "7:00 AM", "121", "81"));
    EXPECT_EQ(BloodPressureSummaryText::homeWeek(statisticsOf(rows, Id::AccAha)).mid(1),
        QStringList({ "135.3/87.8, pulse 70 (4 readings on 4 of 6 days with readings)",
            "Above the home threshold of 130/80 (ACC/AHA 2017)" }));
}

// count readings: the first one first, the others rest.
QList<QPair<int, int>> oneAndMany(int count, QPair<int, int> first, QPair<int, int> rest)
{
    QList<QPair<int, int>> values { first };
    while (values.size() < count)
        values.append(rest);
    return values;
}

// The averages shown beside "Above" or "Below" are the ones compared, to one
// decimal, and never shown reaching a threshold they stay below.
TEST(BloodPressureStatisticsTest, HomeWeekShowsTheAveragesItCompares)
{
    const struct {
        const char* what;
        QList<QPair<int, int>> readings; // spread over four days
        const char* averages;
        const char* verdict;
    } cases[] = {
        { "84.67 is below 85",
            { { 130, 84 }, { 134, 85 }, { 133, 85 }, { 132, 84 }, { 133, 85 }, { 132, 85 } },
            "132.3/84.7", "Below" },
        { "84.95 would round to 85.0", oneAndMany(20, { 133, 84 }, { 133, 85 }), "133.0/84.95",
            "Below" },
        { "85 is at the threshold", oneAndMany(4, { 120, 85 }, { 120, 85 }), "120.0/85.0",
            "Above" },
        { "134.99 systolic", oneAndMany(100, { 134, 80 }, { 135, 80 }), "134.99/80.0", "Below" },
    };
    for (const auto& c : cases) {
        QList<Reading> rows;
        for (qsizetype i = 0; i < c.readings.size(); ++i)
            rows.append(reading(LastDay.addDays(-(i % 4)), "7:00 PM",
                QString::number(c.readings[i].first), QString::number(c.readings[i].second)));
        const Statistics statistics = statisticsOf(rows, Id::Esh);
        EXPECT_EQ(BloodPressureSummaryText::homeWeekAverages(statistics), c.averages) << c.what;
        EXPECT_TRUE(BloodPressureSummaryText::threshold(statistics).startsWith(c.verdict))
            << c.what;
    }
}

} // namespace
