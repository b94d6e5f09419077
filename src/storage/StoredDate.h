#pragma once

#include <QDate>
#include <QString>

// The two date texts of the trackers: "mmmm dd, yyyy" (February 20, 2013),
// how a picked date is stored in the logs and header boxes, and "mmm-dd-yy"
// (Feb-20-13), how a graph labels its points. Month names are always English,
// whatever the desktop's language, because stored files depend on them.
class StoredDate
{
public:
    // "February 20, 2013", "March 05, 2012".
    static QString longText(const QDate& date);
    // "Feb-20-13".
    static QString shortText(const QDate& date);

    // Reads a date text back: the stored form, with a full or three-letter
    // month name in any letter case and the comma optional, and also the
    // "mmm-dd-yy", "mm/dd/yyyy" and ISO forms, so that a date typed or stored
    // by hand still counts as a date. Anything else gives an invalid date.
    // A two-digit year means 1930 to 2029.
    static QDate parse(const QString& text);

    // A stored date text as a graph label; text that is not a date stays as
    // it is, so the point still carries what the log shows.
    static QString toShortText(const QString& text);
};
