#include "bloodpressure/BloodPressureFile.h"
#include "FileSizeLimit.h"
#include "TemporaryProgramFolder.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

QByteArray lines(std::initializer_list<const char*> values)
{
    QByteArray bytes;
    for (const char* value : values)
        bytes += value + QByteArray("\r\n");
    return bytes;
}

BloodPressureFile ann()
{
    BloodPressureFile file;
    file.name = u"Ann"_qs;
    return file;
}

TEST(BloodPressureFile, SaveNewWritesTheRowCountOnlyAndListsTheName)
{
    TemporaryProgramFolder dir;
    dir.write(u"BPTrker.Fil"_qs, lines({ "\"Zed\"", "\"bob\"" }));
    IndividualList list = BloodPressureFile::LoadBpIndividualList(dir.folder());

    QString error;
    const Outcome outcome = ann().SaveNewBloodPressureFile(dir.folder(), list);
    ASSERT_TRUE(outcome.succeeded) << outcome.reason.toStdString();
    error = outcome.reason;

    EXPECT_EQ(dir.read(u"Ann.Fpl"_qs), lines({ "\"50\"" }));
    EXPECT_EQ(dir.read(u"BPTrker.Fil"_qs), lines({ "\"Ann\"", "\"bob\"", "\"Zed\"" }));
}

TEST(BloodPressureFile, SaveAfterTwoReadingsWritesEveryRowOfTheGrid)
{
    TemporaryProgramFolder dir;
    BloodPressureFile file = ann();
    file.rows = { { u"March 05, 2012"_qs, u"7:05 AM"_qs, u"120"_qs, u"80"_qs, u"70"_qs },
        { u" March 06, 2012 "_qs, u"9:30 PM"_qs, u" 135"_qs, u"88 "_qs, u"66"_qs } };
    ASSERT_TRUE(file.SaveBloodPressureFile(dir.folder()));

    QByteArray expected = lines({ "\"50\"", "\"March 05, 2012\"", "\"7:05 AM\"", "\"120\"",
        "\"80\"", "\"70\"", "\"March 06, 2012\"", "\"9:30 PM\"", "\"135\"", "\"88\"", "\"66\"" });
    for (int row = 3; row < 50; ++row)
        expected += lines({ "\"\"", "\"\"", "\"\"", "\"\"", "\"\"" });
    const QByteArray stored = dir.read(u"Ann.Fpl"_qs);
    EXPECT_EQ(stored.count("\r\n"), 1 + 245);
    EXPECT_EQ(stored, expected);
}

TEST(BloodPressureFile, PartlyFilledRowsKeepTheirPlaces)
{
    TemporaryProgramFolder dir;
    BloodPressureFile file = ann();
    file.rowCount = 4;
    file.rows
        = { { u"March 05, 2012"_qs, {}, {}, {}, {} }, {}, { {}, {}, u"120"_qs, {}, u"70"_qs } };
    ASSERT_TRUE(file.SaveBloodPressureFile(dir.folder()));
    const std::optional<BloodPressureFile> loaded
        = BloodPressureFile::LoadBloodPressureFile(dir.folder(), u"Ann"_qs);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(*loaded, file);
}

struct RowCountCase {
    const char* label;
    const char* firstLine;
    int rowCount;
};

void PrintTo(const RowCountCase& c, std::ostream* os)
{
    *os << c.label;
}

class BloodPressureRowCount : public testing::TestWithParam<RowCountCase>
{
};

