#include "screens/LineChart.h"

#include "screens/ScreenColour.h"
#include "storage/GraphData.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QImageWriter>
#include <QLineSeries>
#include <QPainter>
#include <QSaveFile>
#include <QSet>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// The exported picture: laid out at this size in screen pixels (the
// printed graph boxes are about twice as wide as high) and drawn this many
// times larger, which gives at least 300 dots per inch in every box the
// reports print it in (the widest, 10.8 inches, holds it 10 inches wide).
constexpr QSize printLayoutSize(1000, 500);
constexpr qreal printScale = 3.3;
constexpr int printLabelPixels = 16;
constexpr int printTitlePixels = 18;
// Series without a colour of the caller's get these, which stay apart from
// each other and from the light reference-line colours the trackers use.
const QColor defaultColours[] = { QColor(0, 100, 0), QColor(192, 0, 0), QColor(0, 0, 160),
    QColor(150, 0, 150), QColor(200, 110, 0) };

// Points sit half a step in from either end so the end labels are not cut.
constexpr double edgeMargin = 0.5;

constexpr int defaultLineWidth = 2;
constexpr int dotSize = 5;
constexpr int roundMarkSize = 9;

// A filled circle with a thin darker rim, drawn at every point of a series
// with round marks.
QImage roundMark(const QColor& colour)
{
    QImage mark(roundMarkSize * 4, roundMarkSize * 4, QImage::Format_ARGB32_Premultiplied);
    mark.fill(Qt::transparent);
    QPainter painter(&mark);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour.darker(140), 4));
    painter.setBrush(colour);
    painter.drawEllipse(QRectF(mark.rect()).adjusted(2, 2, -2, -2));
    return mark;
}

} // namespace

LineChart::LineChart(QWidget* parent)
    : QWidget(parent)
    , m_view(new QChartView(this))
    , m_chart(new QChart)
    , m_xAxis(new QCategoryAxis)
    , m_yAxis(new QValueAxis)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    // A picture to look at, with nothing to do by keys: Tab passes it by,
    // and a screen reader finds it by the name its screen gives.
    m_view->setFocusPolicy(Qt::NoFocus);
    m_view->viewport()->setFocusPolicy(Qt::NoFocus);

    m_chart->legend()->hide();
    m_chart->addAxis(m_xAxis, Qt::AlignBottom);
    m_chart->addAxis(m_yAxis, Qt::AlignLeft);
    m_xAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_xAxis->setLabelsAngle(-90);
    // Thinning (below) keeps the labels apart; cut short they would show
    // nothing of the date.
    m_xAxis->setTruncateLabels(false);
    m_xAxis->setGridLineVisible(false);
    // "%g" so that a narrow range (one weigh-in, or none) shows 0.5 steps
    // instead of the same whole number twice.
    m_yAxis->setLabelFormat(QStringLiteral("%g"));
    // The view made a chart of its own, which setChart() hands back to us:
    // nothing else would ever delete it.
    QChart* initialChart = m_view->chart();
    m_view->setChart(m_chart);
    delete initialChart;
    m_view->setRenderHint(QPainter::Antialiasing);
    connect(m_chart, &QGraphicsWidget::geometryChanged, this, &LineChart::redrawLabels);
    redraw();
}

LineChart::~LineChart() = default;

void LineChart::setSeriesCount(int count)
{
    m_values.resize(std::max(count, 0), QList<double>(m_pointCount, 0.0));
    redraw();
}

void LineChart::setPointCount(int count)
{
    m_pointCount = std::max(count, 0);
    for (QList<double>& series : m_values)
        series.resize(m_pointCount, 0.0);
    redraw();
}

void LineChart::setValue(int series, int point, double value)
{
    if (series < 0 || series >= seriesCount() || point < 0 || point >= m_pointCount)
        return;
    m_values[series][point] = value;
    if (m_suspended)
        return;
    m_series[series]->replace(point, point, value);
    updateValueRange();
}

double LineChart::value(int series, int point) const
{
    if (series < 0 || series >= seriesCount() || point < 0 || point >= m_pointCount)
        return 0;
    return m_values[series][point];
}

void LineChart::clearPointLabels()
{
    m_labels.clear();
    redrawLabels();
}

void LineChart::addPointLabel(const QString& label)
{
    m_labels.append(label);
    redrawLabels();
}

void LineChart::setHeader(const QString& header)
{
    m_chart->setTitle(header);
}

QString LineChart::header() const
{
    return m_chart->title();
}

void LineChart::setXAxisTitle(const QString& title)
{
    m_xAxis->setTitleText(title);
}

QString LineChart::xAxisTitle() const
{
    return m_xAxis->titleText();
}

void LineChart::setYAxisTitle(const QString& title)
{
    m_yAxis->setTitleText(title);
}

QString LineChart::yAxisTitle() const
{
    return m_yAxis->titleText();
}

void LineChart::setSeriesColour(int series, const QColor& colour)
{
    if (series < 0)
        return;
    m_colours.insert(series, colour);
    if (series < m_series.size() && colour.isValid())
        applyLook(series);
}

