#include "ScreenColour.h"

#include "storage/StoredColour.h"

#include <QApplication>
#include <QPalette>

namespace ScreenColour {

QColor toQColor(qint32 stored)
{
    if (stored < 0)
        return QApplication::palette().color(QPalette::Window);
    const StoredColour colour = StoredColour::fromValue(stored);
    return QColor(colour.red(), colour.green(), colour.blue());
}

qint32 fromQColor(const QColor& colour)
{
    return StoredColour::fromRgb(colour.red(), colour.green(), colour.blue()).value();
}

} // namespace ScreenColour
