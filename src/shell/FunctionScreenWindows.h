#pragma once

#include "shell/FunctionScreen.h"

#include <QPointer>
#include <QWidget>

#include <array>

struct ShellState;

// The windows of the three functions, made by their factories on first use
// and again after they closed. Each is deleted when it closes; the main
// screen watches its events.
class FunctionScreenWindows
{
public:
    explicit FunctionScreenWindows(const ShellState& state);

    void setFactory(FunctionScreen screen, FunctionScreenFactory factory);
    // The function's window while it is open, else null.
    QWidget* window(FunctionScreen screen) const;
    bool anyOpen() const;

    // The open window, or a new one watched by watcher; until a function's
    // own screen is plugged in, an empty window with the right title stands
    // in. Null when the factory made none.
    QWidget* open(FunctionScreen screen, QObject* watcher);
    // Function windows have no parent; at the end they go with the main
    // screen, without being asked to close.
    void deleteAll(QObject* watcher);

private:
    QWidget* createPlaceholder(FunctionScreen screen) const;

    const ShellState& m_state;
    std::array<FunctionScreenFactory, 3> m_factories;
    std::array<QPointer<QWidget>, 3> m_windows;
};
