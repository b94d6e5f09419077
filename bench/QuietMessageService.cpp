#include "QuietMessageService.h"

MessageService::Answer QuietMessageService::show(const Message& message)
{
    m_shown.append(message.title + QStringLiteral(": ") + message.text);
    return message.defaultButton;
}

std::optional<QString> QuietMessageService::input(
    const QString& prompt, const QString& title, const QString&)
{
    m_shown.append(title + QStringLiteral(": ") + prompt);
    return std::nullopt;
}
