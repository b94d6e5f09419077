// The keeper's protection: the master password commands, locking and
// unlocking, and the idle and session locks. The rest of PasswordKeeper is in
// PasswordKeeper.cpp and PasswordKeeperSetup.cpp.

#include "PasswordKeeper.h"

#include "passwords/KeeperProtection.h"
#include "passwords/KeeperText.h"
#include "passwords/LockedPasswordStorage.h"
#include "passwords/ui/IdleLock.h"
#include "passwords/ui/MasterPasswordDialog.h"
#include "passwords/ui/PasswordEntryBoxes.h"
#include "passwords/ui/PasswordList.h"
#include "passwords/ui/UnlockPanel.h"
#include "screens/BusyPointer.h"
#include "screens/GuardedComboBox.h"
#include "screens/PrintOptionsPanel.h"
#include "services/Clock.h"
#include "services/MessageService.h"
#include "services/SessionLockSignal.h"
#include "storage/ProgramSettings.h"

#include <QAction>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include <algorithm>
#include <chrono>
#include <cstring>

namespace {

using Answer = MessageService::Answer;

const QString ProtectTitle = QStringLiteral("Protect with a Master Password");
const QString ChangeTitle = QStringLiteral("Change Master Password");
const QString RemoveTitle = QStringLiteral("Remove Protection");
const QString LockTimeTitle = QStringLiteral("Lock After");

// Wrong tries wait 1, 2, 4 ... seconds, at most half a minute.
std::chrono::milliseconds waitAfter(int wrongTries)
{
    const int seconds = 1 << std::min(wrongTries - 1, 5);
    return std::chrono::seconds(std::min(seconds, 30));
}

// The four texts one after the other, each after its length in UTF-16
// units, in guarded memory; the copies made on the way are wiped.
SecretBytes sealedEntry(PasswordEntry entry)
{
    QString* const texts[] = { &entry.name, &entry.signOn, &entry.password, &entry.comment };
    std::size_t size = 0;
    for (const QString* text : texts)
        size += sizeof(qsizetype) + std::size_t(text->size()) * sizeof(char16_t);
    SecretBytes sealed(size);
    unsigned char* at = sealed.data();
    for (QString* text : texts) {
        const qsizetype length = text->size();
        std::memcpy(at, &length, sizeof length);
        at += sizeof length;
        if (length > 0) {
            std::memcpy(at, text->utf16(), std::size_t(length) * sizeof(char16_t));
            at += std::size_t(length) * sizeof(char16_t);
            text->detach();
            std::fill(text->begin(), text->end(), QChar(u'\0'));
        }
    }
    return sealed;
}

PasswordEntry openedEntry(const SecretBytes& sealed)
{
    PasswordEntry entry;
    const unsigned char* at = sealed.data();
    const unsigned char* const end = at + sealed.size();
    for (QString* text : { &entry.name, &entry.signOn, &entry.password, &entry.comment }) {
        qsizetype length = 0;
        if (std::size_t(end - at) < sizeof length)
            break;
        std::memcpy(&length, at, sizeof length);
        at += sizeof length;
        *text = QString(reinterpret_cast<const QChar*>(at), length);
        at += std::size_t(length) * sizeof(char16_t);
    }
    return entry;
}

} // namespace

void PasswordKeeper::buildProtectionCommands(QMenu* menu)
{
    m_protectAction
        = addCommand(menu, "mOProtect", QStringLiteral("Protect with a &Master Password..."));
    m_changeMasterAction
        = addCommand(menu, "mOChangeMaster", QStringLiteral("&Change Master Password..."));
    m_removeProtectionAction
        = addCommand(menu, "mORemoveProtection", QStringLiteral("&Remove Protection..."));
    m_lockAction = addCommand(menu, "mOLock", QStringLiteral("&Lock"));
    m_lockTimeAction = addCommand(menu, "mOLockTime", QStringLiteral("Lock &After..."));
    connect(m_protectAction, &QAction::triggered, this, &PasswordKeeper::protectKeeper);
    connect(m_changeMasterAction, &QAction::triggered, this, &PasswordKeeper::changeMasterPassword);
    connect(m_removeProtectionAction, &QAction::triggered, this, &PasswordKeeper::removeProtection);
    connect(m_lockAction, &QAction::triggered, this, &PasswordKeeper::lockKeeper);
    connect(m_lockTimeAction, &QAction::triggered, this, &PasswordKeeper::chooseLockTime);
}

