#include "storage/DataFolderLocation.h"

#include "ReadOnlyFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// What a build folder or an installation's share folder holds.
void placeShippedFiles(const QString& folder)
{
    QDir().mkpath(folder + QStringLiteral("/help"));
    QFile picture(folder + QStringLiteral("/Halvorn.png"));
    ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
    QFile page(folder + QStringLiteral("/help/1000.html"));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
}

class DataFolderLocationTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        user = root.filePath(QStringLiteral("home/.local/share/Halvorn"));
        bin = root.filePath(QStringLiteral("usr/bin"));
        share = root.filePath(QStringLiteral("usr/share/halvorn"));
        stick = root.filePath(QStringLiteral("stick/Halvorn"));
        QDir().mkpath(bin);
        placeShippedFiles(share);
        placeShippedFiles(stick);
    }

    QTemporaryDir root;
    QString user;
    QString bin;
    QString share;
    QString stick;
};

} // namespace

TEST_F(DataFolderLocationTest, AFolderOfItsOwnKeepsTheFilesBesideTheProgram)
{
    const DataFolderLocation location(stick, QString(), user);
    EXPECT_TRUE(location.isPortable());
    EXPECT_EQ(location.dataFolder(), stick);
    EXPECT_EQ(location.shippedFilesFolder(), stick);
    EXPECT_EQ(location.programFolder().filePath("GColor1.Fil"), stick + "/GColor1.Fil");
}

TEST_F(DataFolderLocationTest, AnInstalledCopyUsesTheUsersFolderAndTheShareFolder)
{
    const DataFolderLocation location(bin, QString(), user);
    EXPECT_FALSE(location.isPortable());
    EXPECT_EQ(location.dataFolder(), user);
    EXPECT_EQ(location.shippedFilesFolder(), share);
    EXPECT_EQ(location.programFolder().shippedFilePath("help"), share + "/help");
}

// A copy on a medium it cannot write to keeps its pictures where they are
// and the user's files in the user's folder.
TEST_F(DataFolderLocationTest, AReadOnlyFolderOfItsOwnIsTreatedAsAnInstallation)
{
    const ReadOnlyFolder readOnly(stick);
    if (!readOnly.isEffective())
        GTEST_SKIP() << "this system cannot make a folder read-only";
    const DataFolderLocation location(stick, QString(), user);
    EXPECT_FALSE(location.isPortable());
    EXPECT_EQ(location.dataFolder(), user);
    EXPECT_EQ(location.shippedFilesFolder(), stick);
}

TEST_F(DataFolderLocationTest, AFolderNamedOnTheCommandLineHoldsTheFiles)
{
    struct Case {
        QString executableFolder;
        QString shipped;
    };
    const QList<Case> cases { { stick, stick }, { bin, share } };
    const QString named = root.filePath(QStringLiteral("elsewhere/../named"));
    for (const Case& c : cases) {
        const DataFolderLocation location(c.executableFolder, named, user);
        EXPECT_EQ(location.dataFolder(), root.filePath(QStringLiteral("named")));
        EXPECT_EQ(location.shippedFilesFolder(), c.shipped);
    }

    // A relative folder is taken from where the program was started.
    const QString current = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(root.path()));
    const DataFolderLocation relative(bin, QStringLiteral("named"), user);
    QDir::setCurrent(current);
    EXPECT_EQ(relative.dataFolder(), root.filePath(QStringLiteral("named")));
}

// Without its pictures anywhere (a half-copied folder) the program still
// keeps the user's files safe and simply shows no pictures.
TEST_F(DataFolderLocationTest, NoShippedFilesAnywhereStillUsesTheUsersFolder)
{
    QDir(share).removeRecursively();
    const DataFolderLocation location(bin, QString(), user);
    EXPECT_FALSE(location.isPortable());
    EXPECT_EQ(location.dataFolder(), user);
    EXPECT_EQ(location.shippedFilesFolder(), bin);

    EXPECT_EQ(DataFolderLocation(bin, QString(), QString()).dataFolder(), QString());
}
