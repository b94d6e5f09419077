#include "ZipArchive.h"

#include <QtEndian>

namespace {

constexpr quint32 EndSignature = 0x06054b50;
constexpr quint32 Zip64EndSignature = 0x06064b50;
constexpr quint32 Zip64LocatorSignature = 0x07064b50;
constexpr quint32 DirectorySignature = 0x02014b50;
constexpr qint64 EndSize = 22;
constexpr qint64 Zip64LocatorSize = 20;
constexpr qint64 Zip64EndSize = 56;
constexpr qint64 DirectoryEntrySize = 46;
// The end record's comment is at most this long, so the record lies in the
// archive's last MaxComment + EndSize bytes.
constexpr qint64 MaxComment = 0xFFFF;
constexpr quint16 Zip64ExtraId = 0x0001;

quint16 u16(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 u32(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint64 u64(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint64>(bytes.constData() + at);
}

const QString CutShort = QStringLiteral(
    "the zip archive is cut short or damaged: its directory cannot be read; download the "
    "export again");

} // namespace

ZipArchive::ZipArchive(QIODevice& device)
    : m_device(device)
{ }

std::optional<ZipArchive::Entry> ZipArchive::find(
    const std::function<bool(const QByteArray& name)>& matches)
{
    m_error.clear();
    const std::optional<Directory> directory = readDirectoryLocation();
    if (!directory)
        return std::nullopt;
    if (!m_device.seek(qint64(directory->offset))) {
        fail(CutShort);
        return std::nullopt;
    }
    const qint64 end = qint64(directory->offset + directory->size);
    for (quint64 i = 0; i < directory->entries; ++i) {
        const std::optional<Entry> entry = readEntry();
        if (!entry || m_device.pos() > end) {
            fail(CutShort);
            return std::nullopt;
        }
        if (matches(entry->name))
            return entry;
    }
    return std::nullopt;
}

std::optional<ZipArchive::Directory> ZipArchive::readDirectoryLocation()
{
    if (m_device.isSequential()) {
        fail(QStringLiteral("a zip archive must be read from a file, not a stream"));
        return std::nullopt;
    }
    const qint64 size = m_device.size();
    const qint64 tailStart = qMax<qint64>(0, size - MaxComment - EndSize);
    const QByteArray tail = readAt(tailStart, size - tailStart);
    // The last record whose comment ends with the archive: a comment may
    // itself hold the signature's bytes.
    qsizetype at = tail.size() - EndSize;
    for (; at >= 0; --at) {
        if (u32(tail, at) == EndSignature && at + EndSize + u16(tail, at + 20) <= tail.size())
            break;
    }
    if (at < 0) {
        fail(CutShort);
        return std::nullopt;
    }
    if (u16(tail, at + 4) != 0 || u16(tail, at + 6) != 0) {
        fail(QStringLiteral("the zip archive is split over several files; join them into one "
                            "archive first"));
        return std::nullopt;
    }
    const qint64 endRecord = tailStart + at;
    if (endRecord >= Zip64LocatorSize) {
        const QByteArray locator = readAt(endRecord - Zip64LocatorSize, Zip64LocatorSize);
        if (locator.size() == Zip64LocatorSize && u32(locator, 0) == Zip64LocatorSignature)
            return readZip64Location(endRecord);
    }
    Directory directory { u16(tail, at + 10), u32(tail, at + 12), u32(tail, at + 16) };
    if (directory.entries == 0xFFFF || directory.size == 0xFFFFFFFF
        || directory.offset == 0xFFFFFFFF
        || directory.offset + directory.size > quint64(endRecord)) {
        fail(CutShort);
        return std::nullopt;
    }
    return directory;
}

std::optional<ZipArchive::Directory> ZipArchive::readZip64Location(qint64 endRecord)
{
    const QByteArray locator = readAt(endRecord - Zip64LocatorSize, Zip64LocatorSize);
    const quint64 recordAt = u64(locator, 8);
    if (u32(locator, 4) != 0 || u32(locator, 16) > 1) {
        fail(QStringLiteral("the zip archive is split over several files; join them into one "
                            "archive first"));
        return std::nullopt;
    }
    const QByteArray record
        = recordAt < quint64(endRecord) ? readAt(qint64(recordAt), Zip64EndSize) : QByteArray();
    if (record.size() != Zip64EndSize || u32(record, 0) != Zip64EndSignature) {
        fail(CutShort);
        return std::nullopt;
    }
    Directory directory { u64(record, 32), u64(record, 40), u64(record, 48) };
    if (directory.offset > recordAt || directory.size > recordAt - directory.offset) {
        fail(CutShort);
        return std::nullopt;
    }
    return directory;
}

std::optional<ZipArchive::Entry> ZipArchive::readEntry()
{
    const QByteArray fixed = m_device.read(DirectoryEntrySize);
    if (fixed.size() != DirectoryEntrySize || u32(fixed, 0) != DirectorySignature)
        return std::nullopt;
    Entry entry;
    entry.flags = u16(fixed, 8);
    entry.method = u16(fixed, 10);
    entry.crc = u32(fixed, 16);
    entry.compressedSize = u32(fixed, 20);
    entry.size = u32(fixed, 24);
    const quint16 nameLength = u16(fixed, 28);
    const quint16 extraLength = u16(fixed, 30);
    const quint16 commentLength = u16(fixed, 32);
    quint32 disk = u16(fixed, 34);
    entry.localHeaderOffset = u32(fixed, 42);
    entry.name = m_device.read(nameLength);
    const QByteArray extra = m_device.read(extraLength);
    if (entry.name.size() != nameLength || extra.size() != extraLength
        || m_device.read(commentLength).size() != commentLength)
        return std::nullopt;

    // The zip64 field holds, in this order, only the values that overflowed
    // their place in the fixed part.
    const bool needsZip64 = entry.size == 0xFFFFFFFF || entry.compressedSize == 0xFFFFFFFF
        || entry.localHeaderOffset == 0xFFFFFFFF || disk == 0xFFFF;
    bool zip64Read = !needsZip64;
    for (qsizetype at = 0; !zip64Read && at + 4 <= extra.size();) {
        const quint16 id = u16(extra, at);
        const quint16 length = u16(extra, at + 2);
        if (at + 4 + length > extra.size())
            break;
        if (id == Zip64ExtraId) {
            const QByteArray field = extra.mid(at + 4, length);
            qsizetype read = 0;
            const auto take = [&](quint64& value) {
                if (read + 8 > field.size())
                    return false;
                value = u64(field, read);
                read += 8;
                return true;
            };
            if ((entry.size == 0xFFFFFFFF && !take(entry.size))
                || (entry.compressedSize == 0xFFFFFFFF && !take(entry.compressedSize))
                || (entry.localHeaderOffset == 0xFFFFFFFF && !take(entry.localHeaderOffset)))
                return std::nullopt;
            if (disk == 0xFFFF) {
                if (read + 4 > field.size())
                    return std::nullopt;
                disk = u32(field, read);
            }
            zip64Read = true;
            break;
        }
        at += 4 + length;
    }
    if (!zip64Read || disk != 0)
        return std::nullopt;
    return entry;
}

QByteArray ZipArchive::readAt(qint64 position, qint64 size)
{
    if (!m_device.seek(position))
        return {};
    return m_device.read(size);
}

void ZipArchive::fail(const QString& error)
{
    m_error = error;
}
