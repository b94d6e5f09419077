#include "DisplayModes.h"

#include "screens/ShellState.h"
#include "services/MessageService.h"
#include "shell/ScreenMetrics.h"
#include "storage/GColor3File.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>

#include <algorithm>
#include <utility>

namespace {

// The window size "&Default Screen Size" gives, in twips, when the screen is
// large enough; otherwise the screen less a margin.
constexpr int DefaultWindowHeight = 11200;
constexpr int DefaultWindowWidth = 15100;
constexpr int DefaultSizeMargin = 200;

qint16 clampToInt16(int value)
{
    return static_cast<qint16>(qBound(-32768, value, 32767));
}

} // namespace

DisplayModes::DisplayModes(QMainWindow& window, ShellState& state, const ScreenMetrics& metrics,
    ProgramFolder folder, MessageService& messages, std::function<void()> rerunStartUp,
    QObject* parent)
    : QObject(parent)
    , m_window(window)
    , m_state(state)
    , m_metrics(metrics)
    , m_folder(std::move(folder))
    , m_messages(messages)
    , m_rerunStartUp(std::move(rerunStartUp))
{ }

void DisplayModes::noteWrite(const Outcome& outcome)
{
    if (!outcome.succeeded && m_failedWrite.succeeded)
        m_failedWrite = outcome;
}

void DisplayModes::reportWrites(bool afterResize)
{
    const Outcome outcome = std::exchange(m_failedWrite, Outcome::success());
    if (outcome.succeeded) {
        m_failureShown = false;
        return;
    }
    // Every resize writes the size again: one message, not one per drag.
    if (m_failureShown)
        return;
    m_failureShown = true;
    // Not "lost at the next start": a mode is applied by running the start-up
    // again, which reads the stored mode, so an unstored one never applies.
    const QString text = QStringLiteral("The display mode or window size could not be stored.\n")
        + outcome.message();
    const QString title = QStringLiteral("Program Display Option");
    if (afterResize)
        QMetaObject::invokeMethod(
            this, [this, text, title] { m_messages.error(text, title); }, Qt::QueuedConnection);
    else
        m_messages.error(text, title);
}

void DisplayModes::setMenuActions(QAction* fullScreen, QAction* smallerScreen, QAction* defaultSize)
{
    m_fullScreenAction = fullScreen;
    m_smallerScreenAction = smallerScreen;
    m_defaultSizeAction = defaultSize;
}

