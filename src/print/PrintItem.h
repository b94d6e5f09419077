#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <variant>

// What a printed page is made of. Every position and length is in twips on
// the whole sheet: (0, 0) is the paper's top left corner.

// A run of text in one font and colour, drawn from its baseline's left end.
struct PrintText {
    QPointF baseline;
    QString text;
    QFont font; // pixel size in twips
    QColor colour;
    qreal width = 0;
};

struct PrintLine {
    QLineF line;
    qreal penWidth = 15;
};

// An unfilled rectangle whose outline lies inside rect.
struct PrintRectangle {
    QRectF rect;
    qreal penWidth = 15;
};

// A picture fitted into its box keeping its proportions, centred in it. A
// null image leaves the box empty.
struct PrintPicture {
    QRectF box;
    QImage image;
    // Where the picture is drawn within box; empty without an image.
    QRectF target() const;
};

using PrintItem = std::variant<PrintText, PrintLine, PrintRectangle, PrintPicture>;
