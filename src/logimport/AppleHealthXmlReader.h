#pragma once

#include "SourceLog.h"

#include <QIODevice>

// The phone's health export, export.xml, read as a stream so that an export
// of a gigabyte needs little memory: body-mass records become weigh-ins,
// blood-pressure correlations (a systolic and a diastolic record) become
// readings, and a heart-rate record taken within two minutes of a reading
// gives its pulse. Dates carry their offset ("2023-01-15 07:30:00 -0500");
// a reading keeps the wall-clock time written, the offset serving only to
// match heart rates taken elsewhere in the file.
class AppleHealthXmlReader
{
public:
    static constexpr int PulseWindowSeconds = 120;

    // A tag or text past BoundedXmlDevice's limit refuses the file whole;
    // bounded (when given) says whether that is what ended the reading.
    static SourceLog read(QIODevice& device, bool* bounded = nullptr);
};
