#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Writes a function's printed report as a PDF without a window. The command
// line checks its arguments and the individual's name; the writer, which
// needs fonts and pictures, lays the report out.
class ReportWriter
{
public:
    struct Request {
        QString folder;
        QString name; // as listed
        QString output;
        QString paper; // "letter" or "a4"
        bool landscape = false;
        // The report options to tick; the screen's starting state when unset.
        std::optional<QStringList> options;
    };

    virtual ~ReportWriter() = default;

    // False, with the reason, when the report could not be written; the
    // output file is then left as it was.
    virtual bool writeWeightReport(const Request& request, QString* error) = 0;
};
