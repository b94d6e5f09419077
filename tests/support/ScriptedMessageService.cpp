#include "ScriptedMessageService.h"

#include <gtest/gtest.h>

MessageService::Answer ScriptedMessageService::show(const Message& message)
{
    m_messages.append(message);
    return m_answers.isEmpty() ? message.defaultButton : m_answers.dequeue();
}

std::optional<QString> ScriptedMessageService::input(
    const QString& prompt, const QString& title, const QString& defaultText)
{
    m_inputRequests.append({ prompt, title, defaultText });
    return m_inputs.isEmpty() ? std::nullopt : m_inputs.dequeue();
}

MessageService::Message ScriptedMessageService::last() const
{
    if (m_messages.isEmpty()) {
        ADD_FAILURE() << "no message was shown";
        return {};
    }
    return m_messages.last();
}

QStringList ScriptedMessageService::texts() const
{
    QStringList result;
    for (const Message& message : m_messages)
        result.append(message.text);
    return result;
}

void ScriptedMessageService::clear()
{
    m_messages.clear();
    m_inputRequests.clear();
}
