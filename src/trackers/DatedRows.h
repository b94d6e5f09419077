#pragma once

#include <QList>

// The entries of a tracker's log are the rows from the first one down to the
// first row whose date is empty; rows below that gap do not count as entries
// even when filled. Graphs and reports take the latest of these entries.
class DatedRows
{
public:
    // A run of rows of the log, by index into the list of rows (index 0 is
    // grid row 1).
    struct Span {
        int first = 0;
        int count = 0;
        int end() const { return first + count; }
        bool operator==(const Span&) const = default;
    };

    // The number of entries: rows counted from the top while their date,
    // trimmed, is not empty. Row must have a QString member date.
    template <typename Row> static int count(const QList<Row>& rows)
    {
        int n = 0;
        while (n < rows.size() && !rows[n].date.trimmed().isEmpty())
            ++n;
        return n;
    }

    // The last limit of entryCount entries, or all of them when there are
    // fewer or limit is 0 or less (every entry).
    static Span latest(int entryCount, int limit);

    // The rows of the span, in log order.
    template <typename Row> static QList<Row> rowsOf(const QList<Row>& rows, Span span)
    {
        return rows.mid(span.first, span.count);
    }
};
