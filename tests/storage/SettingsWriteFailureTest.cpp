#include "storage/GColor1File.h"
#include "storage/GColor3File.h"
#include "storage/GColor4File.h"
#include "storage/ZorqNameFile.h"

#include "FailingSaves.h"
#include "ReadOnlyFolder.h"
#include "TemporaryProgramFolder.h"

#include <functional>

#include <gtest/gtest.h>

namespace {

struct Setting {
    const char* what;
    QString file;
    std::function<Outcome(const ProgramFolder&)> write;
};

// The settings the user changes from a screen, each with the file it lives in.
const QList<Setting>& settingsTheUserChanges()
{
    static const QList<Setting> settings {
        { "family name", "ZORQNAME.FIL",
            [](const ProgramFolder& f) { return ZorqNameFile(f).setFamilyName("Halvorsen"); } },
        { "display mode", "GColor3.Fil",
            [](const ProgramFolder& f) { return GColor3File(f).setDisplayModeSmaller(true); } },
        { "window size", "GColor3.Fil",
            [](const ProgramFolder& f) { return GColor3File(f).setWindowHeight(9500); } },
        { "trend switch", "GColor4.Fil",
            [](const ProgramFolder& f) { return GColor4File(f).setWeightTrendDisplay(false); } },
        { "date checker", "GColor1.Fil",
            [](const ProgramFolder& f) { return GColor1File(f).setWeightDateChecker(false); } },
    };
    return settings;
}

// A folder where the settings files cannot be created: the value was shown
// but will be gone at the next start, so the user must be told.
TEST(SettingsWriteFailure, AFolderThatRefusesTheFileNamesItAndTheReason)
{
    for (const Setting& setting : settingsTheUserChanges()) {
        TemporaryProgramFolder temp;
        ReadOnlyFolder readOnly(temp.path());
        if (!readOnly.isEffective())
            GTEST_SKIP() << "this system cannot make a folder read-only";
        const Outcome outcome = setting.write(temp.folder());
        EXPECT_FALSE(outcome.succeeded) << setting.what;
        EXPECT_EQ(outcome.fileName, setting.file) << setting.what;
        EXPECT_FALSE(outcome.reason.isEmpty()) << setting.what;
        EXPECT_NE(outcome.reason, "Unknown error") << setting.what;
    }
}

TEST(SettingsWriteFailure, ARecordCutShortSaysHowMuchCouldBeWritten)
{
    for (const Setting& setting : settingsTheUserChanges()) {
        TemporaryProgramFolder temp;
        FailingSaves diskFull(5);
        const Outcome outcome = setting.write(temp.folder());
        EXPECT_FALSE(outcome.succeeded) << setting.what;
        EXPECT_EQ(outcome.fileName, setting.file) << setting.what;
        EXPECT_TRUE(outcome.reason.startsWith("only 5 of ")) << outcome.reason.toStdString();
    }
}

TEST(SettingsWriteFailure, AValueThatDoesNotFitIsRefusedWithItsReason)
{
    TemporaryProgramFolder temp;
    const Outcome tooWide = GColor3File(temp.folder()).setWindowWidth(40000);
    EXPECT_FALSE(tooWide.succeeded);
    EXPECT_EQ(tooWide.fileName, "GColor3.Fil");
    EXPECT_EQ(tooWide.reason, "40000 twips does not fit in a 16-bit record");
    const Outcome tooLong = GColor4File(temp.folder()).setWeightPrintFontName(QString(37, 'f'));
    EXPECT_FALSE(tooLong.succeeded);
    EXPECT_EQ(tooLong.reason, "a value of 41 bytes does not fit in a record of 40 bytes");
}

} // namespace
