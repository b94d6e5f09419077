#include "FaultyFileOperations.h"
#include "FolderContents.h"
#include "TemporaryProgramFolder.h"

#include "backup/FileSetTransaction.h"
#include "datatool/FolderChecker.h"
#include "datatool/LogImport.h"
#include "weight/WeightFile.h"

#include <QDir>
#include <QDirIterator>

#include <gtest/gtest.h>

namespace {

using Files = QMap<QString, QByteArray>;

// A folder where Ann is listed with a log and a unit, so that the list and
// the settings file are replaced while the new person's file is added.
void setUp(const TemporaryProgramFolder& folder)
{
    WeightFile ann;
    ann.name = "Ann";
    ann.rows = { { "January 01, 2013", "200" } };
    IndividualList list = WeightFile::LoadIndividualList(folder.folder());
    ASSERT_TRUE(list.addIndividual(
        folder.folder(), "Ann", [&] { return ann.SaveWeightFile(folder.folder()); }));
    ASSERT_TRUE(WeightPersonSettings(folder.folder())
                    .write("Ann", { WeightPersonSettings::Unit::Pounds, true, 64 }));
}

LogImport::Preview previewOf(const TemporaryProgramFolder& folder, const QString& path)
{
    LogImport::Request request;
    request.name = "Eve";
    request.path = path;
    request.today = QDate(2024, 1, 1);
    return LogImport::preview(folder.folder(), request);
}

QStringList allFiles(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(folder).relativeFilePath(it.next()));
    files.sort();
    return files;
}

// A new person's import stopped after each of its steps, as a kill would
// stop it, and the folder opened again: the old folder or the new one, and
// from the old one the same import goes through, the name not taken by a
// file left behind.
TEST(LogImportTransaction, AnImportStoppedAfterAnyStepLeavesTheOldFolderOrTheNewOne)
{
    TemporaryProgramFolder elsewhere;
    elsewhere.write("weight.csv",
        "Date,\"Weight (kg)\",Comments\n\"2023-01-15 07:30:12\",80.4,\n"
        "\"2023-01-16 07:31:00\",80.2,\n");
    const QString path = elsewhere.filePath("weight.csv");
    Files before;
    Files after;
    int steps = 0;
    {
        TemporaryProgramFolder complete;
        setUp(complete);
        before = folderContents(complete.path());
        const LogImport::Preview preview = previewOf(complete, path);
        ASSERT_TRUE(preview.canApply()) << preview.error.toStdString();
        ASSERT_TRUE(preview.unitFromSource);
        FaultyFileOperations files;
        ASSERT_TRUE(LogImport::apply(complete.folder(), preview, files));
        after = folderContents(complete.path());
        steps = files.steps();
        EXPECT_EQ(WeightPersonSettings(complete.folder()).read("Eve").unit,
            WeightPersonSettings::Unit::Kilograms);
        EXPECT_EQ(WeightPersonSettings(complete.folder()).read("Ann"),
            (WeightPersonSettings::Values { WeightPersonSettings::Unit::Pounds, true, 64 }));
    }
    ASSERT_EQ(QStringList(after.keys()),
        QStringList({ "Ann.Fil", "Eve.Fil", "Halvorn.ini", "WeightTrker.Fil" }));
    int oldFolders = 0;
    for (int k = 1; k <= steps; ++k) {
        SCOPED_TRACE(k);
        TemporaryProgramFolder folder;
        setUp(folder);
        const LogImport::Preview preview = previewOf(folder, path);
        FaultyFileOperations files;
        files.crashAt(k);
        EXPECT_THROW(
            LogImport::apply(folder.folder(), preview, files), FaultyFileOperations::Crash);

        DiskFileOperations disk;
        FileSetTransaction::recover(folder.path(), disk);
        const Files found = folderContents(folder.path());
        EXPECT_TRUE(found == before || found == after)
            << QStringList(found.keys()).join(u' ').toStdString();
        EXPECT_EQ(allFiles(folder.path()), QStringList(found.keys()));
        EXPECT_FALSE(FolderChecker::hasDamage(FolderChecker::check(folder.folder())));
        if (found == before) {
            ++oldFolders;
            EXPECT_TRUE(LogImport::apply(folder.folder(), previewOf(folder, path)));
            EXPECT_EQ(folderContents(folder.path()), after);
        }
    }
    // The journal is the turning point: some stops come before it.
    EXPECT_GT(oldFolders, 0);
    EXPECT_LT(oldFolders, steps);
}

} // namespace
