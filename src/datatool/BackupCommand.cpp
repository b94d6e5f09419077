#include "BackupCommand.h"

#include "ProgramBackupSets.h"
#include "UnattendedBackupRun.h"
#include "backup/BackupEngine.h"
#include "backup/BackupTarget.h"
#include "backup/DiskFileOperations.h"
#include "storage/ProgramSettings.h"

#include <QDir>
#include <QFileInfo>

int BackupCommand::run(const DataToolOptions& options)
{
    const bool restore = options.positional.first() == u"restore";
    if (options.keep)
        return usageError(QStringLiteral("--keep belongs to backup all"));
    const Kind kind = options.kindAt(1);
    if (kind == Kind::Unknown || options.positional.size() != 3)
        return usageError(QStringLiteral("%1 takes one of weight, bp, passwords and a DIR")
                              .arg(options.positional.first()));
    const BackupKind backupKind = kind == Kind::Passwords ? BackupKind::PasswordBackup
        : kind == Kind::Weight                            ? BackupKind::WeightBackup
                                                          : BackupKind::BloodPressureBackup;
    const BackupFileSet& set = *ProgramBackupSets::all().forKind(backupKind);
    const QString folder = QDir(options.positional.at(2)).absolutePath();
    if (restore ? !QFileInfo(folder).isDir() : !QDir().mkpath(folder))
        return restore
            ? usageError(QStringLiteral("no folder %1").arg(options.positional.at(2)))
            : problem(QStringLiteral("%1: cannot create the folder").arg(options.positional.at(2)));
    const QString targetPath = BackupTarget::targetPath(folder);
    if (restore && !options.yes)
        return listRestorePlan(set.restoreKind, options.folder, targetPath, options.dryRun);

    UnattendedBackupRun side(m_out, m_err, ProgramName);
    DiskFileOperations files;
    BackupEngine engine({ ProgramFolder(QDir(options.folder).absolutePath()), side, side, side,
        files, ProgramBackupSets::all() });
    const BackupOutcome outcome = restore
        ? engine.restore(set.restoreKind, targetPath)
        : engine.backup(set.backupKind, targetPath, QDir::toNativeSeparators(folder));
    if (!side.statusText().isEmpty())
        print(m_out,
            QStringLiteral("%1 (%2 of %3 copied)\n")
                .arg(side.statusText())
                .arg(outcome.copied.size())
                .arg(set.setName));
    if (!outcome.safetyBackup.isEmpty())
        print(m_out,
            QStringLiteral("The files it replaced were saved in %1\n"
                           "Restoring that backup undoes this restore.\n")
                .arg(QDir::toNativeSeparators(outcome.safetyBackup)));
    if (!outcome.completed())
        return ProblemFound;
    if (!restore) {
        const Outcome stored = ProgramSettings(ProgramFolder(QDir(options.folder).absolutePath()))
                                   .recordBackup(side.today());
        if (!stored.succeeded)
            return problem(stored.message());
    }
    return Success;
}

int BackupCommand::listRestorePlan(
    BackupKind kind, const QString& folder, const QString& targetPath, bool lossOnly)
{
    UnattendedBackupRun side(m_out, m_err, ProgramName);
    DiskFileOperations files;
    const ProgramFolder programFolder(QDir(folder).absolutePath());
    BackupEngine engine({ programFolder, side, side, side, files, ProgramBackupSets::all() });
    if (BackupTarget::isProgramFolder(targetPath, programFolder))
        return problem(QStringLiteral("%1 is the program folder itself")
                           .arg(QDir::toNativeSeparators(targetPath)));
    const BackupEngine::RestorePlan plan = engine.restorePlan(kind, targetPath);
    for (const QString& line : plan.damaged)
        print(m_out, QStringLiteral("damaged: %1\n").arg(line));
    if (!plan.damaged.isEmpty()) {
        print(m_out,
            QStringLiteral("Nothing would be restored: the backup is damaged. Nothing was "
                           "changed.\n"));
        return ProblemFound;
    }
    if (lossOnly) {
        if (plan.files.isEmpty())
            return problem(QStringLiteral("%1 holds no backup of these files")
                               .arg(QDir::toNativeSeparators(targetPath)));
        for (const QString& line : plan.loss)
            print(m_out, line + u'\n');
        print(m_out, QStringLiteral("Nothing was changed; give --yes to restore.\n"));
        return Success;
    }
    for (const BackupFileSet::FilePair& pair : plan.files)
        print(m_out,
            QStringLiteral("%1 %2 from %3\n")
                .arg(programFolder.exists(pair.liveName) ? QStringLiteral("would replace")
                                                         : QStringLiteral("would create"),
                    pair.liveName, pair.backupName));
    for (const QString& line : plan.missing)
        print(m_out, QStringLiteral("not restored: %1\n").arg(line));
    print(m_out, QStringLiteral("Nothing was changed; give --yes to restore.\n"));
    return plan.files.isEmpty() || !plan.missing.isEmpty() ? ProblemFound : Success;
}