void PasswordKeeper::buildUnlockPanel(QWidget* background)
{
    m_unlockPanel = new UnlockPanel(background);
    m_unlockPanel->hide();
    connect(m_unlockPanel, &UnlockPanel::unlockRequested, this, &PasswordKeeper::unlockKeeper);
    m_idleLock = new IdleLock(
        m_services.clock, [this] { lockKeeper(); }, this);
    if (m_services.sessionLock)
        m_services.sessionLock->watch(this, [this] { lockKeeper(); });
}

void PasswordKeeper::openProtected()
{
    if (KeeperProtection::isProtected(m_services.folder)) {
        // Nothing typed yet: nothing to keep for after unlocking.
        m_lockedWork.reset();
        m_files = PasswordFiles(m_services.folder, std::make_shared<LockedPasswordStorage>());
        m_locked = true;
        showLockedFace(true);
    } else {
        m_files = PasswordFiles(m_services.folder);
        m_boxes->setTextForm(m_files.textForm());
        m_locked = false;
        showLockedFace(false);
        LoadIndex();
    }
    updateProtectionCommands();
}

void PasswordKeeper::updateProtectionCommands()
{
    const bool isProtected = KeeperProtection::isProtected(m_services.folder);
    m_protectAction->setEnabled(!isProtected);
    m_changeMasterAction->setEnabled(isProtected && !m_locked);
    m_removeProtectionAction->setEnabled(isProtected && !m_locked);
    m_lockAction->setEnabled(isProtected && !m_locked);
    m_lockTimeAction->setEnabled(!m_locked);
}

// Locked, the keeper shows the unlock panel alone; of its commands only
// Exit, Help and the lock time stay.
void PasswordKeeper::showLockedFace(bool locked)
{
    m_panel->setVisible(!locked);
    // In the panel's colour, where the panel would be.
    m_unlockPanel->setPalette(m_panel->palette());
    m_unlockPanel->setVisible(locked);
    for (QAction* action :
        { m_panelColourAction, m_backupAction, m_restoreAction, m_healthAction, m_importAction })
        action->setEnabled(!locked);
    if (locked) {
        DisableAllActions();
        m_unlockPanel->showProblem(QString());
        m_unlockPanel->focusPassword();
    }
}

void PasswordKeeper::lockKeeper()
{
    if (m_locked || !KeeperProtection::isProtected(m_services.folder))
        return;
    m_printPanel->escape();
    m_list->hidePopup();
    LockedWork work;
    work.shown = sealedEntry(m_boxes->shownEntry());
    work.entryModified = m_EntryModified;
    work.selectedIndex = m_SelectedIndex;
    work.selectedRecord = m_SelectedRecord;
    work.selectedItem = m_selectedItem;
    for (QAction* action :
        { m_saveAction, m_printAction, m_deleteAction, m_launchAction, m_newAction })
        work.actionsEnabled.append(action->isEnabled());
    work.newButtonEnabled = m_newButton->isEnabled();
    m_lockedWork = std::move(work);

    m_idleLock->stop();
    m_boxes->showEntry({});
    m_passwordList->showItems({});
    forgetSelection();
    // The unlocked storage goes, and with it the key and the decrypted
    // files, wiped.
    m_files = PasswordFiles(m_services.folder, std::make_shared<LockedPasswordStorage>());
    m_locked = true;
    showLockedFace(true);
    updateProtectionCommands();
    showStatus(QStringLiteral("Locked"));
}

