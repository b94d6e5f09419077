#include "storage/ProgramFolder.h"

#include "TemporaryProgramFolder.h"

#include <QFile>

#include <gtest/gtest.h>

TEST(ProgramFolderTest, MatchesAnExistingFileInAnyLetterCase)
{
    TemporaryProgramFolder temp;
    temp.write("Secfile2.fil", "x");
    const ProgramFolder folder = temp.folder();

    EXPECT_EQ(folder.filePath("Secfile2.Fil"), temp.filePath("Secfile2.fil"));
    EXPECT_EQ(folder.filePath("SECFILE2.FIL"), temp.filePath("Secfile2.fil"));
    EXPECT_TRUE(folder.exists("secfile2.FIL"));
}

TEST(ProgramFolderTest, UsesTheNameAsGivenWhenNoFileMatches)
{
    TemporaryProgramFolder temp;
    const ProgramFolder folder = temp.folder();

    EXPECT_EQ(folder.filePath("GColor1.Fil"), temp.filePath("GColor1.Fil"));
    EXPECT_FALSE(folder.exists("GColor1.Fil"));
}

TEST(ProgramFolderTest, PrefersTheExactNameWhenSeveralCasesExist)
{
    TemporaryProgramFolder temp;
    temp.write("names.fil", "a");
    temp.write("NAMES.FIL", "b");

    EXPECT_EQ(temp.folder().filePath("NAMES.FIL"), temp.filePath("NAMES.FIL"));
    EXPECT_EQ(temp.folder().filePath("names.fil"), temp.filePath("names.fil"));
}

TEST(ProgramFolderTest, ShippedFilesComeFromTheirOwnFolder)
{
    TemporaryProgramFolder data;
    TemporaryProgramFolder shipped;
    shipped.write("Sad1.ico", "face");
    data.write("sad1.ico", "not a face");

    const ProgramFolder folder(data.path(), shipped.path());
    EXPECT_EQ(folder.shippedFilePath("SAD1.ICO"), shipped.filePath("Sad1.ico"));
    EXPECT_EQ(folder.filePath("SAD1.ICO"), data.filePath("sad1.ico"));
    // One folder for both unless told otherwise.
    EXPECT_EQ(data.folder().shippedFilePath("Sad1.ico"), data.filePath("sad1.ico"));
}

// A link whose target is gone is still an entry of the folder: a new file of
// that name would be written through it, wherever it points.
TEST(ProgramFolderTest, ALinkPointingNowhereExistsInAnyLetterCase)
{
    TemporaryProgramFolder temp;
    TemporaryProgramFolder elsewhere;
    ASSERT_TRUE(QFile::link(elsewhere.filePath("gone.Fil"), temp.filePath("Ann.Fil")));
    const ProgramFolder folder = temp.folder();

    EXPECT_TRUE(folder.exists("Ann.Fil"));
    EXPECT_TRUE(folder.exists("ANN.FIL"));
    EXPECT_EQ(folder.filePath("ann.fil"), temp.filePath("Ann.Fil"));
}
