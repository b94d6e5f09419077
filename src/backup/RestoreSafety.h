#pragma once

#include "BackupFileSet.h"

#include <QString>

class BackupRunSteps;
class FileSetTransaction;
struct BackupServices;
struct BackupOutcome;

// What makes one function's restore safe to take: before its go-ahead
// question, a message of its own says where the files it replaces will be
// saved and what it would lose; once the restore is staged, those files are
// saved as a dated backup of their own before any is replaced (or the
// restore is refused); and when it is done the user is offered to undo it.
class RestoreSafety
{
public:
    RestoreSafety(BackupRunSteps& steps, const BackupFileSet& set);

    // Says where the files go and what the restore would lose; says
    // nothing when the backup holds nothing of the set or is damaged (the
    // restore then reports that as it always has).
    void announce();
    // False, with the user told, when the backup cannot be written: the
    // restore must then change nothing.
    bool backUp(const FileSetTransaction& transaction);
    // After a restore that changed the program folder.
    void offerUndo();

    QString folder() const { return m_folder; }

private:
    BackupRunSteps& m_steps;
    const BackupServices& m_services;
    BackupOutcome& m_outcome;
    const BackupFileSet& m_set;
    QString m_folder;
};
