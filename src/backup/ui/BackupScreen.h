#pragma once

#include "backup/BackupKind.h"
#include "backup/BackupRunView.h"
#include "screens/ScreenServices.h"

#include <QDialog>
#include <QString>

class DriveList;
class FolderChooser;
class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QSettings;
class QMenu;
class QProgressBar;
class QPushButton;

// Backup1: the user's side of the backup utility. The kind the calling screen
// asks for picks the file set and whether it is a backup or a restore; the user picks a drive and
// folder, starts the run and watches its status and progress; the engine does the copying.
class BackupScreen : public QDialog, private BackupRunView
{
    Q_OBJECT

public:
    static constexpr int HelpTopic = 1005;

    // What every function's "&Utilities" items reach through the screen
    // services: shows the screen for the kind modally over caller, and tells
    // whether a restore changed files of the program folder (the caller then
    // reloads its list).
    static bool run(const ScreenServices& services, BackupKind kind, QWidget* caller);

    BackupScreen(const ScreenServices& services, BackupKind kind, QWidget* caller = nullptr);
    ~BackupScreen() override;

    bool programFolderChanged() const { return m_programFolderChanged; }
    bool isRunning() const { return m_running; }
    BackupKind kind() const { return m_kind; }

    // --- commands ------------------------------------------------------------
    // SSCommand2, mOM, mOR: the backup or restore into or from the chosen
    // folder.
    void runCommand();
    // SSCommand1, mOE.
    void exit();
    // New Folder on the folder list's menu: makes a folder in the chosen one
    // and chooses it.
    void makeFolder();

    // Every way of closing ends here: a run in progress finishes first.
    void done(int result) override;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void buildMenu();
    void showTexts();
    void placeOverCaller(QWidget* caller);
    void showBackground();

    void driveChosen();
    void folderChosen(const QString& path);
    void showPath(const QString& path);
    QString chosenPath() const;
    // The path box was typed into: its folder is chosen, or it is refused.
    void typedFolder();
    // Backup: the program folder, which the user must leave. Restore: the
    // folder this set was last backed up to, while it is there.
    QString startingFolder() const;
    // Where the last backup of each set went, per user.
    static QSettings lastFolderStore();
    void setRunning(bool running);
    // The action button and its menu item: enabled while no run is going,
    // the chosen folder is not the program folder and no finished run has
    // locked it.
    void enableRunAction();

    // BackupRunView
    void setStatusText(const QString& text) override;
    void setStatusPanelVisible(bool visible) override;
    void setProgressBarVisible(bool visible) override;
    void setProgressMaximum(int maximum) override;
    void setProgressValue(int value) override;
    void setBusy(bool busy) override;
    void letEventsRun() override;
    void repaint() override;
    void disableRunAction() override;
    void returnToProgramVolume() override;
    void fileCopied(const QString& source, const QString& destination) override;

    ScreenServices m_services;
    BackupKind m_kind;
    bool m_restoreMode;
    QString m_setName;

    QLabel* m_image; // Image1
    QLabel* m_defaultColour; // Label6, hidden
    QFrame* m_frame; // SSPanel1
    QLabel* m_instructions; // Label1
    DriveList* m_drives; // Drive1
    FolderChooser* m_folders; // Dir1
    QLineEdit* m_pathLabel; // Label5
    QLabel* m_status; // SSPanel2
    QProgressBar* m_progress; // ProgressBar1
    QPushButton* m_actionButton; // SSCommand2
    QPushButton* m_exitButton; // SSCommand1
    QLabel* m_menuSpot; // Label3
    QMenu* m_optionsMenu; // mO
    QAction* m_backupAction; // mOM
    QAction* m_restoreAction; // mOR
    QAction* m_runAction; // mOM or mOR, by mode
    QAction* m_exitAction; // mOE
    QMenu* m_folderMenu;

    bool m_running = false;
    bool m_closeRequested = false;
    // Set by a finished password backup or restore, cleared by the user's
    // next choice of drive or folder.
    bool m_runActionLocked = false;
    bool m_programFolderChanged = false;
};
