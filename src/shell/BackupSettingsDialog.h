#pragma once

#include "screens/ScreenServices.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QSpinBox;

// Backup Settings: the close-time backup of everything and its folder, how
// many dated backups are kept, and after how many days the main screen says
// the last one is old. The close-time backup cannot be turned on before a
// folder is chosen, and the program folder (or one inside it) is refused.
class BackupSettingsDialog : public QDialog
{
    Q_OBJECT

public:
    BackupSettingsDialog(const ScreenServices& services, QWidget* parent = nullptr);

    void chooseFolder();
    // Stores the settings and closes; stays open when they cannot be stored.
    void accept() override;

private:
    void load();
    void enableAtClose();

    ScreenServices m_services;
    QString m_folder;
    QCheckBox* m_atClose = nullptr;
    QLabel* m_folderLabel = nullptr;
    QSpinBox* m_kept = nullptr;
    QSpinBox* m_overdueDays = nullptr;
};
