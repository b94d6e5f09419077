#pragma once

#include "storage/ProgramFolder.h"

#include <QDialog>

class Clock;

// The start-up picture: the program's name, version and maker, shown once
// per run for about four seconds while the start-up waits.
class SplashScreen : public QDialog
{
    Q_OBJECT

public:
    SplashScreen(const ProgramFolder& folder, Clock& clock, QWidget* parent = nullptr);

    // Shows the splash centred on the screen, holds it for two two-second
    // pauses and closes it. Nothing else runs meanwhile.
    void run();

private:
    Clock& m_clock;
};
