// Approved pictures: the window in the states a learner meets, the printed page, the pointing
// hand and the 64 px icon, each compared pixel for pixel with its image in tests/approved/ (the
// offscreen render is deterministic, so no tolerance). A mismatch leaves <name>.actual.png and
// <name>.diff.png in build/tests/pictures/. After an intended change, `make approve-pictures`.
// A picture holds only what was approved: the sampled checks here, in tst_window and in
// tst_cases, on the same states, say independently what is right.

#include "lesson_window/lesson_window.h"
#include "test_support.h"
#include "toolkit/art.h"

#include <QPainter>
#include <QPrinter>
#include <QtTest>

namespace {

// The picture after a learner's steps: lblX clicks that label; CboX=v presses the down arrow
// on that list until it shows v; TimerN is one blink tick; "bare" and "lblCombo" move the
// pointer over the bare window or the strip of lblCombo below the lists; "page" prints and
// gives the page; "hand" and "icon" give those images instead of the window.
QImage picture(const QStringList &steps)
{
    if (steps.last() == "hand")
        return toolkit::handPixmap().toImage();
    if (steps.last() == "icon") // as the build painted it for the desktop
        return QImage(QFINDTESTDATA("../data/icons/64x64/apps/org.example.tarvolen.png"));
    frmTarvolen_300413 w;
    testing::freezeBlinks(w);
    w.show();
    if (!QTest::qWaitForWindowExposed(&w))
        return {};
    const auto control = [&w](const QString &name) { return w.findChild<QWidget *>(name); };
    QTemporaryDir dir;
    for (const QString &step : steps) {
        const QString name = step.section('=', 0, 0);
        if (auto *list = qobject_cast<QComboBox *>(control(name))) {
            for (int i = 0; i < 14 && list->currentText() != step.section('=', 1); ++i)
                QTest::keyClick(list, Qt::Key_Down);
        } else if (name.startsWith("Timer")) {
            w.findChild<toolkit::Timer *>(name)->fire();
        } else if (name == "bare" || name == "lblCombo") {
            QTest::mouseMove(&w, QPoint(-60, -60)); // from outside, so that the move is never a no-op
            QTest::mouseMove(&w, name == "bare" ? QPoint(12, 400)
                                                : QPoint(control(name)->geometry().center().x(), control("Frame_Cbo")->geometry().bottom() + 4));
        } else if (name == "page") { // at 96 dots an inch: a design pixel a dot
            const QString pdf = dir.filePath("page.pdf");
            w.setPrintDialogRunner(std::make_unique<testing::AnsweringDialog>([&pdf](QPrinter &printer) {
                printer.setOutputFileName(pdf);
                printer.setPageSize(QPageSize(QPageSize::A4));
                return true;
            }));
            QTest::mouseClick(control("lblPrint"), Qt::LeftButton);
            QProcess::execute("pdftoppm", {"-r", "96", "-png", "-singlefile", pdf, dir.filePath("page")});
            return QImage(dir.filePath("page.png"));
        } else {
            QTest::mouseClick(control(name), Qt::LeftButton);
        }
    }
    return testing::grabWindow(w);
}

QString pictureFile(const QString &dir, const QString &name, const char *kind = "")
{
    return dir + '/' + QString(name).replace(QRegularExpression("\\W+"), "-") + kind + ".png";
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
        // Where the ink of a colour lies within an area, "r,g,b area = box" (x,y,w,h), for what
        // no other test samples.
        QTest::addColumn<QStringList>("ink");
        // The values and redraws of tst_window's figures; the lists' blinks at magenta.
        QTest::newRow("introduction") << "Timer1 Timer2" << QStringList();
        QTest::newRow("practice, nothing chosen") << "lblNext Timer5" << QStringList();
        QTest::newRow("practice, r1 chosen") << "lblNext CboR1=2 Timer5" << QStringList();
        QTest::newRow("practice, r2 chosen") << "lblNext CboR1=2 CboR2=3 Timer5" << QStringList();
        QTest::newRow("case 1, r1=2 r2=3 PQ=5") << "lblNext CboR1=2 CboR2=3 CboPQ=5" << QStringList();
        QTest::newRow("case 2, r1=2 r2=5 PQ=3") << "lblNext CboR1=2 CboR2=5 CboPQ=3" << QStringList();
        QTest::newRow("case 3, r1=2 r2=3 PQ=4") << "lblNext CboR1=2 CboR2=2 CboPQ=4 CboR2=3" << QStringList();
        QTest::newRow("case 4, r1=1 r2=4 PQ=2") << "lblNext CboR1=1 CboR2=2 CboPQ=2 CboR2=4" << QStringList();
        QTest::newRow("case 5, r1=5 r2=5 PQ=12") << "lblNext CboR1=5 CboR2=3 CboPQ=12 CboR2=5" << QStringList();
        // The arrow in frameHelp at (536, 48) px: 4 px in, clear of the hint, Line26 1 px wide at
        // 120 twips and Line25 2 px wide at 960; its point at (3600, 600) twips, the frame's edge.
        QTest::newRow("help arrow") << "lblNext CboR1=2 CboR2=2 CboPQ=4 CboR2=3 bare lblCombo"
                                    << QStringList{"255,0,255 540,48,1,89 = 540,56,1,1", "0,64,0 540,48,1,89 = 540,111,1,2",
                                                   "255,0,255 775,48,2,89 = 775,87,1,1", "0,64,0 775,48,2,89 = 775,88,1,1"};
        QTest::newRow("after Back") << "lblNext CboR1=2 CboR2=3 CboPQ=4 lblBack Timer1" << QStringList();
        QTest::newRow("printed page") << "lblNext CboR1=3 CboR2=2 CboPQ=4 page" << QStringList();
        // The finger tip at the hot spot (12, 1): the hand's top ink, in row 1 about column 12.
        QTest::newRow("pointing hand") << "hand" << QStringList{"0,0,0 0,0,32,3 = 11,1,3,1"};
        QTest::newRow("icon 64 px") << "icon" << QStringList();
    }

