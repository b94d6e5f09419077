#pragma once

#include "services/SessionLockSignal.h"

#include <QList>
#include <QPointer>

#include <utility>

// The desktop session's lock as the test sends it.
class ScriptedSessionLock : public SessionLockSignal
{
public:
    void watch(QObject* context, std::function<void()> onLock) override
    {
        m_watchers.append({ context, std::move(onLock) });
    }

    void lockSession()
    {
        const auto watchers = m_watchers;
        for (const auto& [context, onLock] : watchers) {
            if (context)
                onLock();
        }
    }

private:
    QList<std::pair<QPointer<QObject>, std::function<void()>>> m_watchers;
};
