#include "PasswordKeeper.h"

#include "passwords/IndexItem.h"
#include "passwords/KeeperText.h"
#include "passwords/LockedPasswordStorage.h"
#include "passwords/PasswordReport.h"
#include "passwords/WebAddress.h"
#include "passwords/ui/IdleLock.h"
#include "passwords/ui/PasswordEntryBoxes.h"
#include "passwords/ui/PasswordList.h"
#include "passwords/ui/UnlockPanel.h"
#include "passwords/ui/WebSiteLauncher.h"
#include "screens/BusyPointer.h"
#include "screens/FunctionScreenFrame.h"
#include "screens/GuardedComboBox.h"
#include "screens/PanelColourService.h"
#include "screens/PrintOptionsPanel.h"
#include "screens/ScreenBackgroundView.h"
#include "screens/SecretClipboard.h"
#include "screens/ShellState.h"
#include "screens/ShowFailure.h"
#include "services/Clock.h"
#include "services/HelpService.h"
#include "services/MessageService.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace {

using Answer = MessageService::Answer;
using Buttons = MessageService::Buttons;
using Icon = MessageService::Icon;

const QString ActivitiesTitle = QStringLiteral("Password Keeper Activities");
const QString SaveTitle = QStringLiteral("Save");
const QString DeleteTitle = QStringLiteral("Delete");

// The part of the chosen item the Delete question quotes.
constexpr int DeleteQuestionLength = 60;

} // namespace

PasswordKeeper::PasswordKeeper(const ScreenServices& services, QWidget* parent)
    : QMainWindow(parent)
    , m_services(services)
    , m_files(services.folder)
    , m_secretClipboard(new SecretClipboard(services.clock, this))
    , m_opener(QApplication::activeWindow())
{
    setObjectName(QStringLiteral("Form4"));
    buildMenus();
    buildControls();
    buildPrintPanel();
    buildColourService();
    applySizeMode(m_opener);
    loadScreen();
}

PasswordKeeper::~PasswordKeeper() = default;

// --- loading and activation ------------------------------------------------

void PasswordKeeper::loadScreen()
{
    m_frame->showScreenBackground();
    m_panelColours->load();
    m_EntryModified = 0;
    openProtected();
    setWindowTitle(caption());
    // The keeper prints in its name box's colour, plain, until the font
    // dialog says otherwise.
    ShellState& state = m_services.state;
    state.PrintFontUnderline = false;
    state.PrintFontStrikethrough = false;
    state.PrintFontColour = m_nameBox->palette().color(QPalette::Text);
    const QColor normal = m_normalColourBox->palette().color(QPalette::Base);
    for (QWidget* box : m_boxes->boxes() + QList<QWidget*> { m_list }) {
        QPalette palette = box->palette();
        palette.setColor(QPalette::Base, normal);
        box->setPalette(palette);
    }
}

QString PasswordKeeper::caption() const
{
    return m_services.state.titleFor(QStringLiteral("Password Keeper"));
}

bool PasswordKeeper::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::WindowDeactivate:
        // A message box opening over the screen takes the activation; the
        // screen's return to the front afterwards is no new activation.
        m_deactivatedByModal = QApplication::activeModalWidget() != nullptr;
        break;
    case QEvent::WindowActivate:
        if (m_deactivatedByModal)
            m_deactivatedByModal = false;
        else
            activated();
        break;
    default:
        break;
    }
    return QMainWindow::event(event);
}

void PasswordKeeper::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    activated();
}

void PasswordKeeper::activated()
{
    m_passwordList->fitWidth();
    ScreenBackgroundView::fitImage(*m_background, *m_backgroundImage);
    showCaption();
    if (m_locked) {
        m_unlockPanel->focusPassword();
        BusyPointerOff();
        return;
    }
    if (m_nameBox->text().isEmpty())
        DisableAllActions();
    m_exitButton->setFocus();
    m_newButton->setEnabled(true);
    BusyPointerOff();
}

void PasswordKeeper::showStatus(const QString& text)
{
    m_statusPanel->setText(text);
}

