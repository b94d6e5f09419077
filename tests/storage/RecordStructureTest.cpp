#include "storage/RecordStructure.h"

#include <gtest/gtest.h>

namespace {

RecordStructure passwordLike()
{
    return RecordStructure({ { 60 }, { 60 }, { 210 }, { 5 } });
}

} // namespace

TEST(RecordStructureTest, FieldsAreStoredBackToBackAndPaddedWithBlanks)
{
    RecordStructure record = passwordLike();
    record.setField(3, "abc");
    record.setField(0, "Bank");

    ASSERT_EQ(record.size(), 335);
    const QByteArray bytes = record.encode();
    ASSERT_EQ(bytes.size(), 335);
    EXPECT_EQ(bytes.mid(330), QByteArray("abc  "));
    EXPECT_EQ(bytes.left(60), QByteArray("Bank").leftJustified(60, ' '));
    EXPECT_EQ(bytes.mid(60, 270), QByteArray(270, '\0')); // never assigned
    EXPECT_EQ(record.field(3), "abc  ");
    EXPECT_EQ(record.text(3), "abc");
}

TEST(RecordStructureTest, LongerTextIsCutToTheFieldWidth)
{
    RecordStructure record = passwordLike();
    record.setField(3, "abcdefgh");

    EXPECT_EQ(record.field(3), "abcde");
    EXPECT_EQ(record.encode().size(), 335);
}

TEST(RecordStructureTest, ArrayElementsFollowInIndexOrder)
{
    RecordStructure record({ { 2 }, { 3, 4 }, { 1 } });
    record.setField(1, 2, "xyz");
    record.setField(1, 0, "a");
    record.setField(2, QString::fromUtf8("\xc3\xa9"));

    ASSERT_EQ(record.size(), 15);
    EXPECT_EQ(record.encode(), QByteArray("\0\0a  \0\0\0xyz\0\0\0\xe9", 15));
    EXPECT_EQ(record.field(1, 2), "xyz");
}

TEST(RecordStructureTest, OutOfRangeFieldsAreIgnored)
{
    RecordStructure record({ { 2, 2 } });
    record.setField(1, "zz");
    record.setField(0, 2, "zz");
    record.setField(0, -1, "zz");

    EXPECT_EQ(record.encode(), QByteArray(4, '\0'));
    EXPECT_EQ(record.field(5), QString());
    EXPECT_EQ(record.field(0, 2), QString());
}

TEST(RecordStructureTest, DecodingFillsMissingBytesWithZeroAndIgnoresExtraBytes)
{
    RecordStructure record({ { 3 }, { 3 } });
    record.setField(1, "old");

    record.decode("ab");
    EXPECT_EQ(record.encode(), QByteArray("ab\0\0\0\0", 6));
    EXPECT_EQ(record.text(0), "ab");
    EXPECT_EQ(record.text(1), "");

    record.decode("abcdefghij");
    EXPECT_EQ(record.encode(), QByteArray("abcdef"));
}
