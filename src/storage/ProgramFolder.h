#pragma once

#include <QString>

// The folder that holds the executable, where every data and settings file
// lives. Files are named there by bare name; an existing file is matched
// without regard to letter case, because the stored files were created on a
// case-insensitive file system ("Secfile2.fil" and "Secfile2.Fil" are one
// file).
class ProgramFolder
{
public:
    explicit ProgramFolder(QString path);

    // The folder of the running executable.
    static ProgramFolder ofApplication();

    QString path() const { return m_path; }

    // The full path for a bare file name: an existing entry whose name equals
    // it in any letter case, otherwise the name as given.
    QString filePath(const QString& bareName) const;

    // True for any entry of that name, a link pointing nowhere included.
    bool exists(const QString& bareName) const;

private:
    QString m_path;
};
