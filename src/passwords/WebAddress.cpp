#include "WebAddress.h"

#include <QRegularExpression>

namespace WebAddress {

bool looksLikeWebAddress(const QString& name)
{
    return name.left(4).compare(QLatin1String("HTTP"), Qt::CaseInsensitive) == 0
        || name.contains(QLatin1String("WWW"), Qt::CaseInsensitive);
}

namespace {

    std::optional<QUrl> parsed(const QString& name)
    {
        const QString trimmed = name.trimmed();
        if (trimmed.isEmpty() || trimmed.contains(QRegularExpression(QStringLiteral("\\s"))))
            return std::nullopt;

        // "name:" in front is a scheme, unless digits follow as a port
        // ("localhost:8080"). A drive letter ("C:\...") counts as a scheme and is
        // refused with the others.
        static const QRegularExpression withScheme(
            QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:(?!\\d+(?:[/?#]|$))"));
        const QString text
            = withScheme.match(trimmed).hasMatch() ? trimmed : QStringLiteral("http://") + trimmed;

        const QUrl url(text, QUrl::StrictMode);
        if (!url.isValid() || url.host().isEmpty())
            return std::nullopt;
        if (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))
            return std::nullopt;
        return url;
    }

} // namespace

std::optional<QUrl> fromEntryName(const QString& name)
{
    std::optional<QUrl> url = parsed(name);
    if (url && !url->userInfo().isEmpty())
        return std::nullopt;
    return url;
}

QString hiddenHost(const QString& name)
{
    const std::optional<QUrl> url = parsed(name);
    return url && !url->userInfo().isEmpty() ? url->host() : QString();
}

} // namespace WebAddress
