#pragma once

#include "ProgramFolder.h"
#include "SettingsRecords.h"
#include "StoredColour.h"

#include <QString>
#include <QtGlobal>

// GColor3.Fil: the main window's display mode and smaller-screen size, the
// print preview's guide-line option of each function, and the Password
// Keeper's panel colour. Each call opens the file, touches one record and
// closes it again. A setter's outcome names the file and the reason when the
// value was not stored.
class GColor3File
{
public:
    static constexpr int RecordLength = 20;
    // The smaller-screen window is never applied smaller than this (twips).
    static constexpr int MinimumWindowHeight = 9000;
    static constexpr int MinimumWindowWidth = 12000;

    explicit GColor3File(const ProgramFolder& folder);

    // Record 35. Smaller-screen display when the text starts with "Yes";
    // anything else, the empty record included, is full-screen display.
    bool displayModeSmaller() const;
    // The record as stored, for the callers that must tell "No" (restored
    // from full-screen display) from a record never written.
    QString displayModeText() const;
    // Stores "Yes" or "No".
    Outcome setDisplayModeSmaller(bool smaller) const;

    // Records 36 and 37 as stored, in twips; 0 when never written.
    qint16 windowHeight() const;
    qint16 windowWidth() const;
    // The same, raised to the smallest size the window may take.
    int appliedWindowHeight() const;
    int appliedWindowWidth() const;
    // Refused, and the record unchanged, when twips does not fit in 16 bits.
    Outcome setWindowHeight(int twips) const;
    Outcome setWindowWidth(int twips) const;

    // Records 26, 80 and 85: "1" shows the guide lines, anything else (the
    // empty record included) hides them.
    bool passwordKeeperGuideLinesOn() const;
    Outcome setPasswordKeeperGuideLines(bool on) const;
    bool weightGuideLinesOn() const;
    Outcome setWeightGuideLines(bool on) const;
    bool bloodPressureGuideLinesOn() const;
    Outcome setBloodPressureGuideLines(bool on) const;

    // Record 104. An empty record stays "not a colour": the keeper resolves
    // it, like "Default", to its swatch colour.
    StoredColour passwordKeeperPanelColour() const;
    Outcome setPasswordKeeperPanelColour(const StoredColour& colour) const;

private:
    Outcome writeInt16(int record, int value) const;
    bool guideLinesOn(int record) const;

    SettingsRecords m_records;
};
