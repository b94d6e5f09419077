#pragma once

#include "BackupFileSet.h"
#include "BackupRunSteps.h"
#include "FileSetTransaction.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

// One backup of a file set into the target folder, once the go-ahead is
// given. Each copy goes into the target's staging folder first; the old
// copies are replaced only when the whole set has been copied and checked,
// so the last good backup survives a full disk, a Cancel or a crash.
class BackupCopyRun
{
public:
    BackupCopyRun(BackupRunSteps& steps, const BackupFileSet& set);

    BackupOutcome::State run();

private:
    enum class CopyStep { Copied, SourceMissing, SourceUnreadable, DestinationFailed };
    // Stopped: a copy could not be written and nobody can put in a new disk.
    enum class BackupStep { Copied, NotCopied, Cancelled, Stopped };

    BackupOutcome::State backupPasswordFiles();
    BackupOutcome::State backupTrackerFiles();
    // Ends a run nobody watches at a copy that could not be written.
    BackupOutcome::State stopBackup();
    // Puts the staged backup in place; false with the reason noted.
    bool commitBackup();
    // The target's copies of people the backed-up list does not name: they
    // go with the old list, so that a backup's list always names the people
    // whose files it holds.
    QStringList copiesOfUnlisted(const QStringList& listed) const;

    // Copies one file of the set into the backup, asking for a new disk
    // each time the copy fails for want of room, until it is copied or the
    // user cancels.
    BackupStep backUpWithNewDisks(const BackupFileSet::FilePair& files);
    CopyStep backUp(const BackupFileSet::FilePair& files);

    MessageService::Answer askForNewDisk();
    void reportBackupCancelled();
    void reportNotBackedUp();

    BackupRunSteps& m_steps;
    const BackupServices& m_services;
    BackupOutcome& m_outcome;
    const BackupFileSet& m_set;
    // The backup being written: its staged copies, and the target's files
    // as listed at the start of the run, which a new copy replaces in any
    // letter case.
    std::optional<FileSetTransaction> m_backup;
    QHash<QString, QStringList> m_targetNames;
    // Where each staged file came from, by its backup name.
    QHash<QString, QString> m_stagedFrom;
};
