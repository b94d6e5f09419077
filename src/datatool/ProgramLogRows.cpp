#include "ProgramLogRows.h"

#include "LogValueRules.h"
#include "storage/NumberText.h"
#include "storage/StoredDate.h"

#include <QStringList>

namespace {

using Measurement = LogValueRules::Measurement;

void note(QStringList& problems, const QString& problem)
{
    if (!problem.isEmpty())
        problems.append(problem);
}

bool refusedFor(SourceLog& log, int line, const QStringList& problems)
{
    if (problems.isEmpty())
        return false;
    log.refused.append({ line, problems.join(QStringLiteral("; ")) });
    return true;
}

// "7:05 AM", as LogValueRules writes it, as a time of day.
QTime timeOf(const QString& stored)
{
    const qsizetype colon = stored.indexOf(u':');
    const int hour = stored.left(colon).toInt() % 12 + (stored.endsWith(u"PM") ? 12 : 0);
    return QTime(hour, stored.mid(colon + 1, 2).toInt());
}

} // namespace

void ProgramLogRows::addWeighIn(SourceLog& log, int line, const QString& date,
    const QString& weight, WeightPersonSettings::Unit unit)
{
    QStringList problems;
    note(problems, LogValueRules::dateProblem(date));
    note(problems, LogValueRules::weightProblem(weight));
    if (refusedFor(log, line, problems))
        return;
    SourceWeighIn weighIn;
    weighIn.line = line;
    weighIn.date = StoredDate::parse(date.trimmed());
    weighIn.text = weight.trimmed();
    weighIn.weight = NumberText::toNumber(weighIn.text).value_or(0);
    weighIn.unit = unit;
    log.weighIns.append(weighIn);
}

void ProgramLogRows::addReading(SourceLog& log, int line, const QString& date, const QString& time,
    const QString& systolic, const QString& diastolic, const QString& pulse)
{
    QStringList problems;
    QString storedTime;
    QString values[3];
    note(problems, LogValueRules::dateProblem(date));
    note(problems, LogValueRules::timeProblem(time, &storedTime));
    note(problems, LogValueRules::measurementProblem(Measurement::Systolic, systolic, &values[0]));
    note(
        problems, LogValueRules::measurementProblem(Measurement::Diastolic, diastolic, &values[1]));
    if (!pulse.trimmed().isEmpty())
        note(problems, LogValueRules::measurementProblem(Measurement::Pulse, pulse, &values[2]));
    if (refusedFor(log, line, problems))
        return;
    SourceReading reading;
    reading.line = line;
    reading.date = StoredDate::parse(date.trimmed());
    reading.time = timeOf(storedTime);
    reading.systolic = values[0].toInt();
    reading.diastolic = values[1].toInt();
    if (!values[2].isEmpty())
        reading.pulse = values[2].toInt();
    log.readings.append(reading);
}
