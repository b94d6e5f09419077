#include "IdleLock.h"

#include "services/Clock.h"

#include <QCoreApplication>
#include <QEvent>

#include <utility>

IdleLock::IdleLock(Clock& clock, std::function<void()> onIdle, QObject* parent)
    : QObject(parent)
    , m_clock(clock)
    , m_onIdle(std::move(onIdle))
{ }

IdleLock::~IdleLock()
{
    stop();
}

void IdleLock::start(int minutes)
{
    stop();
    if (minutes <= 0)
        return;
    m_patience = std::chrono::minutes(minutes);
    m_lastInput = m_clock.now();
    m_running = true;
    QCoreApplication::instance()->installEventFilter(this);
    checkLater(m_patience);
}

void IdleLock::stop()
{
    if (m_running && QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
    m_running = false;
    ++m_generation;
}

bool IdleLock::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
        m_lastInput = m_clock.now();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void IdleLock::checkLater(std::chrono::milliseconds delay)
{
    const int generation = m_generation;
    m_clock.runLater(delay, this, [this, generation] {
        if (generation == m_generation)
            check();
    });
}

void IdleLock::check()
{
    if (!m_running)
        return;
    const std::chrono::milliseconds idle(m_lastInput.msecsTo(m_clock.now()));
    if (idle >= m_patience) {
        stop();
        m_onIdle();
        return;
    }
    checkLater(m_patience - idle);
}
