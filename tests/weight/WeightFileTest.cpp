#include "weight/WeightFile.h"
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
    ASSERT_TRUE(ann().SaveNewWeightFile(dir.folder(), list, &error)) << error.toStdString();

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
    [](const testing::TestParamInfo<RowCountCase>& info) { return std::string(info.param.label); });

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
        EXPECT_FALSE(file.SaveWeightFile(dir.folder(), &error));
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
        EXPECT_FALSE(file.SaveNewWeightFile(dir.folder(), list, &error)) << name.toStdString();
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

} // namespace
