#include "storage/GColor14File.h"

#include "TemporaryProgramFolder.h"

#include <gtest/gtest.h>

namespace {

TEST(GColor14File, MissingFileMeansNoFolderAndIsNotCreated)
{
    TemporaryProgramFolder temp;
    EXPECT_EQ(GColor14File(temp.folder()).lastPictureFolder(), "");
    EXPECT_FALSE(temp.exists("GColor14.Fil"));
}

TEST(GColor14File, FolderIsOneQuotedLineReplacedWhole)
{
    TemporaryProgramFolder temp;
    const GColor14File settings(temp.folder());

    ASSERT_TRUE(settings.setLastPictureFolder("C:\\Pictures\\Old Times\\"));
    ASSERT_TRUE(settings.setLastPictureFolder("C:\\Photos\\"));
    EXPECT_EQ(temp.read("GColor14.Fil"), QByteArray("\"C:\\Photos\\\"\r\n"));
    EXPECT_EQ(settings.lastPictureFolder(), "C:\\Photos\\");
}

TEST(GColor14File, FolderWithDoubleQuoteKeepsThePrevious)
{
    TemporaryProgramFolder temp;
    const GColor14File settings(temp.folder());
    ASSERT_TRUE(settings.setLastPictureFolder("/home/ann/"));

    EXPECT_FALSE(settings.setLastPictureFolder("/home/ann/\"odd\"/"));
    EXPECT_EQ(settings.lastPictureFolder(), "/home/ann/");
}

TEST(GColor14File, ExistingFileIsFoundInAnyLetterCase)
{
    TemporaryProgramFolder temp;
    temp.write("GCOLOR14.FIL", "\"D:\\Bilder\\\"\r\n");
    EXPECT_EQ(GColor14File(temp.folder()).lastPictureFolder(), "D:\\Bilder\\");
}

} // namespace
