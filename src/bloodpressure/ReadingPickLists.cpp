#include "bloodpressure/ReadingPickLists.h"

#include "storage/NumberText.h"

#include <cmath>
#include <optional>

namespace {

struct Range {
    int highest;
    int lowest;
};

constexpr std::array<Range, ReadingPickLists::ListCount> ranges { {
    { 12, 1 }, // hour
    { 59, 0 }, // minute; 0 is "00", the last item
    { 300, 50 }, // systolic
    { 150, 1 }, // diastolic
    { 150, 1 }, // pulse
} };

QString itemText(ReadingPickLists::List list, int value)
{
    if (list == ReadingPickLists::Minute && value < 10)
        return QStringLiteral("0%1").arg(value);
    // The blank is where the number's sign would stand.
    return QLatin1Char(' ') + QString::number(value);
}

// A whole number, and nothing for anything else ("abc", "120.5", "").
std::optional<int> wholeNumber(const QString& text)
{
    const std::optional<double> number = NumberText::toNumber(text.trimmed());
    if (!number || *number != std::floor(*number) || std::fabs(*number) > 100000)
        return std::nullopt;
    return int(*number);
}

int indexOfText(ReadingPickLists::List list, const QString& text)
{
    const std::optional<int> value = wholeNumber(text);
    return value ? ReadingPickLists::indexOf(list, *value) : -1;
}

} // namespace

const QStringList& ReadingPickLists::items(List list)
{
    static const std::array<QStringList, ListCount> lists = [] {
        std::array<QStringList, ListCount> filled;
        for (int index = 0; index < ListCount; ++index) {
            for (int value = ranges[index].highest; value >= ranges[index].lowest; --value)
                filled[index].append(itemText(List(index), value));
        }
        return filled;
    }();
    return lists[list];
}

int ReadingPickLists::indexOf(List list, int value)
{
    const Range range = ranges[list];
    if (value > range.highest || value < range.lowest)
        return -1;
    return range.highest - value;
}

ReadingPickLists::Preselection ReadingPickLists::prepare(const Reading& row, const QTime& now)
{
    Preselection chosen;
    const QString time = row.time.trimmed();
    if (time.isEmpty()) {
        // Noon is 12 PM and midnight 12 AM.
        const int hour = now.hour() % 12;
        chosen.item[Hour] = indexOf(Hour, hour == 0 ? 12 : hour);
        chosen.item[Minute] = indexOf(Minute, now.minute());
        chosen.pm = now.hour() >= 12;
    } else {
        const qsizetype colon = time.indexOf(QLatin1Char(':'));
        const QString hour = colon < 0 ? time : time.left(colon);
        const QString minute = colon < 0 ? QString() : time.mid(colon + 1, 2);
        chosen.item[Hour] = indexOfText(Hour, hour);
        chosen.item[Minute] = indexOfText(Minute, minute);
        // The AM/PM choice stands after the two minute digits and a blank.
        const QString half = colon < 0 ? QString() : time.mid(colon + 4).trimmed();
        chosen.pm = half != QLatin1String("AM");
    }

    const auto valueOrDefault = [](List list, const QString& cell, int empty) {
        return cell.trimmed().isEmpty() ? indexOf(list, empty) : indexOfText(list, cell);
    };
    chosen.item[Systolic] = valueOrDefault(Systolic, row.systolic, DefaultSystolic);
    chosen.item[Diastolic] = valueOrDefault(Diastolic, row.diastolic, DefaultDiastolic);
    chosen.item[Pulse] = valueOrDefault(Pulse, row.pulse, DefaultPulse);
    return chosen;
}

QString ReadingPickLists::timeText(const QString& hourItem, const QString& minuteItem, bool pm)
{
    return hourItem.trimmed() + QLatin1Char(':') + minuteItem.trimmed()
        + (pm ? QStringLiteral(" PM") : QStringLiteral(" AM"));
}
