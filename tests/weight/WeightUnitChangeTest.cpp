#include "../backup/FaultyFileOperations.h"
#include "TemporaryProgramFolder.h"

#include "backup/FileSetTransaction.h"
#include "storage/ProgramSettings.h"
#include "storage/WeightPersonSettings.h"
#include "weight/WeightFile.h"
#include "weight/WeightUnitChange.h"

#include <gtest/gtest.h>

namespace {

using Unit = WeightPersonSettings::Unit;
using Values = WeightPersonSettings::Values;
using Mode = WeightUnitChange::Mode;

// Ann, in pounds, with three weigh-ins and a note that must keep its bytes.
void storeAnn(const ProgramFolder& folder)
{
    WeightFile file;
    file.name = "Ann";
    file.beginningDate = "January 01, 2013";
    file.beginningWeight = "200";
    file.goalWeight = "165.5";
    file.rows = { { "January 08, 2013", "198.5" }, { "January 15, 2013", "197.25" },
        { "January 22, 2013", "" } };
    file.comments = "walks\r\ndaily";
    ASSERT_TRUE(file.SaveWeightFile(folder));
    ASSERT_TRUE(WeightPersonSettings(folder).write("Ann", { Unit::Pounds, true, std::nullopt }));
    ASSERT_TRUE(ProgramSettings(folder).setBackupsKept(4));
}

WeightFile loadAnn(const ProgramFolder& folder)
{
    const std::optional<WeightFile> file = WeightFile::LoadWeightFile(folder, "Ann");
    EXPECT_TRUE(file);
    return file.value_or(WeightFile {});
}

} // namespace

