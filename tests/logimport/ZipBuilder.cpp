#include "ZipBuilder.h"

#include <QtEndian>

#include <zlib.h>

namespace {

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

void put64(QByteArray& out, quint64 value)
{
    char bytes[8];
    qToLittleEndian(value, bytes);
    out.append(bytes, 8);
}

constexpr quint32 Saturated = 0xFFFFFFFF;

} // namespace

ZipBuilder& ZipBuilder::add(File file)
{
    m_files.append(std::move(file));
    return *this;
}

ZipBuilder& ZipBuilder::zip64End()
{
    m_zip64End = true;
    return *this;
}

ZipBuilder& ZipBuilder::comment(const QByteArray& text)
{
    m_comment = text;
    return *this;
}

namespace {

QByteArray deflatedWith(const QByteArray& content, int flush)
{
    z_stream stream {};
    deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(qsizetype(deflateBound(&stream, uLong(content.size()))) + 16, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.constData()));
    stream.avail_in = uInt(content.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    ::deflate(&stream, flush);
    out.resize(qsizetype(stream.total_out));
    deflateEnd(&stream);
    return out;
}

} // namespace

QByteArray ZipBuilder::deflated(const QByteArray& content)
{
    return deflatedWith(content, Z_FINISH);
}

QByteArray ZipBuilder::deflatedUnfinished(const QByteArray& content)
{
    return deflatedWith(content, Z_SYNC_FLUSH);
}

QByteArray ZipBuilder::build() const
{
    QByteArray archive;
    QByteArray directory;
    for (const File& file : m_files) {
        const QByteArray data
            = file.stored.value_or(file.method == 8 ? deflated(file.content) : file.content);
        const quint32 crc = file.crc.value_or(quint32(crc32(0,
            reinterpret_cast<const Bytef*>(file.content.constData()), uInt(file.content.size()))));
        const quint64 size = file.size.value_or(quint64(file.content.size()));
        const quint64 offset = quint64(archive.size());
        const quint16 flags = (file.encrypted ? 0x0001 : 0) | (file.dataDescriptor ? 0x0008 : 0);
        const quint16 version = file.zip64 ? 45 : 20;

        QByteArray localExtra;
        if (file.zip64) {
            put16(localExtra, 0x0001);
            put16(localExtra, 16);
            put64(localExtra, file.dataDescriptor ? 0 : size);
            put64(localExtra, file.dataDescriptor ? 0 : quint64(data.size()));
        }
        put32(archive, 0x04034b50);
        put16(archive, version);
        put16(archive, flags);
        put16(archive, file.method);
        put32(archive, 0); // time and date
        put32(archive, file.dataDescriptor ? 0 : crc);
        const quint32 localSize = file.dataDescriptor ? 0 : file.zip64 ? Saturated : quint32(size);
        const quint32 localCompressed = file.dataDescriptor ? 0
            : file.zip64                                    ? Saturated
                                                            : quint32(data.size());
        put32(archive, localCompressed);
        put32(archive, localSize);
        put16(archive, quint16(file.name.size()));
        put16(archive, quint16(localExtra.size()));
        archive += file.name + localExtra + data;
        if (file.dataDescriptor) {
            put32(archive, 0x08074b50);
            put32(archive, crc);
            if (file.zip64) {
                put64(archive, quint64(data.size()));
                put64(archive, size);
            } else {
                put32(archive, quint32(data.size()));
                put32(archive, quint32(size));
            }
        }

        QByteArray extra;
        // An unrelated field first, as archivers add timestamps.
        put16(extra, 0x5455);
        put16(extra, 5);
        extra.append("\x01\0\0\0\0", 5);
        if (file.zip64) {
            put16(extra, 0x0001);
            put16(extra, 24);
            put64(extra, size);
            put64(extra, quint64(data.size()));
            put64(extra, offset);
        }
        put32(directory, 0x02014b50);
        put16(directory, 0x0314); // made on Unix
        put16(directory, version);
        put16(directory, flags);
        put16(directory, file.method);
        put32(directory, 0);
        put32(directory, crc);
        put32(directory, file.zip64 ? Saturated : quint32(data.size()));
        put32(directory, file.zip64 ? Saturated : quint32(size));
        put16(directory, quint16(file.name.size()));
        put16(directory, quint16(extra.size()));
        put16(directory, 0); // comment
        put16(directory, 0); // disk
        put16(directory, 0); // internal attributes
        put32(directory, 0); // external attributes
        put32(directory, file.zip64 ? Saturated : quint32(offset));
        directory += file.name + extra;
    }

    const quint64 directoryOffset = quint64(archive.size());
    archive += directory;
    if (m_zip64End) {
        const quint64 recordOffset = quint64(archive.size());
        put32(archive, 0x06064b50);
        put64(archive, 44);
        put16(archive, 45);
        put16(archive, 45);
        put32(archive, 0);
        put32(archive, 0);
        put64(archive, quint64(m_files.size()));
        put64(archive, quint64(m_files.size()));
        put64(archive, quint64(directory.size()));
        put64(archive, directoryOffset);
        put32(archive, 0x07064b50);
        put32(archive, 0);
        put64(archive, recordOffset);
        put32(archive, 1);
    }
    put32(archive, 0x06054b50);
    put16(archive, 0);
    put16(archive, 0);
    put16(archive, m_zip64End ? 0xFFFF : quint16(m_files.size()));
    put16(archive, m_zip64End ? 0xFFFF : quint16(m_files.size()));
    put32(archive, m_zip64End ? Saturated : quint32(directory.size()));
    put32(archive, m_zip64End ? Saturated : quint32(directoryOffset));
    put16(archive, quint16(m_comment.size()));
    archive += m_comment;
    return archive;
}
