#include "TabOrder.h"

#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLayout>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QWidget>

#include <algorithm>

namespace {

bool takesFocusByTab(const QWidget* widget)
{
    return (widget->focusPolicy() & Qt::TabFocus) != 0;
}

void collect(QLayout* layout, QList<QWidget*>& chain);

void collect(QWidget* widget, QList<QWidget*>& chain)
{
    if (widget->isWindow())
        return;
    // A panel that scrolls is walked as the panel itself.
    if (auto* scroller = qobject_cast<QScrollArea*>(widget); scroller && scroller->widget()) {
        collect(scroller->widget(), chain);
        return;
    }
    if (takesFocusByTab(widget)) {
        chain.append(widget);
        return;
    }
    if (widget->layout())
        collect(widget->layout(), chain);
}

void collect(QLayoutItem* item, QList<QWidget*>& chain)
{
    if (QWidget* widget = item->widget())
        collect(widget, chain);
    else if (QLayout* inner = item->layout())
        collect(inner, chain);
}

void collect(QLayout* layout, QList<QWidget*>& chain)
{
    QList<int> order;
    for (int i = 0; i < layout->count(); ++i)
        order.append(i);
    // A grid's items are kept in the order they were added; the screen's
    // order is by row, then column.
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
        auto cell = [grid](int index) {
            int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
            grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
            return std::pair { row, column };
        };
        std::stable_sort(order.begin(), order.end(),
            [&cell](int left, int right) { return cell(left) < cell(right); });
    }
    for (int index : order)
        collect(layout->itemAt(index), chain);
}

// Qt types a tab into a plain-text box that lets Tab change the focus only
// when nothing else asks; Ctrl+Tab is refused as input, so it is typed here.
class TabTyping : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Tab || key->modifiers() != Qt::ControlModifier)
            return false;
        auto* box = static_cast<QPlainTextEdit*>(watched);
        if (box->isReadOnly())
            return false;
        box->insertPlainText(QStringLiteral("\t"));
        return true;
    }
};

} // namespace

namespace TabOrder {

void followLayout(QWidget* root)
{
    if (!root->layout())
        return;
    QList<QWidget*> chain;
    collect(root->layout(), chain);
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void moveFocusOnTab(QPlainTextEdit* box)
{
    box->setTabChangesFocus(true);
    box->installEventFilter(new TabTyping(box));
}

} // namespace TabOrder
