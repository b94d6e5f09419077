#pragma once

#include "SourceLog.h"
#include "storage/CsvReader.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <optional>

// The part the CSV exports share: the records after the header, the header's
// columns found by name, the whole-file faults written into the log, and
// the words of a refused line's reason.
class SourceCsv
{
public:
    // Longer than any cell an export writes (a comment included); a line
    // with a longer one is refused without being kept whole.
    static constexpr qsizetype FieldLimit = 4096;

    QList<CsvReader::Record> rows; // non-blank records after the header
    QStringList names; // the header's names, trimmed and in lower case
    QStringList headings; // the header's cells as written, trimmed
    int headerLine = 0;

    // Reads the text; skip is the number of non-blank records before the
    // header (a line of metadata). Nothing, with log.error set, on a syntax
    // fault or a missing header. A row with an over-long cell is refused.
    static std::optional<SourceCsv> read(const QByteArray& bytes, SourceLog& log, int skip = 0);

    // The index of the first column named one of names; -1, with log.error
    // set, when there is none.
    int column(const QStringList& candidates, SourceLog& log) const;
    // As column(), but -1 without a fault when the column is optional.
    int optionalColumn(const QStringList& candidates) const;

    // The cell, trimmed; empty where the row is short.
    static QString cell(const CsvReader::Record& row, int column);
    // Whether the row has another number of cells than the header: a line
    // that is not a row of the table (a note, a stray value after it).
    bool isStray(const CsvReader::Record& row) const;

    // The row's line as a message quotes it.
    static QString lineText(const CsvReader::Record& row);
    // "the "Systolic" column holds "abc", not a number; the line reads
    // "2023-01-15 07:35:00,64,abc,82"", or "... is empty; ...".
    QString cellProblem(const CsvReader::Record& row, int column, const QString& expected) const;
    // Refuses the row for its cell.
    void refuse(
        SourceLog& log, const CsvReader::Record& row, int column, const QString& expected) const;
};
