#include "DataImporter.h"

#include "FolderChecker.h"
#include "LogValueRules.h"
#include "bloodpressure/BloodPressureFile.h"
#include "storage/CsvReader.h"
#include "trackers/IndividualDataFile.h"
#include "weight/WeightFile.h"

#include <QRegularExpression>
#include <QStringList>

#include <functional>
#include <optional>

namespace {

// The data records of the CSV, each reduced to the fields of the wanted
// columns in their order; false when the text or its header is unusable.
struct Table {
    struct Row {
        int line = 0;
        QStringList fields;
    };
    QList<Row> rows;
};

bool readTable(
    const QByteArray& csv, const QStringList& wanted, Table& table, DataImporter::Result& result)
{
    QString error;
    const std::optional<QList<CsvReader::Record>> records = CsvReader::parse(csv, &error);
    if (!records) {
        result.error = error;
        return false;
    }
    qsizetype first = 0;
    while (first < records->size() && records->at(first).isBlank())
        ++first;
    if (first == records->size()) {
        result.error = QStringLiteral("line 1: the header row is missing");
        return false;
    }
    const CsvReader::Record& header = records->at(first);
    QStringList names;
    // An export names the weight's unit when the person has one: "weight
    // (lb)" is the weight column.
    static const QRegularExpression unitSuffix(QStringLiteral("\\s*\\((lb|kg)\\)$"));
    for (const QString& field : header.fields)
        names.append(field.trimmed().toLower().remove(unitSuffix));
    QList<int> columns;
    for (const QString& column : wanted) {
        const qsizetype at = names.indexOf(column);
        if (at < 0) {
            result.error = QStringLiteral("line %1: the header has no \"%2\" column")
                               .arg(header.line)
                               .arg(column);
            return false;
        }
        columns.append(int(at));
    }
    for (qsizetype r = first + 1; r < records->size(); ++r) {
        const CsvReader::Record& record = records->at(r);
        // Spreadsheets end a sheet with empty lines or lines of commas.
        if (record.isBlank())
            continue;
        if (record.fields.size() != header.fields.size()) {
            result.rowErrors.append({ record.line,
                QStringLiteral("%1 fields where the header has %2")
                    .arg(record.fields.size())
                    .arg(header.fields.size()) });
            continue;
        }
        Table::Row row { record.line, {} };
        for (int column : columns)
            row.fields.append(record.fields.at(column));
        table.rows.append(row);
    }
    return true;
}

// The part both trackers share: the name against the list, then either the
// listed individual's file rewritten or a new individual created, all or
// nothing.
template <typename File, typename Row>
void store(const ProgramFolder& folder, FolderChecker::Tracker tracker, const QString& name,
    const QList<Row>& added, const std::function<IndividualList(QString*)>& loadList,
    const std::function<std::optional<File>(const QString&, QString*)>& loadFile,
    DataImporter::Result& result)
{
    QString error;
    IndividualList list = loadList(&error);
    if (!error.isEmpty()) {
        result.targetError = error;
        return;
    }
    const qsizetype listed = list.indexOf(name);
    std::optional<File> file;
    if (listed >= 0) {
        if (const QString damage = DataImporter::damageOf(folder, tracker, list.at(listed), list);
            !damage.isEmpty()) {
            result.targetError = damage;
            return;
        }
        file = loadFile(list.at(listed), &error);
        if (!file) {
            result.targetError = error;
            return;
        }
    } else {
        if (const QString refusal = list.refusalForNewName(name, folder); !refusal.isEmpty()) {
            result.targetError
                = QStringLiteral("the name \"%1\" cannot be used: %2").arg(name, refusal);
            return;
        }
        file = File {};
        file->name = name.trimmed();
    }
    if (!result.rowErrors.isEmpty())
        return;

    DataImporter::appendRows(file->rows, added);
    if (file->storedRowCount() > IndividualDataFile::MaximumRowCount) {
        result.targetError = QStringLiteral("the log would hold more than %1 rows")
                                 .arg(IndividualDataFile::MaximumRowCount - 1);
        return;
    }
    Outcome saved;
    if (listed >= 0) {
        saved = file->save(folder);
    } else {
        saved = list.addIndividual(folder, name, [&] { return file->save(folder); });
        result.individualCreated = saved.succeeded;
    }
    if (!saved) {
        result.targetError = saved.reason;
        return;
    }
    result.rowsAdded = int(added.size());
    result.ok = true;
}

// The trackers' files under the one name store() calls.
struct WeightImportFile : WeightFile {
    WeightImportFile() = default;
    explicit WeightImportFile(WeightFile file)
        : WeightFile(std::move(file))
    { }
    Outcome save(const ProgramFolder& folder) const { return SaveWeightFile(folder); }
};

struct BloodPressureImportFile : BloodPressureFile {
    BloodPressureImportFile() = default;
    explicit BloodPressureImportFile(BloodPressureFile file)
        : BloodPressureFile(std::move(file))
    { }
    Outcome save(const ProgramFolder& folder) const { return SaveBloodPressureFile(folder); }
};

void addProblem(DataImporter::Result& result, int line, const QString& problem)
{
    if (!problem.isEmpty())
        result.rowErrors.append({ line, problem });
}

} // namespace

