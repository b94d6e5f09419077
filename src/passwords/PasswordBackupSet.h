#pragma once

#include "backup/BackupFileSet.h"

// The Password Keeper's two files as the backup utility copies them.
class PasswordBackupSet
{
public:
    static BackupFileSet make();
};
