#include "TrackerLogPanel.h"

#include "screens/DataGrid.h"
#include "screens/MonthCalendar.h"
#include "screens/NamedWidget.h"
#include "screens/Twips.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace {

// The fixed column 0 is a narrow margin before the dates.
constexpr double FixedColumnFraction = 0.02;
constexpr int DateEditLimit = 20;
const QString SortHeading = QStringLiteral("Sort");

} // namespace

TrackerLogPanel::TrackerLogPanel(const QList<TrackerLogColumn>& columns, TrackerLogClient& client,
    const TrackerLog::Services& services, QWidget* calendarParent, QWidget* parent)
    : QFrame(parent)
    , m_columns(columns)
{
    setObjectName(QStringLiteral("SSPanel3"));
    setFrameShape(QFrame::StyledPanel);
    m_fractionSum = FixedColumnFraction;
    for (const TrackerLogColumn& column : m_columns)
        m_fractionSum += column.widthFraction;

    m_grid = named(new DataGrid(1, 1, this), "Grid4");
    m_grid->setColumnCount(int(m_columns.size()) + 1);
    m_grid->setRowCount(50);
    m_grid->setColumnType(TrackerLog::DateColumn, DataGrid::ColumnType::Date);
    m_grid->setColumnEditLimit(TrackerLog::DateColumn, DateEditLimit);
    QList<int> typedInto;
    for (int i = 0; i < m_columns.size(); ++i) {
        const int column = i + 1;
        m_grid->setColumnFormat(column, m_columns[i].format);
        m_grid->setColumnAlignment(column, Qt::AlignCenter);
        if (m_columns[i].typedInto)
            typedInto.append(column);
    }
    m_grid->setText(0, TrackerLog::DateColumn, SortHeading);
    m_grid->setHeaderSorting(true);

    m_calendar = named(new MonthCalendar(calendarParent), "MonthView2");
    m_calendar->hide();
    m_log = new TrackerLog(m_grid, m_calendar, client, services, this);
    m_log->setEditableColumns(typedInto);

    auto* headings = new QHBoxLayout;
    headings->setSpacing(0);
    m_headingIndent = new QWidget(this);
    headings->addWidget(m_headingIndent);
    for (const TrackerLogColumn& column : m_columns) {
        auto* heading = named(new QLabel(column.heading, this), column.headingName);
        heading->setWordWrap(true);
        heading->setAlignment(Qt::AlignCenter);
        m_headings.append(heading);
        headings->addWidget(heading);
    }
    headings->addStretch(1);

    m_addRowButton
        = named(new QPushButton(QStringLiteral("&Add Additional Row"), this), "SSCommand8");
    m_deleteRowButton
        = named(new QPushButton(QStringLiteral("Delete Selected Row"), this), "SSCommand9");
    connect(m_addRowButton, &QPushButton::clicked, m_log, &TrackerLog::addRow);
    connect(m_deleteRowButton, &QPushButton::clicked, m_log, &TrackerLog::deleteRow);

    m_sideTop = new QVBoxLayout;
    m_sideBottom = new QVBoxLayout;
    m_side = new QVBoxLayout;
    m_side->addLayout(m_sideTop);
    m_side->addStretch(1);
    m_side->addWidget(m_addRowButton);
    m_side->addWidget(m_deleteRowButton);
    m_side->addLayout(m_sideBottom);

    m_underGrid = new QHBoxLayout;
    auto* logColumn = new QVBoxLayout;
    logColumn->addLayout(headings);
    logColumn->addWidget(m_grid, 1);
    logColumn->addLayout(m_underGrid);
    m_caption = named(new QLabel(this), "SSPanel3Caption");
    QFont captionFont = m_caption->font();
    captionFont.setBold(true);
    m_caption->setFont(captionFont);
    m_caption->hide();
    m_body = new QHBoxLayout;
    m_body->addLayout(logColumn, 3);
    m_body->addLayout(m_side, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_caption);
    layout->addLayout(m_body, 1);
    hide();
}

void TrackerLogPanel::setCaption(const QString& caption)
{
    m_caption->setText(caption);
    m_caption->setVisible(!caption.isEmpty());
}

void TrackerLogPanel::clearLog()
{
    auto quietly = m_log->programWrites();
    m_grid->clear();
    m_grid->setText(0, TrackerLog::DateColumn, SortHeading);
}

void TrackerLogPanel::setColumnWidths()
{
    const QTableWidget* view = m_grid->view();
    const int gridExtras
        = view->verticalScrollBar()->sizeHint().width() + 2 * view->frameWidth() + 2;
    // The columns share the panel's width as their fractions say, but take
    // no more than the room the side column leaves: a wider grid would widen
    // the panel, and with it the grid again, until the window outgrew a
    // small screen.
    const QMargins margins = layout()->contentsMargins();
    const int room = width() - margins.left() - margins.right() - m_side->minimumSize().width()
        - m_body->spacing() - gridExtras;
    const int panelTwips = Twips::fromPixelsX(width(), this);
    double share = 1.0;
    if (const int wanted = Twips::toPixelsX(int(std::lround(panelTwips * m_fractionSum)), this);
        wanted > room && wanted > 0)
        share = std::max(0.0, double(room) / wanted);
    auto widthOf = [panelTwips, share](
                       double fraction) { return int(std::lround(panelTwips * fraction * share)); };
    m_grid->setColumnWidthTwips(0, widthOf(FixedColumnFraction));
    int gridTwips = m_grid->columnWidthTwips(0);
    for (int i = 0; i < m_columns.size(); ++i) {
        const int twips = widthOf(m_columns[i].widthFraction);
        m_grid->setColumnWidthTwips(i + 1, twips);
        m_headings[i]->setFixedWidth(Twips::toPixelsX(twips, this));
        gridTwips += twips;
    }
    m_headingIndent->setFixedWidth(Twips::toPixelsX(m_grid->columnWidthTwips(0), this) + 2);
    m_grid->setFixedWidth(Twips::toPixelsX(gridTwips, this) + gridExtras);
}

void TrackerLogPanel::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    setColumnWidths();
}

void TrackerLogPanel::showEvent(QShowEvent* event)
{
    QFrame::showEvent(event);
    setColumnWidths();
}
