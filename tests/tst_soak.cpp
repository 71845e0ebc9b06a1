// The window left alone for an hour with its blink timers running: 9,000 ticks (an hour at
// 400 ms) of each of Timer1, Timer2, Timer5 and Timer6, driven here, each followed by the
// repaint it causes. Memory must stay flat and the figure must not grow.

#include "lesson_window/lesson_window.h"
#include "test_support.h"

#include <QFile>
#include <QtTest>

#include <malloc.h>

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer keeps freed memory in quarantine, so the resident size says little there;
// its allocator counts the live bytes instead.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

using Window = frmTarvolen_300413;

namespace {

constexpr int kTicksPerHour = 3600 * 1000 / 400;

qint64 residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return -1;
}

qint64 liveHeapBytes()
{
#if defined(__SANITIZE_ADDRESS__)
    return qint64(__sanitizer_get_current_allocated_bytes());
#else
    return qint64(mallinfo2().uordblks);
#endif
}

void round(Window &w)
{
    for (toolkit::Timer *timer : {w.Timer1, w.Timer2, w.Timer5, w.Timer6})
        timer->fire();
    QCoreApplication::processEvents();
}

} // namespace

class SoakTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::prepareApplication(); }

    void anHourOfBlinkingKeepsMemoryFlat_data()
    {
        QTest::addColumn<int>("chosen");
        // PQ pending: its list is repainted magenta and cyan at every tick.
        QTest::newRow("r1 and r2 chosen, PQ blinking") << 2;
        // A figure drawn, Timer5 running again after a radius change, painting nothing.
        QTest::newRow("figure drawn, radius changed") << 3;
    }

    void anHourOfBlinkingKeepsMemoryFlat()
    {
        QFETCH(int, chosen);
        Window w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.lblNext_Click();
        testing::choose(w.CboR1, QStringLiteral("5"));
        testing::choose(w.CboR2, QStringLiteral("5"));
        if (chosen >= 3) {
            testing::choose(w.CboPQ, QStringLiteral("0")); // the fullest common region
            testing::choose(w.CboR1, QStringLiteral("4"));
        }
        for (toolkit::Timer *timer : {w.Timer1, w.Timer2, w.Timer5})
            timer->setEnabled(true);

        // Warm-up: fonts, palettes and paint buffers settle in the first minutes.
        for (int i = 0; i < 600; ++i)
            round(w);
        const size_t ops = w.canvas.ops().size();
        const qint64 rssBefore = residentKiB();
        const qint64 heapBefore = liveHeapBytes();

        for (int i = 600; i < kTicksPerHour; ++i)
            round(w);

        const qint64 rssGrowth = residentKiB() - rssBefore;
        const qint64 heapGrowth = liveHeapBytes() - heapBefore;
        qInfo("after an hour of ticks: resident %+lld KiB, live heap %+lld bytes", rssGrowth, heapGrowth);
        QCOMPARE(w.canvas.ops().size(), ops);
        // A leak of a few bytes per tick would add up to far more over 36,000 ticks.
        QVERIFY2(heapGrowth < 256 * 1024,
                 qPrintable(QStringLiteral("the live heap grew by %1 bytes").arg(heapGrowth)));
#if !defined(__SANITIZE_ADDRESS__)
        QVERIFY2(rssGrowth < 4 * 1024,
                 qPrintable(QStringLiteral("the resident size grew by %1 KiB").arg(rssGrowth)));
#endif

        // Still blinking after the hour: the pending list takes each colour in turn.
        if (chosen == 2) {
            w.Timer5->fire();
            QCOMPARE(w.CboPQ->backColor(), QColor(255, 0, 255));
            w.Timer6->fire();
            QCOMPARE(w.CboPQ->backColor(), QColor(0, 255, 255));
        }
    }
};

QTEST_MAIN(SoakTest)
#include "tst_soak.moc"
