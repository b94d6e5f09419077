#include "HealthExportZip.h"

#include "HealthExportText.h"

#include <QFile>
#include <QtEndian>

#include <zlib.h>

namespace {

const QByteArray EntryName = "apple_health_export/export.xml";

void put16(QByteArray& out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void put32(QByteArray& out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

class Writer
{
public:
    explicit Writer(QFile& file)
        : m_file(file)
    {
        deflateInit2(&m_stream, Z_BEST_SPEED, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
        m_crc = crc32(0, nullptr, 0);
    }
    ~Writer() { deflateEnd(&m_stream); }

    bool add(const QByteArray& text) { return pack(text, Z_NO_FLUSH); }
    bool finish() { return pack({}, Z_FINISH); }

    quint32 crc() const { return m_crc; }
    quint64 size() const { return m_stream.total_in; }
    quint64 packedSize() const { return m_stream.total_out; }

private:
    bool pack(const QByteArray& text, int flush)
    {
        m_crc = crc32(m_crc, reinterpret_cast<const Bytef*>(text.constData()), uInt(text.size()));
        m_stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.constData()));
        m_stream.avail_in = uInt(text.size());
        char out[64 * 1024];
        int result = Z_OK;
        do {
            m_stream.next_out = reinterpret_cast<Bytef*>(out);
            m_stream.avail_out = sizeof out;
            result = ::deflate(&m_stream, flush);
            const qint64 count = qint64(sizeof out) - m_stream.avail_out;
            if (result == Z_STREAM_ERROR || m_file.write(out, count) != count)
                return false;
        } while (m_stream.avail_out == 0 || (flush == Z_FINISH && result != Z_STREAM_END));
        return true;
    }

    QFile& m_file;
    z_stream m_stream {};
    quint32 m_crc = 0;
};

} // namespace

QString HealthExportZip::write(const QString& path, qint64 xmlSize, int& days)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    constexpr quint16 DataDescriptorFlag = 0x0008;
    QByteArray header;
    put32(header, 0x04034b50);
    put16(header, 20);
    put16(header, DataDescriptorFlag);
    put16(header, 8);
    put32(header, 0); // time and date
    put32(header, 0); // CRC, sizes: in the data descriptor
    put32(header, 0);
    put32(header, 0);
    put16(header, quint16(EntryName.size()));
    put16(header, 0);
    file.write(header + EntryName);

    Writer writer(file);
    bool written = writer.add(HealthExportText::head());
    days = 0;
    for (QDate day = HealthExportText::FirstDay; written && qint64(writer.size()) < xmlSize;
         day = day.addDays(1), ++days)
        written = writer.add(HealthExportText::day(day));
    written = written && writer.add(HealthExportText::tail()) && writer.finish();
    if (!written || writer.size() > 0xFFFFFFFF)
        return QStringLiteral("export.xml could not be written whole, or grew past 4 GiB");

    QByteArray trailer;
    put32(trailer, 0x08074b50);
    put32(trailer, writer.crc());
    put32(trailer, quint32(writer.packedSize()));
    put32(trailer, quint32(writer.size()));
    const quint32 directoryOffset = quint32(file.pos() + trailer.size());
    QByteArray directory;
    put32(directory, 0x02014b50);
    put16(directory, 20);
    put16(directory, 20);
    put16(directory, DataDescriptorFlag);
    put16(directory, 8);
    put32(directory, 0);
    put32(directory, writer.crc());
    put32(directory, quint32(writer.packedSize()));
    put32(directory, quint32(writer.size()));
    put16(directory, quint16(EntryName.size()));
    put32(directory, 0); // extra and comment lengths
    put32(directory, 0); // disk and internal attributes
    put32(directory, 0); // external attributes
    put32(directory, 0); // the local header's offset
    directory += EntryName;
    trailer += directory;
    put32(trailer, 0x06054b50);
    put32(trailer, 0); // disks
    put16(trailer, 1);
    put16(trailer, 1);
    put32(trailer, quint32(directory.size()));
    put32(trailer, directoryOffset);
    put16(trailer, 0);
    if (file.write(trailer) != trailer.size() || !file.flush())
        return file.errorString();
    return {};
}
