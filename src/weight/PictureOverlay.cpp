#include "PictureOverlay.h"

#include "screens/Twips.h"

#include <QEvent>

namespace {

constexpr int MarginTwips = 60;

} // namespace

PictureOverlay::PictureOverlay(QWidget* mainPanel)
    : QGroupBox(mainPanel)
    , m_mainPanel(mainPanel)
{
    // The controls of the main panel must not show through.
    setAutoFillBackground(true);
    hide();
    m_mainPanel->installEventFilter(this);
}

void PictureOverlay::showOverMainPanel()
{
    place();
    show();
    raise();
}

void PictureOverlay::place()
{
    const int left = Twips::toPixelsX(MarginTwips, m_mainPanel);
    const int top = Twips::toPixelsY(MarginTwips, m_mainPanel);
    setGeometry(left, top, m_mainPanel->width() - 2 * left, m_mainPanel->height() - 2 * top);
    placed();
}

bool PictureOverlay::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_mainPanel && event->type() == QEvent::Resize && isVisible())
        place();
    return QGroupBox::eventFilter(watched, event);
}
