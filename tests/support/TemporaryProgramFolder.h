#pragma once

#include "storage/ProgramFolder.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A fresh, empty program folder for one test, removed afterwards.
class TemporaryProgramFolder
{
public:
    TemporaryProgramFolder();

    ProgramFolder folder() const { return ProgramFolder(m_dir.path()); }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

    // Raw access for fixtures and byte-exact checks.
    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;
    bool exists(const QString& name) const;

private:
    QTemporaryDir m_dir;
};
