#pragma once

#include <QString>

// One row of the weigh-in log, as stored: the texts shown on the screen.
struct WeighIn {
    QString date; // "mmmm dd, yyyy" as the calendar writes it, or empty
    QString weight; // the number as typed, no unit, or empty

    bool isEmpty() const { return date.isEmpty() && weight.isEmpty(); }
    bool operator==(const WeighIn&) const = default;
};
