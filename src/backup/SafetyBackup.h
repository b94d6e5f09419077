#pragma once

#include "BackupFileSets.h"
#include "storage/ProgramFolder.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

class BackupFileOperations;

// The backup every restore makes of the program folder's files before it
// replaces any: a dated backup of its own ("Halvorn 2026-12-11 1050 before
// restore"), written by the backup of everything, so that it lists,
// verifies and restores like any other, and restoring it undoes the
// restore. It holds the whole sets the restore replaces (and the settings
// when it replaces them) and names the files the restore creates.
class SafetyBackup
{
public:
    static inline const QString FallbackFolderName = QStringLiteral("Halvorn safety backups");

    SafetyBackup(
        ProgramFolder programFolder, BackupFileOperations& files, const BackupFileSets& sets);

    // Where it goes: the backup folder of Backup Settings; else the folder
    // that holds the backup being restored (restoredFrom: a dated folder's
    // parent, or the folder of one function's backup); else "Halvorn safety
    // backups" beside the program folder. The first that can be written;
    // empty when none can.
    QString place(const QString& restoredFrom) const;

    struct Outcome {
        bool completed = false;
        QString folder;
        // Why none was made; the restore is then refused.
        QString failure;
    };
    // kinds: the sets the restore replaces; created: the program-folder
    // files it will create.
    Outcome write(const QString& restoredFrom, const QList<BackupKind>& kinds, bool settings,
        const QStringList& created, const QDateTime& when);

private:
    bool canWriteInto(const QString& parent) const;

    ProgramFolder m_programFolder;
    BackupFileOperations& m_files;
    const BackupFileSets& m_sets;
};
