#include "screens/LineChart.h"

#include "QtPrinting.h"
#include "TemporaryProgramFolder.h"

#include "storage/GraphData.h"

#include <QAbstractAxis>
#include <QChart>
#include <QImage>
#include <QImageReader>
#include <QLineSeries>
#include <QSet>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

QList<QPointF> pointsOf(const LineChart& chart, int series)
{
    return static_cast<QLineSeries*>(chart.chart()->series().at(series))->points();
}

// The weight graph: weights, a flat goal line and a flat beginning line.
void fillWeightGraph(LineChart& chart, int points)
{
    chart.suspendDrawing();
    chart.setSeriesCount(3);
    chart.setPointCount(points);
    chart.clearPointLabels();
    for (int k = 0; k < points; ++k) {
        chart.setValue(0, k, 200 - k * 0.5 + (k % 3));
        chart.setValue(1, k, 150);
        chart.setValue(2, k, 200);
        chart.addPointLabel(QDate(2013, 1, 1).addDays(7 * k).toString(QStringLiteral("MMM-dd-yy")));
    }
    chart.resumeDrawing();
}

// Pixels clearly of the colour's hue: JPEG blurs the colour of thin lines, so
// the dominant channel is what is compared.
int pixelsOfHue(const QImage& image, const QColor& colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel(image.pixel(x, y));
            const int channels[] = { pixel.red(), pixel.green(), pixel.blue() };
            const int wanted[] = { colour.red(), colour.green(), colour.blue() };
            const int strongest = int(std::max_element(wanted, wanted + 3) - wanted);
            bool dominant = true;
            for (int c = 0; c < 3; ++c) {
                if (c != strongest && channels[strongest] < channels[c] + 60)
                    dominant = false;
            }
            count += dominant ? 1 : 0;
        }
    }
    return count;
}

TEST(LineChartTest, CountsKeepTheValuesBelowThemAndPointsAreEvenlySpaced)
{
    LineChart chart;
    chart.setSeriesCount(2);
    chart.setPointCount(4);
    for (int k = 0; k < 4; ++k) {
        chart.setValue(0, k, 10 + k);
        chart.setValue(1, k, 20 + k);
    }
    chart.setPointCount(2);
    chart.setPointCount(3);
    EXPECT_EQ(chart.value(0, 1), 11);
    EXPECT_EQ(chart.value(0, 2), 0);
    chart.setSeriesCount(1);
    chart.setSeriesCount(2);
    EXPECT_EQ(chart.value(1, 0), 0);
    EXPECT_EQ(chart.chart()->series().size(), 2);
    EXPECT_EQ(pointsOf(chart, 0), QList<QPointF>({ { 0, 10 }, { 1, 11 }, { 2, 0 } }));

    // Out of range: ignored.
    chart.setValue(2, 0, 5);
    chart.setValue(0, 3, 5);
    EXPECT_EQ(chart.value(0, 3), 0);
}

TEST(LineChartTest, NothingIsDrawnWhileDrawingIsSuspended)
{
    LineChart chart;
    chart.setSeriesCount(1);
    chart.setPointCount(2);
    chart.suspendDrawing();
    chart.setValue(0, 0, 7);
    chart.setPointCount(3);
    EXPECT_EQ(pointsOf(chart, 0), QList<QPointF>({ { 0, 0 }, { 1, 0 } }));
    chart.resumeDrawing();
    EXPECT_EQ(pointsOf(chart, 0), QList<QPointF>({ { 0, 7 }, { 1, 0 }, { 2, 0 } }));
}

TEST(LineChartTest, LabelsTitlesAndColoursAreKept)
{
    LineChart chart;
    fillWeightGraph(chart, 3);
    chart.setXAxisTitle(QStringLiteral("Weigh In Dates"));
    chart.setYAxisTitle(QStringLiteral("Weight"));
    chart.setHeader(QStringLiteral("Weight Tracker Graph"));
    chart.setSeriesColour(1, QColor(128, 255, 255));
    chart.setSeriesColour(2, QColor(128, 128, 255));
    EXPECT_EQ(chart.pointLabels(), QStringList({ "Jan-01-13", "Jan-08-13", "Jan-15-13" }));
    EXPECT_EQ(chart.xAxisTitle(), "Weigh In Dates");
    EXPECT_EQ(chart.yAxisTitle(), "Weight");
    EXPECT_EQ(chart.header(), "Weight Tracker Graph");
    EXPECT_EQ(chart.seriesColour(1), QColor(128, 255, 255));

    // Colours survive a change of the series count.
    chart.setSeriesCount(0);
    chart.setSeriesCount(3);
    EXPECT_EQ(chart.seriesColour(2), QColor(128, 128, 255));

    // A rebuild starts the labels afresh; equal labels are allowed.
    chart.clearPointLabels();
    chart.addPointLabel(QStringLiteral("Feb-20-13"));
    chart.addPointLabel(QStringLiteral("Feb-20-13"));
    EXPECT_EQ(chart.pointLabels(), QStringList({ "Feb-20-13", "Feb-20-13" }));
}

