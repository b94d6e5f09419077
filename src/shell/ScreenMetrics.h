#pragma once

#include <QSize>

// The size of the screen the program runs on, and the conversion between
// pixels and twips (1/1440 inch) at the screen's logical resolution, in which
// every stored window size is given. Virtual so that tests can pose as any
// screen.
class ScreenMetrics
{
public:
    virtual ~ScreenMetrics() = default;

    virtual QSize sizeInPixels() const;
    virtual double logicalDotsPerInch() const;

    int toTwips(int pixels) const;
    int toPixels(int twips) const;
    QSize sizeInTwips() const;
};
