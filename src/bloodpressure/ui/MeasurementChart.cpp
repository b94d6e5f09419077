#include "MeasurementChart.h"

#include "bloodpressure/BloodPressureGuideline.h"
#include "screens/DataGrid.h"
#include "screens/NamedWidget.h"
#include "screens/ScreenColour.h"
#include "screens/Twips.h"

#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// A cell's second line follows a carriage return.
const QString LineBreak = QStringLiteral("\r");

const std::array<QString, MeasurementChart::Columns> Headings {
    QStringLiteral("Blood Pressure Category"), "Systolic" + LineBreak + "mm Hg (Upper #)",
    QStringLiteral(" "), "Diastolic" + LineBreak + "mm Hg (Lower #)"
};

constexpr std::array<double, MeasurementChart::Columns> ColumnFractions { 0.40, 0.26, 0.08, 0.26 };
// The own table's six rows; other tables share the same height among
// their rows.
constexpr double RowFraction = 0.164;
constexpr double LastRowFraction = 0.163;
constexpr int OwnTableRows = 6;

constexpr qreal HeadingPoints = 18;
constexpr qreal CategoryPoints = 16;
// Below this the chart is not worth reading anyway: the view wraps the
// texts at blanks instead.
constexpr qreal SmallestPoints = 7;

} // namespace

MeasurementChart::MeasurementChart(QWidget* parent)
    : QGroupBox(Title, parent)
    , m_headingPoints(HeadingPoints)
    , m_categoryPoints(CategoryPoints)
{
    setObjectName(QStringLiteral("SSPanel6"));
    m_grid = named(new DataGrid(0, 0, this), "VSFlexGrid1");
    m_grid->setColumnCount(Columns);
    m_grid->setEditMode(DataGrid::EditMode::NotEditable);
    QTableWidget* view = m_grid->view();
    view->setFont(QFont(QStringLiteral("Times New Roman")));
    view->setSelectionMode(QAbstractItemView::NoSelection);
    view->setFocusPolicy(Qt::NoFocus);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A text that does not fit is wrapped or drawn smaller, never cut short.
    view->setTextElideMode(Qt::ElideNone);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int column = 0; column < Columns; ++column)
        m_grid->setColumnAlignment(column, Qt::AlignCenter);
    view->viewport()->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid);
    fill(BloodPressureGuideline::of(BloodPressureGuideline::Id::Own));
    hide();
}

void MeasurementChart::fill(const BloodPressureGuideline& guideline)
{
    setTitle(guideline.isOwn() ? Title : Title + QStringLiteral(" - ") + guideline.name());
    struct Look {
        qint32 colour;
        bool underlined;
    };
    QList<Look> looks;
    m_texts = { Headings };
    for (const BloodPressureGuideline::Category& category : guideline.categories()) {
        m_texts.append({ category.chartName, category.systolicRange, category.joiner,
            category.diastolicRange });
        looks.append({ category.colour, category.underlined });
    }
    if (guideline.marksIsolated()) {
        // Already counted in their grade; the rows say which readings the
        // report marks apart, in the colour of the first grade they reach.
        m_texts.append(
            { BloodPressureGuideline::IsolatedSystolicName, QStringLiteral("140 or higher"),
                QStringLiteral("and"), QStringLiteral("Less than 90") });
        looks.append({ guideline.category(guideline.ofSystolic(140)).colour, false });
        m_texts.append(
            { BloodPressureGuideline::IsolatedDiastolicName, QStringLiteral("Less than 140"),
                QStringLiteral("and"), QStringLiteral("90 or higher") });
        looks.append({ guideline.category(guideline.ofDiastolic(90)).colour, false });
    }
    m_grid->setRowCount(rows());

    const int lastColumn = Columns - 1;
    for (int row = 0; row < rows(); ++row) {
        for (int column = 0; column < Columns; ++column)
            m_grid->setText(row, column, m_texts[row][column]);
    }
    m_grid->setForeground({ 0, 0, 0, lastColumn }, Qt::black);
    m_grid->setBold({ 0, 0, 0, lastColumn }, true);
    m_grid->setUnderline({ 0, 0, 0, lastColumn }, true);
    m_grid->setFontSize({ 0, 0, 0, lastColumn }, m_headingPoints);
    // The blank between the two headings would show as a stray dash.
    m_grid->setUnderline({ 0, 2, 0, 2 }, false);

    // The rows below the headings are the categories, least severe first.
    for (int row = 1; row < rows(); ++row) {
        const Look& look = looks[row - 1];
        m_grid->setForeground({ row, 0, row, lastColumn }, ScreenColour::toQColor(look.colour));
        m_grid->setBold({ row, 0, row, lastColumn }, true);
        m_grid->setFontSize({ row, 0, row, lastColumn }, m_categoryPoints);
        m_grid->setUnderline({ row, 0, row, lastColumn }, look.underlined);
        // "or" between the most severe bounds is the one cell of that row
        // not underlined.
        m_grid->setUnderline({ row, 2, row, 2 }, false);
    }
    setCellSizes();
}

