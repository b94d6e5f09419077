#pragma once

#include "services/MessageService.h"
#include "services/Outcome.h"

class QString;

// Every screen shows a failure the same way: the outcome's message in a box
// with an OK button, a stop sign unless the screen has always used another.
void showFailure(MessageService& messages, const Outcome& outcome, const QString& title,
    MessageService::Icon icon = MessageService::Icon::Critical);

// A setting that could not be stored: the outcome's message after the
// warning that the choice holds only until the program starts again.
void showSettingFailure(
    MessageService& messages, const Outcome& outcome, const QString& setting, const QString& title);
