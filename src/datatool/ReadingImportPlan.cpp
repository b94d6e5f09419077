#include "ReadingImportPlan.h"

#include "LogValueRules.h"
#include "storage/StoredDate.h"

#include <QSet>

#include <algorithm>
#include <cmath>

namespace {

using Measurement = LogValueRules::Measurement;

QString keyOf(const Reading& reading)
{
    QString time;
    if (!LogValueRules::timeProblem(reading.time, &time).isEmpty())
        time = reading.time.trimmed();
    const QDate date = StoredDate::parse(reading.date.trimmed());
    return QStringList(
        { date.isValid() ? date.toString(Qt::ISODate) : reading.date.trimmed(), time,
            reading.systolic.trimmed(), reading.diastolic.trimmed(), reading.pulse.trimmed() })
        .join(u'|');
}

// The value as the pick list holds it; the reason in problem otherwise.
QString whole(Measurement measurement, double value, QString& problem)
{
    QString stored;
    const QString text = QString::number(std::llround(value));
    if (problem.isEmpty())
        problem = LogValueRules::measurementProblem(measurement, text, &stored);
    return stored;
}

// Seconds are dropped, never rounded: a reading at 23:59:45 stays on its day.
QString timeText(const QTime& time)
{
    const int hour = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    return QStringLiteral("%1:%2 %3")
        .arg(hour)
        .arg(time.minute(), 2, 10, QLatin1Char('0'))
        .arg(time.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM"));
}

struct Candidate {
    QDate date;
    QTime time;
    Reading reading;
};

} // namespace

ReadingImportPlan ReadingImportPlan::make(
    const SourceLog& source, const QList<Reading>& log, QDate today)
{
    ReadingImportPlan plan;
    plan.refused = source.refused;
    plan.skipped = source.skipped;
    QList<Candidate> candidates;
    for (const SourceReading& reading : source.readings) {
        QString problem = LogValueRules::importedDateProblem(reading.date, today);
        if (problem.isEmpty() && !reading.time.isValid())
            problem = QStringLiteral("the reading has no time");
        Candidate candidate { reading.date, reading.time, {} };
        candidate.reading.date = StoredDate::longText(reading.date);
        if (reading.time.isValid())
            candidate.reading.time = timeText(reading.time);
        candidate.reading.systolic = whole(Measurement::Systolic, reading.systolic, problem);
        candidate.reading.diastolic = whole(Measurement::Diastolic, reading.diastolic, problem);
        if (reading.pulse)
            candidate.reading.pulse = whole(Measurement::Pulse, *reading.pulse, problem);
        if (!problem.isEmpty()) {
            plan.refused.append({ reading.line, problem });
            continue;
        }
        candidates.append(candidate);
    }
    std::sort(plan.refused.begin(), plan.refused.end(),
        [](const RefusedLine& a, const RefusedLine& b) { return a.line < b.line; });
    // The program's own log keeps its order.
    if (!source.ownLog)
        std::stable_sort(
            candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
                return a.date != b.date ? a.date < b.date : a.time < b.time;
            });

    QSet<QString> logged;
    for (const Reading& row : log)
        if (!row.isEmpty())
            logged.insert(keyOf(row));
    QSet<QString> inFile;
    for (const Candidate& candidate : candidates) {
        const QString key = keyOf(candidate.reading);
        if (logged.contains(key)) {
            ++plan.duplicates;
            continue;
        }
        if (!source.ownLog) {
            if (inFile.contains(key)) {
                ++plan.repeated;
                continue;
            }
            inFile.insert(key);
        }
        plan.added.append(candidate.reading);
        if (candidate.reading.pulse.isEmpty())
            ++plan.withoutPulse;
        if (!plan.first.isValid() || candidate.date < plan.first)
            plan.first = candidate.date;
        if (!plan.last.isValid() || candidate.date > plan.last)
            plan.last = candidate.date;
    }
    return plan;
}
