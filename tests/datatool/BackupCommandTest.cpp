#include "DataToolProcess.h"
#include "TemporaryProgramFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

using Files = QMap<QString, QByteArray>;

Files only(const Files& files, const QStringList& names)
{
    Files chosen;
    for (const QString& name : names)
        chosen.insert(name, files.value(name));
    return chosen;
}

struct SetCase {
    const char* set;
    QStringList liveFiles;
    QStringList backupFiles;
    const char* status;
    const char* restoreStatus;
};

const QList<SetCase> Sets {
    { "weight", { "Ann.Fil", "Smith, Bob.Fil", "WeightTrker.Fil" },
        { "Ann.Wtp", "Smith, Bob.Wtp", "WeightTrker.Wtp" },
        "Backup Complete (3 of Weight Tracker Files copied)",
        "Restoration Completed (3 of Weight Tracker Files copied)" },
    { "bp", { "BPTrker.Fil", "Cy.Fpl" }, { "BpTrker.Bpf", "Cy.Bpf" },
        "Backup Complete (2 of Blood Pressure Files copied)",
        "Restoration Completed (2 of Blood Pressure Files copied)" },
    { "passwords", { "Secfile1.Fil", "Secfile2.fil" }, { "Secfile1.Fil", "Secfile2.Fil" },
        "Backup Complete (2 of Password Files copied)",
        "Restoration Completed (2 of Password Files copied)" },
};

// Each set goes into a new folder and comes back into an empty program
// folder byte for byte.
TEST(DataToolBackup, BacksUpEachSetAndRestoresIt)
{
    for (const SetCase& c : Sets) {
        SCOPED_TRACE(c.set);
        TemporaryProgramFolder program;
        buildSoundFolder(program);
        TemporaryProgramFolder parent;
        const QString target = parent.filePath("nightly/halvorn");

        const DataToolRun backup
            = runDataTool({ "backup", c.set, target, "--dir", program.path() });
        EXPECT_EQ(backup.exitCode, 0) << backup.errText().toStdString();
        EXPECT_TRUE(backup.err.isEmpty()) << backup.errText().toStdString();
        const QStringList lines = backup.outText().split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), c.backupFiles.size() + 1) << backup.outText().toStdString();
        for (const QString& name : c.backupFiles)
            EXPECT_TRUE(backup.outText().contains(QDir(target).filePath(name) + "\n"))
                << name.toStdString();
        EXPECT_EQ(lines.last(), c.status);
        const Files live = folderContents(program.path());
        const Files copies = folderContents(target);
        EXPECT_EQ(copies.keys(), c.backupFiles);
        for (qsizetype i = 0; i < c.liveFiles.size(); ++i)
            EXPECT_EQ(copies.value(c.backupFiles.at(i)), live.value(c.liveFiles.at(i)));

        TemporaryProgramFolder restored;
        const DataToolRun restore
            = runDataTool({ "restore", c.set, target, "--yes", "--dir", restored.path() });
        EXPECT_EQ(restore.exitCode, 0) << restore.errText().toStdString();
        EXPECT_TRUE(restore.outText().endsWith(QString(c.restoreStatus) + "\n"))
            << restore.outText().toStdString();
        EXPECT_EQ(folderContents(restored.path()), only(live, c.liveFiles));
    }
}

TEST(DataToolBackup, ARestoreWithoutYesOnlyListsWhatItWouldReplace)
{
    TemporaryProgramFolder program;
    buildSoundFolder(program);
    TemporaryProgramFolder backup;
    backup.write("WeightTrker.Wtp", "\"Ann\"\r\n\"Eve\"\r\n\"Zed\"\r\n");
    backup.write("Ann.Wtp", "ann");
    backup.write("Eve.Wtp", "eve");
    const Files before = folderContents(program.path());

    const DataToolRun run
        = runDataTool({ "restore", "weight", backup.path(), "--dir", program.path() });
    EXPECT_EQ(run.outText(),
        "would replace WeightTrker.Fil from WeightTrker.Wtp\n"
        "would replace Ann.Fil from Ann.Wtp\n"
        "would create Eve.Fil from Eve.Wtp\n"
        "not restored: Zed.Wtp: not found in the backup\n"
        "Nothing was changed; give --yes to restore.\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(folderContents(program.path()), before);

    QFile::remove(backup.filePath("WeightTrker.Wtp"));
    backup.write("WeightTrker.Wtp", "\"Ann\"\r\n");
    EXPECT_EQ(
        runDataTool({ "restore", "weight", backup.path(), "--dir", program.path() }).exitCode, 0);
    EXPECT_EQ(folderContents(program.path()), before);
}

// A scheduled job learns from the exit status that the backup is not whole.
TEST(DataToolBackup, AFileNotCopiedExitsWithOne)
{
    TemporaryProgramFolder program;
    buildSoundFolder(program);
    QFile::remove(program.filePath("Smith, Bob.Fil"));
    TemporaryProgramFolder target;
    const DataToolRun backup
        = runDataTool({ "backup", "weight", target.path(), "--dir", program.path() });
    EXPECT_EQ(backup.exitCode, 1);
    EXPECT_TRUE(backup.errText().contains(
        "These files were not backed up:\n  Smith, Bob.Fil: not found in the program folder"))
        << backup.errText().toStdString();
    EXPECT_TRUE(backup.outText().endsWith(
        "Backup Incomplete: some files were not copied (2 of Weight Tracker Files copied)\n"))
        << backup.outText().toStdString();

    // Nothing to restore from: the list is not in the folder.
    TemporaryProgramFolder empty;
    const DataToolRun restore
        = runDataTool({ "restore", "bp", empty.path(), "--yes", "--dir", program.path() });
    EXPECT_EQ(restore.exitCode, 1);
    EXPECT_TRUE(restore.errText().contains("Unable to find Backup Disk"));

    // The program folder is never its own backup.
    const DataToolRun itself
        = runDataTool({ "backup", "passwords", program.path() + "/", "--dir", program.path() });
    EXPECT_EQ(itself.exitCode, 1);
    EXPECT_TRUE(itself.errText().contains("the Halvorn program folder itself"));
}

TEST(DataToolBackup, BadUsageExitsWithTwo)
{
    TemporaryProgramFolder program;
    const QString dir = program.path();
    const QList<QStringList> cases {
        { "backup", "weight", "--dir", dir },
        { "backup", "cats", dir + "/b", "--dir", dir },
        { "backup", "weight", dir + "/b", "--yes", "--dir", dir },
        { "restore", "weight", program.filePath("missing"), "--dir", dir },
        { "restore", "weight", "a", "b", "--dir", dir },
    };
    for (const QStringList& arguments : cases) {
        const DataToolRun run = runDataTool(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_EQ(run.errText().count('\n'), 1) << run.errText().toStdString();
    }
    EXPECT_TRUE(folderContents(dir).isEmpty());
}

} // namespace
