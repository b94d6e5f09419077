#pragma once

#include "services/MessageService.h"

class QWidget;

// Message and input boxes drawn by Qt's own dialogs, modal to the active
// window.
class QtMessageService : public MessageService
{
public:
    Answer show(const Message& message) override;
    std::optional<QString> input(
        const QString& prompt, const QString& title, const QString& defaultText) override;
};
