#pragma once

#include <QObject>

#include <functional>

// Tells when the desktop session locks (the screen saver's or the login
// manager's lock), so that a screen holding secrets can lock too. The program
// listens on D-Bus; tests send the signal themselves.
class SessionLockSignal
{
public:
    virtual ~SessionLockSignal() = default;

    // Calls onLock each time the session locks, for as long as context lives.
    virtual void watch(QObject* context, std::function<void()> onLock) = 0;
};
