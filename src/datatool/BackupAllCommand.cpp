#include "BackupAllCommand.h"

#include "ProgramBackupSets.h"
#include "backup/DiskFileOperations.h"
#include "backup/FullBackup.h"
#include "storage/ProgramSettings.h"

#include <QDateTime>
#include <QDir>

int BackupAllCommand::run(const DataToolOptions& options)
{
    if (options.positional.size() > 3)
        return usageError(QStringLiteral("backup all takes at most a DIR"));
    if (options.yes)
        return usageError(QStringLiteral("--yes belongs to restore"));
    const ProgramFolder programFolder(QDir(options.folder).absolutePath());
    const ProgramSettings settings(programFolder);
    int keep = settings.backupsKept();
    if (options.keep) {
        bool ok = false;
        keep = options.keep->toInt(&ok);
        if (!ok || keep < 1 || keep > ProgramSettings::MaximumBackupsKept)
            return usageError(QStringLiteral("--keep takes a number from 1 to %1, not \"%2\"")
                                  .arg(ProgramSettings::MaximumBackupsKept)
                                  .arg(*options.keep));
    }
    const QString parent
        = options.positional.size() == 3 ? options.positional.at(2) : settings.backupFolder();
    if (parent.isEmpty())
        return problem(QStringLiteral("no backup folder: give DIR, or choose one in Halvorn's "
                                      "Backup Settings"));
    DiskFileOperations files;
    FullBackup backup(programFolder, files, ProgramBackupSets::all());
    const QDateTime now = QDateTime::currentDateTime();
    const FullBackup::Outcome outcome = backup.run(QDir(parent).absolutePath(), now, keep);
    if (!outcome.completed)
        return problem(outcome.failure);
    if (const Outcome stored = settings.recordBackup(now.date()); !stored.succeeded)
        print(m_err, QStringLiteral("%1: %2\n").arg(ProgramName, stored.message()));
    for (const QString& note : outcome.notes)
        print(m_err, QStringLiteral("%1: not backed up: %2\n").arg(ProgramName, note));
    for (const QString& name : outcome.removed)
        print(m_out, QStringLiteral("removed %1\n").arg(name));
    for (const QString& note : outcome.keepingNotes)
        print(m_err, QStringLiteral("%1: %2\n").arg(ProgramName, note));
    print(m_out,
        QStringLiteral("Backed up %1 files into %2\n")
            .arg(outcome.copied.size())
            .arg(QDir::toNativeSeparators(outcome.folder)));
    return outcome.notes.isEmpty() ? Success : ProblemFound;
}
