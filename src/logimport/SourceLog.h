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

struct SourceLog {
    QList<SourceWeighIn> weighIns;
    QList<SourceReading> readings;
    // Lines that hold a record the reader could not read.
    QList<RefusedLine> refused;
    // A fault of the file as a whole, naming its line; nothing is taken
    // from a file with one, since what follows it cannot be trusted.
    QString error;

    bool failed() const { return !error.isEmpty(); }
};
