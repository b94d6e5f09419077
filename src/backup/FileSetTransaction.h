#pragma once

#include "BackupFileOperations.h"
#include "services/Outcome.h"

#include <QFileDevice>
#include <QList>
#include <QString>
#include <QStringList>

class UnfollowedFolder;

// A set of files that takes the place of older ones in one folder all at
// once: the program folder in a restore, the backup folder in a backup.
//
// The new files are first copied into a staging folder inside the folder
// and checked. Committing writes a journal that names each new file, its
// checksum and the files it replaces, and flushes it; from then on the run
// counts as done. The old files are set aside into the staging folder, the
// new ones renamed into place, and the staging folder and the journal
// removed last. Whoever opens the folder next calls recover(): with a
// journal, it finishes the run when every new file is whole, or puts every
// set-aside file back; without one, it removes what was staged. However a
// run ends, a crash, a full disk or a pulled plug included, the folder
// holds either the old set or the new one.
class FileSetTransaction
{
public:
    static inline const QString JournalFileName = QStringLiteral("halvorn-journal.json");
    static inline const QString StagingFolderName = QStringLiteral(".halvorn-staging");
    // A folder inside the staging folder where a caller may write the files
    // it then stages; recovery takes it for its own as long as it holds
    // plain files only, and removes it with the rest.
    static inline const QString DraftsFolderName = QStringLiteral("import.new");

    FileSetTransaction(QString folder, BackupFileOperations& files);

    QString folder() const { return m_folder; }
    // Where staged files wait, under the names they will have.
    QString stagingFolder() const;
    QString stagedPath(const QString& name) const;

    // Creates the staging folder where it is missing; what is staged
    // already stays.
    Outcome prepare();

    // How staging one file ended: which side failed decides whether a new
    // disk can help, the outcome says why.
    struct Staged {
        BackupFileOperations::CopyResult result = BackupFileOperations::CopyResult::Copied;
        Outcome outcome;
    };
    // Copies source into the staging folder as name, owner-only from the
    // first byte, and checks the copy against what was read. previous names
    // the folder's files the new one replaces (the same name in other letter
    // cases, say); permissions are the ones it takes when it is put in
    // place.
    Staged stage(const QString& source, const QString& name, const QStringList& previous,
        QFileDevice::Permissions permissions);
    // Stages bytes made in memory as name, owner-only from the first byte,
    // checked as a copy is; previous and permissions as for stage().
    Outcome stageBytes(const QString& name, const QByteArray& bytes, const QStringList& previous,
        QFileDevice::Permissions permissions);
    // Writes a staged file anew (a list without the names it must not hold).
    Outcome restage(const QString& name, const QByteArray& bytes);
    // The staged file name also replaces the folder's files previous, which
    // are removed when it is put in place (the copies of people a new list
    // no longer names).
    void alsoReplace(const QString& name, const QStringList& previous);
    QStringList stagedNames() const;

    // Puts every staged file in its place, or leaves the folder as it was.
    Outcome commit();
    // Removes what was staged; the folder stays as it was.
    void discard();

    enum class Recovery { NothingFound, Discarded, Finished, RolledBack, Failed };
    struct RecoveryOutcome {
        Recovery result = Recovery::NothingFound;
        // A sentence for the user when a run was finished, rolled back or
        // could not be dealt with.
        QString text;
    };
    // Finishes or undoes a run that was interrupted in folder.
    static RecoveryOutcome recover(const QString& folder, BackupFileOperations& files);
    // Whether a run was left unfinished in folder (a journal or staged files).
    static bool hasUnfinishedRun(const QString& folder);

private:
    struct Entry {
        QString name;
        QStringList previous;
        QByteArray checksum;
        QFileDevice::Permissions permissions;
    };

    static QString setAsideFolder(const QString& stagingFolder);
    // Why what a run left in the folder cannot be trusted, or the empty
    // text: a link or anything but a file or folder of this program's own
    // making where the run keeps its files, or, given the journal, a file
    // there that the journal does not name.
    static QString refusalOfStagingFolder(
        const UnfollowedFolder& folder, const QList<Entry>* journal);
    static RecoveryOutcome refuseRecovery(const QString& folder, const QString& why);
    static QByteArray journalBytes(const QList<Entry>& entries);
    static bool parseJournal(const QByteArray& bytes, QList<Entry>& entries);
    // The end of every run: the staging folder, then the journal.
    static bool cleanUp(const QString& folder, BackupFileOperations& files);
    static bool rollForward(
        const QString& folder, const QList<Entry>& entries, BackupFileOperations& files);
    static void rollBack(
        const QString& folder, const QList<Entry>& entries, BackupFileOperations& files);

    QString m_folder;
    BackupFileOperations& m_files;
    QList<Entry> m_entries;
};
