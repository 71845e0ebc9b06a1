// The figure as it lands in pixels: both circles where their centimetres say, and the green
// dots of the common region exactly at the grid points strictly inside both circles, counted
// here with the lesson's own single-precision walk of the 0.2 cm grid.

#include "lesson_window/lesson_window.h"
#include "test_support.h"

#include <QtTest>

#include <cmath>
#include <vector>

namespace {

constexpr double kPxPerCm = 566.929 / 15.0;

struct Blob
{
    QPointF centre; // pixels
    int size = 0;
};

bool isGreen(QRgb p)
{
    // The dots (0, 192, 0), Q's dark-green dot (0, 128, 0); not the pale background.
    return qGreen(p) >= 100 && qRed(p) <= 90 && qBlue(p) <= 90;
}

bool isRed(QRgb p)
{
    return qRed(p) >= 200 && qGreen(p) <= 90 && qBlue(p) <= 90;
}

std::vector<Blob> greenBlobs(const QImage &image)
{
    std::vector<Blob> blobs;
    std::vector<char> seen(size_t(image.width()) * image.height(), 0);
    const auto index = [&](int x, int y) { return size_t(y) * image.width() + x; };
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (seen[index(x, y)] || !isGreen(image.pixel(x, y)))
                continue;
            Blob blob;
            QPointF sum;
            std::vector<QPoint> stack{QPoint(x, y)};
            seen[index(x, y)] = 1;
            while (!stack.empty()) {
                const QPoint p = stack.back();
                stack.pop_back();
                sum += QPointF(p) + QPointF(0.5, 0.5);
                ++blob.size;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const QPoint n = p + QPoint(dx, dy);
                        if (image.rect().contains(n) && !seen[index(n.x(), n.y())]
                            && isGreen(image.pixel(n))) {
                            seen[index(n.x(), n.y())] = 1;
                            stack.push_back(n);
                        }
                    }
            }
            blob.centre = sum / blob.size;
            blobs.push_back(blob);
        }
    return blobs;
}

// The grid points, in centimetres, strictly inside both circles: bounds fixed first, x and y
// single-precision values that grow by the float nearest 0.2, distances kept as floats.
std::vector<QPointF> gridInsideBoth(int r1, int r2, int pq)
{
    const float px = float(13.0 - pq / 2.0);
    const float qx = float(pq / 2.0 + 13.0);
    const int centreY = 13;
    std::vector<QPointF> points;
    const float xEnd = qx + float(r2);
    const float yEnd = float(centreY + r2);
    for (float x = px - float(r1); x <= xEnd; x += 0.2f)
        for (float y = float(centreY - r1); y <= yEnd; y += 0.2f) {
            const float d1 = float(std::hypot(double(px) - x, double(centreY) - y));
            const float d2 = float(std::hypot(double(qx) - x, double(centreY) - y));
            if (d1 < float(r1) && d2 < float(r2))
                points.emplace_back(x, y);
        }
    return points;
}

