#include "bloodpressure/BloodPressureCategory.h"

#include <gtest/gtest.h>

namespace {

using Level = BloodPressureCategory::Level;

TEST(BloodPressureCategoryTest, BoundsAreInclusiveFromTheTop)
{
    struct Case {
        double value;
        Level systolic;
        Level diastolic;
    };
    const Case cases[] = {
        { 0, Level::Normal, Level::Normal },
        { 79, Level::Normal, Level::Normal },
        { 80, Level::Normal, Level::Prehypertension },
        { 89, Level::Normal, Level::Prehypertension },
        { 90, Level::Normal, Level::Stage1 },
        { 99, Level::Normal, Level::Stage1 },
        { 100, Level::Normal, Level::Stage2 },
        { 109, Level::Normal, Level::Stage2 },
        { 110, Level::Normal, Level::Crisis },
        { 119, Level::Normal, Level::Crisis },
        { 119.5, Level::Normal, Level::Crisis },
        { 120, Level::Prehypertension, Level::Crisis },
        { 139, Level::Prehypertension, Level::Crisis },
        { 140, Level::Stage1, Level::Crisis },
        { 159, Level::Stage1, Level::Crisis },
        { 160, Level::Stage2, Level::Crisis },
        { 179, Level::Stage2, Level::Crisis },
        { 180, Level::Crisis, Level::Crisis },
        { 300, Level::Crisis, Level::Crisis },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BloodPressureCategory::ofSystolic(c.value).level(), c.systolic) << c.value;
        EXPECT_EQ(BloodPressureCategory::ofDiastolic(c.value).level(), c.diastolic) << c.value;
    }
}

TEST(BloodPressureCategoryTest, ColoursMarksAndStyles)
{
    struct Case {
        Level level;
        int red, green, blue;
        const char* mark;
        bool underlined;
    };
    const Case cases[] = {
        { Level::Normal, 0, 0, 0, "", false },
        { Level::Prehypertension, 255, 128, 0, "", false },
        { Level::Stage1, 255, 0, 0, "*", false },
        { Level::Stage2, 192, 0, 0, "**", false },
        { Level::Crisis, 128, 0, 0, "", true },
    };
    for (const Case& c : cases) {
        const BloodPressureCategory category(c.level);
        EXPECT_EQ(category.red(), c.red) << c.level;
        EXPECT_EQ(category.green(), c.green) << c.level;
        EXPECT_EQ(category.blue(), c.blue) << c.level;
        EXPECT_EQ(category.mark(), QString::fromLatin1(c.mark)) << c.level;
        EXPECT_EQ(category.underlined(), c.underlined) << c.level;
    }
    // Red sits in the low byte, as in the settings files.
    EXPECT_EQ(BloodPressureCategory(Level::Prehypertension).colour(), 0x0080FF);
}

} // namespace
