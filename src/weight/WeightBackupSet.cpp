#include "WeightBackupSet.h"

#include "WeightFile.h"

BackupFileSet WeightBackupSet::make()
{
    return {
        .backupKind = BackupKind::WeightBackup,
        .restoreKind = BackupKind::WeightRestore,
        .setName = QStringLiteral("Weight Tracker Files"),
        .promptName = QStringLiteral("Weight Tracker"),
        .backingUpText = QStringLiteral("Making Backup of Weight Tracker Files"),
        .deletingBeforeRestoreText = QStringLiteral("Deleting Old Files"),
        .restoringText = QStringLiteral("Restoring Weight Tracker Files"),
        .fixedFiles = {},
        .protectedFiles = {},
        .listFiles = { WeightFile::ListFileName, QStringLiteral("WeightTrker.Wtp") },
        .dataExtension = WeightFile::Extension,
        .backupExtension = QStringLiteral(".Wtp"),
        .findDamage = {},
        .functionName = QStringLiteral("Weight Tracker"),
        .contentsKey = QStringLiteral("weight"),
        .rowWord = QStringLiteral("weigh-in"),
        .rowsWord = QStringLiteral("weigh-ins"),
        .describe = {},
    };
}
