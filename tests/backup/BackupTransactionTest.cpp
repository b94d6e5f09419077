#include "EngineRun.h"

#include "backup/BackupEngine.h"
#include "backup/BackupTarget.h"
#include "backup/FileSetTransaction.h"
#include "datatool/FolderChecker.h"
#include "datatool/ProgramBackupSets.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace BackupFixtures;
using Answer = MessageService::Answer;
using State = BackupOutcome::State;
constexpr auto OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// A program folder in which the check finds nothing wrong, and a backup of
// other versions of the same people's files (and one more person), so that
// the old set and the new one differ in every file.
const Files& soundProgram()
{
    static const Files files
        = withChanges(passwordFiles({ "Bank", "Mail" }, "Secfile1.Fil", "Secfile2.fil"),
            {
                { "WeightTrker.Fil", "\"Ann\"\r\n\"Bob\"\r\n" },
                { "Ann.Fil", weightFile("ann old") },
                { "Bob.Fil", weightFile("bob old") },
                { "BPTrker.Fil", "\"Dee\"\r\n" },
                { "Dee.Fpl", bloodPressureFile("dee old") },
            });
    return files;
}

const Files& soundBackup()
{
    static const Files files = withChanges(passwordFiles({ "Bank", "Shop", "Club" }),
        {
            { "WeightTrker.Wtp", "\"Ann\"\r\n\"Bob\"\r\n\"Cy\"\r\n" },
            { "Ann.Wtp", weightFile("ann new") },
            { "Bob.Wtp", weightFile("bob new") },
            { "Cy.Wtp", weightFile("cy new") },
            { "BpTrker.Bpf", "\"Dee\"\r\n\"Eve\"\r\n" },
            { "Dee.Bpf", bloodPressureFile("dee new") },
            { "Eve.Bpf", bloodPressureFile("eve new") },
        });
    return files;
}

// A sound program folder, its keeper's files owner-only as the keeper keeps
// them, and a sound backup.
struct SoundRun : EngineRun {
    SoundRun()
        : EngineRun(soundProgram(), soundBackup())
    {
        QFile::setPermissions(program.filePath("Secfile1.Fil"), OwnerOnly);
        QFile::setPermissions(program.filePath("Secfile2.fil"), OwnerOnly);
    }
    // A restore first says what it would lose, then asks.
    BackupOutcome run(BackupKind kind)
    {
        return ProgramBackupSets::all().isRestoreKind(kind)
            ? answerAndRun(kind, { Answer::Ok, Answer::Yes })
            : answerAndRun(kind, { Answer::Yes });
    }
};

// Every file below a folder, the staging folder's included.
QStringList allFiles(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(folder).relativeFilePath(it.next()));
    files.sort();
    return files;
}

struct CrashCase {
    const char* name;
    BackupKind kind;
};

const QList<CrashCase> CrashCases {
    { "weight restore", BackupKind::WeightRestore },
    { "blood-pressure restore", BackupKind::BloodPressureRestore },
    { "password restore", BackupKind::PasswordRestore },
    { "weight backup over an earlier one", BackupKind::WeightBackup },
    { "password backup over an earlier one", BackupKind::PasswordBackup },
};

// The folder a run changes: the program folder for a restore, the backup
// folder for a backup.
const TemporaryProgramFolder& changedFolder(const SoundRun& run, BackupKind kind)
{
    return ProgramBackupSets::all().isRestoreKind(kind) ? run.program : run.backupFolder;
}

// A run stopped after each of its steps in turn, as a crash or a pulled plug
// would stop it, and the folder opened again: it holds exactly the old set
// or exactly the new one, nothing is left of the run, and the check finds
// nothing wrong.
TEST(BackupTransaction, ARunStoppedAfterAnyStepLeavesTheOldSetOrTheNewOne)
{
    for (const CrashCase& c : CrashCases) {
        SCOPED_TRACE(c.name);
        Files before;
        Files after;
        int steps = 0;
        {
            SoundRun complete;
            before = folderContents(changedFolder(complete, c.kind).path());
            ASSERT_EQ(complete.run(c.kind).state, State::Completed);
            after = folderContents(changedFolder(complete, c.kind).path());
            steps = complete.files.steps();
        }
        ASSERT_NE(before, after);
        int oldSets = 0;
        for (int k = 1; k <= steps; ++k) {
            SCOPED_TRACE(k);
            SoundRun run;
            run.files.crashAt(k);
            EXPECT_THROW(run.run(c.kind), FaultyFileOperations::Crash);

            const QString folder = changedFolder(run, c.kind).path();
            DiskFileOperations disk;
            FileSetTransaction::recover(folder, disk);
            const Files found = folderContents(folder);
            EXPECT_TRUE(found == before || found == after);
            oldSets += found == before;
            EXPECT_EQ(allFiles(folder), QStringList(found.keys()));
            EXPECT_FALSE(FileSetTransaction::hasUnfinishedRun(folder));
            if (ProgramBackupSets::all().isRestoreKind(c.kind)) {
                const QList<FolderChecker::Problem> problems
                    = FolderChecker::check(run.program.folder());
                EXPECT_FALSE(FolderChecker::hasDamage(problems))
                    << problems.first().text().toStdString();
            }
        }
        // Both ends were reached: early stops leave the old set, late ones
        // the new.
        EXPECT_GT(oldSets, 0);
        EXPECT_LT(oldSets, steps);
    }
}

