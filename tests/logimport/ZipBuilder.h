#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

// Small zip archives made in memory for the unzipper's tests, with the
// variations real archivers write (stored or deflated, a data descriptor
// after the data, zip64 fields) and the damage a download or a disk does.
class ZipBuilder
{
public:
    struct File {
        File(QByteArray entryName, QByteArray entryContent, quint16 entryMethod = 8)
            : name(std::move(entryName))
            , content(std::move(entryContent))
            , method(entryMethod)
        { }

        QByteArray name;
        QByteArray content;
        quint16 method = 8;
        // Sizes and CRC left as zeros in the local header, written after the
        // data instead (flag bit 3).
        bool dataDescriptor = false;
        // Sizes and offset in the zip64 extra field, 0xFFFFFFFF in their
        // usual places.
        bool zip64 = false;
        bool encrypted = false;
        // What the directory claims instead of the true CRC and size.
        std::optional<quint32> crc;
        std::optional<quint64> size;
        // The bytes stored instead of the packed content.
        std::optional<QByteArray> stored;
    };

    ZipBuilder& add(File file);
    // The zip64 end record and locator, the usual end record saturated.
    ZipBuilder& zip64End();
    ZipBuilder& comment(const QByteArray& text);

    QByteArray build() const;

    // The deflated bytes, without zlib's header: as a zip stores them.
    static QByteArray deflated(const QByteArray& content);
    // The same, flushed to a byte boundary but not finished: what follows
    // is read as the next block.
    static QByteArray deflatedUnfinished(const QByteArray& content);

private:
    QList<File> m_files;
    bool m_zip64End = false;
    QByteArray m_comment;
};
