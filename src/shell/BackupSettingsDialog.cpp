#include "BackupSettingsDialog.h"

#include "backup/DiskFileOperations.h"
#include "backup/FullBackup.h"
#include "datatool/ProgramBackupSets.h"
#include "screens/ShowFailure.h"
#include "screens/SystemDialogs.h"
#include "services/MessageService.h"
#include "storage/ProgramSettings.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

const QString Title = QStringLiteral("Backup Settings");
const QString NoFolderText = QStringLiteral("(no folder chosen)");

} // namespace

BackupSettingsDialog::BackupSettingsDialog(const ScreenServices& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services)
{
    setObjectName(QStringLiteral("BackupSettings"));
    setWindowTitle(Title);

    m_atClose = new QCheckBox(
        QStringLiteral("&Back up everything when the program closes, at most once a day, into:"),
        this);
    m_atClose->setObjectName(QStringLiteral("AtClose"));
    m_folderLabel = new QLabel(this);
    m_folderLabel->setObjectName(QStringLiteral("BackupFolder"));
    m_folderLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_folderLabel->setWordWrap(true);
    auto* choose = new QPushButton(QStringLiteral("&Choose Folder..."), this);
    choose->setObjectName(QStringLiteral("ChooseFolder"));
    // Enter means OK, also right after a folder was chosen.
    choose->setAutoDefault(false);
    connect(choose, &QPushButton::clicked, this, &BackupSettingsDialog::chooseFolder);

    m_kept = new QSpinBox(this);
    m_kept->setObjectName(QStringLiteral("BackupsKept"));
    m_kept->setRange(1, ProgramSettings::MaximumBackupsKept);
    m_overdueDays = new QSpinBox(this);
    m_overdueDays->setObjectName(QStringLiteral("OverdueDays"));
    m_overdueDays->setRange(1, ProgramSettings::MaximumBackupOverdueDays);

    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folderLabel, 1);
    folderRow->addWidget(choose);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Dated &backups to keep:"), m_kept);
    form->addRow(
        QStringLiteral("Say so when the last backup is older than (&days):"), m_overdueDays);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("Buttons"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &BackupSettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &BackupSettingsDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_atClose);
    layout->addLayout(folderRow);
    layout->addSpacing(8);
    layout->addLayout(form);
    layout->addWidget(buttons);
    load();
}

void BackupSettingsDialog::load()
{
    const ProgramSettings settings(m_services.folder);
    m_folder = settings.backupFolder();
    m_atClose->setChecked(settings.backUpAtClose());
    m_kept->setValue(settings.backupsKept());
    m_overdueDays->setValue(settings.backupOverdueDays());
    enableAtClose();
}

void BackupSettingsDialog::enableAtClose()
{
    m_folderLabel->setText(m_folder.isEmpty() ? NoFolderText : QDir::toNativeSeparators(m_folder));
    m_atClose->setEnabled(!m_folder.isEmpty());
    if (m_folder.isEmpty())
        m_atClose->setChecked(false);
}

void BackupSettingsDialog::chooseFolder()
{
    const std::optional<QString> chosen = m_services.dialogs.chooseFolder(
        QStringLiteral("Folder for Backups"), m_folder.isEmpty() ? QDir::homePath() : m_folder);
    if (!chosen)
        return;
    DiskFileOperations files;
    if (const QString refusal
        = FullBackup(m_services.folder, files, ProgramBackupSets::all()).refusalOfFolder(*chosen);
        !refusal.isEmpty()) {
        m_services.messages.warn(refusal, Title);
        return;
    }
    m_folder = QDir(*chosen).absolutePath();
    enableAtClose();
    // Choosing a folder is choosing to back up into it.
    m_atClose->setChecked(true);
}

void BackupSettingsDialog::accept()
{
    const ProgramSettings settings(m_services.folder);
    for (const Outcome& outcome :
        { settings.setBackupFolder(m_folder), settings.setBackUpAtClose(m_atClose->isChecked()),
            settings.setBackupsKept(m_kept->value()),
            settings.setBackupOverdueDays(m_overdueDays->value()) }) {
        if (!outcome.succeeded) {
            showFailure(m_services.messages, outcome, Title);
            return;
        }
    }
    QDialog::accept();
}
