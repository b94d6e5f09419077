#include "storage/GZorq1File.h"

#include "TemporaryProgramFolder.h"
#include "storage/TaggedValue.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

constexpr int L = GZorq1File::RecordLength;

QByteArray record3(const QByteArray& value)
{
    return QByteArray(2 * L, '\0') + value + QByteArray(L - value.size(), '\0');
}

TEST(GZorq1File, FreshFolderGivesPureBlueAndCreatesEmptyFile)
{
    TemporaryProgramFolder temp;
    const BackgroundSetting background = GZorq1File(temp.folder()).screenBackground();

    EXPECT_EQ(background, BackgroundSetting::colour(16711680));
    EXPECT_TRUE(temp.exists("GZORQ1.Fil"));
    EXPECT_EQ(QFileInfo(temp.filePath("GZORQ1.Fil")).size(), 0);
}

TEST(GZorq1File, StoresEachKindAsItsTaggedValue)
{
    const struct {
        BackgroundSetting background;
        QByteArray bytes;
    } cases[] = {
        { BackgroundSetting::systemDefault(),
            QByteArray("\x08\x00\x03\x00"
                       "Def",
                7) },
        { BackgroundSetting::picture(7),
            QByteArray("\x08\x00\x03\x00"
                       "WP7",
                7) },
        { BackgroundSetting::picture(16),
            QByteArray("\x08\x00\x04\x00"
                       "WP16",
                8) },
        { BackgroundSetting::colour(16711680), QByteArray("\x03\x00\x00\x00\xFF\x00", 6) },
    };
    for (const auto& c : cases) {
        TemporaryProgramFolder temp;
        const GZorq1File settings(temp.folder());
        ASSERT_TRUE(settings.setScreenBackground(c.background));
        EXPECT_EQ(temp.read("GZORQ1.Fil"), record3(c.bytes)) << c.background.toText().toStdString();
        EXPECT_EQ(settings.screenBackground(), c.background);
    }
}

TEST(GZorq1File, PictureSevenIsLoadedFromItsJpegFile)
{
    TemporaryProgramFolder temp;
    temp.write("gzorq1.fil", record3(TaggedValue::fromText("WP7").encode()));
    const BackgroundSetting background = GZorq1File(temp.folder()).screenBackground();
    EXPECT_EQ(background.pictureFileName(), "WP7.jpg");
    EXPECT_EQ(background.pictureNumber(), 7);
}

TEST(GZorq1File, ReadsWhatEarlierVersionsMayHaveLeft)
{
    const struct {
        TaggedValue stored;
        BackgroundSetting read;
    } cases[] = {
        { TaggedValue::fromText(""), BackgroundSetting::colour(16711680) },
        { TaggedValue::fromText("Def  "), BackgroundSetting::systemDefault() },
        { TaggedValue::fromText("wp2"), BackgroundSetting::parse("wp2") },
        { TaggedValue::fromText("255"), BackgroundSetting::colour(255) },
        { TaggedValue::fromText("sky"), BackgroundSetting::colour(16711680) },
        { TaggedValue::fromInt16(255), BackgroundSetting::colour(255) },
        { TaggedValue::fromInt32(-2147483643), BackgroundSetting::colour(-2147483643) },
    };
    for (const auto& c : cases) {
        TemporaryProgramFolder temp;
        temp.write("GZORQ1.Fil", record3(c.stored.encode()));
        EXPECT_EQ(GZorq1File(temp.folder()).screenBackground(), c.read)
            << c.stored.text().toStdString();
    }
}

} // namespace