TEST_P(BloodPressureRowCount, FirstLineGivesTheGridSize)
{
    TemporaryProgramFolder dir;
    dir.write(u"Ann.Fpl"_qs,
        GetParam().firstLine + QByteArray("\r\n")
            + lines({ "\"March 05, 2012\"", "\"7:05 AM\"", "\"120\"", "\"80\"", "\"70\"" }));
    const std::optional<BloodPressureFile> loaded
        = BloodPressureFile::LoadBloodPressureFile(dir.folder(), u"Ann"_qs);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->rowCount, GetParam().rowCount);
    ASSERT_EQ(loaded->rows.size(), GetParam().rowCount - 1);
    EXPECT_EQ(loaded->rows.first(),
        (Reading { u"March 05, 2012"_qs, u"7:05 AM"_qs, u"120"_qs, u"80"_qs, u"70"_qs }));
    for (qsizetype row = 1; row < loaded->rows.size(); ++row)
        EXPECT_TRUE(loaded->rows.at(row).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Table, BloodPressureRowCount,
    testing::Values(RowCountCase { "Fifty", "\"50\"", 50 }, RowCountCase { "Two", "\"2\"", 2 },
        RowCountCase { "Zero", "\"0\"", 50 }, RowCountCase { "Negative", "\"-12\"", 50 },
        RowCountCase { "Letters", "\"fifty\"", 50 }, RowCountCase { "Rounded", "\"60.7\"", 61 },
        RowCountCase { "HalfToEven", "\"60.5\"", 60 }),
    [](const testing::TestParamInfo<RowCountCase>& testCase) {
        return std::string(testCase.param.label);
    });

TEST(BloodPressureFile, NewFileLoadsAsAnEmptyLogOfItsRowCount)
{
    TemporaryProgramFolder dir;
    dir.write(u"Ann.Fpl"_qs, lines({ "\"30\"" }));
    const std::optional<BloodPressureFile> loaded
        = BloodPressureFile::LoadBloodPressureFile(dir.folder(), u"Ann"_qs);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->rows, QList<Reading>(29));
}

TEST(BloodPressureFile, MissingFileLoadsAsFiftyEmptyRows)
{
    TemporaryProgramFolder dir;
    const std::optional<BloodPressureFile> loaded
        = BloodPressureFile::LoadBloodPressureFile(dir.folder(), u"Ann "_qs);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->name, u"Ann"_qs);
    EXPECT_EQ(loaded->rowCount, 50);
    EXPECT_EQ(loaded->rows, QList<Reading>(49));
}

TEST(BloodPressureFile, NameWithCommaRoundTrips)
{
    TemporaryProgramFolder dir;
    BloodPressureFile file;
    file.name = u"Smith, Ann"_qs;
    file.rowCount = 3;
    file.rows = { { u"March 05, 2012"_qs, u"7:05 AM"_qs, u"120"_qs, u"80"_qs, u"70"_qs }, {} };
    IndividualList list = BloodPressureFile::emptyIndividualList();
    ASSERT_TRUE(file.SaveNewBloodPressureFile(dir.folder(), list));
    ASSERT_TRUE(file.SaveBloodPressureFile(dir.folder()));

    EXPECT_EQ(dir.read(u"BPTrker.Fil"_qs), lines({ "\"Smith, Ann\"" }));
    EXPECT_TRUE(dir.exists(u"Smith, Ann.Fpl"_qs));
    const IndividualList readBack = BloodPressureFile::LoadBpIndividualList(dir.folder());
    ASSERT_EQ(readBack.names(), QStringList { u"Smith, Ann"_qs });
    const std::optional<BloodPressureFile> loaded
        = BloodPressureFile::LoadBloodPressureFile(dir.folder(), readBack.at(0));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(*loaded, file);
}

TEST(BloodPressureFile, ListHoldingOnlyAnEmptyValueLoadsAsEmpty)
{
    TemporaryProgramFolder dir;
    dir.write(u"BPTrker.Fil"_qs, lines({ "\"\"" }));
    EXPECT_TRUE(BloodPressureFile::LoadBpIndividualList(dir.folder()).isEmpty());
}

TEST(BloodPressureFile, FailedSaveKeepsThePreviousFileByteForByteAndIsReported)
{
    TemporaryProgramFolder dir;
    const QByteArray previous
        = lines({ "\"2\"", "\"March 05, 2012\"", "\"7:05 AM\"", "\"120\"", "\"80\"", "\"70\"" });
    dir.write(u"Ann.Fpl"_qs, previous);
    BloodPressureFile file = ann();
    QString error;
    {
        FileSizeLimit diskFull(previous.size());
        const Outcome outcome = file.SaveBloodPressureFile(dir.folder());
        EXPECT_FALSE(outcome.succeeded);
        error = outcome.reason;
    }
    EXPECT_TRUE(error.startsWith(u"Ann.Fpl could not be saved"_qs)) << error.toStdString();
    EXPECT_EQ(dir.read(u"Ann.Fpl"_qs), previous);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList { u"Ann.Fpl"_qs });
}

