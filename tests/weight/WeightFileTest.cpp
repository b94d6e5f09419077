#include "weight/WeightFile.h"
#include "FailingSaves.h"
#include "FileSizeLimit.h"
#include "TemporaryProgramFolder.h"

#include <QDate>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

QByteArray lines(std::initializer_list<const char*> values)
{
    QByteArray bytes;
    for (const char* value : values)
        bytes += value + QByteArray("\r\n");
    return bytes;
}

WeightFile ann()
{
    WeightFile file;
    file.name = u"Ann"_qs;
    file.beginningDate = u"January 02, 2013"_qs;
    file.beginningWeight = u"180"_qs;
    file.goalWeight = u"150"_qs;
    file.beginningPictureDate = u"Date Photo Taken"_qs;
    file.currentPictureDate = u"Date Photo Taken"_qs;
    return file;
}

// The header of a new individual with no plan and no pictures chosen.
const QByteArray annHeader = lines({ "\"50\"", "\"January 02, 2013\"", "\"180\"", "\"150\"", "\"\"",
    "\"\"", "\"\"", "\"Date Photo Taken\"", "\"Date Photo Taken\"", "\"\"", "", "" });

TEST(WeightFile, SaveNewWritesTheTwelveHeaderLinesAndListsTheName)
{
    TemporaryProgramFolder dir;
    dir.write(u"WeightTrker.Fil"_qs, lines({ "\"Bob\"", "\"Zed\"" }));
    IndividualList list = WeightFile::LoadIndividualList(dir.folder());

    QString error;
    const Outcome outcome = ann().SaveNewWeightFile(dir.folder(), list);
    ASSERT_TRUE(outcome.succeeded) << outcome.reason.toStdString();
    error = outcome.reason;

    EXPECT_EQ(dir.read(u"Ann.Fil"_qs), annHeader);
    EXPECT_EQ(dir.read(u"Ann.Fil"_qs).count("\r\n"), 12);
    EXPECT_EQ(dir.read(u"WeightTrker.Fil"_qs), lines({ "\"Ann\"", "\"Bob\"", "\"Zed\"" }));
    EXPECT_EQ(list.names(), (QStringList { u"Ann"_qs, u"Bob"_qs, u"Zed"_qs }));
}

TEST(WeightFile, SaveAfterTwoWeighInsWritesEveryRowOfTheGrid)
{
    TemporaryProgramFolder dir;
    WeightFile file = ann();
    file.rows
        = { { u" February 20, 2013 "_qs, u"183.5 "_qs }, { u"February 27, 2013"_qs, u"181"_qs } };
    ASSERT_TRUE(file.SaveWeightFile(dir.folder()));

    QByteArray expected = annHeader
        + lines({ "\"February 20, 2013\"", "\"183.5\"", "\"February 27, 2013\"", "\"181\"" });
    for (int row = 3; row < 50; ++row)
        expected += lines({ "\"\"", "\"\"" });
    const QByteArray stored = dir.read(u"Ann.Fil"_qs);
    EXPECT_EQ(stored.count("\r\n"), 12 + 98);
    EXPECT_EQ(stored, expected);
}

TEST(WeightFile, SaveReplacesTheWholePreviousFile)
{
    TemporaryProgramFolder dir;
    dir.write(u"Ann.Fil"_qs, annHeader + lines({ "\"x\"", "\"y\"" }).repeated(200));
    WeightFile file = ann();
    file.rowCount = 2;
    file.rows = { { u"February 20, 2013"_qs, u"183.5"_qs } };
    ASSERT_TRUE(file.SaveWeightFile(dir.folder()));
    const QByteArray headerAfterCount = annHeader.mid(annHeader.indexOf('\n') + 1);
    EXPECT_EQ(dir.read(u"Ann.Fil"_qs),
        lines({ "\"2\"" }) + headerAfterCount + lines({ "\"February 20, 2013\"", "\"183.5\"" }));
}

TEST(WeightFile, RowsBeyondTheCountRaiseTheStoredCountInsteadOfBeingDropped)
{
    TemporaryProgramFolder dir;
    WeightFile file = ann();
    file.rowCount = 2;
    file.rows = { { u"a"_qs, u"1"_qs }, { u"b"_qs, u"2"_qs }, { u"c"_qs, u"3"_qs } };
    EXPECT_EQ(file.storedRowCount(), 4);
    ASSERT_TRUE(file.SaveWeightFile(dir.folder()));
    const std::optional<WeightFile> loaded = WeightFile::LoadWeightFile(dir.folder(), u"Ann"_qs);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->rowCount, 4);
    EXPECT_EQ(loaded->rows, file.rows);
}

