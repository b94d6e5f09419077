#include "weight/ProgressStatistics.h"

#include "storage/DisplayFormat.h"
#include "storage/NumberText.h"

#include <charconv>
#include <optional>

namespace {

// A loss is bold, a gain plain; no change says nothing about boldness.
void setCell(ProgressStatistics::DerivedCell& cell, float value)
{
    if (value < 0)
        cell.bold = true;
    else if (value > 0)
        cell.bold = false;
    cell.text = NumberText::shortestText(value);
}

// The current weight minus the beginning weight. The beginning weight is
// taken in double precision and the difference passes through text with 15
// significant digits before it is narrowed, which is what keeps 200.1 - 198.5
// at 1.6 where single precision alone would give 1.600006.
float differenceFromBeginning(double beginning, float weight)
{
    const double fromWeight = beginning - static_cast<double>(weight);
    // The round trip through 15 digits, without building a string: a log
    // of ten thousand weigh-ins makes ten thousand of them.
    char digits[32];
    const auto written
        = std::to_chars(digits, digits + sizeof digits, fromWeight, std::chars_format::general, 15);
    double readBack = fromWeight;
    std::from_chars(digits, written.ptr, readBack);
    return static_cast<float>(-readBack);
}

} // namespace

void ProgressStatistics::RecomputeDerivedColumns(
    const QList<WeighIn>& rows, const QString& beginningWeight, QList<DerivedRow>& derived)
{
    derived.resize(rows.size());
    const std::optional<double> beginning = NumberText::toNumber(beginningWeight);
    std::optional<float> previous;

    for (qsizetype r = 0; r < rows.size(); ++r) {
        DerivedRow& cells = derived[r];
        const std::optional<float> weight = NumberText::toSingle(rows[r].weight);
        if (!weight) {
            cells.change.text.clear();
            cells.change.bold = false;
            cells.difference = {};
            continue;
        }
        if (r > 0 && previous)
            setCell(cells.change, *weight - *previous);
        else
            cells.change.text = NotApplicable;

        if (beginning)
            setCell(cells.difference, differenceFromBeginning(*beginning, *weight));
        else
            cells.difference = {};
        previous = weight;
    }
    if (!derived.isEmpty())
        derived[0].change.text = NotApplicable;
}

ProgressStatistics::TrendAndGoal ProgressStatistics::UpdateTrendAndGoal(
    const QList<WeighIn>& rows, const QList<DerivedRow>& derived, const QString& goalWeight)
{
    TrendAndGoal result;
    qsizetype entries = 0;
    while (entries < rows.size() && !rows[entries].date.trimmed().isEmpty())
        ++entries;
    if (entries == 0)
        return result;

    const qsizetype last = entries - 1;
    const DerivedRow cells = last < derived.size() ? derived[last] : DerivedRow {};
    const float change = NumberText::toSingle(cells.change.text).value_or(0.0f);
    const float difference = NumberText::toSingle(cells.difference.text).value_or(0.0f);
    const std::optional<float> weight = NumberText::toSingle(rows[last].weight);

    // The comparison is made in single precision on purpose: a stored change
    // of -1.4 counts as a loss of 1.4.
    if (change >= 0)
        result.lastEntryIcon = NoLossIcon;
    else if (change <= -1.4f)
        result.lastEntryIcon = LargeLossIcon;
    else
        result.lastEntryIcon = SmallLossIcon;

    const float goal = static_cast<float>(NumberText::leadingNumber(goalWeight.trimmed()));
    if (weight && goal >= *weight) {
        result.beginningIcon = LargeLossIcon;
        result.GoalReached = GoalText;
    } else if (difference >= 0) {
        result.beginningIcon = NoLossIcon;
    } else if (difference > -10) {
        result.beginningIcon = SmallLossIcon;
    } else {
        result.beginningIcon = LargeLossIcon;
    }
    return result;
}

QString ProgressStatistics::displayText(const QString& text)
{
    return DisplayFormat::apply(QStringLiteral("###.#"), text);
}

QString ProgressStatistics::trendInWords(const QString& icon)
{
    if (icon == NoLossIcon)
        return QStringLiteral("no loss");
    if (icon == SmallLossIcon)
        return QStringLiteral("down a little");
    if (icon == LargeLossIcon)
        return QStringLiteral("down");
    return QStringLiteral("not shown");
}
