#pragma once

#include <QString>

// The folder where every data and settings file lives, and the folder the
// program's own pictures and help pages are read from. A copy run from its
// own folder has both in one place; an installed copy keeps the user's files
// in the user's data folder and reads its pictures from the installation,
// which it never writes to.
//
// Files are named by bare name; an existing file is matched without regard to
// letter case, because the stored files were created on a case-insensitive
// file system ("Secfile2.fil" and "Secfile2.Fil" are one file).
class ProgramFolder
{
public:
    // Data files and shipped files in one folder.
    explicit ProgramFolder(QString path);
    ProgramFolder(QString path, QString shippedFilesPath);

    QString path() const { return m_path; }
    QString shippedFilesPath() const { return m_shippedFilesPath; }

    // The full path for a bare file name: an existing entry whose name equals
    // it in any letter case, otherwise the name as given.
    QString filePath(const QString& bareName) const;

    // True for any entry of that name, a link pointing nowhere included.
    bool exists(const QString& bareName) const;

    // The full path of a picture or help folder the program ships with, for
    // reading only.
    QString shippedFilePath(const QString& bareName) const;

private:
    QString m_path;
    QString m_shippedFilesPath;
};
