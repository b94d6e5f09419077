#pragma once

#include <QLockFile>
#include <QString>

#include <chrono>

// One lock file, held from claim() until this object is destroyed. Besides
// what QLockFile takes over by itself (a lock whose process is gone), a lock
// file that names no process at all, because it is empty or damaged, is
// taken over once no running program holds it; otherwise it would refuse
// every claim forever. A claim that fails because the disk is full says so.
class LockFileClaim
{
public:
    enum class Outcome { Acquired, InUse, Failed };

    explicit LockFileClaim(QString path);

    // Tries for wait at most (not at all by default).
    Outcome claim(std::chrono::milliseconds wait = std::chrono::milliseconds(0));

    QString path() const { return m_path; }
    // A sentence for the user when an empty or damaged lock was taken over.
    QString note() const { return m_note; }
    // Why the claim failed when it is neither taken nor in use.
    QString failure() const { return m_failure; }
    // The computer named by the lock that refused the claim, or the empty
    // text when it is this one or unknown.
    QString otherComputer();

private:
    // Removes a lock file that names no process, when it was not written
    // just now and nothing holds it. True when it was removed.
    bool takeOverUnreadable();

    QString m_path;
    QLockFile m_lock;
    QString m_note;
    QString m_failure;
};
