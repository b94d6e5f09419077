#include "storage/GColor3File.h"

#include "TemporaryProgramFolder.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

QByteArray textRecordAt(int record, const QByteArray& text)
{
    QByteArray bytes((record - 1) * GColor3File::RecordLength, '\0');
    QByteArray value(GColor3File::RecordLength, '\0');
    value[0] = char(text.size());
    value.replace(2, text.size(), text);
    return bytes + value;
}

TEST(GColor3File, FreshFolderGivesDefaultsAndCreatesEmptyFile)
{
    TemporaryProgramFolder temp;
    const GColor3File settings(temp.folder());

    EXPECT_FALSE(settings.displayModeSmaller());
    EXPECT_TRUE(temp.exists("GColor3.Fil"));
    EXPECT_EQ(settings.displayModeText(), "");
    EXPECT_EQ(settings.windowHeight(), 0);
    EXPECT_EQ(settings.windowWidth(), 0);
    EXPECT_EQ(settings.appliedWindowHeight(), 9000);
    EXPECT_EQ(settings.appliedWindowWidth(), 12000);
    EXPECT_FALSE(settings.passwordKeeperGuideLinesOn());
    EXPECT_FALSE(settings.weightGuideLinesOn());
    EXPECT_FALSE(settings.bloodPressureGuideLinesOn());
    EXPECT_TRUE(settings.passwordKeeperPanelColour().isEmpty());
    EXPECT_EQ(settings.passwordKeeperPanelColour().resolve(12632256, 12632256), 12632256);
    EXPECT_EQ(QFileInfo(temp.filePath("GColor3.Fil")).size(), 0);
}

TEST(GColor3File, DisplayModeComparesOnlyTheFirstThreeCharacters)
{
    const struct {
        const char* stored;
        bool smaller;
    } cases[] = { { "Yes", true }, { "Yesterday", true }, { "No", false }, { "yes", false },
        { " Yes", false }, { "Ye", false } };
    for (const auto& c : cases) {
        TemporaryProgramFolder temp;
        temp.write("GColor3.Fil", textRecordAt(35, c.stored));
        const GColor3File settings(temp.folder());
        EXPECT_EQ(settings.displayModeSmaller(), c.smaller) << c.stored;
        EXPECT_EQ(settings.displayModeText(), QString::fromLatin1(c.stored));
    }
}

TEST(GColor3File, DisplayModeIsStoredAsYesOrNo)
{
    TemporaryProgramFolder temp;
    const GColor3File settings(temp.folder());

    ASSERT_TRUE(settings.setDisplayModeSmaller(true));
    EXPECT_EQ(temp.read("GColor3.Fil"), textRecordAt(35, "Yes"));
    ASSERT_TRUE(settings.setDisplayModeSmaller(false));
    EXPECT_EQ(settings.displayModeText(), "No");
    EXPECT_FALSE(settings.displayModeSmaller());
}

TEST(GColor3File, WindowSizeIsRaisedOnlyWhenApplied)
{
    TemporaryProgramFolder temp;
    const GColor3File settings(temp.folder());

    ASSERT_TRUE(settings.setWindowHeight(5000));
    ASSERT_TRUE(settings.setWindowWidth(8000));
    EXPECT_EQ(settings.windowHeight(), 5000);
    EXPECT_EQ(settings.windowWidth(), 8000);
    EXPECT_EQ(settings.appliedWindowHeight(), 9000);
    EXPECT_EQ(settings.appliedWindowWidth(), 12000);

    ASSERT_TRUE(settings.setWindowHeight(11200));
    ASSERT_TRUE(settings.setWindowWidth(15100));
    EXPECT_EQ(settings.appliedWindowHeight(), 11200);
    EXPECT_EQ(settings.appliedWindowWidth(), 15100);

    const QByteArray bytes = temp.read("GColor3.Fil");
    ASSERT_EQ(bytes.size(), 37 * 20);
    EXPECT_EQ(bytes.mid(35 * 20, 2), QByteArray("\xC0\x2B", 2)); // 11200
    EXPECT_EQ(bytes.mid(36 * 20, 2), QByteArray("\xFC\x3A", 2)); // 15100
}

TEST(GColor3File, SizeBeyondSixteenBitsIsNotStored)
{
    TemporaryProgramFolder temp;
    const GColor3File settings(temp.folder());
    ASSERT_TRUE(settings.setWindowWidth(15100));

    // A 2560-pixel screen is 38400 twips wide.
    EXPECT_FALSE(settings.setWindowWidth(38400));
    EXPECT_EQ(settings.windowWidth(), 15100);
}

TEST(GColor3File, GuideLineOptionsAreSeparateRecords)
{
    TemporaryProgramFolder temp;
    const GColor3File settings(temp.folder());

    ASSERT_TRUE(settings.setWeightGuideLines(true));
    EXPECT_TRUE(settings.weightGuideLinesOn());
    EXPECT_FALSE(settings.bloodPressureGuideLinesOn());
    EXPECT_FALSE(settings.passwordKeeperGuideLinesOn());

    ASSERT_TRUE(settings.setPasswordKeeperGuideLines(true));
    ASSERT_TRUE(settings.setWeightGuideLines(false));
    EXPECT_TRUE(settings.passwordKeeperGuideLinesOn());
    EXPECT_FALSE(settings.weightGuideLinesOn());
    EXPECT_EQ(temp.read("GColor3.Fil").mid(25 * 20, 3),
        QByteArray("\x01\x00"
                   "1",
            3));
}

TEST(GColor3File, KeeperPanelColourRoundTrips)
{
    TemporaryProgramFolder temp;
    const GColor3File settings(temp.folder());

    ASSERT_TRUE(settings.setPasswordKeeperPanelColour(StoredColour::fromValue(8388736)));
    EXPECT_EQ(settings.passwordKeeperPanelColour(), StoredColour::fromValue(8388736));
    ASSERT_TRUE(settings.setPasswordKeeperPanelColour(StoredColour::systemDefault()));
    EXPECT_TRUE(settings.passwordKeeperPanelColour().isDefault());
    EXPECT_EQ(temp.read("GColor3.Fil").mid(103 * 20, 9),
        QByteArray("\x07\x00"
                   "Default",
            9));
}

} // namespace
