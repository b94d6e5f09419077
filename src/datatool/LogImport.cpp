#include "LogImport.h"

#include "DataImporter.h"
#include "FolderChecker.h"
#include "NewIndividualTransaction.h"
#include "ProgramCsvReader.h"
#include "ProgramJsonReader.h"
#include "backup/DiskFileOperations.h"
#include "bloodpressure/BloodPressureFile.h"
#include "logimport/MappedCsvReader.h"
#include "logimport/SourceFile.h"
#include "trackers/IndividualDataFile.h"
#include "weight/WeightFile.h"

#include <QFile>

namespace {

FolderChecker::Tracker trackerOf(LogImport::Log log)
{
    return log == LogImport::Log::Weight ? FolderChecker::Tracker::Weight
                                         : FolderChecker::Tracker::BloodPressure;
}

IndividualList listOf(const ProgramFolder& folder, LogImport::Log log, QString* error)
{
    return log == LogImport::Log::Weight ? WeightFile::LoadIndividualList(folder, error)
                                         : BloodPressureFile::LoadBpIndividualList(folder, error);
}

// The source read as its format, or the whole-file fault. A file that is
// no known format is taken for a plain CSV, read through the columns chosen
// or guessed.
SourceLog readSource(const LogImport::Request& request, LogImport::Source& read)
{
    SourceLog source;
    QFile file;
    if (const QString why = SourceFile::open(request.path, file); !why.isEmpty()) {
        source.error = why;
        return source;
    }
    if (request.format) {
        read.format = *request.format;
    } else {
        QString unreadable;
        const std::optional<LogSource::Format> detected = LogSource::detect(file, &unreadable);
        if (!unreadable.isEmpty()) {
            source.error = LogSource::unreadableMessage(unreadable);
            return source;
        }
        read.format = detected.value_or(LogSource::Format::Mapped);
    }
    const bool weights = request.log == LogImport::Log::Weight;
    const auto whole = [&]() -> std::optional<QByteArray> {
        if (file.size() > LogSource::CsvSizeLimit) {
            source.error = QStringLiteral("the file is larger than %1 MiB, far more than any "
                                          "export of a log; is it the right file?")
                               .arg(LogSource::CsvSizeLimit / 1024 / 1024);
            return std::nullopt;
        }
        return file.readAll();
    };
    switch (read.format) {
    case LogSource::Format::ProgramCsv:
        if (const std::optional<QByteArray> bytes = whole())
            return weights ? ProgramCsvReader::readWeighIns(*bytes)
                           : ProgramCsvReader::readReadings(*bytes);
        return source;
    case LogSource::Format::ProgramJson:
        if (const std::optional<QByteArray> bytes = whole())
            return ProgramJsonReader::read(*bytes);
        return source;
    case LogSource::Format::Mapped: {
        const std::optional<QByteArray> bytes = whole();
        if (!bytes)
            return source;
        read.headings = MappedCsvReader::headings(*bytes);
        read.mapping = request.mapping.value_or(ColumnMapping::guess(read.headings));
        return MappedCsvReader::read(*bytes, read.mapping, weights);
    }
    default:
        break;
    }
    return LogSource::read(file, read.format);
}

// The listed person's file, or a new one; nothing with the fault in error.
template <typename File>
std::optional<File> targetFile(const ProgramFolder& folder, LogImport::Preview& preview,
    std::optional<File> (*load)(const ProgramFolder&, const QString&, QString*))
{
    QString error;
    const IndividualList list = listOf(folder, preview.request.log, &error);
    if (!error.isEmpty()) {
        preview.error = error;
        return std::nullopt;
    }
    const qsizetype listed = list.indexOf(preview.request.name);
    if (listed < 0) {
        if (const QString refusal = list.refusalForNewName(preview.request.name, folder);
            !refusal.isEmpty()) {
            preview.error = QStringLiteral("the name \"%1\" cannot be used: %2")
                                .arg(preview.request.name, refusal);
            return std::nullopt;
        }
        preview.newIndividual = true;
        preview.name = preview.request.name.trimmed();
        File file;
        file.name = preview.name;
        return file;
    }
    preview.name = list.at(listed);
    if (const QString damage
        = DataImporter::damageOf(folder, trackerOf(preview.request.log), preview.name, list);
        !damage.isEmpty()) {
        preview.error = damage;
        return std::nullopt;
    }
    std::optional<File> file = load(folder, preview.name, &error);
    if (!file)
        preview.error = error;
    return file;
}

// Why the rows cannot go into the file, or the empty text: a grid holds
// no more rows than a stored row count can say.
template <typename File, typename Row> QString overflowOf(File& file, const QList<Row>& added)
{
    DataImporter::appendRows(file.rows, added);
    if (file.storedRowCount() <= IndividualDataFile::MaximumRowCount)
        return {};
    return QStringLiteral("the log would hold more than %1 rows")
        .arg(IndividualDataFile::MaximumRowCount - 1);
}

template <typename File, typename Row>
Outcome saveWith(const ProgramFolder& folder, const LogImport::Preview& preview, File file,
    const QList<Row>& added, Outcome (File::*save)(const ProgramFolder&) const,
    BackupFileOperations& files)
{
    if (const QString overflow = overflowOf(file, added); !overflow.isEmpty())
        return Outcome::refused(overflow);
    if (!preview.newIndividual)
        return (file.*save)(folder);
    QString error;
    const IndividualList list = listOf(folder, preview.request.log, &error);
    if (!error.isEmpty())
        return Outcome::failed(error);
    std::optional<WeightPersonSettings::Values> settings;
    if (preview.unitFromSource)
        settings = WeightPersonSettings::Values { preview.unit, false, std::nullopt };
    return NewIndividualTransaction::write(
        folder, list, preview.name, [&](const ProgramFolder& into) { return (file.*save)(into); },
        settings, files);
}

// The unit of the export's weights, when it names one.
std::optional<WeightPersonSettings::Unit> unitOf(const SourceLog& source)
{
    if (source.weightsInPersonsUnit || source.weighIns.isEmpty())
        return std::nullopt;
    return source.weighIns.first().unit;
}

} // namespace

