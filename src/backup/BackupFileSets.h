#pragma once

#include "BackupFileSet.h"

#include <QList>

// The file sets of the program's functions, as the functions declare them,
// handed to the backup utility whole: a run finds its set by the kind asked
// for, and a backup of everything copies them all.
class BackupFileSets
{
public:
    explicit BackupFileSets(QList<BackupFileSet> sets);

    const QList<BackupFileSet>& all() const { return m_sets; }
    // The set of a kind, backup or restore; nothing for a kind no function
    // declared.
    const BackupFileSet* forKind(BackupKind kind) const;
    bool isRestoreKind(BackupKind kind) const;

    // The settings files, which a backup of everything copies under their
    // own names and no single set includes.
    static const QList<BackupFileSet::FilePair>& settingsFiles();

private:
    QList<BackupFileSet> m_sets;
};
