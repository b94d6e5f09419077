#pragma once

#include <QSize>

class QWidget;

// The bounds a progress picture is reduced to, as fractions of the height
// and width of a panel, and the size it is then shown at.
struct PictureBounds {
    double heightFraction;
    double widthFraction;

    // The pictures in the frame of the plan panel (of the main panel).
    static const PictureBounds Screen;
    // The browser's preview of a stored picture when it opens (of the
    // browser).
    static const PictureBounds BrowserOpening;
    // The preview of a clicked file (of the main panel).
    static const PictureBounds FileClick;
    // The enlarged view (of the main panel).
    static const PictureBounds Enlarged;

    // The size in pixels a picture of natural size (pixels) is shown at
    // within these bounds of the panel: reduced by ShrinkToFit in twips at
    // the panel's DPI and rounded to whole pixels once, at the end.
    QSize shownSize(QSize natural, const QWidget* panel) const;
    // The bounds in pixels: what a picture of any size fits in.
    QSize boundsIn(const QWidget* panel) const;
};
