#include "FailingSaves.h"
#include "FaultyFileOperations.h"
#include "FolderContents.h"
#include "TemporaryProgramFolder.h"

#include "backup/DiskFileOperations.h"
#include "backup/FileSetTransaction.h"
#include "passwords/ClassicPasswordStorage.h"
#include "passwords/KeeperProtection.h"
#include "passwords/PasswordFiles.h"
#include "passwords/PasswordImport.h"
#include "passwords/VaultFile.h"
#include "passwords/VaultParameters.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <memory>

namespace {

using Files = QMap<QString, QByteArray>;

// A browser export of count logins, each its own account.
QByteArray browserExport(int count)
{
    QByteArray csv = "url,username,password\n";
    for (int i = 1; i <= count; ++i)
        csv += "https://site" + QByteArray::number(i) + ".example,user" + QByteArray::number(i)
            + ",Pw-" + QByteArray::number(i) + "\n";
    return csv;
}

PasswordImport::Plan planFor(const QByteArray& csv, const PasswordFiles& files)
{
    return PasswordImport::plan(
        PasswordImport::read(csv, PasswordImport::Format::Browser), files.loadAllEntries(), {});
}

// Counts the storage's writes on their way to the classic files.
class CountingStorage : public ClassicPasswordStorage
{
public:
    using ClassicPasswordStorage::ClassicPasswordStorage;

    Outcome write(Part part, const QByteArray& bytes) override
    {
        ++writes;
        return ClassicPasswordStorage::write(part, bytes);
    }
    Outcome writeBoth(const QByteArray& index, const QByteArray& entries) override
    {
        ++saves;
        return ClassicPasswordStorage::writeBoth(index, entries);
    }

    int writes = 0;
    int saves = 0;
};

TEST(PasswordImportSave, AThousandEntriesAreOneSaveInTheRecordsOneAddAfterAnotherWouldTake)
{
    TemporaryProgramFolder folder;
    QRandomGenerator random(5);
    {
        PasswordFiles files(folder.folder(), &random);
        ASSERT_TRUE(files.AddEntry({ "https://a.example", "ann", "one", "" }));
        ASSERT_TRUE(files.AddEntry({ "https://b.example", "bob", "two", "" }));
        ASSERT_TRUE(files.DeleteEntry(files.LoadIndex().first()));
    }
    const auto storage = std::make_shared<CountingStorage>(folder.folder());
    PasswordFiles files(folder.folder(), storage, &random);
    int added = 0;
    ASSERT_TRUE(PasswordImport::apply(files, planFor(browserExport(1000), files), &added));
    EXPECT_EQ(added, 1000);
    EXPECT_EQ(storage->saves, 1);
    EXPECT_EQ(storage->writes, 0);

    const QStringList items = files.LoadIndex();
    ASSERT_EQ(items.size(), 1001);
    // The freed record 1 is taken first, then those after record 2.
    EXPECT_EQ(IndexItem(items[files.findByName(items, "https://site1.example")]).recordNumber(), 1);
    EXPECT_EQ(IndexItem(items[files.findByName(items, "https://site2.example")]).recordNumber(), 3);
    EXPECT_EQ(*files.loadEntry(items[files.findByName(items, "https://site1000.example")]),
        (PasswordEntry { "https://site1000.example", "user1000", "Pw-1000", "site1000.example" }));
    EXPECT_FALSE(FileSetTransaction::hasUnfinishedRun(folder.path()));
}

// An import stopped after each of its steps, as a kill would stop it, and the
// folder opened again: the keeper is the old one or the new one, byte for
// byte, and nothing of the import is left.
TEST(PasswordImportSave, AnImportStoppedAfterAnyStepLeavesTheOldKeeperOrTheNewOne)
{
    const auto oldKeeper = [](const TemporaryProgramFolder& folder) {
        QRandomGenerator random(7);
        PasswordFiles files(folder.folder(), &random);
        ASSERT_TRUE(files.AddEntry({ "https://old.example", "ann", "old", "kept" }));
    };
    const auto import = [](const TemporaryProgramFolder& folder, BackupFileOperations& steps) {
        QRandomGenerator random(11);
        PasswordFiles files(folder.folder(),
            std::make_shared<ClassicPasswordStorage>(folder.folder(), &steps), &random);
        return PasswordImport::apply(files, planFor(browserExport(3), files));
    };

    Files before;
    Files after;
    int steps = 0;
    {
        TemporaryProgramFolder complete;
        oldKeeper(complete);
        before = folderContents(complete.path());
        FaultyFileOperations counted;
        ASSERT_TRUE(import(complete, counted));
        after = folderContents(complete.path());
        steps = counted.steps();
    }
    ASSERT_NE(before, after);
    int oldKeepers = 0;
    for (int k = 1; k <= steps; ++k) {
        SCOPED_TRACE(k);
        TemporaryProgramFolder folder;
        oldKeeper(folder);
        FaultyFileOperations stopping;
        stopping.crashAt(k);
        EXPECT_THROW(import(folder, stopping), FaultyFileOperations::Crash);

        DiskFileOperations disk;
        FileSetTransaction::recover(folder.path(), disk);
        const Files found = folderContents(folder.path());
        EXPECT_TRUE(found == before || found == after);
        oldKeepers += found == before;
        EXPECT_FALSE(FileSetTransaction::hasUnfinishedRun(folder.path()));
    }
    EXPECT_GT(oldKeepers, 0);
    EXPECT_LT(oldKeepers, steps);
}

// A protected keeper is sealed once for the whole import; a seal that
// cannot be written whole leaves the vault as it was.
TEST(PasswordImportSave, AProtectedKeeperIsSealedOnceOrLeftAsItWas)
{
    TemporaryProgramFolder folder;
    {
        PasswordFiles files(folder.folder());
        ASSERT_TRUE(files.AddEntry({ "https://old.example", "ann", "old", "" }));
    }
    KeeperProtection protection(folder.folder(), VaultParameters::fastest());
    ASSERT_TRUE(protection.protect("master"));
    const Files before = folderContents(folder.path());
    const QString vault = VaultFile(folder.folder()).path();
    const qint64 vaultSize = QFileInfo(vault).size();

    for (const qint64 written : { qint64(0), qint64(1), vaultSize / 2, vaultSize + 300 }) {
        SCOPED_TRACE(written);
        KeeperProtection::Unlocked unlocked = protection.unlock("master");
        ASSERT_TRUE(unlocked.storage);
        PasswordFiles files(folder.folder(), unlocked.storage);
        const PasswordImport::Plan plan = planFor(browserExport(200), files);
        const FailingSaves full(written);
        EXPECT_FALSE(PasswordImport::apply(files, plan));
        EXPECT_EQ(folderContents(folder.path()), before);
    }

    KeeperProtection::Unlocked unlocked = protection.unlock("master");
    PasswordFiles files(folder.folder(), unlocked.storage);
    ASSERT_TRUE(PasswordImport::apply(files, planFor(browserExport(200), files)));
    const KeeperProtection::Unlocked reopened = protection.unlock("master");
    EXPECT_EQ(PasswordFiles(folder.folder(), reopened.storage).LoadIndex().size(), 201);
    // Only the vault changed: no classic file appeared beside it.
    EXPECT_EQ(folderContents(folder.path()).keys(), before.keys());
}

} // namespace
