#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

// Every file of a folder with its bytes, to prove what changed and what did
// not.
QMap<QString, QByteArray> folderContents(const QString& path);
