#include "storage/TextRecordFile.h"

#include "TemporaryProgramFolder.h"

#include <QDir>
#include <QStringList>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

QStringList readAll(TextRecordFile& file)
{
    QStringList values;
    QString value;
    while (!file.atEnd() && file.readValue(value))
        values.append(value);
    return values;
}

QStringList readAllBytes(const QByteArray& bytes)
{
    TextRecordFile file;
    file.openBytes(bytes);
    return readAll(file);
}

} // namespace

TEST(TextRecordFileTest, WritesOneQuotedLinePerValueAndReadsThemBack)
{
    TemporaryProgramFolder temp;
    const QString path = temp.filePath("Names.Fil");
    const QString accented = QString::fromUtf8("Ren\xc3\xa9\xe2\x82\xac");

    TextRecordFile writer;
    ASSERT_TRUE(writer.openForWriting(path));
    writer.writeValue("");
    writer.writeValue(" a, b");
    writer.writeUnset();
    writer.writeValue("two\r\nlines\tand tab ");
    writer.writeValue(accented);
    ASSERT_TRUE(writer.close()) << writer.errorString().toStdString();

    EXPECT_EQ(temp.read("Names.Fil"),
        QByteArray("\"\"\r\n"
                   "\" a, b\"\r\n"
                   "\r\n"
                   "\"two\r\nlines\tand tab \"\r\n"
                   "\"Ren\xe9\x80\"\r\n"));

    TextRecordFile reader;
    ASSERT_TRUE(reader.openForReading(path));
    EXPECT_EQ(
        readAll(reader), QStringList({ "", " a, b", "", "two\r\nlines\tand tab ", accented }));
}

TEST(TextRecordFileTest, ReadingPastTheLastLineKeepsTheDestination)
{
    TextRecordFile file;
    file.openBytes("\"only\"\r\n");
    QString value = "before";

    ASSERT_TRUE(file.readValue(value));
    EXPECT_EQ(value, "only");
    EXPECT_TRUE(file.atEnd());
    EXPECT_FALSE(file.readValue(value));
    EXPECT_EQ(value, "only");
}

TEST(TextRecordFileTest, FollowsTheReadingRules)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        QStringList values;
    };
    const Case cases[] = {
        { "line feed alone ends a line", "\"a\"\n\"b\"\n", { "a", "b" } },
        { "carriage return alone ends a line", "\"a\"\r\"b\"\r", { "a", "b" } },
        { "blanks and tabs before a quote", " \t \"x\"\r\n", { "x" } },
        { "rest of the line after a quote", "\"x\" junk \"y\r\n\"z\"\r\n", { "x", "z" } },
        { "comma after a quote", "\"a\",\"b\"\r\n", { "a", "b" } },
        { "unquoted values", "abc  ,  d e \t \r\n42\r\n", { "abc", "d e \t", "42" } },
        { "empty line", "\r\n\n\"x\"\r\n", { "", "", "x" } },
        { "line ends inside quotes", "\"one\r\ntwo\ntoo\"\r\n", { "one\r\ntwo\ntoo" } },
        { "no line end at the very end", "\"a\"", { "a" } },
        { "file ends inside quotes", "\"a\"\r\n\"cut off\r\n", { "a", "cut off\r\n" } },
        { "file ends after an opening quote", "\"", { "" } },
        { "blanks only", "   ", { "" } },
        { "code page bytes", "\"\x80\x81\xff\"\r\n",
            { QString::fromUtf8("\xe2\x82\xac\xc2\x81\xc3\xbf") } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(readAllBytes(c.bytes), c.values) << c.name;
}

TEST(TextRecordFileTest, AnEmptyFileHasNothingToRead)
{
    TemporaryProgramFolder temp;
    temp.write("Empty.Fil", "");
    TextRecordFile file;
    QString value = "kept";

    ASSERT_TRUE(file.openForReading(temp.filePath("Empty.Fil")));
    EXPECT_TRUE(file.atEnd());
    EXPECT_FALSE(file.readValue(value));
    EXPECT_EQ(value, "kept");
}

TEST(TextRecordFileTest, AMissingFileFailsToOpenAndEveryReadFails)
{
    TemporaryProgramFolder temp;
    TextRecordFile file;
    QString value = "kept";

    EXPECT_FALSE(file.openForReading(temp.filePath("Missing.Fil")));
    EXPECT_FALSE(file.errorString().isEmpty());
    EXPECT_TRUE(file.atEnd());
    EXPECT_FALSE(file.readValue(value));
    EXPECT_EQ(value, "kept");
}

TEST(TextRecordFileTest, ADoubleQuoteInsideAValueCannotShiftLaterValues)
{
    TextRecordFile file;
    file.openBytes(
        TextRecordFile::encodeLine("say \"hi\", then") + TextRecordFile::encodeLine("next"));

    EXPECT_EQ(readAll(file), QStringList({ "say 'hi', then", "next" }));
}

TEST(TextRecordFileTest, AFailedOpenForWritingIsReported)
{
    TemporaryProgramFolder temp;
    QDir(temp.path()).mkdir("Folder.Fil");
    const QString paths[] = {
        temp.filePath("NoSuchFolder/Names.Fil"),
        temp.filePath("Folder.Fil"),
    };
    for (const QString& path : paths) {
        TextRecordFile writer;
        EXPECT_FALSE(writer.openForWriting(path)) << path.toStdString();
        writer.writeValue("lost");
        EXPECT_FALSE(writer.close());
        EXPECT_FALSE(writer.errorString().isEmpty());
    }
    EXPECT_TRUE(QDir(temp.filePath("Folder.Fil")).exists());
}

TEST(TextRecordFileTest, AnUnfinishedWriteLeavesThePreviousFile)
{
    TemporaryProgramFolder temp;
    temp.write("Names.Fil", "\"old\"\r\n");
    {
        TextRecordFile writer;
        ASSERT_TRUE(writer.openForWriting(temp.filePath("Names.Fil")));
        writer.writeValue("new");
    }
    EXPECT_EQ(temp.read("Names.Fil"), QByteArray("\"old\"\r\n"));
}

// A disk that fills up during the save: the process's file size limit makes
// the writes fail as root too.
TEST(TextRecordFileTest, AWriteThatFailsMidwayLeavesThePreviousFileAndIsReported)
{
    TemporaryProgramFolder temp;
    temp.write("Names.Fil", "\"old\"\r\n");

    rlimit previous {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = previous;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);

    TextRecordFile writer;
    const bool opened = writer.openForWriting(temp.filePath("Names.Fil"));
    for (int i = 0; i < 1000; ++i)
        writer.writeValue(QString(50, 'x'));
    const bool committed = writer.close();

    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_TRUE(opened);
    EXPECT_FALSE(committed);
    EXPECT_FALSE(writer.errorString().isEmpty());
    EXPECT_EQ(temp.read("Names.Fil"), QByteArray("\"old\"\r\n"));
}
