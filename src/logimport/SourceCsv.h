#pragma once

#include "SourceLog.h"
#include "storage/CsvReader.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <optional>

// The part the CSV exports share: the records after the header, the header's
// columns found by name, and the whole-file faults written into the log.
class SourceCsv
{
public:
    QList<CsvReader::Record> rows; // non-blank records after the header
    QStringList names; // the header's names, trimmed and in lower case
    int headerLine = 0;

    // Reads the text; skip is the number of non-blank records before the
    // header (a line of metadata). Nothing, with log.error set, on a syntax
    // fault or a missing header.
    static std::optional<SourceCsv> read(const QByteArray& bytes, SourceLog& log, int skip = 0);

    // The index of the first column named one of names; -1, with log.error
    // set, when there is none.
    int column(const QStringList& candidates, SourceLog& log) const;
    // As column(), but -1 without a fault when the column is optional.
    int optionalColumn(const QStringList& candidates) const;
};
