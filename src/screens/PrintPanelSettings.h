#pragma once

#include "services/Outcome.h"

#include "screens/PrintPanelProfile.h"
#include "storage/ProgramFolder.h"

struct ShellState;

// Where each function keeps the choices of its print options panel: the
// guide-line option in one settings file, the print font in another. The
// Password Keeper stores no font: its panel always opens with its own.
class PrintPanelSettings
{
public:
    PrintPanelSettings(const ProgramFolder& folder, PrintPanelProfile::Function function);

    bool guideLinesOn() const;
    Outcome setGuideLines(bool shown) const;

    // The stored face and size into the shared state, with the kind of
    // number the size was stored as; a function without its own font gets
    // the default size.
    void readFont(ShellState& state) const;
    Outcome storeFont(const ShellState& state) const;

private:
    ProgramFolder m_folder;
    PrintPanelProfile::Function m_function;
};
