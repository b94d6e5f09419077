#include "screens/FirstOpenWarmUp.h"

#include "screens/DataGrid.h"
#include "screens/LineChart.h"
#include "storage/StoredDate.h"

#include <QApplication>
#include <QDate>
#include <QFont>
#include <QFontMetrics>

// Loading the faces, shaping the first texts and laying out the first grid
// and chart cost a log's first opening more than every later one; done
// here, once, nobody waits on them.
void FirstOpenWarmUp::run()
{
    const QString sample
        = StoredDate::longText(QDate(2026, 9, 30)) + QStringLiteral(" 0123456789.-");
    QFont font = QApplication::font();
    for (const bool bold : { false, true }) {
        font.setBold(bold);
        (void)QFontMetrics(font).horizontalAdvance(sample);
    }

    DataGrid grid(1, 1);
    grid.setColumnCount(3);
    grid.setRowCount(3);
    grid.setText(1, 1, sample);
    grid.resize(300, 200);
    (void)grid.grab();

    LineChart chart;
    chart.setSeriesCount(1);
    chart.setPointCount(3);
    for (int point = 0; point < 3; ++point)
        chart.setValue(0, point, 150 + point);
    chart.setHeader(sample);
    chart.resize(300, 200);
    (void)chart.grab();
}
