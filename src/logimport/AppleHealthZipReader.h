#pragma once

#include "SourceLog.h"

#include <QIODevice>

// The phone's health export as it leaves the phone, export.zip: the
// export.xml inside (in apple_health_export/, or wherever it was put; never
// export_cda.xml) read as a stream as it is unpacked. A damaged archive is a
// fault of the whole file: nothing read before the damage is kept.
class AppleHealthZipReader
{
public:
    // archive must be a random-access device (a file).
    static SourceLog read(QIODevice& archive);

    static bool isExport(const QByteArray& entryName);
};
