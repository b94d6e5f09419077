#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The headings the health service writes in weight.csv and bp.csv, in each
// language its app offers: the export takes the account's language, so a
// German account's weight.csv starts "Datum,Gewicht (kg),...". A language
// is one row of the table; a new one needs no new code.
class WithingsHeadings
{
public:
    struct Language {
        const char* code;
        QStringList date;
        QStringList kilograms;
        QStringList pounds;
        QStringList heartRate;
        QStringList systolic;
        QStringList diastolic;
    };

    static const QList<Language>& languages();

    // The language whose headings name a weight file (a date and a weight)
    // or a blood-pressure file (a date, the pulse, systolic and diastolic); headings
    // are matched trimmed and in the app's letter case, which tells them
    // from the program's own lower-case columns.
    static std::optional<Language> weightFile(const QStringList& headings);
    static std::optional<Language> bloodPressureFile(const QStringList& headings);
};
