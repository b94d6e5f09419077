#include "ImportCommand.h"

#include "passwords/PasswordFiles.h"
#include "passwords/PasswordImport.h"

#include "logimport/SourceFile.h"
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
        return usageError(QStringLiteral("import takes weight or bp, a NAME and a FILE"));
    std::optional<LogSource::Format> format;
    if (options.from) {
        format = LogSource::formatNamed(*options.from);
        if (!format)
            return usageError(QStringLiteral("unknown format \"%1\": use %2")
                                  .arg(*options.from, LogSource::names().join(u'|')));
    } else {
        const QString path = options.positional.at(3);
        QFile file;
        if (const QString why = SourceFile::open(path, file); !why.isEmpty())
            return problem(QStringLiteral("%1: %2").arg(path, why));
        QString unreadable;
        format = LogSource::detect(file, &unreadable);
        if (!unreadable.isEmpty())
            return problem(
                QStringLiteral("%1: %2").arg(path, LogSource::unreadableMessage(unreadable)));
    }
    // A file that looks like no export is read as the program's own CSV
    // columns, as it always was; its faults then point at --from mapped.
    const bool recognised = format.has_value();
    if (!format)
        format = LogSource::Format::ProgramCsv;
    std::optional<ColumnMapping> mapping;
    if (*format == LogSource::Format::Mapped) {
        int exitCode = Success;
        mapping = mappingOf(options, exitCode);
        if (!mapping)
            return exitCode;
    } else if (!options.maps.isEmpty() || options.dateOrder || options.unit) {
        return usageError(QStringLiteral("--map, --date-order and --unit belong to --from mapped"));
    }
    return importExport(options, *format, mapping, recognised);
}

std::optional<ColumnMapping> ImportCommand::mappingOf(const DataToolOptions& options, int& exitCode)
{
    ColumnMapping mapping;
    for (const QString& map : options.maps) {
        const qsizetype equals = map.indexOf(u'=');
        const std::optional<ColumnMapping::Field> field
            = ColumnMapping::fieldNamed(map.left(equals));
        if (equals < 0 || !field || map.mid(equals + 1).trimmed().isEmpty()) {
            exitCode = usageError(
                QStringLiteral("--map %1: write FIELD=HEADING, FIELD one of date, time, weight, "
                               "systolic, diastolic, pulse")
                    .arg(map));
            return std::nullopt;
        }
        mapping.headings.insert(*field, map.mid(equals + 1).trimmed());
    }
    if (options.dateOrder) {
        const std::optional<ColumnMapping::DateOrder> order
            = ColumnMapping::dateOrderNamed(*options.dateOrder);
        if (!order) {
            exitCode = usageError(
                QStringLiteral("--date-order %1: use ymd, dmy or mdy").arg(*options.dateOrder));
            return std::nullopt;
        }
        mapping.dateOrder = *order;
    }
    if (options.unit) {
        mapping.unit = WeightPersonSettings::unitNamed(options.unit->trimmed().toLower());
        if (options.kindAt(1) != Kind::Weight || !mapping.unit) {
            exitCode = usageError(QStringLiteral("--unit takes lb or kg, for weights"));
            return std::nullopt;
        }
    }
    return mapping;
}

int ImportCommand::importExport(const DataToolOptions& options, LogSource::Format format,
    const std::optional<ColumnMapping>& mapping, bool recognised)
{
    LogImport::Request request;
    request.log = options.kindAt(1) == Kind::Weight ? LogImport::Log::Weight
                                                    : LogImport::Log::BloodPressure;
    request.name = options.positional.at(2);
    request.path = options.positional.at(3);
    request.format = format;
    request.everyWeighIn = options.allReadings;
    request.skipRefused = options.skipRefused;
    request.mapping = mapping;
    const ProgramFolder folder(options.folder);
    const LogImport::Preview preview = LogImport::preview(folder, request);
    if (!preview.error.isEmpty()) {
        problem(preview.error);
        if (format == LogSource::Format::Mapped && !preview.headings.isEmpty())
            print(m_err,
                QStringLiteral("%1: the file's columns: %2; choose them with --map FIELD=HEADING\n")
                    .arg(ProgramName, preview.headings.join(QStringLiteral(", "))));
        else if (!recognised)
            print(m_err,
                QStringLiteral("%1: a table with other columns imports with --from mapped "
                               "--map FIELD=HEADING\n")
                    .arg(ProgramName));
        print(m_err, QStringLiteral("%1: nothing was imported\n").arg(ProgramName));
        return ProblemFound;
    }
    printPreview(preview);
    for (const RefusedLine& refused : preview.refused())
        print(m_err,
            QStringLiteral("%1: %2: line %3: %4\n")
                .arg(ProgramName, request.path)
                .arg(refused.line)
                .arg(refused.reason));
    if (!preview.refused().isEmpty() && !options.skipRefused) {
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
    if (const int skipped = preview.duplicateCount(); skipped > 0)
        print(m_out,
            QStringLiteral("Skipped %1 %2 already in the log.\n")
                .arg(skipped)
                .arg(skipped == 1 ? QStringLiteral("row") : QStringLiteral("rows")));
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
    if (const int repeated = preview.repeatedCount(); repeated > 0)
        print(m_out, QStringLiteral("Skipped, twice in the file: %1\n").arg(repeated));
    // Lines of another kind: neither taken nor refused.
    for (const SkippedLines& skipped : preview.skipped())
        print(m_out, QStringLiteral("Skipped, %1: %2\n").arg(skipped.kind).arg(skipped.count));
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
    PasswordImport::Choices choices;
    choices.cut = options.cut;
    choices.includeDeleted = options.includeDeleted;
    choices.skipRefused = options.skipRefused;
    choices.form = files.textForm();
    const PasswordImport::Plan plan = PasswordImport::plan(
        PasswordImport::read(*bytes, *format), files.loadAllEntries(), choices);
    if (!plan.error.isEmpty())
        return problem(QStringLiteral("%1: %2").arg(path, plan.error));
    for (const QString& skipped : plan.skippedKinds)
        print(m_out, QStringLiteral("Skipped %1.\n").arg(skipped));
    if (plan.deletedLeftOut > 0)
        print(m_out,
            QStringLiteral("%1 in the Recycle Bin left out (--include-deleted takes them).\n")
                .arg(plan.deletedLeftOut == 1
                        ? QStringLiteral("1 entry")
                        : QStringLiteral("%1 entries").arg(plan.deletedLeftOut)));
    for (const PasswordImport::Planned& planned : plan.entries) {
        if (planned.action == PasswordImport::Action::Skip)
            print(m_out, QStringLiteral("Skipped %1: %2.\n").arg(planned.origin, planned.reason));
        else if (planned.action == PasswordImport::Action::Refuse)
            print(m_err,
                QStringLiteral("%1: %2: %3: %4%5\n")
                    .arg(ProgramName, path, planned.origin, planned.reason,
                        options.skipRefused ? QStringLiteral(" (left out)") : QString()));
        else if (!planned.reason.isEmpty())
            print(m_out,
                QStringLiteral("Cut %1 (%2): %3.\n")
                    .arg(planned.origin, planned.entry.name,
                        planned.overLong.join(QStringLiteral("; "))));
    }
    if (plan.count(PasswordImport::Action::Refuse) > 0 && !options.skipRefused) {
        if (plan.hasOverLong() && !options.cut)
            print(m_err,
                QStringLiteral("%1: --cut cuts over-long fields to the keeper's limits\n")
                    .arg(ProgramName));
        print(m_err,
            QStringLiteral("%1: --skip-refused imports the other entries\n").arg(ProgramName));
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
