#include "CheckCommand.h"

#include "FolderChecker.h"
#include "passwords/PasswordFiles.h"
#include "passwords/PasswordHealth.h"

#include <QDir>

#include <algorithm>
#include <utility>

int CheckCommand::run(const DataToolOptions& options)
{
    if (options.health && options.positional.size() == 2)
        return checkPasswordHealth(ProgramFolder(options.folder));
    if (options.positional.size() != 1)
        return usageError(QStringLiteral("check takes no arguments"));
    QList<FolderChecker::Problem> found = FolderChecker::check(ProgramFolder(options.folder));
    // The damage first, then the notes, each group in the order found.
    const auto notesBegin = std::stable_partition(found.begin(), found.end(),
        [](const FolderChecker::Problem& problem) { return problem.isDamage(); });
    const qsizetype damage = notesBegin - found.begin();
    const qsizetype notes = found.size() - damage;
    for (const FolderChecker::Problem& problem : std::as_const(found))
        print(m_out, problem.text() + u'\n');
    if (damage == 0) {
        print(m_out,
            notes == 0 ? QStringLiteral("No problems found.\n")
                       : QStringLiteral("No problems found; %1 %2.\n")
                             .arg(notes)
                             .arg(notes == 1 ? QStringLiteral("note") : QStringLiteral("notes")));
        return Success;
    }
    print(m_err,
        QStringLiteral("%1: %2 %3 found in %4\n")
            .arg(ProgramName)
            .arg(damage)
            .arg(damage == 1 ? QStringLiteral("problem") : QStringLiteral("problems"))
            .arg(QDir::toNativeSeparators(options.folder)));
    return ProblemFound;
}

int CheckCommand::checkPasswordHealth(const ProgramFolder& folder)
{
    int exitCode = Success;
    const std::shared_ptr<PasswordStorage> storage = passwordStorage(folder, exitCode);
    if (!storage)
        return exitCode;
    const PasswordHealth::Report report = PasswordHealth::check(PasswordFiles(folder, storage));
    for (const PasswordHealth::Finding& finding : report.findings)
        print(m_out,
            QStringLiteral("%1: %2\n")
                .arg(finding.name, finding.reasons.join(QStringLiteral("; "))));
    for (const QString& name : report.unreadable)
        print(m_err,
            QStringLiteral("%1: %2: the entry could not be read from %3\n")
                .arg(ProgramName, name, PasswordFiles::EntriesFileName));
    if (report.findings.isEmpty() && report.unreadable.isEmpty()) {
        print(m_out, QStringLiteral("No weak, reused or unencrypted passwords found.\n"));
        return Success;
    }
    return ProblemFound;
}
