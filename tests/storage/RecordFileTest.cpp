#include "storage/RecordFile.h"

#include "TemporaryProgramFolder.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

QByteArray zeros(int count)
{
    return QByteArray(count, '\0');
}

} // namespace

TEST(RecordFileTest, OpeningAMissingFileCreatesItEmpty)
{
    TemporaryProgramFolder temp;
    RecordFile file(temp.filePath("GColor1.Fil"), 20);

    EXPECT_TRUE(file.isOpen());
    EXPECT_TRUE(temp.exists("GColor1.Fil"));
    EXPECT_EQ(temp.read("GColor1.Fil"), QByteArray());
}

TEST(RecordFileTest, WritingBeyondTheEndFillsEarlierRecordsWithZeros)
{
    TemporaryProgramFolder temp;
    {
        RecordFile file(temp.filePath("GColor1.Fil"), 20);
        ASSERT_TRUE(file.writeText(5, "abc"));
    }
    EXPECT_EQ(temp.read("GColor1.Fil"), zeros(80) + hex("0300616263") + zeros(15));

    RecordFile file(temp.filePath("GColor1.Fil"), 20);
    for (int record = 1; record <= 4; ++record) {
        QString text = "kept";
        ASSERT_TRUE(file.readText(record, text));
        EXPECT_EQ(text, "") << record;
    }
    QString text;
    ASSERT_TRUE(file.readText(5, text));
    EXPECT_EQ(text, "abc");
}

TEST(RecordFileTest, TextLongerThanTheRecordIsNotWritten)
{
    TemporaryProgramFolder temp;
    RecordFile file(temp.filePath("T.Fil"), 20);
    const QString eighteen(18, 'x');

    ASSERT_TRUE(file.writeText(1, eighteen));
    EXPECT_EQ(temp.read("T.Fil"), hex("1200") + QByteArray(18, 'x'));

    EXPECT_FALSE(file.writeText(1, QString(19, 'y')));
    EXPECT_FALSE(file.writeText(2, QString(19, 'y')));
    QString text;
    ASSERT_TRUE(file.readText(1, text));
    EXPECT_EQ(text, eighteen);
    EXPECT_EQ(temp.read("T.Fil").size(), 20);
}

TEST(RecordFileTest, ARewrittenRecordLosesTheRestOfItsOldValue)
{
    TemporaryProgramFolder temp;
    RecordFile file(temp.filePath("T.Fil"), 10);
    ASSERT_TRUE(file.writeText(1, "abcdefgh"));
    ASSERT_TRUE(file.writeText(2, "next"));

    ASSERT_TRUE(file.writeText(1, "z"));

    EXPECT_EQ(temp.read("T.Fil"), hex("01007a") + zeros(7) + hex("04006e657874") + zeros(4));
}

TEST(RecordFileTest, StoresTaggedValuesByteForByte)
{
    struct Case {
        int recordLength;
        TaggedValue value;
        QByteArray bytes;
    };
    const Case cases[] = {
        { 10, TaggedValue::fromText("Def"), hex("08000300446566") + zeros(3) },
        { 10, TaggedValue::fromInt32(16711680), hex("03000000ff00") + zeros(4) },
        { 40, TaggedValue::fromFloat32(8.25f), hex("040000000441") + zeros(34) },
        { 4, TaggedValue::fromInt16(-2), hex("0200feff") },
        { 2, TaggedValue(), hex("0000") },
    };
    for (const Case& c : cases) {
        TemporaryProgramFolder temp;
        RecordFile file(temp.filePath("GColor3.Fil"), c.recordLength);
        ASSERT_TRUE(file.writeTagged(1, c.value));
        EXPECT_EQ(temp.read("GColor3.Fil"), c.bytes) << c.bytes.toHex().toStdString();

        TaggedValue read = TaggedValue::fromText("kept");
        ASSERT_TRUE(file.readTagged(1, read));
        EXPECT_EQ(read, c.value);
    }
}

