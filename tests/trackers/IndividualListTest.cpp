#include "trackers/IndividualList.h"
#include "FileSizeLimit.h"
#include "TemporaryProgramFolder.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

const QString listFile = u"WeightTrker.Fil"_qs;

IndividualList weightList()
{
    return IndividualList(listFile, u".Fil"_qs);
}

IndividualList listOf(const QStringList& names)
{
    IndividualList list = weightList();
    for (const QString& name : names)
        list.add(name);
    return list;
}

// The selection list sorted without regard to case; the combo box's own
// sorting would put "Bob" before "ann".
TEST(IndividualList, KeepsNamesSortedWithoutRegardToCase)
{
    const QStringList expected { u"ann"_qs, u"Bob"_qs, u"carl"_qs, u"Smith, Ann"_qs,
        u"Smith, Anna"_qs, u"Zoë"_qs };
    EXPECT_EQ(
        listOf({ u"Zoë"_qs, u"carl"_qs, u"Smith, Anna"_qs, u"Bob"_qs, u"ann"_qs, u"Smith, Ann"_qs })
            .names(),
        expected);
    EXPECT_EQ(
        listOf({ u"Smith, Ann"_qs, u"ann"_qs, u"Smith, Anna"_qs, u"Zoë"_qs, u"Bob"_qs, u"carl"_qs })
            .names(),
        expected);
}

TEST(IndividualList, AddTrimsAndListsEachNameOnceInAnyCase)
{
    IndividualList list = weightList();
    EXPECT_EQ(list.add(u"  Bob "_qs), 0);
    EXPECT_EQ(list.add(u"Ann"_qs), 0);
    EXPECT_EQ(list.add(u"BOB"_qs), 1);
    EXPECT_EQ(list.add(u"   "_qs), -1);
    EXPECT_EQ(list.names(), (QStringList { u"Ann"_qs, u"Bob"_qs }));
    EXPECT_EQ(list.indexOf(u" ann "_qs), 0);
    EXPECT_TRUE(list.remove(u"bob"_qs));
    EXPECT_FALSE(list.remove(u"Carl"_qs));
    EXPECT_EQ(list.names(), (QStringList { u"Ann"_qs }));
}

struct LoadCase {
    const char* label;
    QByteArray bytes;
    QStringList names;
};

void PrintTo(const LoadCase& c, std::ostream* os)
{
    *os << c.label;
}

class IndividualListLoad : public testing::TestWithParam<LoadCase>
{
};

