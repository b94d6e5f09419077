#pragma once

#include "passwords/CoreDumpGuard.h"
#include "passwords/PasswordEntry.h"
#include "passwords/PasswordFiles.h"
#include "passwords/SecretBytes.h"
#include "passwords/VaultParameters.h"
#include "screens/ScreenServices.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <memory>
#include <optional>

class FunctionScreenFrame;
class IdleLock;
class UnlockPanel;
class VaultPasswordStorage;
class GuardedComboBox;
class PanelColourService;
class PasswordEntryBoxes;
class PasswordList;
class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class PrintDocument;
class PrintOptionsPanel;
class QPageLayout;
class QPushButton;
class SecretClipboard;
struct PrintFont;

// The Password Keeper: a list of entries ("Password Files") chosen by name;
// the four boxes show and edit the chosen one; Save replaces it or adds a new
// entry, Delete removes it, Launch opens a name that is a web address.
//
// Protected by a master password, the keeper opens locked and locks again
// after a time without input, when the desktop session locks and on closing;
// what the boxes held unsaved comes back on unlocking.
class PasswordKeeper : public QMainWindow
{
    Q_OBJECT

public:
    // EntryModified while the boxes hold changes not yet saved.
    static constexpr qint16 Modified = 9;
    static constexpr int HelpTopic = 3015;
    static constexpr int PrintOptionsHelpTopic = 1014;

    explicit PasswordKeeper(const ScreenServices& services, QWidget* parent = nullptr);
    ~PasswordKeeper() override;

    qint16 EntryModified() const { return m_EntryModified; }
    // The list position and record of the entry last chosen; -1 and 0 while
    // none is chosen (after the list was opened, emptied or reloaded).
    int SelectedIndex() const { return m_SelectedIndex; }
    int SelectedRecord() const { return m_SelectedRecord; }

    // --- commands --------------------------------------------------------
    void chooseEntry(int index);
    // Save: replaces the matching entry or adds one. False when the user
    // cancelled or the save was refused or failed; the boxes then stay.
    bool save();
    void deleteEntry();
    void newEntry();
    void launchWebSite();
    void printOptions();
    void exit();
    void openHelp();
    void backupFiles();
    void restoreFiles();
    void showPasswordHealth();
    void importPasswords();

    // --- protection (PasswordKeeperProtection.cpp) -------------------------
    bool isLocked() const { return m_locked; }
    void lockKeeper();
    void unlockKeeper(const QByteArray& masterPassword);
    void protectKeeper();
    void changeMasterPassword();
    void removeProtection();
    void chooseLockTime();
    // How hard new master passwords are stretched; tests make it cheap.
    void setVaultParameters(VaultParameters parameters) { m_vaultParameters = parameters; }

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildProtectionCommands(QMenu* menu);
    void buildUnlockPanel(QWidget* background);
    // Opens locked when protected. Protection is only ever offered from
    // the Options menu: opening the keeper asks nothing.
    void openProtected();
    void updateProtectionCommands();
    void useStorage(std::shared_ptr<VaultPasswordStorage> storage);
    // Asks for a new master password and protects; true when protected.
    bool protectWithMasterPassword();
    bool offerProtectionForText(const PasswordEntry& entry);
    void showLockedFace(bool locked);
    void waitAfterWrongTry();
    QAction* addCommand(QMenu* menu, const char* name, const QString& caption);
    void buildControls();
    QFrame* buildPanel();
    void buildColourService();
    void buildPrintPanel();
    // RebuildPreview: the printout of the entry the boxes show.
    PrintDocument buildReport(const QPageLayout& layout, const PrintFont& font) const;
    void applySizeMode(const QWidget* opener);

    // --- what loading and activation run ----------------------------------
    void loadScreen();
    void activated();
    QString caption() const;
    void showStatus(const QString& text);
    void showCaption();

    // --- the list -----------------------------------------------------------
    void LoadIndex();
    void forgetSelection();
    // Runs before the list drops down; false keeps it closed.
    bool openList();
    void listLostFocus();

