#pragma once

#include "BackgroundSetting.h"
#include "ProgramFolder.h"
#include "SettingsRecords.h"
#include "StoredColour.h"

#include <QString>

// GColor1.Fil: panel colours, grid backgrounds and date-checker switches of
// the two trackers, and the panel colour last shared with every function.
// Each call opens the file, touches one record and closes it again, so the
// last writer wins and nothing is cached. A setter's outcome names the file
// and the reason when the value was not stored (too long, or the file could
// not be written).
class GColor1File
{
public:
    static constexpr int RecordLength = 20;

    explicit GColor1File(const ProgramFolder& folder);

    // Record 49; "Default" when empty.
    StoredColour sharedPanelColour() const;
    Outcome setSharedPanelColour(const StoredColour& colour) const;

    // Records 80 and 85. An empty record stays "not a colour": resolve it
    // with StoredColour::TrackerPanelFallback.
    StoredColour weightPanelColour() const;
    Outcome setWeightPanelColour(const StoredColour& colour) const;
    StoredColour bloodPressurePanelColour() const;
    Outcome setBloodPressurePanelColour(const StoredColour& colour) const;

    // Records 82 and 87. NotSet (empty or unreadable) means the grid's own
    // default colour.
    BackgroundSetting weightGridBackground() const;
    Outcome setWeightGridBackground(const BackgroundSetting& background) const;
    BackgroundSetting bloodPressureGridBackground() const;
    Outcome setBloodPressureGridBackground(const BackgroundSetting& background) const;

    // Records 83 and 84: "OFF" switches the checker off, anything else
    // (the empty record included) leaves it on. Switching on stores the
    // empty text.
    bool weightDateCheckerOn() const;
    Outcome setWeightDateChecker(bool on) const;
    bool bloodPressureDateCheckerOn() const;
    Outcome setBloodPressureDateChecker(bool on) const;

private:
    SettingsRecords m_records;
};