TEST(RecordFileTest, TaggedValueTooLongForTheRecordIsNotWritten)
{
    TemporaryProgramFolder temp;
    RecordFile file(temp.filePath("T.Fil"), 10);
    ASSERT_TRUE(file.writeTagged(1, TaggedValue::fromInt32(7)));

    EXPECT_TRUE(file.writeTagged(2, TaggedValue::fromText("123456")));
    EXPECT_FALSE(file.writeTagged(1, TaggedValue::fromText("1234567")));
    EXPECT_FALSE(RecordFile(temp.filePath("U.Fil"), 4).writeTagged(1, TaggedValue::fromInt32(1)));

    TaggedValue read;
    ASSERT_TRUE(file.readTagged(1, read));
    EXPECT_EQ(read, TaggedValue::fromInt32(7));
}

TEST(RecordFileTest, RecordsBeyondTheEndOrAllZeroReadAsEmpty)
{
    TemporaryProgramFolder temp;
    QByteArray bytes;
    for (int record = 1; record <= 35; ++record)
        bytes += hex("0200") + QByteArray::number(record).leftJustified(18, '.');
    temp.write("GColor4.Fil", bytes);
    RecordFile file(temp.filePath("GColor4.Fil"), 20);

    qint16 number = 99;
    ASSERT_TRUE(file.readInt16(35, number));
    EXPECT_EQ(number, 2);
    ASSERT_TRUE(file.readInt16(36, number));
    EXPECT_EQ(number, 0);
    QString text = "kept";
    ASSERT_TRUE(file.readText(36, text));
    EXPECT_EQ(text, "");
    TaggedValue tagged = TaggedValue::fromInt32(5);
    ASSERT_TRUE(file.readTagged(1000, tagged));
    EXPECT_TRUE(tagged.isUnset());

    ASSERT_TRUE(file.writeInt16(40, 1));
    tagged = TaggedValue::fromInt32(5);
    ASSERT_TRUE(file.readTagged(38, tagged));
    EXPECT_TRUE(tagged.isUnset());
    ASSERT_TRUE(file.readInt16(38, number));
    EXPECT_EQ(number, 0);
}

TEST(RecordFileTest, StructuresFillTheirRecord)
{
    TemporaryProgramFolder temp;
    RecordStructure entry({ { 60 }, { 60 }, { 210 }, { 5 } });
    entry.setField(0, "Bank");
    entry.setField(3, "abc");
    {
        RecordFile file(temp.filePath("Secfile2.Fil"), 335);
        ASSERT_TRUE(file.writeStructure(2, entry));
        EXPECT_FALSE(RecordFile(temp.filePath("Small.Fil"), 334).writeStructure(1, entry));
    }
    const QByteArray bytes = temp.read("Secfile2.Fil");
    ASSERT_EQ(bytes.size(), 670);
    EXPECT_EQ(bytes.mid(665), QByteArray("abc  "));

    RecordFile file(temp.filePath("Secfile2.Fil"), 335);
    RecordStructure read({ { 60 }, { 60 }, { 210 }, { 5 } });
    ASSERT_TRUE(file.readStructure(2, read));
    EXPECT_EQ(read.encode(), entry.encode());
    ASSERT_TRUE(file.readStructure(1, read));
    EXPECT_EQ(read.encode(), zeros(335));
    read.setField(0, "x");
    ASSERT_TRUE(file.readStructure(3, read));
    EXPECT_EQ(read.encode(), zeros(335));
}