bool LogImport::Preview::canApply() const
{
    return error.isEmpty() && (refused().isEmpty() || request.skipRefused) && addedCount() > 0;
}

int LogImport::Preview::addedCount() const
{
    return int(request.log == Log::Weight ? weight.added.size() : readings.added.size());
}

int LogImport::Preview::duplicateCount() const
{
    return request.log == Log::Weight ? weight.duplicates : readings.duplicates;
}

int LogImport::Preview::repeatedCount() const
{
    return request.log == Log::Weight ? weight.repeated : readings.repeated;
}

const QList<SkippedLines>& LogImport::Preview::skipped() const
{
    return request.log == Log::Weight ? weight.skipped : readings.skipped;
}

const QList<RefusedLine>& LogImport::Preview::refused() const
{
    return request.log == Log::Weight ? weight.refused : readings.refused;
}

QDate LogImport::Preview::first() const
{
    return request.log == Log::Weight ? weight.first : readings.first;
}

QDate LogImport::Preview::last() const
{
    return request.log == Log::Weight ? weight.last : readings.last;
}

LogImport::Source LogImport::read(const Request& request)
{
    Source read;
    read.log = readSource(request, read);
    return read;
}

LogImport::Preview LogImport::preview(const ProgramFolder& folder, const Request& request)
{
    return preview(folder, request, read(request));
}

