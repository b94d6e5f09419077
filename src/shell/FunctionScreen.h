#pragma once

#include <QString>

#include <functional>

class QWidget;

// The three functions the main screen opens.
enum class FunctionScreen { WeightTracker, BloodPressureTracker, PasswordKeeper };

// Creates a function's window. The main screen calls it on first use and
// again after the window was closed; the window is deleted when it closes
// (the main screen sets Qt::WA_DeleteOnClose), so each new one loads its
// files afresh.
using FunctionScreenFactory = std::function<QWidget*()>;

// The window title without a family name.
inline QString functionScreenTitle(FunctionScreen screen)
{
    switch (screen) {
    case FunctionScreen::WeightTracker:
        return QStringLiteral("Weight Tracker");
    case FunctionScreen::BloodPressureTracker:
        return QStringLiteral("Blood Pressure Tracker");
    case FunctionScreen::PasswordKeeper:
        return QStringLiteral("Password Keeper");
    }
    return {};
}
