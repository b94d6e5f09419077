#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include "passwords/VaultParameters.h"

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    // Screens are tested headless whatever the caller's environment says.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Per-user settings (the toolbar layouts) go to a folder of the run's
    // own, never to the user's.
    QTemporaryDir userSettings;
    qputenv("XDG_CONFIG_HOME", userSettings.path().toLocal8Bit());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, userSettings.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, userSettings.path());
    QApplication app(argc, argv);
    // Vaults sealed by tests stretch their keys as little as libsodium allows.
    VaultParameters::acceptFastestForTests();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
