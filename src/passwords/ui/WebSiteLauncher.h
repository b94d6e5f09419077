#pragma once

#include <QString>

class MessageService;
class SystemDialogs;

// Launch: an entry's name that is a web address opens in the browser. A
// name that is none, or an address the system cannot open, is explained to
// the user instead.
class WebSiteLauncher
{
public:
    WebSiteLauncher(MessageService& messages, SystemDialogs& dialogs);

    // The host opened; empty when nothing was opened.
    QString launch(const QString& entryName) const;

private:
    MessageService& m_messages;
    SystemDialogs& m_dialogs;
};
