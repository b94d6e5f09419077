#pragma once

#include "BackupFileSets.h"
#include "storage/ProgramFolder.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class BackupFileOperations;
class BackupManifest;
class FileSetTransaction;

// Restores a dated backup of everything, the three functions' files and the
// settings, into the program folder as one FileSetTransaction: every file is
// staged, checked against the manifest and with the checks of
// `halvorn-data check`, and only then are they all put in place at once. A
// folder without a manifest, a file that disagrees with it and any damage
// refuse the whole restore. A function the backup has no files of keeps its
// own, and so does a listed person whose file the backup lacks.
class FullRestore
{
public:
    struct Result {
        // Why nothing was looked at: not a complete dated backup, or the
        // program folder itself.
        QString refusal;
        // What is (or would be) restored: each program-folder file with the
        // backup file it comes from.
        QList<BackupFileSet::FilePair> files;
        // What is not restored, with the reason; the program keeps its copy.
        QStringList notes;
        // Damaged or changed backup files; any of them refuses the restore.
        QStringList damaged;
        // Why the files could not be put in place.
        QString failure;
        bool completed = false;
        // What the restore would lose, function by function (RestoreLoss);
        // said by plan().
        QStringList loss;
        // Program-folder files the restore takes away: those created by the
        // restore that a backup made before it undoes.
        QStringList removed;
        // The backup made of the program folder's files before they were
        // replaced; restoring it undoes this restore.
        QString safetyBackup;

        bool refused() const
        {
            return !refusal.isEmpty() || !damaged.isEmpty() || !failure.isEmpty();
        }
    };

    FullRestore(
        ProgramFolder programFolder, BackupFileOperations& files, const BackupFileSets& sets);

    // What a restore from the dated folder would do; the backup is copied
    // into a scratch folder and checked there, and nothing else changes.
    Result plan(const QString& datedFolder);
    // The restore itself, after a backup of what it replaces (named by
    // now).
    Result run(const QString& datedFolder, const QDateTime& now = QDateTime::currentDateTime());

private:
    bool start(const QString& datedFolder, Result& result, BackupManifest& manifest);
    void stageAll(FileSetTransaction& transaction, const QString& datedFolder,
        const BackupManifest& manifest, Result& result);
    // Stages one backup file as the program-folder file it replaces; false
    // when the backup lacks it.
    bool stageOne(FileSetTransaction& transaction, const QString& datedFolder,
        const BackupManifest& manifest, const BackupFileSet::FilePair& files, bool secret,
        Result& result, const QStringList& alsoReplaced = {});
    void checkStaged(const FileSetTransaction& transaction, bool passwordsStaged, Result& result);
    // The sets with files staged, and whether settings are among them.
    QList<BackupKind> stagedKinds(const FileSetTransaction& transaction, bool* settings) const;
    void sayLoss(const FileSetTransaction& transaction, Result& result) const;
    bool writeSafetyBackup(const FileSetTransaction& transaction, const QString& datedFolder,
        const QDateTime& now, Result& result);

    ProgramFolder m_programFolder;
    BackupFileOperations& m_files;
    const BackupFileSets& m_sets;
    QHash<QString, QStringList> m_liveNames;
    // The backup file each staged file came from, by its program name.
    QHash<QString, QString> m_stagedFrom;
    // Files created by the restore that the backup being restored undoes,
    // in their program-folder spelling; they go with the first file staged.
    QStringList m_pendingRemovals;
};
