#pragma once

#include <QFile>
#include <QString>

// Opens an export for reading only when it is a regular file: a pipe would
// wait for a writer for ever, /dev/zero never ends and a folder holds no
// bytes, so each is refused at once with what it is. The check is made on
// the opened file itself, so nothing can be swapped in between.
class SourceFile
{
public:
    // The empty text when file is open on path; otherwise why not.
    static QString open(const QString& path, QFile& file);
};
