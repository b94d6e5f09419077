#pragma once

#include "BackupFileSet.h"
#include "BackupOutcome.h"
#include "screens/MessageService.h"
#include "storage/ProgramFolder.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

class BackupFileOperations;
class BackupRunView;
class Clock;

// The backup and restore runs of the three file sets: the go-ahead prompts,
// the copying in its order, the status texts, progress values and pauses,
// and every message of a run. It talks to the user, the screen, the clock
// and the file system only through the interfaces it is given, so the screen
// and the command line run the same engine and tests script all four.
//
// Where the original lost files, this engine does not: a restore copies each
// backup file beside the file it replaces, checks it, and only then puts it
// in its place, so a failure or Cancel leaves the program folder as it was;
// every copy, the first or a retry, is compared with its source; a file
// missing from the program folder is reported, never taken for a full disk.
class BackupEngine
{
public:
    struct Services {
        ProgramFolder programFolder;
        MessageService& messages;
        Clock& clock;
        BackupRunView& view;
        BackupFileOperations& files;
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
    BackupOutcome backup(qint16 kind, const QString& targetPath, const QString& pathLabel);

    // The Restore command (mOR) for a restore kind: asks for its own
    // go-ahead and copies the set from targetPath into the program folder.
    BackupOutcome restore(qint16 kind, const QString& targetPath);

    // What a restore of the kind's set from targetPath would copy, without
    // copying: each backup file found with the program-folder file it would
    // replace. Files the set needs that the backup lacks, and listed names
    // that would never be restored, go to missing with the reason.
    QList<BackupFileSet::FilePair> restorePlan(
        qint16 kind, const QString& targetPath, QStringList* missing = nullptr) const;

private:
    enum class CopyStep { Copied, SourceMissing, SourceUnreadable, DestinationFailed };
    enum class BackupStep { Copied, NotCopied, Cancelled };
    struct StagedFile {
        QString source;
        QString staged;
        QString live;
        QString liveName;
    };

    void startRun(const QString& targetPath);
    bool refuseProgramFolder(const QString& targetPath);
    MessageService::Answer askGoAhead(const QString& text);
    MessageService::Answer askRestoreGoAhead(const BackupFileSet& set);

    BackupOutcome::State backupPasswordFiles(const BackupFileSet& set);
    BackupOutcome::State backupTrackerFiles(const BackupFileSet& set);
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
    // Copies and compares; a failed copy is removed again.
    CopyStep copyChecked(const QString& source, const QString& destination, QString* reason);
    // Copies of a backup name left by earlier runs, in any letter case.
    void removeOldCopies(const QString& backupName);

    // Copies a backup file beside the program-folder file it will replace.
    CopyStep stage(
        const QString& source, const QString& liveName, QList<StagedFile>& staged, QString* reason);
    // Puts every staged file in its place, or, when one cannot be, puts
    // every file back as it was.
    bool commit(const QList<StagedFile>& staged);
    void discard(const QList<StagedFile>& staged);

    // The data files a list file names (the list itself not included),
    // named as in the program folder and in the backup. Names that must not
    // be copied go to refused.
    QList<BackupFileSet::FilePair> listedFiles(const BackupFileSet& set,
        const ProgramFolder& folder, const QString& listName, QStringList& refused) const;

    MessageService::Answer askForNewDisk();
    void reportBackupCancelled();
    void reportRestoreSourceMissing();
    void reportProgramFolderUnwritable(const QString& reason);
    void reportNotCopied(const QString& heading, const QString& title);
    void note(const QString& fileName, const QString& reason);
    void status(const QString& text);
    void pause(int seconds);

    QString livePath(const QString& name) const;
    QString backupPath(const QString& name) const;
    QString existingBackupPath(const QString& name) const;

    Services m_services;
    QString m_targetPath;
    BackupOutcome m_outcome;
    // Backup names written in this run, in lower case: an older copy that
    // differs only in case is removed, one made in this run is kept.
    QSet<QString> m_written;
};
