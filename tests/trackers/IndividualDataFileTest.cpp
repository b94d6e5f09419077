#include "trackers/IndividualDataFile.h"
#include "FileSizeLimit.h"
#include "TemporaryProgramFolder.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

struct RowCountCase {
    const char* stored;
    int rows;
};

void PrintTo(const RowCountCase& c, std::ostream* os)
{
    *os << "'" << c.stored << "' gives " << c.rows;
}

class StoredRowCount : public testing::TestWithParam<RowCountCase>
{
};

TEST_P(StoredRowCount, PositiveNumbersRoundOtherwiseFifty)
{
    EXPECT_EQ(IndividualDataFile::rowCountFromText(QString::fromLatin1(GetParam().stored)),
        GetParam().rows)
        << GetParam().stored;
}

INSTANTIATE_TEST_SUITE_P(Table, StoredRowCount,
    testing::Values(RowCountCase { "50", 50 }, RowCountCase { "1", 1 }, RowCountCase { "120", 120 },
        RowCountCase { " 75 ", 75 }, RowCountCase { "2.5", 2 }, RowCountCase { "3.5", 4 },
        RowCountCase { "3.49", 3 }, RowCountCase { "0", 50 }, RowCountCase { "0.4", 50 },
        RowCountCase { "-5", 50 }, RowCountCase { "abc", 50 }, RowCountCase { "12abc", 50 },
        RowCountCase { "", 50 }, RowCountCase { "1,5", 50 }, RowCountCase { "nan", 50 },
        RowCountCase { "inf", 50 }, RowCountCase { "32767", 32767 }, RowCountCase { "1e9", 50 }));

const QString ext = u".Fil"_qs;

TEST(IndividualDataFile, MissingFileReadsAsNoValues)
{
    TemporaryProgramFolder dir;
    QStringList values { u"stale"_qs };
    QString error;
    const Outcome outcome = IndividualDataFile::readValues(dir.folder(), u"Ann"_qs, ext, values);
    EXPECT_TRUE(outcome.succeeded);
    error = outcome.reason;
    EXPECT_TRUE(values.isEmpty());
    EXPECT_TRUE(error.isEmpty());
}

TEST(IndividualDataFile, WritesUnsetValuesAsEmptyLinesUnderTheTrimmedName)
{
    TemporaryProgramFolder dir;
    EXPECT_TRUE(IndividualDataFile::writeValues(
        dir.folder(), u" Ann "_qs, ext, { u"50"_qs, std::nullopt, u""_qs }));
    EXPECT_EQ(dir.read(u"Ann.Fil"_qs), QByteArray("\"50\"\r\n\r\n\"\"\r\n"));

    QStringList values;
    EXPECT_TRUE(IndividualDataFile::readValues(dir.folder(), u"Ann"_qs, ext, values));
    EXPECT_EQ(values, (QStringList { u"50"_qs, u""_qs, u""_qs }));
}

TEST(IndividualDataFile, RewritesAFileFoundInAnotherLetterCaseInPlace)
{
    TemporaryProgramFolder dir;
    dir.write(u"ANN.FIL"_qs, "\"old\"\r\n");
    EXPECT_TRUE(IndividualDataFile::writeValues(dir.folder(), u"Ann"_qs, ext, { u"new"_qs }));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList { u"ANN.FIL"_qs });
    EXPECT_EQ(dir.read(u"ANN.FIL"_qs), QByteArray("\"new\"\r\n"));
}

TEST(IndividualDataFile, FailedWriteKeepsThePreviousFileAndIsReported)
{
    TemporaryProgramFolder dir;
    const QByteArray previous = "\"50\"\r\n\"January 02, 2013\"\r\n";
    dir.write(u"Ann.Fil"_qs, previous);
    const QList<std::optional<QString>> values(40, u"February 20, 2013"_qs);
    QString error;
    {
        FileSizeLimit diskFull(100);
        const Outcome outcome
            = IndividualDataFile::writeValues(dir.folder(), u"Ann"_qs, ext, values);
        EXPECT_FALSE(outcome.succeeded);
        error = outcome.reason;
    }
    EXPECT_TRUE(error.startsWith(u"Ann.Fil could not be saved"_qs)) << error.toStdString();
    EXPECT_EQ(dir.read(u"Ann.Fil"_qs), previous);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList { u"Ann.Fil"_qs });
}

TEST(IndividualDataFile, NamesLeavingTheFolderAreRefusedBeforeAnyFileIsTouched)
{
    TemporaryProgramFolder dir;
    QDir(dir.path()).mkdir(u"program"_qs);
    dir.write(u"Outside.Fil"_qs, "\"secret\"\r\n");
    const ProgramFolder folder(dir.filePath(u"program"_qs));
    QString error;
    const Outcome outcome
        = IndividualDataFile::writeValues(folder, u"../Outside"_qs, ext, { u"50"_qs });
    EXPECT_FALSE(outcome.succeeded);
    error = outcome.reason;
    EXPECT_EQ(error, u"A name cannot contain \"/\" or \"\\\"."_qs);
    QStringList values;
    EXPECT_FALSE(IndividualDataFile::readValues(folder, u"../Outside"_qs, ext, values));
    EXPECT_TRUE(values.isEmpty());
    EXPECT_EQ(dir.read(u"Outside.Fil"_qs), QByteArray("\"secret\"\r\n"));
}

TEST(IndividualDataFile, UnreadableFileIsReported)
{
    TemporaryProgramFolder dir;
    QDir(dir.path()).mkdir(u"Ann.Fil"_qs);
    QStringList values;
    QString error;
    const Outcome outcome = IndividualDataFile::readValues(dir.folder(), u"Ann"_qs, ext, values);
    EXPECT_FALSE(outcome.succeeded);
    error = outcome.reason;
    EXPECT_TRUE(error.startsWith(u"Ann.Fil could not be read"_qs)) << error.toStdString();
}

} // namespace
