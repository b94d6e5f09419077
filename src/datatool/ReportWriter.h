#pragma once

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
    };

    virtual ~ReportWriter() = default;

    // False, with the reason, when the report could not be written; the
    // output file is then left as it was.
    virtual bool writeWeightReport(const Request& request, QString* error) = 0;
    virtual bool writeBloodPressureReport(const Request& request, QString* error) = 0;
    // Readable by its owner only: the report holds a password.
    virtual bool writePasswordReport(const Request& request, QString* error) = 0;
};