void PasswordKeeper::unlockKeeper(const QByteArray& masterPassword)
{
    if (!m_locked)
        return;
    KeeperProtection::Unlocked unlocked;
    {
        BusyPointerScope busy;
        unlocked = KeeperProtection(m_services.folder, m_vaultParameters).unlock(masterPassword);
    }
    if (!unlocked.storage) {
        m_unlockPanel->showProblem(unlocked.outcome.message());
        if (unlocked.problem == PasswordVault::Problem::WrongPassword)
            waitAfterWrongTry();
        return;
    }
    m_wrongTries = 0;
    m_locked = false;
    useStorage(std::move(unlocked.storage));
    showLockedFace(false);
    LoadIndex();
    const bool opening = !m_lockedWork.has_value();
    if (m_lockedWork) {
        const LockedWork& work = *m_lockedWork;
        m_SelectedIndex = work.selectedIndex;
        m_SelectedRecord = work.selectedRecord;
        m_selectedItem = work.selectedItem;
        m_list->setCurrentIndex(work.selectedIndex);
        m_boxes->showEntry(openedEntry(work.shown));
        m_EntryModified = work.entryModified;
        const QList<QAction*> actions
            = { m_saveAction, m_printAction, m_deleteAction, m_launchAction, m_newAction };
        for (qsizetype i = 0; i < actions.size(); ++i)
            actions[i]->setEnabled(work.actionsEnabled.value(i));
        m_newButton->setEnabled(work.newButtonEnabled);
        m_lockedWork.reset();
    } else {
        ClearEntry();
    }
    updateProtectionCommands();
    showCaption();
    if (!unlocked.strayFiles.isEmpty())
        m_services.messages.warn(
            QStringLiteral("%1 lies beside the protected keeper but differs from it, so it was "
                           "left as it is. It is not protected: look at it, then delete it.")
                .arg(unlocked.strayFiles.join(QStringLiteral(" and "))),
            QStringLiteral("Password Keeper"));
    (m_nameBox->text().isEmpty() ? static_cast<QWidget*>(m_exitButton) : m_nameBox)->setFocus();
    // As a keeper opens: nothing chosen, New File ready. After the focus
    // has moved, since the list it leaves empties the boxes' commands.
    if (opening)
        m_newButton->setEnabled(true);
}

void PasswordKeeper::waitAfterWrongTry()
{
    ++m_wrongTries;
    m_unlockPanel->setWaiting(true);
    m_services.clock.runLater(waitAfter(m_wrongTries), m_unlockPanel, [this] {
        m_unlockPanel->setWaiting(false);
        m_unlockPanel->focusPassword();
    });
}

void PasswordKeeper::useStorage(std::shared_ptr<VaultPasswordStorage> storage)
{
    m_files = PasswordFiles(m_services.folder, std::move(storage));
    m_boxes->setTextForm(m_files.textForm());
    m_idleLock->start(ProgramSettings(m_services.folder).keeperLockMinutes());
}

void PasswordKeeper::protectKeeper()
{
    if (m_locked || KeeperProtection::isProtected(m_services.folder))
        return;
    if (m_EntryModified > 0 && !AskSaveBeforeAction())
        return;
    protectWithMasterPassword();
}

// Text a classic keeper cannot hold is refused with the character named, and
// protection, whose vault holds any text, is offered in the same message.
// True when the keeper is protected now and the save may go on.
bool PasswordKeeper::offerProtectionForText(const PasswordEntry& entry)
{
    const std::optional<KeeperText::Unheld> unheld
        = KeeperText::firstUnheld(entry, KeeperText::Form::Classic);
    if (!unheld)
        return true;
    const Answer answer = m_services.messages.show({
        KeeperText::classicRefusal(unheld->box, unheld->character)
            + QStringLiteral("\n\nProtect the Password Keeper with a master password now?"),
        ProtectTitle,
        MessageService::Icon::Exclamation,
        MessageService::Buttons::YesNo,
        Answer::No,
    });
    return answer == Answer::Yes && protectWithMasterPassword();
}

