#include "CalendarPlacement.h"

#include "screens/Twips.h"

#include <QWidget>

namespace CalendarPlacement {

namespace {

    // Keeps the whole calendar inside its parent, which a small window could
    // otherwise cut off.
    void showAt(QWidget* calendar, QPoint topLeft)
    {
        calendar->adjustSize();
        const QWidget* parent = calendar->parentWidget();
        if (parent) {
            topLeft.setX(
                std::clamp(topLeft.x(), 0, std::max(0, parent->width() - calendar->width())));
            topLeft.setY(
                std::clamp(topLeft.y(), 0, std::max(0, parent->height() - calendar->height())));
        }
        calendar->move(topLeft);
        calendar->show();
        calendar->raise();
    }

    QPoint inParent(const QWidget* calendar, const QWidget* anchor, QPoint point)
    {
        const QWidget* parent = calendar->parentWidget();
        return parent ? anchor->mapTo(parent, point) : point;
    }

} // namespace

void showBelow(QWidget* calendar, const QWidget* anchor, int leftTwips, int gapTwips)
{
    const QPoint bottom = inParent(calendar, anchor, QPoint(0, anchor->height()));
    showAt(calendar,
        QPoint(Twips::toPixelsX(leftTwips, calendar),
            bottom.y() + Twips::toPixelsY(gapTwips, calendar)));
}

void showCentredOn(QWidget* calendar, const QWidget* anchor, int leftTwips)
{
    calendar->adjustSize();
    const QPoint top = inParent(calendar, anchor, QPoint(0, 0));
    showAt(calendar,
        QPoint(Twips::toPixelsX(leftTwips, calendar),
            top.y() + anchor->height() / 2 - calendar->height() / 2));
}

void showBeside(QWidget* calendar, const QWidget* anchor, int anchorRight, int anchorTop)
{
    showAt(calendar, inParent(calendar, anchor, QPoint(anchorRight, anchorTop)));
}

} // namespace CalendarPlacement
