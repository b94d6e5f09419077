#include "EntryBoxGroup.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

const QColor Highlight(255, 255, 0);

} // namespace

EntryBoxGroup::EntryBoxGroup(const QLineEdit* normalColour, QObject* parent)
    : QObject(parent)
    , m_normalColour(normalColour)
{ }

void EntryBoxGroup::watch(QWidget* box, int index)
{
    m_boxes.append(box);
    m_indexes.append(index);
    box->installEventFilter(this);
}

void EntryBoxGroup::add(QPlainTextEdit* box, int index)
{
    watch(box, index);
}

void EntryBoxGroup::add(QLineEdit* box, int index)
{
    watch(box, index);
    box->setAutoFillBackground(true);
    // textEdited, not textChanged: a value loaded from a file is shown as
    // stored, never rewritten by the rules meant for typing.
    connect(box, &QLineEdit::textEdited, this, [this, index] { emit edited(index); });
}

bool EntryBoxGroup::eventFilter(QObject* watched, QEvent* event)
{
    // qobject_cast, not static_cast: a box being destroyed still gets
    // events from QWidget's destructor, when it is no line edit or text
    // edit any more.
    QWidget* watchedBox = qobject_cast<QLineEdit*>(watched);
    if (watchedBox == nullptr)
        watchedBox = qobject_cast<QPlainTextEdit*>(watched);
    const qsizetype position = watchedBox ? m_boxes.indexOf(watchedBox) : -1;
    if (position < 0)
        return QObject::eventFilter(watched, event);
    QWidget* box = m_boxes[position];
    const int index = m_indexes[position];
    switch (event->type()) {
    case QEvent::FocusIn:
        if (!m_firstFocusSkipped) {
            m_firstFocusSkipped = true;
            break;
        }
        highlight(box);
        emit focused(index);
        break;
    case QEvent::FocusOut:
        restoreColour(box);
        break;
    case QEvent::MouseButtonPress:
        emit clicked(index);
        break;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit enterPressed(index);
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

// The text area of every kind of box paints with the Base colour.
void EntryBoxGroup::highlight(QWidget* box)
{
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, Highlight);
    box->setPalette(palette);
}

void EntryBoxGroup::restoreColour(QWidget* box)
{
    if (box->palette().color(QPalette::Base) != Highlight)
        return;
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, m_normalColour->palette().color(QPalette::Base));
    box->setPalette(palette);
}