// Settling an interrupted run can itself be interrupted, at any of its
// steps; the next opening still ends with one set or the other.
TEST(BackupTransaction, SettlingAnInterruptedRunSurvivesBeingInterruptedToo)
{
    Files before;
    Files after;
    int steps = 0;
    {
        SoundRun complete;
        before = folderContents(complete.program.path());
        complete.run(BackupKind::WeightRestore);
        after = folderContents(complete.program.path());
        steps = complete.files.steps();
    }
    for (int k = 1; k <= steps; k += 3) {
        for (int j = 1;; ++j) {
            SCOPED_TRACE(std::to_string(k) + " then " + std::to_string(j));
            SoundRun run;
            run.files.crashAt(k);
            EXPECT_THROW(run.run(BackupKind::WeightRestore), FaultyFileOperations::Crash);
            FaultyFileOperations settling;
            settling.crashAt(j);
            bool settled = true;
            try {
                FileSetTransaction::recover(run.program.path(), settling);
            } catch (const FaultyFileOperations::Crash&) {
                settled = false;
            }
            DiskFileOperations disk;
            FileSetTransaction::recover(run.program.path(), disk);
            const Files found = folderContents(run.program.path());
            EXPECT_TRUE(found == before || found == after);
            EXPECT_FALSE(FileSetTransaction::hasUnfinishedRun(run.program.path()));
            if (settled)
                break;
        }
    }
}

// A copy that was whole when the run stopped but is damaged when the folder
// is opened again cannot be put in place: the run is undone instead, every
// old file back where it was, at whatever step it had stopped.
TEST(BackupTransaction, ACopyDamagedAfterTheStopUndoesTheRun)
{
    Files before;
    int steps = 0;
    {
        SoundRun complete;
        before = folderContents(complete.program.path());
        complete.run(BackupKind::WeightRestore);
        steps = complete.files.steps();
    }
    int undone = 0;
    for (int k = 1; k <= steps; ++k) {
        SCOPED_TRACE(k);
        SoundRun run;
        run.files.crashAt(k);
        EXPECT_THROW(run.run(BackupKind::WeightRestore), FaultyFileOperations::Crash);
        const QString staged
            = run.program.filePath(FileSetTransaction::StagingFolderName + "/Cy.Fil");
        const bool journal
            = QFileInfo::exists(run.program.filePath(FileSetTransaction::JournalFileName));
        if (!journal || !QFileInfo::exists(staged))
            continue;
        QFile::resize(staged, 7);
        DiskFileOperations disk;
        EXPECT_EQ(FileSetTransaction::recover(run.program.path(), disk).result,
            FileSetTransaction::Recovery::RolledBack);
        EXPECT_EQ(folderContents(run.program.path()), before);
        EXPECT_FALSE(FileSetTransaction::hasUnfinishedRun(run.program.path()));
        ++undone;
    }
    EXPECT_GT(undone, 1);
}

