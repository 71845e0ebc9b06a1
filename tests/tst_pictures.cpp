// Approved pictures: the window in the states a learner meets, the printed page, the pointing
// hand and the 64 px icon, each compared pixel for pixel with its image in tests/approved/ (the
// offscreen render is deterministic, so no tolerance). A mismatch leaves <name>.actual.png and
// <name>.diff.png in build/tests/pictures/. After an intended change, `make approve-pictures`.
// A picture holds only what was approved: the sampled checks here, in tst_window and in
// tst_cases, on the same states, say independently what is right.

#include "lesson_window/lesson_window.h"
#include "test_support.h"
#include "toolkit/art.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QPrinter>
#include <QtTest>

namespace {

// The picture after a learner's steps: lblX clicks that label; CboX=v chooses v from that
// list; TimerN is one blink tick; "wheel" turns the wheel over the sentences; @x,y moves the pointer there from
// outside the window; "page" prints and gives the page at 96 dots an inch (a design pixel a
// dot); "hand" and "icon" give those pictures.
QImage picture(const QStringList &steps, const QString &pdf)
{
    if (steps[0] == "hand" || steps[0] == "icon") // the icon as the build painted it for the desktop
        return steps[0] == "hand" ? toolkit::handPixmap().toImage() : QImage(QFINDTESTDATA("../data/icons/64x64/apps/org.example.tarvolen.png"));
    frmTarvolen_300413 w;
    testing::freezeBlinks(w);
    w.setPrintDialogRunner(std::make_unique<testing::AnsweringDialog>([&pdf](QPrinter &p) { p.setOutputFileName(pdf), p.setPageSize(QPageSize(QPageSize::A4)); return true; }));
    w.show();
    w.activateWindow();
    if (!QTest::qWaitForWindowActive(&w))
        return {};
    for (const QString &step : steps) {
        if (step.startsWith("Cbo")) {
            testing::choose(w, step.section('=', 0, 0), step.section('=', 1).toInt());
        } else if (step == "F11") { // full screen on the 1920 x 1080 screen these tests run on
            QTest::keyClick(w.windowHandle(), Qt::Key_F11);
            if (!QTest::qWaitFor([&] { return w.size() == QSize(1920, 1080); }))
                return {};
        } else if (step.startsWith("Timer")) {
            w.findChild<toolkit::Timer *>(step)->fire();
        } else if (step == "wheel") { // with or without Ctrl or Shift over every sentence, which must not move
            for (QWidget *box : w.findChildren<toolkit::RichTextBox *>())
                for (const Qt::KeyboardModifier held : {Qt::NoModifier, Qt::ControlModifier, Qt::ShiftModifier})
                    for (const int notches : {2, -4}) {
                        QWheelEvent turn(box->rect().center(), box->mapToGlobal(box->rect().center()), {}, {0, 120 * notches}, {}, held, Qt::NoScrollPhase, false);
                        QApplication::sendEvent(box, &turn);
                    }
        } else if (step.startsWith('@')) {
            QTest::mouseMove(&w, {-60, -60}), QTest::mouseMove(&w, {step.mid(1).section(',', 0, 0).toInt(), step.section(',', 1).toInt()});
        } else {
            testing::click(w, step == "page" ? "lblPrint" : step);
        }
    }
    if (steps.last() != "page")
        return testing::grabWindow(w);
    QProcess::execute("pdftoppm", {"-r", "96", "-png", "-singlefile", pdf, pdf.chopped(4)});
    return QImage(pdf.chopped(4) + ".png");
}

} // namespace

class PicturesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::prepareApplication(); }

    void pictures_data()
    {
        QTest::addColumn<QString>("steps");
        // Samples for what no other test samples: the ink of colour r, g, b within an area
        // x, y, w, h lies in the box x, y, w, h.
        QTest::addColumn<QList<QList<int>>>("ink");
        // The values and redraws of tst_window's figures; the pending list at magenta.
        QTest::newRow("introduction") << "Timer1 Timer2 wheel" << QList<QList<int>>();
        QTest::newRow("practice, nothing chosen") << "lblNext Timer5" << QList<QList<int>>();
        QTest::newRow("practice, r1 chosen") << "lblNext CboR1=2 Timer5" << QList<QList<int>>();
        QTest::newRow("practice, r2 chosen") << "lblNext CboR1=2 CboR2=3 Timer5" << QList<QList<int>>();
        QTest::newRow("case 1, r1=2 r2=3 PQ=5") << "lblNext CboR1=2 CboR2=3 CboPQ=5" << QList<QList<int>>();
        QTest::newRow("case 2, r1=2 r2=5 PQ=3") << "lblNext CboR1=2 CboR2=5 CboPQ=3" << QList<QList<int>>();
        QTest::newRow("case 3, r1=2 r2=3 PQ=4") << "lblNext CboR1=2 CboR2=2 CboPQ=4 CboR2=3 wheel" << QList<QList<int>>();
        QTest::newRow("case 4, r1=1 r2=4 PQ=2") << "lblNext CboR1=1 CboR2=2 CboPQ=2 CboR2=3 CboR2=4" << QList<QList<int>>();
        QTest::newRow("case 5, r1=5 r2=5 PQ=12") << "lblNext CboR1=5 CboR2=3 CboPQ=12 CboR2=4 CboR2=5" << QList<QList<int>>();
        // The pointer over the bare window, then below the lists over lblCombo (11640, 1080
        // twips, 2415 wide) under Frame_Cbo (720 high, 855). The arrow in frameHelp at (536,
        // 48) px: 4 px in, clear of the hint, Line26 1 px wide at 120 twips and Line25 2 px
        // wide at 960; its point at (3600, 600) twips, the frame's right edge.
        QTest::newRow("help arrow") << "lblNext CboR1=2 CboR2=2 CboPQ=4 CboR2=3 @12,400 @856,108"
                                    << QList<QList<int>>{{255, 0, 255, 540, 48, 1, 89, 540, 56, 1, 1}, {0, 64, 0, 540, 48, 1, 89, 540, 111, 1, 2},
                                                         {255, 0, 255, 775, 48, 2, 89, 775, 87, 1, 1}, {0, 64, 0, 775, 48, 2, 89, 775, 88, 1, 1}};
        // Full screen: the page 1080 / 736 times larger, 213 px in from the left. Shape1's 4 px
        // olive border (480, 600 twips = 32, 40 px) 6 px wide from (213 + 47, 59).
        QTest::newRow("full screen, case 3") << "lblNext CboR1=2 CboR2=2 CboPQ=4 CboR2=3 F11"
                                             << QList<QList<int>>{{60, 104, 0, 250, 50, 20, 20, 260, 59, 10, 11}, {60, 104, 0, 250, 300, 20, 1, 260, 300, 6, 1}};
        QTest::newRow("after Back") << "lblNext CboR1=2 CboR2=3 CboPQ=4 lblBack Timer1" << QList<QList<int>>();
        QTest::newRow("printed page") << "lblNext CboR1=3 CboR2=2 CboPQ=4 page" << QList<QList<int>>();
        QTest::newRow("printed page, from full screen") << "lblNext CboR1=3 CboR2=2 CboPQ=4 F11 page" << QList<QList<int>>(); // the same page
        // The finger tip at the hot spot (12, 1): the white of the finger begins right below it.
        QTest::newRow("pointing hand") << "hand" << QList<QList<int>>{{255, 255, 255, 0, 0, 32, 4, 11, 2, 3, 2}};
        QTest::newRow("icon 64 px") << "icon" << QList<QList<int>>();
    }

    void pictures()
    {
        QFETCH(QString, steps);
        QFETCH(QList<QList<int>>, ink);
        QTemporaryDir dir;
        const QImage actual = picture(steps.split(' '), dir.filePath("page.pdf"));
        const QString name = QString(QTest::currentDataTag()).replace(QRegularExpression("\\W+"), "-") + "%1.png";
        const QString approvedFile = QFINDTESTDATA("approved") + '/' + name.arg(""), out = QCoreApplication::applicationDirPath() + "/pictures/" + name;
        const QImage approved = QImage(approvedFile).convertToFormat(actual.format());
        QImage diff = approved.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_RGB32); // what differs in red
        int differ = 0;
        QRect where;
        for (int p = 0; !actual.isNull() && approved.size() == actual.size() && p < actual.width() * actual.height(); ++p) {
            const int x = p % actual.width(), y = p / actual.width();
            if (approved.pixel(x, y) != actual.pixel(x, y))
                diff.setPixel(x, y, qRgb(255, 0, 0)), ++differ, where |= QRect(x, y, 1, 1);
        }
        const bool approving = qEnvironmentVariableIsSet("APPROVE_PICTURES"), same = !actual.isNull() && approved.size() == actual.size() && !differ;
        QDir().mkpath(out.section('/', 0, -2));
        QFile::remove(out.arg(".actual")), QFile::remove(out.arg(".diff"));
        if (!same && !approving)
            actual.save(out.arg(".actual")), differ && diff.save(out.arg(".diff"));
        for (const QList<int> &n : ink) { // transparent reads as black
            const QRect found = testing::inkBox(actual, QRect(n[3], n[4], n[5], n[6]), QColor(n[0], n[1], n[2]));
            QVERIFY2(found == QRect(n[7], n[8], n[9], n[10]), qPrintable(QDebug::toString(n) + ", found " + QDebug::toString(found)));
        }
        QVERIFY2(same || (approving && actual.save(approvedFile)), // approved only once the samples hold
                 qPrintable(approved.size() != actual.size() ? QString::asprintf("%d x %d px, approved ", actual.width(), actual.height()) + (approved.isNull() ? "none: " + approvedFile : QDebug::toString(approved.size()))
                                  : QString::asprintf("%d pixels differ within %d x %d px from (%d, %d), see ", differ, where.width(), where.height(), where.x(), where.y()) + out.arg(".diff")));
    }

    // On the 1920 x 1080 screen: F11 scales the page by z = 1080 / 736 and centres it, 213 px
    // in ((1920 - 1018 z) / 2); a list opened there chooses with items of the scaled size; Esc
    // gives back the design-size window pixel for pixel.
    void fullScreen()
    {
        frmTarvolen_300413 w;
        testing::freezeBlinks(w);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        const double z = 1080.0 / 736, cm = 1440 / 2.54 / 15;
        const auto at = [z](double px) { return int(std::lround(px * z)); };
        testing::click(w, "lblNext"), testing::chooseAll(w, 2, 3, 4);
        auto *pq = testing::find<QComboBox>(w, "CboPQ");
        const QImage design = testing::grabWindow(w);
        const QRect designHeading = testing::inkBox(design, {120, 56, 649, 33}, Qt::black);
        QTest::keyClick(&w, Qt::Key_F11);
        QTRY_COMPARE(w.size(), QSize(1920, 1080));
        QVERIFY(testing::find(w, "lblHome")->cursor().pixmap().size() == QSize(at(32), at(32)) && testing::find(w, "lblHome")->cursor().hotSpot() == QPoint(at(12), at(1))); // the hand grows
        QImage shown = testing::grabWindow(w);
        // Pale green margins either side; Shape3's 1 px olive corner (360, 480 twips = 24, 32 px).
        QCOMPARE(testing::inkBox(shown, {0, 0, 213, 1080}, QColor(213, 255, 220), 0), QRect(0, 0, 213, 1080));
        QCOMPARE(testing::inkBox(shown, {1707, 0, 213, 1080}, QColor(213, 255, 220), 0), QRect(1707, 0, 213, 1080));
        QCOMPARE(testing::inkBox(shown, {230, 40, 20, 20}, QColor(60, 104, 0)), QRect(213 + at(24), at(32), 250 - 213 - at(24), 60 - at(32)));
        // Circle r1 = 2 about P (11, 13 cm): red from 11 to 15 cm down the column through P.
        const QRect r1 = testing::inkBox(shown, {213 + at(11 * cm), at(10 * cm), 1, at(6 * cm)}, Qt::red, 100);
        QVERIFY2(qAbs(r1.center().y() - 13 * cm * z) <= 1.5 && qAbs(r1.height() - 4 * cm * z) <= 3, qPrintable(QDebug::toString(r1)));
        // The heading laid out at the scaled size, as crisp as at design size: nearly as large a
        // share of its ink is full black (a magnified picture would be mostly grey fringe).
        const QRect heading = testing::inkBox(shown, {213 + at(120), at(56), at(649), at(33)}, Qt::black);
        QVERIFY2(qAbs(heading.height() - designHeading.height() * z) <= 2, qPrintable(QDebug::toString(heading)));
        const auto solid = [](const QImage &image, const QRect &box) {
            int black = 0, ink = 0;
            for (int y = box.top(); y <= box.bottom(); ++y)
                for (int x = box.left(); x <= box.right(); ++x)
                    black += qGray(image.pixel(x, y)) < 40, ink += qGray(image.pixel(x, y)) < 200;
            return double(black) / ink;
        };
        QVERIFY2(solid(shown, heading) >= 0.9 * solid(design, designHeading), qPrintable(QString::number(solid(shown, heading))));
        // PQ 12 chosen from the opened list: case (5) lit at its scaled place on the practice page
        // (3 cm in, 7 cm down: 113, 265 px; 10800 twips wide, 0.7 cm high), inside a 1 px frame.
        QTest::mouseClick(pq, Qt::LeftButton, {}, {pq->width() - 5, pq->height() / 2});
        QTRY_VERIFY(pq->view()->isVisible());
        const QRect item = pq->view()->visualRect(pq->model()->index(12, 0));
        QVERIFY2(item.height() >= at(pq->fontMetrics().height() / z), qPrintable(QDebug::toString(item)));
        QTest::keyClick(w.windowHandle(), Qt::Key_End), QTest::keyClick(w.windowHandle(), Qt::Key_Return); // Qt hands them to the list
        QTRY_COMPARE(pq->currentText(), "12");
        shown = testing::grabWindow(w);
        const int left = 213 + at(113), top = at(265);
        QCOMPARE(testing::inkBox(shown, {left - 5, top - 5, at(720) + 10, at(26) + 10}, Qt::yellow, 0),
                 QRect(left + 1, top + 1, 213 + at(833) - left - 2, at(291) - top - 2));
        testing::choose(w, "CboPQ", 4);
        QTest::mouseClick(pq->lineEdit(), Qt::LeftButton), QTest::keyClick(w.windowHandle(), Qt::Key_7);
        QTest::keyClick(w.windowHandle(), Qt::Key_Escape); // drops the typed draft, and only that
        QVERIFY(pq->currentText() == "4" && w.size() == QSize(1920, 1080));
        QTest::keyClick(w.windowHandle(), Qt::Key_Escape);
        QTRY_COMPARE(w.size(), QSize(1018, 736));
        QVERIFY(testing::grabWindow(w) == design);
    }
};

QTEST_MAIN(PicturesTest)
#include "tst_pictures.moc"
