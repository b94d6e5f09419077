#pragma once

#include <QDate>
#include <QString>

// What a value of a weigh-in or a reading must look like to be imported, and
// what counts as a bad value in a stored log. The ranges are those of the
// blood-pressure entry panel's pick lists, the only way the screen fills
// those cells. Each check returns the empty text when the value is good,
// otherwise the reason, naming the value.
class LogValueRules
{
public:
    enum class Measurement { Systolic, Diastolic, Pulse };

    static constexpr int MinimumSystolic = 50;
    static constexpr int MaximumSystolic = 300;
    static constexpr int MinimumDiastolic = 1;
    static constexpr int MaximumDiastolic = 150;
    static constexpr int MinimumPulse = 1;
    static constexpr int MaximumPulse = 150;
    // The weight column shows "###.#": three digits before the point, in
    // either unit.
    static constexpr double MaximumWeight = 999.9;
    // Imported dates are taken from this year to the year after today's.
    static constexpr int EarliestImportedYear = 1900;

    // "mmmm dd, yyyy" or ISO 8601 (and the other forms a stored date may
    // take); storedText receives the date as the calendar writes it.
    static QString dateProblem(const QString& text, QString* storedText = nullptr);

    // A number above 0 with "." as the decimal point, kept as typed.
    static QString weightProblem(const QString& text);

    // "7:05 AM": hour 1 to 12, two-digit minutes, AM or PM in any letter
    // case; storedText receives it in the entry panel's form.
    static QString timeProblem(const QString& text, QString* storedText = nullptr);

    // A whole number within the measurement's pick-list range; storedText
    // receives its decimal digits.
    static QString measurementProblem(
        Measurement measurement, const QString& text, QString* storedText = nullptr);

    static QString measurementName(Measurement measurement);

    // Why a date read from an export cannot go into a log: before 1900 or
    // after the year after today's.
    static QString importedDateProblem(const QDate& date, const QDate& today);
};
