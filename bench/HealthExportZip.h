#pragma once

#include <QString>

// A phone's health export.zip of the size asked for, written for the import
// cases: export.xml (heart rates, weigh-ins, blood-pressure readings and the
// step counts that make up most of a real export) deflated as it is made
// and written chunk by chunk, with its sizes in a data descriptor after the
// data as a phone writes them, so that making a large archive needs as
// little memory as reading it should.
class HealthExportZip
{
public:
    // At least xmlSize bytes of XML; the error, or empty. records is how many
    // weigh-ins (and as many readings) the export holds.
    static QString write(const QString& path, qint64 xmlSize, int& records);
};
