#include "BackupFixtures.h"
#include "FakeClock.h"
#include "FaultyFileOperations.h"
#include "FolderContents.h"
#include "RecordingRunView.h"
#include "ScriptedMessageService.h"
#include "TemporaryProgramFolder.h"

#include "backup/BackupEngine.h"
#include "backup/BackupManifest.h"
#include "backup/BackupTarget.h"
#include "backup/DatedBackups.h"
#include "backup/FileSetTransaction.h"
#include "backup/FullBackup.h"
#include "backup/FullRestore.h"
#include "datatool/FolderChecker.h"
#include "datatool/ProgramBackupSets.h"
#include "storage/ProgramSettings.h"
#include "storage/ZorqNameFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

using namespace BackupFixtures;

const QDateTime Morning(QDate(2026, 12, 10), QTime(9, 30, 12));

QByteArray familyNameFile(const QString& name)
{
    TemporaryProgramFolder folder;
    EXPECT_TRUE(ZorqNameFile(folder.folder()).setFamilyName(name));
    return folder.read("ZORQNAME.FIL");
}

// Everything a backup of everything takes: both trackers, the password
// files, settings files and the program's own INI file.
Files everything(const QByteArray& version)
{
    return withChanges(passwordFiles({ "Bank", "Mail" }, "Secfile1.Fil", "Secfile2.fil"),
        {
            { "WeightTrker.Fil", "\"Ann\"\r\n\"Bob\"\r\n" },
            { "Ann.Fil", weightFile("ann " + version) },
            { "Bob.Fil", weightFile("bob " + version) },
            { "BPTrker.Fil", "\"Dee\"\r\n" },
            { "Dee.Fpl", bloodPressureFile("dee " + version) },
            { "ZORQNAME.FIL", familyNameFile("family " + version) },
            { "Halvorn.ini", "[Backup]\nKept=" + QByteArray(version == "old" ? "4" : "6") + "\n" },
        });
}

// The backup name of each program file in a dated folder.
const QMap<QString, QString> BackupNames {
    { "WeightTrker.Fil", "WeightTrker.Wtp" },
    { "Ann.Fil", "Ann.Wtp" },
    { "Bob.Fil", "Bob.Wtp" },
    { "BPTrker.Fil", "BpTrker.Bpf" },
    { "Dee.Fpl", "Dee.Bpf" },
    { "Secfile1.Fil", "Secfile1.Fil" },
    { "Secfile2.fil", "Secfile2.Fil" },
    { "ZORQNAME.FIL", "ZORQNAME.FIL" },
    { "Halvorn.ini", "Halvorn.ini" },
};

struct Backups {
    TemporaryProgramFolder program;
    TemporaryProgramFolder parent;
    DiskFileOperations disk;

    Backups() { writeAll(program, everything("old")); }
    FullBackup::Outcome run(const QDateTime& when, int keep = 10)
    {
        return FullBackup(program.folder(), disk, ProgramBackupSets::all())
            .run(parent.path(), when, keep);
    }
    QStringList datedNames()
    {
        QStringList names;
        for (const DatedBackups::Entry& entry : DatedBackups::list(parent.path(), disk))
            names.append(entry.name);
        return names;
    }
};

TEST(FullBackup, CopiesEverythingIntoADatedFolderWithTheManifestLast)
{
    Backups backups;
    const FullBackup::Outcome outcome = backups.run(Morning);
    ASSERT_TRUE(outcome.completed) << outcome.failure.toStdString();
    EXPECT_TRUE(outcome.notes.isEmpty());
    EXPECT_EQ(QFileInfo(outcome.folder).fileName(), "Halvorn 2026-12-10 0930");

    const Files live = folderContents(backups.program.path());
    const Files copies = folderContents(outcome.folder);
    QStringList expected = BackupNames.values();
    expected.append(BackupManifest::FileName);
    expected.sort();
    EXPECT_EQ(copies.keys(), expected);
    for (auto it = BackupNames.cbegin(); it != BackupNames.cend(); ++it)
        EXPECT_EQ(copies.value(it.value()), live.value(it.key())) << it.key().toStdString();

    // The manifest names every other file with its size and checksum.
    QString reason;
    const std::optional<BackupManifest> manifest
        = BackupManifest::read(outcome.folder, backups.disk, &reason);
    ASSERT_TRUE(manifest) << reason.toStdString();
    EXPECT_EQ(manifest->made, Morning);
    EXPECT_EQ(manifest->programVersion, "Version 6.0");
    EXPECT_EQ(manifest->files.size(), BackupNames.size());
    for (const BackupManifest::File& file : manifest->files) {
        EXPECT_EQ(file.size, copies.value(file.name).size());
        EXPECT_EQ(file.sha256,
            QCryptographicHash::hash(copies.value(file.name), QCryptographicHash::Sha256));
    }
    // Health logs and passwords alike are their owner's only.
    EXPECT_EQ(QFileInfo(outcome.folder).permissions() & 0x0077, 0);
    EXPECT_EQ(QFileInfo(QDir(outcome.folder).filePath("Ann.Wtp")).permissions() & 0x0077, 0);
    // The program folder was only read.
    EXPECT_EQ(folderContents(backups.program.path()), everything("old"));
}

