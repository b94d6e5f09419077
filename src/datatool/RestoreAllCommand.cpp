#include "RestoreAllCommand.h"

#include "ProgramBackupSets.h"
#include "backup/DiskFileOperations.h"
#include "backup/FullRestore.h"

#include <QDir>
#include <QFileInfo>

int RestoreAllCommand::run(const DataToolOptions& options)
{
    if (options.positional.size() != 3)
        return usageError(QStringLiteral("restore all takes a dated folder DIR/DATED"));
    const QString folder = QDir(options.positional.at(2)).absolutePath();
    if (!QFileInfo(folder).isDir())
        return usageError(QStringLiteral("no folder %1").arg(options.positional.at(2)));
    const ProgramFolder programFolder(QDir(options.folder).absolutePath());
    DiskFileOperations files;
    FullRestore restore(programFolder, files, ProgramBackupSets::all());
    const FullRestore::Result result = options.yes ? restore.run(folder) : restore.plan(folder);
    if (!result.refusal.isEmpty())
        return problem(result.refusal);
    for (const QString& line : result.damaged)
        print(m_out, QStringLiteral("damaged: %1\n").arg(line));
    if (!result.damaged.isEmpty()) {
        print(m_out,
            QStringLiteral("Nothing %1 restored: the backup is damaged. Nothing was changed.\n")
                .arg(options.yes ? QStringLiteral("was") : QStringLiteral("would be")));
        return ProblemFound;
    }
    if (!result.failure.isEmpty())
        return problem(result.failure);
    if (options.dryRun) {
        for (const QString& line : result.loss)
            print(m_out, line + u'\n');
        print(m_out, QStringLiteral("Nothing was changed; give --yes to restore.\n"));
        return Success;
    }
    for (const BackupFileSet::FilePair& pair : result.files) {
        const QString verb = options.yes          ? QStringLiteral("restored")
            : programFolder.exists(pair.liveName) ? QStringLiteral("would replace")
                                                  : QStringLiteral("would create");
        print(m_out, QStringLiteral("%1 %2 from %3\n").arg(verb, pair.liveName, pair.backupName));
    }
    for (const QString& name : result.removed)
        print(m_out,
            QStringLiteral("%1 %2, which the undone restore created\n")
                .arg(options.yes ? QStringLiteral("removed") : QStringLiteral("would remove"),
                    name));
    for (const QString& line : result.notes)
        print(m_out, QStringLiteral("not restored: %1\n").arg(line));
    print(m_out,
        options.yes ? QStringLiteral("Restoration Completed (%1 files)\n").arg(result.files.size())
                    : QStringLiteral("Nothing was changed; give --yes to restore.\n"));
    if (!result.safetyBackup.isEmpty())
        print(m_out,
            QStringLiteral("The files it replaced were saved in %1\n"
                           "Restoring that backup undoes this restore.\n")
                .arg(QDir::toNativeSeparators(result.safetyBackup)));
    return result.notes.isEmpty() ? Success : ProblemFound;
}
