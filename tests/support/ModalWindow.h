#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

// Runs steps against a modal window once its event loop runs (a screen
// shown with exec()), then closes it, so that a test can drive a modal
// screen opened by the code under test. The window is found by its object
// name among the visible top-level windows; steps receive it, or nothing
// when no such window came up.
template <typename Window>
void whenModalOpens(const QString& objectName, std::function<void(Window*)> steps)
{
    QTimer::singleShot(0, [objectName, steps] {
        Window* found = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible() && widget->objectName() == objectName)
                found = qobject_cast<Window*>(widget);
        }
        steps(found);
        if (found)
            found->close();
    });
}
