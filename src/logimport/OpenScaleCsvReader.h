#pragma once

#include "SourceLog.h"

#include <QByteArray>

// The scale app's CSV export: a header naming its columns, "dateTime" and
// "weight" among them; the date as 2023-01-15 07:30 or 15.01.2023 07:30 and
// the weight in kilograms, with a decimal point or a decimal comma.
class OpenScaleCsvReader
{
public:
    static SourceLog read(const QByteArray& bytes);
};