TEST_P(IndividualListLoad, ReadsTrimmedSortedNames)
{
    TemporaryProgramFolder dir;
    dir.write(listFile, GetParam().bytes);
    IndividualList list = listOf({ u"Left over"_qs });
    QString error;
    const Outcome outcome = list.load(dir.folder());
    EXPECT_TRUE(outcome.succeeded);
    error = outcome.reason;
    EXPECT_EQ(list.names(), GetParam().names);
    EXPECT_TRUE(error.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Table, IndividualListLoad,
    testing::Values(LoadCase { "EmptyFile", "", {} },
        LoadCase { "OnlyAnEmptyValue", "\"\"\r\n", {} },
        LoadCase { "LeadingEmptyValue", "\"\"\r\n\"Ann\"\r\n", { u"Ann"_qs } },
        LoadCase { "Trimmed", "\"  Ann  \"\r\n\" Bob\"\r\n", { u"Ann"_qs, u"Bob"_qs } },
        LoadCase { "SortedIn", "\"Carl\"\r\n\"ann\"\r\n\"Bob\"\r\n",
            { u"ann"_qs, u"Bob"_qs, u"Carl"_qs } },
        LoadCase { "CommaInName", "\"Smith, Ann\"\r\n", { u"Smith, Ann"_qs } },
        LoadCase { "ListedTwice", "\"Ann\"\r\n\" Ann\"\r\n\"Ann\"\r\n", { u"Ann"_qs } },
        LoadCase { "DifferingOnlyInCase", "\"ann\"\r\n\"Bob\"\r\n\"ANN\"\r\n",
            { u"ANN"_qs, u"ann"_qs, u"Bob"_qs } },
        LoadCase { "Windows1252", "\"Zo\xeb\"\r\n", { u"Zoë"_qs } },
        LoadCase { "NoFinalLineEnd", "\"Ann\"\r\n\"Bob\"", { u"Ann"_qs, u"Bob"_qs } }),
    [](const testing::TestParamInfo<LoadCase>& testCase) {
        return std::string(testCase.param.label);
    });

TEST(IndividualList, NamesDifferingOnlyInCaseSurviveARewrite)
{
    TemporaryProgramFolder dir;
    dir.write(listFile, "\"ann\"\r\n\"Ann\"\r\n");
    dir.write(u"ann.Fil"_qs, "\"50\"\r\n");
    dir.write(u"Ann.Fil"_qs, "\"50\"\r\n");
    IndividualList list = listOf({});
    ASSERT_TRUE(list.load(dir.folder()));
    EXPECT_EQ(list.namesDifferingOnlyInCase(),
        (QList<std::pair<QString, QString>> { { u"Ann"_qs, u"ann"_qs } }));
    EXPECT_EQ(list.indexOf(u"ann"_qs), 1);

    ASSERT_TRUE(list.addIndividual(dir.folder(), u"Bob"_qs, [&] {
        dir.write(u"Bob.Fil"_qs, "\"50\"\r\n");
        return Outcome::success();
    }));
    EXPECT_EQ(dir.read(listFile), "\"Ann\"\r\n\"ann\"\r\n\"Bob\"\r\n");
    // Deleting one of the pair takes the one spelled so, not the other.
    ASSERT_TRUE(list.deleteIndividual(dir.folder(), u"ann"_qs));
    EXPECT_EQ(dir.read(listFile), "\"Ann\"\r\n\"Bob\"\r\n");
    EXPECT_TRUE(dir.exists(u"Ann.Fil"_qs));
}

TEST(IndividualList, MissingFileLoadsAsEmptyList)
{
    TemporaryProgramFolder dir;
    IndividualList list = listOf({ u"Left over"_qs });
    EXPECT_TRUE(list.load(dir.folder()));
    EXPECT_TRUE(list.isEmpty());
}

TEST(IndividualList, ListFileIsFoundInAnyLetterCase)
{
    TemporaryProgramFolder dir;
    dir.write(u"WEIGHTTRKER.FIL"_qs, "\"Ann\"\r\n");
    IndividualList list = weightList();
    EXPECT_TRUE(list.load(dir.folder()));
    EXPECT_EQ(list.names(), (QStringList { u"Ann"_qs }));
}

TEST(IndividualList, UnreadableListIsReported)
{
    TemporaryProgramFolder dir;
    QDir(dir.path()).mkdir(listFile);
    IndividualList list = weightList();
    QString error;
    const Outcome outcome = list.load(dir.folder());
    EXPECT_FALSE(outcome.succeeded);
    error = outcome.reason;
    EXPECT_TRUE(list.isEmpty());
    EXPECT_TRUE(error.startsWith(u"WeightTrker.Fil could not be read"_qs)) << error.toStdString();
}

TEST(IndividualList, WritesEveryNameQuotedInOrder)
{
    TemporaryProgramFolder dir;
    EXPECT_TRUE(listOf({ u"Smith, Ann"_qs, u"Zoë"_qs, u"ann"_qs }).write(dir.folder()));
    EXPECT_EQ(dir.read(listFile), QByteArray("\"ann\"\r\n\"Smith, Ann\"\r\n\"Zo\xeb\"\r\n"));

    IndividualList readBack = weightList();
    EXPECT_TRUE(readBack.load(dir.folder()));
    EXPECT_EQ(readBack.names(), (QStringList { u"ann"_qs, u"Smith, Ann"_qs, u"Zoë"_qs }));
}

TEST(IndividualList, WritingAnEmptyListDeletesTheFile)
{
    TemporaryProgramFolder dir;
    dir.write(listFile, "\"Ann\"\r\n");
    EXPECT_TRUE(weightList().write(dir.folder()));
    EXPECT_FALSE(dir.exists(listFile));
    // Nothing to delete is not a failure either.
    EXPECT_TRUE(weightList().write(dir.folder()));
}

TEST(IndividualList, FailedWriteKeepsThePreviousListAndIsReported)
{
    TemporaryProgramFolder dir;
    const QByteArray previous = "\"Ann\"\r\n";
    dir.write(listFile, previous);
    const IndividualList list
        = listOf({ u"Ann"_qs, u"Bob"_qs, u"Carl"_qs, u"Dora"_qs, u"Emil"_qs, u"Fritz"_qs });
    QString error;
    {
        FileSizeLimit diskFull(16);
        const Outcome outcome = list.write(dir.folder());
        EXPECT_FALSE(outcome.succeeded);
        error = outcome.reason;
    }
    EXPECT_TRUE(error.startsWith(u"WeightTrker.Fil could not be saved"_qs)) << error.toStdString();
    EXPECT_EQ(dir.read(listFile), previous);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList { listFile });
}

TEST(IndividualList, NewNameMustDifferFromListedNamesAndExistingFiles)
{
    TemporaryProgramFolder dir;
    dir.write(u"Orphan.Fil"_qs, "\"50\"\r\n");
    const IndividualList list = listOf({ u"Ann"_qs });
    EXPECT_EQ(list.refusalForNewName(u" ann "_qs, dir.folder()),
        u"An individual named \"Ann\" already exists; please choose another name."_qs);
    EXPECT_EQ(list.refusalForNewName(u"ORPHAN"_qs, dir.folder()),
        u"A file named \"ORPHAN.Fil\" already exists; please choose another name."_qs);
    EXPECT_EQ(list.refusalForNewName(u"a/b"_qs, dir.folder()),
        u"A name cannot contain \"/\" or \"\\\"."_qs);
    EXPECT_TRUE(list.refusalForNewName(u"Bob"_qs, dir.folder()).isEmpty());
}

