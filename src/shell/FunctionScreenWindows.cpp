#include "shell/FunctionScreenWindows.h"

#include "screens/ShellState.h"

#include <QMainWindow>

namespace {

int functionIndex(FunctionScreen screen)
{
    return static_cast<int>(screen);
}

} // namespace

FunctionScreenWindows::FunctionScreenWindows(const ShellState& state)
    : m_state(state)
{ }

void FunctionScreenWindows::setFactory(FunctionScreen screen, FunctionScreenFactory factory)
{
    m_factories[functionIndex(screen)] = std::move(factory);
}

QWidget* FunctionScreenWindows::window(FunctionScreen screen) const
{
    return m_windows[functionIndex(screen)].data();
}

bool FunctionScreenWindows::anyOpen() const
{
    for (const QPointer<QWidget>& window : m_windows) {
        if (window)
            return true;
    }
    return false;
}

QWidget* FunctionScreenWindows::open(FunctionScreen screen, QObject* watcher)
{
    QPointer<QWidget>& slot = m_windows[functionIndex(screen)];
    if (!slot) {
        const FunctionScreenFactory& factory = m_factories[functionIndex(screen)];
        QWidget* created = factory ? factory() : createPlaceholder(screen);
        if (created == nullptr)
            return nullptr;
        created->setAttribute(Qt::WA_DeleteOnClose);
        created->installEventFilter(watcher);
        slot = created;
    }
    return slot.data();
}

void FunctionScreenWindows::deleteAll(QObject* watcher)
{
    for (QPointer<QWidget>& window : m_windows) {
        if (window) {
            window->removeEventFilter(watcher);
            delete window.data();
        }
    }
}

QWidget* FunctionScreenWindows::createPlaceholder(FunctionScreen screen) const
{
    auto* window = new QMainWindow;
    window->setWindowTitle(m_state.titleFor(functionScreenTitle(screen)));
    window->resize(800, 600);
    return window;
}
