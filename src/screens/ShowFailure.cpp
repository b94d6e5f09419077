#include "ShowFailure.h"

#include <QString>

void showFailure(MessageService& messages, const Outcome& outcome, const QString& title,
    MessageService::Icon icon)
{
    messages.show({ outcome.message(), title, icon, MessageService::Buttons::Ok,
        MessageService::Answer::Ok });
}

void showSettingFailure(
    MessageService& messages, const Outcome& outcome, const QString& setting, const QString& title)
{
    messages.error(outcome.settingMessage(setting), title);
}
