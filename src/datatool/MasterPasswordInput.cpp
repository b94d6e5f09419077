#include "MasterPasswordInput.h"

#include <QIODevice>

#include <sodium.h>

#include <cerrno>
#include <cstring>

#include <termios.h>
#include <unistd.h>

namespace {

// Echo off while the password is typed, back on however the read ends.
class EchoOff
{
public:
    EchoOff()
    {
        m_saved = tcgetattr(STDIN_FILENO, &m_previous) == 0;
        if (m_saved) {
            termios quiet = m_previous;
            quiet.c_lflag &= ~tcflag_t(ECHO);
            tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
        }
    }
    ~EchoOff()
    {
        if (m_saved)
            tcsetattr(STDIN_FILENO, TCSAFLUSH, &m_previous);
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

private:
    termios m_previous {};
    bool m_saved = false;
};

} // namespace

MasterPasswordInput::MasterPasswordInput(QIODevice& prompts)
    : m_prompts(prompts)
    , m_terminal(isatty(STDIN_FILENO) != 0)
{ }

std::optional<SecretBytes> MasterPasswordInput::read(const QString& prompt)
{
    if (!m_terminal)
        return readLine();
    m_prompts.write(prompt.toUtf8() + ": ");
    std::optional<SecretBytes> line;
    {
        const EchoOff quiet;
        line = readLine();
    }
    m_prompts.write("\n");
    return line;
}

// Unbuffered, so that nothing of the line is left in a buffer of the
// program's, nor read beyond the line end (the next password follows).
std::optional<SecretBytes> MasterPasswordInput::readLine()
{
    SecretBytes buffer(MaximumLength);
    std::size_t length = 0;
    bool ended = false;
    bool tooLong = false;
    for (;;) {
        unsigned char byte = 0;
        const ssize_t got = ::read(STDIN_FILENO, &byte, 1);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        ended = true;
        if (byte == '\n')
            break;
        if (length == MaximumLength)
            tooLong = true;
        else
            buffer.data()[length++] = byte;
        sodium_memzero(&byte, 1);
    }
    while (length > 0 && buffer.data()[length - 1] == '\r')
        --length;
    if (!ended || tooLong)
        return std::nullopt;
    SecretBytes password(length);
    if (length > 0)
        std::memcpy(password.data(), buffer.data(), length);
    return password;
}
