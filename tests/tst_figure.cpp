// The figure as it lands in pixels: both circles where their centimetres say, and one green
// dot at each grid point strictly inside both circles, found here with the lesson's own
// single-precision walk of the 0.2 cm grid.

#include "lesson_window/lesson_window.h"
#include "test_support.h"

#include <QtTest>

#include <cmath>
#include <tuple>
#include <vector>

namespace {

constexpr double kPxPerCm = 566.929 / 15.0;

bool isGreen(QRgb p) // the dots (0, 192, 0) and Q's dark green (0, 128, 0), not the background
{
    return qGreen(p) >= 100 && qRed(p) <= 90 && qBlue(p) <= 90;
}

// Centres, in pixels, of the 8-connected green blobs.
std::vector<QPointF> greenBlobs(const QImage &image)
{
    std::vector<QPointF> centres;
    std::vector<char> seen(size_t(image.width()) * image.height(), 0);
    const auto visit = [&](QPoint p) {
        if (!image.rect().contains(p) || !isGreen(image.pixel(p)))
            return false;
        char &mark = seen[size_t(p.y()) * image.width() + p.x()];
        return !mark && (mark = 1);
    };
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            std::vector<QPoint> stack;
            if (visit(QPoint(x, y)))
                stack.push_back(QPoint(x, y));
            QPointF sum;
            int count = 0;
            while (!stack.empty()) {
                const QPoint p = stack.back();
                stack.pop_back();
                sum += QPointF(p) + QPointF(0.5, 0.5);
                ++count;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        if (visit(p + QPoint(dx, dy)))
                            stack.push_back(p + QPoint(dx, dy));
            }
            if (count)
                centres.push_back(sum / count);
        }
    return centres;
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
    const QPoint c(int(std::floor(cm.x() * kPxPerCm)), int(std::floor(cm.y() * kPxPerCm)));
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (testing::near(image.pixelColor(c + QPoint(dx, dy)), QColor(255, 0, 0), 60))
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
    void figure_data();
    void figure();
    void nothingDrawnBeforeTheDistance();
    void lettersTakeTheSurfaceStyle();
};

void FigureTest::figure_data()
{
    QTest::addColumn<int>("r1");
    QTest::addColumn<int>("r2");
    QTest::addColumn<int>("pq");
    QTest::addColumn<bool>("byRadiusChange");
    const struct {
        const char *name;
        int r1, r2, pq;
    } cases[] = {
        {"touching externally r1=2 r2=3 PQ=5", 2, 3, 5},
        {"intersecting r1=2 r2=3 PQ=4", 2, 3, 4},
        {"inside r1=1 r2=4 PQ=2", 1, 4, 2},
        {"touching internally r1=2 r2=5 PQ=3", 2, 5, 3},
        {"concentric r1=1 r2=4 PQ=0", 1, 4, 0},
        {"apart r1=1 r2=1 PQ=12", 1, 1, 12},
        {"apart r1=5 r2=5 PQ=12", 5, 5, 12},
    };
    for (const auto &c : cases) {
        QTest::addRow("%s, drawn by the distance choice", c.name) << c.r1 << c.r2 << c.pq << false;
        QTest::addRow("%s, redrawn by a radius change", c.name) << c.r1 << c.r2 << c.pq << true;
    }
}

