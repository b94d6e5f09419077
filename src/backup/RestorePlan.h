#pragma once

#include "BackupFileSet.h"

#include <QList>
#include <QStringList>

// What a restore would do, without doing it.
struct RestorePlan {
    // Each backup file found with the program-folder file it would
    // replace or create.
    QList<BackupFileSet::FilePair> files;
    // Files the set needs that the backup lacks, and listed names that
    // would never be restored, with the reason.
    QStringList missing;
    // Damaged backup files with the reason; any of them refuses the
    // whole restore.
    QStringList damaged;
    // What the restore would lose, and what comes back (RestoreLoss).
    QStringList loss;
};
