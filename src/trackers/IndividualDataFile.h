#pragma once

#include "services/Outcome.h"
#include "storage/ProgramFolder.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// What the weight file and the blood-pressure file have in common: one data
// file per individual, named after the trimmed name, rewritten whole on every
// save, read as a flat sequence of values, and starting with the row count of
// the screen's log grid (heading row included).
class IndividualDataFile
{
public:
    static constexpr int DefaultRowCount = 50;
    // A bigger count can only come from a damaged file; taking it would build
    // a grid of millions of rows.
    static constexpr int MaximumRowCount = 32767;

    // The stored row count: a number greater than 0 (a "." decimal point
    // allowed) rounded to a whole number, halves to even; anything else (0,
    // negative, letters, empty, a count that rounds to 0 or is too large)
    // gives DefaultRowCount.
    static int rowCountFromText(const QString& text);

    // Every value of the individual's data file, in order. A missing file
    // gives no values and succeeds (it loads as an empty log); a file that
    // exists but cannot be read, or a name that is not a safe file name,
    // fails with the reason.
    static Outcome readValues(const ProgramFolder& folder, const QString& name,
        const QString& extension, QStringList& values);

    // Replaces the individual's data file by the values, an unset value
    // written as an empty line. The new file takes the old one's place only
    // once it is complete, so on failure the previous file is unchanged.
    static Outcome writeValues(const ProgramFolder& folder, const QString& name,
        const QString& extension, const QList<std::optional<QString>>& values);
};
