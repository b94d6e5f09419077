#pragma once

#include "backup/DiskFileOperations.h"

#include <QSet>
#include <QString>
#include <QStringList>

// The real file operations with faults on demand: a copy that fails as on a
// full disk, a destination that fills up part-way, a copy that comes out
// different, a file that cannot be read, a replacement that fails. Copies and
// replacements are counted from 1 in the order the engine asks for them.
class FaultyFileOperations : public DiskFileOperations
{
public:
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
    // Replacement n fails.
    void failReplace(int n) { m_failingReplacements.insert(n); }

    // Each copy asked for, as "source -> destination" by file name.
    const QStringList& copies() const { return m_copies; }

    CopyResult copy(
        const QString& source, const QString& destination, QString* reason = nullptr) override;
    bool replace(const QString& from, const QString& to) override;

private:
    QSet<int> m_failingCopies;
    QSet<int> m_corruptCopies;
    QSet<int> m_failingReplacements;
    QSet<QString> m_unreadable;
    qint64 m_room = -1;
    int m_replacements = 0;
    QStringList m_copies;
};
