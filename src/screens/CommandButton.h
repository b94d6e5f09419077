#pragma once

#include <QPushButton>

class QAction;

// A button that stands for a command's action: a click triggers the action,
// and the button is enabled exactly when the action is. The menu item, the button and later the
// toolbar button of one command are thus enabled in one place. The button keeps its own object name
// ("Command10") beside the action's ("mOS"), its own caption (a menu may word a command otherwise)
// and its own visibility (some buttons are shown only in one mode while their menu item stays).
class CommandButton : public QPushButton
{
    Q_OBJECT

public:
    CommandButton(
        QAction* action, const QString& objectName, const QString& caption, QWidget* parent);

    QAction* action() const { return m_action; }

private:
    void follow();

    QAction* m_action;
};
