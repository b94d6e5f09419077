#include "EngineRun.h"

#include "backup/FileSetTransaction.h"

#include <QFile>

#include <gtest/gtest.h>

// A tracker's backup is its list and one copy per listed person. The list is
// checked as it is stored, before any name is taken off it, against the
// copies the backup holds: a list that does not name them would drop people
// from the tracker.
namespace {

using namespace BackupFixtures;
using Answer = MessageService::Answer;
using State = BackupOutcome::State;

const Files& programFiles()
{
    static const Files files {
        { "WeightTrker.Fil", "\"Ann\"\r\n\"Bob\"\r\n" },
        { "Ann.Fil", weightFile("ann live") },
        { "Bob.Fil", weightFile("bob live") },
    };
    return files;
}

TEST(BackupList, AListThatDoesNotNameTheBackupsPeopleIsRefusedWhole)
{
    struct Case {
        const char* fault;
        QByteArray list;
        bool withCopies;
        QString expected;
    };
    const Case cases[] {
        { "two junk names in its place", "\"qx7\"\r\n\"zz!\"\r\n", true,
            "Ann.Wtp: the backup holds it but WeightTrker.Wtp does not name it" },
        { "cut at a line end", "\"Ann\"\r\n", true,
            "Bob.Wtp: the backup holds it but WeightTrker.Wtp does not name it; the list was cut "
            "short or replaced" },
        { "junk names and no copies at all", "\"qx7\"\r\n", false,
            "WeightTrker.Wtp: names none of the people whose files the backup holds" },
        { "names refused as unsafe in its place", "\"..\"\r\n\"a/b\"\r\n", true,
            "Ann.Wtp: the backup holds it but WeightTrker.Wtp does not name it" },
        { "garbage bytes", "\x01\x02 not a list", true, "WeightTrker.Wtp: " },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        Files backup { { "WeightTrker.Wtp", c.list } };
        if (c.withCopies) {
            backup.insert("Ann.Wtp", weightFile("ann backup"));
            backup.insert("Bob.Wtp", weightFile("bob backup"));
        }
        EngineRun run(programFiles(), backup);
        const BackupOutcome outcome = run.answerAndRun(BackupKind::WeightRestore, { Answer::Yes });

        EXPECT_EQ(outcome.state, State::Failed);
        EXPECT_FALSE(outcome.programFolderChanged);
        EXPECT_EQ(run.live(), programFiles());
        EXPECT_FALSE(FileSetTransaction::hasUnfinishedRun(run.program.path()));
        ASSERT_FALSE(run.messages.messages().isEmpty());
        EXPECT_TRUE(run.messages.last().text.startsWith("The backup in "));
        EXPECT_TRUE(run.messages.last().text.contains(c.expected))
            << run.messages.last().text.toStdString();
        EXPECT_EQ(run.view.statusText, "No Files were Restored");
        // The plan says the same before anything is asked.
        EXPECT_FALSE(
            run.engine.restorePlan(BackupKind::WeightRestore, run.target()).damaged.isEmpty());
    }
}

// A backup over an earlier one takes the copies of people no longer listed
// away with the old list, so that the backup it leaves restores.
TEST(BackupList, ABackupLeavesNoCopyOfAPersonItsListNoLongerNames)
{
    EngineRun run(programFiles());
    ASSERT_EQ(run.answerAndRun(BackupKind::WeightBackup, { Answer::Yes }).state, State::Completed);
    ASSERT_TRUE(run.backup().contains("Bob.Wtp"));

    run.program.write("WeightTrker.Fil", "\"Ann\"\r\n");
    QFile::remove(run.program.filePath("Bob.Fil"));
    ASSERT_EQ(run.answerAndRun(BackupKind::WeightBackup, { Answer::Yes }).state, State::Completed);
    EXPECT_EQ(run.backup().keys(), QStringList({ "Ann.Wtp", "WeightTrker.Wtp" }));

    run.program.write("Ann.Fil", weightFile("ann changed"));
    // What the restore would lose is said first, then the question.
    EXPECT_EQ(run.answerAndRun(BackupKind::WeightRestore, { Answer::Ok, Answer::Yes }).state,
        State::Completed);
    EXPECT_EQ(run.live().value("Ann.Fil"), weightFile("ann live"));
}

} // namespace
