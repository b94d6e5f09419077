#pragma once

#include <QCalendarWidget>
#include <QDate>
#include <QPointer>

// The month calendar from which the trackers fill date fields. It stays
// hidden until a date is to be chosen and is placed in twips, like every
// other position on the screens. With the focus on it, the arrows, Page Up
// and Page Down move the date, Enter picks it and Escape puts the calendar
// away, before the screen's own Escape can close the screen.
class MonthCalendar : public QCalendarWidget
{
    Q_OBJECT
public:
    explicit MonthCalendar(QWidget* parent = nullptr);

    // An invalid date leaves the calendar as it is.
    void setDate(const QDate& date);
    QDate date() const { return selectedDate(); }

    // Places the top-left corner at a point of the parent, in twips, and
    // shows the calendar in front of its siblings.
    void showAtTwips(int leftTwips, int topTwips);
    QSize sizeInTwips() const;

signals:
    // The user chose a date: a click on a day, or Enter on the selected day.
    void datePicked(const QDate& date);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QDate m_clicked;
    // Where the focus was when the calendar showed: it goes back there when
    // Escape puts the calendar away.
    QPointer<QWidget> m_focusBefore;
};
