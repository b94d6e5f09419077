#include "PasswordBackupSet.h"

#include "PasswordFiles.h"

BackupFileSet PasswordBackupSet::make()
{
    return {
        .backupKind = BackupKind::PasswordBackup,
        .restoreKind = BackupKind::PasswordRestore,
        .setName = QStringLiteral("Password Files"),
        .promptName = QStringLiteral("Password"),
        .backingUpText = QStringLiteral("Making Password File Backup Disk"),
        .deletingBeforeRestoreText = QStringLiteral("Deleting Old Password Files"),
        .restoringText = QStringLiteral("Restoring Password Files"),
        .fixedFiles = {
            { PasswordFiles::IndexFileName, QStringLiteral("Secfile1.Fil") },
            { PasswordFiles::EntriesFileName, QStringLiteral("Secfile2.Fil") },
        },
        // No list: the set is its two files.
        .listFiles = {},
        .dataExtension = {},
        .backupExtension = {},
        .findDamage = {},
    };
}