QColor LineChart::seriesColour(int series) const
{
    if (series >= 0 && series < m_series.size())
        return m_series[series]->color();
    return m_colours.value(series);
}

void LineChart::setSeriesWidth(int series, int width)
{
    if (series < 0 || width < 1)
        return;
    m_widths.insert(series, width);
    if (series < m_series.size())
        applyLook(series);
}

int LineChart::seriesWidth(int series) const
{
    return m_widths.value(series, defaultLineWidth);
}

void LineChart::setSeriesPointColour(int series, const QColor& colour)
{
    if (series < 0)
        return;
    m_pointColours.insert(series, colour);
    if (series < m_series.size())
        applyLook(series);
}

QColor LineChart::seriesPointColour(int series) const
{
    return m_pointColours.value(series);
}

void LineChart::applyLook(int index)
{
    QLineSeries* series = m_series[index];
    const QColor colour = m_colours.value(index);
    QPen pen = series->pen();
    pen.setWidth(seriesWidth(index));
    pen.setColor(colour.isValid() ? colour : defaultColours[index % std::size(defaultColours)]);
    series->setPen(pen);
    const QColor point = seriesPointColour(index);
    // Round marks are pictures drawn over the line; the dots would be drawn
    // under them as well, so only one of the two is on.
    series->setPointsVisible(!point.isValid());
    series->setLightMarker(point.isValid() ? roundMark(point) : QImage());
    series->setMarkerSize(point.isValid() ? roundMarkSize : dotSize);
}

void LineChart::suspendDrawing()
{
    m_suspended = true;
    m_view->setUpdatesEnabled(false);
}

void LineChart::resumeDrawing()
{
    m_suspended = false;
    redraw();
    m_view->setUpdatesEnabled(true);
}

void LineChart::redraw()
{
    if (m_suspended)
        return;
    while (m_series.size() > m_values.size()) {
        QLineSeries* series = m_series.takeLast();
        m_chart->removeSeries(series);
        delete series;
    }
    while (m_series.size() < m_values.size()) {
        auto* series = new QLineSeries;
        m_chart->addSeries(series);
        series->attachAxis(m_xAxis);
        series->attachAxis(m_yAxis);
        m_series.append(series);
        applyLook(int(m_series.size()) - 1);
    }
    for (qsizetype s = 0; s < m_series.size(); ++s) {
        QList<QPointF> points;
        points.reserve(m_pointCount);
        for (int k = 0; k < m_pointCount; ++k)
            points.append(QPointF(position(k), m_values[s][k]));
        m_series[s]->replace(points);
    }
    m_xAxis->setRange(-xMargin(), position(std::max(m_pointCount - 1, 0)) + xMargin());
    updateValueRange();
    redrawLabels();
}

void LineChart::updateValueRange()
{
    double low = 0;
    double high = 0;
    bool any = false;
    for (const QList<double>& series : std::as_const(m_values)) {
        for (double value : series) {
            low = any ? std::min(low, value) : value;
            high = any ? std::max(high, value) : value;
            any = true;
        }
    }
    if (!any) {
        low = 0;
        high = 1;
    }
    // Flat lines sit inside the plot, not on its frame.
    const double margin = high > low ? (high - low) * 0.05 : std::max(std::fabs(high) * 0.05, 1.0);
    m_yAxis->setRange(low - margin, high + margin);
    m_yAxis->applyNiceNumbers();
}

void LineChart::redrawLabels()
{
    if (m_suspended)
        return;
    for (const QString& label : m_xAxis->categoriesLabels())
        m_xAxis->remove(label);
    m_xAxis->setStartValue(-xMargin());
    if (!m_positions.isEmpty()) {
        redrawDatedLabels();
        return;
    }

    // Labels stand on end; when they would overlap, only every step-th one
    // is shown. The axis needs unique labels, so a repeated one (two
    // weigh-ins on one day) gets zero-width spaces that do not show.
    const int width = std::max(int(m_chart->size().width()) - 120, 100);
    const int slot = QFontMetrics(m_xAxis->labelsFont()).height() + 2;
    const int step = std::max(1, int(std::ceil(double(m_pointCount) * slot / width)));
    QSet<QString> used;
    for (int k = 0; k < m_pointCount && k < m_labels.size(); k += step) {
        QString label = m_labels[k];
        while (used.contains(label))
            label += QChar(0x200B);
        used.insert(label);
        m_xAxis->append(label, k);
    }
}

void LineChart::redrawDatedLabels()
{
    // Points placed by date crowd where weigh-ins are frequent: a label is
    // shown only where it keeps a label's height from the one before.
    const int width = std::max(int(m_chart->size().width()) - 120, 100);
    const int slot = QFontMetrics(m_xAxis->labelsFont()).height() + 2;
    const double span = position(std::max(m_pointCount - 1, 0)) + 2 * xMargin();
    const double gap = span * slot / width;
    QSet<QString> used;
    std::optional<double> lastShown;
    for (int k = 0; k < m_pointCount && k < m_labels.size(); ++k) {
        const double at = position(k);
        if (lastShown && at - *lastShown < gap)
            continue;
        QString label = m_labels[k];
        while (used.contains(label))
            label += QChar(0x200B);
        used.insert(label);
        m_xAxis->append(label, at);
        lastShown = at;
    }
}

