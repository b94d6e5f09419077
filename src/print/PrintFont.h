#pragma once

#include <QColor>
#include <QFont>
#include <QString>

// The font a report's text is printed in: the print options' face, size in
// points, styles and colour.
struct PrintFont {
    // The face a report prints in when the print options name none.
    static inline const QString DefaultFamily = QStringLiteral("Times New Roman");

    QString family = DefaultFamily;
    double points = 14;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    QColor colour = Qt::black;

    // The font for a page measured in twips: its pixel size is the point
    // size in twips (a point is 20 twips), so widths and line spacings come
    // out in twips. Hinting is off so that a width measured here is the
    // width drawn at any resolution.
    QFont twipsFont() const;

    bool operator==(const PrintFont&) const = default;
};
