#pragma once

#include "services/SessionLockSignal.h"

#include <QList>
#include <QObject>
#include <QPointer>

// The desktop session's lock, heard on D-Bus: the freedesktop screen saver's
// ActiveChanged(true) on the session bus (under both paths desktops use) and
// the login manager's Lock on the system bus. Where a bus is missing nothing
// is heard, and the keeper's own idle lock still holds.
class DBusSessionLockSignal : public QObject, public SessionLockSignal
{
    Q_OBJECT

public:
    explicit DBusSessionLockSignal(QObject* parent = nullptr);

    void watch(QObject* context, std::function<void()> onLock) override;

private slots:
    void screenSaverChanged(bool active);
    void sessionLocked();

private:
    struct Watcher {
        QPointer<QObject> context;
        std::function<void()> onLock;
    };
    QList<Watcher> m_watchers;
};
