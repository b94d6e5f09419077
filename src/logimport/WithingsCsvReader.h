#pragma once

#include "SourceLog.h"

#include <QByteArray>

// The health service's account export: weight.csv ("Date", "Weight (kg)" or
// "Weight (lb)", then body-composition columns) and bp.csv ("Date", "Heart
// rate", "Systolic", "Diastolic"), headed in the account's language (see
// WithingsHeadings), dates as 2023-01-15 07:30:12 in the account's local
// time. A row without the value being imported (a pulse taken alone) is
// skipped and counted, never refused.
class WithingsCsvReader
{
public:
    static SourceLog readWeight(const QByteArray& bytes);
    static SourceLog readBloodPressure(const QByteArray& bytes);
};
