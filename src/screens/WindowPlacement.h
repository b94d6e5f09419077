#pragma once

class QWidget;
struct ShellState;

// Where a function screen opens: in the smaller-screen display it takes the
// place and size of the window it was opened from (the main screen), and
// otherwise it covers the screen, maximised.
class WindowPlacement
{
public:
    // Before the window is first shown. Without an opener on show, the
    // remembered smaller size, centred; never larger than the screen.
    static void placeLikeOpener(QWidget& window, const ShellState& state, const QWidget* opener);
};
