#include "passwords/ui/WebSiteLauncher.h"

#include "passwords/WebAddress.h"
#include "screens/SystemDialogs.h"
#include "services/MessageService.h"

namespace {

const QString LaunchTitle = QStringLiteral("Launch");

} // namespace

WebSiteLauncher::WebSiteLauncher(MessageService& messages, SystemDialogs& dialogs)
    : m_messages(messages)
    , m_dialogs(dialogs)
{ }

QString WebSiteLauncher::launch(const QString& entryName) const
{
    const QString name = entryName.trimmed();
    const std::optional<QUrl> address = WebAddress::fromEntryName(name);
    if (const QString hidden = WebAddress::hiddenHost(name); !hidden.isEmpty()) {
        m_messages.warn(
            QStringLiteral("\"%1\" is not launched: the name before \"@\" hides where the "
                           "address leads.\nIt would open %2.")
                .arg(name, hidden),
            LaunchTitle);
    } else if (!address) {
        m_messages.warn(
            QStringLiteral("\"%1\" is not a web address, so it cannot be launched.\n"
                           "A web address looks like www.example.com or https://example.com.")
                .arg(name),
            LaunchTitle);
    } else if (!m_dialogs.openUrl(address->toString(QUrl::FullyEncoded))) {
        m_messages.inform(
            QStringLiteral("The web site %1 could not be opened.\n"
                           "Please check that a web browser is installed and set as the default.")
                .arg(address->toDisplayString()),
            LaunchTitle);
    } else {
        return address->host();
    }
    return {};
}
