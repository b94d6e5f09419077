#include "screens/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace {

// Used only when there is no screen at all (never on a desktop).
constexpr qreal fallbackDpi = 96.0;

qreal screenDpi(const QWidget* widget, bool horizontal)
{
    if (widget)
        return horizontal ? widget->logicalDpiX() : widget->logicalDpiY();
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return fallbackDpi;
    return horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
}

} // namespace

qreal Twips::logicalDpiX(const QWidget* widget)
{
    return screenDpi(widget, true);
}

qreal Twips::logicalDpiY(const QWidget* widget)
{
    return screenDpi(widget, false);
}

int Twips::toPixels(qreal twips, qreal dpi)
{
    return int(std::lround(twips * dpi / perInch));
}

int Twips::fromPixels(qreal pixels, qreal dpi)
{
    if (dpi <= 0)
        return 0;
    return int(std::lround(pixels * perInch / dpi));
}

int Twips::toPixelsX(qreal twips, const QWidget* widget)
{
    return toPixels(twips, logicalDpiX(widget));
}

int Twips::toPixelsY(qreal twips, const QWidget* widget)
{
    return toPixels(twips, logicalDpiY(widget));
}

int Twips::fromPixelsX(qreal pixels, const QWidget* widget)
{
    return fromPixels(pixels, logicalDpiX(widget));
}

int Twips::fromPixelsY(qreal pixels, const QWidget* widget)
{
    return fromPixels(pixels, logicalDpiY(widget));
}

QPoint Twips::toPixels(QPoint twips, const QWidget* widget)
{
    return { toPixelsX(twips.x(), widget), toPixelsY(twips.y(), widget) };
}

QPoint Twips::fromPixels(QPoint pixels, const QWidget* widget)
{
    return { fromPixelsX(pixels.x(), widget), fromPixelsY(pixels.y(), widget) };
}

QSize Twips::toPixels(QSize twips, const QWidget* widget)
{
    return { toPixelsX(twips.width(), widget), toPixelsY(twips.height(), widget) };
}

QSize Twips::fromPixels(QSize pixels, const QWidget* widget)
{
    return { fromPixelsX(pixels.width(), widget), fromPixelsY(pixels.height(), widget) };
}
