// The Blood Pressure Tracker's Options menu beyond the screen as it always
// was: each choice is off until ticked. The rest of BPTracker is in
// BPTracker.cpp.

#include "BPTracker.h"

#include "bloodpressure/ui/BloodPressureFiguresPanel.h"
#include "screens/AdditionOption.h"

#include <QMenu>

void BPTracker::buildAdditions()
{
    QMenu* menu = optionsMenu();
    m_logColoursOption
        = new AdditionOption(services(), menu, ProgramSettings::Addition::BloodPressureLogColours,
            "mOLogColors", QStringLiteral("Color the &Log by Category"), texts().trackerName,
            [this](bool) { colourLog(); });
    // Hidden, the figures give their room back to the grid.
    m_figuresOption
        = new AdditionOption(services(), menu, ProgramSettings::Addition::BloodPressureFigures,
            "mOFigures", QStringLiteral("&Morning, Evening and Home-Week Figures"),
            texts().trackerName, [this](bool shown) { m_figures->setVisible(shown); });
}
