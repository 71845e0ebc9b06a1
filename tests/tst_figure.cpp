// The figure as it lands in pixels: both circles where their centimetres say, one green dot
// at each grid point strictly inside both (the lesson's own float walk of the 0.2 cm grid).
// A change repaints only what it touches, yet the screen must equal a fresh paint of the
// window; dots stamped on the screen must match the vector dots that printing draws.

#include "lesson_window/lesson_window.h"
#include "test_support.h"

#include <QPainter>
#include <QPicture>
#include <QScreen>
#include <QtTest>

#include <cmath>
#include <functional>
#include <tuple>
#include <vector>

namespace {

constexpr double kPxPerCm = 566.929 / 15.0;

QPoint pixelOf(QPointF cm) { return QPoint(int(std::floor(cm.x() * kPxPerCm)), int(std::floor(cm.y() * kPxPerCm))); }

bool isGreen(const QImage &image, QPoint p) // a dot, not the pale green background
{
    const QRgb c = image.pixel(p);
    return qGreen(c) >= 100 && qRed(c) <= 90 && qBlue(c) <= 90;
}

// Wipes the dot at `cm` off the image; false if there is none. A dot 3 px wide covers the
// whole pixel its centre falls in.
bool takeDot(QImage &image, QPointF cm)
{
    const QPoint c = pixelOf(cm);
    const bool found = isGreen(image, c);
    for (int d = 0; d < 49; ++d)
        image.setPixel(c + QPoint(d % 7 - 3, d / 7 - 3), qRgb(255, 255, 255));
    return found;
}

// Grid points (cm) strictly inside both circles: bounds fixed first, x and y floats growing
// by the float nearest 0.2, distances kept as floats.
std::vector<QPointF> gridInsideBoth(int r1, int r2, int pq)
{
    const float px = float(13.0 - pq / 2.0), qx = float(pq / 2.0 + 13.0);
    const float xEnd = qx + float(r2), yEnd = float(13 + r2);
    std::vector<QPointF> points;
    for (float x = px - float(r1); x <= xEnd; x += 0.2f)
        for (float y = float(13 - r1); y <= yEnd; y += 0.2f)
            if (float(std::hypot(double(px) - x, 13.0 - y)) < float(r1)
                && float(std::hypot(double(qx) - x, 13.0 - y)) < float(r2))
                points.emplace_back(x, y);
    return points;
}

bool redNear(const QImage &image, QPointF cm)
{
    for (int d = 0; d < 9; ++d)
        if (testing::near(image.pixelColor(pixelOf(cm) + QPoint(d % 3 - 1, d / 3 - 1)), Qt::red, 60))
            return true;
    return false;
}

const toolkit::Canvas::Op *lastText(const frmTarvolen_300413 &w, const QString &text)
{
    const toolkit::Canvas::Op *found = nullptr;
    for (const toolkit::Canvas::Op &op : w.canvas.ops())
        if (op.kind == toolkit::Canvas::Op::Text && op.text == text)
            found = &op;
    return found;
}

} // namespace

class FigureTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::prepareApplication(); }

    void figure_data()
    {
        QTest::addColumn<int>("r1");
        QTest::addColumn<int>("r2");
        QTest::addColumn<int>("pq");
        QTest::addColumn<bool>("byRadiusChange");
        const std::tuple<const char *, int, int, int> cases[] = {
            {"touching externally", 2, 3, 5}, {"intersecting", 2, 3, 4}, {"inside", 1, 4, 2},
            {"touching internally", 2, 5, 3}, {"concentric", 1, 4, 0},   {"apart", 5, 5, 12},
        };
        for (const auto &[name, r1, r2, pq] : cases)
            for (bool redrawn : {false, true})
                QTest::addRow("%s r1=%d r2=%d PQ=%d, %s", name, r1, r2, pq,
                              redrawn ? "redrawn by a radius change" : "drawn by the distance choice")
                    << r1 << r2 << pq << redrawn;
    }

    void figure()
    {
        QFETCH(int, r1);
        QFETCH(int, r2);
        QFETCH(int, pq);
        QFETCH(bool, byRadiusChange);
        frmTarvolen_300413 w;
        w.lblNext_Click();
        testing::chooseAll(w, r1, r2, pq);
        if (byRadiusChange)
            testing::choose(w.CboR2, QString::number(r2));
        const QImage image = testing::renderCanvas(w.canvas);

        // The circle lines, sampled halfway between grid columns where no dot can cover them.
        const QPointF P(13.0 - pq / 2.0, 13.0), Q(13.0 + pq / 2.0, 13.0);
        for (const auto &[c, r, outward] : {std::tuple(P, r1, -1), std::tuple(Q, r2, 1)}) {
            const double h = std::sqrt(r * r - 0.01);
            for (const QPointF &on : {c + QPointF(0.1, -h), c + QPointF(0.1, h), c + QPointF(outward * h, -0.1)}) {
                const QPointF off = (on - c) * 0.15 / r;
                QVERIFY2(redNear(image, on) && !redNear(image, on + off) && !redNear(image, on - off),
                         qPrintable(QStringLiteral("the circle about (%1, 13) of radius %2 misses (%3, %4)")
                                        .arg(c.x()).arg(r).arg(on.x()).arg(on.y())));
            }
        }

        // One dot at every grid point inside both circles, and no other green but the centre
        // dots that no grid dot covers.
        QImage rest = image;
        for (const QPointF &g : gridInsideBoth(r1, r2, pq))
            QVERIFY2(takeDot(rest, g), qPrintable(QStringLiteral("no dot at (%1, %2)").arg(g.x()).arg(g.y())));
        takeDot(rest, P);
        takeDot(rest, Q);
        for (int y = 0; y < rest.height(); ++y)
            for (int x = 0; x < rest.width(); ++x)
                if (isGreen(rest, QPoint(x, y))) {
                    const QPointF cm = QPointF(x + 0.5, y + 1.5) / kPxPerCm; // below its topmost pixel
                    QFAIL(qPrintable(QStringLiteral("a stray dot at (%1, %2), %3 cm from P and %4 from Q").arg(cm.x())
                                         .arg(cm.y()).arg(QLineF(cm, P).length()).arg(QLineF(cm, Q).length())));
                }
    }

    // Nothing is drawn while only radii are chosen. Then "P" and "Q" take the surface's colour
    // and font as they stand: red 10 pt after the distance choice and after the redraw that
    // follows it, blue 8 pt after a second redraw.
    void lettersTakeTheSurfaceStyle()
    {
        frmTarvolen_300413 w;
        w.lblNext_Click();
        testing::choose(w.CboR1, QStringLiteral("3"));
        testing::choose(w.CboR2, QStringLiteral("3"));
        testing::choose(w.CboR1, QStringLiteral("2"));
        QVERIFY(w.canvas.isEmpty());
        QVERIFY(w.frameHelp->isHidden());
        testing::choose(w.CboPQ, QStringLiteral("4"));
        const auto check = [&](const char *stage, const QColor &colour, double points) {
            for (const char *text : {"P", "Q", " 4"}) {
                const toolkit::Canvas::Op *op = lastText(w, QString::fromLatin1(text));
                const bool number = text[0] == ' ';
                QVERIFY2(op && op->color == (number ? QColor(Qt::blue) : colour) && op->font.bold()
                             && op->font.pointSizeF() == (number ? 8.0 : points),
                         qPrintable(QStringLiteral("%1: \"%2\"").arg(stage, text)));
            }
            QCOMPARE(lastText(w, QStringLiteral(" 4"))->a, QPointF(12.8, 12.65));
        };
        check("after the distance choice", Qt::red, 10.0);
        testing::choose(w.CboR1, QStringLiteral("2"));
        check("after the first radius change", Qt::red, 10.0);
        testing::choose(w.CboR2, QStringLiteral("3"));
        check("after the second radius change", Qt::blue, 8.0);
    }

    void screenFollowsEveryStep()
    {
        frmTarvolen_300413 w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const auto pick = [](toolkit::ComboBox *list, const char *item) {
            return [=] { testing::choose(list, item); };
        };
        const auto click = [](QWidget *label) { return [=] { QTest::mouseClick(label, Qt::LeftButton); }; };
        // A figure drawn, moved, wiped and drawn again, as a learner goes.
        const std::pair<const char *, std::function<void()>> steps[] = {
            {"Next", click(w.lblNext)}, {"r1 = 5", pick(w.CboR1, "5")}, {"r2 = 5", pick(w.CboR2, "5")},
            {"PQ = 0, the fullest region", pick(w.CboPQ, "0")}, {"PQ = 12, apart", pick(w.CboPQ, "12")},
            {"PQ = 3", pick(w.CboPQ, "3")}, {"r1 = 1", pick(w.CboR1, "1")}, {"r2 = 2", pick(w.CboR2, "2")},
            {"Back", click(w.lblBack)}, {"Next again", click(w.lblNext)}, {"PQ = 4", pick(w.CboPQ, "4")},
            {"the help arrow hidden over the bare window", [&] { QTest::mouseMove(&w, QPoint(60, 700)); }},
        };
        for (const auto &[name, step] : steps) {
            step();
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents();
            const QImage shown = w.screen()->grabWindow(w.winId()).toImage().convertToFormat(QImage::Format_RGB32);
            QVERIFY2(!shown.isNull(), "the screen of the offscreen platform cannot be read");
            QVERIFY2(shown == testing::grabWindow(w), qPrintable(QStringLiteral("stale after %1").arg(name)));
        }
    }

    // Dots at every sixteenth of a pixel, some partly off the left and top edges, in the
    // figure's widths and colours, through a painter shifted by whole pixels; a picture records
    // them as vectors, as a printer gets them.
    void stampedDotsMatchVectorDots()
    {
        toolkit::Canvas canvas(nullptr);
        const double cmPerPixel = 2.54 / 96.0;
        for (int i = 0; i < 40; ++i) {
            canvas.setDrawWidth(i % 3 == 0 ? 2 : 3);
            canvas.point((3.0 + i * (1.0 + 1.0 / 16.0) + i / 7.0) * cmPerPixel, (2.0 + (i % 9) * 7.3) * cmPerPixel,
                         i % 2 ? QColor(0, 192, 0) : QColor(0, 128, 0));
        }
        canvas.setDrawWidth(3);
        canvas.point(-0.4 * cmPerPixel, 20.5 * cmPerPixel, QColor(0, 192, 0));
        canvas.point(10.25 * cmPerPixel, -0.75 * cmPerPixel, QColor(0, 192, 0));
        QPicture picture;
        QPainter recorder(&picture);
        canvas.paint(recorder);
        recorder.end();

        QImage stamped(80, 80, QImage::Format_RGB32);
        stamped.fill(QColor(213, 255, 220));
        QImage vector = stamped;
        for (QImage *image : {&stamped, &vector}) {
            QPainter painter(image);
            painter.translate(-7, 5);
            if (image == &stamped)
                canvas.paint(painter);
            else
                painter.drawPicture(0, 0, picture);
        }
        int largest = 0, inked = 0;
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 80; ++x) {
                const QRgb s = stamped.pixel(x, y), v = vector.pixel(x, y);
                largest = std::max({largest, std::abs(qRed(s) - qRed(v)), std::abs(qGreen(s) - qGreen(v)),
                                    std::abs(qBlue(s) - qBlue(v))});
                inked += qRed(s) < 100;
            }
        // A dot a whole pixel off, or of another size or colour, differs by far more.
        QVERIFY2(largest <= 32, qPrintable(QStringLiteral("stamped and vector dots differ by %1").arg(largest)));
        QVERIFY2(inked > 40 * 4, qPrintable(QStringLiteral("only %1 dot pixels drawn").arg(inked)));
    }
};

QTEST_MAIN(FigureTest)
#include "tst_figure.moc"
