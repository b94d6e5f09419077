#pragma once

#include "passwords/SecretBytes.h"

#include <QString>

#include <optional>

class QIODevice;

// Reads master passwords for halvorn-data: from the terminal without echo,
// after a prompt on the error stream, or, when standard input is not a
// terminal, one line of standard input each (so that a script can pipe the
// old password and the new one in, one per line). The password goes straight
// from the input into guarded memory, a byte at a time, never through an
// ordinary buffer.
class MasterPasswordInput
{
public:
    explicit MasterPasswordInput(QIODevice& prompts);

    // The longest master password read.
    static constexpr std::size_t MaximumLength = 4096;

    // Nothing when input ended before a line came, or the line is longer
    // than MaximumLength.
    std::optional<SecretBytes> read(const QString& prompt);

private:
    std::optional<SecretBytes> readLine();

    QIODevice& m_prompts;
    bool m_terminal;
};
