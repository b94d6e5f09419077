#include "storage/DataFolderLock.h"

#include "ReadOnlyFolder.h"
#include "TemporaryProgramFolder.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <unistd.h>

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

namespace {

void makeOld(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(
        QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
}

} // namespace

// A lock file that names no process (left empty by a full disk, or damaged)
// would keep every copy out forever: once nothing holds it, it is taken over
// and the user is told. A fresh empty one may be a claim being made, and one
// that a running program holds is that program's.
TEST(DataFolderLockTest, AnEmptyOrDamagedLockNothingHoldsIsTakenOverWithANote)
{
    const struct {
        const char* what;
        QByteArray lock;
        bool old;
        bool held;
        bool takenOver;
    } cases[] = {
        { "empty", "", true, false, true },
        { "garbage", QByteArray("\x00\xff\x13 not a lock\n", 15), true, false, true },
        { "empty and fresh", "", false, false, false },
        { "garbage held by a running program", "garbage", true, true, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TemporaryProgramFolder temp;
        temp.write("halvorn.lock", c.lock);
        if (c.old)
            makeOld(temp.filePath("halvorn.lock"));
        const int holder = ::open(QFile::encodeName(temp.filePath("halvorn.lock")), O_RDONLY);
        ASSERT_GE(holder, 0);
        if (c.held)
            ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);

        DataFolderLock lock(temp.path());
        if (c.takenOver) {
            EXPECT_EQ(lock.acquire(), DataFolderLock::Outcome::Acquired)
                << lock.problem().toStdString();
            EXPECT_EQ(lock.note(),
                QStringLiteral("The lock file %1 was empty or damaged and no running program held "
                               "it, so it was taken over.")
                    .arg(temp.filePath("halvorn.lock")));
            EXPECT_TRUE(
                temp.read("halvorn.lock")
                    .startsWith(QByteArray::number(QCoreApplication::applicationPid()) + '\n'));
        } else {
            EXPECT_EQ(lock.acquire(), DataFolderLock::Outcome::InUse);
            EXPECT_TRUE(lock.note().isEmpty());
            EXPECT_EQ(temp.read("halvorn.lock"), c.lock);
        }
        ::close(holder);
    }
}

// On a full disk the lock says that the disk is full, not that the folder
// "cannot be locked". Needs a small disk of its own, which only the
// administrator can mount.
TEST(DataFolderLockTest, AFullDiskIsSaidToBeFull)
{
    TemporaryProgramFolder temp;
    const QString disk = temp.filePath("disk");
    QDir().mkpath(disk);
    if (::geteuid() != 0
        || ::mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "a small disk cannot be mounted here";
    QDir().mkpath(disk + "/Halvorn");
    {
        QFile filler(disk + "/filler");
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) { }
    }
    DataFolderLock lock(disk + "/Halvorn");
    EXPECT_EQ(lock.acquire(), DataFolderLock::Outcome::Unusable);
    EXPECT_TRUE(lock.problem().endsWith(": the disk is full.")) << lock.problem().toStdString();
    EXPECT_FALSE(lock.problem().contains("Unknown error"));
    ::umount2(QFile::encodeName(disk).constData(), MNT_DETACH);
}
