#include "storage/ZorqNameFile.h"

#include "TemporaryProgramFolder.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

TEST(ZorqNameFile, FreshFolderHasNoNameAndCreatesEmptyFile)
{
    TemporaryProgramFolder temp;
    EXPECT_EQ(ZorqNameFile(temp.folder()).familyName(), "");
    EXPECT_TRUE(temp.exists("ZORQNAME.FIL"));
    EXPECT_EQ(QFileInfo(temp.filePath("ZORQNAME.FIL")).size(), 0);
}

TEST(ZorqNameFile, LongNameIsCutToFifteenCharacters)
{
    TemporaryProgramFolder temp;
    const ZorqNameFile settings(temp.folder());

    ASSERT_TRUE(settings.setFamilyName("Abcdefghijklmnopqrst"));
    EXPECT_EQ(settings.familyName(), "Abcdefghijklmno");
    QByteArray expected("\x0F\x00"
                        "Abcdefghijklmno",
        17);
    expected.append(QByteArray(40 - expected.size(), '\0'));
    EXPECT_EQ(temp.read("ZORQNAME.FIL"), expected);
}

TEST(ZorqNameFile, EmptyNameRemovesTheName)
{
    TemporaryProgramFolder temp;
    const ZorqNameFile settings(temp.folder());
    ASSERT_TRUE(settings.setFamilyName(QString::fromUtf8("Müller")));
    EXPECT_EQ(settings.familyName(), QString::fromUtf8("Müller"));
    ASSERT_TRUE(settings.setFamilyName(""));
    EXPECT_EQ(settings.familyName(), "");
}

} // namespace