bool redNear(const QImage &image, QPointF cm, int radius)
{
    const QPoint c(int(std::floor(cm.x() * kPxPerCm)), int(std::floor(cm.y() * kPxPerCm)));
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (image.rect().contains(c + QPoint(dx, dy)) && isRed(image.pixel(c + QPoint(dx, dy))))
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
        {"apart widest r1=5 r2=5 PQ=12", 5, 5, 12},
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

    const double px = 13.0 - pq / 2.0;
    const double qx = 13.0 + pq / 2.0;
    // Circle pixels are sampled halfway between grid columns and rows, where no dot can
    // cover the line.
    for (const auto &[cx, r] : {std::pair<double, int>(px, r1), std::pair<double, int>(qx, r2)}) {
        const QString circle = QStringLiteral("circle about (%1, 13) radius %2").arg(cx).arg(r);
        const double h = std::sqrt(r * r - 0.01);
        for (const QPointF &on : {QPointF(cx + 0.1, 13 - h), QPointF(cx + 0.1, 13 + h)}) {
            QVERIFY2(redNear(image, on, 1), qPrintable(circle + QStringLiteral(": no red at its top or bottom")));
            QVERIFY2(!redNear(image, on + QPointF(0, 0.15), 1) && !redNear(image, on - QPointF(0, 0.15), 1),
                     qPrintable(circle + QStringLiteral(": red off the circle line")));
        }
        const QPointF outer(cx == px ? cx - h : cx + h, 12.9);
        QVERIFY2(redNear(image, outer, 1), qPrintable(circle + QStringLiteral(": no red at its outer side")));
    }

    const std::vector<QPointF> grid = gridInsideBoth(r1, r2, pq);
    const std::vector<Blob> blobs = greenBlobs(image);
    // The centre dots are green too; one adds a blob only where no grid dot lies under it.
    std::vector<QPointF> centres{QPointF(px, 13)};
    if (pq != 0)
        centres.emplace_back(qx, 13);
    size_t expected = grid.size();
    for (const QPointF &c : centres) {
        bool onGrid = false;
        for (const QPointF &g : grid)
            onGrid |= std::abs(g.x() - c.x()) < 0.05 && std::abs(g.y() - c.y()) < 0.05;
        expected += onGrid ? 0 : 1;
    }
    std::vector<bool> matched(blobs.size(), false);
    const auto claim = [&](QPointF cm) {
        for (size_t i = 0; i < blobs.size(); ++i)
            if (!matched[i] && QLineF(blobs[i].centre, cm * kPxPerCm).length() < 1.5) {
                matched[i] = true;
                return true;
            }
        return false;
    };
    for (const QPointF &g : grid)
        QVERIFY2(claim(g), qPrintable(QStringLiteral("no dot at grid point (%1, %2)").arg(g.x()).arg(g.y())));
    for (const QPointF &c : centres)
        claim(c);
    for (size_t i = 0; i < blobs.size(); ++i) {
        const QPointF cm = blobs[i].centre / kPxPerCm;
        QVERIFY2(matched[i], qPrintable(QStringLiteral("a dot at (%1, %2) cm, %3 cm from P and %4 cm from Q, off the grid inside both circles")
                                            .arg(cm.x()).arg(cm.y())
                                            .arg(QLineF(cm, QPointF(px, 13)).length())
                                            .arg(QLineF(cm, QPointF(qx, 13)).length())));
    }
    QCOMPARE(blobs.size(), expected);
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

void FigureTest::lettersTakeTheSurfaceStyle()
{
    frmTarvolen_300413 w;
    w.lblNext_Click();
    testing::choose(w.CboR1, QStringLiteral("2"));
    testing::choose(w.CboR2, QStringLiteral("3"));
    testing::choose(w.CboPQ, QStringLiteral("4"));

    const QColor red(255, 0, 0), blue(0, 0, 255);
    const auto check = [&](const char *stage, const QColor &colour, double points) {
        for (const char *letter : {"P", "Q"}) {
            const toolkit::Canvas::Op *op = lastText(w, QString::fromLatin1(letter));
            QVERIFY2(op, stage);
            const QString what = QStringLiteral("%1: \"%2\"").arg(stage, letter);
            QVERIFY2(op->color == colour, qPrintable(what + QStringLiteral(" has the wrong colour")));
            QVERIFY2(op->font.pointSizeF() == points && op->font.bold(),
                     qPrintable(what + QStringLiteral(" is %1 pt, bold %2")
                                           .arg(op->font.pointSizeF()).arg(op->font.bold())));
        }
        const toolkit::Canvas::Op *value = lastText(w, QStringLiteral(" 4"));
        QVERIFY2(value && value->color == blue && value->font.pointSizeF() == 8.0 && value->font.bold(),
                 stage);
        QCOMPARE(value->a, QPointF(12.8, 12.65));
    };
    check("after the distance choice", red, 10.0);
    testing::choose(w.CboR1, QStringLiteral("2"));
    check("after the first radius change", red, 10.0);
    testing::choose(w.CboR2, QStringLiteral("3"));
    check("after the second radius change", blue, 8.0);
}

QTEST_MAIN(FigureTest)
#include "tst_figure.moc"
