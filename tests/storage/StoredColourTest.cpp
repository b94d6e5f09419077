#include "storage/StoredColour.h"

#include <gtest/gtest.h>

namespace {

struct ParseCase {
    const char* text;
    StoredColour::Kind kind;
    qint32 value;
};

void PrintTo(const ParseCase& c, std::ostream* os)
{
    *os << "'" << c.text << "'";
}

class StoredColourParse : public ::testing::TestWithParam<ParseCase>
{
};

TEST_P(StoredColourParse, ReadsRecordText)
{
    const ParseCase c = GetParam();
    const StoredColour colour = StoredColour::parse(QString::fromLatin1(c.text));
    EXPECT_EQ(colour.kind(), c.kind);
    EXPECT_EQ(colour.value(), c.value);
}

INSTANTIATE_TEST_SUITE_P(Texts, StoredColourParse,
    ::testing::Values(ParseCase { "Default", StoredColour::Kind::Default, 0 },
        ParseCase { "Default   ", StoredColour::Kind::Default, 0 },
        ParseCase { "default", StoredColour::Kind::NotAColour, 0 },
        ParseCase { "8421376", StoredColour::Kind::Colour, 8421376 },
        ParseCase { " 255 ", StoredColour::Kind::Colour, 255 },
        ParseCase { "-2147483633", StoredColour::Kind::Colour, -2147483633 },
        ParseCase { "4294967295", StoredColour::Kind::NotAColour, 0 },
        ParseCase { "12abc", StoredColour::Kind::NotAColour, 0 },
        ParseCase { "", StoredColour::Kind::NotAColour, 0 }));

TEST(StoredColour, KeepsRedInTheLowByte)
{
    const StoredColour darkCyan = StoredColour::fromRgb(0, 128, 128);
    EXPECT_EQ(darkCyan.value(), StoredColour::TrackerPanelFallback);
    EXPECT_EQ(darkCyan.toText(), "8421376");
    const StoredColour orange = StoredColour::fromRgb(255, 128, 0);
    EXPECT_EQ(orange.red(), 255);
    EXPECT_EQ(orange.green(), 128);
    EXPECT_EQ(orange.blue(), 0);
}

TEST(StoredColour, SystemColourIsWrittenWithMinusSign)
{
    const StoredColour buttonFace = StoredColour::fromValue(qint32(0x8000000F));
    EXPECT_TRUE(buttonFace.isSystemColour());
    EXPECT_EQ(buttonFace.toText(), "-2147483633");
    EXPECT_EQ(StoredColour::parse(buttonFace.toText()), buttonFace);
}

TEST(StoredColour, ResolvesToSwatchColourOrFallback)
{
    const qint32 swatch = 12632256;
    const qint32 fallback = StoredColour::TrackerPanelFallback;
    EXPECT_EQ(StoredColour::systemDefault().resolve(swatch, fallback), swatch);
    EXPECT_EQ(StoredColour::fromValue(255).resolve(swatch, fallback), 255);
    EXPECT_EQ(StoredColour().resolve(swatch, fallback), fallback);
    EXPECT_EQ(StoredColour::parse("blue").resolve(swatch, fallback), fallback);
}

TEST(StoredColour, UnreadableTextIsWrittenBackAsRead)
{
    EXPECT_EQ(StoredColour::parse("blue").toText(), "blue");
    EXPECT_TRUE(StoredColour().isEmpty());
    EXPECT_FALSE(StoredColour::parse("blue").isEmpty());
    EXPECT_EQ(StoredColour::parse("Default  ").toText(), "Default");
}

} // namespace
