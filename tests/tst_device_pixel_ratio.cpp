// Sharp at any device-pixel ratio: the figure is drawn at the device's own resolution, its
// line widths grow with the ratio and it lands at the scaled places, and the controls keep
// their proportions. Run once as it is and again on screens scaled by 1.25, 1.5 and 2
// (QT_SCALE_FACTOR, see CMakeLists.txt), where the window's own pixels are checked.

#include "lesson_window/lesson_window.h"
#include "test_support.h"
#include "toolkit/units.h"

#include <QPainter>
#include <QtTest>

#include <cmath>

using Window = frmTarvolen_300413;

namespace {

// r1 = 2, r2 = 3, PQ = 4: P at (11, 13), so the circle about P has its left edge at x = 9 cm
// and its top at y = 11 cm, both on bare surface.
constexpr double kCircleLeftCm = 9.0;
constexpr double kCircleTopCm = 11.0;
constexpr double kCentreXCm = 11.0;
constexpr double kCentreYCm = 13.0;
constexpr double kOutlinePx = 2.0; // the circles' line width in design pixels
// A dot of the common region, on the 0.2 cm grid from (9, 11): inside both circles.
constexpr double kDotXCm = 12.6;
constexpr double kDotYCm = 12.0;
constexpr double kDotPx = 3.0; // its diameter in design pixels

void chooseWithKeys(toolkit::ComboBox *list, int index)
{
    while (list->currentIndex() < index)
        QTest::keyClick(list, Qt::Key_Down);
}

void showFigure(Window &w)
{
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.lblNext_Click();
    chooseWithKeys(w.CboR1, 1);
    chooseWithKeys(w.CboR2, 2);
    chooseWithKeys(w.CboPQ, 4);
}

// The window painted through the routine the printer uses, at a pinned ratio.
QImage paintAt(const Window &w, double dpr)
{
    QImage image(QSize(int(std::lround(Window::kClientWidth * dpr)),
                       int(std::lround(Window::kClientHeight * dpr))),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::white);
    QPainter painter(&image);
    w.paintWindow(painter);
    painter.end();
    return image;
}

// A red outline or a green dot crossed by a line of device pixels. The surface is pale
// green (213, 255, 220): the share of a pixel the red covers is how much of its green is
// gone, the share the green (0, 192, 0) covers how much of its blue.
enum class Ink { Red, Green };

struct Stroke
{
    double centre = 0;  // device pixels, from the image's edge
    double width = 0;   // device pixels of full coverage
    int partial = 0;    // pixels only partly covered: one per edge when drawn sharp
};

Stroke measureStroke(const QImage &image, Ink ink, bool horizontal, int line, double around,
                     double reach)
{
    Stroke stroke;
    double weighted = 0;
    const int from = int(std::floor(around - reach));
    const int to = int(std::ceil(around + reach));
    for (int i = from; i <= to; ++i) {
        const QColor c = horizontal ? image.pixelColor(i, line) : image.pixelColor(line, i);
        if (ink == Ink::Red ? (c.red() < 180 || c.blue() > c.red()) : c.red() > c.green())
            continue; // another colour
        const double cover = ink == Ink::Red ? qBound(0.0, 1.0 - c.green() / 255.0, 1.0)
                                             : qBound(0.0, 1.0 - c.blue() / 220.0, 1.0);
        stroke.width += cover;
        weighted += cover * (i + 0.5);
        if (cover > 0.1 && cover < 0.9)
            ++stroke.partial;
    }
    if (stroke.width > 0)
        stroke.centre = weighted / stroke.width;
    return stroke;
}

struct Outline
{
    Stroke left; // crossing the circle about P at its left edge
    Stroke top;  // and at its top
    Stroke dot;  // across a dot of the common region
};

Outline measureCircle(const QImage &image, double ratio)
{
    const double scale = toolkit::cmToPx(1.0) * ratio;
    const double reach = 4 * ratio + 3;
    return {measureStroke(image, Ink::Red, true, int(kCentreYCm * scale), kCircleLeftCm * scale, reach),
            measureStroke(image, Ink::Red, false, int(kCentreXCm * scale), kCircleTopCm * scale, reach),
            // Short of the next dot, 0.2 cm away.
            measureStroke(image, Ink::Green, true, int(kDotYCm * scale), kDotXCm * scale, 3 * ratio + 1)};
}

// Bounding box, in device pixels, of the near-black ink inside a rectangle of design pixels.
QRect inkBox(const QImage &image, const QRect &design, double ratio)
{
    const QRect area(QPoint(int(design.left() * ratio), int(design.top() * ratio)),
                     QPoint(int(std::ceil((design.right() + 1) * ratio)) - 1,
                            int(std::ceil((design.bottom() + 1) * ratio)) - 1));
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() + c.green() + c.blue() < 160)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

void verifyScaled(const Outline &scaled, const Outline &base, double ratio)
{
    for (const auto &[s, b, where, px] :
         {std::tuple{scaled.left, base.left, "the circle's left edge", kOutlinePx},
          std::tuple{scaled.top, base.top, "the circle's top", kOutlinePx},
          std::tuple{scaled.dot, base.dot, "a dot of the common region", kDotPx}}) {
        const QString at = QStringLiteral(" at %1, ratio %2").arg(where).arg(ratio);
        QVERIFY2(std::abs(b.width - px) < 0.35,
                 qPrintable(QStringLiteral("%1 px wide at ratio 1, expected %2").arg(b.width).arg(px) + at));
        QVERIFY2(std::abs(s.width - px * ratio) < 0.35 * ratio,
                 qPrintable(QStringLiteral("%1 device px wide, expected %2")
                                .arg(s.width).arg(px * ratio) + at));
        QVERIFY2(std::abs(s.centre - b.centre * ratio) < 0.5,
                 qPrintable(QStringLiteral("centred at %1, expected %2")
                                .arg(s.centre).arg(b.centre * ratio) + at));
        // Drawn at the device's resolution, each edge blends into one pixel; an enlarged
        // picture of the ratio-1 drawing would blend over `ratio` pixels per edge.
        QVERIFY2(s.partial <= 2,
                 qPrintable(QStringLiteral("%1 partly covered pixels across: blurred")
                                .arg(s.partial) + at));
    }
}

} // namespace

class DevicePixelRatioTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::prepareApplication(); }

    void figureAtPinnedRatio_data()
    {
        QTest::addColumn<double>("ratio");
        QTest::newRow("ratio 1.25") << 1.25;
        QTest::newRow("ratio 1.5") << 1.5;
        QTest::newRow("ratio 2") << 2.0;
        QTest::newRow("ratio 3") << 3.0;
    }

    // Through the routine that printing also uses: one picture in device pixels, no bitmap.
    void figureAtPinnedRatio()
    {
        QFETCH(double, ratio);
        Window w;
        showFigure(w);
        const Outline base = measureCircle(paintAt(w, 1.0), 1.0);
        const Outline scaled = measureCircle(paintAt(w, ratio), ratio);
        verifyScaled(scaled, base, ratio);
    }

    // The window as the screen shows it, at whatever ratio the screen has (QT_SCALE_FACTOR).
    void screenKeepsProportions()
    {
        Window w;
        showFigure(w);
        const double ratio = w.devicePixelRatioF();
        const double asked = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                                 ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
                                 : 1.0;
        QCOMPARE(ratio, asked);

        const QImage screen = w.grab().toImage();
        QCOMPARE(screen.size(), QSize(int(std::lround(Window::kClientWidth * ratio)),
                                      int(std::lround(Window::kClientHeight * ratio))));
        const QImage base = paintAt(w, 1.0);
        verifyScaled(measureCircle(screen, ratio), measureCircle(base, 1.0), ratio);

        // Text grows with the screen: the heading's ink is `ratio` times as large, in place.
        const QRect heading = w.lblTarvolen->geometry();
        const QRect inkBase = inkBox(base, heading, 1.0);
        const QRect inkScreen = inkBox(screen, heading, ratio);
        QVERIFY2(!inkBase.isEmpty(), "no heading to measure");
        const QString sizes = QStringLiteral(" (ink %1x%2 at ratio 1, %3x%4 at ratio %5)")
                                  .arg(inkBase.width()).arg(inkBase.height())
                                  .arg(inkScreen.width()).arg(inkScreen.height()).arg(ratio);
        QVERIFY2(std::abs(inkScreen.width() - inkBase.width() * ratio) <= 0.04 * inkBase.width() * ratio + 2,
                 qPrintable("the heading's width does not scale" + sizes));
        QVERIFY2(std::abs(inkScreen.height() - inkBase.height() * ratio) <= 0.08 * inkBase.height() * ratio + 2,
                 qPrintable("the heading's height does not scale" + sizes));
        QVERIFY2(std::abs(inkScreen.left() - inkBase.left() * ratio) <= ratio + 2,
                 qPrintable("the heading moved" + sizes));

        // The highlighted case box keeps its place and size: its yellow spans the same share.
        const QRect box = w.rtBox3->geometry();
        const int row = int((box.center().y()) * ratio);
        int first = -1, last = -1;
        for (int x = 0; x < screen.width(); ++x) {
            if (testing::near(screen.pixelColor(x, row), QColor(255, 255, 0), 10)) {
                if (first < 0)
                    first = x;
                last = x;
            }
        }
        QVERIFY2(std::abs(first - box.left() * ratio) <= ratio + 1
                     && std::abs(last + 1 - (box.right() + 1) * ratio) <= ratio + 1,
                 qPrintable(QStringLiteral("yellow from %1 to %2, the box spans %3 to %4")
                                .arg(first).arg(last + 1).arg(box.left() * ratio)
                                .arg((box.right() + 1) * ratio)));
    }
};

QTEST_MAIN(DevicePixelRatioTest)
#include "tst_device_pixel_ratio.moc"
