#pragma once

#include "services/Outcome.h"

#include "BackupFileSet.h"
#include "BackupRunSteps.h"
#include "RestorePlan.h"

#include <QHash>
#include <QString>
#include <QStringList>

class FileSetTransaction;

// One restore of a file set from the target folder into the program
// folder. The backup is copied into a staging folder, read there with the
// same checks as `halvorn-data check`, and put in place whole or not at
// all: a damaged backup is never trusted with any file.
class RestoreRun
{
public:
    RestoreRun(BackupRunSteps& steps, const BackupFileSet& set);

    // Asks for the go-ahead and restores the set.
    BackupOutcome::State run();
    // What run() would copy, staged in a scratch folder and checked there;
    // nothing of the program folder changes.
    RestorePlan plan();

private:
    enum class CopyStep { Copied, SourceMissing, SourceUnreadable, DestinationFailed };

    BackupOutcome::State restorePasswordFiles();
    BackupOutcome::State restoreTrackerFiles();
    MessageService::Answer askRestoreGoAhead();
    MessageService::Answer askUnprotectingGoAhead();

    // Copies a backup file into the transaction as the program-folder file
    // it will replace.
    CopyStep stageForRestore(
        FileSetTransaction& transaction, const BackupFileSet::FilePair& files, QString* reason);
    // The people of the staged list, each staged in turn; names that must
    // not be copied go to refused and off the staged list, and files the
    // backup lacks to missing. Fails when the list without the refused names
    // cannot be staged: restored as it was, it would still name them.
    Outcome stageListedFiles(
        FileSetTransaction& transaction, QStringList& refused, QStringList& missing);
    // What is wrong with the staged set, by backup file name.
    QStringList damageIn(const FileSetTransaction& transaction) const;
    // What is wrong with the backup's list as it is stored, staged alone and
    // before any name is taken off it: its own damage, the people whose
    // copies the backup holds but the list does not name (a list cut short
    // or replaced), or a list that names none of them.
    QStringList refusalOfStoredList(const FileSetTransaction& transaction) const;
    // A dated backup of everything read as one function's backup: staged
    // files that disagree with its manifest, or the folder being unfinished.
    QStringList manifestDisagreements(const FileSetTransaction& transaction) const;
    // Puts the staged restore in place.
    bool commitRestore(FileSetTransaction& transaction);

    void reportRestoreSourceMissing();
    void reportProgramFolderUnwritable(const QString& reason);
    void reportDamagedBackup(const QStringList& damaged);

    BackupRunSteps& m_steps;
    const BackupServices& m_services;
    BackupOutcome& m_outcome;
    const BackupFileSet& m_set;
    // The program folder's files, listed once a restore.
    QHash<QString, QStringList> m_liveNames;
    // Where each staged file came from, by its program name.
    QHash<QString, QString> m_stagedFrom;
};
