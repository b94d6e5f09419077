#pragma once

#include "storage/StoredColour.h"

#include <QString>
#include <QtGlobal>

// The five blood-pressure categories, in order of severity. A systolic or a
// diastolic value is classified on its own, testing from the most severe
// category down; every bound is inclusive. The measurement chart and the
// printed report take their colours, marks and styles from here.
class BloodPressureCategory
{
public:
    enum Level { Normal, Prehypertension, Stage1, Stage2, Crisis };

    BloodPressureCategory() = default;
    explicit BloodPressureCategory(Level level)
        : m_level(level)
    { }

    // 180, 160, 140 and 120 mm Hg start crisis, stage 2, stage 1 and
    // prehypertension.
    static BloodPressureCategory ofSystolic(double value);
    // 110, 100, 90 and 80 mm Hg likewise.
    static BloodPressureCategory ofDiastolic(double value);

    Level level() const { return m_level; }

    // 32-bit colour value with red in the low byte, then green, then blue
    // (the settings files' convention, not QRgb).
    qint32 colour() const;
    int red() const { return StoredColour::fromValue(colour()).red(); }
    int green() const { return StoredColour::fromValue(colour()).green(); }
    int blue() const { return StoredColour::fromValue(colour()).blue(); }

    // What the printed report appends to a value: "*" for stage 1, "**" for
    // stage 2, nothing otherwise.
    QString mark() const;
    // A crisis is printed underlined.
    bool underlined() const { return m_level == Crisis; }

    bool operator==(const BloodPressureCategory&) const = default;

private:
    Level m_level = Normal;
};
