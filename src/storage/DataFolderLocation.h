#pragma once

#include "storage/ProgramFolder.h"

#include <QString>

// Where Halvorn keeps its files, decided in one place for the program and
// for halvorn-data, so that both always work on the same folder.
//
// A copy run from a folder it can write to and that holds its pictures and
// help (the build folder, a folder unpacked onto a stick) keeps its files
// beside itself. An installed copy cannot write to its folder: it keeps them
// in the user's data folder and reads its pictures and help from the share
// folder of the installation. A folder named on the command line wins over
// both.
class DataFolderLocation
{
public:
    // executableFolder: the folder of the running program. explicitFolder:
    // the folder given with --dir, empty when none was. userDataFolder: the
    // folder an installed copy uses.
    DataFolderLocation(
        const QString& executableFolder, const QString& explicitFolder, QString userDataFolder);

    // For the running program, with the user's data folder of this system.
    static DataFolderLocation forApplication(const QString& explicitFolder = QString());

    // The user's own data folder for Halvorn, named after the running
    // application: both programs set applicationName() as theirs so that
    // they find the same folder.
    static QString userDataFolder();
    static QString applicationName();

    QString dataFolder() const { return m_dataFolder; }
    QString shippedFilesFolder() const { return m_shippedFilesFolder; }
    // True when the files are kept beside the program.
    bool isPortable() const { return m_portable; }

    ProgramFolder programFolder() const
    {
        return ProgramFolder(m_dataFolder, m_shippedFilesFolder);
    }

    // True when a folder holds what the program ships with.
    static bool holdsShippedFiles(const QString& folder);

private:
    QString m_dataFolder;
    QString m_shippedFilesFolder;
    bool m_portable = false;
};