TEST(IndividualList, AddIndividualWritesDataFileThenList)
{
    TemporaryProgramFolder dir;
    IndividualList list = listOf({ u"Zed"_qs });
    dir.write(listFile, "\"Zed\"\r\n");
    int written = 0;
    EXPECT_TRUE(list.addIndividual(dir.folder(), u" Bob "_qs, [&] {
        ++written;
        dir.write(u"Bob.Fil"_qs, "\"50\"\r\n");
        return Outcome::success();
    }));
    EXPECT_EQ(written, 1);
    EXPECT_EQ(list.names(), (QStringList { u"Bob"_qs, u"Zed"_qs }));
    EXPECT_EQ(dir.read(listFile), QByteArray("\"Bob\"\r\n\"Zed\"\r\n"));
}

TEST(IndividualList, RefusedNameTouchesNoFile)
{
    TemporaryProgramFolder dir;
    IndividualList list = listOf({ u"Ann"_qs });
    bool called = false;
    QString error;
    const Outcome outcome = list.addIndividual(dir.folder(), u"ANN"_qs, [&] {
        called = true;
        return Outcome::success();
    });
    EXPECT_FALSE(outcome.succeeded);
    error = outcome.reason;
    EXPECT_FALSE(called);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(list.names(), QStringList { u"Ann"_qs });
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST(IndividualList, FailedDataFileWriteListsNothing)
{
    TemporaryProgramFolder dir;
    IndividualList list = weightList();
    QString error;
    const Outcome outcome = list.addIndividual(dir.folder(), u"Bob"_qs,
        [] { return Outcome::failed(u"Bob.Fil could not be saved: disk full"_qs); });
    EXPECT_FALSE(outcome.succeeded);
    error = outcome.reason;
    EXPECT_EQ(error, u"Bob.Fil could not be saved: disk full"_qs);
    EXPECT_TRUE(list.isEmpty());
    EXPECT_FALSE(dir.exists(listFile));
}

TEST(IndividualList, FailedListWriteTakesTheNewIndividualBack)
{
    TemporaryProgramFolder dir;
    QDir(dir.path()).mkdir(listFile); // nothing can be written in its place
    IndividualList list = weightList();
    QString error;
    const Outcome outcome = list.addIndividual(dir.folder(), u"Bob"_qs, [&] {
        dir.write(u"Bob.Fil"_qs, "\"50\"\r\n");
        return Outcome::success();
    });
    EXPECT_FALSE(outcome.succeeded);
    error = outcome.reason;
    EXPECT_TRUE(error.startsWith(u"WeightTrker.Fil could not be saved"_qs)) << error.toStdString();
    EXPECT_TRUE(list.isEmpty());
    EXPECT_FALSE(dir.exists(u"Bob.Fil"_qs));
}

TEST(IndividualList, DeletingTheOnlyIndividualRemovesBothFiles)
{
    TemporaryProgramFolder dir;
    IndividualList list = listOf({ u"Ann"_qs });
    dir.write(listFile, "\"Ann\"\r\n");
    dir.write(u"Ann.Fil"_qs, "\"50\"\r\n");
    EXPECT_TRUE(list.deleteIndividual(dir.folder(), u"Ann"_qs));
    EXPECT_TRUE(list.isEmpty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST(IndividualList, DeletingOneOfSeveralRewritesTheList)
{
    TemporaryProgramFolder dir;
    IndividualList list = listOf({ u"Ann"_qs, u"Bob"_qs });
    dir.write(listFile, "\"Ann\"\r\n\"Bob\"\r\n");
    dir.write(u"ann.fil"_qs, "\"50\"\r\n"); // made on a case-blind file system
    dir.write(u"Bob.Fil"_qs, "\"50\"\r\n");
    EXPECT_TRUE(list.deleteIndividual(dir.folder(), u"Ann"_qs));
    EXPECT_FALSE(dir.exists(u"ann.fil"_qs));
    EXPECT_TRUE(dir.exists(u"Bob.Fil"_qs));
    EXPECT_EQ(dir.read(listFile), QByteArray("\"Bob\"\r\n"));
}

TEST(IndividualList, DeletingAnIndividualWhoseFileIsGoneStillUnlistsIt)
{
    TemporaryProgramFolder dir;
    IndividualList list = listOf({ u"Ann"_qs, u"Bob"_qs });
    EXPECT_TRUE(list.deleteIndividual(dir.folder(), u"Bob"_qs));
    EXPECT_EQ(dir.read(listFile), QByteArray("\"Ann\"\r\n"));
}

TEST(IndividualList, DeletingANameOutsideTheFolderIsRefused)
{
    TemporaryProgramFolder dir;
    dir.write(u"Secret.Fil"_qs, "x");
    QDir(dir.path()).mkdir(u"sub"_qs);
    IndividualList list = listOf({ u"../Secret"_qs });
    QString error;
    const Outcome outcome
        = list.deleteIndividual(ProgramFolder(dir.filePath(u"sub"_qs)), u"../Secret"_qs);
    EXPECT_FALSE(outcome.succeeded);
    error = outcome.reason;
    EXPECT_TRUE(dir.exists(u"Secret.Fil"_qs));
    EXPECT_EQ(error, u"A name cannot contain \"/\" or \"\\\"."_qs);
}

} // namespace
