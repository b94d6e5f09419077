#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

// One line of a graph, with the look the trackers give it.
struct GraphSeries {
    // Colours are 32-bit values with red in the low byte, then green, then
    // blue, as everywhere in the stored settings.
    static constexpr qint32 colour(int red, int green, int blue)
    {
        return red | (green << 8) | (blue << 16);
    }

    QString name;
    QList<double> values; // one per point of the graph
    qint32 lineColour = 0;
    int lineWidth = 2; // 6 for the thick reference lines, 2 for thin ones
    std::optional<qint32> pointColour; // round point marks, when set

    bool operator==(const GraphSeries&) const = default;
};

// Everything a chart adapter needs to draw one graph; it computes nothing.
struct GraphData {
    QString caption; // the graph panel's caption
    QString axisTitle; // the horizontal axis
    QStringList labels; // one per point, along the horizontal axis
    QList<GraphSeries> series; // every series holds labels.size() values
    // Where each point stands along the horizontal axis, in days; empty
    // for evenly spaced points.
    QList<double> positions;
    QString valueAxisTitle; // the vertical axis

    qsizetype pointCount() const { return labels.size(); }
    bool operator==(const GraphData&) const = default;
};
