#pragma once

#include "ColumnMapping.h"
#include "SourceLog.h"

#include <QByteArray>
#include <QDate>
#include <QStringList>
#include <QTime>

#include <optional>

// A CSV that is no export this program knows, read through the columns the
// user chose: a header row, then one weigh-in or reading a record. Numbers
// may have a decimal comma; a date is three numbers in the chosen order
// separated by "-", "." or "/", and may have its time after it in the same
// cell.
class MappedCsvReader
{
public:
    // The header's cells, trimmed: what the columns can be chosen from.
    // Empty when the file has no header or is no CSV.
    static QStringList headings(const QByteArray& bytes);

    // The weigh-ins (weights true) or the readings of the file; a field the
    // log needs that has no column, or a heading the file lacks, is a
    // fault of the whole file.
    static SourceLog read(const QByteArray& bytes, const ColumnMapping& mapping, bool weights);

    struct DateTime {
        QDate date;
        QTime time; // invalid when the cell has no time
    };
    // "2023-01-15", "15.01.2023 07:30", "1/15/23 7:30 PM"; a two-digit year
    // is 1930 to 2029.
    static std::optional<DateTime> dateTime(const QString& text, ColumnMapping::DateOrder order);
    // "7:30", "07:30:12", "7:30 PM".
    static QTime time(const QString& text);
};
