// Sharp at any device-pixel ratio: the figure drawn at the device's resolution, line widths
// grown, at the scaled places; heading and highlighted box in proportion. Pinned ratios go
// through the printing routine, the screen row through the window on a QT_SCALE_FACTOR screen.

#include "lesson_window/lesson_window.h"
#include "test_support.h"
#include "toolkit/units.h"

#include <QPainter>
#include <QtTest>

#include <cmath>
#include <tuple>

using Window = frmTarvolen_300413;

namespace {

// r1 = 2, r2 = 3, PQ = 4: P's circle crossed at its left edge and top, on bare surface, and a
// dot of the common region (grid from (9, 11)). Places in cm; reach and width in design px.
struct Probe { const char *what; bool dot, alongRow; double line, around, reach, width; };
const Probe kProbes[] = {{"the circle's left edge", false, true, 13.0, 9.0, 4.75, 2},
                         {"the circle's top", false, false, 11.0, 11.0, 4.75, 2},
                         {"a dot of the common region", true, true, 12.0, 12.6, 3.25, 3}};

// Width, offset of the centre and partly covered pixels, in device pixels, of the ink crossed.
// Red and the dots' green both take the surface's blue (220): what is gone is their cover.
std::tuple<double, double, double> measure(const QImage &image, double ratio, const Probe &p)
{
    const double scale = toolkit::cmToPx(1.0) * ratio, around = p.around * scale, reach = p.reach * ratio;
    double width = 0, weighted = 0, partial = 0;
    const int line = int(p.line * scale);
    for (int i = int(std::floor(around - reach)); i <= int(std::ceil(around + reach)); ++i) {
        const QColor c = p.alongRow ? image.pixelColor(i, line) : image.pixelColor(line, i);
        const double cover = p.dot && c.red() > c.green() ? 0.0 : qBound(0.0, 1.0 - c.blue() / 220.0, 1.0);
        width += cover;
        weighted += cover * (i + 0.5);
        partial += cover > 0.1 && cover < 0.9;
    }
    return {width, weighted / qMax(width, 1e-9) - around, partial};
}

// Bounding box, in device pixels, of the pixels near a colour inside a rectangle of design pixels.
QRect colourBox(const QImage &image, const QRect &design, double ratio, const QColor &colour)
{
    const QRect area = QRectF(QPointF(design.topLeft()) * ratio, QSizeF(design.size()) * ratio).toAlignedRect();
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            box |= testing::near(image.pixelColor(x, y), colour, 50) ? QRect(x, y, 1, 1) : QRect();
    return box;
}

QImage paintAt(const Window &w, double ratio)
{
    QImage image(QSize(Window::kClientWidth, Window::kClientHeight) * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    w.paintWindow(painter);
    return image;
}

} // namespace

class DevicePixelRatioTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::prepareApplication(); }

    void scaled_data()
    {
        QTest::addColumn<double>("pinned"); // 0: the screen's own ratio
        for (double ratio : {1.0, 1.25, 1.5, 2.0, 3.0})
            QTest::addRow("pinned ratio %g", ratio) << ratio;
        QTest::addRow("the screen") << 0.0;
    }

    void scaled()
    {
        QFETCH(double, pinned);
        Window w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.lblNext_Click();
        testing::chooseAll(w, 2, 3, 4);
        const double ratio = pinned ? pinned : w.devicePixelRatioF();
        const QImage base = paintAt(w, 1.0);
        const QImage image = pinned ? paintAt(w, ratio) : w.grab().toImage();
        if (!pinned)
            QCOMPARE(ratio, qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble());

        // Drawn at the device's resolution, each edge blends into one pixel; an enlarged picture
        // of the ratio-1 drawing would blend over `ratio` pixels per edge.
        for (const Probe &p : kProbes) {
            const auto [width, off, partial] = measure(image, ratio, p);
            QVERIFY2(std::abs(width - p.width * ratio) < 0.35 * ratio && std::abs(off) < 0.5 && partial <= 2,
                     qPrintable(QStringLiteral("%1 at ratio %2: %3 px wide, %4 px off, %5 partly covered")
                                    .arg(p.what).arg(ratio).arg(width).arg(off).arg(partial)));
        }

        // The heading's ink and the highlighted box's yellow grow with the ratio, in place. Glyphs
        // of another size may be a little wider, and taller: the yellow's height is its lines'.
        for (const auto &[what, widget, colour, slack] :
             {std::tuple<const char *, QWidget *, QColor, double>{"the heading's ink", w.lblTarvolen, Qt::black, 0.04},
              {"the highlighted box's yellow", w.rtBox3, Qt::yellow, 0.0}}) {
            const QRect b = colourBox(base, widget->geometry(), 1.0, colour);
            const QRect s = colourBox(image, widget->geometry(), ratio, colour);
            QString seen;
            QDebug(&seen) << what << "at ratio" << ratio << s << "at ratio 1" << b;
            QVERIFY2(!b.isEmpty() && std::abs(s.left() - b.left() * ratio) <= ratio + 2
                         && std::abs(s.top() - b.top() * ratio) <= ratio + 2
                         && std::abs(s.width() - b.width() * ratio) <= slack * b.width() * ratio + 2 * ratio + 4
                         && std::abs(s.height() - b.height() * ratio) <= 0.08 * b.height() * ratio + 2 * ratio + 4,
                     qPrintable(seen));
        }
    }
};

QTEST_MAIN(DevicePixelRatioTest)
#include "tst_device_pixel_ratio.moc"
