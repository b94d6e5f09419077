#include "SafetyBackup.h"

#include "BackupTarget.h"
#include "DatedBackups.h"
#include "FullBackup.h"
#include "storage/ProgramSettings.h"

#include <QDir>
#include <QFileInfo>

#include <utility>

SafetyBackup::SafetyBackup(
    ProgramFolder programFolder, BackupFileOperations& files, const BackupFileSets& sets)
    : m_programFolder(std::move(programFolder))
    , m_files(files)
    , m_sets(sets)
{ }

bool SafetyBackup::canWriteInto(const QString& parent) const
{
    if (parent.trimmed().isEmpty()
        || !FullBackup(m_programFolder, m_files, m_sets).refusalOfFolder(parent).isEmpty())
        return false;
    // A folder that is not there yet is made in the nearest one that is.
    QFileInfo info(parent);
    while (!info.exists()) {
        const QString up = info.absolutePath();
        if (up == info.absoluteFilePath())
            return false;
        info = QFileInfo(up);
    }
    return info.isDir() && info.isWritable();
}

QString SafetyBackup::place(const QString& restoredFrom) const
{
    const QString cleaned = QDir::cleanPath(QDir(restoredFrom).absolutePath());
    const QFileInfo backup(cleaned);
    const QString holder
        = DatedBackups::isDatedName(backup.fileName()) ? backup.absolutePath() : cleaned;
    const QString beside = QDir(QDir(m_programFolder.path()).absolutePath())
                               .absoluteFilePath(QStringLiteral("../") + FallbackFolderName);
    for (const QString& parent :
        { ProgramSettings(m_programFolder).backupFolder(), holder, QDir::cleanPath(beside) }) {
        if (canWriteInto(parent))
            return QDir(parent).absolutePath();
    }
    return {};
}

SafetyBackup::Outcome SafetyBackup::write(const QString& restoredFrom,
    const QList<BackupKind>& kinds, bool settings, const QStringList& created,
    const QDateTime& when)
{
    Outcome outcome;
    const QString parent = place(restoredFrom);
    if (parent.isEmpty()) {
        outcome.failure = QStringLiteral(
            "No folder could take the backup made before a restore: neither the backup folder "
            "of Backup Settings, nor the folder of the backup being restored, nor a folder "
            "\"%1\" beside the program folder can be written.")
                              .arg(FallbackFolderName);
        return outcome;
    }
    FullBackup backup(m_programFolder, m_files, m_sets);
    backup.setScope({ kinds, settings, true, created });
    const FullBackup::Outcome written
        = backup.run(parent, when, ProgramSettings::MaximumBackupsKept);
    outcome.completed = written.completed;
    outcome.folder = written.folder;
    if (!written.completed)
        outcome.failure = QStringLiteral("The backup made before a restore could not be written "
                                         "in %1: %2")
                              .arg(QDir::toNativeSeparators(parent), written.failure);
    return outcome;
}