TEST(BloodPressureFile, SaveNewRefusesAListedNameInAnyCase)
{
    TemporaryProgramFolder dir;
    IndividualList list = BloodPressureFile::emptyIndividualList();
    ASSERT_TRUE(ann().SaveNewBloodPressureFile(dir.folder(), list));
    BloodPressureFile again;
    again.name = u"ann"_qs;
    again.rowCount = 10;
    QString error;
    const Outcome outcome = again.SaveNewBloodPressureFile(dir.folder(), list);
    EXPECT_FALSE(outcome.succeeded);
    error = outcome.reason;
    EXPECT_EQ(error, u"An individual named \"Ann\" already exists; please choose another name."_qs);
    EXPECT_EQ(dir.read(u"Ann.Fpl"_qs), lines({ "\"50\"" }));
    EXPECT_EQ(dir.read(u"BPTrker.Fil"_qs), lines({ "\"Ann\"" }));
}

TEST(BloodPressureFile, DeletingTheOnlyIndividualRemovesBothFiles)
{
    TemporaryProgramFolder dir;
    IndividualList list = BloodPressureFile::emptyIndividualList();
    ASSERT_TRUE(ann().SaveNewBloodPressureFile(dir.folder(), list));
    EXPECT_TRUE(BloodPressureFile::deleteBloodPressureFile(dir.folder(), list, u"Ann"_qs));
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

// A count that is damaged, or smaller than the readings stored, must not cut
// the log: the next save would lose every reading beyond it. A file that
// ends inside a reading keeps what it holds of it and says so.
TEST(BloodPressureFile, EveryStoredReadingSurvivesLoadingAndSaving)
{
    struct Case {
        const char* countLine;
        int storedRows;
        QByteArray extra;
        int expectedRows;
        bool cutShort;
    };
    const QList<Case> cases {
        { "\"x\"", 803, {}, 803, false },
        { "\"-3\"", 55, "\"March 01, 2012\"\r\n\"7:05 AM\"\r\n", 56, true },
        { "\"4\"", 7, {}, 7, false },
        { "\"50\"", 2, "\"March 01, 2012\"\r\n", 49, true },
    };
    for (const Case& c : cases) {
        QByteArray bytes = QByteArray(c.countLine) + "\r\n";
        for (int row = 1; row <= c.storedRows; ++row)
            bytes += lines({ "\"March 05, 2012\"", "\"7:05 AM\"", "\"120\"", "\"80\"" }) + "\""
                + QByteArray::number(row % 150 + 1) + "\"\r\n";
        TemporaryProgramFolder dir;
        dir.write(u"Ann.Fpl"_qs, bytes + c.extra);

        std::optional<BloodPressureFile> file
            = BloodPressureFile::LoadBloodPressureFile(dir.folder(), u"Ann"_qs);
        ASSERT_TRUE(file);
        EXPECT_EQ(file->rows.size(), c.expectedRows) << c.countLine;
        EXPECT_EQ(file->cutShortRow, c.cutShort ? c.storedRows + 1 : 0) << c.countLine;
        EXPECT_EQ(file->row(c.storedRows).pulse, QString::number(c.storedRows % 150 + 1));
        if (c.cutShort) {
            EXPECT_EQ(file->row(c.storedRows + 1).date, u"March 01, 2012"_qs);
        }

        ASSERT_TRUE(file->SaveBloodPressureFile(dir.folder()));
        const std::optional<BloodPressureFile> again
            = BloodPressureFile::LoadBloodPressureFile(dir.folder(), u"Ann"_qs);
        ASSERT_TRUE(again);
        EXPECT_EQ(again->rows, file->rows) << c.countLine;
        EXPECT_EQ(again->cutShortRow, 0);
    }
}

} // namespace
