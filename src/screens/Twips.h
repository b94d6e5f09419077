#pragma once

#include <QPoint>
#include <QSize>

class QWidget;

// Screen positions and sizes are given in twips (1/1440 inch). They are
// converted with the screen's logical DPI, so that a layout keeps its
// proportions when the user changes the desktop's text scaling.
class Twips
{
public:
    static constexpr int perInch = 1440;

    // The logical DPI of the screen the widget is on, or of the primary
    // screen when no widget is given.
    static qreal logicalDpiX(const QWidget* widget = nullptr);
    static qreal logicalDpiY(const QWidget* widget = nullptr);

    static int toPixels(qreal twips, qreal dpi);
    static int fromPixels(qreal pixels, qreal dpi);

    static int toPixelsX(qreal twips, const QWidget* widget = nullptr);
    static int toPixelsY(qreal twips, const QWidget* widget = nullptr);
    static int fromPixelsX(qreal pixels, const QWidget* widget = nullptr);
    static int fromPixelsY(qreal pixels, const QWidget* widget = nullptr);

    static QPoint toPixels(QPoint twips, const QWidget* widget = nullptr);
    static QPoint fromPixels(QPoint pixels, const QWidget* widget = nullptr);
    static QSize toPixels(QSize twips, const QWidget* widget = nullptr);
    static QSize fromPixels(QSize pixels, const QWidget* widget = nullptr);
};
