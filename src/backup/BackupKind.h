#pragma once

#include <QtGlobal>

// What a function screen asks the backup utility to do with its files. The
// values are the codes the program has always used for them.
enum class BackupKind : qint16 {
    PasswordBackup = 20,
    PasswordRestore = 21,
    WeightBackup = 42,
    WeightRestore = 43,
    BloodPressureBackup = 44,
    BloodPressureRestore = 45,
};
