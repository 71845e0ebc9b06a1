#include "actions.h"

#include "lesson_window/lesson_window.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLineEdit>
#include <QScreen>
#include <QTest>

#include <algorithm>
#include <ctime>
#include <functional>
#include <limits>
#include <memory>

namespace bench {

namespace {

constexpr int kWarmUp = 5;

// Counts paint events anywhere, so a repetition that painted nothing (its repaint still
// pending, or never asked for) is noticed instead of being timed as fast.
class PaintCounter : public QObject
{
public:
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

// Delivers what the action left queued (update and layout requests): the repaint it causes
// runs here, synchronously, into the window's backing store.
// CPU time of this thread: what the action itself cost, without the time the scheduler gave
// to other processes on a shared machine.
double threadCpuMicroseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e6 + double(now.tv_nsec) / 1e3;
}

void finishRepaint()
{
    QCoreApplication::sendPostedEvents();
}

// The window as a learner has it: shown, exposed, nothing pending.
std::unique_ptr<frmTarvolen_300413> openWindow()
{
    auto window = std::make_unique<frmTarvolen_300413>();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        qFatal("the lesson window was never exposed");
    finishRepaint();
    return window;
}

template <class T = QWidget>
T *find(const QWidget &w, const char *name)
{
    T *found = w.findChild<T *>(name);
    if (!found)
        qFatal("the lesson window has no %s", name);
    return found;
}

void click(const QWidget &w, const char *label)
{
    QTest::mouseClick(find(w, label), Qt::LeftButton);
}

// A list opened from the keyboard and walked to an item; Return then chooses it, as a
// learner does.
toolkit::ComboBox *openAt(const QWidget &w, const char *name, int index)
{
    auto *box = find<toolkit::ComboBox>(w, name);
    QTest::mouseClick(box->lineEdit(), Qt::LeftButton);
    QTest::keyClick(w.windowHandle(), Qt::Key_Down, Qt::AltModifier);
    QWindow *popup = box->view()->window()->windowHandle();
    QTest::keyClick(popup, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(popup, Qt::Key_Down);
    return box;
}

void take(toolkit::ComboBox *box)
{
    QTest::keyClick(box->view()->window()->windowHandle(), Qt::Key_Return);
}

void choose(const QWidget &w, const char *name, int index)
{
    take(openAt(w, name, index));
}

// r1, r2 and PQ chosen through the lists on the practice page.
void choose(const QWidget &w, int r1, int r2, int pq)
{
    if (find(w, "lblNext")->isVisible())
        click(w, "lblNext");
    choose(w, "CboR1", r1 - 1);
    choose(w, "CboR2", r2 - 1);
    choose(w, "CboPQ", pq);
    finishRepaint();
}

ActionFigures measure(const std::string &name, int repetitions, PaintCounter &paints,
                      const std::function<void(int)> &prepare, const std::function<void(int)> &act)
{
    ActionFigures figures;
    figures.name = name;
    figures.microseconds.reserve(size_t(repetitions));
    figures.cpuMicroseconds.reserve(size_t(repetitions));
    figures.fewestPaints = std::numeric_limits<int>::max();
    QElapsedTimer clock;
    for (int i = -kWarmUp; i < repetitions; ++i) {
        prepare(i);
        finishRepaint();
        paints.count = 0;
        const double cpuStart = threadCpuMicroseconds();
        clock.start();
        act(i);
        finishRepaint();
        const qint64 ns = clock.nsecsElapsed();
        const double cpu = threadCpuMicroseconds() - cpuStart;
        if (i < 0)
            continue;
        figures.microseconds.push_back(double(ns) / 1000.0);
        figures.cpuMicroseconds.push_back(cpu);
        figures.fewestPaints = std::min(figures.fewestPaints, paints.count);
    }
    return figures;
}

void nothing(int) {}

} // namespace

std::vector<ActionFigures> measureActions(int repetitions)
{
    PaintCounter paints;
    QCoreApplication::instance()->installEventFilter(&paints);
    std::vector<ActionFigures> all;

    {
        auto w = openWindow();
        choose(*w, 5, 5, 12);
        toolkit::ComboBox *list = nullptr; // opened at its item untimed; the Return that chooses it is timed
        all.push_back(measure("CboPQ_Click r1=r2=5 PQ=12", repetitions, paints,
                              [&](int) { list = openAt(*w, "CboPQ", 12); }, [&](int) { take(list); }));
        choose(*w, "CboPQ", 0);
        all.push_back(measure("CboPQ_Click r1=r2=5 PQ=0", repetitions, paints,
                              [&](int) { list = openAt(*w, "CboPQ", 0); }, [&](int) { take(list); }));
        // Every other repetition brings r1 back to 5: each one is a real change of the list.
        all.push_back(measure("radius change r1 4<->5 (r2=5 PQ=0)", repetitions, paints,
                              [&](int i) { list = openAt(*w, "CboR1", (i & 1) ? 4 : 3); }, [&](int) { take(list); }));
        choose(*w, "CboR1", 4);
        finishRepaint();
        all.push_back(measure("Next, all three chosen (r1=r2=5 PQ=0)", repetitions, paints,
                              [&](int) { click(*w, "lblBack"); },
                              [&](int) { click(*w, "lblNext"); }));
        all.push_back(measure("Back, all three chosen (r1=r2=5 PQ=0)", repetitions, paints,
                              [&](int) {
                                  if (find(*w, "lblNext")->isVisible())
                                      click(*w, "lblNext");
                              },
                              [&](int) { click(*w, "lblBack"); }));
    }
    {
        // The introduction page at start: Next blinks red/regular and blue/bold by turns.
        auto w = openWindow();
        all.push_back(measure("blink tick, Next (Timer1/Timer2)", repetitions, paints, nothing,
                              [&](int i) { find<toolkit::Timer>(*w, (i & 1) ? "Timer2" : "Timer1")->fire(); }));
    }
    {
        // The practice page with nothing chosen: the r1 list blinks magenta and cyan.
        auto w = openWindow();
        click(*w, "lblNext");
        all.push_back(measure("blink tick, list (Timer5/Timer6)", repetitions, paints, nothing,
                              [&](int i) { find<toolkit::Timer>(*w, (i & 1) ? "Timer6" : "Timer5")->fire(); }));
    }

    {
        // Full screen on the 1920 x 1080 screen: entering it (F11; Esc between repetitions,
        // untimed), then the actions again on the page at 1080 / 736 of its size.
        auto w = openWindow();
        w->activateWindow(); // the keys are the window's while it is active
        if (!QTest::qWaitForWindowActive(w.get()))
            qFatal("the lesson window never became active");
        const auto full = [&w] { return w->size() == w->screen()->size(); };
        const auto until = [&full](bool on) {
            QElapsedTimer waited;
            waited.start();
            while (full() != on) {
                if (waited.elapsed() > 5000)
                    qFatal("F11 or Esc did not change full screen");
                QCoreApplication::processEvents();
            }
        };
        all.push_back(measure("F11, full screen (aim < 150 ms)", std::min(repetitions, 25), paints,
                              [&](int) {
                                  QTest::keyClick(w->windowHandle(), Qt::Key_Escape);
                                  until(false);
                              },
                              [&](int) {
                                  QTest::keyClick(w->windowHandle(), Qt::Key_F11);
                                  until(true);
                              }));
        all.push_back(measure("blink tick, Next, full screen", repetitions, paints, nothing,
                              [&](int i) { find<toolkit::Timer>(*w, (i & 1) ? "Timer2" : "Timer1")->fire(); }));
        choose(*w, 5, 5, 12);
        toolkit::ComboBox *list = nullptr;
        all.push_back(measure("CboPQ_Click r1=r2=5 PQ=12, full screen", repetitions, paints,
                              [&](int) { list = openAt(*w, "CboPQ", 12); }, [&](int) { take(list); }));
        all.push_back(measure("radius change r1 4<->5, full screen", repetitions, paints,
                              [&](int i) { list = openAt(*w, "CboR1", (i & 1) ? 4 : 3); }, [&](int) { take(list); }));
        all.push_back(measure("Back and Next, full screen", repetitions, paints, nothing,
                              [&](int i) { click(*w, (i & 1) ? "lblNext" : "lblBack"); }));
    }

    QCoreApplication::instance()->removeEventFilter(&paints);
    return all;
}

} // namespace bench
