#include "BloodPressureBackupSet.h"

#include "BloodPressureFile.h"

BackupFileSet BloodPressureBackupSet::make()
{
    return {
        .backupKind = BackupKind::BloodPressureBackup,
        .restoreKind = BackupKind::BloodPressureRestore,
        .setName = QStringLiteral("Blood Pressure Files"),
        .promptName = QStringLiteral("Blood Pressure"),
        .backingUpText = QStringLiteral("Making Backup of Blood Pressure Files"),
        .deletingBeforeRestoreText = QStringLiteral("Deleting Old Files"),
        .restoringText = QStringLiteral("Restoring Blood Pressure Files"),
        .fixedFiles = {},
        .protectedFiles = {},
        .listFiles = { BloodPressureFile::ListFileName, QStringLiteral("BpTrker.Bpf") },
        .dataExtension = BloodPressureFile::Extension,
        .backupExtension = QStringLiteral(".Bpf"),
        .findDamage = {},
        .functionName = QStringLiteral("Blood Pressure Tracker"),
        .contentsKey = QStringLiteral("bp"),
        .rowWord = QStringLiteral("reading"),
        .rowsWord = QStringLiteral("readings"),
        .describe = {},
    };
}
