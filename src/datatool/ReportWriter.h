#pragma once

#include "bloodpressure/BloodPressureGuideline.h"
#include "services/Outcome.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class PasswordStorage;

// Writes a function's printed report as a PDF without a window. The command
// line checks its arguments and the individual's name; the writer, which
// needs fonts and pictures, lays the report out.
class ReportWriter
{
public:
    struct Request {
        QString folder;
        // As listed; for the password report the name of the entry.
        QString name;
        QString output;
        QString paper; // "letter", "a4", or empty for the locale's
        bool landscape = false;
        // The report options to tick; the screen's starting state when unset.
        std::optional<QStringList> options;
        // The blood-pressure report's number of latest entries, 0 for all.
        int entries = 0;
        // Where the password report reads the keeper: a protected keeper's
        // unlocked vault; unset, the folder's files.
        std::shared_ptr<PasswordStorage> passwords;
        // The blood-pressure report's guideline; unset, the one chosen in
        // the program.
        std::optional<BloodPressureGuideline::Id> guideline;
    };

    virtual ~ReportWriter() = default;

    // A failure's reason says why the report could not be written; the
    // output file is then left as it was.
    virtual Outcome writeWeightReport(const Request& request) = 0;
    virtual Outcome writeBloodPressureReport(const Request& request) = 0;
    // Readable by its owner only: the report holds a password.
    virtual Outcome writePasswordReport(const Request& request) = 0;
};
