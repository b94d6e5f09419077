#pragma once

#include "storage/ProgramFolder.h"

#include <QString>

// The folder a backup goes to or a restore comes from.
class BackupTarget
{
public:
    // TargetPath: the folder with exactly one separator at its end, in the
    // style the path already uses; a root ("/", "A:\") keeps its single one.
    static QString targetPath(const QString& folder);

    // Whether the folder is the program folder however it is spelt: letter
    // case, separators, "." and "..", a trailing separator or blanks, or a
    // link that leads there. Such a folder is never a target, because a
    // backup into it would overwrite the live files with themselves and a
    // restore from it would read the files it is replacing.
    static bool isProgramFolder(const QString& folder, const ProgramFolder& programFolder);
    // Whether the folder is the program folder or lies anywhere inside it.
    // Dated backups never go there: a backup inside the folder it copies
    // dies with it.
    static bool isWithinProgramFolder(const QString& folder, const ProgramFolder& programFolder);

    // Whether writing file would overwrite a file of the program folder: it
    // is one (by any path, link or hard link), or a new file of that path
    // would be a data file there.
    static bool isInProgramFolder(const QString& file, const ProgramFolder& programFolder);

    // Whether the two paths lead to one file or folder (device and inode).
    static bool isSameEntry(const QString& first, const QString& second);
};
