#include "CommandButton.h"

#include <QAction>

CommandButton::CommandButton(
    QAction* action, const QString& objectName, const QString& caption, QWidget* parent)
    : QPushButton(caption, parent)
    , m_action(action)
{
    setObjectName(objectName);
    follow();
    connect(m_action, &QAction::changed, this, &CommandButton::follow);
    connect(this, &QPushButton::clicked, m_action, [this] { m_action->trigger(); });
}

void CommandButton::follow()
{
    setEnabled(m_action->isEnabled());
}