TEST(FullBackup, KeepsTheNewestCompleteBackupsAndNamesEachOnceAMinute)
{
    Backups backups;
    for (int minute = 0; minute < 3; ++minute)
        ASSERT_TRUE(backups.run(Morning.addSecs(minute * 60), 2).completed);
    EXPECT_EQ(backups.datedNames(),
        QStringList({ "Halvorn 2026-12-10 0931", "Halvorn 2026-12-10 0932" }));

    // Two in one minute get names of their own, which sort after it.
    const FullBackup::Outcome again = backups.run(Morning.addSecs(2 * 60 + 20), 3);
    ASSERT_TRUE(again.completed);
    EXPECT_EQ(QFileInfo(again.folder).fileName(), "Halvorn 2026-12-10 0932-2");
    EXPECT_EQ(backups.datedNames().size(), 3);
}

TEST(FullBackup, AnUnfinishedFolderIsNeitherCountedNorRestoredAndIsRemovedWithANote)
{
    Backups backups;
    ASSERT_TRUE(backups.run(Morning).completed);
    // Cut short before its manifest: a copy is there, the manifest is not.
    const QString unfinished = backups.parent.filePath("Halvorn 2026-12-10 0945");
    QDir().mkpath(unfinished);
    QFile::copy(backups.program.filePath("Ann.Fil"), QDir(unfinished).filePath("Ann.Wtp"));
    QFile::copy(
        backups.program.filePath("WeightTrker.Fil"), QDir(unfinished).filePath("WeightTrker.Wtp"));
    // A folder of the user's that only looks alike is no backup of ours.
    QDir().mkpath(backups.parent.filePath("Halvorn photos"));

    const QList<DatedBackups::Entry> entries
        = DatedBackups::list(backups.parent.path(), backups.disk);
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries.at(1).state, DatedBackups::State::Unfinished);
    EXPECT_EQ(DatedBackups::newestComplete({ backups.parent.path() }, backups.disk)->name,
        "Halvorn 2026-12-10 0930");

    // Neither restore reads it, and the program folder stays as it was.
    const FullRestore::Result all
        = FullRestore(backups.program.folder(), backups.disk, ProgramBackupSets::all())
              .run(unfinished);
    EXPECT_FALSE(all.completed);
    EXPECT_TRUE(all.refusal.contains("no manifest")) << all.refusal.toStdString();
    ScriptedMessageService messages;
    FakeClock clock;
    RecordingRunView view;
    BackupEngine engine({ backups.program.folder(), messages, clock, view, backups.disk,
        ProgramBackupSets::all() });
    messages.queueAnswer(MessageService::Answer::Yes);
    EXPECT_FALSE(engine.restore(BackupKind::WeightRestore, BackupTarget::targetPath(unfinished))
                     .completed());
    EXPECT_TRUE(messages.last().text.contains("halvorn-manifest.json is missing: the backup is "
                                              "unfinished"))
        << messages.last().text.toStdString();
    EXPECT_EQ(folderContents(backups.program.path()), everything("old"));

    // With one kept, the next backup removes the complete one before it;
    // the unfinished one may still be being written, and stays for a day.
    const FullBackup::Outcome soon = backups.run(Morning.addSecs(3600), 1);
    ASSERT_TRUE(soon.completed);
    EXPECT_EQ(soon.removed, QStringList({ "Halvorn 2026-12-10 0930" }));
    EXPECT_TRUE(soon.keepingNotes.isEmpty());
    // A day later it goes too, and the backup says so; the look-alike stays.
    const FullBackup::Outcome next = backups.run(Morning.addDays(1).addSecs(3600), 1);
    ASSERT_TRUE(next.completed);
    EXPECT_EQ(next.removed, QStringList({ "Halvorn 2026-12-10 0945", "Halvorn 2026-12-10 1030" }));
    ASSERT_EQ(next.keepingNotes.size(), 1);
    EXPECT_TRUE(next.keepingNotes.first().startsWith("Halvorn 2026-12-10 0945 was an unfinished"));
    EXPECT_EQ(backups.datedNames(), QStringList({ "Halvorn 2026-12-11 1030" }));
    EXPECT_TRUE(QFileInfo::exists(backups.parent.filePath("Halvorn photos")));
}

