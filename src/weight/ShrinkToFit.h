#pragma once

#include <QSizeF>

// Reduces a picture's size, in twips, until it lies within the two bounds,
// keeping its proportions. The factor g starts at 1 and is lowered by 0.001
// after every step without being reset when the loop turns from the height
// to the width, so the first step changes nothing and a result may end
// somewhat below a bound: stored layouts and printed reports were measured
// with exactly these steps. A size within both bounds is returned unchanged.
//
// Screens round the result to whole pixels once, at the end.
QSizeF ShrinkToFit(QSizeF natural, double heightBound, double widthBound);
