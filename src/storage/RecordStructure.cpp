#include "RecordStructure.h"

#include "Windows1252.h"

#include <numeric>

RecordStructure::RecordStructure(std::initializer_list<Field> fields)
    : m_fields(fields)
{
    // Fresh storage is all zero bytes, exactly what an empty record reads as.
    m_bytes = QByteArray(size(), '\0');
}

int RecordStructure::size() const
{
    return std::accumulate(m_fields.begin(), m_fields.end(), 0,
        [](int sum, const Field& field) { return sum + field.width * field.elements; });
}

int RecordStructure::offsetOf(int index, int element) const
{
    if (index < 0 || index >= fieldCount())
        return -1;
    const Field& field = m_fields[std::size_t(index)];
    if (element < 0 || element >= field.elements)
        return -1;
    int offset = 0;
    for (int i = 0; i < index; ++i)
        offset += m_fields[std::size_t(i)].width * m_fields[std::size_t(i)].elements;
    return offset + element * field.width;
}

QString RecordStructure::field(int index, int element) const
{
    const int offset = offsetOf(index, element);
    if (offset < 0)
        return {};
    return Windows1252::decode(
        QByteArrayView(m_bytes).sliced(offset, m_fields[std::size_t(index)].width));
}

QString RecordStructure::text(int index, int element) const
{
    QString value = field(index, element);
    qsizetype end = value.size();
    while (end > 0 && (value[end - 1] == u' ' || value[end - 1] == u'\0'))
        --end;
    value.truncate(end);
    return value;
}

void RecordStructure::setField(int index, int element, const QString& text)
{
    const int offset = offsetOf(index, element);
    if (offset < 0)
        return;
    const int width = m_fields[std::size_t(index)].width;
    QByteArray bytes = Windows1252::encode(text).left(width);
    bytes.append(QByteArray(width - bytes.size(), ' '));
    m_bytes.replace(offset, width, bytes);
}

QByteArray RecordStructure::encode() const
{
    return m_bytes;
}

void RecordStructure::decode(QByteArrayView bytes)
{
    const qsizetype total = size();
    const qsizetype present = qMin(total, bytes.size());
    m_bytes = bytes.first(present).toByteArray();
    m_bytes.append(QByteArray(total - present, '\0'));
}
