#pragma once

#include "SourceLog.h"

#include <QByteArray>

// The fitness service's weight export: a header ("Time", "Weight", ...),
// then for each day a line holding its date (" Jan 15, 2023") followed by a
// line per weigh-in whose cells carry their units ("07:30 AM", "80.4 kg").
class GarminCsvReader
{
public:
    static SourceLog read(const QByteArray& bytes);
};
