// The window as learners, teachers and screen readers meet it: the figure in pixels, on screen
// after every step, at any device-pixel ratio and after an hour of blinking; the printed page
// measured on paper (poppler's tools read the PDF back); Home; keyboard and screen reader.

#include "lesson_window/lesson_window.h"
#include "test_support.h"
#include "toolkit/label.h"
#include "toolkit/units.h"

#include <QAccessible>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QtTest>

#include <malloc.h>

using Window = frmTarvolen_300413;

namespace {
constexpr double kPxPerCm = 1440 / 2.54 / 15; // twips per centimetre over twips per pixel
const QColor kDot(0, 160, 0);                   // both greens of the dots, not the pale background

QPoint pixelOf(QPointF cm) { return QPoint(int(cm.x() * kPxPerCm), int(cm.y() * kPxPerCm)); }
QRect around(QPointF cm, int radius = 1) { return QRect(pixelOf(cm), QSize(1, 1)).adjusted(-radius, -radius, radius, radius); }

#if defined(__SANITIZE_ADDRESS__) // it keeps the heap to itself, and counts the live bytes
extern "C" size_t __sanitizer_get_current_allocated_bytes();
qint64 liveHeap() { return qint64(__sanitizer_get_current_allocated_bytes()); }
#else
qint64 liveHeap() { return qint64(mallinfo2().uordblks + mallinfo2().hblkhd); } // mapped blocks too
#endif

QAccessibleInterface *accessible(QObject *object) { return QAccessible::queryAccessibleInterface(object); }

// What a screen reader walks, depth first: a list by the one label related to it ("?" for
// none or several), a button marked, any other text by its first three words.
QString readAloud(QAccessibleInterface *a)
{
    QStringList heard;
    for (int i = 0; i < a->childCount(); ++i) {
        QAccessibleInterface *c = a->child(i);
        const auto labels = c->relations(QAccessible::Label);
        heard << (c->role() == QAccessible::ComboBox ? "list " + (labels.size() == 1 ? labels[0].first->text(QAccessible::Name) : "?")
                  : c->childCount() ? readAloud(c)
                  : (c->role() == QAccessible::Button ? "button " : "") + c->text(QAccessible::Name).simplified().section(' ', 0, 2));
    }
    return heard.join("; ");
}
} // namespace

class WindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::prepareApplication(); }

    // A screen too small for the window and its frame (these tests' offscreen one is 800 x
    // 800, its frame 2 px all round): the page opens scaled down to fit, whole, zoom 796 / 1018;
    // F11 and Esc keep to it. A screen reader finds Home where it is drawn (952, 8 px, 33 x 17,
    // at that zoom).
    void smallScreen()
    {
        Window w;
        w.showOnScreen(false);
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QRect screen = w.screen()->availableGeometry();
        const QSize page(796, qRound(736 * 796.0 / 1018));
        QCOMPARE(w.size(), page);
        QVERIFY2(screen.contains(w.frameGeometry()), qPrintable(QDebug::toString(w.frameGeometry())));
        // Shape1's 4 px olive border from 32 px in: 3 px from 25 px in.
        QCOMPARE(testing::inkBox(testing::grabWindow(w), {20, 300, 10, 1}, QColor(60, 104, 0)), QRect(25, 300, 3, 1));
        QCOMPARE(accessible(w.findChild<QWidget *>("lblHome"))->rect(), QRect(w.mapToGlobal(QPoint(744, 6)), QSize(26, 14)));
        QTest::keyClick(w.windowHandle(), Qt::Key_F11);
        QTRY_COMPARE(w.size(), screen.size());
        QTest::keyClick(w.windowHandle(), Qt::Key_Escape);
        QTRY_COMPARE(w.size(), page);
    }

    void figure_data()
    {
        QTest::addColumn<QList<int>>("v"); // r1, r2, PQ and the radius changes that redraw the figure
        for (const QList<int> &v : {QList{2, 3, 5, 0}, {2, 3, 4, 1}, {1, 4, 2, 2}, {2, 5, 3, 0}, {1, 4, 0, 1}, {5, 5, 12, 2}})
            QTest::addRow("r1=%d r2=%d PQ=%d, %d redraws", v[0], v[1], v[2], v[3]) << v;
    }
    void figure()
    {
        QFETCH(QList<int>, v);
        const auto [r1, r2, pq, redraws] = std::tuple(v[0], v[1], v[2], v[3]);
        Window w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        testing::click(w, "lblNext");
        testing::chooseAll(w, r1, r2, pq);
        for (int i = 0; i < redraws; ++i)
            testing::choose(w, "CboR2", r2);
        const QImage image = testing::figure(w);
        const auto ink = [&image](const QRect &area, const QColor &colour) { return !testing::inkBox(image, area, colour).isEmpty(); };
        const QPointF P(13.0 - pq / 2.0, 13.0), Q(13.0 + pq / 2.0, 13.0);

        // The circle lines, sampled halfway between grid columns where no dot can cover them.
        for (const auto &[c, r, outward] : {std::tuple(P, r1, -1), std::tuple(Q, r2, 1)}) {
            const double h = std::sqrt(r * r - 0.01);
            for (const QPointF &on : {c + QPointF(0.1, -h), c + QPointF(0.1, h), c + QPointF(outward * h, -0.1)}) {
                const QPointF off = (on - c) * 0.15 / r;
                QVERIFY2(ink(around(on), Qt::red) && !ink(around(on + off), Qt::red) && !ink(around(on - off), Qt::red),
                         qPrintable(QStringLiteral("circle about %1 at (%2, %3)").arg(c.x()).arg(on.x()).arg(on.y())));
            }
        }
        // The segment and its length over the middle in blue. The letters below P and Q take the
        // surface's style: red 10 pt, or after two redraws the blue 8 pt the length left.
        QVERIFY(pq == 0 || ink(around(P + QPointF(0.1, 0), 0) | around(Q - QPointF(0.1, 0), 0), Qt::blue));
        QVERIFY(ink(QRect(pixelOf({12.8, 12.65}), pixelOf({13.3, 12.95})), Qt::blue));
        for (const auto &[c, rows] : {std::pair(P, 8), std::pair(Q, 10)}) { // ink rows of the letter at 8 pt
            const QRect area(pixelOf(c + QPointF(0, 0.1)), pixelOf(c + QPointF(0.35, 0.55)));
            const QRect red = testing::inkBox(image, area, Qt::red), blue = testing::inkBox(image, area, Qt::blue);
            QVERIFY(redraws < 2 ? blue.isEmpty() && red.height() > rows : red.isEmpty() && blue.height() == rows);
        }

        // One dot at every grid point strictly inside both circles, walked as the lesson walks
        // it (float bounds fixed first, x and y growing by the float nearest 0.2), and no other
        // dot but the centres.
        QVERIFY(ink(around(P), kDot) && ink(around(Q), kDot)); // the centres' own dots
        QImage rest = image;
        const auto take = [&rest](QPointF cm) {
            const bool found = !testing::inkBox(rest, around(cm, 0), kDot).isEmpty();
            QPainter(&rest).fillRect(around(cm, 3), Qt::white);
            return found;
        };
        const float px = float(P.x()), qx = float(Q.x());
        for (float x = px - r1; x <= qx + r2; x += 0.2f)
            for (float y = 13 - r1; y <= 13 + r2; y += 0.2f)
                if (float(std::hypot(double(px) - x, 13.0 - y)) < r1 && float(std::hypot(double(qx) - x, 13.0 - y)) < r2)
                    QVERIFY2(take({x, y}), qPrintable(QStringLiteral("no dot at (%1, %2)").arg(x).arg(y)));
        take(P);
        take(Q);
        QCOMPARE(testing::inkBox(rest, rest.rect(), kDot), QRect());
    }

    // A change repaints only what it touches, yet the screen must equal a fresh paint: a figure
    // drawn, moved, wiped (in full screen too) and drawn again, and an hour of 400 ms blinks with PQ pending (9,000
    // ticks of each timer, the PQ list repainted at every one) that must leave the heap flat.
    // Then the help hint, wrapped within its label.
    void screenFollowsEveryStep()
    {
        Window w;
        testing::freezeBlinks(w); // a real tick between the two pictures would tell them apart
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        for (const QString step : {"Next", "R1 5", "R2 5", "Hour", "PQ 0", "PQ 12", "F11", "Back", "Next", "F11",
                                   "PQ 3", "R1 1", "Back", "Next", "PQ 4"}) {
            if (step == "F11") {
                w.activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(&w));
                const bool full = w.isFullScreen();
                QTest::keyClick(w.windowHandle(), Qt::Key_F11);
                QTRY_VERIFY(w.isFullScreen() != full);
            } else if (step.contains(' ')) {
                testing::choose(w, "Cbo" + step.section(' ', 0, 0), step.section(' ', 1).toInt());
            } else if (step == "Hour") {
                qint64 heap = 0;
                for (int tick = 1; tick <= 9000; ++tick) {
                    for (toolkit::Timer *timer : w.findChildren<toolkit::Timer *>())
                        timer->fire();
                    QCoreApplication::processEvents();
                    heap = tick == 600 ? liveHeap() : heap; // fonts, palettes and paint buffers settle in the first minutes
                }
                qInfo("an hour of blinking: the live heap grew by %lld bytes", liveHeap() - heap);
                QVERIFY(liveHeap() - heap < 256 * 1024); // a few bytes a tick would add up to more
            } else {
                testing::click(w, "lbl" + step);
            }
            const auto shown = [&w] { return w.screen()->grabWindow(w.winId()).toImage().convertToFormat(QImage::Format_RGB32); };
            QTRY_VERIFY2(!shown().isNull() && shown() == testing::grabWindow(w), qPrintable("stale after " + step));
        }
        testing::choose(w, "CboPQ", 6); // 1 + 5: case (1), whose yellow box runs on beneath the hint
        QTest::mouseMove(&w, {12, 400}), QTest::mouseMove(&w, {856, 108}); // below the lists: the hint wraps within its label
        QVERIFY(testing::inkBox(testing::grabWindow(w), testing::find(w, "frameHelp")->geometry(), Qt::yellow, 10).isEmpty());
        const QImage hint = testing::find(w, "lblHelp")->grab().toImage();
        QVERIFY(testing::inkBox(hint, hint.rect(), QColor(192, 0, 192)).height() > 25);
    }

    // The prompt line keeps the text it wrote before the latest for when that comes back;
    // after full screen (then Back, Next and a new PQ) the credit line shows at the full-screen
    // size, as it does in a window that made its choices in full screen.
    void promptLineAcrossFullScreen()
    {
        const auto creditAfterTurns = [](bool choseFirst) {
            Window w;
            w.show();
            w.activateWindow();
            if (!QTest::qWaitForWindowActive(&w))
                return QImage();
            testing::click(w, "lblNext");
            if (choseFirst)
                testing::chooseAll(w, 2, 3, 4);
            QTest::keyClick(w.windowHandle(), Qt::Key_F11);
            if (!QTest::qWaitFor([&w] { return w.isFullScreen(); }))
                return QImage();
            if (!choseFirst)
                testing::chooseAll(w, 2, 3, 4);
            testing::click(w, "lblBack");
            testing::click(w, "lblNext");
            testing::choose(w, "CboPQ", 5);
            return testing::find(w, "rtfSelect")->grab().toImage();
        };
        const QImage credit = creditAfterTurns(false);
        QVERIFY(!credit.isNull());
        QCOMPARE(creditAfterTurns(true), credit);
    }

    // A label is drawn over whatever lies beneath it: when that changes, its pixels follow,
    // though its caption does not (a list that changes colour under a label, say).
    void labelOverChangingGround()
    {
        // Beneath the whole label, then beneath its right part only (a partial repaint).
        for (const QRect under : {QRect(0, 0, 200, 60), QRect(70, 0, 130, 60)}) {
            QWidget page;
            page.resize(200, 60);
            QWidget beneath(&page);
            beneath.setGeometry(under);
            beneath.setAutoFillBackground(true);
            toolkit::Label label(&page);
            label.setGeometry(10, 10, 120, 30);
            label.setCaption(QStringLiteral("r"));
            page.show();
            QVERIFY(QTest::qWaitForWindowExposed(&page));
            for (const QColor ground : {QColor(Qt::red), QColor(Qt::blue), QColor(Qt::red)}) {
                QPalette palette = beneath.palette();
                palette.setColor(QPalette::Window, ground);
                beneath.setPalette(palette);
                QTRY_COMPARE(page.screen()->grabWindow(page.winId()).toImage().pixelColor(120, 35), ground);
                QCOMPARE(page.grab().toImage().pixelColor(120, 35), ground);
            }
        }
    }

    // At the screen's ratio (QT_SCALE_FACTOR; ctest runs this at 1.25, 1.5 and 2) the figure is
    // drawn at the device's resolution: each edge blends into one pixel, where an enlarged
    // ratio-1 picture would blend over `ratio` pixels; widths grow with it, in place.
    void scaled()
    {
        Window w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        testing::click(w, "lblNext");
        testing::chooseAll(w, 2, 3, 4);
        const double ratio = w.devicePixelRatioF();
        QCOMPARE(ratio, qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble());
        const QImage image = w.grab().toImage();
        // Across P's circle at its left edge and at its top, and across a dot of the common region
        // (grid from (9, 11)), clear of other ink. Line and centre in cm; reach and width in design pixels.
        const struct { bool alongRow; double line, centre, reach, width; } probes[] = {
            {true, 13.0, 9.0, 4.75, 2}, {false, 11.0, 11.0, 4.75, 2}, {true, 12.6, 12.6, 3.25, 3}};
        for (const auto &p : probes) {
            double width = 0, weighted = 0, partial = 0;
            const double centre = p.centre * kPxPerCm * ratio;
            for (int i = int(centre - p.reach * ratio); i <= int(centre + p.reach * ratio) + 1; ++i) {
                const int line = int(p.line * kPxPerCm * ratio);
                // Red and the dots' green both take the surface's blue (220) away: that is their cover.
                const double cover = qBound(0.0, 1.0 - (p.alongRow ? image.pixelColor(i, line) : image.pixelColor(line, i)).blue() / 220.0, 1.0);
                width += cover;
                weighted += cover * (i + 0.5);
                partial += cover > 0.1 && cover < 0.9;
            }
            const double off = weighted / qMax(width, 1e-9) - centre;
            QVERIFY2(std::abs(width - p.width * ratio) < 0.35 * ratio && std::abs(off) < 0.5 && partial <= 2,
                     qPrintable(QStringLiteral("at %1: %2 px wide, %3 px off, %4 partly covered").arg(p.centre).arg(width).arg(off).arg(partial)));
        }
    }

    // Each answer to the dialog: nothing printed for a cancel or a count below 1 or beyond 16
    // bits, else a page per copy, and a message only where the file could not be opened; the
    // window left as it was. The page is the window at true scale: 1018 x 736 design pixels at
    // 96 an inch, 26.935 x 19.473 cm.
    void print()
    {
        QTemporaryDir dir;
        Window window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        testing::click(window, "lblNext");
        testing::chooseAll(window, 3, 2, 4);
        const QImage before = testing::grabWindow(window);
        const auto output = [](const QString &program, const QStringList &arguments) {
            QProcess process;
            process.start(program, arguments);
            process.waitForFinished(60000);
            return QString(process.readAllStandardOutput());
        };
        QString file, said; // what a message box told the learner
        QTimer answer; // reads and closes it
        connect(&answer, &QTimer::timeout, [&said] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                said = box->text(), box->close();
        });
        answer.start(20);
        // Two copies go to a folder that is not there: nothing printed, and the learner is told so.
        for (const auto &[accepted, copies, pages] : {std::tuple(false, 1, 0), {true, 0, 0}, {true, 40000, 0}, {true, 2, 0}, {true, 3, 3}, {true, 1, 1}}) {
            file = dir.filePath(QStringLiteral("%1%2-%3.pdf").arg(copies == 2 ? "missing/" : "").arg(accepted).arg(copies));
            said.clear();
            window.setPrintDialogRunner(std::make_unique<testing::AnsweringDialog>([&file, accepted = accepted, copies = copies](QPrinter &printer) {
                printer.setOutputFileName(file);
                printer.setPageSize(QPageSize(QPageSize::A4));
                printer.setCopyCount(copies);
                return accepted;
            }));
            testing::click(window, "lblPrint");
            QCOMPARE(said, copies == 2 ? "Nothing was printed: " + file + " could not be opened." : "");
            window.activateWindow(); // as a desktop does when a message box closes
            QVERIFY(QTest::qWaitForWindowActive(&window));
            QVERIFY(testing::grabWindow(window) == before);
            QCOMPARE(QFile::exists(file) ? output("pdfinfo", {file}).section("Pages:", 1).section('\n', 0, 0).toInt() : 0, pages);
        }
        QVERIFY2(output("pdffonts", {file}).contains("Liberation"), "texts printed as text");
        const double pxPerCm = 200 / 2.54;
        output("pdftoppm", {"-r", "200", "-png", "-singlefile", file, file.chopped(4)});
        const QImage page = QImage(file.chopped(4) + ".png").convertToFormat(QImage::Format_RGB32);
        const QRect found = testing::inkBox(page, page.rect(), QColor(213, 255, 220), 6); // the window's pale green
        QVERIFY2(qAbs(found.width() / pxPerCm - 26.935) < 0.05 && qAbs(found.height() / pxPerCm - 19.473) < 0.05, qPrintable(QDebug::toString(found)));
        // The circle of radius 3 about P (11, 13) down the column through P: 6 cm and a stroke of
        // 2 design pixels (0.053 cm) from the top of its top stroke to the foot of its bottom one.
        const QRect circle = testing::inkBox(page, QRect(found.topLeft() + QPoint(11, 9) * pxPerCm, QSize(1, 8 * pxPerCm)), Qt::red);
        QVERIFY2(qAbs(circle.height() / pxPerCm - 6.053) < 0.05, qPrintable(QString::number(circle.height() / pxPerCm)));
    }

    // Queried in-process; the buttons, their keys and the notices a screen reader relies on need a
    // real bus (atspi_check.py). A press acts only where a pointer could click. Each page
    // reads top to bottom, left to right, without hidden, covered or empty labels.
    void screenReader()
    {
        Window w;
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        const QString press = QAccessibleActionInterface::pressAction();
        const QString cases = "(1) If PQ; (2) If PQ; (3) If |; (4) If PQ; (5) If PQ", headingLine = "Tarvolen in R²; list r1; list r2; list PQ; ";
        QString intro = "Programmer: tarvolen@example.org (Website,; button Next; button Home; Tarvolen in R²; Suppose that the; "
                        "Suppose that in; In this Situation; " + cases + "; It will be; Let us test";
        QCOMPARE(readAloud(accessible(&w)), intro);
        QSignalSpy next(testing::find<toolkit::Label>(w, "lblNext"), &toolkit::Label::clicked), back(testing::find<toolkit::Label>(w, "lblBack"), &toolkit::Label::clicked);
        accessible(testing::find(w, "lblBack"))->actionInterface()->doAction(press); // beneath Next
        accessible(testing::find(w, "lblNext"))->actionInterface()->doAction(press);
        accessible(testing::find(w, "lblNext"))->actionInterface()->doAction(press); // now hidden
        QVERIFY(back.isEmpty() && next.size() == 1 && testing::find(w, "Frame_Cbo")->isVisible());
        QCOMPARE(readAloud(accessible(&w)), "Now select length; button Back; button Home; " + headingLine + cases); // not the invitation beneath
        testing::chooseAll(w, 2, 3, 4);
        testing::choose(w, "CboR1", 1); // a radius changed once all are chosen: the hint comes up
        // The hint beside the lists; not the painted "r", "1", "r", "2" and "PQ" above them.
        QCOMPARE(readAloud(accessible(&w)), "Programmer: tarvolen@example.org (Website,; button Print; button Back; button Home; "
                 + QString(headingLine).replace("R²; ", "R²; Double Click any; ") + cases);
        const QPoint overlap = w.mapToGlobal(QPoint(600, 70)); // the hint's frame lies over the heading there
        QCOMPARE(readAloud(accessible(&w)->childAt(overlap.x(), overlap.y())), "Double Click any");
        accessible(testing::find(w, "lblBack"))->actionInterface()->doAction(press);
        QCOMPARE(readAloud(accessible(&w)), intro.replace("R²; ", "R²; Double Click any; ")); // the hint stays until the pointer moves
    }
};

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
