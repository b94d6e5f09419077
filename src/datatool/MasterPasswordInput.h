#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <optional>

class QIODevice;

// Reads master passwords for halvorn-data: from the terminal without echo,
// after a prompt on the error stream, or, when standard input is not a
// terminal, one line of standard input each (so that a script can pipe the
// old password and the new one in, one per line).
class MasterPasswordInput
{
public:
    explicit MasterPasswordInput(QIODevice& prompts);

    // Nothing when input ended before a line came.
    std::optional<QByteArray> read(const QString& prompt);

private:
    QIODevice& m_prompts;
    QFile m_input;
    bool m_terminal;
};
