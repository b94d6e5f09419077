#include "storage/BackgroundSetting.h"

#include <gtest/gtest.h>

namespace {

struct ParseCase {
    const char* text;
    BackgroundSetting::Kind kind;
    const char* stored; // toText() afterwards
    int pictureNumber;
    qint32 colour;
};

void PrintTo(const ParseCase& c, std::ostream* os)
{
    *os << "'" << c.text << "'";
}

class BackgroundSettingParse : public ::testing::TestWithParam<ParseCase>
{
};

TEST_P(BackgroundSettingParse, ReadsRecordText)
{
    const ParseCase c = GetParam();
    const BackgroundSetting setting = BackgroundSetting::parse(QString::fromLatin1(c.text));
    EXPECT_EQ(setting.kind(), c.kind);
    EXPECT_EQ(setting.toText(), QString::fromLatin1(c.stored));
    EXPECT_EQ(setting.pictureNumber(), c.pictureNumber);
    EXPECT_EQ(setting.colourValue(), c.colour);
}

INSTANTIATE_TEST_SUITE_P(Texts, BackgroundSettingParse,
    ::testing::Values(ParseCase { "WP7", BackgroundSetting::Kind::Picture, "WP7", 7, 0 },
        ParseCase { "WP16  ", BackgroundSetting::Kind::Picture, "WP16", 16, 0 },
        ParseCase { "wp3", BackgroundSetting::Kind::Picture, "wp3", 3, 0 },
        ParseCase { "WP99", BackgroundSetting::Kind::Picture, "WP99", 0, 0 },
        ParseCase { "Default", BackgroundSetting::Kind::Default, "Default", 0, 0 },
        ParseCase { "16711680", BackgroundSetting::Kind::Colour, "16711680", 0, 16711680 },
        ParseCase { "-2147483643", BackgroundSetting::Kind::Colour, "-2147483643", 0, -2147483643 },
        ParseCase { "", BackgroundSetting::Kind::NotSet, "", 0, 0 },
        ParseCase { "green", BackgroundSetting::Kind::NotSet, "green", 0, 0 }));

TEST(BackgroundSetting, PictureIsNamedByNumberAndLoadedAsJpeg)
{
    const BackgroundSetting picture = BackgroundSetting::picture(5);
    EXPECT_EQ(picture.pictureName(), "WP5");
    EXPECT_EQ(picture.pictureFileName(), "WP5.jpg");
    EXPECT_EQ(BackgroundSetting::colour(255).pictureFileName(), "");
}

TEST(BackgroundSetting, OnlyTheSixteenPicturesNameAFile)
{
    EXPECT_EQ(BackgroundSetting::parse("wp12").pictureFileName(), "WP12.jpg");
    for (const char* stored : { "WP0", "WP17", "WP", "WP3x", "WP/../../etc/passwd", "WP-1" })
        EXPECT_EQ(BackgroundSetting::parse(QString::fromLatin1(stored)).pictureFileName(), "")
            << stored;
}

} // namespace
