#pragma once

#include <QObject>

class QTimer;

namespace toolkit {

// A timer with an enabled flag. Enabling a disabled timer starts a full interval; enabling
// one that already runs leaves its period alone; disabling stops the ticks.
class Timer : public QObject
{
    Q_OBJECT

public:
    Timer(int intervalMs, bool enabled, QObject *parent = nullptr);

    bool isEnabled() const;
    void setEnabled(bool enabled);
    // Stops this timer and gives `next` a full interval from now, even if it already ran.
    void handOverTo(Timer *next);

    // One tick now, as if the interval had run out: tests drive the blinking with it.
    void fire() { emit tick(); }

signals:
    void tick();

private:
    QTimer *m_timer; // a child, so that a test can find it and hold back its ticks
};

} // namespace toolkit
