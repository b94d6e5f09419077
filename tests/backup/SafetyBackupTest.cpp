#include "FakeClock.h"
#include "FaultyFileOperations.h"
#include "FolderContents.h"
#include "Household.h"
#include "ReadOnlyFolder.h"
#include "RecordingRunView.h"
#include "ScriptedMessageService.h"
#include "TemporaryProgramFolder.h"

#include "backup/BackupContents.h"
#include "backup/BackupEngine.h"
#include "backup/BackupManifest.h"
#include "backup/BackupTarget.h"
#include "backup/DatedBackups.h"
#include "backup/DiskFileOperations.h"
#include "backup/FileSetTransaction.h"
#include "backup/FullBackup.h"
#include "backup/FullRestore.h"
#include "backup/SafetyBackup.h"
#include "datatool/DataTool.h"
#include "datatool/ProgramBackupSets.h"
#include "storage/ProgramSettings.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <functional>
#include <utility>

#include <gtest/gtest.h>

namespace {

using Answer = MessageService::Answer;
using Files = QMap<QString, QByteArray>;

const QDateTime BackedUp(QDate(2026, 3, 3), QTime(21, 0));
const QDateTime Restored(QDate(2026, 3, 9), QTime(8, 15));

// A program folder (inside a folder of its own, so that "beside the program
// folder" is a folder of the test's) and a dated backup of its household
// made before the household moved on: Ann weighed in twice more, Bob was
// removed (so a restore creates his file again), Dee took a reading, the
// keeper gained an entry
// and the guideline changed.
struct Scene {
    TemporaryProgramFolder home;
    TemporaryProgramFolder parent;
    ProgramFolder program;
    QString dated;
    FakeClock clock { Restored };

    Scene()
        : program(QDir(home.path()).filePath("Halvorn"))
    {
        QDir().mkpath(program.path());
        Household::write(program);
        DiskFileOperations disk;
        dated = FullBackup(program, disk, ProgramBackupSets::all())
                    .run(parent.path(), BackedUp, 10)
                    .folder;
        Household::addWeighIns(program, "Ann", QDate(2026, 3, 4), 2);
        Household::addReadings(program, "Dee", QDate(2026, 3, 4), 1);
        Household::removeWeightPerson(program, "Bob");
        Household::addEntries(program, { "Shop" });
        EXPECT_TRUE(ProgramSettings(program).setBloodPressureGuideline("esh"));
    }

