#include "bloodpressure/BloodPressureGuideline.h"
#include "storage/ProgramFolder.h"
#include "storage/ProgramSettings.h"

#include "TemporaryProgramFolder.h"

#include <gtest/gtest.h>

namespace {

using Guideline = BloodPressureGuideline;
using Id = Guideline::Id;

QString systolicName(Id id, double value)
{
    const Guideline& guideline = Guideline::of(id);
    return guideline.category(guideline.ofSystolic(value)).name;
}

QString diastolicName(Id id, double value)
{
    const Guideline& guideline = Guideline::of(id);
    return guideline.category(guideline.ofDiastolic(value)).name;
}

TEST(BloodPressureGuidelineTest, EveryBoundOfEveryGuideline)
{
    struct Case {
        Id guideline;
        double value;
        const char* systolic;
        const char* diastolic;
    };
    const Case cases[] = {
        { Id::AccAha, 69, "Normal", "Normal" },
        { Id::AccAha, 79, "Normal", "Normal" },
        { Id::AccAha, 80, "Normal", "Stage 1" },
        { Id::AccAha, 89, "Normal", "Stage 1" },
        { Id::AccAha, 90, "Normal", "Stage 2" },
        { Id::AccAha, 119, "Normal", "Stage 2" },
        { Id::AccAha, 120, "Elevated", "Stage 2" },
        { Id::AccAha, 121, "Elevated", "Hypertensive crisis" },
        { Id::AccAha, 129, "Elevated", "Hypertensive crisis" },
        { Id::AccAha, 130, "Stage 1", "Hypertensive crisis" },
        { Id::AccAha, 139, "Stage 1", "Hypertensive crisis" },
        { Id::AccAha, 140, "Stage 2", "Hypertensive crisis" },
        // Above 180: 180 itself is still stage 2.
        { Id::AccAha, 180, "Stage 2", "Hypertensive crisis" },
        { Id::AccAha, 180.5, "Hypertensive crisis", "Hypertensive crisis" },
        { Id::AccAha, 181, "Hypertensive crisis", "Hypertensive crisis" },

        { Id::Esh, 79, "Optimal", "Optimal" },
        { Id::Esh, 80, "Optimal", "Normal" },
        { Id::Esh, 84, "Optimal", "Normal" },
        { Id::Esh, 85, "Optimal", "High normal" },
        { Id::Esh, 89, "Optimal", "High normal" },
        { Id::Esh, 90, "Optimal", "Grade 1" },
        { Id::Esh, 99, "Optimal", "Grade 1" },
        { Id::Esh, 100, "Optimal", "Grade 2" },
        { Id::Esh, 109, "Optimal", "Grade 2" },
        { Id::Esh, 110, "Optimal", "Grade 3" },
        { Id::Esh, 119, "Optimal", "Grade 3" },
        { Id::Esh, 120, "Normal", "Grade 3" },
        { Id::Esh, 129, "Normal", "Grade 3" },
        { Id::Esh, 130, "High normal", "Grade 3" },
        { Id::Esh, 139, "High normal", "Grade 3" },
        { Id::Esh, 140, "Grade 1", "Grade 3" },
        { Id::Esh, 159, "Grade 1", "Grade 3" },
        { Id::Esh, 160, "Grade 2", "Grade 3" },
        { Id::Esh, 179, "Grade 2", "Grade 3" },
        { Id::Esh, 180, "Grade 3", "Grade 3" },

        { Id::Esc, 69, "Non-elevated", "Non-elevated" },
        { Id::Esc, 70, "Non-elevated", "Elevated" },
        { Id::Esc, 89, "Non-elevated", "Elevated" },
        { Id::Esc, 90, "Non-elevated", "Hypertension" },
        { Id::Esc, 119, "Non-elevated", "Hypertension" },
        { Id::Esc, 120, "Elevated", "Hypertension" },
        { Id::Esc, 139, "Elevated", "Hypertension" },
        { Id::Esc, 140, "Hypertension", "Hypertension" },

        { Id::Own, 79, "Normal", "Normal" },
        { Id::Own, 80, "Normal", "Prehypertension" },
        { Id::Own, 110, "Normal", "Hypertensive Crisis" },
        { Id::Own, 139, "Prehypertension", "Hypertensive Crisis" },
        { Id::Own, 140, "High Blood Pressure Stage 1", "Hypertensive Crisis" },
        { Id::Own, 180, "Hypertensive Crisis", "Hypertensive Crisis" },
    };
    for (const Case& c : cases) {
        const QString guideline = Guideline::key(c.guideline);
        EXPECT_EQ(systolicName(c.guideline, c.value), c.systolic)
            << guideline.toStdString() << " " << c.value;
        EXPECT_EQ(diastolicName(c.guideline, c.value), c.diastolic)
            << guideline.toStdString() << " " << c.value;
    }
}

TEST(BloodPressureGuidelineTest, AReadingTakesTheMoreSevereOfItsValues)
{
    struct Case {
        Id guideline;
        std::optional<double> systolic;
        std::optional<double> diastolic;
        std::optional<QString> expected;
    };
    const Case cases[] = {
        // Elevated has no diastolic range: 125 over 85 is stage 1 by its
        // diastolic, 125 over 75 elevated by its systolic.
        { Id::AccAha, 125, 85, QStringLiteral("Stage 1") },
        { Id::AccAha, 125, 75, QStringLiteral("Elevated") },
        { Id::Esh, 118, 101, QStringLiteral("Grade 2") },
        { Id::Esh, 165, 70, QStringLiteral("Grade 2") },
        { Id::Esc, 118, 72, QStringLiteral("Elevated") },
        { Id::Own, 185, 60, QStringLiteral("Hypertensive Crisis") },
        // One value alone still gives a category; none gives none.
        { Id::Esc, std::nullopt, 95, QStringLiteral("Hypertension") },
        { Id::Esc, std::nullopt, std::nullopt, std::nullopt },
    };
    for (const Case& c : cases) {
        const Guideline& guideline = Guideline::of(c.guideline);
        const std::optional<int> category = guideline.ofReading(c.systolic, c.diastolic);
        ASSERT_EQ(category.has_value(), c.expected.has_value());
        if (category) {
            EXPECT_EQ(guideline.category(*category).name, *c.expected);
        }
    }
}

// ESH 2023's table: isolated systolic is 140 or more over below 90,
// isolated diastolic below 140 under 90 or more; 140/90 is neither.
TEST(BloodPressureGuidelineTest, OnlyEshMarksIsolatedHypertension)
{
    const Guideline& esh = Guideline::of(Id::Esh);
    const struct {
        double systolic;
        double diastolic;
        bool isolatedSystolic;
        bool isolatedDiastolic;
    } cases[] = {
        { 140, 89, true, false },
        { 140, 89.5, true, false },
        { 180, 70, true, false },
        { 139, 90, false, true },
        { 139.5, 90, false, true },
        { 120, 110, false, true },
        { 140, 90, false, false },
        { 139, 89, false, false },
        { 150, 95, false, false },
        { 120, 80, false, false },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(esh.isIsolatedSystolic(c.systolic, c.diastolic), c.isolatedSystolic)
            << c.systolic << "/" << c.diastolic;
        EXPECT_EQ(esh.isIsolatedDiastolic(c.systolic, c.diastolic), c.isolatedDiastolic)
            << c.systolic << "/" << c.diastolic;
    }
    EXPECT_TRUE(esh.marksIsolated());
    for (const Id other : { Id::Own, Id::AccAha, Id::Esc }) {
        EXPECT_FALSE(Guideline::of(other).marksIsolated());
        EXPECT_FALSE(Guideline::of(other).isIsolatedSystolic(160, 70));
        EXPECT_FALSE(Guideline::of(other).isIsolatedDiastolic(120, 100));
    }
}

TEST(BloodPressureGuidelineTest, HomeThresholds)
{
    EXPECT_EQ(Guideline::of(Id::AccAha).homeSystolicThreshold(), 130);
    EXPECT_EQ(Guideline::of(Id::AccAha).homeDiastolicThreshold(), 80);
    for (const Id id : { Id::Own, Id::Esh, Id::Esc }) {
        EXPECT_EQ(Guideline::of(id).homeSystolicThreshold(), 135);
        EXPECT_EQ(Guideline::of(id).homeDiastolicThreshold(), 85);
    }
}

TEST(BloodPressureGuidelineTest, StoredInTheProgramSettingsAndReadBack)
{
    TemporaryProgramFolder temporary;
    const ProgramFolder folder(temporary.path());
    // Nothing chosen yet: the program's own table.
    EXPECT_EQ(Guideline::stored(folder), Id::Own);
    for (const Id id : Guideline::all()) {
        ASSERT_TRUE(Guideline::store(folder, id));
        EXPECT_EQ(Guideline::stored(folder), id);
    }
    ASSERT_TRUE(ProgramSettings(folder).setBloodPressureGuideline(QStringLiteral("who 2030")));
    EXPECT_EQ(Guideline::stored(folder), Id::Own);
    EXPECT_EQ(Guideline::fromKey(QStringLiteral(" ACC-AHA ")), Id::AccAha);
}

} // namespace
