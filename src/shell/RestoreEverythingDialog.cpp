#include "RestoreEverythingDialog.h"

#include "backup/BackupContents.h"
#include "backup/BackupStatus.h"
#include "backup/DiskFileOperations.h"
#include "datatool/ProgramBackupSets.h"
#include "screens/SystemDialogs.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString stateText(DatedBackups::State state)
{
    switch (state) {
    case DatedBackups::State::Complete:
        return QStringLiteral("Complete");
    case DatedBackups::State::Unfinished:
        return QStringLiteral("Unfinished");
    case DatedBackups::State::Damaged:
        break;
    }
    return QStringLiteral("Damaged");
}

} // namespace

RestoreEverythingDialog::RestoreEverythingDialog(
    const ScreenServices& services, const QString& backupFolder, QWidget* parent)
    : QDialog(parent)
    , m_services(services)
{
    setObjectName(QStringLiteral("RestoreEverything"));
    setWindowTitle(QStringLiteral("Restore Everything"));

    auto* intro = new QLabel(
        QStringLiteral("Choose a complete backup. Restoring it replaces the Weight Tracker, "
                       "Blood Pressure and Password files and the settings with its copies, all "
                       "at once."),
        this);
    intro->setWordWrap(true);
    m_folderLabel = new QLabel(this);
    m_folderLabel->setObjectName(QStringLiteral("BackupFolder"));
    m_folderLabel->setWordWrap(true);
    auto* choose = new QPushButton(QStringLiteral("&Folder..."), this);
    choose->setObjectName(QStringLiteral("ChooseFolder"));
    choose->setAutoDefault(false);
    connect(choose, &QPushButton::clicked, this, &RestoreEverythingDialog::chooseFolder);

    m_list = new QTableWidget(0, 4, this);
    m_list->setObjectName(QStringLiteral("BackupList"));
    m_list->setAccessibleName(QStringLiteral("Dated backups"));
    m_list->setHorizontalHeaderLabels({ QStringLiteral("Backup"), QStringLiteral("State"),
        QStringLiteral("Size"), QStringLiteral("Holds") });
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_list->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_list->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    m_list->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    connect(
        m_list, &QTableWidget::itemSelectionChanged, this, &RestoreEverythingDialog::enableRestore);
    connect(
        m_list, &QTableWidget::itemSelectionChanged, this, &RestoreEverythingDialog::showHoldings);

    // What the chosen backup holds, person by person, before it is chosen.
    m_holdings = new QPlainTextEdit(this);
    m_holdings->setObjectName(QStringLiteral("BackupHoldings"));
    m_holdings->setAccessibleName(QStringLiteral("What the chosen backup holds"));
    m_holdings->setReadOnly(true);
    m_holdings->setTabChangesFocus(true);
    m_holdings->setMaximumHeight(m_holdings->fontMetrics().lineSpacing() * 6);
    connect(m_list, &QTableWidget::cellDoubleClicked, this, [this] {
        if (m_restore->isEnabled())
            accept();
    });

    m_restore = new QPushButton(QStringLiteral("Restore &Everything"), this);
    m_restore->setObjectName(QStringLiteral("RestoreButton"));
    m_restore->setDefault(true);
    connect(m_restore, &QPushButton::clicked, this, &RestoreEverythingDialog::accept);
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("CloseButton"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &RestoreEverythingDialog::reject);

    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folderLabel, 1);
    folderRow->addWidget(choose);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_restore);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(folderRow);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_holdings);
    layout->addLayout(buttons);
    resize(640, 420);
    showFolder(backupFolder);
}

void RestoreEverythingDialog::chooseFolder()
{
    const std::optional<QString> chosen = m_services.dialogs.chooseFolder(
        QStringLiteral("Folder of the Backups"), m_folder.isEmpty() ? QDir::homePath() : m_folder);
    if (chosen)
        showFolder(*chosen);
}

void RestoreEverythingDialog::showFolder(const QString& folder)
{
    m_folder = folder;
    m_entries.clear();
    if (!folder.isEmpty()) {
        DiskFileOperations files;
        m_entries = DatedBackups::list(folder, files);
    }
    // Newest first: the one a user most likely wants.
    std::reverse(m_entries.begin(), m_entries.end());
    m_folderLabel->setText(folder.isEmpty()
            ? QStringLiteral("No backup folder chosen yet.")
            : QStringLiteral("Backups in %1:").arg(QDir::toNativeSeparators(folder)));
    m_list->clearContents();
    m_list->setRowCount(int(m_entries.size()));
    for (int row = 0; row < m_entries.size(); ++row) {
        const DatedBackups::Entry& entry = m_entries.at(row);
        const QString made = QStringLiteral("%1 %2").arg(BackupStatus::dateText(entry.made.date()),
            QLocale::c().toString(entry.made.time(), QStringLiteral("h:mm AP")));
        QString state = stateText(entry.state);
        if (!entry.problem.isEmpty())
            state += QStringLiteral(": ") + entry.problem;
        m_list->setItem(row, 0, new QTableWidgetItem(made));
        m_list->setItem(row, 1, new QTableWidgetItem(state));
        m_list->setItem(row, 2, new QTableWidgetItem(QLocale::c().formattedDataSize(entry.size)));
        m_list->setItem(row, 3,
            new QTableWidgetItem(entry.state == DatedBackups::State::Unfinished
                    ? QString()
                    : BackupContents::summary(ProgramBackupSets::all(), entry.contents)));
        m_list->item(row, 0)->setToolTip(entry.name);
    }
    const auto complete
        = std::find_if(m_entries.cbegin(), m_entries.cend(), [](const DatedBackups::Entry& entry) {
              return entry.state == DatedBackups::State::Complete;
          });
    if (complete != m_entries.cend())
        m_list->selectRow(int(complete - m_entries.cbegin()));
    enableRestore();
    showHoldings();
}

void RestoreEverythingDialog::showHoldings()
{
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_entries.size() || m_list->selectedItems().isEmpty()) {
        m_holdings->clear();
        return;
    }
    const DatedBackups::Entry& entry = m_entries.at(row);
    m_holdings->setPlainText(entry.state == DatedBackups::State::Unfinished
            ? QStringLiteral("%1 is unfinished.").arg(entry.name)
            : QStringLiteral("%1 holds:\n%2")
                  .arg(entry.name,
                      BackupContents::lines(ProgramBackupSets::all(), entry.contents).join(u'\n')));
}

std::optional<DatedBackups::Entry> RestoreEverythingDialog::chosen() const
{
    const int row = m_list->currentRow();
    const QList<QTableWidgetItem*> selected = m_list->selectedItems();
    if (row < 0 || row >= m_entries.size() || selected.isEmpty()
        || m_entries.at(row).state != DatedBackups::State::Complete)
        return std::nullopt;
    return m_entries.at(row);
}

void RestoreEverythingDialog::enableRestore()
{
    m_restore->setEnabled(chosen().has_value());
}
