#include "shell/MainScreenBackground.h"

#include "screens/ScreenBackgroundView.h"
#include "screens/ScreenColour.h"
#include "screens/ShellState.h"
#include "screens/ShowFailure.h"
#include "services/MessageService.h"
#include "storage/GZorq1File.h"

#include <QLabel>

MainScreenBackground::MainScreenBackground(
    const ScreenServices& services, QWidget& central, QLabel& image, const QLabel& swatch)
    : m_services(services)
    , m_central(central)
    , m_image(image)
    , m_swatch(swatch)
{ }

void MainScreenBackground::applyStored()
{
    ShellState& state = m_services.state;
    const BackgroundSetting stored = GZorq1File(m_services.folder).screenBackground();
    state.ScreenBackground = stored.isNotSet()
        ? BackgroundSetting::colour(BackgroundSetting::InitialScreenColour)
        : withDefaultResolved(stored);
    show(state.ScreenBackground);
}

void MainScreenBackground::show(const BackgroundSetting& background) const
{
    ScreenBackgroundView::show(
        withDefaultResolved(background), m_services.folder, m_central, m_image);
}

void MainScreenBackground::choose(const BackgroundSetting& background)
{
    const Outcome outcome = GZorq1File(m_services.folder).setScreenBackground(background);
    m_services.state.ScreenBackground = withDefaultResolved(background);
    show(m_services.state.ScreenBackground);
    if (!outcome.succeeded)
        showSettingFailure(m_services.messages, outcome, QStringLiteral("screen background"),
            QStringLiteral("Background Selector"));
}

BackgroundSetting MainScreenBackground::withDefaultResolved(
    const BackgroundSetting& background) const
{
    const QColor swatch = m_swatch.palette().color(QPalette::Window);
    return background.isDefault() ? BackgroundSetting::colour(ScreenColour::fromQColor(swatch))
                                  : background;
}