TEST(RecordFileTest, BadRecordsKeepTheDestination)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        bool badAsText;
        bool badAsTagged;
    };
    // Records of length 10.
    const Case cases[] = {
        { "text length above L - 2", hex("0900") + zeros(8), true, true },
        { "negative length or code", hex("ffff") + zeros(8), true, true },
        { "unknown type code", hex("0100") + zeros(8), false, true },
        { "type code 0x4000", hex("0040") + zeros(8), true, true },
        { "tagged text length above L - 4", hex("08000700") + zeros(6), false, true },
    };
    for (const Case& c : cases) {
        TemporaryProgramFolder temp;
        temp.write("Bad.Fil", c.bytes);
        RecordFile file(temp.filePath("Bad.Fil"), 10);
        TaggedValue tagged = TaggedValue::fromText("kept");
        QString text = "kept";

        EXPECT_EQ(file.readText(1, text), !c.badAsText) << c.name;
        EXPECT_EQ(file.readTagged(1, tagged), !c.badAsTagged) << c.name;
        if (c.badAsText) {
            EXPECT_EQ(text, "kept") << c.name;
        }
        EXPECT_EQ(tagged, TaggedValue::fromText("kept")) << c.name;
    }
}

TEST(RecordFileTest, TruncatedRecordsGiveWhatTheFileHolds)
{
    TemporaryProgramFolder temp;
    temp.write("Cut.Fil", zeros(20) + hex("0800") + hex("0500") + "ab");
    RecordFile file(temp.filePath("Cut.Fil"), 20);

    TaggedValue tagged;
    ASSERT_TRUE(file.readTagged(2, tagged));
    EXPECT_EQ(tagged, TaggedValue::fromText("ab"));
    QString text;
    ASSERT_TRUE(file.readText(2, text)); // length 8 of a text record, 6 bytes left
    EXPECT_EQ(text, QString::fromLatin1("\x05\0ab", 4));

    temp.write("Cut.Fil", zeros(20) + hex("03"));
    RecordFile shorter(temp.filePath("Cut.Fil"), 20);
    qint16 number = 5;
    ASSERT_TRUE(shorter.readInt16(2, number)); // one byte of record 2: beyond the end
    EXPECT_EQ(number, 0);
    temp.write("Cut.Fil", zeros(20) + hex("0300ff"));
    RecordFile three(temp.filePath("Cut.Fil"), 20);
    ASSERT_TRUE(three.readTagged(2, tagged));
    EXPECT_EQ(tagged, TaggedValue::fromInt32(255));
}

TEST(RecordFileTest, RecordNumbersBelowOneAndUnusableFilesFail)
{
    TemporaryProgramFolder temp;
    RecordFile file(temp.filePath("T.Fil"), 10);
    qint16 number = 5;
    EXPECT_FALSE(file.readInt16(0, number));
    EXPECT_FALSE(file.readInt16(-3, number));
    EXPECT_EQ(number, 5);
    EXPECT_FALSE(file.writeInt16(0, 1));
    EXPECT_EQ(temp.read("T.Fil"), QByteArray());

    QDir(temp.path()).mkdir("Folder.Fil");
    const QString unusable[] = { temp.filePath("Folder.Fil"), temp.filePath("None/T.Fil") };
    for (const QString& path : unusable) {
        RecordFile bad(path, 10);
        EXPECT_FALSE(bad.isOpen());
        EXPECT_FALSE(bad.errorString().isEmpty());
        EXPECT_FALSE(bad.writeInt16(1, 1));
        EXPECT_FALSE(bad.readInt16(1, number));
    }
    EXPECT_EQ(number, 5);
}

TEST(RecordFileTest, WindowsCodePageTextIsOneBytePerCharacter)
{
    TemporaryProgramFolder temp;
    RecordFile file(temp.filePath("T.Fil"), 10);
    const QString text = QString::fromUtf8("\xc3\xa9\xe2\x82\xac\xe4\xb8\xad");

    ASSERT_TRUE(file.writeText(1, text));
    EXPECT_EQ(temp.read("T.Fil"), hex("0300e9803f") + zeros(5));
    QString read;
    ASSERT_TRUE(file.readText(1, read));
    EXPECT_EQ(read, QString::fromUtf8("\xc3\xa9\xe2\x82\xac?"));
}
