#pragma once

#include <QByteArray>
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

private:
    QByteArray m_bytes;
};
