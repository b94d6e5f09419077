#pragma once

#include "backup/BackupFileSets.h"

// The backup sets of the program's three functions, each as its function
// declares it, read back with the folder check's own readers before a
// restore trusts them.
class ProgramBackupSets
{
public:
    static const BackupFileSets& all();
};