    Files live() const { return folderContents(program.path()); }
    // The backups made before a restore, in any of the places they go.
    QList<DatedBackups::Entry> safetyBackups() const
    {
        DiskFileOperations disk;
        QList<DatedBackups::Entry> found;
        for (const QString& folder :
            { parent.path(), QDir(home.path()).filePath(SafetyBackup::FallbackFolderName) }) {
            for (const DatedBackups::Entry& entry : DatedBackups::list(folder, disk)) {
                if (entry.beforeRestore)
                    found.append(entry);
            }
        }
        return found;
    }
};

int runTool(const QString& folder, const QStringList& arguments, QString* out = nullptr)
{
    QBuffer output;
    QBuffer errors;
    output.open(QIODevice::WriteOnly);
    errors.open(QIODevice::WriteOnly);
    DataTool tool(output, errors, false, folder);
    const int status = tool.run(arguments);
    if (out)
        *out = QString::fromUtf8(output.data());
    EXPECT_EQ(status, DataTool::Success) << errors.data().toStdString();
    return status;
}

// The safety backup a restore's output names.
QString savedIn(const QString& output)
{
    static const QRegularExpression saved(
        QStringLiteral("The files it replaced were saved in (.*)\n"));
    return saved.match(output).captured(1);
}

// Every kind of restore, from the screen's engine (answering Undo This
// Restore) and from the command line (restore all of the printed backup):
// afterwards every file is back byte for byte, the files the restore
// created are gone, and the safety backup lists as a complete dated backup.
TEST(SafetyBackup, UndoBringsEveryFileBackAfterEachKindOfRestore)
{
    const struct {
        const char* word;
        BackupKind kind;
    } kinds[] = {
        { "weight", BackupKind::WeightRestore },
        { "bp", BackupKind::BloodPressureRestore },
        { "passwords", BackupKind::PasswordRestore },
        { "all", BackupKind::WeightRestore },
    };
    for (const auto& restore : kinds) {
        SCOPED_TRACE(restore.word);
        const bool all = QByteArray(restore.word) == "all";
        {
            SCOPED_TRACE("on the screen");
            Scene scene;
            const Files before = scene.live();
            DiskFileOperations disk;
            ScriptedMessageService messages;
            RecordingRunView view;
            if (all) {
                const FullRestore::Result done
                    = FullRestore(scene.program, disk, ProgramBackupSets::all())
                          .run(scene.dated, Restored);
                ASSERT_TRUE(done.completed) << done.failure.toStdString();
                EXPECT_NE(scene.live(), before);
                ASSERT_TRUE(FullRestore(scene.program, disk, ProgramBackupSets::all())
                                .run(done.safetyBackup, Restored.addSecs(60))
                                .completed);
            } else {
                BackupEngine engine(
                    { scene.program, messages, scene.clock, view, disk, ProgramBackupSets::all() });
                for (Answer answer : { Answer::Ok, Answer::Yes, Answer::Yes, Answer::Ok })
                    messages.queueAnswer(answer);
                const BackupOutcome outcome
                    = engine.restore(restore.kind, BackupTarget::targetPath(scene.dated));
                EXPECT_TRUE(outcome.completed());
                const QStringList texts = messages.texts();
                ASSERT_EQ(texts.size(), 4) << texts.join("\n--\n").toStdString();
                EXPECT_TRUE(texts.at(2).endsWith("\n\nUndo This Restore?"));
                EXPECT_TRUE(texts.at(2).contains(QDir::toNativeSeparators(outcome.safetyBackup)));
                EXPECT_TRUE(texts.at(3).startsWith("The restore was undone"))
                    << texts.at(3).toStdString();
            }
            EXPECT_EQ(scene.live(), before);
        }
        {
            SCOPED_TRACE("from the command line");
            Scene scene;
            const Files before = scene.live();
            QString output;
            runTool(scene.program.path(),
                { "restore", restore.word, scene.dated, "--yes", "--dir", scene.program.path() },
                &output);
            EXPECT_NE(scene.live(), before);
            const QString safety = savedIn(output);
            ASSERT_FALSE(safety.isEmpty()) << output.toStdString();
            EXPECT_TRUE(QFileInfo(safety).fileName().endsWith(" before restore"));
            ASSERT_EQ(scene.safetyBackups().size(), 1);
            EXPECT_EQ(scene.safetyBackups().first().state, DatedBackups::State::Complete);
            runTool(scene.program.path(),
                { "restore", "all", safety, "--yes", "--dir", scene.program.path() });
            EXPECT_EQ(scene.live(), before);
        }
    }
}

// Restore all stopped after each of its steps, the safety backup's among
// them: the program folder holds the old set or the new one, every safety
// backup is complete or unfinished, never damaged, and the new set is never
// there without a complete safety backup to undo it with.
TEST(SafetyBackup, ARestoreStoppedAfterAnyStepLeavesASoundSafetyBackup)
{
    const auto restoreAll = [](Scene& scene, BackupFileOperations& files) {
        return FullRestore(scene.program, files, ProgramBackupSets::all())
            .run(scene.dated, Restored);
    };
    const auto restoreWeight = [](Scene& scene, BackupFileOperations& files) {
        ScriptedMessageService messages;
        RecordingRunView view;
        BackupEngine engine(
            { scene.program, messages, scene.clock, view, files, ProgramBackupSets::all() });
        messages.queueAnswer(Answer::Ok);
        messages.queueAnswer(Answer::Yes);
        FullRestore::Result result;
        result.completed
            = engine.restore(BackupKind::WeightRestore, BackupTarget::targetPath(scene.dated))
                  .completed();
        return result;
    };
    for (const auto& [name, restore] :
        { std::pair { "restore all",
              std::function<FullRestore::Result(Scene&, BackupFileOperations&)>(restoreAll) },
            std::pair { "restore weight",
                std::function<FullRestore::Result(Scene&, BackupFileOperations&)>(
                    restoreWeight) } }) {
        SCOPED_TRACE(name);
        Files before;
        Files after;
        int steps = 0;
        {
            Scene complete;
            before = complete.live();
            FaultyFileOperations counting;
            ASSERT_TRUE(restore(complete, counting).completed);
            after = complete.live();
            steps = counting.steps();
        }
        int unfinished = 0;
        for (int k = 1; k <= steps; ++k) {
            SCOPED_TRACE(k);
            Scene scene;
            FaultyFileOperations faulty;
            faulty.crashAt(k);
            EXPECT_THROW(restore(scene, faulty), FaultyFileOperations::Crash);
            DiskFileOperations disk;
            FileSetTransaction::recover(scene.program.path(), disk);
            for (const DatedBackups::Entry& entry : scene.safetyBackups())
                FileSetTransaction::recover(entry.path, disk);
            const Files found = scene.live();
            EXPECT_TRUE(found == before || found == after);
            bool completeSafety = false;
            for (const DatedBackups::Entry& entry : scene.safetyBackups()) {
                EXPECT_NE(entry.state, DatedBackups::State::Damaged) << entry.problem.toStdString();
                completeSafety = completeSafety || entry.state == DatedBackups::State::Complete;
                unfinished += entry.state == DatedBackups::State::Unfinished;
            }
            if (found == after) {
                EXPECT_TRUE(completeSafety);
            }
        }
        EXPECT_GT(unfinished, 0);
    }
}

// Backup Settings' folder first, then the folder holding the backup, then
// "Halvorn safety backups" beside the program folder; where none can be
// written, or the backup cannot be finished, the restore is refused and
// nothing changes.
TEST(SafetyBackup, GoesToTheFirstPlaceThatCanBeWrittenOrTheRestoreIsRefused)
{
    {
        Scene scene;
        TemporaryProgramFolder chosen;
        ASSERT_TRUE(ProgramSettings(scene.program).setBackupFolder(chosen.path()));
        DiskFileOperations disk;
        const FullRestore::Result result
            = FullRestore(scene.program, disk, ProgramBackupSets::all()).run(scene.dated, Restored);
        ASSERT_TRUE(result.completed);
        EXPECT_EQ(
            QFileInfo(result.safetyBackup).absolutePath(), QDir(chosen.path()).absolutePath());
        EXPECT_EQ(
            QFileInfo(result.safetyBackup).fileName(), "Halvorn 2026-03-09 0815 before restore");
    }
    {
        Scene scene;
        DiskFileOperations disk;
        const FullRestore::Result result
            = FullRestore(scene.program, disk, ProgramBackupSets::all()).run(scene.dated, Restored);
        ASSERT_TRUE(result.completed);
        EXPECT_EQ(QFileInfo(result.safetyBackup).absolutePath(),
            QDir(scene.parent.path()).absolutePath());
    }
    {
        Scene scene;
        ReadOnlyFolder locked(scene.parent.path());
        DiskFileOperations disk;
        const FullRestore::Result result
            = FullRestore(scene.program, disk, ProgramBackupSets::all()).run(scene.dated, Restored);
        ASSERT_TRUE(result.completed) << result.failure.toStdString();
        if (locked.isEffective()) {
            EXPECT_EQ(QFileInfo(result.safetyBackup).absolutePath(),
                QDir(scene.home.path()).filePath(SafetyBackup::FallbackFolderName));
        }
    }
    {
        Scene scene;
        const Files before = scene.live();
        ReadOnlyFolder lockedParent(scene.parent.path());
        ReadOnlyFolder lockedHome(scene.home.path());
        DiskFileOperations disk;
        const FullRestore::Result result
            = FullRestore(scene.program, disk, ProgramBackupSets::all()).run(scene.dated, Restored);
        if (lockedParent.isEffective() && lockedHome.isEffective()) {
            EXPECT_FALSE(result.completed);
            EXPECT_TRUE(
                result.failure.startsWith("No folder could take the backup made before a restore"))
                << result.failure.toStdString();
            EXPECT_EQ(scene.live(), before);
        }
    }
    {
        SCOPED_TRACE("the safety backup cannot be finished");
        Scene scene;
        const Files before = scene.live();
        FaultyFileOperations full;
        full.failWriteOf(BackupManifest::FileName + ".draft");
        ScriptedMessageService messages;
        RecordingRunView view;
        BackupEngine engine(
            { scene.program, messages, scene.clock, view, full, ProgramBackupSets::all() });
        messages.queueAnswer(Answer::Ok);
        messages.queueAnswer(Answer::Yes);
        EXPECT_FALSE(
            engine.restore(BackupKind::WeightRestore, BackupTarget::targetPath(scene.dated))
                .completed());
        EXPECT_TRUE(messages.last().text.startsWith(
            "Unable to save the files this restore would replace!\nNo files were changed.\n"))
            << messages.last().text.toStdString();
        EXPECT_EQ(view.statuses.last(), BackupEngine::NothingRestoredText);
        EXPECT_EQ(scene.live(), before);
    }
}

// A backup made before a restore stays out of the number kept for a week,
// then counts like any other; it never counts as the last backup of
// everything.
TEST(SafetyBackup, IsNotCountedAgainstTheNumberKeptForAWeek)
{
    Scene scene;
    DiskFileOperations disk;
    const FullRestore::Result restored
        = FullRestore(scene.program, disk, ProgramBackupSets::all()).run(scene.dated, Restored);
    ASSERT_TRUE(restored.completed);
    const QString safety = QFileInfo(restored.safetyBackup).fileName();
    FullBackup backup(scene.program, disk, ProgramBackupSets::all());
    ASSERT_TRUE(backup.run(scene.parent.path(), Restored.addDays(1), 1).completed);
    QStringList names;
    for (const DatedBackups::Entry& entry : DatedBackups::list(scene.parent.path(), disk))
        names.append(entry.name);
    EXPECT_EQ(names, QStringList({ safety, "Halvorn 2026-03-10 0815" }));
    EXPECT_EQ(DatedBackups::newestComplete({ scene.parent.path() }, disk)->name,
        "Halvorn 2026-03-10 0815");

    ASSERT_TRUE(backup.run(scene.parent.path(), Restored.addDays(8), 1).completed);
    names.clear();
    for (const DatedBackups::Entry& entry : DatedBackups::list(scene.parent.path(), disk))
        names.append(entry.name);
    EXPECT_EQ(names, QStringList({ "Halvorn 2026-03-17 0815" }));
}

// What a backup holds comes from its manifest: each tracker's people with
// their rows and last date, the keeper's entries or, protected, only its
// size; a manifest from before says "details unknown".
TEST(BackupContents, ListsWhatEachBackupHoldsFromItsManifest)
{
    Scene scene;
    DiskFileOperations disk;
    const std::optional<DatedBackups::Entry> entry = DatedBackups::describe(scene.dated, disk);
    ASSERT_TRUE(entry);
    EXPECT_EQ(BackupContents::lines(ProgramBackupSets::all(), entry->contents),
        QStringList({ "Password Keeper: 2 entries",
            "Weight Tracker: Ann, 3 weigh-ins, the last March 3, 2026",
            "Weight Tracker: Bob, 3 weigh-ins, the last February 3, 2026",
            "Blood Pressure Tracker: Dee, 2 readings, the last March 3, 2026" }));
    EXPECT_EQ(BackupContents::summary(ProgramBackupSets::all(), entry->contents),
        "Password Keeper 2 entries, Weight Tracker 2 people, Blood Pressure Tracker 1 person");

    // A vault is measured, never opened, and no entry's name is written.
    FunctionContents vault;
    vault.keeper = true;
    vault.isProtected = true;
    vault.vaultSize = 2048;
    const QJsonObject protectedKeeper = BackupContents::toJson({ { "passwords", vault } });
    EXPECT_EQ(BackupContents::lines(ProgramBackupSets::all(), protectedKeeper),
        QStringList({ "Password Keeper: protected, 2.00 KiB" }));
    const QByteArray manifest = folderContents(scene.dated).value(BackupManifest::FileName);
    EXPECT_FALSE(manifest.contains("Bank"));
    EXPECT_FALSE(manifest.contains("Mail"));

    EXPECT_EQ(
        BackupContents::lines(ProgramBackupSets::all(), {}), QStringList({ "details unknown" }));
}

} // namespace
