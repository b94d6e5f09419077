#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Reads a file whole. The program's files are small, and reading each in one
// go means no read can meet a file half-way through being replaced.
class FileReading
{
public:
    // The file's bytes; nothing, with the reason, when it cannot be opened or
    // read (a missing file included).
    static std::optional<QByteArray> readAll(const QString& filePath, QString& error);
};
