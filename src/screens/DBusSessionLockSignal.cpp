#include "DBusSessionLockSignal.h"

#include <QDBusConnection>

#include <utility>

DBusSessionLockSignal::DBusSessionLockSignal(QObject* parent)
    : QObject(parent)
{
    QDBusConnection session = QDBusConnection::sessionBus();
    for (const QString& path :
        { QStringLiteral("/org/freedesktop/ScreenSaver"), QStringLiteral("/ScreenSaver") })
        session.connect(QString(), path, QStringLiteral("org.freedesktop.ScreenSaver"),
            QStringLiteral("ActiveChanged"), this, SLOT(screenSaverChanged(bool)));
    // Any session's Lock: the manager sends it on the session's own path,
    // which this program would otherwise have to look up first.
    QDBusConnection::systemBus().connect(QStringLiteral("org.freedesktop.login1"), QString(),
        QStringLiteral("org.freedesktop.login1.Session"), QStringLiteral("Lock"), this,
        SLOT(sessionLocked()));
}

void DBusSessionLockSignal::watch(QObject* context, std::function<void()> onLock)
{
    m_watchers.append({ context, std::move(onLock) });
}

void DBusSessionLockSignal::screenSaverChanged(bool active)
{
    if (active)
        sessionLocked();
}

void DBusSessionLockSignal::sessionLocked()
{
    m_watchers.removeIf([](const Watcher& watcher) { return watcher.context.isNull(); });
    // A copy: a watcher may start watching again while it is told.
    const QList<Watcher> watchers = m_watchers;
    for (const Watcher& watcher : watchers) {
        if (watcher.context)
            watcher.onLock();
    }
}