bool PasswordKeeper::protectWithMasterPassword()
{
    MasterPasswordDialog dialog(MasterPasswordDialog::Asks::New, ProtectTitle, this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QByteArray password = dialog.newPassword();
    KeeperProtection protection(m_services.folder, m_vaultParameters);
    KeeperProtection::Unlocked unlocked;
    {
        BusyPointerScope busy;
        if (Outcome done = protection.protect(password); !done) {
            m_services.messages.error(done.message(), ProtectTitle);
            updateProtectionCommands();
            return false;
        }
        unlocked = protection.unlock(password);
    }
    if (unlocked.storage)
        useStorage(std::move(unlocked.storage));
    else
        openProtected();
    updateProtectionCommands();
    m_services.messages.inform(
        QStringLiteral("The Password Keeper is now protected: its entries are kept encrypted "
                       "and it opens only with the master password. Backups and copies made "
                       "before stay as they were, unprotected."),
        ProtectTitle);
    return KeeperProtection::isProtected(m_services.folder) && !m_locked;
}

void PasswordKeeper::changeMasterPassword()
{
    if (m_locked || !KeeperProtection::isProtected(m_services.folder))
        return;
    MasterPasswordDialog dialog(MasterPasswordDialog::Asks::CurrentAndNew, ChangeTitle, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    KeeperProtection protection(m_services.folder, m_vaultParameters);
    KeeperProtection::Unlocked unlocked;
    {
        BusyPointerScope busy;
        if (Outcome done
            = protection.changeMasterPassword(dialog.currentPassword(), dialog.newPassword());
            !done) {
            m_services.messages.error(done.message(), ChangeTitle);
            return;
        }
        // The open storage holds the old key; the next save must seal
        // under the new one.
        unlocked = protection.unlock(dialog.newPassword());
    }
    if (unlocked.storage)
        useStorage(std::move(unlocked.storage));
    m_services.messages.inform(
        QStringLiteral("The master password has been changed."), ChangeTitle);
}

void PasswordKeeper::removeProtection()
{
    if (m_locked || !KeeperProtection::isProtected(m_services.folder))
        return;
    if (m_EntryModified > 0 && !AskSaveBeforeAction())
        return;
    MasterPasswordDialog dialog(MasterPasswordDialog::Asks::Current, RemoveTitle, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const Answer answer = m_services.messages.show({
        QStringLiteral("Remove the protection? The entries will be kept in the program folder "
                       "merely scrambled, readable by anyone who can read the folder."),
        RemoveTitle,
        MessageService::Icon::Question,
        MessageService::Buttons::YesNo,
        Answer::No,
    });
    if (answer != Answer::Yes)
        return;
    Outcome done = Outcome::success();
    {
        BusyPointerScope busy;
        done = KeeperProtection(m_services.folder, m_vaultParameters)
                   .unprotect(dialog.currentPassword());
    }
    if (!done) {
        m_services.messages.error(done.message(), RemoveTitle);
        return;
    }
    m_idleLock->stop();
    m_files = PasswordFiles(m_services.folder);
    m_boxes->setTextForm(m_files.textForm());
    updateProtectionCommands();
    m_services.messages.inform(
        QStringLiteral("The Password Keeper is no longer protected."), RemoveTitle);
}

void PasswordKeeper::chooseLockTime()
{
    const ProgramSettings settings(m_services.folder);
    const std::optional<QString> typed = m_services.messages.input(
        QStringLiteral("Lock a protected Password Keeper after how many minutes without input? "
                       "(1 to %1; 0 never locks it)")
            .arg(ProgramSettings::MaximumKeeperLockMinutes),
        LockTimeTitle, QString::number(settings.keeperLockMinutes()));
    if (!typed)
        return;
    bool number = false;
    const int minutes = typed->trimmed().toInt(&number);
    if (!number || minutes < 0 || minutes > ProgramSettings::MaximumKeeperLockMinutes) {
        m_services.messages.warn(
            QStringLiteral("Please enter a whole number of minutes from 0 to %1.")
                .arg(ProgramSettings::MaximumKeeperLockMinutes),
            LockTimeTitle);
        return;
    }
    if (Outcome stored = settings.setKeeperLockMinutes(minutes); !stored) {
        m_services.messages.error(
            stored.settingMessage(QStringLiteral("lock time")), LockTimeTitle);
        return;
    }
    if (!m_locked && KeeperProtection::isProtected(m_services.folder))
        m_idleLock->start(minutes);
}
