#include "DataToolProcess.h"
#include "ReadOnlyFolder.h"
#include "TemporaryProgramFolder.h"

#include "storage/DataFolderLock.h"

#include "storage/ProgramSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <unistd.h>

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
        // The main screen's last backup.
        EXPECT_EQ(ProgramSettings(program.folder()).lastBackupDate(), QDate::currentDate());
        const Files live = folderContents(program.path());
        const Files copies = folderContents(target);
        EXPECT_EQ(copies.keys(), c.backupFiles);
        for (qsizetype i = 0; i < c.liveFiles.size(); ++i)
            EXPECT_EQ(copies.value(c.backupFiles.at(i)), live.value(c.liveFiles.at(i)));

        TemporaryProgramFolder restored;
        const DataToolRun restore
            = runDataTool({ "restore", c.set, target, "--yes", "--dir", restored.path() });
        EXPECT_EQ(restore.exitCode, 0) << restore.errText().toStdString();
        // The status, then where the files it replaced were saved.
        EXPECT_TRUE(restore.outText().contains(QString(c.restoreStatus) + "\n"))
            << restore.outText().toStdString();
        EXPECT_TRUE(restore.outText().endsWith("Restoring that backup undoes this restore.\n"))
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
    backup.write("Ann.Wtp", program.read("Smith, Bob.Fil"));
    backup.write("Eve.Wtp", program.read("Ann.Fil"));
    const Files before = folderContents(program.path());

    const DataToolRun run
        = runDataTool({ "restore", "weight", backup.path(), "--dir", program.path() });
    EXPECT_EQ(run.outText(),
        "would replace WeightTrker.Fil from WeightTrker.Wtp\n"
        "would replace Ann.Fil from Ann.Wtp\n"
        "would create Eve.Fil from Eve.Wtp\n"
        "not restored: Zed.Fil: Zed.Wtp not found in the backup; the program has no copy "
        "either\n"
        "Nothing was changed; give --yes to restore.\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(folderContents(program.path()), before);

    // A list that does not name a copy the backup holds was cut short or
    // replaced: the restore would drop that person, and is refused.
    QFile::remove(backup.filePath("WeightTrker.Wtp"));
    backup.write("WeightTrker.Wtp", "\"Ann\"\r\n");
    const DataToolRun cut
        = runDataTool({ "restore", "weight", backup.path(), "--dir", program.path() });
    EXPECT_EQ(cut.exitCode, 1);
    EXPECT_TRUE(cut.outText().contains("Eve.Wtp: the backup holds it but WeightTrker.Wtp does not "
                                       "name it"))
        << cut.outText().toStdString();
    EXPECT_EQ(folderContents(program.path()), before);

    QFile::remove(backup.filePath("Eve.Wtp"));
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

// A backup is read with the checks of `check` before anything is replaced:
// a damaged one is refused whole, by the dry run too.
TEST(DataToolBackup, ADamagedBackupIsNeverRestored)
{
    struct Case {
        const char* fault;
        const char* set;
        const char* file;
        qsizetype keep;
        const char* named;
    };
    const QList<Case> cases {
        { "person file cut short", "weight", "Ann.Wtp", 200, "damaged: Ann.Wtp: " },
        { "list cut to 30 bytes", "weight", "WeightTrker.Wtp", 30,
            "damaged: WeightTrker.Wtp: ends part-way through line" },
        { "entries cut inside a record", "passwords", "Secfile2.Fil", 400,
            "damaged: Secfile2.Fil: ends inside record 2" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        TemporaryProgramFolder program;
        buildSoundFolder(program);
        // Five people, so that a cut list would drop some.
        for (const char* name : { "Cy", "Dee", "Eve" })
            program.write(QString(name) + ".Fil", program.read("Ann.Fil"));
        program.write(
            "WeightTrker.Fil", "\"Ann\"\r\n\"Cy\"\r\n\"Dee\"\r\n\"Eve\"\r\n\"Smith, Bob\"\r\n");
        TemporaryProgramFolder backup;
        ASSERT_EQ(
            runDataTool({ "backup", c.set, backup.path(), "--dir", program.path() }).exitCode, 0);
        backup.write(c.file, backup.read(c.file).first(c.keep));
        const Files before = folderContents(program.path());

        const DataToolRun plan
            = runDataTool({ "restore", c.set, backup.path(), "--dir", program.path() });
        EXPECT_EQ(plan.exitCode, 1);
        EXPECT_TRUE(plan.outText().contains(c.named)) << plan.outText().toStdString();
        EXPECT_FALSE(plan.outText().contains("would replace")) << plan.outText().toStdString();

        const DataToolRun restore
            = runDataTool({ "restore", c.set, backup.path(), "--yes", "--dir", program.path() });
        EXPECT_EQ(restore.exitCode, 1);
        EXPECT_TRUE(restore.errText().contains("is damaged and was not restored"))
            << restore.errText().toStdString();
        EXPECT_TRUE(restore.outText().startsWith("No Files were Restored"))
            << restore.outText().toStdString();
        EXPECT_EQ(folderContents(program.path()), before);
    }
}

// The program holds the folder's lock while it runs; a restore or backup
// behind its back would be overwritten by its next save. Reading goes on.
TEST(DataToolBackup, WritingCommandsAreRefusedWhileTheProgramHasTheFolder)
{
    TemporaryProgramFolder program;
    buildSoundFolder(program);
    TemporaryProgramFolder backup;
    ASSERT_EQ(
        runDataTool({ "backup", "weight", backup.path(), "--dir", program.path() }).exitCode, 0);
    DataFolderLock lock(program.path());
    ASSERT_EQ(lock.acquire(), DataFolderLock::Outcome::Acquired);
    const Files before = folderContents(program.path());

    for (const QStringList& arguments : QList<QStringList> {
             { "restore", "weight", backup.path(), "--yes" },
             { "backup", "weight", backup.path() },
             { "backup", "all", backup.path() },
             { "restore", "all", backup.path(), "--yes" },
         }) {
        const DataToolRun run = runDataTool(arguments + QStringList { "--dir", program.path() });
        EXPECT_EQ(run.exitCode, 1) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.errText().contains("is in use by another copy of Halvorn"))
            << run.errText().toStdString();
    }
    EXPECT_EQ(runDataTool({ "list", "weight", "--dir", program.path() }).exitCode, 0);
    EXPECT_EQ(folderContents(program.path()), before);
}

// The program folder reached by another path is still the program folder:
// as a backup target, and as the output of an export or a report.
TEST(DataToolBackup, TheProgramFolderByAnotherPathIsRefused)
{
    TemporaryProgramFolder program;
    buildSoundFolder(program);
    TemporaryProgramFolder elsewhere;
    const QString folderLink = elsewhere.filePath("prog");
    const QString fileLink = elsewhere.filePath("x.pdf");
    const QString hardLink = elsewhere.filePath("entries.csv");
    ASSERT_TRUE(QFile::link(program.path(), folderLink));
    ASSERT_TRUE(QFile::link(program.filePath("Secfile2.fil"), fileLink));
    ASSERT_EQ(::link(QFile::encodeName(program.filePath("Secfile1.Fil")).constData(),
                  QFile::encodeName(hardLink).constData()),
        0);
    const Files before = folderContents(program.path());

    const QList<QStringList> cases {
        { "backup", "passwords", folderLink },
        { "backup", "passwords", folderLink + "/." },
        { "restore", "passwords", folderLink, "--yes" },
        { "report", "weight", "Ann", "-o", fileLink },
        { "export", "weight", "Ann", "-o", fileLink },
        { "export", "weight", "Ann", "-o", hardLink },
        { "export", "weight", "Ann", "-o", folderLink + "/../prog/SECFILE1.FIL" },
    };
    for (const QStringList& arguments : cases) {
        const DataToolRun run = runDataTool(arguments + QStringList { "--dir", program.path() });
        EXPECT_NE(run.exitCode, 0) << arguments.join(' ').toStdString();
        EXPECT_EQ(folderContents(program.path()), before) << arguments.join(' ').toStdString();
    }

    // A bind mount shows the same folder at another place with no link to
    // follow. Mounting needs the right to; without it this part is skipped.
    TemporaryProgramFolder mountPoint;
    if (QProcess::execute("mount", { "--bind", program.path(), mountPoint.path() }) != 0)
        GTEST_SKIP() << "cannot bind-mount here; the bind-mount case was not run";
    for (const QStringList& arguments : QList<QStringList> {
             { "backup", "passwords", mountPoint.path() },
             { "export", "weight", "Ann", "-o", mountPoint.filePath("Secfile1.Fil") },
         }) {
        const DataToolRun run = runDataTool(arguments + QStringList { "--dir", program.path() });
        EXPECT_NE(run.exitCode, 0) << arguments.join(' ').toStdString();
    }
    QProcess::execute("umount", { mountPoint.path() });
    EXPECT_EQ(folderContents(program.path()), before);
}

// Nobody is there to put in a new disk: the run ends at the first copy that
// cannot be written and says why, never that the user cancelled, and the
// earlier backup stays whole.
TEST(DataToolBackup, AnUnattendedBackupThatCannotWriteSaysWhy)
{
    TemporaryProgramFolder program;
    buildSoundFolder(program);
    TemporaryProgramFolder backup;
    ASSERT_EQ(
        runDataTool({ "backup", "weight", backup.path(), "--dir", program.path() }).exitCode, 0);
    const Files earlier = folderContents(backup.path());
    program.write("Ann.Fil", program.read("Smith, Bob.Fil"));
    ReadOnlyFolder readOnly(backup.path());
    if (!readOnly.isEffective())
        GTEST_SKIP() << "this system cannot make a folder read-only";

    const DataToolRun run
        = runDataTool({ "backup", "weight", backup.path(), "--dir", program.path() });
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errText().contains("could not be written to the backup ("))
        << run.errText().toStdString();
    EXPECT_FALSE(run.errText().contains("cancelled")) << run.errText().toStdString();
    EXPECT_FALSE(run.outText().contains("Terminated by User")) << run.outText().toStdString();
    EXPECT_EQ(folderContents(backup.path()), earlier);
}

// A run left unfinished is settled by the next command that can lock the
// folder; check names one it cannot settle.
TEST(DataToolBackup, AnInterruptedRunIsSettledByTheNextCommand)
{
    TemporaryProgramFolder program;
    buildSoundFolder(program);
    const Files before = folderContents(program.path());
    QDir(program.path()).mkpath(".halvorn-staging/replaced");
    program.write(".halvorn-staging/Ann.Fil", "half a copy");

    {
        DataFolderLock lock(program.path());
        ASSERT_EQ(lock.acquire(), DataFolderLock::Outcome::Acquired);
        const DataToolRun held = runDataTool({ "check", "--dir", program.path() });
        EXPECT_EQ(held.exitCode, 1);
        EXPECT_TRUE(held.outText().contains("was interrupted")) << held.outText().toStdString();
    }
    const DataToolRun run = runDataTool({ "check", "--dir", program.path() });
    EXPECT_EQ(run.exitCode, 0) << run.outText().toStdString();
    EXPECT_TRUE(run.errText().contains("had not yet changed any file"))
        << run.errText().toStdString();
    EXPECT_FALSE(QFileInfo::exists(program.filePath(".halvorn-staging")));
    EXPECT_EQ(folderContents(program.path()), before);
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
