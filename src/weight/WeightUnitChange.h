#pragma once

#include "backup/BackupFileOperations.h"
#include "services/Outcome.h"
#include "storage/ProgramFolder.h"
#include "storage/WeightPersonSettings.h"
#include "weight/WeightFile.h"

#include <QString>

#include <optional>

// A change of the unit a person's weights are in. Relabelling only writes
// Halvorn.ini: the weight file keeps its bytes. Converting also writes the
// weight file, with every weigh-in, the beginning and the goal weight in the
// new unit, rounded to a tenth as the weight box takes them; both files are
// put in place together under the folder's journal, so that a change cut
// short leaves the old pair or the new one, never numbers in one unit
// labelled with the other.
class WeightUnitChange
{
public:
    enum class Mode { Relabel, Convert };

    // Whether the user must say which: the person has weigh-ins and the unit
    // changes.
    static bool needsChoice(const QList<WeighIn>& rows, const WeightPersonSettings::Values& before,
        const WeightPersonSettings::Values& after);
    // Why converting is impossible (no unit to convert from or to, or the
    // same unit), or the empty text.
    static QString convertRefusal(
        const WeightPersonSettings::Values& before, const WeightPersonSettings::Values& after);

    // A stored weight in the other unit: a tenth at most, no ".0"; a text
    // that is no weight above 0 stays as it was.
    static QString converted(
        const QString& stored, WeightPersonSettings::Unit from, WeightPersonSettings::Unit to);
    static WeightFile converted(
        WeightFile file, WeightPersonSettings::Unit from, WeightPersonSettings::Unit to);

    // Stores after for the listed name; with Convert, rewrites the weight file
    // too. Refused when convertRefusal() says so.
    static Outcome apply(const ProgramFolder& folder, const QString& name,
        const WeightPersonSettings::Values& after, Mode mode, BackupFileOperations& files);
};
