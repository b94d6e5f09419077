#pragma once

#include "screens/ScreenServices.h"
#include "storage/BackgroundSetting.h"

class QLabel;
class QWidget;

// The main screen's background: the colour or picture stored in GZorq1.Fil,
// shown behind the centre panel. "Default" is the swatch's colour, the
// system's own window colour.
class MainScreenBackground
{
public:
    MainScreenBackground(
        const ScreenServices& services, QWidget& central, QLabel& image, const QLabel& swatch);

    // The stored background (the first colour when none is stored) into
    // the shared state, and shown.
    void applyStored();
    void show(const BackgroundSetting& background) const;
    // The choice holds for this run even when it cannot be stored; the user
    // is told it will be gone at the next start.
    void choose(const BackgroundSetting& background);

private:
    BackgroundSetting withDefaultResolved(const BackgroundSetting& background) const;

    ScreenServices m_services;
    QWidget& m_central;
    QLabel& m_image;
    const QLabel& m_swatch;
};
