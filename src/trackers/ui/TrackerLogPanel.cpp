#include "TrackerLogPanel.h"

#include "screens/DataGrid.h"
#include "screens/MonthCalendar.h"
#include "screens/NamedWidget.h"
#include "screens/Twips.h"
#include "screens/WidestText.h"
#include "storage/StoredDate.h"

#include <QDate>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
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
    // Any change to the log's texts or rows asks for a new measurement.
    const QAbstractItemModel* cells = m_grid->view()->model();
    const auto remeasure = [this] { m_widestTexts.clear(); };
    connect(cells, &QAbstractItemModel::dataChanged, this, remeasure);
    connect(cells, &QAbstractItemModel::rowsInserted, this, remeasure);
    connect(cells, &QAbstractItemModel::rowsRemoved, this, remeasure);
    connect(cells, &QAbstractItemModel::layoutChanged, this, remeasure);
    connect(cells, &QAbstractItemModel::modelReset, this, remeasure);
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

// The grid goes with the widgets after this panel's own members: its last
// changes must not reach a measurement that is gone.
TrackerLogPanel::~TrackerLogPanel()
{
    disconnect(m_grid->view()->model(), nullptr, this, nullptr);
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
    const QMargins margins = layout()->contentsMargins();
    const int inner = width() - margins.left() - margins.right();
    // The side column's width standing beside the log, and lying in a row
    // under it.
    int sideWidth = 0;
    int sideRowWidth = 0;
    for (int i = 0; i < m_side->count(); ++i) {
        const int itemWidth = m_side->itemAt(i)->minimumSize().width();
        sideWidth = std::max(sideWidth, itemWidth);
        sideRowWidth += itemWidth + (itemWidth > 0 ? m_side->spacing() : 0);
    }
    sideWidth += m_body->spacing();

    const int panelTwips = Twips::fromPixelsX(width(), this);
    const int fixedWidth
        = Twips::toPixelsX(int(std::lround(panelTwips * FixedColumnFraction)), this);
    QList<int> minimum;
    int minimumSum = fixedWidth;
    for (int i = 0; i < m_columns.size(); ++i) {
        minimum.append(columnMinimum(i));
        minimumSum += minimum.last();
    }
    // Under the log only while the row of buttons fits there: else the
    // columns squeeze beside them.
    // The side column's own margins and the columns' rounding to whole
    // pixels take a little more than the sums say: without this room the
    // panel would widen itself, and the window with it.
    constexpr int besideSlack = 40;
    const bool beside
        = minimumSum + gridExtras + sideWidth + besideSlack <= inner || sideRowWidth > inner;
    placeSide(beside);

    // The columns share the panel's width as their fractions say, but take
    // no more than the room the side column leaves: a wider grid would widen
    // the panel, and with it the grid again, until the window outgrew a
    // small screen.
    const int room = std::max(0, inner - gridExtras - (beside ? sideWidth : 0) - fixedWidth);
    QList<int> widths;
    int total = 0;
    int slack = 0;
    for (int i = 0; i < m_columns.size(); ++i) {
        const int wanted
            = Twips::toPixelsX(int(std::lround(panelTwips * m_columns[i].widthFraction)), this);
        widths.append(std::max(wanted, minimum[i]));
        total += widths.last();
        slack += widths.last() - minimum[i];
    }
    // Too wide: the columns above their minimum give up room first, each in
    // proportion; below the minimums all shrink alike.
    if (total > room) {
        const int excess = total - room;
        for (int i = 0; i < widths.size(); ++i) {
            if (slack >= excess) {
                const int above = widths[i] - minimum[i];
                widths[i] -= slack > 0 ? int(std::ceil(double(above) * excess / slack)) : 0;
            } else {
                widths[i] = int(minimum[i] * double(room) / std::max(1, minimumSum - fixedWidth));
            }
        }
    }

    m_grid->setColumnWidthTwips(0, Twips::fromPixelsX(fixedWidth, this));
    int gridWidth = fixedWidth;
    for (int i = 0; i < m_columns.size(); ++i) {
        m_grid->setColumnWidthTwips(i + 1, Twips::fromPixelsX(widths[i], this));
        const int shown = view->columnWidth(i);
        m_headings[i]->setFixedWidth(shown);
        gridWidth += shown;
    }
    m_headingIndent->setFixedWidth(Twips::toPixelsX(m_grid->columnWidthTwips(0), this) + 2);
    m_grid->setFixedWidth(gridWidth + gridExtras);
}

int TrackerLogPanel::columnMinimum(int i) const
{
    const QTableWidget* view = m_grid->view();
    // A cell's text has the style's margins on both sides and the grid line;
    // a heading only itself.
    const int padding
        = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1) + 2;
    int heading = 0;
    const QFontMetrics headingMetrics(m_headings[i]->font());
    for (const QString& word : m_columns[i].heading.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        heading = std::max(heading, headingMetrics.horizontalAdvance(word) + 2);
    return std::max(heading, widestText(i) + padding);
}

int TrackerLogPanel::widestText(int i) const
{
    const QTableWidget* view = m_grid->view();
    if (m_widestTexts.size() == m_columns.size() && m_measuredFont == view->font())
        return m_widestTexts[i];
    m_measuredFont = view->font();
    m_widestTexts.clear();
    for (int c = 0; c < m_columns.size(); ++c) {
        const int column = c + 1;
        QFont cellFont = view->font();
        // Derived figures are drawn in bold.
        cellFont.setBold(column != TrackerLog::DateColumn);
        const QFontMetrics cellMetrics(cellFont);
        // The longest date the calendar can write, before any is written.
        const int baseline = column == TrackerLog::DateColumn
            ? cellMetrics.horizontalAdvance(StoredDate::longText(QDate(2026, 9, 30)))
            : 0;
        WidestText widest(cellMetrics, baseline);
        for (int row = 0; row < m_grid->rowCount(); ++row)
            widest.add(m_grid->text(row, column));
        m_widestTexts.append(widest.width());
    }
    return m_widestTexts[i];
}

void TrackerLogPanel::placeSide(bool beside)
{
    const auto direction = beside ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom;
    if (m_body->direction() == direction)
        return;
    m_body->setDirection(direction);
    m_side->setDirection(beside ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
    // Under the log the buttons take only their own height.
    m_body->setStretch(1, beside ? 1 : 0);
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
