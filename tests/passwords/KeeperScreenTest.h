#pragma once

#include "ScriptedScreenServices.h"

#include "passwords/ui/PasswordKeeper.h"
#include "storage/ProgramSettings.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>

// The Password Keeper on scripted services.
class KeeperScreenTest : public testing::Test, protected ScriptedScreenServices
{
protected:
    std::unique_ptr<PasswordKeeper> screen;

    // The keeper, shown and active, over the entries stored so far. Focus
    // changes reach the boxes only in the active window.
    void showKeeper()
    {
        screen = std::make_unique<PasswordKeeper>(services);
        screen->show();
        screen->activateWindow();
        QCoreApplication::processEvents();
    }
};
