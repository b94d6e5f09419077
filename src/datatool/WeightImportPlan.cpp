#include "WeightImportPlan.h"

#include "LogValueRules.h"
#include "logimport/SourceValues.h"
#include "storage/NumberText.h"
#include "storage/StoredDate.h"

#include <QSet>

#include <algorithm>
#include <cmath>

namespace {

struct Candidate {
    const SourceWeighIn* source = nullptr;
    QString text;
    QString key;
};

// A weight in tenths, the precision the log is compared in. A half is
// rounded up as written: 79.05 kg, which a double holds as 79.04999...,
// is 79.1.
qint64 tenthsOf(double weight)
{
    return std::llround(weight * 10 * (1 + 1e-12));
}

// Another program's weights are compared in tenths, as they are stored;
// the program's own are compared exactly, so that 80.04 is not taken for
// an 80 already logged.
QString dayKey(const QDate& date, double weight, bool exact)
{
    return QStringLiteral("%1|%2")
        .arg(date.toJulianDay())
        .arg(exact ? QString::number(weight, 'g', 17) : QString::number(tenthsOf(weight)));
}

} // namespace

std::optional<QString> WeightImportPlan::converted(double weight, Unit from, Unit to)
{
    double value = weight;
    if (from == Unit::Kilograms && to == Unit::Pounds)
        value = weight * PoundsPerKilogram;
    else if (from == Unit::Pounds && to == Unit::Kilograms)
        value = weight / PoundsPerKilogram;
    const qint64 tenths = tenthsOf(value);
    if (tenths <= 0)
        return std::nullopt;
    QString text = QString::number(double(tenths) / 10, 'f', 1);
    if (text.endsWith(QStringLiteral(".0")))
        text.chop(2);
    return text;
}

WeightImportPlan WeightImportPlan::make(
    const SourceLog& source, const QList<WeighIn>& log, Unit unit, bool everyWeighIn, QDate today)
{
    WeightImportPlan plan;
    plan.refused = source.refused;
    plan.skipped = source.skipped;
    const bool exact = source.ownLog;
    QList<Candidate> candidates;
    for (const SourceWeighIn& weighIn : source.weighIns) {
        if (const QString problem = LogValueRules::importedDateProblem(weighIn.date, today);
            !problem.isEmpty()) {
            plan.refused.append({ weighIn.line, problem });
            continue;
        }
        const Unit from = source.weightsInPersonsUnit ? unit : weighIn.unit;
        const std::optional<QString> text = source.ownLog && from == unit && !weighIn.text.isEmpty()
            ? std::optional(weighIn.text)
            : converted(weighIn.weight, from, unit);
        if (!text) {
            plan.refused.append({ weighIn.line,
                QStringLiteral("the weight %1 %2 is not above 0")
                    .arg(weighIn.weight)
                    .arg(WeightPersonSettings::unitName(from)) });
            continue;
        }
        const double stored = NumberText::toNumber(*text).value_or(0);
        if (stored > LogValueRules::MaximumWeight) {
            plan.refused.append({ weighIn.line,
                QStringLiteral("the weight %1 %2 is more than the log's weight box takes (%3)")
                    .arg(SourceValues::quoted(QString::number(weighIn.weight, 'g', 12)))
                    .arg(WeightPersonSettings::unitName(from))
                    .arg(LogValueRules::MaximumWeight) });
            continue;
        }
        candidates.append({ &weighIn, *text, dayKey(weighIn.date, stored, exact) });
    }
    std::sort(plan.refused.begin(), plan.refused.end(),
        [](const RefusedLine& a, const RefusedLine& b) { return a.line < b.line; });
    // The program's own log keeps its order; a weigh-in without a time
    // counts as the day's first.
    if (!source.ownLog)
        std::stable_sort(
            candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
                if (a.source->date != b.source->date)
                    return a.source->date < b.source->date;
                return a.source->time.isValid() && b.source->time.isValid()
                    ? a.source->time < b.source->time
                    : !a.source->time.isValid() && b.source->time.isValid();
            });

    QSet<qint64> days;
    QSet<QString> weighIns;
    QSet<QString> inFile;
    for (const WeighIn& row : log) {
        const QDate date = StoredDate::parse(row.date.trimmed());
        if (!date.isValid())
            continue;
        days.insert(date.toJulianDay());
        if (const std::optional<double> weight = NumberText::toNumber(row.weight))
            weighIns.insert(dayKey(date, *weight, exact));
    }
    const bool thinned = !everyWeighIn && !source.ownLog;
    for (const Candidate& candidate : candidates) {
        const QDate date = candidate.source->date;
        if (weighIns.contains(candidate.key)) {
            ++plan.duplicates;
            continue;
        }
        if (thinned && days.contains(date.toJulianDay())) {
            ++plan.sameDay;
            continue;
        }
        if (!source.ownLog) {
            if (inFile.contains(candidate.key)) {
                ++plan.repeated;
                continue;
            }
            inFile.insert(candidate.key);
            days.insert(date.toJulianDay());
        }
        plan.added.append({ StoredDate::longText(date), candidate.text });
        if (!plan.first.isValid() || date < plan.first)
            plan.first = date;
        if (!plan.last.isValid() || date > plan.last)
            plan.last = date;
    }
    return plan;
}
