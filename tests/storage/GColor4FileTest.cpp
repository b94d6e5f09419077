#include "storage/GColor4File.h"

#include "TemporaryProgramFolder.h"

#include <QFileInfo>

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace {

constexpr int L = GColor4File::RecordLength;

QByteArray recordAt(int record, const QByteArray& value)
{
    return QByteArray((record - 1) * L, '\0') + value + QByteArray(L - value.size(), '\0');
}

TEST(GColor4File, FreshFolderGivesDefaultsAndCreatesEmptyFile)
{
    TemporaryProgramFolder temp;
    const GColor4File settings(temp.folder());

    EXPECT_EQ(settings.weightPrintFontName("Arial"), "Arial");
    EXPECT_TRUE(temp.exists("GColor4.Fil"));
    EXPECT_EQ(settings.bloodPressurePrintFontName(""), "");
    EXPECT_EQ(settings.weightPrintFontSize(), 14);
    EXPECT_EQ(settings.bloodPressurePrintFontSize(), 14);
    EXPECT_TRUE(settings.weightTrendDisplayOn());
    EXPECT_EQ(QFileInfo(temp.filePath("GColor4.Fil")).size(), 0);
}

TEST(GColor4File, FontSizeOutsideFourToThirtyBecomesFourteen)
{
    const struct {
        TaggedValue stored;
        double read;
    } cases[] = {
        { TaggedValue::fromInt16(40), 14 },
        { TaggedValue::fromInt16(3), 14 },
        { TaggedValue::fromInt16(31), 14 },
        { TaggedValue::fromInt16(4), 4 },
        { TaggedValue::fromInt16(30), 30 },
        { TaggedValue::fromFloat32(8.25f), 8.25 },
        { TaggedValue::fromFloat32(30.5f), 14 },
        { TaggedValue::fromFloat32(std::numeric_limits<float>::quiet_NaN()), 14 },
        { TaggedValue::fromText("12"), 14 },
        { TaggedValue(), 14 },
    };
    for (const auto& c : cases) {
        TemporaryProgramFolder temp;
        temp.write("GColor4.Fil", recordAt(33, c.stored.encode()));
        EXPECT_EQ(GColor4File(temp.folder()).weightPrintFontSize(), c.read) << c.stored.number();
    }
}

TEST(GColor4File, FontSizeKeepsTheKindItWasGiven)
{
    TemporaryProgramFolder temp;
    const GColor4File settings(temp.folder());

    ASSERT_TRUE(settings.setWeightPrintFontSize(TaggedValue::fromFloat32(8.25f)));
    ASSERT_TRUE(settings.setBloodPressurePrintFontSize(TaggedValue::fromInt16(12)));
    const QByteArray bytes = temp.read("GColor4.Fil");
    EXPECT_EQ(bytes.mid(32 * L, 6), QByteArray("\x04\x00\x00\x00\x04\x41", 6));
    EXPECT_EQ(bytes.mid(36 * L, 4), QByteArray("\x02\x00\x0C\x00", 4));
    EXPECT_EQ(settings.weightPrintFontSize(), 8.25);
    EXPECT_EQ(settings.bloodPressurePrintFontSize(), 12);
}

TEST(GColor4File, FontSizeIsReadWithTheKindItWasStoredAs)
{
    const struct {
        TaggedValue stored;
        TaggedValue read;
    } cases[] = {
        { TaggedValue::fromInt16(12), TaggedValue::fromInt16(12) },
        { TaggedValue::fromFloat32(12), TaggedValue::fromFloat32(12) },
        // What stands in for a size that cannot be used is a whole 14.
        { TaggedValue::fromFloat32(31), TaggedValue::fromInt16(14) },
        { TaggedValue(), TaggedValue::fromInt16(14) },
    };
    for (const auto& c : cases) {
        TemporaryProgramFolder temp;
        temp.write("GColor4.Fil", recordAt(37, c.stored.encode()));
        EXPECT_EQ(GColor4File(temp.folder()).bloodPressurePrintFontSizeValue(), c.read)
            << c.stored.number();
    }
}

TEST(GColor4File, FontSizeThatIsNotANumberIsRefused)
{
    TemporaryProgramFolder temp;
    const GColor4File settings(temp.folder());
    ASSERT_TRUE(settings.setWeightPrintFontSize(TaggedValue::fromInt16(10)));

    EXPECT_FALSE(settings.setWeightPrintFontSize(TaggedValue::fromText("10")));
    EXPECT_FALSE(settings.setWeightPrintFontSize(TaggedValue()));
    EXPECT_EQ(settings.weightPrintFontSize(), 10);
}

TEST(GColor4File, FontNameIsTaggedTextAndTooLongNameKeepsThePrevious)
{
    TemporaryProgramFolder temp;
    const GColor4File settings(temp.folder());

    ASSERT_TRUE(settings.setBloodPressurePrintFontName("Courier New"));
    EXPECT_EQ(temp.read("GColor4.Fil").mid(35 * L, 15),
        QByteArray("\x08\x00\x0B\x00"
                   "Courier New",
            15));
    EXPECT_EQ(settings.bloodPressurePrintFontName("Arial"), "Courier New");
    EXPECT_EQ(settings.weightPrintFontName("Arial"), "Arial");

    const QString longest(36, u'x');
    EXPECT_TRUE(settings.setWeightPrintFontName(longest));
    EXPECT_EQ(settings.weightPrintFontName("Arial"), longest);
    EXPECT_FALSE(settings.setWeightPrintFontName(QString(37, u'y')));
    EXPECT_EQ(settings.weightPrintFontName("Arial"), longest);
}

TEST(GColor4File, BlankFontNameGivesTheFallback)
{
    TemporaryProgramFolder temp;
    const GColor4File settings(temp.folder());
    ASSERT_TRUE(settings.setWeightPrintFontName("   "));
    EXPECT_EQ(settings.weightPrintFontName("Tahoma"), "Tahoma");
}

TEST(GColor4File, TrendDisplayIsOnUnlessStoredOtherwise)
{
    TemporaryProgramFolder temp;
    const GColor4File settings(temp.folder());

    ASSERT_TRUE(settings.setWeightTrendDisplay(false));
    EXPECT_EQ(temp.read("GColor4.Fil"),
        recordAt(34,
            QByteArray("\x03\x00"
                       "OFF",
                5)));
    EXPECT_FALSE(settings.weightTrendDisplayOn());
    ASSERT_TRUE(settings.setWeightTrendDisplay(true));
    EXPECT_TRUE(settings.weightTrendDisplayOn());

    temp.write("GColor4.Fil",
        recordAt(34,
            QByteArray("\x04\x00"
                       " ON ",
                6)));
    EXPECT_TRUE(settings.weightTrendDisplayOn());
}

} // namespace