TEST(FullBackup, RefusesTheProgramFolderAndAnyFolderInsideIt)
{
    Backups backups;
    FullBackup backup(backups.program.folder(), backups.disk, ProgramBackupSets::all());
    for (const QString& folder : { backups.program.path(), backups.program.filePath("backups"),
             backups.program.filePath("a/b/../c") }) {
        SCOPED_TRACE(folder.toStdString());
        const FullBackup::Outcome outcome = backup.run(folder, Morning, 10);
        EXPECT_FALSE(outcome.completed);
        EXPECT_TRUE(outcome.failure.contains("program folder")) << outcome.failure.toStdString();
    }
    EXPECT_EQ(folderContents(backups.program.path()), everything("old"));
    EXPECT_TRUE(backup.refusalOfFolder(backups.parent.path()).isEmpty());
}

TEST(FullBackup, AFileThatCannotBeReadLeavesNoBackupAndTheEarlierOnesAlone)
{
    Backups backups;
    ASSERT_TRUE(backups.run(Morning).completed);
    FaultyFileOperations faulty;
    faulty.makeUnreadable("Dee.Fpl");
    const FullBackup::Outcome outcome
        = FullBackup(backups.program.folder(), faulty, ProgramBackupSets::all())
              .run(backups.parent.path(), Morning.addSecs(60), 1);
    EXPECT_FALSE(outcome.completed);
    EXPECT_TRUE(outcome.failure.startsWith("Dee.Fpl could not be backed up"))
        << outcome.failure.toStdString();
    EXPECT_EQ(backups.datedNames(), QStringList({ "Halvorn 2026-12-10 0930" }));
}

// --- restore all --------------------------------------------------------

struct RestoreRun {
    Backups backups;
    QString dated;
    RestoreRun()
    {
        // The backup holds the old files; the program has moved on since.
        dated = backups.run(Morning).folder;
        writeAll(backups.program, everything("new"));
    }
};

TEST(FullRestore, RestoresEveryFunctionAndTheSettingsFromADatedFolder)
{
    RestoreRun run;
    // A person added since the backup keeps the program's file.
    run.backups.program.write("Zed.Fil", weightFile("zed"));
    const FullRestore::Result result
        = FullRestore(run.backups.program.folder(), run.backups.disk, ProgramBackupSets::all())
              .run(run.dated);
    ASSERT_TRUE(result.completed) << result.refusal.toStdString() << result.failure.toStdString()
                                  << result.damaged.join('\n').toStdString();
    EXPECT_EQ(result.files.size(), BackupNames.size());
    Files expected = everything("old");
    expected.insert("Zed.Fil", weightFile("zed"));
    EXPECT_EQ(folderContents(run.backups.program.path()), expected);
    EXPECT_EQ(ProgramSettings(run.backups.program.folder()).backupsKept(), 4);
    EXPECT_FALSE(FileSetTransaction::hasUnfinishedRun(run.backups.program.path()));
    // Password files stay owner-only.
    EXPECT_EQ(QFileInfo(run.backups.program.filePath("Secfile2.fil")).permissions() & 0x0077, 0);
}

// A file changed after the backup was made, or one the manifest does not
// know, refuses the whole restore; so does damage the folder check finds.
TEST(FullRestore, AFileThatDisagreesWithTheManifestRefusesTheWholeRestore)
{
    const struct {
        const char* fault;
        const char* file;
        QByteArray bytes;
        const char* named;
    } cases[] = {
        { "same size, other bytes", "Bob.Wtp", weightFile("bob xxx"),
            "Bob.Wtp: differs from the manifest" },
        { "settings file changed", "ZORQNAME.FIL", "family xyz",
            "ZORQNAME.FIL: differs from the manifest" },
        { "person added behind its back", "Cy.Wtp", weightFile("cy"), nullptr },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        RestoreRun run;
        QFile file(QDir(run.dated).filePath(c.file));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.bytes);
        file.close();
        if (!c.named) {
            // Listed too, so that the restore would copy it.
            QFile list(QDir(run.dated).filePath("WeightTrker.Wtp"));
            ASSERT_TRUE(list.open(QIODevice::Append));
            list.write("\"Cy\"\r\n");
        }
        const Files before = folderContents(run.backups.program.path());
        FullRestore restore(
            run.backups.program.folder(), run.backups.disk, ProgramBackupSets::all());
        EXPECT_FALSE(restore.plan(run.dated).damaged.isEmpty());
        const FullRestore::Result result = restore.run(run.dated);
        EXPECT_FALSE(result.completed);
        const QString damaged = result.damaged.join('\n');
        EXPECT_TRUE(
            damaged.contains(c.named ? c.named : "WeightTrker.Wtp: differs from the manifest"))
            << damaged.toStdString();
        EXPECT_EQ(folderContents(run.backups.program.path()), before);
        EXPECT_FALSE(FileSetTransaction::hasUnfinishedRun(run.backups.program.path()));
    }
}