void DisplayModes::applyStoredMode()
{
    const GColor3File settings(m_folder);
    m_state.WindowHeight = settings.windowHeight();
    m_state.WindowWidth = settings.windowWidth();
    if (settings.displayModeSmaller()) {
        m_state.DisplayMode = ShellState::SmallerScreenDisplay;
        m_window.setWindowState(
            m_window.windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
        m_state.WindowHeight = clampToInt16(settings.appliedWindowHeight());
        m_state.WindowWidth = clampToInt16(settings.appliedWindowWidth());
        setWindowSizeTwips(m_state.WindowHeight, m_state.WindowWidth);
    } else {
        m_state.DisplayMode = ShellState::FullScreenDisplay;
        // Without a window manager nobody maximises the window: cover the
        // screen ourselves first.
        if (!isMaximizedState())
            m_window.setGeometry(QRect(QPoint(0, 0), m_metrics.sizeInPixels()));
        m_window.setWindowState(
            (m_window.windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
    }
}

void DisplayModes::fitSmallerWindow()
{
    if (m_state.DisplayMode != ShellState::SmallerScreenDisplay)
        return;
    setWindowSizeTwips(m_state.WindowHeight, m_state.WindowWidth);
    const QSize screen = m_metrics.sizeInPixels();
    m_window.move(
        (screen.width() - m_window.width()) / 2, (screen.height() - m_window.height()) / 2);
}

void DisplayModes::tickDisplayMode()
{
    const bool smaller = !isMaximizedState();
    m_state.DisplayMode
        = smaller ? ShellState::SmallerScreenDisplay : ShellState::FullScreenDisplay;
    tickMenuItems(smaller);
}

void DisplayModes::tickMenuItems(bool smaller)
{
    m_smallerScreenAction->setChecked(smaller);
    m_fullScreenAction->setChecked(!smaller);
}

void DisplayModes::windowResized()
{
    tickDisplayMode();
    const GColor3File settings(m_folder);
    if (isMaximizedState()) {
        noteWrite(settings.setWindowHeight(m_state.WindowHeight));
        noteWrite(settings.setWindowWidth(m_state.WindowWidth));
        reportWrites(true);
        fullScreenDisplay();
        m_state.DisplayMode = ShellState::FullScreenDisplay;
    } else if (settings.displayModeText() == QLatin1String("No")) {
        // Restored from full-screen display. Hiding and showing the window
        // inside its own resize is left to the event loop.
        if (!m_restorePending) {
            m_restorePending = true;
            QMetaObject::invokeMethod(
                this, &DisplayModes::restoreFromFullScreen, Qt::QueuedConnection);
        }
    } else {
        tickMenuItems(true);
        const int height = std::max(windowHeightTwips(), int(GColor3File::MinimumWindowHeight));
        const int width = std::max(windowWidthTwips(), int(GColor3File::MinimumWindowWidth));
        if (height != windowHeightTwips() || width != windowWidthTwips())
            setWindowSizeTwips(height, width);
        m_state.WindowHeight = clampToInt16(windowHeightTwips());
        m_state.WindowWidth = clampToInt16(windowWidthTwips());
        m_state.DisplayMode = ShellState::SmallerScreenDisplay;
    }
}

void DisplayModes::restoreFromFullScreen()
{
    m_restorePending = false;
    if (isMaximizedState())
        return;
    m_window.hide();
    QApplication::processEvents();
    m_loading = true;
    tickMenuItems(true);
    noteWrite(GColor3File(m_folder).setDisplayModeSmaller(true));
    reportWrites();
    QApplication::processEvents();
    m_state.DisplayMode = ShellState::SmallerScreenDisplay;
    m_rerunStartUp();
    m_loading = true;
    m_window.show();
    QApplication::processEvents();
    m_loading = false;
}

void DisplayModes::fullScreenDisplay()
{
    if (m_fullScreenAction->isChecked())
        return;
    m_smallerScreenAction->setChecked(false);
    m_fullScreenAction->setChecked(true);
    m_defaultSizeAction->setChecked(false);
    noteWrite(GColor3File(m_folder).setDisplayModeSmaller(false));
    reportWrites();
    QApplication::processEvents();
    m_rerunStartUp();
}

void DisplayModes::smallerScreenDisplay()
{
    if (m_smallerScreenAction->isChecked())
        return;
    m_smallerScreenAction->setChecked(true);
    m_fullScreenAction->setChecked(false);
    noteWrite(GColor3File(m_folder).setDisplayModeSmaller(true));
    reportWrites();
    m_rerunStartUp();
}

void DisplayModes::defaultScreenSize()
{
    m_smallerScreenAction->setChecked(false);
    m_fullScreenAction->setChecked(false);
    // Our own change of window state is not a user's restore.
    m_loading = true;
    m_window.setWindowState(m_window.windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
    const GColor3File settings(m_folder);
    noteWrite(settings.setDisplayModeSmaller(true));
    const QSize screen = m_metrics.sizeInTwips();
    m_state.WindowHeight = clampToInt16(screen.height() >= DefaultWindowHeight
            ? DefaultWindowHeight
            : screen.height() - DefaultSizeMargin);
    noteWrite(settings.setWindowHeight(m_state.WindowHeight));
    m_state.WindowWidth
        = clampToInt16(screen.width() >= DefaultWindowWidth ? DefaultWindowWidth
                                                            : screen.width() - DefaultSizeMargin);
    noteWrite(settings.setWindowWidth(m_state.WindowWidth));
    reportWrites();
    QApplication::processEvents();
    m_rerunStartUp();
}

void DisplayModes::saveDisplayMode()
{
    m_state.DisplayMode
        = isMaximizedState() ? ShellState::FullScreenDisplay : ShellState::SmallerScreenDisplay;
    const bool smaller = m_state.DisplayMode == ShellState::SmallerScreenDisplay;
    if (smaller) {
        if (m_state.WindowHeight < GColor3File::MinimumWindowHeight)
            setWindowSizeTwips(GColor3File::MinimumWindowHeight, windowWidthTwips());
        if (m_state.WindowWidth < GColor3File::MinimumWindowWidth)
            setWindowSizeTwips(windowHeightTwips(), GColor3File::MinimumWindowWidth);
        m_state.WindowHeight = clampToInt16(windowHeightTwips());
        m_state.WindowWidth = clampToInt16(windowWidthTwips());
    }
    const GColor3File settings(m_folder);
    noteWrite(settings.setDisplayModeSmaller(smaller));
    if (smaller) {
        noteWrite(settings.setWindowHeight(m_state.WindowHeight));
        noteWrite(settings.setWindowWidth(m_state.WindowWidth));
    }
    reportWrites();
}

bool DisplayModes::isMaximizedState() const
{
    return (m_window.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) != 0;
}

void DisplayModes::setWindowSizeTwips(int heightTwips, int widthTwips)
{
    m_window.resize(m_metrics.toPixels(widthTwips), m_metrics.toPixels(heightTwips));
}

int DisplayModes::windowHeightTwips() const
{
    return m_metrics.toTwips(m_window.height());
}

int DisplayModes::windowWidthTwips() const
{
    return m_metrics.toTwips(m_window.width());
}
