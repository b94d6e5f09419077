#include "WeightImportPlan.h"

#include "storage/NumberText.h"
#include "storage/StoredDate.h"

#include <QSet>

#include <algorithm>
#include <cmath>

namespace {

struct Candidate {
    const SourceWeighIn* source = nullptr;
    QString text;
    qint64 tenths = 0;
};

// A weight in tenths, the precision the log is compared in.
qint64 tenthsOf(double weight)
{
    return std::llround(weight * 10);
}

QString dayKey(const QDate& date, qint64 tenths)
{
    return QStringLiteral("%1|%2").arg(date.toJulianDay()).arg(tenths);
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
    const SourceLog& source, const QList<WeighIn>& log, Unit unit, bool everyWeighIn)
{
    WeightImportPlan plan;
    plan.refused = source.refused;
    QList<Candidate> candidates;
    for (const SourceWeighIn& weighIn : source.weighIns) {
        const std::optional<QString> text = converted(weighIn.weight, weighIn.unit, unit);
        if (!text) {
            plan.refused.append({ weighIn.line,
                QStringLiteral("the weight %1 %2 is not above 0")
                    .arg(weighIn.weight)
                    .arg(WeightPersonSettings::unitName(weighIn.unit)) });
            continue;
        }
        candidates.append({ &weighIn, *text, tenthsOf(text->toDouble()) });
    }
    std::sort(plan.refused.begin(), plan.refused.end(),
        [](const RefusedLine& a, const RefusedLine& b) { return a.line < b.line; });
    // A weigh-in without a time counts as the day's first.
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
    for (const WeighIn& row : log) {
        const QDate date = StoredDate::parse(row.date.trimmed());
        if (!date.isValid())
            continue;
        days.insert(date.toJulianDay());
        if (const std::optional<double> weight = NumberText::toNumber(row.weight))
            weighIns.insert(dayKey(date, tenthsOf(*weight)));
    }
    for (const Candidate& candidate : candidates) {
        const QDate date = candidate.source->date;
        const QString key = dayKey(date, candidate.tenths);
        if (weighIns.contains(key)) {
            ++plan.duplicates;
            continue;
        }
        if (!everyWeighIn && days.contains(date.toJulianDay())) {
            ++plan.sameDay;
            continue;
        }
        weighIns.insert(key);
        days.insert(date.toJulianDay());
        plan.added.append({ StoredDate::longText(date), candidate.text });
        if (!plan.first.isValid())
            plan.first = date;
        plan.last = date;
    }
    return plan;
}