TEST(WeightUnitChange, ConvertsAWeightToATenthAsTheWeightBoxTakesIt)
{
    struct Case {
        const char* stored;
        Unit from;
        Unit to;
        const char* converted;
    };
    const Case cases[] = {
        { "200", Unit::Pounds, Unit::Kilograms, "90.7" },
        { "90.7", Unit::Kilograms, Unit::Pounds, "200" },
        { "197.25", Unit::Pounds, Unit::Kilograms, "89.5" },
        { "80", Unit::Kilograms, Unit::Pounds, "176.4" },
        // What is no weight stays as typed.
        { "", Unit::Pounds, Unit::Kilograms, "" },
        { "heavy", Unit::Pounds, Unit::Kilograms, "heavy" },
        { "0", Unit::Pounds, Unit::Kilograms, "0" },
        { "0.01", Unit::Kilograms, Unit::Pounds, "0.01" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(WeightUnitChange::converted(QString::fromLatin1(c.stored), c.from, c.to),
            QString::fromLatin1(c.converted));
    }
}

TEST(WeightUnitChange, AChoiceIsNeededOnlyWhenWeighInsChangeUnit)
{
    const QList<WeighIn> weighIns { { "January 08, 2013", "198.5" } };
    const QList<WeighIn> datesOnly { { "January 08, 2013", "" } };
    const Values none;
    const Values pounds { Unit::Pounds, false, std::nullopt };
    const Values kilograms { Unit::Kilograms, false, std::nullopt };
    EXPECT_TRUE(WeightUnitChange::needsChoice(weighIns, pounds, kilograms));
    EXPECT_TRUE(WeightUnitChange::needsChoice(weighIns, none, kilograms));
    EXPECT_FALSE(WeightUnitChange::needsChoice(weighIns, pounds, pounds));
    EXPECT_FALSE(WeightUnitChange::needsChoice(datesOnly, pounds, kilograms));
    // Converting needs a unit on both sides.
    EXPECT_TRUE(WeightUnitChange::convertRefusal(pounds, kilograms).isEmpty());
    EXPECT_FALSE(WeightUnitChange::convertRefusal(none, kilograms).isEmpty());
    EXPECT_FALSE(WeightUnitChange::convertRefusal(pounds, none).isEmpty());
}

TEST(WeightUnitChange, RelabellingKeepsTheWeightFileByteForByte)
{
    TemporaryProgramFolder program;
    storeAnn(program.folder());
    const QByteArray before = program.read("Ann.Fil");
    DiskFileOperations files;
    ASSERT_TRUE(WeightUnitChange::apply(
        program.folder(), "Ann", { Unit::Kilograms, false, std::nullopt }, Mode::Relabel, files));
    EXPECT_EQ(program.read("Ann.Fil"), before);
    EXPECT_EQ(WeightPersonSettings(program.folder()).read("Ann").unit, Unit::Kilograms);
}

TEST(WeightUnitChange, ConvertingRewritesEveryWeightAndKeepsTheRest)
{
    TemporaryProgramFolder program;
    storeAnn(program.folder());
    const WeightFile before = loadAnn(program.folder());
    DiskFileOperations files;
    ASSERT_TRUE(WeightUnitChange::apply(
        program.folder(), "Ann", { Unit::Kilograms, false, std::nullopt }, Mode::Convert, files));

    const WeightFile after = loadAnn(program.folder());
    EXPECT_EQ(after.beginningWeight, "90.7");
    EXPECT_EQ(after.goalWeight, "75.1");
    ASSERT_GE(after.rows.size(), 3);
    EXPECT_EQ(after.rows[0], (WeighIn { "January 08, 2013", "90" }));
    EXPECT_EQ(after.rows[1], (WeighIn { "January 15, 2013", "89.5" }));
    EXPECT_EQ(after.rows[2], (WeighIn { "January 22, 2013", "" }));
    EXPECT_EQ(after.comments, before.comments);
    EXPECT_EQ(after.beginningDate, before.beginningDate);
    EXPECT_EQ(WeightPersonSettings(program.folder()).read("Ann").unit, Unit::Kilograms);
    // The other settings in the same file are kept, and nothing is left over.
    EXPECT_EQ(ProgramSettings(program.folder()).backupsKept(), 4);
    EXPECT_FALSE(FileSetTransaction::hasUnfinishedRun(program.path()));

    // Without a unit there is nothing to convert from: nothing changes.
    ASSERT_TRUE(WeightPersonSettings(program.folder()).write("Ann", {}));
    const QByteArray kept = program.read("Ann.Fil");
    EXPECT_FALSE(WeightUnitChange::apply(
        program.folder(), "Ann", { Unit::Pounds, false, std::nullopt }, Mode::Convert, files));
    EXPECT_EQ(program.read("Ann.Fil"), kept);
}

// A conversion stopped after any one of its steps leaves, once the folder is
// opened again, the weights in pounds labelled pounds or the weights in
// kilograms labelled kilograms.
TEST(WeightUnitChange, AConversionCutShortLeavesTheOldPairOrTheNew)
{
    TemporaryProgramFolder reference;
    storeAnn(reference.folder());
    const QByteArray oldFile = reference.read("Ann.Fil");
    DiskFileOperations disk;
    ASSERT_TRUE(WeightUnitChange::apply(
        reference.folder(), "Ann", { Unit::Kilograms, false, std::nullopt }, Mode::Convert, disk));
    const QByteArray newFile = reference.read("Ann.Fil");

    bool finished = false;
    for (int step = 1; !finished && step < 100; ++step) {
        SCOPED_TRACE(step);
        TemporaryProgramFolder program;
        storeAnn(program.folder());
        FaultyFileOperations files;
        files.crashAt(step);
        try {
            finished = WeightUnitChange::apply(program.folder(), "Ann",
                { Unit::Kilograms, false, std::nullopt }, Mode::Convert, files)
                           .succeeded;
        } catch (const FaultyFileOperations::Crash&) { }
        DiskFileOperations reopening;
        FileSetTransaction::recover(program.path(), reopening);
        const QByteArray bytes = program.read("Ann.Fil");
        const std::optional<Unit> unit = WeightPersonSettings(program.folder()).read("Ann").unit;
        if (unit == Unit::Pounds)
            EXPECT_EQ(bytes, oldFile);
        else
            EXPECT_EQ(bytes, newFile);
        EXPECT_TRUE(unit == Unit::Pounds || unit == Unit::Kilograms);
        EXPECT_FALSE(FileSetTransaction::hasUnfinishedRun(program.path()));
    }
    EXPECT_TRUE(finished);
}
