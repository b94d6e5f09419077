#pragma once

#include "screens/PrintOptionsPanel.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

// Escape on a screen with its print options open gives an enlarged preview
// its normal size first, then closes the panel; the screen stays open.
inline void expectEscapeShrinksThenCloses(QWidget* screen, PrintOptionsPanel* panel)
{
    QTest::mouseClick(panel->findChild<QPushButton*>(QStringLiteral("SSCommand1")), Qt::LeftButton);
    ASSERT_TRUE(panel->enlarged());
    QTest::keyClick(screen, Qt::Key_Escape);
    EXPECT_FALSE(panel->enlarged());
    EXPECT_TRUE(panel->printOptionsOpen());
    QTest::keyClick(screen, Qt::Key_Escape);
    EXPECT_FALSE(panel->printOptionsOpen());
    EXPECT_TRUE(screen->isVisible());
}
