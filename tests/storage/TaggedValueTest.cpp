#include "storage/TaggedValue.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

} // namespace

TEST(TaggedValueTest, EncodesEachKindWithItsCode)
{
    EXPECT_EQ(TaggedValue().encode(), hex("0000"));
    EXPECT_EQ(TaggedValue::fromInt16(-2).encode(), hex("0200feff"));
    EXPECT_EQ(TaggedValue::fromInt32(16711680).encode(), hex("03000000ff00"));
    EXPECT_EQ(TaggedValue::fromFloat32(8.25f).encode(), hex("040000000441"));
    EXPECT_EQ(TaggedValue::fromText("Def").encode(), hex("08000300446566"));
}

TEST(TaggedValueTest, DecodesWhatItEncodes)
{
    const TaggedValue values[] = {
        TaggedValue(),
        TaggedValue::fromInt16(-32768),
        TaggedValue::fromInt32(-1),
        TaggedValue::fromFloat32(12.5f),
        TaggedValue::fromText(QString::fromUtf8("Caf\xc3\xa9 \xe2\x82\xac")),
        TaggedValue::fromText(""),
    };
    for (const TaggedValue& value : values)
        EXPECT_EQ(TaggedValue::decode(value.encode(), 100), value);
}

TEST(TaggedValueTest, RejectsUnknownCodesAndTextLengthsOutOfRange)
{
    EXPECT_FALSE(TaggedValue::decode(hex("0100"), 10).has_value());
    EXPECT_FALSE(TaggedValue::decode(hex("0500000000000000"), 10).has_value());
    EXPECT_FALSE(TaggedValue::decode(hex("ffff"), 10).has_value());
    EXPECT_FALSE(TaggedValue::decode(hex("08000b00"), 10).has_value()); // 11 > 10
    EXPECT_FALSE(TaggedValue::decode(hex("0800ffff"), 10).has_value()); // negative
    EXPECT_TRUE(TaggedValue::decode(hex("08000a00"), 10).has_value());
}

TEST(TaggedValueTest, MissingPayloadBytesReadAsZeroAndTextAsFarAsItGoes)
{
    EXPECT_EQ(TaggedValue::decode(hex("0300ff"), 10), TaggedValue::fromInt32(255));
    EXPECT_EQ(TaggedValue::decode(hex("0800"), 10), TaggedValue::fromText(""));
    EXPECT_EQ(TaggedValue::decode(hex("0800050041"), 10), TaggedValue::fromText("A"));
    EXPECT_EQ(TaggedValue::decode({}, 10), TaggedValue());
}

TEST(TaggedValueTest, ConvertsNumbersForCallers)
{
    EXPECT_TRUE(TaggedValue::fromInt32(5).isNumber());
    EXPECT_FALSE(TaggedValue::fromText("5").isNumber());
    EXPECT_EQ(TaggedValue::fromFloat32(8.25f).number(), 8.25);
    EXPECT_EQ(TaggedValue::fromInt16(-7).toInt32(), -7);
    EXPECT_EQ(TaggedValue::fromFloat32(2.5f).toInt32(), 2); // rounds half to even
    EXPECT_EQ(TaggedValue::fromFloat32(3e10f).toInt32(), 2147483647);
    EXPECT_EQ(TaggedValue::fromFloat32(std::numeric_limits<float>::quiet_NaN()).toInt32(), 0);
    EXPECT_EQ(TaggedValue::fromText("Def").toInt32(), 0);
    EXPECT_EQ(TaggedValue::fromInt32(3).text(), QString());
}
