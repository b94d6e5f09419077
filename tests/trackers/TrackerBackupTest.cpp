// The "&Utilities" items of every tracker: the save prompt first, the backup
// screen for the tracker's own files, and the list read again after a
// restore.

#include "CommandNames.h"
#include "ModalWindow.h"
#include "TrackerScreenDriver.h"

#include "backup/BackupFileSet.h"
#include "backup/ui/BackupScreen.h"
#include "datatool/ProgramBackupSets.h"
#include "screens/FolderChooser.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QMenu>
#include <QPushButton>

namespace {

using Answer = MessageService::Answer;

class TrackerBackup : public testing::TestWithParam<TrackerKind>
{
protected:
    TrackerScreenDriver driver { GetParam() };
    TemporaryProgramFolder backupFolder;

    const BackupFileSet& fileSet() const
    {
        for (const BackupFileSet& set : ProgramBackupSets::all().all()) {
            if (set.listFiles.liveName == GetParam().listFileName)
                return set;
        }
        ADD_FAILURE() << "no file set for " << GetParam().name;
        return ProgramBackupSets::all().all().first();
    }

    // The "&Utilities" menu as the user opens it, then one of its items.
    void chooseUtility(const char* item)
    {
        auto* menu = driver.find<QMenu>(QStringLiteral("mU"));
        menu->popup(driver.screen->mapToGlobal(QPoint(10, 10)));
        driver.action(item)->trigger();
        menu->hide();
        QCoreApplication::processEvents();
    }

    // A backup made elsewhere: the list and each person's file under their
    // backup names.
    void storeBackupOf(const QStringList& names)
    {
        TemporaryProgramFolder source;
        for (const QString& name : names)
            GetParam().storeIndividual(source.folder(), name, { { "December 01, 2026", "170" } });
        QFile::copy(source.filePath(fileSet().listFiles.liveName),
            backupFolder.filePath(fileSet().listFiles.backupName));
        for (const QString& name : names) {
            const BackupFileSet::FilePair files = fileSet().individualFiles(name);
            QFile::copy(source.filePath(files.liveName), backupFolder.filePath(files.backupName));
        }
    }
};

TEST_P(TrackerBackup, BackupIsOfferedOnlyWithNamesListed)
{
    driver.open();
    auto* menu = driver.find<QMenu>(QStringLiteral("mU"));
    emit menu->aboutToShow();
    EXPECT_FALSE(driver.action("mUB")->isEnabled());

    driver.storeIndividual("Ann");
    // Create New File enables View Existing File on every tracker.
    driver.button(TrackerCommand::Create)->click();
    driver.action("mOV")->trigger();
    emit menu->aboutToShow();
    EXPECT_TRUE(driver.action("mUB")->isEnabled());
}

TEST_P(TrackerBackup, UnsavedChangesAreAskedAboutBeforeTheBackupScreenOpens)
{
    driver.storeIndividual("Ann", { { "December 01, 2026" } });
    driver.open();
    driver.select("Ann");
    driver.typeIntoCell(1, 2, GetParam().typedValue);
    driver.messages.clear();

    for (const char* item : { "mUB", "mUR" }) {
        bool opened = false;
        whenModalOpens<BackupScreen>("Backup1", [&](BackupScreen* screen) { opened = screen; });
        driver.messages.queueAnswer(Answer::Cancel);
        chooseUtility(item);
        EXPECT_FALSE(opened) << item;
        EXPECT_EQ(driver.messages.last().text,
            QStringLiteral("Save changes made to %1 before next action or exiting?")
                .arg(GetParam().trackerName));
        EXPECT_EQ(driver.screen->changesMade(), TrackerScreen::Changed);
    }

    QString caption;
    std::optional<BackupKind> kind;
    whenModalOpens<BackupScreen>("Backup1", [&](BackupScreen* screen) {
        ASSERT_NE(screen, nullptr);
        caption = screen->windowTitle();
        kind = screen->kind();
    });
    driver.messages.queueAnswer(Answer::Yes);
    chooseUtility("mUB");
    EXPECT_EQ(kind, fileSet().backupKind);
    EXPECT_EQ(caption, "Backup " + fileSet().setName);
    EXPECT_TRUE(driver.storedBytes("Ann").contains(GetParam().typedValue.toLatin1()));
}

// A restore through the menu: the screen opens on the restored list and the
// restored files load.
TEST_P(TrackerBackup, ARestoreThroughTheMenuShowsTheRestoredList)
{
    driver.storeIndividual("Ann");
    driver.storeIndividual("Zed");
    storeBackupOf({ "Ann", "Eve" });
    driver.open();
    driver.select("Zed");

    whenModalOpens<BackupScreen>("Backup1", [&](BackupScreen* screen) {
        ASSERT_NE(screen, nullptr);
        EXPECT_EQ(screen->kind(), fileSet().restoreKind);
        screen->findChild<FolderChooser*>("Dir1")->setPath(backupFolder.path());
        // What the restore would lose comes first, in a message of its own.
        driver.messages.queueAnswer(Answer::Ok);
        driver.messages.queueAnswer(Answer::Yes);
        screen->findChild<QPushButton*>("SSCommand2")->click();
    });
    chooseUtility("mUR");

    auto* list = driver.find<QComboBox>(QStringLiteral("Combo1"));
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names.append(list->itemText(i));
    EXPECT_EQ(names, QStringList({ "Ann", "Eve" }));
    EXPECT_EQ(list->currentIndex(), -1);
    EXPECT_TRUE(driver.button(TrackerCommand::ViewExisting)->isEnabled());

    driver.select("Eve");
    EXPECT_EQ(driver.grid()->text(1, 2), "170");
}

INSTANTIATE_TEST_SUITE_P(Trackers, TrackerBackup,
    testing::Values(weightTrackerKind(), bloodPressureTrackerKind()),
    [](const testing::TestParamInfo<TrackerKind>& testCase) { return testCase.param.name; });

} // namespace
