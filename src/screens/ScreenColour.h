#pragma once

#include <QColor>
#include <QtGlobal>

// The one place where a colour as the settings and data files keep it (a
// 32-bit value, red in the low byte, then green, then blue) becomes a colour
// to paint with, and back.
namespace ScreenColour {

// A system colour (top bit set) becomes the window colour of the current
// palette.
QColor toQColor(qint32 stored);
qint32 fromQColor(const QColor& colour);

} // namespace ScreenColour
