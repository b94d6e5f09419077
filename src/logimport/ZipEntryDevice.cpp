#include "ZipEntryDevice.h"

#include <QtEndian>

#include <limits>

namespace {

constexpr quint32 LocalHeaderSignature = 0x04034b50;
constexpr qint64 LocalHeaderSize = 30;
constexpr qint64 ChunkSize = 64 * 1024;
// zlib counts in unsigned ints; larger reads are served in several turns.
constexpr qint64 MostPerTurn = std::numeric_limits<uInt>::max() / 2;

} // namespace

ZipEntryDevice::ZipEntryDevice(QIODevice& archive, ZipArchive::Entry entry)
    : m_archive(archive)
    , m_entry(std::move(entry))
{ }

ZipEntryDevice::~ZipEntryDevice()
{
    close();
}

bool ZipEntryDevice::open(OpenMode mode)
{
    if ((mode & WriteOnly) || isOpen())
        return false;
    m_failure.clear();
    m_finished = false;
    m_unpacked = 0;
    m_crc = crc32(0, nullptr, 0);
    if (m_entry.encrypted()) {
        fail(named(QStringLiteral("%1 in the zip archive is protected by a password; export it "
                                  "again without one")));
        return false;
    }
    if (m_entry.method != ZipArchive::Stored && m_entry.method != ZipArchive::Deflated) {
        fail(named(QStringLiteral("%1 in the zip archive is packed with method %2, which this "
                                  "program cannot unpack; unpack the archive and choose the "
                                  "file inside"))
                 .arg(m_entry.method));
        return false;
    }
    if (!findData())
        return false;
    if (m_entry.method == ZipArchive::Deflated) {
        m_stream = {};
        // Negative window bits: a raw deflate stream, as zip stores it.
        if (inflateInit2(&m_stream, -MAX_WBITS) != Z_OK) {
            fail(QStringLiteral("the unpacker could not start"));
            return false;
        }
        m_inflating = true;
    }
    return QIODevice::open(mode | Unbuffered);
}

void ZipEntryDevice::close()
{
    if (m_inflating)
        inflateEnd(&m_stream);
    m_inflating = false;
    m_input.clear();
    QIODevice::close();
}

bool ZipEntryDevice::atEnd() const
{
    return m_finished || !m_failure.isEmpty();
}

qint64 ZipEntryDevice::readData(char* data, qint64 maxSize)
{
    if (!m_failure.isEmpty())
        return -1;
    if (m_finished)
        return -1;
    if (maxSize <= 0)
        return 0;
    return unpack(data, qMin(maxSize, MostPerTurn));
}

qint64 ZipEntryDevice::writeData(const char*, qint64)
{
    return -1;
}

// The local header only says where the data starts: the lengths of its name
// and extra field may differ from the central directory's.
bool ZipEntryDevice::findData()
{
    QByteArray header;
    if (m_archive.seek(qint64(m_entry.localHeaderOffset)))
        header = m_archive.read(LocalHeaderSize);
    if (header.size() != LocalHeaderSize
        || qFromLittleEndian<quint32>(header.constData()) != LocalHeaderSignature) {
        fail(named(QStringLiteral("the zip archive is damaged: the header of %1 is missing")));
        return false;
    }
    const quint64 start = m_entry.localHeaderOffset + LocalHeaderSize
        + qFromLittleEndian<quint16>(header.constData() + 26)
        + qFromLittleEndian<quint16>(header.constData() + 28);
    if (start + m_entry.compressedSize > quint64(m_archive.size())) {
        fail(named(QStringLiteral("the zip archive is cut short inside %1; download the export "
                                  "again")));
        return false;
    }
    m_position = qint64(start);
    m_compressedLeft = m_entry.compressedSize;
    return true;
}

bool ZipEntryDevice::fillInput()
{
    const qint64 wanted = qint64(qMin<quint64>(m_compressedLeft, ChunkSize));
    if (wanted == 0)
        return false;
    if (m_archive.pos() != m_position && !m_archive.seek(m_position))
        return false;
    m_input = m_archive.read(wanted);
    if (m_input.isEmpty())
        return false;
    m_position += m_input.size();
    m_compressedLeft -= quint64(m_input.size());
    if (m_inflating) {
        m_stream.next_in = reinterpret_cast<Bytef*>(m_input.data());
        m_stream.avail_in = uInt(m_input.size());
    }
    return true;
}

// At least one byte unless the entry ends or fails: a reader of the device
// takes a read of nothing for its end.
qint64 ZipEntryDevice::unpack(char* data, qint64 maxSize)
{
    const QString cutShort = named(
        QStringLiteral("the zip archive is cut short inside %1; download the export again"));
    if (m_entry.method == ZipArchive::Stored) {
        if (m_input.isEmpty() && m_compressedLeft > 0 && !fillInput())
            return fail(cutShort);
        const qint64 count = qMin<qint64>(maxSize, m_input.size());
        memcpy(data, m_input.constData(), size_t(count));
        m_input.remove(0, count);
        m_crc = crc32(m_crc, reinterpret_cast<const Bytef*>(data), uInt(count));
        m_unpacked += quint64(count);
        if (m_input.isEmpty() && m_compressedLeft == 0 && !checkWhole())
            return -1;
        return count;
    }

    m_stream.next_out = reinterpret_cast<Bytef*>(data);
    m_stream.avail_out = uInt(maxSize);
    int result = Z_OK;
    while (m_stream.avail_out == uInt(maxSize) && result != Z_STREAM_END) {
        if (m_stream.avail_in == 0 && !fillInput())
            return fail(cutShort);
        result = inflate(&m_stream, Z_NO_FLUSH);
        if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR)
            return fail(named(QStringLiteral("the zip archive is damaged: %1 cannot be "
                                             "unpacked (%2)"))
                            .arg(QString::fromLatin1(m_stream.msg ? m_stream.msg : "bad data")));
    }
    const qint64 count = maxSize - qint64(m_stream.avail_out);
    m_crc = crc32(m_crc, reinterpret_cast<const Bytef*>(data), uInt(count));
    m_unpacked += quint64(count);
    if (m_unpacked > m_entry.size)
        return fail(named(QStringLiteral("the zip archive is damaged: %1 is longer than its "
                                         "directory says")));
    if (result == Z_STREAM_END && !checkWhole())
        return -1;
    return count;
}

bool ZipEntryDevice::checkWhole()
{
    m_finished = true;
    if (m_unpacked != m_entry.size) {
        fail(named(QStringLiteral("the zip archive is damaged: %1 unpacks to %2 bytes, not the %3 "
                                  "its directory gives"))
                 .arg(m_unpacked)
                 .arg(m_entry.size));
        return false;
    }
    if (m_crc != m_entry.crc) {
        fail(named(QStringLiteral("the zip archive is damaged: %1 does not match its checksum")));
        return false;
    }
    return true;
}

qint64 ZipEntryDevice::fail(const QString& failure)
{
    m_failure = failure;
    setErrorString(failure);
    return -1;
}

QString ZipEntryDevice::named(const QString& text) const
{
    return text.arg(QString::fromUtf8(m_entry.name));
}
