#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <functional>
#include <optional>

// The directory of a zip archive, read from a random-access device without
// loading the archive: the end record (and its zip64 form, which an export
// of several GiB needs), then the central directory one entry at a time.
// Sizes and offsets come from the central directory, never from the local
// headers, which may hold zeros when a data descriptor follows the data.
class ZipArchive
{
public:
    struct Entry {
        QByteArray name;
        quint16 flags = 0;
        quint16 method = 0;
        quint32 crc = 0;
        quint64 compressedSize = 0;
        quint64 size = 0;
        quint64 localHeaderOffset = 0;

        bool encrypted() const { return flags & 0x0001; }
    };

    static constexpr quint16 Stored = 0;
    static constexpr quint16 Deflated = 8;

    explicit ZipArchive(QIODevice& device);

    // The first entry whose name matches, or nothing, with error() saying
    // whether the directory could not be read at all.
    std::optional<Entry> find(const std::function<bool(const QByteArray& name)>& matches);

    QString error() const { return m_error; }

private:
    struct Directory {
        quint64 entries = 0;
        quint64 size = 0;
        quint64 offset = 0;
    };

    std::optional<Directory> readDirectoryLocation();
    std::optional<Directory> readZip64Location(qint64 endRecord);
    std::optional<Entry> readEntry();
    QByteArray readAt(qint64 position, qint64 size);
    void fail(const QString& error);

    QIODevice& m_device;
    QString m_error;
};
