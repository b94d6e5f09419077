#include "ShrinkToFit.h"

#include <algorithm>

QSizeF ShrinkToFit(QSizeF natural, double heightBound, double widthBound)
{
    // A bound below zero (a panel not laid out yet) would never be reached
    // once the factor turns negative and flips the signs: it counts as zero.
    heightBound = std::max(heightBound, 0.0);
    widthBound = std::max(widthBound, 0.0);
    double width = natural.width();
    double height = natural.height();
    double g = 1.0;
    // Past g = 0 every step would flip the signs of the sizes; by then they
    // are zero anyway.
    auto step = [&] {
        width *= g;
        height *= g;
        g -= 0.001;
    };
    bool heightPhase = height >= width;
    for (;;) {
        if (heightPhase) {
            while (height > heightBound && g >= 0)
                step();
        } else {
            while (width > widthBound && g >= 0)
                step();
        }
        if (g < 0)
            break;
        if (height > heightBound)
            heightPhase = true;
        else if (width > widthBound)
            heightPhase = false;
        else
            break;
    }
    return { std::max(width, 0.0), std::max(height, 0.0) };
}