QString DataImporter::damageOf(const ProgramFolder& folder, FolderChecker::Tracker tracker,
    const QString& name, const IndividualList& list)
{
    if (!folder.exists(list.dataFileName(name)))
        return {};
    QStringList faults;
    QString file;
    for (const FolderChecker::Problem& problem :
        FolderChecker::checkDataFile(folder, tracker, name)) {
        if (problem.isDamage()) {
            file = problem.file;
            faults.append(problem.message);
        }
    }
    if (faults.isEmpty())
        return {};
    return QStringLiteral("%1 is damaged (%2); repair it in Halvorn or restore it from a "
                          "backup, then import again")
        .arg(file, faults.join(QStringLiteral("; ")));
}

DataImporter::Result DataImporter::importWeight(
    const ProgramFolder& folder, const QString& name, const QByteArray& csv)
{
    Result result;
    Table table;
    if (!readTable(csv, { QStringLiteral("date"), QStringLiteral("weight") }, table, result))
        return result;
    QList<WeighIn> added;
    for (const Table::Row& row : table.rows) {
        WeighIn weighIn;
        const qsizetype errorsBefore = result.rowErrors.size();
        addProblem(result, row.line, LogValueRules::dateProblem(row.fields.at(0), &weighIn.date));
        addProblem(result, row.line, LogValueRules::weightProblem(row.fields.at(1)));
        weighIn.weight = row.fields.at(1).trimmed();
        if (result.rowErrors.size() == errorsBefore)
            added.append(weighIn);
    }
    store<WeightImportFile, WeighIn>(
        folder, FolderChecker::Tracker::Weight, name, added,
        [&](QString* error) { return WeightFile::LoadIndividualList(folder, error); },
        [&](const QString& listed, QString* error) -> std::optional<WeightImportFile> {
            std::optional<WeightFile> file = WeightFile::LoadWeightFile(folder, listed, error);
            if (!file)
                return std::nullopt;
            return WeightImportFile(std::move(*file));
        },
        result);
    return result;
}

DataImporter::Result DataImporter::importBloodPressure(
    const ProgramFolder& folder, const QString& name, const QByteArray& csv)
{
    using Measurement = LogValueRules::Measurement;
    Result result;
    Table table;
    if (!readTable(csv,
            { QStringLiteral("date"), QStringLiteral("time"), QStringLiteral("systolic"),
                QStringLiteral("diastolic"), QStringLiteral("pulse") },
            table, result))
        return result;
    QList<Reading> added;
    for (const Table::Row& row : table.rows) {
        Reading reading;
        const qsizetype errorsBefore = result.rowErrors.size();
        const QStringList& f = row.fields;
        addProblem(result, row.line, LogValueRules::dateProblem(f.at(0), &reading.date));
        addProblem(result, row.line, LogValueRules::timeProblem(f.at(1), &reading.time));
        addProblem(result, row.line,
            LogValueRules::measurementProblem(Measurement::Systolic, f.at(2), &reading.systolic));
        addProblem(result, row.line,
            LogValueRules::measurementProblem(Measurement::Diastolic, f.at(3), &reading.diastolic));
        addProblem(result, row.line,
            LogValueRules::measurementProblem(Measurement::Pulse, f.at(4), &reading.pulse));
        if (result.rowErrors.size() == errorsBefore)
            added.append(reading);
    }
    store<BloodPressureImportFile, Reading>(
        folder, FolderChecker::Tracker::BloodPressure, name, added,
        [&](QString* error) { return BloodPressureFile::LoadBpIndividualList(folder, error); },
        [&](const QString& listed, QString* error) -> std::optional<BloodPressureImportFile> {
            std::optional<BloodPressureFile> file
                = BloodPressureFile::LoadBloodPressureFile(folder, listed, error);
            if (!file)
                return std::nullopt;
            return BloodPressureImportFile(std::move(*file));
        },
        result);
    return result;
}
