#include "RecordFile.h"

#include "FileWriting.h"
#include "Windows1252.h"

#include <QFileInfo>

#include <QtEndian>

namespace {

// The largest length a 2-byte signed length field can state.
constexpr qsizetype maxStoredLength = 0x7FFF;

} // namespace

RecordFile::RecordFile(const QString& filePath, int recordLength)
    : m_file(filePath)
    , m_recordLength(recordLength)
{
    // Unbuffered, so that a record that does not fit on the disk is seen
    // at its write, with the count of bytes that did.
    if (m_recordLength > 0)
        m_file.open(QIODevice::ReadWrite | QIODevice::Unbuffered);
}

RecordFile::~RecordFile()
{
    close();
}

bool RecordFile::isOpen() const
{
    return m_file.isOpen();
}

QString RecordFile::errorString() const
{
    if (m_recordLength <= 0)
        return QStringLiteral("Invalid record length %1").arg(m_recordLength);
    if (!m_error.isEmpty())
        return m_error;
    return m_file.errorString();
}

bool RecordFile::fail(const QString& reason)
{
    m_error = reason;
    return false;
}

qint64 RecordFile::positionOf(int record) const
{
    return qint64(record - 1) * m_recordLength;
}

std::optional<QByteArray> RecordFile::readRecord(int record)
{
    if (!isOpen() || record < 1)
        return std::nullopt;
    const qint64 position = positionOf(record);
    // A record of which not even the first two bytes exist holds nothing;
    // an empty result makes every kind read as its empty value.
    if (position + 2 > m_file.size())
        return QByteArray();
    if (!m_file.seek(position))
        return std::nullopt;
    QByteArray bytes = m_file.read(m_recordLength);
    if (bytes.isEmpty() && m_file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

bool RecordFile::readText(int record, QString& destination)
{
    const std::optional<QByteArray> bytes = readRecord(record);
    if (!bytes)
        return false;
    if (bytes->size() < 2) {
        destination.clear();
        return true;
    }
    const qint16 length = qFromLittleEndian<qint16>(bytes->constData());
    if (length < 0 || length > m_recordLength - 2)
        return false;
    // A file cut short gives what it still holds.
    destination = Windows1252::decode(
        QByteArrayView(*bytes).sliced(2).first(qMin<qsizetype>(length, bytes->size() - 2)));
    return true;
}

bool RecordFile::readInt16(int record, qint16& destination)
{
    const std::optional<QByteArray> bytes = readRecord(record);
    if (!bytes)
        return false;
    destination = bytes->size() < 2 ? 0 : qFromLittleEndian<qint16>(bytes->constData());
    return true;
}

bool RecordFile::readTagged(int record, TaggedValue& destination)
{
    const std::optional<QByteArray> bytes = readRecord(record);
    if (!bytes)
        return false;
    if (bytes->size() < 2) {
        destination = TaggedValue();
        return true;
    }
    std::optional<TaggedValue> value = TaggedValue::decode(*bytes, m_recordLength - 4);
    if (!value)
        return false;
    destination = std::move(*value);
    return true;
}

bool RecordFile::readStructure(int record, RecordStructure& destination)
{
    const std::optional<QByteArray> bytes = readRecord(record);
    if (!bytes)
        return false;
    destination.decode(*bytes);
    return true;
}

bool RecordFile::writeText(int record, const QString& value)
{
    const QByteArray text = Windows1252::encode(value);
    if (text.size() > maxStoredLength)
        return fail(tooLong(text.size()));
    QByteArray encoded(2, '\0');
    qToLittleEndian<qint16>(qint16(text.size()), encoded.data());
    encoded.append(text);
    return writeRecord(record, encoded);
}

bool RecordFile::writeInt16(int record, qint16 value)
{
    QByteArray encoded(2, '\0');
    qToLittleEndian<qint16>(value, encoded.data());
    return writeRecord(record, encoded);
}

bool RecordFile::writeTagged(int record, const TaggedValue& value)
{
    if (const qsizetype size = value.isText() ? Windows1252::encode(value.text()).size() : 0;
        size > maxStoredLength)
        return fail(tooLong(size));
    return writeRecord(record, value.encode());
}

bool RecordFile::writeStructure(int record, const RecordStructure& value)
{
    return writeRecord(record, value.encode());
}

QString RecordFile::tooLong(qsizetype size) const
{
    return QStringLiteral("a value of %1 bytes does not fit in a record of %2 bytes")
        .arg(size)
        .arg(m_recordLength);
}

bool RecordFile::writeRecord(int record, const QByteArray& encoded)
{
    m_error.clear();
    if (!isOpen())
        return fail(errorString());
    if (record < 1)
        return fail(QStringLiteral("there is no record %1").arg(record));
    if (encoded.size() > m_recordLength)
        return fail(tooLong(encoded.size()));
    const qint64 position = positionOf(record);
    // Records between the old end and this one become zero bytes, which read
    // as empty.
    if (m_file.size() < position && !m_file.resize(position))
        return fail(m_file.errorString());
    QByteArray bytes = encoded;
    bytes.append(QByteArray(m_recordLength - encoded.size(), '\0'));
    if (!m_file.seek(position))
        return fail(m_file.errorString());
    if (const Outcome outcome
        = FileWriting::writeAll(m_file, QFileInfo(m_file.fileName()).fileName(), bytes);
        !outcome.succeeded)
        return fail(outcome.reason);
    return true;
}

void RecordFile::close()
{
    if (m_file.isOpen())
        m_file.close();
}
