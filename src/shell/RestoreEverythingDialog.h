#pragma once

#include "backup/DatedBackups.h"
#include "screens/ScreenServices.h"

#include <QDialog>
#include <QList>

#include <optional>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

// Restore Everything: the dated backups of a backup folder, newest first,
// with their state, date, size and what they hold (the chosen one's people,
// rows and keeper below the list); only a complete one can be chosen. The
// restore itself is the caller's.
class RestoreEverythingDialog : public QDialog
{
    Q_OBJECT

public:
    RestoreEverythingDialog(
        const ScreenServices& services, const QString& backupFolder, QWidget* parent = nullptr);

    // Shows the dated backups of another folder.
    void chooseFolder();
    void showFolder(const QString& folder);
    QString backupFolder() const { return m_folder; }
    // The chosen complete backup.
    std::optional<DatedBackups::Entry> chosen() const;

private:
    void enableRestore();
    void showHoldings();

    ScreenServices m_services;
    QString m_folder;
    QList<DatedBackups::Entry> m_entries;
    QLabel* m_folderLabel = nullptr;
    QTableWidget* m_list = nullptr;
    QPlainTextEdit* m_holdings = nullptr;
    QPushButton* m_restore = nullptr;
};
