#pragma once

#include <QString>

#include <optional>

// Numbers in the logs are kept as the text typed or computed. These readers
// turn such text into numbers the same way wherever a figure is derived, and
// always with "." as the decimal point: the files are shared between desktops
// whatever their language.
class NumberText
{
public:
    // The number the text starts with, after leading blanks: an optional
    // sign, digits, an optional fraction and exponent. Text that does not
    // start with a number gives 0, so "180,5" gives 180 and "N/A" gives 0.
    static double leadingNumber(const QString& text);

    // The whole text, trimmed, as a number; nothing when any of it is not
    // part of the number (empty text, "N/A", "19a") or the number is out of
    // range.
    static std::optional<double> toNumber(const QString& text);
    // As toNumber, in single precision: nothing when the value does not fit.
    static std::optional<float> toSingle(const QString& text);

    // The shortest text that reads back as the same single-precision value,
    // with at most 7 significant digits ("-1.199997", "16.5", "0"). A
    // negative zero is written "0": it is no loss.
    static QString shortestText(float value);
};
