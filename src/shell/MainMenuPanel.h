#pragma once

#include "shell/FunctionScreen.h"

#include <QFrame>

// The main screen's centre panel (Panel3D7): the program's name, the buttons
// that open the three functions, Help and Exit, and the version.
class MainMenuPanel : public QFrame
{
    Q_OBJECT

public:
    explicit MainMenuPanel(QWidget* parent);

signals:
    void functionChosen(FunctionScreen screen);
    void helpChosen();
    void exitChosen();
};
