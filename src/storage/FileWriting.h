#pragma once

#include "services/Outcome.h"

#include <QByteArray>
#include <QFileDevice>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QIODevice;
class QSaveFile;

// Every write of the program's files goes through here and is checked:
// a device that takes fewer bytes than it was given fails the write with a
// reason in plain words. When a disk fills part-way Qt reports only the short
// count and leaves its error text empty ("Unknown error"), which tells the
// user nothing.
class FileWriting
{
public:
    // Writes all of bytes to an open device. fileName names the file (or
    // stream) in the outcome.
    static Outcome writeAll(QIODevice& device, const QString& fileName, const QByteArray& bytes);

    // Replaces the file at filePath whole: the bytes go to a temporary file
    // beside it, which takes the file's place only once every byte is
    // written, so on failure the previous file is untouched and no new file
    // is left behind. The new file gets permissions when they are given.
    static Outcome replaceFile(const QString& filePath, const QByteArray& bytes,
        std::optional<QFileDevice::Permissions> permissions = std::nullopt);

    // Writes all of bytes to a QSaveFile opened for writing and commits it;
    // on failure the file is discarded and the previous one stays.
    static Outcome commit(QSaveFile& file, const QByteArray& bytes);

    // Opens a QSaveFile for a whole-file replacement. Unbuffered, so that a
    // short write is seen at once with its count: QSaveFile's buffer would
    // report it only at commit(), without one. A link that points nowhere is
    // refused: writing through it would create a file wherever it points.
    // False with the reason on failure.
    static bool openForReplacement(QSaveFile& file, QString* reason);

    // "only 12,288 of 40,960 bytes could be written; the disk may be full".
    static QString shortWriteReason(qint64 written, qint64 size);

    // Puts a device between every checked write and its file: the bytes go
    // to the device the filter returns for the file. Tests install one that
    // stops part-way, as a full disk does; the program never does. An empty
    // filter removes it.
    using DeviceFilter = std::function<std::unique_ptr<QIODevice>(QIODevice& file)>;
    static void setDeviceFilter(DeviceFilter filter);
};