TEST(WeightFile, NewFileLoadsAsAnEmptyLogOfItsRowCount)
{
    TemporaryProgramFolder dir;
    dir.write(u"Ann.Fil"_qs, annHeader);
    const std::optional<WeightFile> loaded = WeightFile::LoadWeightFile(dir.folder(), u"Ann"_qs);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->name, u"Ann"_qs);
    EXPECT_EQ(loaded->beginningWeight, u"180"_qs);
    EXPECT_EQ(loaded->goalWeight, u"150"_qs);
    EXPECT_EQ(loaded->currentPictureDate, u"Date Photo Taken"_qs);
    EXPECT_EQ(loaded->beginningPicture, u""_qs);
    EXPECT_EQ(loaded->rowCount, 50);
    EXPECT_EQ(loaded->rows, QList<WeighIn>(49));
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

class WeightFileRowCount : public testing::TestWithParam<RowCountCase>
{
};

TEST_P(WeightFileRowCount, FirstLineGivesTheGridSize)
{
    TemporaryProgramFolder dir;
    dir.write(u"Ann.Fil"_qs,
        GetParam().firstLine + QByteArray("\r\n")
            + lines({ "\"d\"", "\"180\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"",
                "", "", "\"March 01, 2013\"", "\" 175 \"" }));
    const std::optional<WeightFile> loaded = WeightFile::LoadWeightFile(dir.folder(), u"Ann"_qs);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->rowCount, GetParam().rowCount);
    ASSERT_EQ(loaded->rows.size(), GetParam().rowCount - 1);
    EXPECT_EQ(loaded->rows.first(), (WeighIn { u"March 01, 2013"_qs, u"175"_qs }));
}

INSTANTIATE_TEST_SUITE_P(Table, WeightFileRowCount,
    testing::Values(RowCountCase { "Fifty", "\"50\"", 50 }, RowCountCase { "Three", "\"3\"", 3 },
        RowCountCase { "Zero", "\"0\"", 50 }, RowCountCase { "Negative", "\"-4\"", 50 },
        RowCountCase { "Letters", "\"abc\"", 50 }, RowCountCase { "Fraction", "\"7.6\"", 8 },
        RowCountCase { "Unquoted", "12", 12 }, RowCountCase { "Empty", "", 50 }),
    [](const testing::TestParamInfo<RowCountCase>& testCase) {
        return std::string(testCase.param.label);
    });

TEST(WeightFile, FileEndingEarlyLeavesTheRestEmpty)
{
    TemporaryProgramFolder dir;
    dir.write(u"Ann.Fil"_qs, lines({ "\"4\"", "\"January 02, 2013\"", "\"180\"" }));
    const std::optional<WeightFile> loaded = WeightFile::LoadWeightFile(dir.folder(), u"Ann"_qs);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->beginningWeight, u"180"_qs);
    EXPECT_EQ(loaded->goalWeight, u""_qs);
    EXPECT_EQ(loaded->comments, u""_qs);
    EXPECT_EQ(loaded->beginningPicture, std::nullopt);
    EXPECT_EQ(loaded->rows, QList<WeighIn>(3));
}

TEST(WeightFile, MissingFileLoadsAsEmptyFieldsAndFiftyRows)
{
    TemporaryProgramFolder dir;
    const std::optional<WeightFile> loaded = WeightFile::LoadWeightFile(dir.folder(), u" Ann "_qs);
    ASSERT_TRUE(loaded);
    WeightFile expected;
    expected.name = u"Ann"_qs;
    expected.rows = QList<WeighIn>(49);
    EXPECT_EQ(*loaded, expected);
}

