#include "storage/GColor1File.h"

#include "TemporaryProgramFolder.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

// The bytes of a file whose record n (length 20) holds text and whose earlier
// records are empty.
QByteArray textRecordAt(int record, const QByteArray& text)
{
    QByteArray bytes((record - 1) * GColor1File::RecordLength, '\0');
    QByteArray value(GColor1File::RecordLength, '\0');
    value[0] = char(text.size());
    value.replace(2, text.size(), text);
    return bytes + value;
}

TEST(GColor1File, FreshFolderGivesDefaultsAndCreatesEmptyFile)
{
    TemporaryProgramFolder temp;
    const GColor1File settings(temp.folder());

    EXPECT_TRUE(settings.sharedPanelColour().isDefault());
    EXPECT_TRUE(temp.exists("GColor1.Fil"));
    EXPECT_EQ(QFileInfo(temp.filePath("GColor1.Fil")).size(), 0);

    const qint32 swatch = 12632256;
    EXPECT_TRUE(settings.weightPanelColour().isEmpty());
    EXPECT_EQ(settings.weightPanelColour().resolve(swatch, StoredColour::TrackerPanelFallback),
        StoredColour::fromRgb(0, 128, 128).value());
    EXPECT_EQ(
        settings.bloodPressurePanelColour().resolve(swatch, StoredColour::TrackerPanelFallback),
        StoredColour::fromRgb(0, 128, 128).value());
    EXPECT_TRUE(settings.weightGridBackground().isNotSet());
    EXPECT_TRUE(settings.bloodPressureGridBackground().isNotSet());
    EXPECT_TRUE(settings.weightDateCheckerOn());
    EXPECT_TRUE(settings.bloodPressureDateCheckerOn());
    EXPECT_EQ(QFileInfo(temp.filePath("GColor1.Fil")).size(), 0);
}

TEST(GColor1File, EveryRecordRoundTripsInItsOwnRecord)
{
    TemporaryProgramFolder temp;
    const GColor1File settings(temp.folder());

    ASSERT_TRUE(settings.setSharedPanelColour(StoredColour::fromValue(255)));
    ASSERT_TRUE(settings.setWeightPanelColour(StoredColour::systemDefault()));
    ASSERT_TRUE(settings.setBloodPressurePanelColour(StoredColour::fromValue(qint32(0x80000005))));
    ASSERT_TRUE(settings.setWeightGridBackground(BackgroundSetting::picture(5)));
    ASSERT_TRUE(settings.setBloodPressureGridBackground(BackgroundSetting::colour(65280)));
    ASSERT_TRUE(settings.setWeightDateChecker(false));

    EXPECT_EQ(settings.sharedPanelColour(), StoredColour::fromValue(255));
    EXPECT_TRUE(settings.weightPanelColour().isDefault());
    EXPECT_EQ(settings.bloodPressurePanelColour().value(), qint32(0x80000005));
    EXPECT_EQ(settings.weightGridBackground().pictureName(), "WP5");
    EXPECT_EQ(settings.bloodPressureGridBackground(), BackgroundSetting::colour(65280));
    EXPECT_FALSE(settings.weightDateCheckerOn());
    EXPECT_TRUE(settings.bloodPressureDateCheckerOn());

    ASSERT_TRUE(settings.setBloodPressureGridBackground(BackgroundSetting::systemDefault()));
    EXPECT_TRUE(settings.bloodPressureGridBackground().isDefault());
    EXPECT_EQ(settings.weightGridBackground().pictureName(), "WP5");
}

TEST(GColor1File, ColourIsStoredAsDecimalText)
{
    TemporaryProgramFolder temp;
    const GColor1File settings(temp.folder());
    ASSERT_TRUE(settings.setWeightPanelColour(StoredColour::fromRgb(0, 128, 128)));

    EXPECT_EQ(temp.read("GColor1.Fil"), textRecordAt(80, "8421376"));
}

TEST(GColor1File, DateCheckerStoresOffOrTheEmptyText)
{
    TemporaryProgramFolder temp;
    const GColor1File settings(temp.folder());

    ASSERT_TRUE(settings.setBloodPressureDateChecker(false));
    EXPECT_EQ(temp.read("GColor1.Fil"), textRecordAt(84, "OFF"));

    ASSERT_TRUE(settings.setBloodPressureDateChecker(true));
    EXPECT_EQ(temp.read("GColor1.Fil"), QByteArray(84 * 20, '\0'));
    EXPECT_TRUE(settings.bloodPressureDateCheckerOn());
}

TEST(GColor1File, OnlyOffSwitchesTheCheckerOff)
{
    TemporaryProgramFolder temp;
    temp.write("GColor1.Fil", textRecordAt(83, " OFF "));
    EXPECT_FALSE(GColor1File(temp.folder()).weightDateCheckerOn());
    temp.write("GColor1.Fil", textRecordAt(83, "off"));
    EXPECT_TRUE(GColor1File(temp.folder()).weightDateCheckerOn());
}

TEST(GColor1File, LettersInPanelRecordGiveTheFallback)
{
    TemporaryProgramFolder temp;
    temp.write("GColor1.Fil", textRecordAt(85, "purple"));
    const StoredColour stored = GColor1File(temp.folder()).bloodPressurePanelColour();
    EXPECT_EQ(
        stored.resolve(1, StoredColour::TrackerPanelFallback), StoredColour::TrackerPanelFallback);
}

TEST(GColor1File, TooLongTextLeavesTheRecordAsItWas)
{
    TemporaryProgramFolder temp;
    const GColor1File settings(temp.folder());
    ASSERT_TRUE(settings.setWeightGridBackground(BackgroundSetting::picture(3)));

    EXPECT_FALSE(settings.setWeightGridBackground(BackgroundSetting::parse("nineteen characters")));
    EXPECT_EQ(settings.weightGridBackground().pictureName(), "WP3");
}

TEST(GColor1File, ExistingFileIsFoundInAnyLetterCase)
{
    TemporaryProgramFolder temp;
    temp.write("gcolor1.fil", textRecordAt(49, "255"));
    const GColor1File settings(temp.folder());

    EXPECT_EQ(settings.sharedPanelColour(), StoredColour::fromValue(255));
    ASSERT_TRUE(settings.setWeightDateChecker(false));
    EXPECT_FALSE(settings.weightDateCheckerOn());
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files), QStringList { "gcolor1.fil" });
    EXPECT_EQ(temp.read("gcolor1.fil").size(), 83 * 20);
}

} // namespace
