#pragma once

#include "services/Outcome.h"

#include <QList>
#include <QString>
#include <QtGlobal>

#include <optional>

class ProgramFolder;

// A table of blood-pressure categories that readings are read against: the
// program's own table (the default, which the stored settings, the reports
// and the measurement chart have always shown) or one of the published
// guidelines a doctor reads home readings by. A systolic and a diastolic
// value are each classified on their own by the table's bounds; a reading
// takes the more severe of its two categories.
class BloodPressureGuideline
{
public:
    enum class Id { Own, AccAha, Esh, Esc };

    // Where a category starts: at the value, or only above it.
    struct Bound {
        double value = 0;
        bool above = false;
        bool reachedBy(double number) const { return above ? number > value : number >= value; }
    };

    struct Category {
        // As the measurement chart, the counts and the export name it.
        QString name;
        // The report's colour legend; the mark is part of it.
        QString legendText;
        // Red in the low byte, as the settings files store colours.
        qint32 colour = 0;
        QString mark;
        bool underlined = false;
        // Unset: this category has no range of that value (ACC/AHA's
        // Elevated is a systolic category only).
        std::optional<Bound> systolicFrom;
        std::optional<Bound> diastolicFrom;
        // The measurement chart's row: its name (lines split by "\r"), the
        // systolic range, "and" or "or", the diastolic range.
        QString chartName;
        QString systolicRange;
        QString joiner;
        QString diastolicRange;
    };

    static const BloodPressureGuideline& of(Id id);
    static const QList<Id>& all();
    // The word halvorn-data and Halvorn.ini use: own, acc-aha, esh, esc.
    static QString key(Id id);
    static std::optional<Id> fromKey(const QString& key);

    // The guideline chosen in Halvorn.ini; the program's own table when none
    // is, or when the stored word is not one of the four.
    static Id stored(const ProgramFolder& folder);
    static Outcome store(const ProgramFolder& folder, Id id);

    Id id() const { return m_id; }
    bool isOwn() const { return m_id == Id::Own; }
    // "ESH 2023"; the program's own table is "Program's own table".
    QString name() const { return m_name; }
    QString menuCaption() const { return m_menuCaption; }
    const QList<Category>& categories() const { return m_categories; }
    const Category& category(int index) const { return m_categories.at(index); }

    // Category indexes, 0 the least severe.
    int ofSystolic(double value) const;
    int ofDiastolic(double value) const;
    // The more severe of the two; a value not given does not count.
    // Nothing when neither is given.
    std::optional<int> ofReading(
        std::optional<double> systolic, std::optional<double> diastolic) const;

    // ESH marks apart a systolic of 140 or more over a diastolic below 90
    // (isolated systolic) and a systolic below 140 under a diastolic of 90
    // or more (isolated diastolic); each is also counted in its grade.
    bool marksIsolated() const { return m_hypertensionFrom.has_value(); }
    bool isIsolatedSystolic(double systolic, double diastolic) const;
    bool isIsolatedDiastolic(double systolic, double diastolic) const;
    static inline const QString IsolatedSystolicName = QStringLiteral("Isolated systolic");
    static inline const QString IsolatedSystolicMark = QStringLiteral(" ISH");
    static inline const QString IsolatedDiastolicName = QStringLiteral("Isolated diastolic");
    static inline const QString IsolatedDiastolicMark = QStringLiteral(" IDH");

    // A home average at or over either threshold is above it.
    int homeSystolicThreshold() const { return m_homeSystolic; }
    int homeDiastolicThreshold() const { return m_homeDiastolic; }

private:
    BloodPressureGuideline(Id id, QString name, QString menuCaption, QList<Category> categories,
        int homeSystolic, int homeDiastolic);

    Id m_id;
    QString m_name;
    QString m_menuCaption;
    QList<Category> m_categories;
    int m_homeSystolic;
    int m_homeDiastolic;
    // The systolic and the diastolic value from which each alone is
    // hypertension.
    std::optional<std::pair<double, double>> m_hypertensionFrom;
};
