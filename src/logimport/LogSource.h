#pragma once

#include "SourceLog.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>

#include <optional>

// The exports the logs import from, recognised from their content, and the
// reader for each.
class LogSource
{
public:
    enum class Format {
        OpenScale,
        Withings,
        Garmin,
        SamsungHealth,
        AppleHealth,
        // The program's own CSV and JSON exports and a plain CSV whose
        // columns the user names: read above this library, where the log's
        // value rules are.
        ProgramCsv,
        ProgramJson,
        Mapped,
        // The phone's health export as a zip archive, export.xml inside; a
        // zip is always recognised by its bytes, so --from has no word for it.
        Zip,
    };

    // The word --from takes for each format, and the format a word names.
    static QString name(Format format);
    static std::optional<Format> formatNamed(const QString& name);
    static QStringList names();
    // What the preview shows: "Withings CSV", "Apple Health export.zip".
    static QString title(Format format);

    // From the first bytes of the file; nothing when no format fits.
    static std::optional<Format> detect(const QByteArray& head);
    // How many bytes detect() needs at most.
    static constexpr qint64 HeadSize = 4096;

    // Reads the device as the format. ProgramCsv, ProgramJson and Mapped
    // are not read here.
    static SourceLog read(QIODevice& device, Format format);
};
