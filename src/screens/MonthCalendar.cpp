#include "screens/MonthCalendar.h"

#include "screens/Twips.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QSpinBox>
#include <QTimer>

MonthCalendar::MonthCalendar(QWidget* parent)
    : QCalendarWidget(parent)
{
    setGridVisible(true);
    setVerticalHeaderFormat(NoVerticalHeader);
    // The days' table takes the focus for the calendar, so both carry the
    // name a screen reader announces.
    const QString name = QStringLiteral("Calendar: choose a date");
    setAccessibleName(name);
    if (auto* days = findChild<QAbstractItemView*>(QStringLiteral("qt_calendar_calendarview")))
        days->setAccessibleName(name);
    connect(this, &QCalendarWidget::clicked, this, [this](QDate date) {
        // A double click also activates the day; it is still one pick.
        m_clicked = date;
        QTimer::singleShot(QApplication::doubleClickInterval(), this, [this] { m_clicked = {}; });
        emit datePicked(date);
    });
    connect(this, &QCalendarWidget::activated, this, [this](QDate date) {
        if (date != m_clicked)
            emit datePicked(date);
    });
}

void MonthCalendar::setDate(const QDate& date)
{
    if (date.isValid())
        setSelectedDate(date);
}

void MonthCalendar::showAtTwips(int leftTwips, int topTwips)
{
    move(Twips::toPixels(QPoint(leftTwips, topTwips), this));
    show();
    raise();
}

QSize MonthCalendar::sizeInTwips() const
{
    return Twips::fromPixels(size(), this);
}

bool MonthCalendar::event(QEvent* event)
{
    // Escape belongs to the calendar while it has the focus, not to the
    // screen's shortcut that would close the screen.
    if (event->type() == QEvent::ShortcutOverride
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    return QCalendarWidget::event(event);
}

void MonthCalendar::showEvent(QShowEvent* event)
{
    QCalendarWidget::showEvent(event);
    QWidget* focused = QApplication::focusWidget();
    if (focused && !isAncestorOf(focused))
        m_focusBefore = focused;
}

void MonthCalendar::keyPressEvent(QKeyEvent* event)
{
    // Escape in the year box ends the year's editing, as the calendar
    // itself does.
    const auto* year = findChild<QSpinBox*>();
    if (event->key() != Qt::Key_Escape || (year && year->isVisible())) {
        QCalendarWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    hide();
    if (m_focusBefore && m_focusBefore->isVisible())
        m_focusBefore->setFocus(Qt::OtherFocusReason);
}
