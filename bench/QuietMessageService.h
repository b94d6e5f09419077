#pragma once

#include "services/MessageService.h"

#include <QStringList>

// Nobody answers message boxes during a benchmark: each answers its default
// button and is kept, so that a run which met one can say so instead of
// timing an error path.
class QuietMessageService : public MessageService
{
public:
    Answer show(const Message& message) override;
    std::optional<QString> input(
        const QString& prompt, const QString& title, const QString& defaultText) override;

    const QStringList& shown() const { return m_shown; }

private:
    QStringList m_shown;
};
