#pragma once

#include "backup/BackupFileSet.h"

// The Weight Tracker's list and its people's files as the backup utility
// copies them.
class WeightBackupSet
{
public:
    static BackupFileSet make();
};
