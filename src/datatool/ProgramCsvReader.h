#pragma once

#include "logimport/SourceLog.h"

#include <QByteArray>

// The program's own CSV export, and any table with its column names: the
// columns found by their heading in any letter case, other columns ignored.
// "weight (kg)" or "weight (lb)" names the weights' unit; a plain "weight"
// is in the unit of the person the rows go to. A record with another
// number of fields than the header is refused by its line.
class ProgramCsvReader
{
public:
    static SourceLog readWeighIns(const QByteArray& bytes);
    static SourceLog readReadings(const QByteArray& bytes);
};
