#include "ScreenMetrics.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

QSize ScreenMetrics::sizeInPixels() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry().size() : QSize(800, 600);
}

double ScreenMetrics::logicalDotsPerInch() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen != nullptr ? screen->logicalDotsPerInch() : 96.0;
    return dpi > 0 ? dpi : 96.0;
}

int ScreenMetrics::toTwips(int pixels) const
{
    return static_cast<int>(std::lround(pixels * twipsPerPixel()));
}

int ScreenMetrics::toPixels(int twips) const
{
    return static_cast<int>(std::lround(twips / twipsPerPixel()));
}

QSize ScreenMetrics::sizeInTwips() const
{
    const QSize pixels = sizeInPixels();
    return { toTwips(pixels.width()), toTwips(pixels.height()) };
}
