#include "FakeClock.h"
#include "FolderContents.h"
#include "Household.h"
#include "RecordingRunView.h"
#include "ScriptedMessageService.h"
#include "TemporaryProgramFolder.h"

#include "backup/BackupEngine.h"
#include "backup/BackupTarget.h"
#include "backup/DiskFileOperations.h"
#include "backup/FullBackup.h"
#include "backup/FullRestore.h"
#include "backup/RestoreLoss.h"
#include "datatool/DataTool.h"
#include "datatool/ProgramBackupSets.h"
#include "storage/ProgramSettings.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>

#include <functional>
#include <ostream>

#include <gtest/gtest.h>

namespace {

using Answer = MessageService::Answer;
using Files = QMap<QString, QByteArray>;

QStringList entriesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

const QString Nothing = RestoreLoss::NothingLostText;
const QString DryRunEnd = QStringLiteral("Nothing was changed; give --yes to restore.");

// What changed in the program folder since its backup, and what each
// restore says it would lose: a restore of everything, and one function's
// restore (word: halvorn-data's word for it).
struct LossCase {
    const char* name;
    std::function<void(const ProgramFolder&)> change;
    QStringList all;
    const char* word;
    BackupKind kind;
    QStringList oneFunction;
};

void PrintTo(const LossCase& lossCase, std::ostream* out)
{
    *out << lossCase.name;
}

const LossCase Cases[] = {
    { "NothingChanged", [](const ProgramFolder&) {}, { Nothing }, "weight",
        BackupKind::WeightRestore, { Nothing } },
    { "NewerWeighIns",
        [](const ProgramFolder& folder) {
            Household::addWeighIns(folder, "Ann", QDate(2026, 3, 4), 2);
        },
        { "Weight Tracker: Ann has 2 weigh-ins after March 3, 2026 that this backup does not "
          "hold." },
        "weight", BackupKind::WeightRestore,
        { "Weight Tracker: Ann has 2 weigh-ins after March 3, 2026 that this backup does not "
          "hold." } },
    { "NewerReadings",
        [](const ProgramFolder& folder) {
            Household::addReadings(folder, "Dee", QDate(2026, 3, 4), 10);
        },
        { "Blood Pressure Tracker: Dee has 10 readings after March 3, 2026 that this backup does "
          "not hold." },
        "bp", BackupKind::BloodPressureRestore,
        { "Blood Pressure Tracker: Dee has 10 readings after March 3, 2026 that this backup does "
          "not hold." } },
    { "PersonOnlyInTheProgramFolder",
        [](const ProgramFolder& folder) {
            Household::addWeighIns(folder, "Cy", QDate(2026, 4, 1), 4);
        },
        { "Weight Tracker: Cy is not in this backup; the log of 4 weigh-ins stays in the program "
          "folder but is no longer listed." },
        "weight", BackupKind::WeightRestore,
        { "Weight Tracker: Cy is not in this backup; the log of 4 weigh-ins stays in the program "
          "folder but is no longer listed." } },
    { "PersonOnlyInTheBackup",
        [](const ProgramFolder& folder) { Household::removeWeightPerson(folder, "Bob"); },
        { Nothing,
            "Weight Tracker: Bob, who is only in this backup, comes back with 3 weigh-ins." },
        "weight", BackupKind::WeightRestore,
        { Nothing,
            "Weight Tracker: Bob, who is only in this backup, comes back with 3 weigh-ins." } },
    { "KeeperEntriesAdded",
        [](const ProgramFolder& folder) {
            Household::addEntries(folder, { "Shop", "Work" });
        },
        { "Password Keeper: 2 entries not in this backup." }, "passwords",
        BackupKind::PasswordRestore, { "Password Keeper: 2 entries not in this backup." } },
    { "KeeperEntryRemoved",
        [](const ProgramFolder& folder) { Household::removeEntry(folder, "Mail"); },
        { Nothing, "Password Keeper: 1 entry comes back from this backup." }, "passwords",
        BackupKind::PasswordRestore,
        { Nothing, "Password Keeper: 1 entry comes back from this backup." } },
    { "SettingsChanged",
        [](const ProgramFolder& folder) {
            EXPECT_TRUE(ProgramSettings(folder).setBloodPressureGuideline("esh"));
            EXPECT_TRUE(ProgramSettings(folder).setKeeperLockMinutes(10));
        },
        { "Settings: the guideline and the lock time differ." }, "bp",
        BackupKind::BloodPressureRestore, { Nothing } },
};

class RestoreLossTable : public testing::TestWithParam<LossCase>
{
protected:
    void SetUp() override
    {
        Household::write(program.folder());
        DiskFileOperations disk;
        const FullBackup::Outcome made
            = FullBackup(program.folder(), disk, ProgramBackupSets::all())
                  .run(parent.path(), QDateTime(QDate(2026, 3, 3), QTime(21, 0)), 10);
        ASSERT_TRUE(made.completed) << made.failure.toStdString();
        dated = made.folder;
        GetParam().change(program.folder());
    }

    QStringList dryRun(const QStringList& arguments)
    {
        QBuffer out;
        QBuffer err;
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
        DataTool tool(out, err, false, program.path());
        EXPECT_EQ(tool.run(arguments + QStringList { "--dry-run" }), DataTool::Success)
            << err.data().toStdString();
        return QString::fromUtf8(out.data()).split('\n', Qt::SkipEmptyParts);
    }

    TemporaryProgramFolder program;
    TemporaryProgramFolder parent;
    QString dated;
};

// The question before a restore of everything and the dry run of restore
// all say the same lines; so do the message before one function's question
// and that function's dry run. Nothing is written by any of them.
TEST_P(RestoreLossTable, TheQuestionAndTheDryRunSayWhatWouldBeLost)
{
    const LossCase& lossCase = GetParam();
    const Files before = folderContents(program.path());
    const QStringList backups = entriesOf(parent.path());
    DiskFileOperations disk;

    EXPECT_EQ(FullRestore(program.folder(), disk, ProgramBackupSets::all()).plan(dated).loss,
        lossCase.all);
    EXPECT_EQ(dryRun({ "restore", "all", dated }), lossCase.all + QStringList { DryRunEnd });
    EXPECT_EQ(dryRun({ "restore", lossCase.word, dated }),
        lossCase.oneFunction + QStringList { DryRunEnd });

    ScriptedMessageService messages;
    FakeClock clock;
    RecordingRunView view;
    BackupEngine engine(
        { program.folder(), messages, clock, view, disk, ProgramBackupSets::all() });
    messages.queueAnswer(Answer::Ok);
    messages.queueAnswer(Answer::No);
    EXPECT_FALSE(engine.restore(lossCase.kind, BackupTarget::targetPath(dated)).completed());
    ASSERT_EQ(messages.messages().size(), 2);
    const QString said = messages.messages().at(0).text;
    EXPECT_EQ(said.section("\n\n", 1), lossCase.oneFunction.join('\n')) << said.toStdString();
    EXPECT_TRUE(messages.messages().at(1).text.startsWith("This utility will first Delete"));

    EXPECT_EQ(folderContents(program.path()), before);
    EXPECT_EQ(entriesOf(parent.path()), backups);
}

INSTANTIATE_TEST_SUITE_P(Changes, RestoreLossTable, testing::ValuesIn(Cases),
    [](const testing::TestParamInfo<LossCase>& param) { return std::string(param.param.name); });

} // namespace