// A damaged backup is refused whole, before anything is replaced, and the
// message names each damaged file and why.
TEST(BackupTransaction, ADamagedBackupIsRefusedWithTheProgramFilesUntouched)
{
    struct Case {
        const char* fault;
        BackupKind kind;
        std::function<void(const TemporaryProgramFolder&)> damage;
        QString named;
    };
    const QList<Case> cases {
        { "person file cut short", BackupKind::WeightRestore,
            [](const TemporaryProgramFolder& backup) {
                backup.write("Bob.Wtp", backup.read("Bob.Wtp").first(20));
            },
            "Bob.Wtp: ends after 3 of its 12 header lines" },
        { "list cut short", BackupKind::WeightRestore,
            [](const TemporaryProgramFolder& backup) {
                backup.write("WeightTrker.Wtp", backup.read("WeightTrker.Wtp").first(10));
            },
            "WeightTrker.Wtp: ends part-way through line 2; the list was cut short" },
        { "blood-pressure reading cut short", BackupKind::BloodPressureRestore,
            [](const TemporaryProgramFolder& backup) {
                backup.write("Eve.Bpf", backup.read("Eve.Bpf").chopped(6));
            },
            "Eve.Bpf: ends part-way through row 1: 4 of its 5 lines are stored" },
        { "password index from another keeper", BackupKind::PasswordRestore,
            [](const TemporaryProgramFolder& backup) {
                backup.write("Secfile1.Fil", passwordFiles({ "Bank" })["Secfile1.Fil"]);
            },
            "Secfile2.Fil: record 2 is in use, but no item of Secfile1.Fil points at it" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        SoundRun run;
        c.damage(run.backupFolder);
        // A damaged backup says nothing of what it would lose: only the
        // question comes before the refusal.
        const BackupOutcome outcome = run.answerAndRun(c.kind, { Answer::Yes });

        EXPECT_EQ(outcome.state, State::Failed);
        EXPECT_FALSE(outcome.programFolderChanged);
        EXPECT_EQ(folderContents(run.program.path()), soundProgram());
        EXPECT_FALSE(FileSetTransaction::hasUnfinishedRun(run.program.path()));
        EXPECT_EQ(run.messages.last().title, "Disk Error");
        EXPECT_TRUE(run.messages.last().text.startsWith("The backup in "));
        EXPECT_TRUE(run.messages.last().text.contains("\n" + c.named))
            << run.messages.last().text.toStdString();
        EXPECT_EQ(run.view.statusText, "No Files were Restored");

        const BackupEngine::RestorePlan plan = run.engine.restorePlan(c.kind, run.target());
        EXPECT_TRUE(plan.damaged.contains(c.named)) << plan.damaged.join('\n').toStdString();
    }
}

// Password files and every copy of them are owner-only from their first
// byte, whatever the backup's permissions.
TEST(BackupTransaction, PasswordFilesAndEveryCopyOfThemAreOwnerOnly)
{
    SoundRun run;
    const auto everyoneReads
        = OwnerOnly | QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::ExeOwner;
    for (const char* name : { "Secfile1.Fil", "Secfile2.Fil" })
        ASSERT_TRUE(QFile::setPermissions(run.backupFolder.filePath(name), everyoneReads));

    // Stopped with both copies staged and the journal written: every copy
    // in the staging folder, set aside or new, is owner-only.
    int steps = 0;
    {
        SoundRun complete;
        for (const char* name : { "Secfile1.Fil", "Secfile2.Fil" })
            QFile::setPermissions(complete.backupFolder.filePath(name), everyoneReads);
        complete.run(BackupKind::PasswordRestore);
        steps = complete.files.steps();
    }
    bool sawStaged = false;
    for (int k = 1; k <= steps; ++k) {
        SoundRun stopped;
        for (const char* name : { "Secfile1.Fil", "Secfile2.Fil" })
            QFile::setPermissions(stopped.backupFolder.filePath(name), everyoneReads);
        stopped.files.crashAt(k);
        EXPECT_THROW(stopped.run(BackupKind::PasswordRestore), FaultyFileOperations::Crash);
        for (const QString& file : allFiles(stopped.program.path())) {
            if (!file.contains("Secfile", Qt::CaseInsensitive))
                continue;
            sawStaged = sawStaged || file.startsWith(FileSetTransaction::StagingFolderName);
            EXPECT_EQ(QFile::permissions(stopped.program.filePath(file)) & 0x7077, OwnerOnly)
                << k << " " << file.toStdString();
        }
    }
    EXPECT_TRUE(sawStaged);

    ASSERT_EQ(run.run(BackupKind::PasswordRestore).state, State::Completed);
    EXPECT_EQ(QFile::permissions(run.program.filePath("Secfile1.Fil")) & 0x7077, OwnerOnly);
    EXPECT_EQ(QFile::permissions(run.program.filePath("Secfile2.fil")) & 0x7077, OwnerOnly);

    // A backup of them is owner-only too.
    TemporaryProgramFolder copy;
    run.messages.queueAnswer(Answer::Yes);
    ASSERT_EQ(
        run.engine
            .backup(BackupKind::PasswordBackup, BackupTarget::targetPath(copy.path()), copy.path())
            .state,
        State::Completed);
    for (const char* name : { "Secfile1.Fil", "Secfile2.Fil" })
        EXPECT_EQ(QFile::permissions(copy.filePath(name)) & 0x7077, OwnerOnly) << name;
}

// The staged copy has the name of the file it becomes; the longest name the
// program takes still fits the file system's 255 bytes.
TEST(BackupTransaction, ThePersonWithTheLongestNameIsRestored)
{
    SoundRun run;
    const QByteArray name(251, 'n');
    run.backupFolder.write(
        "WeightTrker.Wtp", "\"Ann\"\r\n\"Bob\"\r\n\"Cy\"\r\n\"" + name + "\"\r\n");
    run.backupFolder.write(name + ".Wtp", weightFile("long"));
    EXPECT_EQ(run.run(BackupKind::WeightRestore).state, State::Completed)
        << run.messages.texts().join('\n').toStdString();
    EXPECT_EQ(run.program.read(name + ".Fil"), weightFile("long"));
}

} // namespace
