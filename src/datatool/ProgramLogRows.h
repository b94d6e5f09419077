#pragma once

#include "logimport/SourceLog.h"

#include <QString>

// A row of the program's own export checked by the rules the log's values
// follow (LogValueRules), with the same reasons as always, and added to the
// source log or refused by its line. Every problem of a row is named in one
// refusal.
class ProgramLogRows
{
public:
    static void addWeighIn(SourceLog& log, int line, const QString& date, const QString& weight,
        WeightPersonSettings::Unit unit);
    // An empty pulse is a reading without one, as the screen may store it.
    static void addReading(SourceLog& log, int line, const QString& date, const QString& time,
        const QString& systolic, const QString& diastolic, const QString& pulse);
};