    void pictures()
    {
        QFETCH(QString, steps);
        QFETCH(QStringList, ink);
        const QImage actual = picture(steps.split(' '));
        QVERIFY2(!actual.isNull(), "no picture");
        const QString name = QTest::currentDataTag(), out = QCoreApplication::applicationDirPath() + "/pictures";
        const QString approvedFile = pictureFile(QFINDTESTDATA("approved"), name);
        const QImage approved = QImage(approvedFile).convertToFormat(actual.format());
        const bool sized = approved.size() == actual.size();
        QImage diff(approved.size(), QImage::Format_RGB32); // the approved picture faded, what differs red
        int differ = approved.isNull() || !sized;
        QRect where;
        for (int y = 0; y < diff.height() && sized; ++y)
            for (int x = 0; x < diff.width(); ++x) {
                const bool same = approved.pixel(x, y) == actual.pixel(x, y);
                const int grey = 128 + qGray(approved.pixel(x, y)) / 2;
                diff.setPixel(x, y, same ? qRgb(grey, grey, grey) : qRgb(255, 0, 0));
                differ += !same;
                where |= same ? QRect() : QRect(x, y, 1, 1);
            }
        QDir().mkpath(out);
        for (const char *kind : {".actual", ".diff"})
            QFile::remove(pictureFile(out, name, kind));
        const bool approving = qEnvironmentVariableIsSet("APPROVE_PICTURES");
        if (differ && !approving) {
            actual.save(pictureFile(out, name, ".actual"));
            if (sized)
                diff.save(pictureFile(out, name, ".diff"));
        }

        QImage flat(actual.size(), QImage::Format_RGB32); // transparent parts read as white
        flat.fill(Qt::white);
        QPainter(&flat).drawImage(0, 0, actual);
        for (const QString &sample : ink) {
            QList<int> n;
            for (const QString &number : sample.split(QRegularExpression("[ ,=]+")))
                n << number.toInt();
            const QRect found = testing::inkBox(flat, QRect(n[3], n[4], n[5], n[6]), QColor(n[0], n[1], n[2]));
            QVERIFY2(found == QRect(n[7], n[8], n[9], n[10]), qPrintable(sample + ", found " + QDebug::toString(found)));
        }
        if (differ && approving) { // only once the samples hold
            QVERIFY(actual.save(approvedFile));
            return qInfo("approved %s", qPrintable(approvedFile));
        }
        QVERIFY2(!differ,
                 qPrintable(approved.isNull() ? "no approved picture " + approvedFile
                            : !sized ? QString::asprintf("%d x %d px, approved %d x %d", actual.width(), actual.height(), approved.width(), approved.height())
                                     : QString::asprintf("%d pixels differ, within %d x %d px from (%d, %d): see ", differ, where.width(), where.height(), where.x(), where.y())
                                           + pictureFile(out, name, ".diff")));
    }
};

QTEST_MAIN(PicturesTest)
#include "tst_pictures.moc"
