#include "datatool/CsvWriter.h"
#include "storage/CsvReader.h"

#include <gtest/gtest.h>

TEST(Csv, WrittenFieldsReadBackUnchanged)
{
    const QList<QStringList> rows {
        { "plain", "", "with, comma", "say \"hi\"", "two\r\nlines", " blanks " },
        { "Smith, Ann", "1\n2", "é ü €", "\"", ",", "x" },
    };
    CsvWriter writer;
    for (const QStringList& row : rows)
        writer.writeRow(row);
    EXPECT_TRUE(writer.bytes().startsWith(
        "plain,,\"with, comma\",\"say \"\"hi\"\"\",\"two\r\nlines\", blanks \r\n"));

    const std::optional<QList<CsvReader::Record>> read = CsvReader::parse(writer.bytes());
    ASSERT_TRUE(read);
    ASSERT_EQ(read->size(), 2);
    EXPECT_EQ(read->at(0).fields, rows[0]);
    EXPECT_EQ(read->at(1).fields, rows[1]);
    EXPECT_EQ(read->at(0).line, 1);
    EXPECT_EQ(read->at(1).line, 3); // the first record spans two lines
}

TEST(Csv, ReaderTakesEveryLineEndAndAByteOrderMark)
{
    const std::optional<QList<CsvReader::Record>> read
        = CsvReader::parse("\xEF\xBB\xBF"
                           "a,b\nc,d\r\ne,f\rg,\"h\"");
    ASSERT_TRUE(read);
    ASSERT_EQ(read->size(), 4);
    EXPECT_EQ(read->at(0).fields, QStringList({ "a", "b" }));
    EXPECT_EQ(read->at(3).fields, QStringList({ "g", "h" }));
    EXPECT_EQ(read->at(3).line, 4);
}

TEST(Csv, SyntaxFaultsNameTheirLine)
{
    const QList<std::pair<QByteArray, QString>> cases {
        { "a,b\nc,\"d\ne\nf", "line 2: a quoted field is never closed" },
        { "a,b\n\"c\"x,d\n", "line 2: text follows a closing double quote" },
        { "a,b\nc,d\ne,f\"g\n", "line 3: a double quote inside a field" },
        { "a,b\nc,d\n\xC3\x28,e\n", "line 3: the text is not UTF-8" },
    };
    for (const auto& [bytes, expected] : cases) {
        QString error;
        EXPECT_FALSE(CsvReader::parse(bytes, &error));
        EXPECT_TRUE(error.startsWith(expected)) << error.toStdString();
    }
}
