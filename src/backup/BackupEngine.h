#pragma once

#include "BackupFileSets.h"
#include "BackupOutcome.h"
#include "BackupServices.h"
#include "RestorePlan.h"

#include <QString>

// The backup and restore runs of the three file sets: the go-ahead prompts,
// the copying in its order, the status texts, progress values and pauses,
// and every message of a run. It talks to the user, the screen, the clock
// and the file system only through the interfaces it is given, so the screen
// and the command line run the same engine and tests script all four.
//
// Where the original lost files, this engine does not. Both directions copy
// the set into a staging folder first, check every copy against what was
// read, and put the whole set in place as one FileSetTransaction, so a
// failure, Cancel or a crash at any moment leaves the old set or the new
// one. A restore reads the staged set with the same checks as
// `halvorn-data check` and refuses a damaged backup whole; a file missing
// from the program folder is reported, never taken for a full disk.
class BackupEngine
{
public:
    using Services = BackupServices;
    using RestorePlan = ::RestorePlan;

    // The status texts a run ends with.
    static const QString BackupCompleteText;
    static const QString BackupTerminatedText;
    static const QString NoBackupMadeText;
    static const QString BackupIncompleteText;
    static const QString RestorationCompletedText;
    static const QString RestorationIncompleteText;
    static const QString NothingRestoredText;

    explicit BackupEngine(const Services& services);

    // The Backup command (mOM) for a backup kind: asks for the go-ahead,
    // naming pathLabel, then copies the set into targetPath (TargetPath).
    BackupOutcome backup(BackupKind kind, const QString& targetPath, const QString& pathLabel);

    // The Restore command (mOR) for a restore kind: asks for its own
    // go-ahead and copies the set from targetPath into the program folder.
    BackupOutcome restore(BackupKind kind, const QString& targetPath);

    // What a restore of the kind's set from targetPath would copy: the
    // backup is copied into a scratch folder and checked there, and nothing
    // of the program folder changes.
    RestorePlan restorePlan(BackupKind kind, const QString& targetPath);

private:
    bool refuseProgramFolder(const QString& targetPath);
    // Settles a run left unfinished in the folder before a new one starts
    // there; false, with the user told, when it cannot be settled.
    bool settleUnfinishedRun(const QString& folder);

    Services m_services;
};
