#include "trackers/ui/TrackerColours.h"

#include "screens/BackgroundSelector.h"
#include "screens/NamedWidget.h"
#include "screens/PanelColourService.h"
#include "screens/Twips.h"
#include "trackers/ui/GridBackground.h"

#include <QFrame>
#include <QLineEdit>

TrackerColours::TrackerColours(const ScreenServices& services, const TrackerProfile& profile,
    Parts parts, QWidget* selectorParent)
{
    const ProgramFolder* folder = &services.folder;
    const TrackerProfile* tracker = &profile;
    PanelColourService::Setup colours;
    colours.readRecord
        = [folder, tracker] { return (GColor1File(*folder).*tracker->panelColour)(); };
    colours.writeRecord = [folder, tracker](const StoredColour& colour) {
        return (GColor1File(*folder).*tracker->setPanelColour)(colour);
    };
    colours.fallback = StoredColour::TrackerPanelFallback;
    colours.swatch = parts.swatch;
    colours.closingQuestion = QStringLiteral("Save changes made to Panel Color/Background?");
    colours.closingTitle = QStringLiteral("Color Changes");
    colours.showStatus = parts.showStatus;
    colours.caption = parts.caption;
    m_panelColours = new PanelColourService(services, std::move(colours), parts.window);
    m_panelColours->addPanel(parts.panel);

    GridBackground::Record record;
    record.read = [folder, tracker] { return (GColor1File(*folder).*tracker->gridBackground)(); };
    record.write = [folder, tracker](const BackgroundSetting& background) {
        return (GColor1File(*folder).*tracker->setGridBackground)(background);
    };
    QLineEdit* normalColourBox = parts.normalColourBox;
    m_gridBackground = std::make_unique<GridBackground>(std::move(record), *parts.grid, *folder,
        [normalColourBox] { return normalColourBox->palette().color(QPalette::Base); });
    m_panelColours->setCompanionSave([this] { return m_gridBackground->save(); });

    BackgroundSelector::Target target;
    target.statusText = QStringLiteral("Grid Background Selector");
    target.current = [this] { return m_gridBackground->current(); };
    target.show
        = [this](const BackgroundSetting& background) { m_gridBackground->show(background); };
    target.colourPreset = [this] { return m_gridBackground->colour(); };
    target.choose = [this](const BackgroundSetting& background) {
        m_gridBackground->choose(background);
        m_panelColours->markChanged();
    };
    QFrame* panel = parts.panel;
    QWidget* window = parts.window;
    target.place = [panel, window](QWidget* selector) {
        selector->move(panel->x() + (panel->width() - selector->width()) / 2,
            panel->y() + Twips::toPixelsY(130, window));
    };
    target.showStatus = parts.showStatus;
    target.idleStatus = parts.caption;
    m_gridSelector = named(new BackgroundSelector(services, "Command22",
                               QStringLiteral("(Selected Background will be used by all Grids "
                                              "in this function.)"),
                               std::move(target), selectorParent),
        "SSPanel9");
}

TrackerColours::~TrackerColours() = default;
