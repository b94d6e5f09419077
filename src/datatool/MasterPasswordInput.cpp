#include "MasterPasswordInput.h"

#include <QIODevice>

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
{
    m_input.open(STDIN_FILENO, QIODevice::ReadOnly | QIODevice::Unbuffered);
}

std::optional<QByteArray> MasterPasswordInput::read(const QString& prompt)
{
    QByteArray line;
    if (m_terminal) {
        m_prompts.write(prompt.toUtf8() + ": ");
        const EchoOff quiet;
        line = m_input.readLine();
        m_prompts.write("\n");
    } else {
        line = m_input.readLine();
    }
    if (line.isEmpty())
        return std::nullopt;
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return line;
}
