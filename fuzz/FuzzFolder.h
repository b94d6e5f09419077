#pragma once

#include "storage/ProgramFolder.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// A program folder that lives for the whole fuzzing run; each input writes
// the files it needs into it.
class FuzzFolder
{
public:
    ProgramFolder folder() const { return ProgramFolder(m_dir.path()); }

    void write(const QString& name, QByteArrayView bytes) const
    {
        QFile file(m_dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || file.write(bytes.data(), bytes.size()) != bytes.size())
            std::abort(); // the run itself is broken, not the program
    }

    QByteArray read(const QString& name) const
    {
        QFile file(m_dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Every file with its bytes.
    QMap<QString, QByteArray> contents() const
    {
        QMap<QString, QByteArray> files;
        for (const QString& name : QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden))
            files.insert(name, read(name));
        return files;
    }

    // Removes every file, so that an input starts from a known folder.
    void clear() const
    {
        for (const QString& name : QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden))
            QFile::remove(m_dir.filePath(name));
    }

    static QByteArrayView bytes(const std::uint8_t* data, std::size_t size)
    {
        return QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size));
    }

private:
    QTemporaryDir m_dir;
};
