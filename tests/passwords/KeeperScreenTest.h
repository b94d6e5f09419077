#pragma once

#include "ScriptedScreenServices.h"

#include "passwords/ui/PasswordKeeper.h"
#include "storage/ProgramSettings.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>

// The Password Keeper on scripted services. An empty keeper offers
// protection at its first opening; these tests are about the rest, so the
// offer was declined before.
class KeeperScreenTest : public testing::Test, protected ScriptedScreenServices
{
protected:
    std::unique_ptr<PasswordKeeper> screen;

    void SetUp() override
    {
        ASSERT_TRUE(ProgramSettings(folder.folder()).setKeeperProtectionDeclined(true));
    }

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
