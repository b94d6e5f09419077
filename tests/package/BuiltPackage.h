#pragma once

#include <QString>
#include <QTemporaryDir>

// The Debian package made by cpack from the build's outputs, as the README's
// Install section makes it, in a temporary folder.
class BuiltPackage
{
public:
    // False, with cpack's output in error(), when no single package came out.
    bool build();
    QString error() const { return m_error; }
    QString path() const { return m_path; }

private:
    QTemporaryDir m_output;
    QString m_path;
    QString m_error;
};
