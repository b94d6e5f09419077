#include "DataFolderLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <utility>

namespace {

// Where an installed copy's pictures and help are, relative to the folder
// of its executables; the build sets it from the install layout.
#ifndef HALVORN_SHIPPED_FILES_FROM_BINARIES
#define HALVORN_SHIPPED_FILES_FROM_BINARIES "../share/halvorn"
#endif

// An empty path stays empty rather than becoming the current folder, which
// could be anywhere.
QString absoluteClean(const QString& path)
{
    return path.isEmpty() ? path : QDir::cleanPath(QDir::current().absoluteFilePath(path));
}

} // namespace

DataFolderLocation::DataFolderLocation(
    const QString& executableFolder, const QString& explicitFolder, QString userDataFolder)
{
    const QString installedShare = absoluteClean(
        QDir(executableFolder).filePath(QStringLiteral(HALVORN_SHIPPED_FILES_FROM_BINARIES)));
    const bool besideProgram = holdsShippedFiles(executableFolder);
    // A folder that holds the pictures but cannot be written to is an
    // installation (or a read-only medium): nothing is ever written there.
    m_portable = besideProgram && QFileInfo(executableFolder).isWritable();

    if (besideProgram || !holdsShippedFiles(installedShare))
        m_shippedFilesFolder = absoluteClean(executableFolder);
    else
        m_shippedFilesFolder = installedShare;

    if (!explicitFolder.isEmpty())
        m_dataFolder = absoluteClean(explicitFolder);
    else if (m_portable)
        m_dataFolder = absoluteClean(executableFolder);
    else
        m_dataFolder = absoluteClean(userDataFolder);
}

DataFolderLocation DataFolderLocation::forApplication(const QString& explicitFolder)
{
    return DataFolderLocation(
        QCoreApplication::applicationDirPath(), explicitFolder, userDataFolder());
}

QString DataFolderLocation::applicationName()
{
    return QStringLiteral("Halvorn");
}

QString DataFolderLocation::userDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

bool DataFolderLocation::holdsShippedFiles(const QString& folder)
{
    // The program's picture (ProgramInfo::pictureFileName) and the help.
    const QDir dir(folder);
    return QFileInfo(dir.filePath(QStringLiteral("Halvorn.png"))).isFile()
        && QFileInfo(dir.filePath(QStringLiteral("help"))).isDir();
}
