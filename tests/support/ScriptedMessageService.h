#pragma once

#include "services/MessageService.h"

#include <QList>
#include <QQueue>

// Records every message and input box and answers from queues the test
// fills. An unscripted message box answers its default button; an
// unscripted input box is cancelled.
class ScriptedMessageService : public MessageService
{
public:
    struct InputRequest {
        QString prompt;
        QString title;
        QString defaultText;
    };

    Answer show(const Message& message) override;
    std::optional<QString> input(
        const QString& prompt, const QString& title, const QString& defaultText) override;

    void queueAnswer(Answer answer) { m_answers.enqueue(answer); }
    void queueInput(std::optional<QString> text) { m_inputs.enqueue(text); }

    const QList<Message>& messages() const { return m_messages; }
    const QList<InputRequest>& inputRequests() const { return m_inputRequests; }
    // The last message shown; fails the test when there was none.
    Message last() const;
    QStringList texts() const;
    void clear();

private:
    QQueue<Answer> m_answers;
    QQueue<std::optional<QString>> m_inputs;
    QList<Message> m_messages;
    QList<InputRequest> m_inputRequests;
};
