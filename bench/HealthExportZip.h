#pragma once

#include <QString>

// A phone's health export.zip of the size asked for, written for the import
// cases: HealthExportText's export.xml deflated as it is made and written
// day by day, with its sizes in a data descriptor after the
// data as a phone writes them, so that making a large archive needs as
// little memory as reading it should.
class HealthExportZip
{
public:
    // At least xmlSize bytes of XML; the error, or empty. days is how many
    // days the export holds.
    static QString write(const QString& path, qint64 xmlSize, int& days);
};
