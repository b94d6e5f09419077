// The keeper's tools over all its entries: the health view and the import
// of other password managers' exports. The screen's own commands are in
// PasswordKeeper.cpp.
#include "PasswordKeeper.h"

#include "passwords/PasswordHealth.h"
#include "passwords/PasswordImport.h"
#include "passwords/ui/PasswordHealthView.h"
#include "passwords/ui/PasswordImportPreview.h"
#include "passwords/ui/PasswordList.h"
#include "screens/BusyPointer.h"
#include "screens/GuardedComboBox.h"
#include "screens/SystemDialogs.h"
#include "services/MessageService.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString HealthTitle = QStringLiteral("Password Health");
const QString ImportTitle = QStringLiteral("Import Password Files");

} // namespace

void PasswordKeeper::chooseItem(const QString& indexItem)
{
    const int index = m_list->findData(indexItem);
    if (index < 0 || index == m_SelectedIndex)
        return;
    m_list->setCurrentIndex(index);
    chooseEntry(index);
}

void PasswordKeeper::showPasswordHealth()
{
    showStatus(HealthTitle);
    PasswordHealth::Report report;
    {
        BusyPointerScope busy;
        report = PasswordHealth::check(m_files);
    }
    PasswordHealthView view(report, m_passwordList->items().size(), this);
    connect(&view, &PasswordHealthView::entryChosen, this, &PasswordKeeper::chooseItem);
    view.exec();
    showCaption();
}

// Unsaved boxes are asked about first: the list is reloaded afterwards.
void PasswordKeeper::importPasswords()
{
    if (m_EntryModified > 0 && !AskSaveBeforeAction())
        return;
    showStatus(ImportTitle);
    const std::optional<QString> path = m_services.dialogs.chooseOpenFile(ImportTitle,
        QDir::homePath(), QStringLiteral("Password exports (*.csv *.json);;All files (*)"));
    if (!path) {
        showCaption();
        return;
    }
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_services.messages.error(
            QStringLiteral("%1 could not be read: %2").arg(*path, file.errorString()), ImportTitle);
        showCaption();
        return;
    }
    PasswordImportPreview preview(file.readAll(), m_files.loadAllEntries(),
        QFileInfo(*path).fileName(), m_files.textForm(), this);
    if (preview.exec() != QDialog::Accepted) {
        showCaption();
        return;
    }

    Outcome outcome = Outcome::success();
    int added = 0;
    {
        BusyPointerScope busy;
        outcome = PasswordImport::apply(m_files, preview.plan(), &added);
    }
    forgetSelection();
    ClearEntry();
    LoadIndex();
    if (outcome)
        m_services.messages.inform(
            QStringLiteral("%1 Password %2 imported.")
                .arg(added)
                .arg(added == 1 ? QStringLiteral("File was") : QStringLiteral("Files were")),
            ImportTitle);
    else
        m_services.messages.error(outcome.reason, ImportTitle);
    showCaption();
}
