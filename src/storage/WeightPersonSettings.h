#pragma once

#include "ProgramFolder.h"
#include "services/Outcome.h"

#include <QString>

#include <optional>

// Each weight-tracker individual's unit and height, kept in Halvorn.ini
// beside ProgramSettings' keys and never in the person's weight file, whose
// layout other copies of the program rely on. The numbers in the weight file
// stay as typed; the unit only says what they are.
//
// A person's keys sit in a group named after the name as the lists match it
// (trimmed, in any letter case), written as hexadecimal UTF-8 so that any
// name, with slashes, backslashes, blanks or letters QSettings would fold,
// reads back as the same person.
class WeightPersonSettings
{
public:
    enum class Unit { Pounds, Kilograms };

    struct Values {
        // None until the user chooses one for the person: the weights are
        // then plain numbers, and nothing names a unit for them.
        std::optional<Unit> unit;
        // Only for pounds: "14 st 4.0 lb" beside the figures.
        bool stones = false;
        // Inches with pounds, centimetres with kilograms.
        std::optional<double> height;
        bool operator==(const Values&) const = default;
    };

    // Heights are refused outside these, in the unit's own length.
    static constexpr double MaximumInches = 120;
    static constexpr double MaximumCentimetres = 300;

    explicit WeightPersonSettings(const ProgramFolder& folder);

    // The person's values, or the defaults when nothing is stored for them.
    // A settings file that exists but cannot be read gives the defaults and,
    // in problem, why.
    Values read(const QString& name, QString* problem = nullptr) const;
    // Whether anything is stored for the person.
    bool isSet(const QString& name) const;

    // Stores the person's values. Refused, and nothing written, when the
    // settings file exists but cannot be read (writing it would lose the
    // other settings) or the height is out of range. Never touches any
    // other file.
    Outcome write(const QString& name, const Values& values) const;

    // Why the height cannot be stored for the unit, or the empty text.
    static QString heightRefusal(Unit unit, double height);

    // "lb" or "kg".
    static QString unitName(Unit unit);
    // " lb", " kg", or nothing without a unit: what follows a figure.
    static QString unitSuffix(const std::optional<Unit>& unit);
    static std::optional<Unit> unitNamed(const QString& name);

private:
    static QString groupOf(const QString& name);
    QString filePath() const;
    // Why the existing file cannot be used, or the empty text.
    QString readProblem() const;

    ProgramFolder m_folder;
};
