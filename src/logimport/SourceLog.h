#pragma once

#include "storage/WeightPersonSettings.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QTime>

#include <optional>

// What a reader found in another program's export, in the source's own
// units and local times, before anything is converted for the logs.
struct SourceWeighIn {
    int line = 0;
    QDate date;
    QTime time; // invalid when the source gives the day only
    double weight = 0;
    WeightPersonSettings::Unit unit = WeightPersonSettings::Unit::Kilograms;
    // The program's own export: the weight as the log stored it, kept as it
    // is when no conversion is needed. Initialised here so that the other
    // readers may leave it out of their lists.
    QString text = {};
};

struct SourceReading {
    int line = 0;
    QDate date;
    QTime time;
    double systolic = 0;
    double diastolic = 0;
    std::optional<double> pulse;
};

struct RefusedLine {
    int line = 0;
    QString reason;
    bool operator==(const RefusedLine&) const = default;
};

// Lines that hold nothing of the kind being imported (a pulse taken alone,
// a stray line after the table), skipped and counted by what they are:
// "rows without a blood pressure".
struct SkippedLines {
    QString kind;
    int count = 0;
    bool operator==(const SkippedLines&) const = default;
};

struct SourceLog {
    QList<SourceWeighIn> weighIns;
    QList<SourceReading> readings;
    // Lines that hold a value of the kind being imported that cannot be
    // read: a date that is not a date, a weight that is not a number.
    QList<RefusedLine> refused;
    // Lines of another kind, never refused.
    QList<SkippedLines> skipped;
    // A fault of the file as a whole, naming its line; nothing is taken
    // from a file with one, since what follows it cannot be trusted.
    QString error;
    // The program's own export: the log is taken whole and in its order,
    // no day thinned to one weigh-in and no row compared with another row
    // of the file, so that a log exported and imported again is the same.
    bool ownLog = false;
    // The weights name no unit: they are in the unit of the person they go
    // to (exports written before the person had a unit, and plain tables).
    bool weightsInPersonsUnit = false;

    bool failed() const { return !error.isEmpty(); }

    void skip(const QString& kind)
    {
        for (SkippedLines& lines : skipped)
            if (lines.kind == kind) {
                ++lines.count;
                return;
            }
        skipped.append({ kind, 1 });
    }
};