TEST(FullRestore, AOneFunctionRestoreFromADatedFolderChecksItsManifestToo)
{
    RestoreRun run;
    ScriptedMessageService messages;
    FakeClock clock;
    RecordingRunView view;
    BackupEngine engine({ run.backups.program.folder(), messages, clock, view, run.backups.disk,
        ProgramBackupSets::all() });
    const QString target = BackupTarget::targetPath(run.dated);

    messages.queueAnswer(MessageService::Answer::Ok);
    messages.queueAnswer(MessageService::Answer::Yes);
    EXPECT_TRUE(engine.restore(BackupKind::BloodPressureRestore, target).completed());
    EXPECT_EQ(run.backups.program.read("Dee.Fpl"), bloodPressureFile("dee old"));

    QFile file(QDir(run.dated).filePath("Ann.Wtp"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(weightFile("ann xxx"));
    file.close();
    messages.clear();
    messages.queueAnswer(MessageService::Answer::Yes);
    EXPECT_FALSE(engine.restore(BackupKind::WeightRestore, target).completed());
    EXPECT_TRUE(messages.last().text.contains("Ann.Wtp: differs from the manifest"))
        << messages.last().text.toStdString();
    EXPECT_EQ(run.backups.program.read("Ann.Fil"), weightFile("ann new"));
}

// Restore all is one transaction: stopped after any of its steps and the
// folder opened again, the program folder holds all the old files or all
// the restored ones.
TEST(FullRestore, AStopAfterAnyStepLeavesEverythingOldOrEverythingRestored)
{
    Files before;
    Files after;
    int steps = 0;
    {
        RestoreRun complete;
        before = folderContents(complete.backups.program.path());
        FaultyFileOperations counting;
        ASSERT_TRUE(
            FullRestore(complete.backups.program.folder(), counting, ProgramBackupSets::all())
                .run(complete.dated)
                .completed);
        after = folderContents(complete.backups.program.path());
        steps = counting.steps();
    }
    ASSERT_NE(before, after);
    int oldSets = 0;
    for (int k = 1; k <= steps; ++k) {
        SCOPED_TRACE(k);
        RestoreRun run;
        FaultyFileOperations faulty;
        faulty.crashAt(k);
        EXPECT_THROW(FullRestore(run.backups.program.folder(), faulty, ProgramBackupSets::all())
                         .run(run.dated),
            FaultyFileOperations::Crash);
        DiskFileOperations disk;
        FileSetTransaction::recover(run.backups.program.path(), disk);
        const Files found = folderContents(run.backups.program.path());
        EXPECT_TRUE(found == before || found == after);
        oldSets += found == before;
        EXPECT_FALSE(FileSetTransaction::hasUnfinishedRun(run.backups.program.path()));
        const QList<FolderChecker::Problem> problems
            = FolderChecker::check(run.backups.program.folder());
        EXPECT_FALSE(FolderChecker::hasDamage(problems)) << problems.first().text().toStdString();
    }
    EXPECT_GT(oldSets, 0);
    EXPECT_LT(oldSets, steps);
}

// A backup stopped after any step is either complete or, without its
// manifest, unfinished: never a complete-looking folder with files missing.
TEST(FullBackup, AStopAfterAnyStepLeavesACompleteBackupOrAnUnfinishedOne)
{
    int steps = 0;
    {
        Backups complete;
        FaultyFileOperations counting;
        ASSERT_TRUE(FullBackup(complete.program.folder(), counting, ProgramBackupSets::all())
                        .run(complete.parent.path(), Morning, 2)
                        .completed);
        steps = counting.steps();
    }
    int completeOnes = 0;
    for (int k = 1; k <= steps; ++k) {
        SCOPED_TRACE(k);
        Backups backups;
        FaultyFileOperations faulty;
        faulty.crashAt(k);
        EXPECT_THROW(FullBackup(backups.program.folder(), faulty, ProgramBackupSets::all())
                         .run(backups.parent.path(), Morning, 2),
            FaultyFileOperations::Crash);
        for (const DatedBackups::Entry& entry :
            DatedBackups::list(backups.parent.path(), backups.disk)) {
            EXPECT_NE(entry.state, DatedBackups::State::Damaged) << entry.problem.toStdString();
            if (entry.state == DatedBackups::State::Complete) {
                ++completeOnes;
                EXPECT_TRUE(
                    FullRestore(backups.program.folder(), backups.disk, ProgramBackupSets::all())
                        .plan(entry.path)
                        .damaged.isEmpty());
            }
        }
    }
    EXPECT_GT(completeOnes, 0);
}

} // namespace
