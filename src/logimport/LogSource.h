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

    // From the content: a CSV export by its headings, never by a first
    // value; the phone's export.xml by its first element, however long the
    // DOCTYPE before it. Nothing when no format fits; then, when the file
    // is not even a CSV table to choose columns from, unreadable receives
    // what it is ("an XML file whose first element is <html>").
    static std::optional<Format> detect(QIODevice& device, QString* unreadable = nullptr);
    static std::optional<Format> detect(const QByteArray& head, QString* unreadable = nullptr);
    // How many bytes a CSV's headings are looked for in.
    static constexpr qint64 HeadSize = 4096;
    // How far into an XML file its first element is looked for.
    static constexpr qint64 XmlHeadLimit = 1024 * 1024;
    // More than any CSV export of a log; a larger file is refused unread.
    static constexpr qint64 CsvSizeLimit = 128 * 1024 * 1024;

    // "not a file Halvorn can read (what it is)".
    static QString unreadableMessage(const QString& unreadable);

    // Reads the device as the format. ProgramCsv, ProgramJson and Mapped
    // are not read here.
    static SourceLog read(QIODevice& device, Format format);
};
