#pragma once

#include "backup/BackupFileSet.h"

// The Blood Pressure Tracker's list and its people's files as the backup
// utility copies them.
class BloodPressureBackupSet
{
public:
    static BackupFileSet make();
};
