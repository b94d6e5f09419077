#include "TemporaryProgramFolder.h"

#include <QFile>

#include <stdexcept>

TemporaryProgramFolder::TemporaryProgramFolder()
{
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary program folder");
}

void TemporaryProgramFolder::write(const QString& name, const QByteArray& bytes) const
{
    QFile file(filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write fixture " + name.toStdString());
}

QByteArray TemporaryProgramFolder::read(const QString& name) const
{
    QFile file(filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool TemporaryProgramFolder::exists(const QString& name) const
{
    return QFile::exists(filePath(name));
}
