#include "CsvWriter.h"

void CsvWriter::writeRow(const QStringList& fields)
{
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            m_bytes += ',';
        m_bytes += field(fields.at(i));
    }
    m_bytes += "\r\n";
}

QByteArray CsvWriter::field(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    if (!bytes.contains(',') && !bytes.contains('"') && !bytes.contains('\r')
        && !bytes.contains('\n'))
        return bytes;
    bytes.replace("\"", "\"\"");
    return '"' + bytes + '"';
}
