#pragma once

#include "BackgroundSetting.h"
#include "ProgramFolder.h"
#include "SettingsRecords.h"

// GZORQ1.Fil: the program-wide screen background, record 3, a tagged value:
// the text "Def" for the default colour, a picture name as text, or a 32-bit
// colour. Each call opens the file, touches the record and closes it again.
class GZorq1File
{
public:
    static constexpr int RecordLength = 10;

    explicit GZorq1File(const ProgramFolder& folder);

    // Pure blue (BackgroundSetting::InitialScreenColour) while nothing usable
    // is stored: the record unset, the empty text, or a text that is neither
    // "Def", a picture name nor a number.
    BackgroundSetting screenBackground() const;
    // Default is stored as the text "Def", a picture as its name, a colour
    // as a 32-bit integer; NotSet clears the record.
    Outcome setScreenBackground(const BackgroundSetting& background) const;

private:
    SettingsRecords m_records;
};
