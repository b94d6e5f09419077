#pragma once

#include <QString>

// One row of the blood-pressure log, as stored: the texts shown in the grid.
struct Reading {
    QString date; // "mmmm dd, yyyy"
    QString time; // "7:05 AM"
    QString systolic; // 50 to 300
    QString diastolic; // 1 to 150
    QString pulse; // 1 to 150

    bool isEmpty() const
    {
        return date.isEmpty() && time.isEmpty() && systolic.isEmpty() && diastolic.isEmpty()
            && pulse.isEmpty();
    }
    bool operator==(const Reading&) const = default;
};
