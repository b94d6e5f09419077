#pragma once

#include "trackers/ui/TrackerLog.h"

#include <QFont>
#include <QFrame>
#include <QList>
#include <QString>

class DataGrid;
class MonthCalendar;
class QBoxLayout;
class QLabel;
class QPushButton;
class QHBoxLayout;
class QVBoxLayout;
class TrackerLogClient;

// One data column of a tracker's log, after the fixed column 0. Column 1 is
// always the date of the entry.
struct TrackerLogColumn {
    // The label standing above the column ("Label11") and its caption.
    const char* headingName;
    QString heading;
    // "###.#", "###" or empty (see DisplayFormat).
    QString format;
    // The column's width as a fraction of the log panel's width.
    double widthFraction;
    // Whether the user types into the column's cells.
    bool typedInto = false;
};

// The log panel (SSPanel3) of a tracker: the column headings, the log grid
// (Grid4) with its calendar (MonthView2) and the log behaviour, Add Row
// (SSCommand8) and Delete Row (SSCommand9). A tracker adds its own widgets
// beside the grid (above and below the row commands) and under it.
class TrackerLogPanel : public QFrame
{
    Q_OBJECT

public:
    // The calendar is a child of calendarParent, so that it can open in
    // front of every other control of the screen.
    TrackerLogPanel(const QList<TrackerLogColumn>& columns, TrackerLogClient& client,
        const TrackerLog::Services& services, QWidget* calendarParent, QWidget* parent);
    ~TrackerLogPanel() override;

    DataGrid* grid() const { return m_grid; }
    TrackerLog* log() const { return m_log; }
    MonthCalendar* calendar() const { return m_calendar; }
    QPushButton* deleteRowButton() const { return m_deleteRowButton; }

    // The tracker's places: beside the grid above the row commands, beside
    // it below them, and under the grid.
    QVBoxLayout* sideTop() const { return m_sideTop; }
    QVBoxLayout* sideBottom() const { return m_sideBottom; }
    QBoxLayout* underGrid() const { return m_underGrid; }

    // A bold caption above the log; hidden while empty.
    void setCaption(const QString& caption);

    // Empties the log and puts "Sort" back in the date column's heading.
    void clearLog();
    // Column widths as fractions of the panel's width, the headings above
    // them; never narrower than a column's texts need, so that headings are
    // not cut and dates and times stay on one line. A panel too narrow for
    // the log beside its buttons puts the buttons under it. Run when the
    // panel shows, resizes and the screen is activated.
    void setColumnWidths();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The narrowest column i (from 0, after the fixed column) can be with
    // the longest word of its heading and its widest text whole.
    int columnMinimum(int i) const;
    // The width of column i's widest cell text, measured once for each
    // state of the log: the panel is laid out on every resize and
    // activation, and a log of thousands of rows changes far less often.
    int widestText(int i) const;
    // The buttons beside the log, or in a row under it.
    void placeSide(bool beside);

    QList<TrackerLogColumn> m_columns;
    // widestText's figures, and the cell font they were measured in; empty
    // once any cell, row or font has changed since.
    mutable QList<int> m_widestTexts;
    mutable QFont m_measuredFont;
    QLabel* m_caption;
    DataGrid* m_grid;
    MonthCalendar* m_calendar;
    TrackerLog* m_log;
    QWidget* m_headingIndent;
    QList<QLabel*> m_headings;
    QPushButton* m_addRowButton;
    QPushButton* m_deleteRowButton;
    QVBoxLayout* m_sideTop;
    QVBoxLayout* m_sideBottom;
    QVBoxLayout* m_side;
    QHBoxLayout* m_body;
    QBoxLayout* m_underGrid;
};