    // --- the boxes ----------------------------------------------------------
    // A key released in a box, or a change made with the mouse.
    void boxTouched();

    // --- the screen's own procedures -------------------------------------
    void ClearEntry();
    void DisableAllActions();
    void EnableEntryActions();
    void UpdateLaunchState();
    // True when the action that asked may go on: No, or Yes with the entry
    // saved. Cancel, or a save cancelled, refused or failed, stops it.
    bool AskSaveBeforeAction();
    bool AskSaveBeforeExit();

    // The item Save's Yes replaces: the chosen entry when its name matches,
    // else the first item of that name; empty when none matches.
    QString matchingItem(const QString& trimmedName) const;
    bool saveFailed(const Outcome& outcome);
    // False when the user cancelled before the backup screen opened.
    bool openBackupScreen(BackupKind kind);
    bool printOptionsOpen() const;
    // Chooses the entry of a list item, as a click in the list does.
    void chooseItem(const QString& indexItem);

    // No core dump while the keeper is open.
    CoreDumpGuard m_noCoreDumps;
    ScreenServices m_services;
    PasswordFiles m_files;
    SecretClipboard* m_secretClipboard;
    // The window the keeper was opened from, whose size it takes in the
    // smaller-screen display.
    QPointer<const QWidget> m_opener;

    QString m_selectedItem;

    QWidget* m_background; // the screen's background
    QLabel* m_backgroundImage; // Image1
    QFrame* m_panel; // Panel3D1
    PasswordList* m_passwordList;
    GuardedComboBox* m_list; // Combo1
    QLineEdit* m_normalColourBox; // Text2
    PasswordEntryBoxes* m_boxes; // Text1(0) to Text1(3)
    QLineEdit* m_nameBox; // Text1(0)
    QLabel* m_statusPanel; // StatusBar1 panel 1
    std::unique_ptr<FunctionScreenFrame> m_frame; // toolbars, status bar, background
    PanelColourService* m_panelColours;
    QLabel* m_swatch; // Label3
    PrintOptionsPanel* m_printPanel = nullptr; // SSPanel80

    QMenu* m_optionsMenu; // mO
    QAction* m_panelColourAction; // mOC
    QAction* m_newAction; // mON
    QAction* m_deleteAction; // mODel, Command4, Toolbar2 button 1
    QAction* m_printAction; // mOP, Command3, Toolbar2 button 2
    QAction* m_saveAction; // mOS, Command2
    QAction* m_exitAction; // mOE, Command1, Toolbar2 button 5
    QAction* m_launchAction; // Command6, Toolbar2 button 3
    QAction* m_backupAction; // mUB
    QAction* m_restoreAction; // mUR
    QAction* m_healthAction;
    QAction* m_importAction;
    QAction* m_helpAction; // mH, Toolbar2 button 4
    // New File's button is enabled on its own at activation, while its menu
    // item keeps its state.
    QPushButton* m_newButton; // Command5
    QPushButton* m_exitButton; // Command1

    QAction* m_protectAction;
    QAction* m_changeMasterAction;
    QAction* m_removeProtectionAction;
    QAction* m_lockAction;
    QAction* m_lockTimeAction;
    UnlockPanel* m_unlockPanel = nullptr;
    IdleLock* m_idleLock = nullptr;
    VaultParameters m_vaultParameters = VaultParameters::standard();
    bool m_locked = false;
    int m_wrongTries = 0;
    // What the screen held when it locked, given back on unlocking.
    struct LockedWork {
        // The boxes' texts, in guarded memory while locked.
        SecretBytes shown;
        qint16 entryModified = 0;
        int selectedIndex = -1;
        int selectedRecord = 0;
        QString selectedItem;
        QList<bool> actionsEnabled;
        bool newButtonEnabled = false;
    };
    std::optional<LockedWork> m_lockedWork;

    qint16 m_EntryModified = 0;
    int m_SelectedIndex = -1;
    int m_SelectedRecord = 0;
    // A message box of this screen took the activation; its return is no
    // new activation of the screen.
    bool m_deactivatedByModal = false;
};
