#include "toolkit/timer.h"

namespace toolkit {

Timer::Timer(int intervalMs, bool enabled, QObject *parent)
    : QObject(parent)
{
    // Its own child, so a test can hold back the real ticks and drive them with fire().
    m_timer.setParent(this);
    m_timer.setInterval(intervalMs);
    m_timer.setTimerType(Qt::CoarseTimer);
    connect(&m_timer, &QTimer::timeout, this, &Timer::tick);
    setEnabled(enabled);
}

void Timer::setEnabled(bool enabled)
{
    // QTimer::start() on a running timer would restart its period.
    if (enabled && !m_timer.isActive())
        m_timer.start();
    else if (!enabled)
        m_timer.stop();
}

void Timer::handOverTo(Timer *next)
{
    setEnabled(false);
    // Off, then on: `next` may already run (enabled again from elsewhere), and keeping its
    // period it would tick milliseconds after this one, cutting this tick's look short.
    next->setEnabled(false);
    next->setEnabled(true);
}

} // namespace toolkit
