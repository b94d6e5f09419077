#include "BackupsCommand.h"

#include "ProgramBackupSets.h"
#include "backup/BackupContents.h"
#include "backup/DatedBackups.h"
#include "backup/DiskFileOperations.h"

#include <QDir>
#include <QFileInfo>

int BackupsCommand::run(const DataToolOptions& options)
{
    if (options.positional.size() != 2)
        return usageError(QStringLiteral("backups takes a DIR"));
    const QString parent = options.positional.at(1);
    if (!QFileInfo(parent).isDir())
        return usageError(QStringLiteral("no folder %1").arg(parent));
    DiskFileOperations files;
    const QList<DatedBackups::Entry> entries = DatedBackups::list(parent, files);
    if (entries.isEmpty()) {
        print(m_out,
            QStringLiteral("No dated backups in %1\n").arg(QDir::toNativeSeparators(parent)));
        return Success;
    }
    for (const DatedBackups::Entry& entry : entries) {
        const QString state = entry.state == DatedBackups::State::Complete
            ? QStringLiteral("complete")
            : entry.state == DatedBackups::State::Unfinished ? QStringLiteral("unfinished")
                                                             : QStringLiteral("damaged");
        print(m_out,
            QStringLiteral("%1\t%2\t%3\t%4 bytes%5\n")
                .arg(entry.name, state, entry.made.toString(QStringLiteral("yyyy-MM-dd HH:mm")))
                .arg(entry.size)
                .arg(entry.problem.isEmpty() ? QString() : QStringLiteral("\t") + entry.problem));
        // What it holds, indented under it, so that a script reading the
        // folders' lines can skip these.
        if (entry.state != DatedBackups::State::Unfinished) {
            for (const QString& line :
                BackupContents::lines(ProgramBackupSets::all(), entry.contents))
                print(m_out, QStringLiteral("    %1\n").arg(line));
        }
    }
    return Success;
}
