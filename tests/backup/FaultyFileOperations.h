#pragma once

#include "backup/DiskFileOperations.h"

#include <QSet>
#include <QString>
#include <QStringList>

// The real file operations with faults on demand: a copy that fails as on a
// full disk, a destination that fills up part-way, a copy that comes out
// different, a file that cannot be read, a rename that fails, or a crash
// after any one step. Copies and renames are counted from 1 in the order the
// engine asks for them.
class FaultyFileOperations : public DiskFileOperations
{
public:
    // Thrown where the run would have died: nothing after it happens, and
    // nothing is cleaned up.
    struct Crash {
    };

    FaultyFileOperations() { m_flushToDisk = false; }

    // Copy n fails with its destination left empty.
    void failCopy(int n) { m_failingCopies.insert(n); }
    // Copy n reports success but its last byte is wrong.
    void corruptCopy(int n) { m_corruptCopies.insert(n); }
    // The destination takes this many more bytes; the copy that overflows it
    // leaves what fitted and fails. The next copy finds room again, as on a
    // new disk.
    void fillUpAfter(qint64 bytes) { m_room = bytes; }
    // Copies from a file of this name fail as unreadable.
    void makeUnreadable(const QString& fileName) { m_unreadable.insert(fileName); }
    // Rename n fails.
    void failRename(int n) { m_failingRenames.insert(n); }
    // Writing a file of this name (in any folder) fails.
    void failWriteOf(const QString& fileName) { m_failingWrites.insert(fileName); }
    // Every step that changes a file or folder is counted; step n and
    // every later one throw Crash before they change anything.
    void crashAt(int n) { m_crashAt = n; }
    int steps() const { return m_steps; }

    // Each copy asked for, as "source -> destination" by file name.
    const QStringList& copies() const { return m_copies; }

    CopyResult copy(const QString& source, const QString& destination,
        QByteArray* checksum = nullptr, QString* reason = nullptr) override;
    bool remove(const QString& path) override;
    bool rename(const QString& from, const QString& to) override;
    bool setPermissions(const QString& path, QFileDevice::Permissions permissions) override;
    bool writeFile(const QString& path, const QByteArray& bytes) override;
    bool makeFolder(const QString& path, QString* reason = nullptr) override;
    bool removeFolder(const QString& path) override;
    bool syncFolder(const QString& path) override;

private:
    void step();

    QSet<int> m_failingCopies;
    QSet<int> m_corruptCopies;
    QSet<int> m_failingRenames;
    QSet<QString> m_unreadable;
    QSet<QString> m_failingWrites;
    qint64 m_room = -1;
    int m_renames = 0;
    int m_crashAt = 0;
    int m_steps = 0;
    QStringList m_copies;
};