bool MeasurementChart::eventFilter(QObject* watched, QEvent* event)
{
    // The cells follow the space the table has to show them in.
    if (watched == m_grid->view()->viewport() && event->type() == QEvent::Resize)
        setCellSizes();
    return QGroupBox::eventFilter(watched, event);
}

void MeasurementChart::setCellSizes()
{
    const QWidget* viewport = m_grid->view()->viewport();
    const int widthTwips = Twips::fromPixelsX(viewport->width(), this);
    const int heightTwips = Twips::fromPixelsY(viewport->height(), this);
    for (int column = 0; column < Columns; ++column)
        m_grid->setColumnWidthTwips(column, int(std::lround(widthTwips * ColumnFractions[column])));
    const double shared = (RowFraction * (OwnTableRows - 1) + LastRowFraction) / rows();
    for (int row = 0; row < rows(); ++row) {
        const double fraction = rows() != OwnTableRows ? shared
            : row == rows() - 1                        ? LastRowFraction
                                                       : RowFraction;
        m_grid->setRowHeightTwips(row, int(std::lround(heightTwips * fraction)));
    }
    fitFontSizes();
}

void MeasurementChart::fitFontSizes()
{
    qreal heading = HeadingPoints;
    while (heading > SmallestPoints && !rowsFit(0, 0, heading))
        heading -= 1;
    qreal category = std::min(CategoryPoints, heading);
    while (category > SmallestPoints && !rowsFit(1, rows() - 1, category))
        category -= 1;
    const int lastColumn = Columns - 1;
    if (heading != m_headingPoints) {
        m_headingPoints = heading;
        m_grid->setFontSize({ 0, 0, 0, lastColumn }, m_headingPoints);
    }
    if (category != m_categoryPoints) {
        m_categoryPoints = category;
        m_grid->setFontSize({ 1, 0, rows() - 1, lastColumn }, m_categoryPoints);
    }
}

bool MeasurementChart::rowsFit(int first, int last, qreal points) const
{
    const QTableWidget* view = m_grid->view();
    // The room the view's style leaves for a cell's text.
    const int margin
        = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
    QFont font = view->font();
    font.setBold(true);
    font.setUnderline(true);
    font.setPointSizeF(points);
    const QFontMetrics metrics(font);
    for (int row = first; row <= last; ++row) {
        for (int column = 0; column < Columns; ++column) {
            const int width = view->columnWidth(column) - margin;
            const QStringList lines = m_texts[row][column].split(LineBreak);
            if (int(lines.size()) * metrics.lineSpacing() > view->rowHeight(row) - 1)
                return false;
            // Each of a cell's lines on one line of its own: "mm Hg (Upper #)"
            // broken after "Upper" reads worse than a smaller size.
            for (const QString& line : lines) {
                if (metrics.horizontalAdvance(line) >= width)
                    return false;
            }
        }
    }
    return true;
}
