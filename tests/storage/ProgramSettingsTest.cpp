#include "ReadOnlyFolder.h"
#include "TemporaryProgramFolder.h"

#include "storage/ProgramSettings.h"

#include <gtest/gtest.h>

TEST(ProgramSettings, ReadsDefaultsUntilSetAndKeepsWhatIsSet)
{
    TemporaryProgramFolder program;
    const ProgramSettings settings(program.folder());
    EXPECT_EQ(settings.backupsKept(), 10);
    EXPECT_EQ(settings.backupOverdueDays(), 30);
    EXPECT_TRUE(settings.backupFolder().isEmpty());
    EXPECT_FALSE(settings.backUpAtClose());
    EXPECT_FALSE(settings.lastCloseBackupDate().isValid());
    // Reading creates nothing.
    EXPECT_FALSE(program.exists("Halvorn.ini"));

    EXPECT_TRUE(settings.setBackUpAtClose(true).succeeded);
    // Never on without a folder to back up into.
    EXPECT_FALSE(settings.backUpAtClose());
    EXPECT_TRUE(settings.setBackupFolder("/media/stick/halvorn backups").succeeded);
    EXPECT_TRUE(settings.setBackupsKept(3).succeeded);
    EXPECT_TRUE(settings.setBackupOverdueDays(7).succeeded);
    EXPECT_TRUE(settings.setLastCloseBackupDate(QDate(2026, 12, 10)).succeeded);

    const ProgramSettings again(program.folder());
    EXPECT_TRUE(again.backUpAtClose());
    EXPECT_EQ(again.backupFolder(), "/media/stick/halvorn backups");
    EXPECT_EQ(again.backupsKept(), 3);
    EXPECT_EQ(again.backupOverdueDays(), 7);
    EXPECT_EQ(again.lastCloseBackupDate(), QDate(2026, 12, 10));
}

TEST(ProgramSettings, AnUnusableValueReadsAsTheDefaultAndIsNotStored)
{
    TemporaryProgramFolder program;
    program.write("Halvorn.ini", "[Backup]\nKept=0\nOverdueDays=many\nLastAtClose=yesterday\n");
    const ProgramSettings settings(program.folder());
    EXPECT_EQ(settings.backupsKept(), 10);
    EXPECT_EQ(settings.backupOverdueDays(), 30);
    EXPECT_FALSE(settings.lastCloseBackupDate().isValid());
    EXPECT_FALSE(settings.setBackupsKept(0).succeeded);
    EXPECT_FALSE(settings.setBackupOverdueDays(-1).succeeded);
}

TEST(ProgramSettings, AFolderThatCannotBeWrittenIsSaid)
{
    TemporaryProgramFolder program;
    ReadOnlyFolder readOnly(program.path());
    if (!readOnly.isEffective())
        GTEST_SKIP() << "the folder stays writable (running as root)";
    const Outcome outcome = ProgramSettings(program.folder()).setBackupsKept(4);
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_EQ(outcome.fileName, "Halvorn.ini");
}

// A setting that could not be written is not held anywhere: neither read
// back as if stored, nor written later with the next setting that is.
TEST(ProgramSettings, ASettingThatCouldNotBeWrittenIsForgotten)
{
    TemporaryProgramFolder program;
    const ProgramSettings settings(program.folder());
    ASSERT_TRUE(settings.setBackupsKept(7).succeeded);
    {
        ReadOnlyFolder readOnly(program.path());
        if (!readOnly.isEffective())
            GTEST_SKIP() << "the folder stays writable (running as root)";
        EXPECT_FALSE(settings.setBackupsKept(4).succeeded);
        EXPECT_FALSE(settings.setBackupOverdueDays(9).succeeded);
        EXPECT_EQ(settings.backupsKept(), 7);
        EXPECT_EQ(settings.backupOverdueDays(), ProgramSettings::DefaultBackupOverdueDays);
    }
    ASSERT_TRUE(settings.setKeeperLockMinutes(3).succeeded);
    const ProgramSettings reread(program.folder());
    EXPECT_EQ(reread.backupsKept(), 7);
    EXPECT_EQ(reread.backupOverdueDays(), ProgramSettings::DefaultBackupOverdueDays);
    EXPECT_EQ(reread.keeperLockMinutes(), 3);
}

// Backups are recorded as their runs complete, which need not be in date
// order (a scheduled run with a clock set back): the newest day stays.
TEST(ProgramSettings, TheLastBackupIsTheNewestDayRecorded)
{
    TemporaryProgramFolder program;
    const ProgramSettings settings(program.folder());
    EXPECT_FALSE(settings.lastBackupDate().isValid());
    EXPECT_TRUE(settings.recordBackup(QDate(2026, 12, 9)).succeeded);
    EXPECT_TRUE(settings.recordBackup(QDate(2026, 12, 1)).succeeded);
    EXPECT_EQ(ProgramSettings(program.folder()).lastBackupDate(), QDate(2026, 12, 9));
    EXPECT_TRUE(settings.recordBackup(QDate(2026, 12, 10)).succeeded);
    EXPECT_EQ(ProgramSettings(program.folder()).lastBackupDate(), QDate(2026, 12, 10));
}
