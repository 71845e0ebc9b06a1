#include "toolkit/timer.h"

#include <QTimer>

namespace toolkit {

Timer::Timer(int intervalMs, bool enabled, QObject *parent)
    : QObject(parent)
    , m_timer(new QTimer(this))
{
    m_timer->setInterval(intervalMs);
    m_timer->setTimerType(Qt::CoarseTimer);
    connect(m_timer, &QTimer::timeout, this, &Timer::tick);
    setEnabled(enabled);
}

bool Timer::isEnabled() const
{
    return m_timer->isActive();
}

void Timer::setEnabled(bool enabled)
{
    // QTimer::start() on a running timer would restart its period.
    if (enabled && !m_timer->isActive())
        m_timer->start();
    else if (!enabled)
        m_timer->stop();
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