void PasswordKeeper::showCaption()
{
    showStatus(caption());
}

bool PasswordKeeper::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_background) {
        if (event->type() == QEvent::Resize)
            ScreenBackgroundView::fitImage(*m_background, *m_backgroundImage);
        // Right clicks on the background, the picture and the buttons (but
        // Launch) arrive here; the boxes keep their own edit menus.
        if (event->type() == QEvent::ContextMenu && !printOptionsOpen()) {
            m_optionsMenu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
        return QMainWindow::eventFilter(watched, event);
    }
    if (watched == m_list && event->type() == QEvent::FocusOut
        && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
        listLostFocus();
    return QMainWindow::eventFilter(watched, event);
}

// --- the list ----------------------------------------------------------------

void PasswordKeeper::LoadIndex()
{
    BusyPointerScope busy;
    m_passwordList->showItems(m_files.LoadIndex());
}

void PasswordKeeper::forgetSelection()
{
    m_SelectedIndex = -1;
    m_SelectedRecord = 0;
    m_selectedItem.clear();
}

// The chosen entry is forgotten only once the list really opens: after a
// Cancel, Save's Yes must still replace the entry on display, not another
// of the same name.
bool PasswordKeeper::openList()
{
    if (m_EntryModified > 0 && !AskSaveBeforeAction()) {
        m_nameBox->setFocus();
        return false;
    }
    forgetSelection();
    ClearEntry();
    // The boxes are empty now, so the list shows no entry as chosen either.
    m_list->setCurrentIndex(-1);
    return true;
}

void PasswordKeeper::chooseEntry(int index)
{
    if (index < 0 || index >= m_list->count())
        return;
    const QString item = m_list->itemData(index).toString();
    // The arrow keys and the wheel choose without opening the list, so the
    // question opening it asks is asked here.
    if (m_EntryModified > 0) {
        if (!AskSaveBeforeAction()) {
            m_list->setCurrentIndex(m_SelectedIndex);
            return;
        }
        // A save reloads the list.
        index = m_list->findData(item);
        if (index < 0)
            return;
        m_list->setCurrentIndex(index);
    }
    const IndexItem indexItem(item);
    m_SelectedIndex = index;
    m_selectedItem = item;
    m_SelectedRecord = indexItem.recordNumber();

    std::optional<PasswordEntry> entry;
    {
        BusyPointerScope busy;
        entry = m_files.loadEntry(item);
    }
    if (!entry) {
        ClearEntry();
        forgetSelection();
        m_services.messages.error(QStringLiteral("This Password File could not be read from %1.")
                                      .arg(PasswordFiles::EntriesFileName),
            caption());
        return;
    }
    m_boxes->showEntry(*entry);
    UpdateLaunchState();
    if (!m_list->currentText().isEmpty())
        EnableEntryActions();
    if (m_nameBox->text().isEmpty())
        ClearEntry();
    m_EntryModified = 0;
}

// Leaving the list with no name in the box leaves nothing to act on. Boxes
// the user filled before typing a name are kept: they have not been saved.
void PasswordKeeper::listLostFocus()
{
    if (!m_nameBox->text().isEmpty())
        return;
    if (m_boxes->anyBoxHoldsText())
        DisableAllActions();
    else
        ClearEntry();
}

// --- the boxes ------------------------------------------------------------------

void PasswordKeeper::boxTouched()
{
    // The release of the Escape that closed the screen changes nothing.
    if (m_nameBox->text().isEmpty() || !isVisible())
        return;
    EnableEntryActions();
    m_EntryModified = Modified;
}

// --- the screen's own procedures ---------------------------------------------

void PasswordKeeper::ClearEntry()
{
    m_boxes->showEntry({});
    // Nothing is left in the boxes that could be lost.
    m_EntryModified = 0;
    DisableAllActions();
}

void PasswordKeeper::DisableAllActions()
{
    for (QAction* action :
        { m_saveAction, m_printAction, m_deleteAction, m_launchAction, m_newAction })
        action->setEnabled(false);
    m_newButton->setEnabled(false);
}

void PasswordKeeper::EnableEntryActions()
{
    for (QAction* action : { m_saveAction, m_printAction, m_deleteAction, m_newAction })
        action->setEnabled(true);
    m_newButton->setEnabled(true);
}

void PasswordKeeper::UpdateLaunchState()
{
    m_launchAction->setEnabled(WebAddress::looksLikeWebAddress(m_nameBox->text()));
}

bool PasswordKeeper::AskSaveBeforeAction()
{
    const Answer answer = m_services.messages.show({
        QStringLiteral("Save new file or modifications made to an existing file before next "
                       "action or before exiting?"),
        ActivitiesTitle,
        Icon::Question,
        Buttons::YesNoCancel,
        Answer::Yes,
    });
    switch (answer) {
    case Answer::Yes:
        if (!save())
            return false;
        m_EntryModified = 0;
        return true;
    case Answer::No:
        m_EntryModified = 0;
        return true;
    default:
        return false;
    }
}

bool PasswordKeeper::AskSaveBeforeExit()
{
    const Answer answer = m_services.messages.show({
        QStringLiteral("Save new file or modifications made to an existing file before exiting?"),
        ActivitiesTitle,
        Icon::Question,
        Buttons::YesNo,
        Answer::Yes,
    });
    if (answer != Answer::Yes)
        return true;
    if (!save())
        return false;
    m_EntryModified = 0;
    return true;
}

// --- commands ------------------------------------------------------------------

QString PasswordKeeper::matchingItem(const QString& trimmedName) const
{
    if (!m_selectedItem.isEmpty() && IndexItem(m_selectedItem).name().trimmed() == trimmedName)
        return m_selectedItem;
    const QStringList& items = m_passwordList->items();
    const qsizetype position = PasswordFiles::findByName(items, trimmedName);
    return position < 0 ? QString() : items[position];
}

bool PasswordKeeper::save()
{
    const PasswordEntry entry = m_boxes->shownEntry();
    const QString trimmedName = entry.name.trimmed();
    // A blank name matches nothing and names nothing: refused before any
    // question.
    if (trimmedName.isEmpty()) {
        m_services.messages.warn(PasswordFiles::nameRefusal(entry.name, {}), SaveTitle);
        m_nameBox->setFocus();
        return false;
    }

    if (m_files.textForm() == KeeperText::Form::Classic && !offerProtectionForText(entry)) {
        m_nameBox->setFocus();
        return false;
    }

    const QString match = matchingItem(trimmedName);
    Answer answer = Answer::No;
    if (!match.isEmpty()) {
        answer = m_services.messages.show({
            IndexItem(match).name().trimmed()
                + QStringLiteral("\nThis file already exists.\n\n"
                                 "Replace exixting file?\n"
                                 "Selecting - Yes - Replaces "
                                 "Existing File!\n")
                + QString(18, QLatin1Char(' ')) + QStringLiteral("No  - Creates a New File!"),
            SaveTitle,
            Icon::Exclamation,
            Buttons::YesNoCancel,
            Answer::No,
        });
    }
    if (answer == Answer::Cancel)
        return false;

    Outcome result;
    int addedRecord = 0;
    {
        BusyPointerScope busy;
        // No makes a second entry of the name, as the question promises.
        result = answer == Answer::Yes
            ? m_files.ReplaceEntry(IndexItem(match).recordNumber(), entry)
            : m_files.AddEntry(entry, PasswordFiles::SameName::Allowed, &addedRecord);
    }
    if (!result)
        return saveFailed(result);

    m_EntryModified = 0;
    forgetSelection();
    ClearEntry();
    // The list changes by the one item the index gained, if any; a
    // replaced entry keeps its item.
    if (addedRecord > 0)
        m_passwordList->addItem(IndexItem::build(entry.name, addedRecord).text());
    else
        m_list->setCurrentIndex(-1);
    m_exitButton->setFocus();
    return true;
}

// The boxes, the list and the changed mark stay, so nothing typed is lost.
bool PasswordKeeper::saveFailed(const Outcome& outcome)
{
    showFailure(m_services.messages, outcome, SaveTitle);
    m_nameBox->setFocus();
    return false;
}

void PasswordKeeper::deleteEntry()
{
    showStatus(QStringLiteral("Delete"));
    if (m_list->currentText().isEmpty() || m_selectedItem.isEmpty()) {
        m_services.messages.inform(
            QStringLiteral("Currently no Existing Password File has been selected!"), DeleteTitle);
        showCaption();
        return;
    }
    const Answer answer = m_services.messages.show({
        QStringLiteral("Do you really want to Delete this Password File?\n")
            + m_list->currentText().left(DeleteQuestionLength),
        DeleteTitle,
        Icon::Question,
        Buttons::YesNo,
        Answer::No,
    });
    if (answer == Answer::Yes) {
        Outcome result;
        {
            BusyPointerScope busy;
            result = m_files.DeleteEntry(m_selectedItem);
        }
        if (result) {
            const QString deleted = m_selectedItem;
            ClearEntry();
            forgetSelection();
            m_passwordList->removeItem(deleted);
        } else {
            showFailure(m_services.messages, result, DeleteTitle);
        }
    }
    showCaption();
}

void PasswordKeeper::newEntry()
{
    if (m_EntryModified > 0 && !AskSaveBeforeAction()) {
        m_nameBox->setFocus();
        return;
    }
    forgetSelection();
    ClearEntry();
    LoadIndex();
    m_nameBox->setFocus();
}

void PasswordKeeper::launchWebSite()
{
    showStatus(QStringLiteral("Launching Web Site"));
    const QString host
        = WebSiteLauncher(m_services.messages, m_services.dialogs).launch(m_nameBox->text());
    // The host stays in view, so the user sees where the browser was sent.
    if (host.isEmpty())
        showCaption();
    else
        showStatus(QStringLiteral("Launching Web Site: %1").arg(host));
}

void PasswordKeeper::printOptions()
{
    m_printPanel->open();
}

bool PasswordKeeper::printOptionsOpen() const
{
    return m_printPanel && m_printPanel->printOptionsOpen();
}

PrintDocument PasswordKeeper::buildReport(const QPageLayout& layout, const PrintFont& font) const
{
    return PasswordReport::build(m_boxes->shownEntry(), m_services.clock.today(), layout, font);
}

void PasswordKeeper::exit()
{
    if (m_EntryModified > 0 && !AskSaveBeforeAction())
        return;
    m_EntryModified = 0;
    close();
}

// Escape arrives here from every control that has no use for it; the list,
// while dropped down, takes it and only closes.
void PasswordKeeper::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (!m_printPanel->escape())
            close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void PasswordKeeper::closeEvent(QCloseEvent* event)
{
    // A save the user cancelled or that failed keeps the screen open, with
    // the boxes as they were.
    if (m_EntryModified > 0 && !AskSaveBeforeExit()) {
        event->ignore();
        return;
    }
    m_EntryModified = 0;
    m_panelColours->askSave();
    // Closing locks: the key and the decrypted files go now, not whenever
    // the window is deleted.
    m_idleLock->stop();
    m_files = PasswordFiles(m_services.folder, std::make_shared<LockedPasswordStorage>());
    event->accept();
}

void PasswordKeeper::openHelp()
{
    m_services.help.showHelpTopic(printOptionsOpen() ? PrintOptionsHelpTopic : HelpTopic);
}

void PasswordKeeper::backupFiles()
{
    openBackupScreen(BackupKind::PasswordBackup);
}

// The restored files show at once.
void PasswordKeeper::restoreFiles()
{
    if (!openBackupScreen(BackupKind::PasswordRestore))
        return;
    forgetSelection();
    ClearEntry();
    // A restore may have brought a vault, or taken one away.
    openProtected();
}

// Unsaved boxes are asked about first, for a backup as for a restore; Cancel
// opens nothing.
bool PasswordKeeper::openBackupScreen(BackupKind kind)
{
    if (m_EntryModified > 0 && !AskSaveBeforeAction())
        return false;
    m_services.openBackupScreen(m_services, kind, this);
    BusyPointerOff();
    return true;
}
