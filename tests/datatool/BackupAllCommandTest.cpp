#include "DataToolProcess.h"
#include "TemporaryProgramFolder.h"

#include "storage/ProgramSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

using Files = QMap<QString, QByteArray>;

// The lines of `halvorn-data backups DIR`: name and state; what each holds
// is indented under it.
QStringList listed(const QString& parent)
{
    const DataToolRun run = runDataTool({ "backups", parent });
    EXPECT_EQ(run.exitCode, 0) << run.errText().toStdString();
    QStringList lines;
    for (const QString& line : run.outText().split('\n', Qt::SkipEmptyParts)) {
        if (line.startsWith(' '))
            continue;
        const QStringList fields = line.split('\t');
        lines.append(fields.value(0) + " " + fields.value(1));
    }
    return lines;
}

QStringList datedFolders(const QString& parent)
{
    return QDir(parent).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

// Into an empty folder, then into one that fills up: three runs with
// --keep 2 leave the two newest, and each is complete.
TEST(DataToolBackupAll, BacksUpIntoDatedFoldersAndKeepsTheNewest)
{
    TemporaryProgramFolder program;
    buildSoundFolder(program);
    TemporaryProgramFolder parent;
    const QString target = parent.filePath("daily");

    QStringList made;
    for (int run = 0; run < 3; ++run) {
        const DataToolRun backup
            = runDataTool({ "backup", "all", target, "--keep", "2", "--dir", program.path() });
        ASSERT_EQ(backup.exitCode, 0) << backup.errText().toStdString();
        EXPECT_TRUE(backup.outText().contains("Backed up ")) << backup.outText().toStdString();
        const QStringList now = datedFolders(target);
        for (const QString& name : now) {
            if (!made.contains(name))
                made.append(name);
        }
    }
    ASSERT_EQ(made.size(), 3);
    // What the daily timer runs counts as the main screen's last backup.
    EXPECT_EQ(ProgramSettings(program.folder()).lastBackupDate(), QDate::currentDate());
    const QStringList kept = datedFolders(target);
    EXPECT_EQ(kept, made.mid(1));
    EXPECT_EQ(listed(target), QStringList({ kept.at(0) + " complete", kept.at(1) + " complete" }));

    // Every file of the program folder is in it (the lock file aside).
    const Files live = folderContents(program.path());
    const Files copy = folderContents(QDir(target).filePath(kept.last()));
    EXPECT_EQ(copy.value("ZORQNAME.FIL"), live.value("ZORQNAME.FIL"));
    EXPECT_EQ(copy.value("Secfile2.Fil"), live.value("Secfile2.fil"));
    EXPECT_TRUE(copy.contains("halvorn-manifest.json"));
}

TEST(DataToolBackupAll, WithoutAFolderItUsesTheOneSetAndOtherwiseSaysWhy)
{
    TemporaryProgramFolder program;
    buildSoundFolder(program);
    const DataToolRun none = runDataTool({ "backup", "all", "--dir", program.path() });
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.errText().contains("no backup folder")) << none.errText().toStdString();

    TemporaryProgramFolder parent;
    EXPECT_TRUE(ProgramSettings(program.folder()).setBackupFolder(parent.path()));
    const DataToolRun set = runDataTool({ "backup", "all", "--dir", program.path() });
    EXPECT_EQ(set.exitCode, 0) << set.errText().toStdString();
    EXPECT_EQ(datedFolders(parent.path()).size(), 1);

    for (const QStringList& arguments :
        QList<QStringList> { { "backup", "all", parent.path(), "--keep", "0" },
            { "backup", "all", parent.path(), "--keep", "some" },
            { "backup", "weight", parent.path(), "--keep", "2" },
            { "backups", parent.path(), "--keep", "2" } }) {
        const DataToolRun bad = runDataTool(arguments + QStringList { "--dir", program.path() });
        EXPECT_EQ(bad.exitCode, 2) << arguments.join(' ').toStdString();
    }
    const DataToolRun inside
        = runDataTool({ "backup", "all", program.filePath("copies"), "--dir", program.path() });
    EXPECT_EQ(inside.exitCode, 1);
    EXPECT_TRUE(inside.errText().contains("program folder")) << inside.errText().toStdString();
}

