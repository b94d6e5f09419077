#pragma once

#include <QByteArray>
#include <QDate>

// The text of a phone's health export.xml as it grows over the years, one
// day at a time, for the import cases: a heart rate every ten minutes and
// the steps of every hour, which are most of the file, one weigh-in and two
// blood-pressure readings a day. Made day by day, so that writing a large
// export does not raise the writer's peak memory.
class HealthExportText
{
public:
    static inline const QDate FirstDay { 2008, 1, 1 };
    static constexpr int WeighInsPerDay = 1;
    static constexpr int ReadingsPerDay = 2;

    static QByteArray head();
    static QByteArray day(const QDate& date);
    static QByteArray tail();
};
