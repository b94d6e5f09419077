#pragma once

#include "SourceLog.h"

#include <QByteArray>
#include <QStringList>

// The scale app's CSV export, in both of its layouts, told apart by the
// header: version 2 writes "dateTime" (2023-01-15 07:30, or 15.01.2023 07:30
// in older exports) among lower-case names; version 3 writes capitals and
// splits the moment into "DATE" (2023-01-15) and "TIME" (07:30:13, or
// 20:30:13.974 with milliseconds). Weights are in kilograms, with a decimal
// point or a decimal comma. Version 2 has been seen to write stray values
// on lines of their own after the table; they are skipped.
class OpenScaleCsvReader
{
public:
    // Whether the header is one of the two layouts.
    static bool isVersion2(const QStringList& headings);
    static bool isVersion3(const QStringList& headings);

    static SourceLog read(const QByteArray& bytes);
};
