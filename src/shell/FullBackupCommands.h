#pragma once

#include "backup/FullRestore.h"
#include "screens/ScreenServices.h"

#include <QString>

class QWidget;

// The main screen's commands over backups of everything: Back Up
// Everything, Restore Everything, Backup Settings, the backup when the
// program closes, and the status bar's word on the last backup.
class FullBackupCommands
{
public:
    static inline const QString BackUpTitle = QStringLiteral("Back Up Everything");
    static inline const QString RestoreTitle = QStringLiteral("Restore Everything");

    FullBackupCommands(const ScreenServices& services, QWidget* window);

    void backUpEverything();
    // True when the program folder's files were replaced.
    bool restoreEverything();
    void backupSettings();
    // At most once a day, when the user has turned it on.
    void backUpAtClose();

    // "Last backup: December 10, 2026" from the newest complete backup in
    // the folders the program knows of, or "No backup yet".
    QString statusText() const;

private:
    // The folder the dialogs start in: the one last used, or the one set.
    QString knownFolder() const;
    // Where the files a restore replaces are saved first, for the question.
    static QString safetyPlaceText(const QString& place);
    // Tells why nothing was restored; false when it was refused.
    bool reportRefusedRestore(const FullRestore::Result& result, const QString& backupPath);
    // The completion message with the offer to restore the backup made
    // before the restore, which undoes it.
    void offerUndo(const QString& completed, const QString& safetyBackup, bool warn);

    ScreenServices m_services;
    QWidget* m_window;
};
