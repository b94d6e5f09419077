#include "PictureBounds.h"

#include "screens/Twips.h"
#include "weight/ShrinkToFit.h"

#include <QWidget>

#include <algorithm>
#include <cmath>

const PictureBounds PictureBounds::Screen { 0.18, 0.2 };
const PictureBounds PictureBounds::BrowserOpening { 0.55, 0.5 };
const PictureBounds PictureBounds::FileClick { 0.49, 0.45 };
const PictureBounds PictureBounds::Enlarged { 0.7, 0.7 };

QSize PictureBounds::shownSize(QSize natural, const QWidget* panel) const
{
    const qreal dpiX = Twips::logicalDpiX(panel);
    const qreal dpiY = Twips::logicalDpiY(panel);
    const auto toTwips = [](qreal pixels, qreal dpi) { return pixels * Twips::perInch / dpi; };
    const QSizeF shrunk
        = ShrinkToFit(QSizeF(toTwips(natural.width(), dpiX), toTwips(natural.height(), dpiY)),
            heightFraction * toTwips(panel->height(), dpiY),
            widthFraction * toTwips(panel->width(), dpiX));
    // At least one pixel each way: a picture reduced to nothing still shows
    // where it is and can be clicked.
    return { std::max(1, Twips::toPixels(shrunk.width(), dpiX)),
        std::max(1, Twips::toPixels(shrunk.height(), dpiY)) };
}

QSize PictureBounds::boundsIn(const QWidget* panel) const
{
    return { int(std::floor(widthFraction * panel->width())),
        int(std::floor(heightFraction * panel->height())) };
}
