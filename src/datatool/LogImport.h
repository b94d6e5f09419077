#pragma once

#include "ReadingImportPlan.h"
#include "WeightImportPlan.h"
#include "backup/BackupFileOperations.h"
#include "logimport/ColumnMapping.h"
#include "logimport/LogSource.h"
#include "services/Outcome.h"
#include "storage/ProgramFolder.h"

#include <QString>

#include <optional>

// An export (another program's, the program's own, or a plain CSV whose
// columns the user chose) into one individual's weight or blood-pressure
// log, in two steps: preview() reads the file and the log and says what
// would be added, skipped and refused, touching nothing; apply() writes the
// previewed rows in one save of the person's file (creating the person when
// the name is new, with the export's unit). A preview with a fault, or with a refused line unless
// the request skips them, is never applied: the log keeps every byte it had.
class LogImport
{
public:
    enum class Log { Weight, BloodPressure };

    struct Request {
        Log log = Log::Weight;
        QString name;
        QString path;
        // Recognised from the content when not given.
        std::optional<LogSource::Format> format;
        bool everyWeighIn = false;
        // The other rows are taken when some lines are refused; otherwise a
        // refused line keeps the whole file out.
        bool skipRefused = false;
        // For a plain CSV: the columns chosen; when not given, the obvious
        // headings are guessed.
        std::optional<ColumnMapping> mapping;
        // The program clock's date, which no imported date may be more
        // than a year after; the machine's date when not given.
        QDate today;
    };

    struct Preview {
        Request request;
        LogSource::Format format = LogSource::Format::OpenScale;
        QString name; // as listed, or trimmed when new
        bool newIndividual = false;
        WeightPersonSettings::Unit unit = WeightPersonSettings::Unit::Pounds;
        // A new person takes the unit the export names, stored with them;
        // an export that names none leaves the person without one.
        bool unitFromSource = false;
        WeightImportPlan weight;
        ReadingImportPlan readings;
        // A plain CSV's headings and the columns it was read through.
        QStringList headings;
        ColumnMapping mapping;
        // A fault of the file as a whole or of the target, or empty. With no
        // name given the file's rows are still planned, as for a new person.
        QString error;

        bool canApply() const;
        int addedCount() const;
        int duplicateCount() const;
        int repeatedCount() const;
        const QList<RefusedLine>& refused() const;
        const QList<SkippedLines>& skipped() const;
        QDate first() const;
        QDate last() const;
    };

    // What the file gave, read through the request's format and mapping:
    // the part of a preview that does not depend on the person, kept by a
    // screen that plans again for another name without reading the file.
    struct Source {
        LogSource::Format format = LogSource::Format::OpenScale;
        QStringList headings;
        ColumnMapping mapping;
        SourceLog log;
    };

    static Source read(const Request& request);
    static Preview preview(const ProgramFolder& folder, const Request& request);
    static Preview preview(
        const ProgramFolder& folder, const Request& request, const Source& source);
    // A new person's file, list entry and unit go in through one
    // transaction of files (see NewIndividualTransaction); an existing
    // person's file is one save.
    static Outcome apply(const ProgramFolder& folder, const Preview& preview);
    static Outcome apply(
        const ProgramFolder& folder, const Preview& preview, BackupFileOperations& files);
};
