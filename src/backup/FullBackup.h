#pragma once

#include "BackupFileSets.h"
#include "storage/ProgramFolder.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <chrono>
#include <utility>

class BackupFileOperations;

// A backup of everything: the three functions' files under their backup
// names and the settings files under their own, copied into a new dated
// folder inside a backup folder, each copy checked against what was read,
// and a manifest written last. Then the oldest complete dated folders
// beyond the number kept are removed. The program folder is only read.
class FullBackup
{
public:
    struct Outcome {
        bool completed = false;
        // The dated folder written.
        QString folder;
        // Names in the dated folder.
        QStringList copied;
        // Listed people whose files are not in the program folder, or whose
        // names cannot be copied: the backup holds what there is.
        QStringList notes;
        // Why no backup was made.
        QString failure;
        // Dated folders removed afterwards, and what the keeping says.
        QStringList removed;
        QStringList keepingNotes;
    };

    // Held in the backup folder while a backup is written there or old
    // ones are removed, so that two runs never share a dated folder or
    // remove one being written.
    static inline const QString LockFileName = QStringLiteral("halvorn-backups.lock");
    // What a backup takes and how it is kept: everything by default. A
    // backup made before a restore takes only what that restore replaces,
    // keeps the names of the files it will create, is named for it and
    // removes no other backup.
    struct Scope {
        // The kinds whose sets are copied; empty for every set.
        QList<BackupKind> kinds;
        bool settings = true;
        bool beforeRestore = false;
        QStringList created;
    };

    FullBackup(
        ProgramFolder programFolder, BackupFileOperations& files, const BackupFileSets& sets);

    // Which program folder a backup is of: the same folder on the same
    // computer gives the same text, any other folder another. A moved or
    // copied folder counts as another, so that its backups and the
    // original's never remove each other.
    static QString programFolderId(const ProgramFolder& folder);

    // How long run() waits for another backup into the same folder.
    void setLockWait(std::chrono::milliseconds wait) { m_lockWait = wait; }
    void setScope(Scope scope) { m_scope = std::move(scope); }

    // Why a folder cannot take dated backups, or the empty text.
    QString refusalOfFolder(const QString& parent) const;

    // Backs up into a new dated folder inside parent (made when missing),
    // named by when, and keeps the newest `keep` complete ones.
    Outcome run(const QString& parent, const QDateTime& when, int keep);

private:
    // Each program-folder file the backup copies, with its backup name.
    QList<BackupFileSet::FilePair> filesToCopy(QStringList& notes) const;
    QString makeDatedFolder(const QString& parent, const QDateTime& when, QString* reason);
    // Writes the backup once the backup folder is locked.
    Outcome runLocked(const QString& parent, const QDateTime& when, int keep);
    // Whether a dated folder without a manifest holds only what a backup
    // of everything writes, in folders of this user's.
    bool isOwnUnfinished(const QString& folder) const;

    ProgramFolder m_programFolder;
    BackupFileOperations& m_files;
    bool inScope(const BackupFileSet& set) const;

    const BackupFileSets& m_sets;
    std::chrono::milliseconds m_lockWait { 30000 };
    Scope m_scope;
};
