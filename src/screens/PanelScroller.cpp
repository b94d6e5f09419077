#include "PanelScroller.h"

#include <QEvent>

PanelScroller::PanelScroller(QWidget* panel, QWidget* parent)
    : QScrollArea(parent)
    , m_panel(panel)
{
    setObjectName(panel->objectName() + QStringLiteral("Scroller"));
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab goes through the panel's own controls; the scroller follows the
    // focus to keep the one that has it in sight.
    setFocusPolicy(Qt::NoFocus);
    // The panel colour under the panel shows through.
    setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
    const bool shown = !panel->isHidden();
    setWidget(panel);
    // setWidget() makes the panel fill its own background, which would
    // hide the panel colour.
    panel->setAutoFillBackground(false);
    panel->setVisible(shown);
    setVisible(shown);
    panel->installEventFilter(this);
}

bool PanelScroller::eventFilter(QObject* watched, QEvent* event)
{
    // ShowToParent and HideToParent come with show() and hide() on the
    // panel itself, also while the scroller is hidden.
    if (watched == m_panel) {
        if (event->type() == QEvent::ShowToParent)
            show();
        else if (event->type() == QEvent::HideToParent)
            hide();
    }
    return QScrollArea::eventFilter(watched, event);
}
