// Approved pictures: the window in the states a learner meets, the printed page, the pointing
// hand and the 64 px icon, each compared pixel for pixel with its image in tests/approved/ (the
// offscreen render is deterministic, so no tolerance). A mismatch leaves <name>.actual.png and
// <name>.diff.png in build/tests/pictures/. After an intended change, `make approve-pictures`.
// A picture holds only what was approved: the sampled checks here, in tst_window and in
// tst_cases, on the same states, say independently what is right.

#include "lesson_window/lesson_window.h"
#include "test_support.h"
#include "toolkit/art.h"

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
    void initTestCase() { testing::prepareApplication(), QApplication::setCursorFlashTime(0); } // a text cursor that stays

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
        QTest::newRow("after Back") << "lblNext CboR1=2 CboR2=3 CboPQ=4 lblBack Timer1" << QList<QList<int>>();
        QTest::newRow("printed page") << "lblNext CboR1=3 CboR2=2 CboPQ=4 page" << QList<QList<int>>();
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
};

QTEST_MAIN(PicturesTest)
#include "tst_pictures.moc"
