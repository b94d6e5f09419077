#include "BackgroundThumbnail.h"

#include "screens/BackgroundThumbnailAccessible.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>

BackgroundThumbnail::BackgroundThumbnail(int number, QWidget* parent)
    : ClickableImage(ClickableImage::Border::None, parent)
    , m_number(number)
{
    BackgroundThumbnailAccessible::install();
    setAccessibleName(QStringLiteral("Background picture %1").arg(number));
    setTabStop(false);
}

void BackgroundThumbnail::setMarked(bool marked)
{
    if (marked == m_marked)
        return;
    m_marked = marked;
    QAccessible::State changed;
    changed.selected = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void BackgroundThumbnail::setTabStop(bool tabStop)
{
    setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

void BackgroundThumbnail::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
            emit clicked();
            return;
        }
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
        emit stepRequested(event->key());
        return;
    default:
        break;
    }
    ClickableImage::keyPressEvent(event);
}

void BackgroundThumbnail::focusInEvent(QFocusEvent* event)
{
    ClickableImage::focusInEvent(event);
    update();
}

void BackgroundThumbnail::focusOutEvent(QFocusEvent* event)
{
    ClickableImage::focusOutEvent(event);
    update();
}

void BackgroundThumbnail::paintEvent(QPaintEvent* event)
{
    ClickableImage::paintEvent(event);
    if (!hasFocus())
        return;
    // Black under white dots: the focus shows on any picture.
    QPainter painter(this);
    const QRect mark = rect().adjusted(3, 3, -4, -4);
    painter.setPen(QPen(Qt::black, 2));
    painter.drawRect(mark);
    painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
    painter.drawRect(mark);
}