TEST(LineChartTest, GraphSeriesBringTheirWidthsAndRoundPointMarks)
{
    GraphData graph;
    graph.labels = { "Jan-01-13", "Jan-08-13", "Jan-15-13" };
    graph.series = {
        { "normal", { 119, 119, 119 }, GraphSeries::colour(0, 0, 255), 6, std::nullopt },
        { "readings", { 110, 130, 125 }, GraphSeries::colour(255, 0, 0), 2,
            GraphSeries::colour(0, 160, 0) },
    };
    TemporaryProgramFolder folder;
    LineChart chart;
    chart.resize(900, 600);
    chart.show();
    chart.showGraph(graph);

    auto series
        = [&](int index) { return static_cast<QLineSeries*>(chart.chart()->series().at(index)); };
    EXPECT_EQ(series(0)->pen().width(), 6);
    EXPECT_EQ(series(1)->pen().width(), 2);
    // Without a mark colour the points stay small dots of the line's colour.
    EXPECT_TRUE(series(0)->pointsVisible());
    EXPECT_TRUE(series(0)->lightMarker().isNull());
    const QImage mark = series(1)->lightMarker();
    ASSERT_FALSE(mark.isNull());
    EXPECT_EQ(QColor(mark.pixel(mark.rect().center())), QColor(0, 160, 0));
    EXPECT_EQ(mark.pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(chart.seriesPointColour(1), QColor(0, 160, 0));

    ASSERT_TRUE(chart.exportJpeg(folder.filePath("Chartxxx.jpg")));
    EXPECT_GT(pixelsOfHue(QImage(folder.filePath("Chartxxx.jpg")), QColor(0, 160, 0)), 60);

    // A graph without marks takes them away again.
    graph.series[1].pointColour.reset();
    chart.showGraph(graph);
    EXPECT_TRUE(series(1)->lightMarker().isNull());
    EXPECT_TRUE(series(1)->pointsVisible());
}

TEST(LineChartTest, ExportsAJpegOfTheDataItHolds)
{
    TemporaryProgramFolder folder;
    const QString path = folder.filePath(QStringLiteral("Chartxxx.jpg"));
    LineChart chart;
    chart.resize(900, 600);
    chart.show();
    fillWeightGraph(chart, 50);
    chart.setSeriesColour(0, QColor(255, 0, 0));
    chart.setSeriesColour(1, QColor(0, 160, 0));
    chart.setSeriesColour(2, QColor(0, 0, 255));

    const QSizeF shownSize = chart.chart()->size();
    const QFont shownLabels = chart.chart()->axes(Qt::Horizontal).first()->labelsFont();

    // Exported straight after a suspended fill, as the print run does.
    chart.suspendDrawing();
    chart.setValue(2, 10, 220);
    ASSERT_TRUE(chart.exportJpeg(path)) << chart.errorString().toStdString();
    EXPECT_TRUE(chart.isDrawingSuspended());
    chart.resumeDrawing();

    QImageReader reader(path);
    EXPECT_EQ(reader.format(), "jpeg");
    const QImage image = reader.read();
    ASSERT_FALSE(image.isNull());
    // Drawn for paper, not copied from the screen: 3300 pixels fill the
    // widest graph box of the reports (10 inches) at 330 dots per inch...
    EXPECT_EQ(image.size(), QSize(3300, 1650));
    // ...and the chart on the screen keeps its size and its texts.
    EXPECT_EQ(chart.chart()->size(), shownSize);
    EXPECT_EQ(chart.chart()->axes(Qt::Horizontal).first()->labelsFont(), shownLabels);
    EXPECT_GT(pixelsOfHue(image, QColor(255, 0, 0)), 200);
    EXPECT_GT(pixelsOfHue(image, QColor(0, 160, 0)), 200);
    EXPECT_GT(pixelsOfHue(image, QColor(0, 0, 255)), 200);

    // Without the weights, the picture has no red line.
    chart.setSeriesCount(2);
    chart.setSeriesColour(0, QColor(0, 160, 0));
    ASSERT_TRUE(chart.exportJpeg(path));
    EXPECT_LT(pixelsOfHue(QImage(path), QColor(255, 0, 0)), 20);
}

TEST(LineChartTest, AHiddenChartExportsAtPrintSize)
{
    TemporaryProgramFolder folder;
    LineChart chart;
    fillWeightGraph(chart, 12);
    chart.setSeriesColour(0, QColor(255, 0, 0));
    ASSERT_TRUE(chart.exportJpeg(folder.filePath("Chartxxx.jpg")));
    const QImage image(folder.filePath("Chartxxx.jpg"));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(3300, 1650));
    EXPECT_GT(pixelsOfHue(image, QColor(255, 0, 0)), 100);
}

TEST(LineChartTest, AFailedExportLeavesTheOldPicture)
{
    TemporaryProgramFolder folder;
    folder.write("Chartxxx.jpg", "old");
    LineChart chart;
    fillWeightGraph(chart, 5);
    EXPECT_FALSE(chart.exportJpeg(folder.filePath("missing folder/Chartxxx.jpg")));
    EXPECT_FALSE(chart.errorString().isEmpty());
    EXPECT_EQ(folder.read("Chartxxx.jpg"), "old");
}

} // namespace
