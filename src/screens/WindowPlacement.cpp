#include "WindowPlacement.h"

#include "screens/ShellState.h"
#include "screens/Twips.h"

#include <QRect>
#include <QScreen>
#include <QStyle>
#include <QWidget>

void WindowPlacement::placeLikeOpener(
    QWidget& window, const ShellState& state, const QWidget* opener)
{
    const QRect available = window.screen()->availableGeometry();
    if (state.DisplayMode == ShellState::SmallerScreenDisplay) {
        if (opener != nullptr && opener->isVisible()) {
            window.setGeometry(opener->geometry());
        } else {
            const QSize size
                = Twips::toPixels(QSize(state.WindowWidth, state.WindowHeight), &window)
                      .expandedTo(window.minimumSizeHint())
                      .boundedTo(available.size());
            window.setGeometry(
                QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, available));
        }
        return;
    }
    // Without a window manager nobody maximises the window: cover the
    // screen first.
    window.setGeometry(available);
    window.setWindowState(window.windowState() | Qt::WindowMaximized);
}
