#pragma once

#include "storage/GraphData.h"

#include <QWidget>

// A graph legend's sample of one series: a short line in the series' colour
// and width, with a round mark at either end when the series marks its
// points.
class LegendSample : public QWidget
{
    Q_OBJECT

public:
    LegendSample(const GraphSeries& look, QWidget* parent = nullptr);

    const GraphSeries& look() const { return m_look; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    GraphSeries m_look;
};
