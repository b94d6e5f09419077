#include "FolderContents.h"

#include <QDir>
#include <QFile>

QMap<QString, QByteArray> folderContents(const QString& path)
{
    QMap<QString, QByteArray> contents;
    const QDir dir(path);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            contents.insert(name, file.readAll());
    }
    return contents;
}
