#pragma once

#include "ProgramFolder.h"
#include "SettingsRecords.h"
#include "TaggedValue.h"

#include <QString>

// GColor4.Fil: the print font of each tracker's print options and the Weight
// Tracker's trend display switch. Each call opens the file, touches one
// record and closes it again. A setter's outcome names the file and the
// reason when the value was not stored.
class GColor4File
{
public:
    static inline const QString FileName = QStringLiteral("GColor4.Fil");
    static constexpr int RecordLength = 40;
    static constexpr double MinimumPrintFontSize = 4;
    static constexpr double MaximumPrintFontSize = 30;
    static constexpr double DefaultPrintFontSize = 14;

    explicit GColor4File(const ProgramFolder& folder);

    // Records 32 and 36 (tagged text): the stored name, or fallback when
    // nothing but blanks is stored. Pass an empty fallback to see whether a
    // name was stored.
    QString weightPrintFontName(const QString& fallback) const;
    QString bloodPressurePrintFontName(const QString& fallback) const;
    // A name longer than 36 characters is not stored; the previous one stays.
    Outcome setWeightPrintFontName(const QString& name) const;
    Outcome setBloodPressurePrintFontName(const QString& name) const;

    // Records 33 and 37 (tagged number): the stored size in points when it
    // lies from 4 to 30, otherwise 14.
    double weightPrintFontSize() const;
    double bloodPressurePrintFontSize() const;
    // The same sizes as stored, a 32-bit float or a 16-bit integer (the 14
    // that stands in for a missing or unusable size is one), so that a size
    // nobody changed is written back as it was.
    TaggedValue weightPrintFontSizeValue() const;
    TaggedValue bloodPressurePrintFontSizeValue() const;
    // Stores the size with its own kind: the font dialog and Auto Size give
    // a 32-bit float, everything else a 16-bit integer. Anything but a
    // number is refused.
    Outcome setWeightPrintFontSize(const TaggedValue& size) const;
    Outcome setBloodPressurePrintFontSize(const TaggedValue& size) const;

    // Record 34: the trend pictures show unless it holds "OFF" (or any other
    // text than "ON"); the empty record means on.
    bool weightTrendDisplayOn() const;
    // Stores "ON" or "OFF".
    Outcome setWeightTrendDisplay(bool on) const;

private:
    QString readFontName(int record, const QString& fallback) const;
    Outcome writeFontName(int record, const QString& name) const;
    TaggedValue readFontSize(int record) const;
    Outcome writeFontSize(int record, const TaggedValue& size) const;

    SettingsRecords m_records;
};
