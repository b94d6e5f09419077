#include "storage/DataFolderLock.h"

#include "ReadOnlyFolder.h"
#include "TemporaryProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <gtest/gtest.h>

namespace {

// A lock file as a copy of the program leaves it when it dies: its process
// id, program, computer, machine and boot.
QByteArray leftLock(qint64 pid, const QString& program, const QByteArray& bootId)
{
    return QByteArray::number(pid) + '\n' + program.toUtf8() + '\n'
        + QSysInfo::machineHostName().toUtf8() + '\n' + QSysInfo::machineUniqueId() + '\n' + bootId
        + '\n';
}

// Above the largest process id Linux hands out, so never a live process.
constexpr qint64 DeadProcess = 99999999;

} // namespace

TEST(DataFolderLockTest, CreatesAMissingFolderAndHoldsTheLockUntilReleased)
{
    TemporaryProgramFolder temp;
    const QString folder = temp.filePath("new/Halvorn");
    {
        DataFolderLock lock(folder);
        ASSERT_EQ(lock.acquire(), DataFolderLock::Outcome::Acquired)
            << lock.problem().toStdString();
        EXPECT_TRUE(QFile::exists(folder + "/halvorn.lock"));
        // Only the lock is left behind by the checks.
        EXPECT_EQ(
            QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList { "halvorn.lock" });
    }
    EXPECT_FALSE(QFile::exists(folder + "/halvorn.lock"));
}

TEST(DataFolderLockTest, ASecondClaimIsRefusedWhileTheFirstHolds)
{
    TemporaryProgramFolder temp;
    DataFolderLock first(temp.path());
    ASSERT_EQ(first.acquire(), DataFolderLock::Outcome::Acquired);
    const QByteArray held = temp.read("halvorn.lock");

    DataFolderLock second(temp.path());
    EXPECT_EQ(second.acquire(), DataFolderLock::Outcome::InUse);
    EXPECT_EQ(second.problem(),
        QStringLiteral("The folder %1 is in use by another copy of Halvorn.")
            .arg(QDir::toNativeSeparators(temp.path())));
    EXPECT_EQ(temp.read("halvorn.lock"), held);
}

TEST(DataFolderLockTest, ALockLeftByACopyThatIsGoneIsTakenOver)
{
    const struct {
        const char* what;
        QByteArray lock;
    } cases[] = {
        { "process gone", leftLock(DeadProcess, "halvorn", QSysInfo::bootUniqueId()) },
        // The process id names a live process of the same program, but one
        // from before the computer was restarted.
        { "before a restart",
            leftLock(QCoreApplication::applicationPid(),
                QFileInfo(QCoreApplication::applicationFilePath()).fileName(), "an-earlier-boot") },
    };
    for (const auto& c : cases) {
        TemporaryProgramFolder temp;
        temp.write("halvorn.lock", c.lock);
        DataFolderLock lock(temp.path());
        EXPECT_EQ(lock.acquire(), DataFolderLock::Outcome::Acquired) << c.what;
        EXPECT_TRUE(temp.read("halvorn.lock")
                        .startsWith(QByteArray::number(QCoreApplication::applicationPid()) + '\n'))
            << c.what;
    }
}

TEST(DataFolderLockTest, ACopyOnAnotherComputerIsNamed)
{
    TemporaryProgramFolder temp;
    temp.write("halvorn.lock", QByteArray::number(DeadProcess) + "\nhalvorn\nkitchen-pc\nother\n");
    DataFolderLock lock(temp.path());
    EXPECT_EQ(lock.acquire(), DataFolderLock::Outcome::InUse);
    EXPECT_TRUE(lock.problem().endsWith(" is in use by another copy of Halvorn on the computer "
                                        "kitchen-pc."))
        << lock.problem().toStdString();
}

TEST(DataFolderLockTest, AFolderThatCannotBeMadeOrWrittenIsNamedWithTheReason)
{
    TemporaryProgramFolder temp;
    temp.write("plain-file", "x");
    DataFolderLock underAFile(temp.filePath("plain-file/Halvorn"));
    EXPECT_EQ(underAFile.acquire(), DataFolderLock::Outcome::Unusable);
    EXPECT_EQ(underAFile.problem(),
        QStringLiteral("The folder %1 cannot be created: Not a directory.")
            .arg(temp.filePath("plain-file/Halvorn")));

    // No home, no data folder: never the current folder instead.
    DataFolderLock nowhere { QString() };
    EXPECT_EQ(nowhere.acquire(), DataFolderLock::Outcome::Unusable);
    EXPECT_FALSE(QFile::exists(DataFolderLock::FileName));

    const QString readOnlyPath = temp.filePath("read-only");
    QDir().mkpath(readOnlyPath);
    const ReadOnlyFolder readOnly(readOnlyPath);
    if (!readOnly.isEffective())
        GTEST_SKIP() << "this system cannot make a folder read-only";
    DataFolderLock lock(readOnlyPath);
    EXPECT_EQ(lock.acquire(), DataFolderLock::Outcome::Unusable);
    EXPECT_TRUE(lock.problem().startsWith(
        QStringLiteral("Files cannot be written in the folder %1: ").arg(readOnlyPath)))
        << lock.problem().toStdString();
    EXPECT_TRUE(QDir(readOnlyPath).isEmpty());
}