LogImport::Preview LogImport::preview(
    const ProgramFolder& folder, const Request& request, const Source& read)
{
    Preview preview;
    preview.request = request;
    preview.format = read.format;
    preview.headings = read.headings;
    preview.mapping = read.mapping;
    const SourceLog& source = read.log;
    const QDate today = request.today.isValid() ? request.today : QDate::currentDate();
    if (source.failed()) {
        preview.error = QStringLiteral("%1: %2").arg(request.path, source.error);
        return preview;
    }
    // Without a name yet the file is still shown, as if for a new person.
    if (request.name.trimmed().isEmpty()) {
        preview.newIndividual = true;
        preview.error = QStringLiteral("choose a person or type a new name");
        preview.unitFromSource = unitOf(source).has_value();
        preview.unit = unitOf(source).value_or(preview.unit);
        if (request.log == Log::Weight)
            preview.weight
                = WeightImportPlan::make(source, {}, preview.unit, request.everyWeighIn, today);
        else
            preview.readings = ReadingImportPlan::make(source, {}, today);
        return preview;
    }
    if (request.log == Log::Weight) {
        const std::optional<WeightFile> file
            = targetFile<WeightFile>(folder, preview, &WeightFile::LoadWeightFile);
        if (!file)
            return preview;
        if (source.weighIns.isEmpty() && source.refused.isEmpty() && !source.readings.isEmpty())
            preview.error = QStringLiteral("%1 holds blood-pressure readings, no weigh-ins")
                                .arg(request.path);
        // A new person takes the export's unit; a listed one keeps theirs
        // (pounds while none is chosen, as the weights always were) and the
        // weights are converted into it.
        preview.unitFromSource = preview.newIndividual && unitOf(source).has_value();
        preview.unit = preview.unitFromSource
            ? *unitOf(source)
            : WeightPersonSettings(folder)
                  .read(preview.name)
                  .unit.value_or(WeightPersonSettings::Unit::Pounds);
        preview.weight
            = WeightImportPlan::make(source, file->rows, preview.unit, request.everyWeighIn, today);
        if (WeightFile grown = *file; preview.error.isEmpty())
            preview.error = overflowOf(grown, preview.weight.added);
    } else {
        const std::optional<BloodPressureFile> file = targetFile<BloodPressureFile>(
            folder, preview, &BloodPressureFile::LoadBloodPressureFile);
        if (!file)
            return preview;
        if (source.readings.isEmpty() && source.refused.isEmpty() && !source.weighIns.isEmpty())
            preview.error = QStringLiteral("%1 holds weigh-ins, no blood-pressure readings")
                                .arg(request.path);
        preview.readings = ReadingImportPlan::make(source, file->rows, today);
        if (BloodPressureFile grown = *file; preview.error.isEmpty())
            preview.error = overflowOf(grown, preview.readings.added);
    }
    return preview;
}

Outcome LogImport::apply(const ProgramFolder& folder, const Preview& preview)
{
    DiskFileOperations files;
    return apply(folder, preview, files);
}

Outcome LogImport::apply(
    const ProgramFolder& folder, const Preview& preview, BackupFileOperations& files)
{
    if (!preview.canApply())
        return Outcome::refused(QStringLiteral("nothing was imported"));
    // The file is read again: the rows go below what it holds now.
    Preview target;
    target.request = preview.request;
    target.unit = preview.unit;
    target.unitFromSource = preview.unitFromSource;
    if (preview.request.log == Log::Weight) {
        std::optional<WeightFile> file
            = targetFile<WeightFile>(folder, target, &WeightFile::LoadWeightFile);
        if (!file)
            return Outcome::failed(target.error);
        return saveWith(folder, target, std::move(*file), preview.weight.added,
            &WeightFile::SaveWeightFile, files);
    }
    std::optional<BloodPressureFile> file
        = targetFile<BloodPressureFile>(folder, target, &BloodPressureFile::LoadBloodPressureFile);
    if (!file)
        return Outcome::failed(target.error);
    return saveWith(folder, target, std::move(*file), preview.readings.added,
        &BloodPressureFile::SaveBloodPressureFile, files);
}
