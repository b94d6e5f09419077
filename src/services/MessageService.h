#pragma once

#include <QString>

#include <optional>

// Every message box and input box the user sees goes through this service,
// so that tests can script the answers and read back exactly what was shown.
class MessageService
{
public:
    enum class Icon { None, Information, Question, Exclamation, Critical };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    struct Message {
        QString text;
        QString title;
        Icon icon = Icon::None;
        Buttons buttons = Buttons::Ok;
        // The button that Enter presses; questions that guard the destruction
        // of data make it No.
        Answer defaultButton = Answer::Ok;
    };

    virtual ~MessageService() = default;

    // Shows a modal message box and returns the button pressed. Closing the
    // box without a button answers Cancel (or Ok / No where there is none).
    virtual Answer show(const Message& message) = 0;

    // A modal input box; nothing when the user cancels.
    virtual std::optional<QString> input(
        const QString& prompt, const QString& title, const QString& defaultText)
        = 0;

    // Shorthands for the common kinds.
    void inform(const QString& text, const QString& title)
    {
        show({ text, title, Icon::Information, Buttons::Ok, Answer::Ok });
    }
    void warn(const QString& text, const QString& title)
    {
        show({ text, title, Icon::Exclamation, Buttons::Ok, Answer::Ok });
    }
    void error(const QString& text, const QString& title)
    {
        show({ text, title, Icon::Critical, Buttons::Ok, Answer::Ok });
    }
};
