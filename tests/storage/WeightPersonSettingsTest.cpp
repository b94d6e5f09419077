#include "ReadOnlyFolder.h"
#include "TemporaryProgramFolder.h"

#include "storage/ProgramSettings.h"
#include "storage/WeightPersonSettings.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

using Unit = WeightPersonSettings::Unit;
using Values = WeightPersonSettings::Values;

const QByteArray AnnFile = "\"50\"\r\n\"January 01, 2013\"\r\n\"200\"\r\n";

} // namespace

TEST(WeightPersonSettings, AbsentSettingsReadAsNoUnitWithoutHeightAndCreateNothing)
{
    TemporaryProgramFolder program;
    const WeightPersonSettings settings(program.folder());
    QString problem = "unset";
    EXPECT_EQ(settings.read("Ann", &problem), Values {});
    EXPECT_TRUE(problem.isEmpty());
    EXPECT_FALSE(settings.isSet("Ann"));
    EXPECT_FALSE(program.exists("Halvorn.ini"));
}

// Names QSettings would otherwise split, escape or fold: each reads back as
// its own person, matched as the lists match names (trimmed, any case).
TEST(WeightPersonSettings, AnyNameRoundTripsAndMatchesInAnyLetterCase)
{
    TemporaryProgramFolder program;
    const WeightPersonSettings settings(program.folder());
    const QList<std::pair<QString, Values>> people = {
        { "Ann/Bob", { Unit::Kilograms, false, 170 } },
        { "C:\\Dee", { Unit::Pounds, true, 64.5 } },
        { "Smith, Ann 2012", { Unit::Pounds, false, std::nullopt } },
        { "Zoë =x; [y]", { Unit::Kilograms, false, 181 } },
        { "ann", { Unit::Pounds, true, 70 } },
    };
    for (const auto& [name, values] : people)
        ASSERT_TRUE(settings.write(name, values).succeeded) << name.toStdString();
    // The program's own settings beside them survive.
    ASSERT_TRUE(ProgramSettings(program.folder()).setBackupsKept(4).succeeded);

    const WeightPersonSettings again(program.folder());
    for (const auto& [name, values] : people)
        EXPECT_EQ(again.read(name), values) << name.toStdString();
    EXPECT_EQ(again.read("  ANN/bob "), people[0].second);
    EXPECT_EQ(again.read("Ann"), people[4].second);
    EXPECT_FALSE(again.isSet("Ann/Bob/"));
    EXPECT_EQ(ProgramSettings(program.folder()).backupsKept(), 4);
}

TEST(WeightPersonSettings, StonesBelongToPoundsAndHeightsOutOfRangeAreRefused)
{
    TemporaryProgramFolder program;
    const WeightPersonSettings settings(program.folder());
    ASSERT_TRUE(settings.write("Ann", { Unit::Kilograms, true, 170 }).succeeded);
    EXPECT_FALSE(settings.read("Ann").stones);

    for (const auto& [unit, height] : { std::pair { Unit::Pounds, 0.0 }, { Unit::Pounds, 121.0 },
             { Unit::Kilograms, -5.0 }, { Unit::Kilograms, 301.0 } }) {
        const Outcome outcome = settings.write("Ann", { unit, false, height });
        EXPECT_FALSE(outcome.succeeded) << height;
        EXPECT_FALSE(outcome.reason.isEmpty());
    }
    EXPECT_EQ(settings.read("Ann"), (Values { Unit::Kilograms, false, 170 }));
}

// The settings file is damaged past reading (here a folder stands in its
// place): reading gives the defaults with the reason, writing is refused,
// and the weight files are left as they were.
TEST(WeightPersonSettings, AnUnreadableFileGivesDefaultsRefusesWritesAndLeavesWeightFiles)
{
    TemporaryProgramFolder program;
    program.write("Ann.Fil", AnnFile);
    program.write("WeightTrker.Fil", "\"Ann\"\r\n");
    ASSERT_TRUE(QDir(program.path()).mkdir("Halvorn.ini"));
    const WeightPersonSettings settings(program.folder());

    QString problem;
    EXPECT_EQ(settings.read("Ann", &problem), Values {});
    EXPECT_TRUE(problem.contains("Halvorn.ini")) << problem.toStdString();
    const Outcome written = settings.write("Ann", { Unit::Kilograms, false, 170 });
    EXPECT_FALSE(written.succeeded);
    EXPECT_EQ(written.fileName, "Halvorn.ini");
    EXPECT_EQ(program.read("Ann.Fil"), AnnFile);
    EXPECT_EQ(program.read("WeightTrker.Fil"), "\"Ann\"\r\n");
}

TEST(WeightPersonSettings, AFailedWriteSaysSoAndKeepsEveryFile)
{
    TemporaryProgramFolder program;
    program.write("Ann.Fil", AnnFile);
    const WeightPersonSettings settings(program.folder());
    ASSERT_TRUE(settings.write("Ann", { Unit::Pounds, true, 66 }).succeeded);
    const QByteArray before = program.read("Halvorn.ini");
    {
        ReadOnlyFolder readOnly(program.path());
        if (!readOnly.isEffective())
            GTEST_SKIP() << "the folder stays writable";
        const Outcome outcome = settings.write("Ann", { Unit::Kilograms, false, 170 });
        EXPECT_FALSE(outcome.succeeded);
        EXPECT_EQ(outcome.fileName, "Halvorn.ini");
    }
    EXPECT_EQ(program.read("Halvorn.ini"), before);
    EXPECT_EQ(program.read("Ann.Fil"), AnnFile);
    EXPECT_EQ(settings.read("Ann"), (Values { Unit::Pounds, true, 66 }));
}
