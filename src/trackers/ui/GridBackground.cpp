#include "GridBackground.h"

#include "screens/DataGrid.h"
#include "screens/ScreenColour.h"

GridBackground::GridBackground(
    Record record, DataGrid& grid, ProgramFolder folder, std::function<QColor()> defaultColour)
    : m_record(std::move(record))
    , m_grid(grid)
    , m_folder(std::move(folder))
    , m_defaultColour(std::move(defaultColour))
{ }

void GridBackground::load()
{
    m_current = m_record.read();
    m_chosen = false;
    show(m_current);
}

void GridBackground::show(const BackgroundSetting& background)
{
    if (background.pictureNumber() > 0) {
        m_grid.setBackgroundPicture(m_folder.shippedFilePath(background.pictureFileName()));
        return;
    }
    m_grid.setBackgroundPicture(QString());
    m_grid.setBackgroundColour(background.isColour()
            ? ScreenColour::toQColor(background.colourValue())
            : m_defaultColour());
}

void GridBackground::choose(const BackgroundSetting& background)
{
    m_current = background;
    m_chosen = true;
    show(m_current);
}

QColor GridBackground::colour() const
{
    return m_current.isColour() ? ScreenColour::toQColor(m_current.colourValue())
                                : m_defaultColour();
}

Outcome GridBackground::save()
{
    if (!m_chosen)
        return Outcome::success();
    const Outcome outcome = m_record.write(m_current);
    if (outcome.succeeded)
        m_chosen = false;
    return outcome;
}
