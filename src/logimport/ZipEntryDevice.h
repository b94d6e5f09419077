#pragma once

#include "ZipArchive.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <zlib.h>

// One entry of a zip archive as a sequential, read-only device, unpacked as
// it is read: the compressed bytes come from the archive in small chunks, so
// an entry of several GiB needs little memory. The entry is checked against
// its size and CRC-32 when its last byte is unpacked; a device that fails
// keeps the reason in failure() and reads nothing more, so that whoever read
// it can tell a damaged archive from a short entry.
class ZipEntryDevice : public QIODevice
{
public:
    ZipEntryDevice(QIODevice& archive, ZipArchive::Entry entry);
    ~ZipEntryDevice() override;

    // Only for reading; fails (with failure() set) on an entry this program
    // cannot unpack: encrypted, or compressed with a method other than
    // stored or deflated.
    bool open(OpenMode mode) override;
    void close() override;
    bool isSequential() const override { return true; }
    bool atEnd() const override;

    QString failure() const { return m_failure; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 maxSize) override;

private:
    bool findData();
    bool fillInput();
    qint64 unpack(char* data, qint64 maxSize);
    bool checkWhole();
    qint64 fail(const QString& failure);
    QString named(const QString& text) const;

    QIODevice& m_archive;
    ZipArchive::Entry m_entry;
    z_stream m_stream {};
    bool m_inflating = false;
    QByteArray m_input;
    // Where the next compressed bytes are read from, and how many are left.
    qint64 m_position = 0;
    quint64 m_compressedLeft = 0;
    // What has been unpacked so far, checked against the entry at its end.
    quint64 m_unpacked = 0;
    quint32 m_crc = 0;
    bool m_finished = false;
    QString m_failure;
};
