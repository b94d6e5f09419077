#pragma once

#include "FakeClock.h"
#include "RecordingHelp.h"
#include "ScriptedDialogs.h"
#include "ScriptedMessageService.h"
#include "TemporaryProgramFolder.h"
#include "backup/ui/BackupScreen.h"

#include "shell/MainScreen.h"
#include "shell/ScreenMetrics.h"
#include "storage/GColor3File.h"
#include "storage/RecordFile.h"

#include <QApplication>
#include <QSize>

#include <gtest/gtest.h>

#include <memory>

// A screen of a chosen size at 96 dots per inch: 15 twips per pixel.
class FakeScreenMetrics : public ScreenMetrics
{
public:
    explicit FakeScreenMetrics(QSize pixels)
        : m_pixels(pixels)
    { }
    QSize sizeInPixels() const override { return m_pixels; }
    double logicalDotsPerInch() const override { return 96.0; }

private:
    QSize m_pixels;
};

class MainScreenFixture : public testing::Test
{
protected:
    void TearDown() override { screen.reset(); }

    // Creates the main screen on a screen of the given size (pixels).
    MainScreen& create(QSize screenPixels = QSize(1024, 768))
    {
        screen = std::make_unique<MainScreen>(ScreenServices { program->folder(), messages, dialogs,
                                                  clock, state, help, &BackupScreen::run },
            std::make_unique<FakeScreenMetrics>(screenPixels));
        return *screen;
    }

    MainScreen& start(QSize screenPixels = QSize(1024, 768))
    {
        create(screenPixels).open();
        QApplication::processEvents();
        return *screen;
    }

    // A fresh program folder and no main screen, for the next case of a table.
    void renewFolder()
    {
        screen.reset();
        state = ShellState();
        program = std::make_unique<TemporaryProgramFolder>();
        messages.clear();
    }

    void storeDisplayMode(const QString& mode, qint16 height, qint16 width)
    {
        RecordFile file(program->filePath(QStringLiteral("GColor3.Fil")), 20);
        file.writeText(35, mode);
        file.writeInt16(36, height);
        file.writeInt16(37, width);
    }

    GColor3File displaySettings() const { return GColor3File(program->folder()); }

    QSize twipsOf(const QWidget& widget) const
    {
        return { screen->metrics().toTwips(widget.width()),
            screen->metrics().toTwips(widget.height()) };
    }

    template <typename T> T* find(const char* name) const
    {
        return screen->findChild<T*>(QString::fromLatin1(name));
    }

    // Replaced by renewFolder() where one test walks through several starts.
    std::unique_ptr<TemporaryProgramFolder> program = std::make_unique<TemporaryProgramFolder>();
    ScriptedMessageService messages;
    ScriptedDialogs dialogs;
    FakeClock clock;
    RecordingHelp help;
    ShellState state;
    std::unique_ptr<MainScreen> screen;
};
