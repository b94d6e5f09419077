#include "ImportCommand.h"

#include "DataImporter.h"
#include "passwords/PasswordFiles.h"
#include "passwords/PasswordImport.h"

#include "storage/StoredDate.h"

#include <QFile>

std::optional<QByteArray> ImportCommand::readFile(const QString& path, int& exitCode)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        exitCode = problem(QStringLiteral("%1: %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    return file.readAll();
}

int ImportCommand::run(const DataToolOptions& options)
{
    const Kind kind = options.kindAt(1);
    if (kind == Kind::Passwords)
        return importPasswords(options);
    if ((kind != Kind::Weight && kind != Kind::BloodPressure) || options.positional.size() != 4)
        return usageError(QStringLiteral("import takes weight or bp, a NAME and a FILE.csv"));
    const QString name = options.positional.at(2);
    const QString csvPath = options.positional.at(3);
    // The program's own CSV, and any file that looks like no other
    // program's export, go through the checked CSV import as they always
    // have.
    std::optional<LogSource::Format> format;
    if (options.from) {
        format = LogSource::formatNamed(*options.from);
        if (!format)
            return usageError(QStringLiteral("unknown format \"%1\": use %2")
                                  .arg(*options.from, LogSource::names().join(u'|')));
    } else {
        QFile file(csvPath);
        if (file.open(QIODevice::ReadOnly))
            format = LogSource::detect(file.peek(LogSource::HeadSize));
    }
    if (format && *format != LogSource::Format::ProgramCsv)
        return importExport(options, format);
    if (options.dryRun || options.allReadings)
        return usageError(QStringLiteral("--dry-run and --all-readings are for other programs' "
                                         "exports; the program's own CSV is checked whole"));
    int exitCode = Success;
    const std::optional<QByteArray> read = readFile(csvPath, exitCode);
    if (!read)
        return exitCode;
    const QByteArray& csv = *read;

    const ProgramFolder folder(options.folder);
    const DataImporter::Result result = kind == Kind::Weight
        ? DataImporter::importWeight(folder, name, csv)
        : DataImporter::importBloodPressure(folder, name, csv);
    if (!result.ok) {
        if (!result.error.isEmpty())
            print(m_err, QStringLiteral("%1: %2: %3\n").arg(ProgramName, csvPath, result.error));
        if (!result.targetError.isEmpty())
            print(m_err, QStringLiteral("%1: %2\n").arg(ProgramName, result.targetError));
        for (const DataImporter::RowError& row : result.rowErrors)
            print(m_err,
                QStringLiteral("%1: %2: line %3: %4\n")
                    .arg(ProgramName, csvPath)
                    .arg(row.line)
                    .arg(row.reason));
        print(m_err, QStringLiteral("%1: nothing was imported\n").arg(ProgramName));
        return ProblemFound;
    }
    const QString target
        = kind == Kind::Weight ? QStringLiteral("weight") : QStringLiteral("blood-pressure");
    print(m_out,
        QStringLiteral("Added %1 %2 to the %3 file of %4%5.\n")
            .arg(result.rowsAdded)
            .arg(result.rowsAdded == 1 ? QStringLiteral("row") : QStringLiteral("rows"))
            .arg(target, name.trimmed(),
                result.individualCreated ? QStringLiteral(", a new individual") : QString()));
    return Success;
}

int ImportCommand::importExport(
    const DataToolOptions& options, std::optional<LogSource::Format> format)
{
    LogImport::Request request;
    request.log = options.kindAt(1) == Kind::Weight ? LogImport::Log::Weight
                                                    : LogImport::Log::BloodPressure;
    request.name = options.positional.at(2);
    request.path = options.positional.at(3);
    // A format named with --from is read as that format; one recognised
    // here is recognised again by the preview from the same bytes.
    if (options.from)
        request.format = format;
    request.everyWeighIn = options.allReadings;
    const ProgramFolder folder(options.folder);
    const LogImport::Preview preview = LogImport::preview(folder, request);
    if (!preview.error.isEmpty())
        return problem(preview.error);
    printPreview(preview);
    for (const RefusedLine& refused : preview.refused())
        print(m_err,
            QStringLiteral("%1: %2: line %3: %4\n")
                .arg(ProgramName, request.path)
                .arg(refused.line)
                .arg(refused.reason));
    if (!preview.refused().isEmpty()) {
        print(m_err, QStringLiteral("%1: nothing was imported\n").arg(ProgramName));
        return ProblemFound;
    }
    if (options.dryRun) {
        print(m_out, QStringLiteral("Nothing was written (--dry-run).\n"));
        return Success;
    }
    if (preview.addedCount() == 0) {
        print(m_out, QStringLiteral("Nothing to add.\n"));
        return Success;
    }
    if (const Outcome imported = LogImport::apply(folder, preview); !imported)
        return problem(imported.message());
    const int added = preview.addedCount();
    print(m_out,
        QStringLiteral("Added %1 %2 to the %3 file of %4%5.\n")
            .arg(added)
            .arg(added == 1 ? QStringLiteral("row") : QStringLiteral("rows"))
            .arg(request.log == LogImport::Log::Weight ? QStringLiteral("weight")
                                                       : QStringLiteral("blood-pressure"),
                preview.name,
                preview.newIndividual ? QStringLiteral(", a new individual") : QString()));
    return Success;
}

void ImportCommand::printPreview(const LogImport::Preview& preview)
{
    const bool weight = preview.request.log == LogImport::Log::Weight;
    print(m_out, QStringLiteral("Format: %1\n").arg(LogSource::title(preview.format)));
    print(m_out,
        QStringLiteral("Person: %1%2\n")
            .arg(preview.name, preview.newIndividual ? QStringLiteral(" (new)") : QString()));
    if (weight)
        print(m_out,
            QStringLiteral("Weights in: %1\n").arg(WeightPersonSettings::unitName(preview.unit)));
    QString span;
    if (preview.first().isValid())
        span
            = QStringLiteral(", %1 to %2")
                  .arg(StoredDate::longText(preview.first()), StoredDate::longText(preview.last()));
    print(m_out, QStringLiteral("To add: %1%2\n").arg(preview.addedCount()).arg(span));
    print(m_out, QStringLiteral("Skipped, already in the log: %1\n").arg(preview.duplicateCount()));
    if (weight)
        print(m_out,
            QStringLiteral("Skipped, not the first weigh-in of its day: %1\n")
                .arg(preview.weight.sameDay));
    else
        print(m_out, QStringLiteral("Without a pulse: %1\n").arg(preview.readings.withoutPulse));
    print(m_out, QStringLiteral("Refused: %1\n").arg(preview.refused().size()));
}

// With no one to ask, over-long fields refuse the import unless --cut said
// beforehand that they may be cut.
int ImportCommand::importPasswords(const DataToolOptions& options)
{
    if (options.positional.size() != 3)
        return usageError(QStringLiteral("import passwords takes a FILE"));
    std::optional<PasswordImport::Format> format;
    if (options.from) {
        format = PasswordImport::formatNamed(*options.from);
        if (!format)
            return usageError(QStringLiteral("unknown format \"%1\": use keepassxc, bitwarden "
                                             "or browser")
                                  .arg(*options.from));
    }
    const QString path = options.positional.at(2);
    int exitCode = Success;
    const std::optional<QByteArray> bytes = readFile(path, exitCode);
    if (!bytes)
        return exitCode;
    if (!format)
        format = PasswordImport::detect(*bytes);
    if (!format)
        return problem(QStringLiteral("%1: not an export this tool knows; name its format with "
                                      "--from keepassxc|bitwarden|browser")
                           .arg(path));

    const ProgramFolder folder(options.folder);
    const std::shared_ptr<PasswordStorage> storage = passwordStorage(folder, exitCode);
    if (!storage)
        return exitCode;
    PasswordFiles files(folder, storage);
    const PasswordImport::Plan plan = PasswordImport::plan(
        PasswordImport::read(*bytes, *format), files.LoadIndex(), options.cut);
    if (!plan.error.isEmpty())
        return problem(QStringLiteral("%1: %2").arg(path, plan.error));
    for (const QString& skipped : plan.skippedKinds)
        print(m_out, QStringLiteral("Skipped %1.\n").arg(skipped));
    for (const PasswordImport::Planned& planned : plan.entries) {
        if (planned.action == PasswordImport::Action::Skip)
            print(m_out, QStringLiteral("Skipped %1: %2.\n").arg(planned.origin, planned.reason));
        else if (planned.action == PasswordImport::Action::Refuse)
            print(m_err,
                QStringLiteral("%1: %2: %3: %4\n")
                    .arg(ProgramName, path, planned.origin, planned.reason));
        else if (!planned.reason.isEmpty())
            print(m_out,
                QStringLiteral("Cut %1 (%2): %3.\n")
                    .arg(planned.origin, planned.entry.name,
                        planned.overLong.join(QStringLiteral("; "))));
    }
    if (plan.count(PasswordImport::Action::Refuse) > 0) {
        if (plan.hasOverLong() && !options.cut)
            print(m_err,
                QStringLiteral("%1: --cut cuts over-long fields to the keeper's limits\n")
                    .arg(ProgramName));
        print(m_err, QStringLiteral("%1: nothing was imported\n").arg(ProgramName));
        return ProblemFound;
    }
    if (plan.count(PasswordImport::Action::Add) == 0) {
        print(m_out, QStringLiteral("Nothing to add.\n"));
        return Success;
    }
    int added = 0;
    if (const Outcome imported = PasswordImport::apply(files, plan, &added); !imported)
        return problem(imported.reason);
    print(m_out,
        QStringLiteral("Added %1 password %2.\n")
            .arg(added)
            .arg(added == 1 ? QStringLiteral("entry") : QStringLiteral("entries")));
    return Success;
}
