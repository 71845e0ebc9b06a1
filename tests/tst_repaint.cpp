// What the screen holds after each learner step, now that a change repaints only what it
// touches: it must equal a fresh paint of the whole window. And the dots stamped on the
// screen must match the vector dots that printing and scaled renders draw.

#include "lesson_window/lesson_window.h"
#include "test_support.h"
#include "toolkit/canvas.h"

#include <QPainter>
#include <QPicture>
#include <QScreen>
#include <QtTest>

#include <cstdlib>
#include <functional>

namespace {

// The window's pixels as they stand in its backing store, i.e. on the screen.
QImage onScreen(frmTarvolen_300413 &w)
{
    return w.screen()->grabWindow(w.winId()).toImage().convertToFormat(QImage::Format_RGB32);
}

// Where two pictures differ: the number of differing pixels and the first of them.
QString difference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return QStringLiteral("sizes differ");
    int count = 0;
    QPoint first;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y) && count++ == 0)
                first = QPoint(x, y);
    return count ? QStringLiteral("%1 pixels differ, the first at (%2, %3)")
                       .arg(count).arg(first.x()).arg(first.y())
                 : QString();
}

int largestChannelDifference(const QImage &a, const QImage &b, QPoint *where)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            const int d = qMax(qMax(std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q))),
                               std::abs(qBlue(p) - qBlue(q)));
            if (d > largest) {
                largest = d;
                *where = QPoint(x, y);
            }
        }
    return largest;
}

} // namespace

class RepaintTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::prepareApplication(); }
    void screenFollowsEveryStep();
    void stampedDotsMatchVectorDots_data();
    void stampedDotsMatchVectorDots();
};

void RepaintTest::screenFollowsEveryStep()
{
    frmTarvolen_300413 w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    // Each step as a learner takes it; a figure is drawn, moved, wiped and drawn again.
    const std::vector<std::pair<const char *, std::function<void()>>> steps = {
        {"Next", [&] { QTest::mouseClick(w.lblNext, Qt::LeftButton); }},
        {"r1 = 5", [&] { testing::choose(w.CboR1, QStringLiteral("5")); }},
        {"r2 = 5", [&] { testing::choose(w.CboR2, QStringLiteral("5")); }},
        {"PQ = 0, the fullest region", [&] { testing::choose(w.CboPQ, QStringLiteral("0")); }},
        {"PQ = 12, circles apart", [&] { testing::choose(w.CboPQ, QStringLiteral("12")); }},
        {"PQ = 3", [&] { testing::choose(w.CboPQ, QStringLiteral("3")); }},
        {"r1 = 1", [&] { testing::choose(w.CboR1, QStringLiteral("1")); }},
        {"r2 = 2", [&] { testing::choose(w.CboR2, QStringLiteral("2")); }},
        {"Back", [&] { QTest::mouseClick(w.lblBack, Qt::LeftButton); }},
        {"Next again", [&] { QTest::mouseClick(w.lblNext, Qt::LeftButton); }},
        {"PQ = 4", [&] { testing::choose(w.CboPQ, QStringLiteral("4")); }},
        {"help arrow hidden over the bare window",
         [&] { QTest::mouseMove(&w, QPoint(60, 700)); }},
    };
    for (const auto &[name, step] : steps) {
        step();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents();
        const QImage shown = onScreen(w);
        QVERIFY2(!shown.isNull(), "the screen of the offscreen platform cannot be read");
        const QString stale = difference(shown, testing::grabWindow(w));
        QVERIFY2(stale.isEmpty(),
                 qPrintable(QStringLiteral("after %1 the screen is stale: %2").arg(QLatin1String(name), stale)));
    }
}

void RepaintTest::stampedDotsMatchVectorDots_data()
{
    QTest::addColumn<QPoint>("shift");
    QTest::addRow("painter at the origin") << QPoint(0, 0);
    QTest::addRow("painter shifted by whole pixels") << QPoint(-7, 5);
}

void RepaintTest::stampedDotsMatchVectorDots()
{
    QFETCH(QPoint, shift);
    // Dots at every sixteenth of a pixel across a few pixels, some partly off the left
    // and top edges, in the figure's widths and colours.
    toolkit::Canvas canvas(nullptr);
    const double cmPerPixel = 2.54 / 96.0;
    for (int i = 0; i < 40; ++i) {
        const double x = (3.0 + i * (1.0 + 1.0 / 16.0) + i / 7.0) * cmPerPixel;
        const double y = (2.0 + (i % 9) * 7.3) * cmPerPixel;
        canvas.setDrawWidth(i % 3 == 0 ? 2 : 3);
        canvas.point(x, y, i % 2 ? QColor(0, 192, 0) : QColor(0, 128, 0));
    }
    canvas.setDrawWidth(3);
    canvas.point(-0.4 * cmPerPixel, 20.5 * cmPerPixel, QColor(0, 192, 0));
    canvas.point(10.25 * cmPerPixel, -0.75 * cmPerPixel, QColor(0, 192, 0));

    const QSize size(80, 80);
    QImage stamped(size, QImage::Format_RGB32);
    stamped.fill(QColor(213, 255, 220));
    QImage vector = stamped;
    {
        QPainter painter(&stamped);
        painter.translate(shift);
        canvas.paint(painter);
    }
    {
        // A picture records the drawing as vectors, as a printer gets it.
        QPicture picture;
        QPainter recorder(&picture);
        canvas.paint(recorder);
        recorder.end();
        QPainter painter(&vector);
        painter.translate(shift);
        painter.drawPicture(0, 0, picture);
    }
    QPoint where;
    const int largest = largestChannelDifference(stamped, vector, &where);
    // A dot a whole pixel off, or of another size or colour, differs by far more.
    QVERIFY2(largest <= 32, qPrintable(QStringLiteral("stamped and vector dots differ by %1 at (%2, %3)")
                                           .arg(largest).arg(where.x()).arg(where.y())));
    int green = 0;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            green += qRed(stamped.pixel(x, y)) < 100;
    QVERIFY2(green > 40 * 4, qPrintable(QStringLiteral("only %1 dot pixels drawn").arg(green)));
}

QTEST_MAIN(RepaintTest)
#include "tst_repaint.moc"
