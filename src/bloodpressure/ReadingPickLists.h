#pragma once

#include "bloodpressure/Reading.h"

#include <QStringList>
#include <QTime>

#include <array>

// The entry panel's five pick lists and what they preselect for a reading
// (PrepareReadingEntry). Items are the numbers counted down, each with one
// blank before it (" 120"); minutes below 10 are "09" to "01", and "00"
// closes the minute list. Every item is trimmed before it is used.
class ReadingPickLists
{
public:
    enum List { Hour, Minute, Systolic, Diastolic, Pulse };
    static constexpr int ListCount = 5;

    // What an empty row offers.
    static constexpr int DefaultSystolic = 120;
    static constexpr int DefaultDiastolic = 80;
    static constexpr int DefaultPulse = 70;

    static const QStringList& items(List list);

    // The item of each list to preselect (-1: none) and the AM/PM choice.
    struct Preselection {
        std::array<int, ListCount> item {};
        bool pm = false;
        bool operator==(const Preselection&) const = default;
    };

    // From the row's own values, or for empty cells from the time of day
    // and 120, 80 and 70. A value that is not one of its list's items (a
    // typed "14:30", a pressure of 400) preselects nothing in that list.
    static Preselection prepare(const Reading& row, const QTime& now);

    // The index of the item holding value, or -1.
    static int indexOf(List list, int value);

    // The time cell as Enter writes it: "7:05 AM".
    static QString timeText(const QString& hourItem, const QString& minuteItem, bool pm);
};
