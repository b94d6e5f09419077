#pragma once

#include "screens/ScreenServices.h"
#include "screens/ShellState.h"
#include "shell/FunctionScreen.h"
#include "shell/FunctionScreenWindows.h"
#include "shell/ScreenMetrics.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>

class BackgroundSelector;
class FullBackupCommands;
class DisplayModes;
class HelpService;
class MainMenuPanel;
class MainScreenBackground;
class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;

// The main screen ("Startfrm"): the first window, keeper of the program-wide
// state, from which the user opens the three functions and the shell's own
// services (display modes, family name, help, about box, exit).
class MainScreen : public QMainWindow
{
    Q_OBJECT

public:
    // metrics may be null: the primary screen is used.
    MainScreen(ScreenServices services, std::unique_ptr<ScreenMetrics> metrics = nullptr,
        QWidget* parent = nullptr);
    ~MainScreen() override;

    ShellState& state() { return m_state; }
    const ShellState& state() const { return m_state; }
    const ScreenMetrics& metrics() const { return *m_metrics; }

    // Replaces the window a function opens; until a function's own screen
    // is plugged in, an empty window with the right title stands in.
    void setFunctionScreenFactory(FunctionScreen screen, FunctionScreenFactory factory);
    // The function's window while it is open, else null.
    QWidget* functionScreen(FunctionScreen screen) const;

    // Runs the start-up sequence and shows the window in the stored mode.
    void open();

    // --- commands -------------------------------------------------------
    void openFunctionScreen(FunctionScreen screen);
    void exitProgram();
    void familyNameCommand();
    void showProgramOverview();
    void showBackupAndRestoreHelp();
    void showAbout();
    void launchWebSite();
    void toggleBackgroundSelector();
    void backUpEverything();
    void restoreEverything();
    void backupSettings();

    QString statusText() const;
    // The status bar's word on the last backup of everything.
    QString backupStatusText() const;
    bool backgroundSelectorOpen() const;

signals:
    // The user confirmed Exit: the program ends at once, closing every
    // window without further questions.
    void exitRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // --- sequences the window's events run -------------------------------
    void runStartUp();
    void checkScreenSize();
    void loadFamilyName();
    void askFamilyName();
    void applyScreenBackground();
    void activated();
    void resized();

    void buildControls();
    void buildMenus();
    void setStatus(const QString& text);
    void refreshTitle();
    void layoutControls();
    QColor swatchColour() const;
    void functionScreenClosed(QWidget* screen);
    void refreshBackupStatus();

    ScreenServices m_services;
    // The program-wide state and help, as every function screen sees them.
    ShellState& m_state;
    HelpService& m_help;
    std::unique_ptr<ScreenMetrics> m_metrics;

    DisplayModes* m_displayModes;
    int m_startUpDepth = 0;
    bool m_screenSizeWarned = false;

    QWidget* m_central = nullptr;
    QLabel* m_backgroundImage = nullptr; // Image1
    MainMenuPanel* m_centrePanel = nullptr; // Panel3D7
    BackgroundSelector* m_selector = nullptr; // SSPanel4
    QLabel* m_swatch = nullptr; // Label1
    // The background selector's target: the whole window.
    std::unique_ptr<MainScreenBackground> m_background;
    QLabel* m_statusPanel = nullptr; // StatusBar1 panel 1
    QLabel* m_backupPanel = nullptr;
    std::unique_ptr<FullBackupCommands> m_fullBackup;
    FunctionScreenWindows m_functionScreens;

    QMenu* m_optionsMenu = nullptr; // mO
    QMenu* m_displayMenu = nullptr; // mOP
    QAction* m_fullScreenAction = nullptr; // mOPF
    QAction* m_smallerScreenAction = nullptr; // mOPS
};
