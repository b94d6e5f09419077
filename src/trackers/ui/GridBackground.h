#pragma once

#include "services/Outcome.h"
#include "storage/BackgroundSetting.h"
#include "storage/ProgramFolder.h"

#include <QColor>

#include <functional>

class DataGrid;

// A tracker's grid background: read from the tracker's record when the
// screen opens, shown on the log grid, chosen in the grid background
// selector and written with the screen's colours. Only a choice made in this
// visit is written.
class GridBackground
{
public:
    struct Record {
        std::function<BackgroundSetting()> read;
        std::function<Outcome(const BackgroundSetting&)> write;
    };

    // defaultColour: the grid's own colour, that of the hidden Text2.
    GridBackground(
        Record record, DataGrid& grid, ProgramFolder folder, std::function<QColor()> defaultColour);

    // LoadGridBackground.
    void load();
    // The background in force: as loaded, or as chosen since.
    const BackgroundSetting& current() const { return m_current; }
    // Shows a background on the grid without choosing it; a picture that
    // is not one of the sixteen shows the default colour.
    void show(const BackgroundSetting& background);
    void choose(const BackgroundSetting& background);
    bool chosen() const { return m_chosen; }
    // The grid's colour now, which the colour dialog starts from.
    QColor colour() const;
    // Writes the choice of this visit; nothing to write is a success.
    Outcome save();

private:
    Record m_record;
    DataGrid& m_grid;
    ProgramFolder m_folder;
    std::function<QColor()> m_defaultColour;
    BackgroundSetting m_current;
    bool m_chosen = false;
};
