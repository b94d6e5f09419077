#include "ScreenMetrics.h"

#include "screens/Twips.h"

#include <QGuiApplication>
#include <QScreen>

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
    return Twips::fromPixels(pixels, logicalDotsPerInch());
}

int ScreenMetrics::toPixels(int twips) const
{
    return Twips::toPixels(twips, logicalDotsPerInch());
}

QSize ScreenMetrics::sizeInTwips() const
{
    const QSize pixels = sizeInPixels();
    return { toTwips(pixels.width()), toTwips(pixels.height()) };
}
