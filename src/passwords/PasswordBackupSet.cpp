#include "PasswordBackupSet.h"

#include "PasswordFiles.h"
#include "PasswordVault.h"

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
        // A protected keeper is its vault alone, under a backup name of
        // its own.
        .protectedFiles = {
            { PasswordVault::FileName, QStringLiteral("Secvault.vlt") },
        },
        // No list: the set is its two files.
        .listFiles = {},
        .dataExtension = {},
        .backupExtension = {},
        .findDamage = {},
        .functionName = QStringLiteral("Password Keeper"),
        .contentsKey = QStringLiteral("passwords"),
        .rowWord = {},
        .rowsWord = {},
        .describe = {},
    };
}
