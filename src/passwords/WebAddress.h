#pragma once

#include <QString>
#include <QUrl>

#include <optional>

// An entry's name as a web address. The keeper offers to launch any name that
// looks like one, but hands over only what is one, so that a name such as a
// local program or a file: address never reaches the desktop's launcher.
namespace WebAddress {

// The rule that enables Launch: the first four characters are "HTTP" or the
// name holds "WWW" anywhere, in any letter case.
bool looksLikeWebAddress(const QString& name);

// The address Launch opens: the trimmed name, with "http://" in front when it
// names no scheme, provided the result is an http or https address with a
// host, no blanks and no user name before the host. Nothing otherwise.
std::optional<QUrl> fromEntryName(const QString& name);

// The host a name would really open when it carries a user name before the
// host ("https://www.bank.com@evil.example" opens evil.example), which
// hides where it leads; empty otherwise.
QString hiddenHost(const QString& name);

} // namespace WebAddress
