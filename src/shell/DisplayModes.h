#pragma once

#include "services/Outcome.h"
#include "storage/ProgramFolder.h"

#include <QObject>

#include <functional>

class MessageService;
class QAction;
class QMainWindow;
class ScreenMetrics;
struct ShellState;

// The main window's two display modes, full screen and the smaller window of
// a remembered size in twips, kept in GColor3.Fil and in the shared state.
// Every change of mode runs the window's start-up sequence again, as the
// stored mode is what start-up applies. A mode or size that cannot be stored
// is said once, with the file and the reason, until a later write succeeds.
class DisplayModes : public QObject
{
    Q_OBJECT

public:
    DisplayModes(QMainWindow& window, ShellState& state, const ScreenMetrics& metrics,
        ProgramFolder folder, MessageService& messages, std::function<void()> rerunStartUp,
        QObject* parent = nullptr);

    // The ticked items of the display menu.
    void setMenuActions(QAction* fullScreen, QAction* smallerScreen, QAction* defaultSize);

    // While the program itself sizes the window, a resize is not the
    // user's choice of mode.
    bool isLoading() const { return m_loading; }
    void setLoading(bool loading) { m_loading = loading; }

    // Start-up: the stored mode and size applied to the window.
    void applyStoredMode();
    // The smaller window at its remembered size, centred on the screen.
    void fitSmallerWindow();
    // Follows the window state: a normal window is the smaller-screen
    // display, anything else the full-screen display.
    void tickDisplayMode();
    // The user resized, maximised or restored the window.
    void windowResized();
    bool isMaximizedState() const;

    // --- commands -------------------------------------------------------
    void fullScreenDisplay();
    void smallerScreenDisplay();
    void defaultScreenSize();
    // On leaving: the mode, and the size of the smaller window.
    void saveDisplayMode();

private:
    void tickMenuItems(bool smaller);
    void restoreFromFullScreen();
    void setWindowSizeTwips(int heightTwips, int widthTwips);
    int windowHeightTwips() const;
    int windowWidthTwips() const;
    // Keeps the first failed write of an operation for reportWrites().
    void noteWrite(const Outcome& outcome);
    // Says what noteWrite() kept; from a resize, once the resize is over,
    // since a message box inside it would stop the window half resized.
    void reportWrites(bool afterResize = false);

    QMainWindow& m_window;
    ShellState& m_state;
    const ScreenMetrics& m_metrics;
    ProgramFolder m_folder;
    MessageService& m_messages;
    std::function<void()> m_rerunStartUp;
    QAction* m_fullScreenAction = nullptr; // mOPF
    QAction* m_smallerScreenAction = nullptr; // mOPS
    QAction* m_defaultSizeAction = nullptr; // mOPDefault
    bool m_loading = false;
    bool m_restorePending = false;
    Outcome m_failedWrite;
    bool m_failureShown = false;
};
