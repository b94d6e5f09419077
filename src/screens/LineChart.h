#pragma once

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QList>
#include <QStringList>
#include <QWidget>

struct GraphData;
class QCategoryAxis;
class QChart;
class QChartView;
class QLineSeries;
class QValueAxis;

// The 2-D line chart of the graph panels. It holds a number of series of
// equal length; point k of every series is drawn at the k-th of evenly spaced
// places along the horizontal axis, labelled with the k-th label added.
// Series and points are numbered from 0.
class LineChart : public QWidget
{
    Q_OBJECT
public:
    explicit LineChart(QWidget* parent = nullptr);
    ~LineChart() override;

    // Setting a count keeps the values below it and discards the rest; new
    // points hold 0.
    void setSeriesCount(int count);
    int seriesCount() const { return int(m_values.size()); }
    void setPointCount(int count);
    int pointCount() const { return m_pointCount; }

    // Values outside the counts are ignored.
    void setValue(int series, int point, double value);
    double value(int series, int point) const;

    // Places point k at positions[k] along the horizontal axis instead of
    // at k; an empty list spaces the points evenly again.
    void setPositions(const QList<double>& positions);
    const QList<double>& positions() const { return m_positions; }

    void clearPointLabels();
    void addPointLabel(const QString& label);
    const QStringList& pointLabels() const { return m_labels; }

    void setHeader(const QString& header);
    QString header() const;
    void setXAxisTitle(const QString& title);
    QString xAxisTitle() const;
    void setYAxisTitle(const QString& title);
    QString yAxisTitle() const;

    void setSeriesColour(int series, const QColor& colour);
    QColor seriesColour(int series) const;
    // The line's width in pixels; 2 until set.
    void setSeriesWidth(int series, int width);
    int seriesWidth(int series) const;
    // Round marks of this colour at every point. Without one (an invalid
    // colour) the points are small dots in the line's colour, so that a
    // graph of one entry still shows.
    void setSeriesPointColour(int series, const QColor& colour);
    QColor seriesPointColour(int series) const;

    // Replaces everything the chart holds by the graph's series, colours,
    // widths, point marks, point labels and axis title, drawn at once. The
    // caption is the panel's.
    void showGraph(const GraphData& graph);

    // While drawing is suspended, changes are only recorded; resuming draws
    // them all at once.
    void suspendDrawing();
    void resumeDrawing();
    bool isDrawingSuspended() const { return m_suspended; }

    // The chart as it holds its data now, drawn as a picture for the printed
    // page: at print resolution (over 300 dots per inch in the reports'
    // graph boxes), with black texts of a size that reads on paper. The
    // chart on the screen is left as it was.
    QImage image();
    // Writes image() as a JPEG at quality 100, and hands the picture to
    // drawn when asked, also when the file could not be written. The file
    // is complete (or untouched, on failure) when this returns.
    bool exportJpeg(const QString& filePath, QImage* drawn = nullptr);
    QString errorString() const { return m_error; }

    QChart* chart() const { return m_chart; }

private:
    // The fonts and colours of the chart's texts: the screen's, or the
    // printed picture's.
    struct ChartTexts {
        QFont labels;
        QFont titles;
        QFont header;
        QBrush labelBrush;
        QBrush titleBrush;
    };
    ChartTexts texts() const;
    ChartTexts printTexts() const;
    void setTexts(const ChartTexts& texts);

    void redraw();
    void applyLook(int series);
    void redrawLabels();
    void redrawDatedLabels();
    double position(int point) const;
    double xMargin() const;
    void updateValueRange();

    QChartView* m_view;
    QChart* m_chart;
    QCategoryAxis* m_xAxis;
    QValueAxis* m_yAxis;
    QList<QLineSeries*> m_series;
    QList<QList<double>> m_values;
    QHash<int, QColor> m_colours;
    QHash<int, int> m_widths;
    QHash<int, QColor> m_pointColours;
    QStringList m_labels;
    QList<double> m_positions;
    int m_pointCount = 0;
    bool m_suspended = false;
    QString m_error;
};