TEST(DataToolBackupAll, RestoresEverythingFromADatedFolderAndRefusesAnUnfinishedOne)
{
    TemporaryProgramFolder program;
    buildSoundFolder(program);
    TemporaryProgramFolder parent;
    ASSERT_EQ(runDataTool({ "backup", "all", parent.path(), "--dir", program.path() }).exitCode, 0);
    const QString dated = QDir(parent.path()).filePath(datedFolders(parent.path()).first());

    TemporaryProgramFolder restored;
    restored.write("ZORQNAME.FIL", "someone else");
    const DataToolRun look = runDataTool({ "restore", "all", dated, "--dir", restored.path() });
    EXPECT_EQ(look.exitCode, 0) << look.errText().toStdString();
    EXPECT_TRUE(look.outText().contains("would replace ZORQNAME.FIL from ZORQNAME.FIL\n"))
        << look.outText().toStdString();
    EXPECT_TRUE(look.outText().endsWith("Nothing was changed; give --yes to restore.\n"));
    EXPECT_EQ(restored.read("ZORQNAME.FIL"), "someone else");

    const DataToolRun restore
        = runDataTool({ "restore", "all", dated, "--yes", "--dir", restored.path() });
    EXPECT_EQ(restore.exitCode, 0) << restore.errText().toStdString();
    EXPECT_TRUE(restore.outText().contains("Restoration Completed"))
        << restore.outText().toStdString();
    Files live = folderContents(program.path());
    Files back = folderContents(restored.path());
    live.remove("halvorn.lock");
    back.remove("halvorn.lock");
    // The day of the last backup is noted once the backup is complete, so
    // the backup itself cannot hold that note.
    live.remove("Halvorn.ini");
    EXPECT_EQ(back, live);
    EXPECT_EQ(runDataTool({ "check", "--dir", restored.path() }).exitCode, 0);

    // Cut short before its manifest: listed as unfinished, never restored.
    QFile::remove(QDir(dated).filePath("halvorn-manifest.json"));
    // Beside it, the backup the restore made of what it replaced.
    const QStringList folders = listed(parent.path());
    EXPECT_TRUE(folders.contains(QFileInfo(dated).fileName() + " unfinished"))
        << folders.join('\n').toStdString();
    EXPECT_FALSE(folders.contains(QFileInfo(dated).fileName() + " complete"));
    const DataToolRun refused
        = runDataTool({ "restore", "all", dated, "--yes", "--dir", restored.path() });
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.errText().contains("no manifest")) << refused.errText().toStdString();
}

// Under each dated folder, indented, what it holds: from the manifest, and
// "details unknown" for a manifest written before it said so.
TEST(DataToolBackupAll, BackupsListsWhatEachBackupHolds)
{
    TemporaryProgramFolder program;
    buildSoundFolder(program);
    TemporaryProgramFolder parent;
    ASSERT_EQ(runDataTool({ "backup", "all", parent.path(), "--dir", program.path() }).exitCode, 0);
    const QString dated = QDir(parent.path()).filePath(datedFolders(parent.path()).value(0));

    const DataToolRun run = runDataTool({ "backups", parent.path() });
    ASSERT_EQ(run.exitCode, 0) << run.errText().toStdString();
    const QStringList lines = run.outText().split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 3) << run.outText().toStdString();
    EXPECT_TRUE(lines.at(0).startsWith(QFileInfo(dated).fileName() + "\tcomplete\t"));
    EXPECT_EQ(lines.at(1), "    Password Keeper: 2 entries");
    for (const QString& line : lines.mid(2))
        EXPECT_TRUE(line.startsWith("    Weight Tracker: ")
            || line.startsWith("    Blood Pressure Tracker: "))
            << line.toStdString();

    // The same backup with a manifest of an older program.
    QFile manifest(QDir(dated).filePath("halvorn-manifest.json"));
    ASSERT_TRUE(manifest.open(QIODevice::ReadOnly));
    QJsonObject root = QJsonDocument::fromJson(manifest.readAll()).object();
    manifest.close();
    root.remove("contents");
    ASSERT_TRUE(manifest.open(QIODevice::WriteOnly | QIODevice::Truncate));
    manifest.write(QJsonDocument(root).toJson());
    manifest.close();
    const DataToolRun older = runDataTool({ "backups", parent.path() });
    EXPECT_EQ(older.outText().split('\n', Qt::SkipEmptyParts).mid(1),
        QStringList({ "    details unknown" }));
}