double LineChart::position(int point) const
{
    return m_positions.isEmpty() ? double(point) : m_positions.value(point, double(point));
}

double LineChart::xMargin() const
{
    if (m_positions.isEmpty())
        return edgeMargin;
    // Half a day, or a little of a long span, so that the end points are
    // not drawn on the frame.
    return std::max(edgeMargin, position(std::max(m_pointCount - 1, 0)) * 0.02);
}

void LineChart::setPositions(const QList<double>& positions)
{
    m_positions = positions;
    redraw();
}

QImage LineChart::image()
{
    const bool wasSuspended = m_suspended;
    if (wasSuspended)
        resumeDrawing();

    // The chart is laid out as on a screen the size of the printed graph
    // box and drawn at print resolution, so that its lines and texts stay
    // sharp on paper and its labels keep a size that reads there. The
    // scene is drawn directly, not through the view, so that a hidden chart
    // (rebuilt but never shown) is drawn the same way.
    const QSizeF shownSize = m_chart->size();
    const ChartTexts screenTexts = texts();
    setTexts(printTexts());
    m_chart->resize(printLayoutSize);
    redrawLabels();
    m_chart->layout()->activate();
    QCoreApplication::sendPostedEvents(m_chart, QEvent::LayoutRequest);

    QImage image(printLayoutSize * printScale, QImage::Format_RGB32);
    const int dotsPerMetre = int(std::lround(96 * printScale / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHints(
            QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
        m_chart->scene()->render(
            &painter, QRectF(image.rect()), QRectF(m_chart->scenePos(), QSizeF(printLayoutSize)));
    }

    setTexts(screenTexts);
    if (!shownSize.isEmpty())
        m_chart->resize(shownSize);
    redrawLabels();
    if (wasSuspended)
        suspendDrawing();
    return image;
}

LineChart::ChartTexts LineChart::texts() const
{
    ChartTexts texts;
    texts.labels = m_xAxis->labelsFont();
    texts.titles = m_xAxis->titleFont();
    texts.header = m_chart->titleFont();
    texts.labelBrush = m_xAxis->labelsBrush();
    texts.titleBrush = m_xAxis->titleBrush();
    return texts;
}

LineChart::ChartTexts LineChart::printTexts() const
{
    // Sizes in pixels of the layout: about 10 and 11 points on the printed
    // page, in black rather than the screen's grey.
    ChartTexts texts = this->texts();
    texts.labels.setPixelSize(printLabelPixels);
    texts.titles.setPixelSize(printTitlePixels);
    texts.titles.setBold(true);
    texts.header.setPixelSize(printTitlePixels);
    texts.labelBrush = QBrush(Qt::black);
    texts.titleBrush = QBrush(Qt::black);
    return texts;
}

void LineChart::setTexts(const ChartTexts& texts)
{
    for (QAbstractAxis* axis :
        { static_cast<QAbstractAxis*>(m_xAxis), static_cast<QAbstractAxis*>(m_yAxis) }) {
        axis->setLabelsFont(texts.labels);
        axis->setTitleFont(texts.titles);
        axis->setLabelsBrush(texts.labelBrush);
        axis->setTitleBrush(texts.titleBrush);
    }
    m_chart->setTitleFont(texts.header);
    m_chart->setTitleBrush(texts.titleBrush);
}

bool LineChart::exportJpeg(const QString& filePath, QImage* drawn)
{
    const QImage image = this->image();
    if (drawn)
        *drawn = image;

    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly)) {
        m_error = file.errorString();
        return false;
    }
    QImageWriter writer(&file, "jpeg");
    writer.setQuality(100);
    if (!writer.write(image)) {
        m_error = writer.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        m_error = file.errorString();
        return false;
    }
    m_error.clear();
    return true;
}

void LineChart::showGraph(const GraphData& graph)
{
    suspendDrawing();
    clearPointLabels();
    setSeriesCount(int(graph.series.size()));
    setPointCount(int(graph.pointCount()));
    for (int series = 0; series < graph.series.size(); ++series) {
        const GraphSeries& line = graph.series[series];
        setSeriesColour(series, ScreenColour::toQColor(line.lineColour));
        setSeriesWidth(series, line.lineWidth);
        setSeriesPointColour(
            series, line.pointColour ? ScreenColour::toQColor(*line.pointColour) : QColor());
        for (int point = 0; point < line.values.size(); ++point)
            setValue(series, point, line.values[point]);
    }
    setPositions(graph.positions);
    for (const QString& label : graph.labels)
        addPointLabel(label);
    setXAxisTitle(graph.axisTitle);
    setYAxisTitle(graph.valueAxisTitle);
    resumeDrawing();
}
