#pragma once

#include "SourceLog.h"

#include <QByteArray>

// The phone health app's weight CSV: a first line of metadata
// ("com.samsung.health.weight,...") before the header. start_time is in UTC
// and time_offset ("UTC+0100") gives the local time the weigh-in was taken
// at; weights are in kilograms. Newer exports prefix each column name with
// the data type ("com.samsung.health.weight.start_time").
class SamsungHealthCsvReader
{
public:
    static inline const QByteArray MetadataStart = "com.samsung.health.weight";

    static SourceLog read(const QByteArray& bytes);
};