void FigureTest::figure()
{
    QFETCH(int, r1);
    QFETCH(int, r2);
    QFETCH(int, pq);
    QFETCH(bool, byRadiusChange);

    frmTarvolen_300413 w;
    w.lblNext_Click();
    testing::choose(w.CboR1, QString::number(r1));
    testing::choose(w.CboR2, QString::number(r2));
    testing::choose(w.CboPQ, QString::number(pq));
    if (byRadiusChange)
        testing::choose(w.CboR2, QString::number(r2));
    const QImage image = testing::renderCanvas(w.canvas);

    // The circle lines, sampled halfway between grid columns where no dot can cover them.
    const QPointF P(13.0 - pq / 2.0, 13.0), Q(13.0 + pq / 2.0, 13.0);
    for (const auto &[c, r, outward] : {std::tuple(P, r1, -1), std::tuple(Q, r2, 1)}) {
        const QString circle = QStringLiteral("circle about (%1, 13) radius %2: ").arg(c.x()).arg(r);
        const double h = std::sqrt(r * r - 0.01);
        const QPointF top = c + QPointF(0.1, -h), bottom = c + QPointF(0.1, h);
        for (const QPointF &on : {top, bottom, c + QPointF(outward * h, -0.1)}) {
            QVERIFY2(redNear(image, on), qPrintable(circle + "no red on it"));
            const QPointF off = (on - c) * 0.15 / r;
            QVERIFY2(!redNear(image, on + off) && !redNear(image, on - off),
                     qPrintable(circle + "red off it"));
        }
    }

    // One dot at every grid point inside both circles; any other green is a centre dot that
    // no grid dot covers. So the number of dots is that of the grid points.
    const std::vector<QPointF> grid = gridInsideBoth(r1, r2, pq);
    const std::vector<QPointF> blobs = greenBlobs(image);
    std::vector<bool> used(blobs.size(), false);
    const auto claim = [&](QPointF cm) {
        for (size_t i = 0; i < blobs.size(); ++i)
            if (!used[i] && QLineF(blobs[i], cm * kPxPerCm).length() < 1.5)
                return bool(used[i] = true);
        return false;
    };
    for (const QPointF &g : grid)
        QVERIFY2(claim(g), qPrintable(QStringLiteral("no dot at grid point (%1, %2)").arg(g.x()).arg(g.y())));
    claim(P);
    claim(Q);
    for (size_t i = 0; i < blobs.size(); ++i) {
        const QPointF cm = blobs[i] / kPxPerCm;
        QVERIFY2(used[i], qPrintable(QStringLiteral("a dot at (%1, %2), %3 cm from P and %4 cm from Q")
                                         .arg(cm.x()).arg(cm.y())
                                         .arg(QLineF(cm, P).length()).arg(QLineF(cm, Q).length())));
    }
}

void FigureTest::nothingDrawnBeforeTheDistance()
{
    frmTarvolen_300413 w;
    w.lblNext_Click();
    testing::choose(w.CboR1, QStringLiteral("3"));
    testing::choose(w.CboR2, QStringLiteral("4"));
    testing::choose(w.CboR1, QStringLiteral("2"));
    QVERIFY(w.canvas.isEmpty());
    QVERIFY(w.frameHelp->isHidden());
}

// "P" and "Q" take the surface's colour and font as they stand: red 10 pt after the distance
// choice and after the redraw that follows it, blue 8 pt after a second redraw.
void FigureTest::lettersTakeTheSurfaceStyle()
{
    frmTarvolen_300413 w;
    w.lblNext_Click();
    testing::choose(w.CboR1, QStringLiteral("2"));
    testing::choose(w.CboR2, QStringLiteral("3"));
    testing::choose(w.CboPQ, QStringLiteral("4"));
    const QColor red(255, 0, 0), blue(0, 0, 255);
    const auto check = [&](const char *stage, const QColor &colour, double points) {
        for (const char *letter : {"P", "Q", " 4"}) {
            const toolkit::Canvas::Op *op = lastText(w, QString::fromLatin1(letter));
            const bool value = letter[0] == ' ';
            QVERIFY2(op && op->color == (value ? blue : colour) && op->font.bold()
                         && op->font.pointSizeF() == (value ? 8.0 : points),
                     qPrintable(QStringLiteral("%1: \"%2\"").arg(stage, letter)));
        }
        QCOMPARE(lastText(w, QStringLiteral(" 4"))->a, QPointF(12.8, 12.65));
    };
    check("after the distance choice", red, 10.0);
    testing::choose(w.CboR1, QStringLiteral("2"));
    check("after the first radius change", red, 10.0);
    testing::choose(w.CboR2, QStringLiteral("3"));
    check("after the second radius change", blue, 8.0);
}

QTEST_MAIN(FigureTest)
#include "tst_figure.moc"
