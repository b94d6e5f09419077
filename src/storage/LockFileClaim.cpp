#include "LockFileClaim.h"

#include "DiskFull.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// A lock file is empty for the moment between its creation and its first
// write; younger than this, an empty one may be a live claim being made.
constexpr time_t FreshLockSeconds = 5;

} // namespace

LockFileClaim::LockFileClaim(QString path)
    : m_path(std::move(path))
    , m_lock(m_path)
{
    // A lock is held for as long as its program runs, so its age says
    // nothing; only a lock whose process is gone is stale.
    m_lock.setStaleLockTime(0);
}

LockFileClaim::Outcome LockFileClaim::claim(std::chrono::milliseconds wait)
{
    m_note.clear();
    m_failure.clear();
    if (m_lock.tryLock(wait))
        return Outcome::Acquired;
    if (m_lock.error() == QLockFile::LockFailedError) {
        if (!takeOverUnreadable())
            return Outcome::InUse;
        if (m_lock.tryLock(0)) {
            m_note = QStringLiteral("The lock file %1 was empty or damaged and no running program "
                                    "held it, so it was taken over.")
                         .arg(QDir::toNativeSeparators(m_path));
            return Outcome::Acquired;
        }
        if (m_lock.error() == QLockFile::LockFailedError)
            return Outcome::InUse;
    }
    // QLockFile tells only that something went wrong; a disk with no room
    // left is the usual reason, and the one the user can do something about.
    m_failure = DiskFull::isFull(QFileInfo(m_path).absolutePath()) ? DiskFull::Reason
        : m_lock.error() == QLockFile::PermissionError ? QStringLiteral("permission denied")
                                                       : QString();
    return Outcome::Failed;
}

QString LockFileClaim::otherComputer()
{
    qint64 pid = 0;
    QString hostName;
    QString appName;
    if (m_lock.getLockInfo(&pid, &hostName, &appName) && !hostName.isEmpty()
        && hostName != QSysInfo::machineHostName())
        return hostName;
    return {};
}

bool LockFileClaim::takeOverUnreadable()
{
    qint64 pid = 0;
    QString hostName;
    QString appName;
    if (m_lock.getLockInfo(&pid, &hostName, &appName))
        return false;
    const QByteArray path = QFile::encodeName(m_path);
    struct stat status {
    };
    if (::lstat(path.constData(), &status) != 0 || !S_ISREG(status.st_mode)
        || ::time(nullptr) - status.st_mtime < FreshLockSeconds)
        return false;
    const int descriptor = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    // Every holder keeps an exclusive lock on its lock file for as long as
    // it holds it; when this one can be had, nobody holds it.
    const bool free = ::flock(descriptor, LOCK_EX | LOCK_NB) == 0;
    const bool removed = free && ::unlink(path.constData()) == 0;
    ::close(descriptor);
    return removed;
}
