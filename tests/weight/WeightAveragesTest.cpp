#include "weight/WeightAverages.h"
#include "storage/StoredDate.h"

#include <QDate>

#include <gtest/gtest.h>

namespace {

using Period = WeightAverages::Period;

WeighIn on(int year, int month, int day, const QString& weight)
{
    return { StoredDate::longText(QDate(year, month, day)), weight };
}

} // namespace

// December 29, 2025 to January 4, 2026 is week 1 of 2026; December 28, 2025
// closes week 52 of 2025; January 1, 2027 belongs to week 53 of 2026.
TEST(WeightAveragesTest, WeeksFollowIsoYearsAcrossTheYearBoundary)
{
    const WeightTrend trend({ on(2026, 1, 2, "190"), on(2025, 12, 28, "200"),
        on(2025, 12, 29, "196"), { "", "" }, on(2026, 1, 4, "191"), on(2027, 1, 1, "170") });
    const QList<Period> weekly = WeightAverages::weekly(trend);
    ASSERT_EQ(weekly.size(), 3);
    EXPECT_EQ(weekly[0], (Period { "2025-W52", 1, 200, std::nullopt }));
    EXPECT_EQ(weekly[1].label, "2026-W01");
    EXPECT_EQ(weekly[1].weighIns, 3);
    EXPECT_NEAR(weekly[1].average, 192.333333333, 1e-6);
    EXPECT_NEAR(*weekly[1].change, -7.666666667, 1e-6);
    EXPECT_EQ(weekly[2].label, "2026-W53");
    EXPECT_NEAR(*weekly[2].change, 170 - weekly[1].average, 1e-9);
}

TEST(WeightAveragesTest, MonthsListOnlyThoseWithWeighIns)
{
    const WeightTrend trend({ on(2026, 1, 31, "180"), on(2026, 1, 1, "184"),
        on(2026, 4, 15, "175.5"), on(2026, 4, 1, "176.5") });
    const QList<Period> monthly = WeightAverages::monthly(trend);
    EXPECT_EQ(monthly,
        (QList<Period> { { "2026-01", 2, 182, std::nullopt }, { "2026-04", 2, 176, -6.0 } }));
    EXPECT_TRUE(WeightAverages::monthly(WeightTrend({})).isEmpty());
}
