#include "weight/WeightUnits.h"

#include <QList>

#include <gtest/gtest.h>

TEST(WeightUnitsTest, StonesAndPoundsRoundToATenthOfAPoundFirst)
{
    const QList<std::pair<double, QString>> cases = {
        { 200, "14 st 4.0 lb" },
        { 199.96, "14 st 4.0 lb" },
        { 195.96, "14 st 0.0 lb" },
        { 195.94, "13 st 13.9 lb" },
        { 13.96, "1 st 0.0 lb" },
        { 0, "0 st 0.0 lb" },
        { 183.25, "13 st 1.3 lb" },
    };
    for (const auto& [pounds, text] : cases)
        EXPECT_EQ(WeightUnits::stonesAndPounds(pounds), text) << pounds;
}

TEST(WeightUnitsTest, BodyMassIndexBandsMeetOnTheirShownBounds)
{
    using Band = WeightUnits::Band;
    const QList<std::pair<double, Band>> bounds = {
        { 18.44, Band::Underweight },
        { 18.46, Band::Normal },
        { 18.5, Band::Normal },
        { 24.94, Band::Normal },
        { 24.96, Band::Overweight },
        { 25, Band::Overweight },
        { 29.94, Band::Overweight },
        { 29.96, Band::Obese },
        { 30, Band::Obese },
    };
    for (const auto& [index, band] : bounds)
        EXPECT_EQ(WeightUnits::bandOf(index), band) << index;

    using Unit = WeightPersonSettings::Unit;
    // 70 kg at 175 cm: 22.857; 154 lb at 69 in: 703 * 154 / 4761 = 22.739.
    const auto metric = WeightUnits::bodyMassIndex(70, { Unit::Kilograms, false, 175 });
    ASSERT_TRUE(metric);
    EXPECT_NEAR(metric->value, 22.857142857, 1e-6);
    EXPECT_EQ(WeightUnits::bodyMassIndexText(*metric), "BMI 22.9 (Normal weight, 18.5-24.9)");
    const auto imperial = WeightUnits::bodyMassIndex(154, { Unit::Pounds, false, 69 });
    ASSERT_TRUE(imperial);
    EXPECT_NEAR(imperial->value, 22.739, 1e-3);
    EXPECT_FALSE(WeightUnits::bodyMassIndex(154, { Unit::Pounds, false, std::nullopt }));
    EXPECT_EQ(WeightUnits::bandRange(Band::Obese), "30 or more");
    EXPECT_EQ(WeightUnits::bandRange(Band::Underweight), "below 18.5");
}
