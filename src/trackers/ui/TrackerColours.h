#pragma once

#include "screens/ScreenServices.h"
#include "trackers/ui/TrackerProfile.h"

#include <functional>
#include <memory>

class BackgroundSelector;
class DataGrid;
class GridBackground;
class PanelColourService;
class QFrame;
class QLabel;
class QLineEdit;
class QWidget;

// A tracker's colours: the panel colour of its main panel and the panels
// that follow it, and the background of its log grid with the selector
// that chooses it (SSPanel9). Both are kept in the tracker's records of
// GColor1.Fil and saved together when the screen closes.
class TrackerColours
{
public:
    // What the colours paint and where they speak. The window owns the
    // services and the selector.
    struct Parts {
        QWidget* window;
        QFrame* panel; // Panel3D1
        QLabel* swatch; // Label1
        DataGrid* grid;
        // Text2, whose base colour is the grid's default background.
        QLineEdit* normalColourBox;
        std::function<void(const QString&)> showStatus;
        std::function<QString()> caption;
    };

    // services and profile stay the screen's, for as long as it lives.
    TrackerColours(const ScreenServices& services, const TrackerProfile& profile, Parts parts,
        QWidget* selectorParent);
    ~TrackerColours();

    PanelColourService* panelColours() const { return m_panelColours; }
    GridBackground& gridBackground() const { return *m_gridBackground; }
    BackgroundSelector* gridSelector() const { return m_gridSelector; }

private:
    PanelColourService* m_panelColours;
    std::unique_ptr<GridBackground> m_gridBackground;
    BackgroundSelector* m_gridSelector; // SSPanel9
};
