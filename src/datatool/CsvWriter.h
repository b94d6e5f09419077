#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

// CSV as RFC 4180 writes it, in UTF-8: every record ends with CR LF, and a
// field is put between double quotes (a quote inside doubled) when it holds a
// comma, a quote or a line break, so comments with line breaks survive.
class CsvWriter
{
public:
    void writeRow(const QStringList& fields);
    QByteArray bytes() const { return m_bytes; }

    static QByteArray field(const QString& text);

    // A log as one table: the heading row, then the fields of every row that
    // holds something; empty rows stay out so the table reads back as it is.
    template <typename Row, typename FieldsOf>
    static QByteArray table(const QStringList& columns, const QList<Row>& rows, FieldsOf fieldsOf)
    {
        CsvWriter writer;
        writer.writeRow(columns);
        for (int i = 0; i < rows.size(); ++i) {
            if (!rows.at(i).isEmpty())
                writer.writeRow(fieldsOf(i));
        }
        return writer.bytes();
    }

private:
    QByteArray m_bytes;
};