TEST(WeightFile, UnreadableFileIsReportedNotLoadedAsEmpty)
{
    TemporaryProgramFolder dir;
    QDir(dir.path()).mkdir(u"Ann.Fil"_qs);
    QString error;
    EXPECT_FALSE(WeightFile::LoadWeightFile(dir.folder(), u"Ann"_qs, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(WeightFile, SaveThenLoadGivesBackEveryValue)
{
    TemporaryProgramFolder dir;
    WeightFile file;
    file.name = u"Smith, Ann"_qs;
    file.beginningDate = u"January 02, 2013"_qs;
    file.beginningWeight = u"180.5"_qs;
    file.goalWeight = u"150"_qs;
    file.exerciseDaysPerWeek = u"3"_qs;
    file.exerciseTimePerPeriod = u"45 min, brisk"_qs;
    file.exerciseTypes = u"  Walking, swimming (crawl) & yoga — 2×  "_qs;
    file.beginningPictureDate = u"January 02, 2013"_qs;
    file.currentPictureDate = u"Date Photo Taken"_qs;
    file.comments = u"Doctor: lose 30.\r\nCafé visits: fewer, please.\nLast line"_qs;
    file.beginningPicture = u"/home/ann/Pictures/before €.jpg"_qs;
    file.currentPicture = u""_qs;
    file.rowCount = 5;
    file.rows = { { u"February 20, 2013"_qs, u"183.5"_qs }, {}, { u"March 01, 2013"_qs, u""_qs },
        { u""_qs, u"170"_qs } };

    IndividualList list = WeightFile::emptyIndividualList();
    ASSERT_TRUE(file.SaveNewWeightFile(dir.folder(), list));
    ASSERT_TRUE(file.SaveWeightFile(dir.folder()));
    EXPECT_TRUE(dir.exists(u"Smith, Ann.Fil"_qs));
    EXPECT_EQ(dir.read(u"WeightTrker.Fil"_qs), lines({ "\"Smith, Ann\"" }));

    EXPECT_EQ(WeightFile::LoadIndividualList(dir.folder()).names(), list.names());
    const std::optional<WeightFile> loaded
        = WeightFile::LoadWeightFile(dir.folder(), u"Smith, Ann"_qs);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(*loaded, file);
}

TEST(WeightFile, HeaderFieldsFollowTheBoxNumbers)
{
    WeightFile file = ann();
    EXPECT_EQ(file.headerField(1), u"January 02, 2013"_qs);
    EXPECT_EQ(file.headerField(3), u"150"_qs);
    file.headerField(6) = u"Walking"_qs;
    EXPECT_EQ(file.exerciseTypes, u"Walking"_qs);
    EXPECT_EQ(file.headerField(8), u"Date Photo Taken"_qs);
}

TEST(WeightFile, FailedSaveKeepsThePreviousFileByteForByteAndIsReported)
{
    TemporaryProgramFolder dir;
    const QByteArray previous = annHeader;
    dir.write(u"Ann.Fil"_qs, previous);
    WeightFile file = ann();
    file.rows = { { u"February 20, 2013"_qs, u"183.5"_qs } };
    QString error;
    {
        FileSizeLimit diskFull(previous.size());
        const Outcome outcome = file.SaveWeightFile(dir.folder());
        EXPECT_FALSE(outcome.succeeded);
        error = outcome.reason;
    }
    EXPECT_TRUE(error.startsWith(u"Ann.Fil could not be saved"_qs)) << error.toStdString();
    EXPECT_EQ(dir.read(u"Ann.Fil"_qs), previous);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList { u"Ann.Fil"_qs });
}

TEST(WeightFile, SaveNewRefusesANameThatWouldOverwriteAnotherFile)
{
    TemporaryProgramFolder dir;
    dir.write(u"WeightTrker.Fil"_qs, lines({ "\"Ann\"" }));
    dir.write(u"Ann.Fil"_qs, annHeader);
    IndividualList list = WeightFile::LoadIndividualList(dir.folder());

    for (const QString& name : { u"ANN"_qs, u"weighttrker"_qs, u"Secfile1"_qs, u"a\\b"_qs }) {
        WeightFile file;
        file.name = name;
        QString error;
        const Outcome outcome = file.SaveNewWeightFile(dir.folder(), list);
        EXPECT_FALSE(outcome.succeeded) << name.toStdString();
        error = outcome.reason;
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
        (QStringList { u"Ann.Fil"_qs, u"WeightTrker.Fil"_qs }));
    EXPECT_EQ(dir.read(u"Ann.Fil"_qs), annHeader);
    EXPECT_EQ(list.names(), QStringList { u"Ann"_qs });
}

TEST(WeightFile, DeletingTheOnlyIndividualRemovesBothFiles)
{
    TemporaryProgramFolder dir;
    IndividualList list = WeightFile::emptyIndividualList();
    ASSERT_TRUE(ann().SaveNewWeightFile(dir.folder(), list));
    ASSERT_TRUE(dir.exists(u"WeightTrker.Fil"_qs));

    EXPECT_TRUE(WeightFile::deleteWeightFile(dir.folder(), list, u"Ann"_qs));
    EXPECT_TRUE(list.isEmpty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    EXPECT_TRUE(WeightFile::LoadIndividualList(dir.folder()).isEmpty());
}

// Ann's header with the given row count line, then weigh-ins dated one day
// apart and weighing 200 + row, then the extra lines.
QByteArray annWithRows(const char* countLine, int rows, const QByteArray& extra = {})
{
    QByteArray bytes
        = QByteArray(countLine) + "\r\n" + annHeader.sliced(annHeader.indexOf('\n') + 1);
    for (int row = 1; row <= rows; ++row)
        bytes += "\"" + QDate(2013, 1, 1).addDays(row).toString("MMMM dd, yyyy").toLatin1()
            + "\"\r\n\"" + QByteArray::number(200 + row) + "\"\r\n";
    return bytes + extra;
}

// A count that is damaged, or smaller than the rows stored, must not cut
// the log: the next save would lose every weigh-in beyond it.
TEST(WeightFile, EveryStoredRowSurvivesLoadingAndSaving)
{
    struct Case {
        const char* countLine;
        int storedRows;
        int expectedRows;
    };
    const QList<Case> cases {
        { "\"x\"", 803, 803 },
        { "\"\"", 60, 60 },
        { "\"10\"", 20, 20 },
        { "\"50\"", 3, 49 },
    };
    for (const Case& c : cases) {
        TemporaryProgramFolder dir;
        dir.write(u"Ann.Fil"_qs, annWithRows(c.countLine, c.storedRows));
        std::optional<WeightFile> file = WeightFile::LoadWeightFile(dir.folder(), u"Ann"_qs);
        ASSERT_TRUE(file);
        EXPECT_EQ(file->rows.size(), c.expectedRows) << c.countLine;
        EXPECT_EQ(file->rowCount, c.expectedRows + 1) << c.countLine;
        EXPECT_EQ(file->cutShortRow, 0);
        EXPECT_EQ(file->row(c.storedRows).weight, QString::number(200 + c.storedRows));

        ASSERT_TRUE(file->SaveWeightFile(dir.folder()));
        const std::optional<WeightFile> again = WeightFile::LoadWeightFile(dir.folder(), u"Ann"_qs);
        ASSERT_TRUE(again);
        EXPECT_EQ(again->rows, file->rows) << c.countLine;
        EXPECT_TRUE(dir.read(u"Ann.Fil"_qs)
                        .startsWith("\"" + QByteArray::number(c.expectedRows + 1) + "\"\r\n"));
    }
}

TEST(WeightFile, AFileEndingInsideARowKeepsItsDateAndSaysWhichRow)
{
    struct Case {
        const char* countLine;
        int wholeRows;
        int expectedRows;
    };
    const QList<Case> cases { { "\"50\"", 2, 49 }, { "\"x\"", 60, 61 } };
    for (const Case& c : cases) {
        TemporaryProgramFolder dir;
        dir.write(u"Ann.Fil"_qs, annWithRows(c.countLine, c.wholeRows, "\"March 30, 2013\"\r\n"));
        const std::optional<WeightFile> file = WeightFile::LoadWeightFile(dir.folder(), u"Ann"_qs);
        ASSERT_TRUE(file);
        EXPECT_EQ(file->cutShortRow, c.wholeRows + 1) << c.countLine;
        EXPECT_EQ(file->rows.size(), c.expectedRows) << c.countLine;
        EXPECT_EQ(file->row(c.wholeRows + 1), (WeighIn { u"March 30, 2013"_qs, QString() }));
    }
    TemporaryProgramFolder dir;
    dir.write(u"Ann.Fil"_qs, annWithRows("\"50\"", 2));
    EXPECT_EQ(WeightFile::LoadWeightFile(dir.folder(), u"Ann"_qs)->cutShortRow, 0);
}

TEST(WeightFile, AShortWriteSaysHowMuchOfTheFileCouldBeWritten)
{
    TemporaryProgramFolder dir;
    dir.write(u"Ann.Fil"_qs, annHeader);
    WeightFile file = ann();
    file.rowCount = 2000;
    TemporaryProgramFolder roomy;
    ASSERT_TRUE(file.SaveWeightFile(roomy.folder()));
    ASSERT_EQ(roomy.read(u"Ann.Fil"_qs).size(), 16094);
    QString error;
    {
        FailingSaves diskFull(12288);
        const Outcome outcome = file.SaveWeightFile(dir.folder());
        EXPECT_FALSE(outcome.succeeded);
        error = outcome.reason;
    }
    EXPECT_EQ(error,
        u"Ann.Fil could not be saved: only 12,288 of 16,094 bytes could be written; the disk "
        "may be full"_qs);
    EXPECT_EQ(dir.read(u"Ann.Fil"_qs), annHeader);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList { u"Ann.Fil"_qs });
}

// A new individual's file would be written through the link, to wherever it
// points.
TEST(WeightFile, SaveNewRefusesANameWhoseFileIsALinkPointingNowhere)
{
    TemporaryProgramFolder dir;
    TemporaryProgramFolder elsewhere;
    ASSERT_TRUE(QFile::link(elsewhere.filePath(u"target.Fil"_qs), dir.filePath(u"ann.fil"_qs)));
    IndividualList list = WeightFile::emptyIndividualList();
    QString error;
    const Outcome outcome = ann().SaveNewWeightFile(dir.folder(), list);
    EXPECT_FALSE(outcome.succeeded);
    error = outcome.reason;
    EXPECT_EQ(error, u"A file named \"Ann.Fil\" already exists; please choose another name."_qs);
    EXPECT_FALSE(elsewhere.exists(u"target.Fil"_qs));
    EXPECT_FALSE(dir.exists(u"WeightTrker.Fil"_qs));
    EXPECT_TRUE(list.isEmpty());
}

} // namespace
