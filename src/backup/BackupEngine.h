#pragma once

#include "BackupFileSets.h"
#include "BackupOutcome.h"
#include "FileSetTransaction.h"
#include "services/MessageService.h"
#include "storage/ProgramFolder.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class BackupFileOperations;
class BackupRunView;
class Clock;

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
    struct Services {
        ProgramFolder programFolder;
        MessageService& messages;
        Clock& clock;
        BackupRunView& view;
        BackupFileOperations& files;
        // The functions' sets, which the kinds asked for name.
        const BackupFileSets& sets;
    };

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
    };

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
    enum class CopyStep { Copied, SourceMissing, SourceUnreadable, DestinationFailed };
    // Stopped: a copy could not be written and nobody can put in a new disk.
    enum class BackupStep { Copied, NotCopied, Cancelled, Stopped };

    void startRun(const QString& targetPath);
    bool refuseProgramFolder(const QString& targetPath);
    // Settles a run left unfinished in the folder before a new one starts
    // there; false, with the user told, when it cannot be settled.
    bool settleUnfinishedRun(const QString& folder);
    MessageService::Answer askGoAhead(const QString& text);
    MessageService::Answer askRestoreGoAhead(const BackupFileSet& set);

    BackupOutcome::State backupPasswordFiles(const BackupFileSet& set);
    BackupOutcome::State backupTrackerFiles(const BackupFileSet& set);
    // Ends a run nobody watches at a copy that could not be written.
    BackupOutcome::State stopBackup();
    // Puts the staged backup in place; false with the reason noted.
    bool commitBackup();
    BackupOutcome::State restorePasswordFiles(const BackupFileSet& set);
    BackupOutcome::State restoreTrackerFiles(const BackupFileSet& set);
    // The paced start of a tracker run: "Deleting Old Files", then the
    // run's own text with the progress bar.
    void showTrackerRunStarting(const QString& runningText);

    // Copies one file of the set into the backup, asking for a new disk
    // each time the copy fails for want of room, until it is copied or the
    // user cancels.
    BackupStep backUpWithNewDisks(const BackupFileSet::FilePair& files);
    CopyStep backUp(const BackupFileSet::FilePair& files);

    // Copies a backup file into the transaction as the program-folder file
    // it will replace.
    CopyStep stageForRestore(FileSetTransaction& transaction, const BackupFileSet& set,
        const QString& backupFolder, const BackupFileSet::FilePair& files, QString* reason);
    // The people of the staged list, each staged in turn; names that must
    // not be copied go to refused and off the staged list, and files the
    // backup lacks to missing.
    void stageListedFiles(FileSetTransaction& transaction, const BackupFileSet& set,
        const QString& backupFolder, QStringList& refused, QStringList& missing);
    // What is wrong with the staged set, by backup file name.
    QStringList damageIn(const FileSetTransaction& transaction, const BackupFileSet& set) const;
    // A dated backup of everything read as one function's backup: staged
    // files that disagree with its manifest, or the folder being unfinished.
    QStringList manifestDisagreements(const FileSetTransaction& transaction) const;
    // Puts the staged restore in place.
    bool commitRestore(FileSetTransaction& transaction);

    MessageService::Answer askForNewDisk();
    void reportBackupCancelled();
    void reportRestoreSourceMissing();
    void reportProgramFolderUnwritable(const QString& reason);
    void reportDamagedBackup(const QStringList& damaged);
    void reportNotCopied(const QString& heading, const QString& title);
    void note(const QString& fileName, const QString& reason);
    void status(const QString& text);
    void pause(int seconds);

    // A program-folder file in the spelling it has there (any letter case).
    QString livePath(const QString& name) const;
    QString backupPath(const QString& name) const;
    // The files of a folder by their lower-case names, listed once a run.
    static QHash<QString, QStringList> namesByLowerCase(const QStringList& names);

    Services m_services;
    QString m_targetPath;
    BackupOutcome m_outcome;
    const BackupFileSet* m_set = nullptr;
    // The backup being written: its staged copies, and the target's files
    // as listed at the start of the run, which a new copy replaces in any
    // letter case.
    std::optional<FileSetTransaction> m_backup;
    QHash<QString, QStringList> m_targetNames;
    // The program folder's files, listed once a restore.
    QHash<QString, QStringList> m_liveNames;
    // Where each staged file of a restore came from, by its program name.
    QHash<QString, QString> m_stagedFrom;
};
