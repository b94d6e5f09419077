#include "bloodpressure/BloodPressureAverages.h"

#include <gtest/gtest.h>

namespace {

Reading reading(const char* systolic, const char* diastolic, const char* pulse)
{
    return { QStringLiteral("March 05, 2012"), QStringLiteral("7:05 AM"),
        QString::fromLatin1(systolic), QString::fromLatin1(diastolic), QString::fromLatin1(pulse) };
}

using Labels = std::array<QString, 4>;

TEST(BloodPressureAveragesTest, AveragesAndTheirLabels)
{
    struct Case {
        const char* what;
        QList<Reading> readings;
        Labels fullScreen;
        Labels smallerScreen;
    };
    const Case cases[] = {
        { "halves rounded up", { reading("120", "80", "70"), reading("131", "85", "74") },
            { "Averages:", "126", " 83", " 72" }, { "Averages:", "126", "83", "72" } },
        { "pulses only", { reading("", "", "70"), reading("", "", "73") }, { "", "", "", " 72" },
            { "", "", "", "72" } },
        { "diastolic alone earns the caption", { reading("", "90", "") },
            { "Averages:", "", " 90", "" }, { "Averages:", "", "90", "" } },
        { "empty log", {}, { "", "", "", "" }, { "", "", "", "" } },
        { "empty rows", { reading("", "", ""), reading(" ", " ", " ") }, { "", "", "", "" },
            { "", "", "", "" } },
    };
    for (const Case& c : cases) {
        const auto averages = BloodPressureAverages::RecomputeAverages(c.readings);
        EXPECT_EQ(averages.labelTexts(true), c.fullScreen) << c.what;
        EXPECT_EQ(averages.labelTexts(false), c.smallerScreen) << c.what;
    }
}

TEST(BloodPressureAveragesTest, OnlyValuesOfTwentyOrMoreCount)
{
    struct Case {
        QList<const char*> systolic;
        std::optional<int> expected;
    };
    const Case cases[] = {
        { { "15" }, std::nullopt },
        { { "20" }, 20 },
        { { "19.9", "130" }, 130 },
        { { "15", "20", "120" }, 70 },
        { { "abc", "N/A", "", "140" }, 140 },
        { { " 125abc " }, 125 }, // the leading number counts
        { { "120", "121" }, 121 }, // 120.5
        { { "120", "120", "121" }, 120 }, // 120.33
        { { "120.5" }, 121 },
    };
    for (const Case& c : cases) {
        QList<Reading> readings;
        for (const char* value : c.systolic)
            readings.append(reading(value, "", ""));
        EXPECT_EQ(BloodPressureAverages::RecomputeAverages(readings).systolic, c.expected)
            << c.systolic.size() << " " << c.systolic.first();
    }
}

TEST(BloodPressureAveragesTest, UndatedRowsCountToo)
{
    QList<Reading> readings = { reading("120", "80", "70"), reading("140", "90", "80") };
    readings[0].date.clear();
    const auto averages = BloodPressureAverages::RecomputeAverages(readings);
    EXPECT_EQ(averages.systolic, 130);
    EXPECT_EQ(averages.diastolic, 85);
    EXPECT_EQ(averages.pulse, 75);
}

} // namespace
