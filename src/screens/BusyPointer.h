#pragma once

// The screen-wide hourglass. Calls need not pair up: screens switch it off
// on paths that never switched it on, so On while it is on and Off while it
// is off change nothing.
void BusyPointerOn();
void BusyPointerOff();
bool BusyPointerIsOn();

// Switches the hourglass on for a scope and off again when it ends, also on
// an early return.
class BusyPointerScope
{
public:
    BusyPointerScope() { BusyPointerOn(); }
    ~BusyPointerScope() { BusyPointerOff(); }
    BusyPointerScope(const BusyPointerScope&) = delete;
    BusyPointerScope& operator=(const BusyPointerScope&) = delete;
};
