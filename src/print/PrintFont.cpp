#include "PrintFont.h"

#include <QtMath>

namespace {

constexpr double TwipsPerPoint = 20;

} // namespace

QFont PrintFont::twipsFont() const
{
    QFont font(family);
    font.setPixelSize(qMax(1, qRound(points * TwipsPerPoint)));
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeOut);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}
