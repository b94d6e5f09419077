#include "BackupFixtures.h"
#include "FolderContents.h"
#include "TemporaryProgramFolder.h"

#include "backup/BackupManifest.h"
#include "backup/DatedBackups.h"
#include "backup/DiskFileOperations.h"
#include "backup/FullBackup.h"
#include "datatool/ProgramBackupSets.h"
#include "storage/LockFileClaim.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

// Removing old dated backups removes only this program folder's own:
// a backup folder may be shared, and may hold folders that merely look like
// backups.
namespace {

using namespace BackupFixtures;

const QDateTime Morning(QDate(2026, 12, 10), QTime(9, 30, 12));

struct Household {
    TemporaryProgramFolder program;
    DiskFileOperations disk;

    Household()
    {
        writeAll(
            program, { { "WeightTrker.Fil", "\"Ann\"\r\n" }, { "Ann.Fil", weightFile("ann") } });
    }
    FullBackup::Outcome backUp(const QString& parent, const QDateTime& when, int keep)
    {
        return FullBackup(program.folder(), disk, ProgramBackupSets::all()).run(parent, when, keep);
    }
};

QStringList datedNames(const QString& parent)
{
    DiskFileOperations disk;
    QStringList names;
    for (const DatedBackups::Entry& entry : DatedBackups::list(parent, disk))
        names.append(entry.name);
    return names;
}

QMap<QString, QByteArray> tree(const QString& folder)
{
    QMap<QString, QByteArray> entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
        QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        QFile file(info.filePath());
        entries.insert(QDir(folder).relativeFilePath(info.filePath()),
            info.isSymLink()                     ? "link"
                : info.isDir()                   ? "folder"
                : file.open(QIODevice::ReadOnly) ? file.readAll()
                                                 : "unreadable");
    }
    return entries;
}

TEST(BackupPruning, OnlyThisFoldersOwnBackupsAndOldUnfinishedOnesAreRemoved)
{
    Household household;
    TemporaryProgramFolder parent;
    TemporaryProgramFolder outside;
    outside.write("photo.jpg", "a photo");
    const auto outsideBefore = tree(outside.path());

    // A folder of the user's that is named like a backup.
    QDir(parent.path()).mkpath("Halvorn 2026-01-01 0800");
    parent.write("Halvorn 2026-01-01 0800/holiday.jpg", "a photo");
    parent.write("Halvorn 2026-01-01 0800/Ann.Wtp", "named like a copy");
    // A backup cut short long ago, holding only what a backup writes.
    QDir(parent.path()).mkpath("Halvorn 2026-01-02 0800/.halvorn-staging/replaced");
    parent.write("Halvorn 2026-01-02 0800/WeightTrker.Wtp", "\"Ann\"\r\n");
    parent.write("Halvorn 2026-01-02 0800/.halvorn-staging/Ann.Wtp", "a copy");
    // One cut short an hour ago, or still being written.
    QDir(parent.path()).mkpath("Halvorn 2026-12-11 0830");
    parent.write("Halvorn 2026-12-11 0830/Ann.Wtp", "a copy");
    // A link named like one, leading elsewhere, and a file.
    ASSERT_TRUE(QFile::link(outside.path(), parent.filePath("Halvorn 2026-01-03 0800")));
    parent.write("Halvorn 2026-01-04 0800", "a file");

    const QDateTime now(QDate(2026, 12, 11), QTime(9, 30));
    const FullBackup::Outcome outcome = household.backUp(parent.path(), now, 1);
    ASSERT_TRUE(outcome.completed) << outcome.failure.toStdString();
    EXPECT_EQ(outcome.removed, QStringList({ "Halvorn 2026-01-02 0800" }));
    EXPECT_TRUE(outcome.keepingNotes.join('\n').contains(
        "Halvorn 2026-01-01 0800 is named like a backup but holds what no backup writes"))
        << outcome.keepingNotes.join('\n').toStdString();
    EXPECT_EQ(parent.read("Halvorn 2026-01-01 0800/holiday.jpg"), "a photo");
    EXPECT_TRUE(parent.exists("Halvorn 2026-12-11 0830/Ann.Wtp"));
    EXPECT_TRUE(QFileInfo(parent.filePath("Halvorn 2026-01-03 0800")).isSymLink());
    EXPECT_EQ(parent.read("Halvorn 2026-01-04 0800"), "a file");
    EXPECT_EQ(tree(outside.path()), outsideBefore);
}

// Two program folders backed up into one folder each keep their own number
// of backups; neither removes the other's, nor one that names no folder.
TEST(BackupPruning, TwoProgramFoldersSharingABackupFolderKeepTheirOwn)
{
    Household first;
    Household second;
    TemporaryProgramFolder parent;
    ASSERT_TRUE(first.backUp(parent.path(), Morning.addDays(-30), 1).completed);
    // A backup written before backups named their program folder.
    const QString older = first.backUp(parent.path(), Morning.addDays(-20), 5).folder;
    QJsonObject manifest = QJsonDocument::fromJson(
        parent.read(QFileInfo(older).fileName() + "/" + BackupManifest::FileName))
                               .object();
    manifest.remove("programFolder");
    QFile::remove(QDir(older).filePath(BackupManifest::FileName));
    parent.write(QFileInfo(older).fileName() + "/" + BackupManifest::FileName,
        QJsonDocument(manifest).toJson());

    for (int day = 0; day < 3; ++day) {
        ASSERT_TRUE(first.backUp(parent.path(), Morning.addDays(day), 2).completed);
        ASSERT_TRUE(second.backUp(parent.path(), Morning.addDays(day).addSecs(60), 2).completed);
    }
    EXPECT_EQ(datedNames(parent.path()),
        QStringList({ "Halvorn 2026-11-20 0930", "Halvorn 2026-12-11 0930",
            "Halvorn 2026-12-11 0931", "Halvorn 2026-12-12 0930", "Halvorn 2026-12-12 0931" }));
    const QString id = FullBackup::programFolderId(first.program.folder());
    EXPECT_NE(id, FullBackup::programFolderId(second.program.folder()));
    DiskFileOperations disk;
    for (const DatedBackups::Entry& entry : DatedBackups::list(parent.path(), disk))
        EXPECT_EQ(entry.programFolderId == id,
            entry.name.endsWith("0930") && entry.name != QFileInfo(older).fileName())
            << entry.name.toStdString();
}

// While one backup holds the backup folder, another neither writes nor
// removes anything there.
TEST(BackupPruning, ASecondBackupIntoALockedFolderIsRefused)
{
    Household household;
    TemporaryProgramFolder parent;
    ASSERT_TRUE(household.backUp(parent.path(), Morning, 1).completed);
    LockFileClaim held(parent.filePath(FullBackup::LockFileName));
    ASSERT_EQ(held.claim(), LockFileClaim::Outcome::Acquired);
    const auto before = tree(parent.path());

    FullBackup backup(household.program.folder(), household.disk, ProgramBackupSets::all());
    backup.setLockWait(std::chrono::milliseconds(0));
    const FullBackup::Outcome outcome = backup.run(parent.path(), Morning.addDays(2), 1);
    EXPECT_FALSE(outcome.completed);
    EXPECT_TRUE(outcome.failure.startsWith("Another backup is being written into"))
        << outcome.failure.toStdString();
    EXPECT_EQ(tree(parent.path()), before);
}

} // namespace
