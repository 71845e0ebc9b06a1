// The blinking Next and the hover feedback of the button labels, driven by real pointer
// movement over a shown window. The blink timers' own ticks are held back: the test ticks
// them with fire() and reads their enabled flags.

#include "lesson_window/lesson_window.h"
#include "test_support.h"
#include "toolkit/units.h"

#include <QTimer>
#include <QtTest>

namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);

// Swallows the real ticks of a timer.
class TickFreezer : public QObject
{
protected:
    bool eventFilter(QObject *, QEvent *event) override { return event->type() == QEvent::Timer; }
};

void pick(toolkit::ComboBox *combo, int value)
{
    combo->setCurrentIndex(combo->findText(QString::number(value)));
    emit combo->selected();
}

QPoint centreOf(const QWidget *control, const QWidget *window)
{
    return control->mapTo(window, control->rect().center());
}

// The lesson window, shown, with its blink held still.
struct Lesson
{
    Lesson()
    {
        for (toolkit::Timer *timer : {window.Timer1, window.Timer2, window.Timer5, window.Timer6})
            timer->findChild<QTimer *>()->installEventFilter(&freezer);
        window.show();
        exposed = QTest::qWaitForWindowExposed(&window);
    }

    // The pointer comes from outside the window, so a second visit to a spot is a movement too.
    void pointAt(QPoint spot)
    {
        QTest::mouseMove(&window, QPoint(-60, -60));
        QTest::mouseMove(&window, spot);
    }
    void pointAt(const QWidget *control) { pointAt(centreOf(control, &window)); }

    void drawFigure()
    {
        window.lblNext_Click();
        pick(window.CboR1, 2);
        pick(window.CboR2, 3);
        pick(window.CboPQ, 4);
    }

    TickFreezer freezer;
    frmTarvolen_300413 window;
    bool exposed = false;
};

// Spots of the bare window: a corner left of the page border, and inside the border below
// the case texts.
const QPoint kBareCorner(12, 400);
const QPoint kBareInside(60, 600);

} // namespace

class BlinkHoverTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::prepareApplication(); }

    void blinkSequence_data();
    void blinkSequence();
    void blinkRunsByItself();
    void windowSurface_data();
    void windowSurface();
    void hoverColours_data();
    void hoverColours();
};

void BlinkHoverTest::blinkSequence_data()
{
    // Steps: 1, 2 tick Timer1, Timer2; pointer onto n lblNext, h lblHome, b lblBack,
    // p lblPrint, s rtfSelect, w the bare window; N click Next, B click Back, F draw a figure.
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("look"); // design, red or blue
    QTest::addColumn<bool>("timer1");
    QTest::addColumn<bool>("timer2");

    QTest::newRow("design look before the first tick") << "" << "design" << true << false;
    QTest::newRow("first tick of Timer1: red, regular") << "1" << "red" << true << true;
    QTest::newRow("tick of Timer2: blue, bold") << "12" << "blue" << true << true;
    QTest::newRow("Timer1 again: red, regular") << "121" << "red" << true << true;
    QTest::newRow("pointer on Next stops both in red") << "12n" << "red" << false << false;
    QTest::newRow("pointer on Next before any tick") << "n" << "red" << false << false;
    QTest::newRow("Home does not restart the blink") << "12nh" << "red" << false << false;
    QTest::newRow("bare window restarts Timer1 alone") << "12nw" << "red" << true << false;
    QTest::newRow("rtfSelect restarts Timer1 alone") << "12ns" << "red" << true << false;
    QTest::newRow("restarted blink: red, then blue") << "12nw12" << "blue" << true << true;
    QTest::newRow("Next stops Timer2 only") << "12N" << "blue" << true << false;
    QTest::newRow("Back and Print on the practice page do not restart it")
        << "nNFbphB" << "red" << false << false;
    QTest::newRow("hidden Next goes on blinking; Back shows the last look")
        << "1N12B" << "blue" << true << true;
}

void BlinkHoverTest::blinkSequence()
{
    QFETCH(QString, steps);
    QFETCH(QString, look);
    QFETCH(bool, timer1);
    QFETCH(bool, timer2);

    Lesson lesson;
    QVERIFY(lesson.exposed);
    frmTarvolen_300413 &w = lesson.window;
    const QColor designColour = toolkit::bgr(toolkit::kSystemWindowText);
    const bool designBold = w.lblNext->labelFont().bold();

    for (const QChar step : steps) {
        switch (step.toLatin1()) {
        case '1': w.Timer1->fire(); break;
        case '2': w.Timer2->fire(); break;
        case 'n': lesson.pointAt(w.lblNext); break;
        case 'h': lesson.pointAt(w.lblHome); break;
        case 'b': lesson.pointAt(w.lblBack); break;
        case 'p': lesson.pointAt(w.lblPrint); break;
        case 's': lesson.pointAt(w.rtfSelect); break;
        case 'w': lesson.pointAt(kBareCorner); break;
        case 'N':
            QTest::mouseClick(w.lblNext, Qt::LeftButton);
            QVERIFY2(w.lblBack->isVisible() && w.lblNext->isHidden(), "Next leads to the practice page");
            break;
        case 'B':
            QTest::mouseClick(w.lblBack, Qt::LeftButton);
            QVERIFY2(w.lblNext->isVisible() && w.lblBack->isHidden(), "Back leads to the introduction");
            break;
        case 'F':
            pick(w.CboR1, 2);
            pick(w.CboR2, 3);
            pick(w.CboPQ, 4);
            break;
        default:
            QFAIL("unknown step");
        }
    }

    const QColor colour = look == "red" ? kRed : look == "blue" ? kBlue : designColour;
    QCOMPARE(w.lblNext->foreColor(), colour);
    QCOMPARE(w.lblNext->labelFont().bold(), look == "blue" ? true : look == "red" ? false : designBold);
    QVERIFY2(!designBold, "the design look is regular");
    QCOMPARE(w.Timer1->isEnabled(), timer1);
    QCOMPARE(w.Timer2->isEnabled(), timer2);
    // Only colour and weight change.
    QCOMPARE(w.lblNext->caption(), QStringLiteral("Next"));
    QCOMPARE(w.lblNext->labelFont().pointSizeF(), 9.75);
    QCOMPARE(w.lblNext->pos(), w.lblBack->pos());

    if (w.lblNext->isVisible()) {
        const QImage shown = w.lblNext->grab().toImage();
        bool found = false;
        for (int y = 0; y < shown.height() && !found; ++y)
            for (int x = 0; x < shown.width() && !found; ++x)
                found = testing::near(shown.pixelColor(x, y), colour, 30);
        QVERIFY2(found, "the caption is painted in its colour");
    }
}

void BlinkHoverTest::blinkRunsByItself()
{
    // With real ticks: the design look first, red after one interval, then blue and bold.
    frmTarvolen_300413 w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.Timer1->interval(), 400);
    QCOMPARE(w.Timer2->interval(), 400);
    QTRY_COMPARE_WITH_TIMEOUT(w.lblNext->foreColor(), kRed, 3000);
    QTRY_VERIFY_WITH_TIMEOUT(w.lblNext->foreColor() == kBlue && w.lblNext->labelFont().bold(), 3000);

    // The pointer resting on Next: red for good.
    QTest::mouseMove(&w, centreOf(w.lblNext, &w));
    QCOMPARE(w.lblNext->foreColor(), kRed);
    QTest::qWait(1000);
    QCOMPARE(w.lblNext->foreColor(), kRed);
    QVERIFY(!w.lblNext->labelFont().bold());
}

void BlinkHoverTest::windowSurface_data()
{
    QTest::addColumn<QString>("page"); // "figure" or "practice" (nothing chosen yet)
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("surface");

    QTest::newRow("bare window, outside the border") << "figure" << "bare corner" << true;
    QTest::newRow("bare window, inside the border") << "figure" << "bare inside" << true;
    QTest::newRow("page border line Shape1") << "figure" << "Shape1" << true;
    QTest::newRow("page border line Shape3") << "figure" << "Shape3" << true;
    QTest::newRow("the drawn circle") << "figure" << "circle" << true;
    QTest::newRow("label without a handler") << "figure" << "lblTarvolen" << false;
    QTest::newRow("button label") << "figure" << "lblHome" << false;
    QTest::newRow("lblCombo strip below the lists") << "figure" << "lblCombo" << false;
    QTest::newRow("label inside a frame") << "figure" << "lblHelp" << false;
    QTest::newRow("frame, between its controls") << "figure" << "Frame_Cbo" << false;
    QTest::newRow("frame of the help arrow") << "figure" << "frameHelp" << false;
    QTest::newRow("combo box") << "figure" << "CboR1" << false;
    QTest::newRow("disabled combo box") << "practice" << "CboPQ" << false;
    QTest::newRow("rich-text box") << "figure" << "rtBox1" << false;
    QTest::newRow("highlighted rich-text box") << "figure" << "rtBox3" << false;
    QTest::newRow("rtfSelect") << "figure" << "rtfSelect" << false;
}

void BlinkHoverTest::windowSurface()
{
    QFETCH(QString, page);
    QFETCH(QString, target);
    QFETCH(bool, surface);

    Lesson lesson;
    QVERIFY(lesson.exposed);
    frmTarvolen_300413 &w = lesson.window;
    if (page == "figure")
        lesson.drawFigure();
    else
        w.lblNext_Click();

    QPoint spot;
    if (target == "bare corner")
        spot = kBareCorner;
    else if (target == "bare inside")
        spot = kBareInside;
    else if (target == "Shape1") // its 4-pixel left edge
        spot = QPoint(toolkit::twipsToPixel(480) + 2, 400);
    else if (target == "Shape3")
        spot = QPoint(toolkit::twipsToPixel(360), 400);
    else if (target == "circle") // top of the circle about P
        spot = testing::cmToPixel(w.Px, w.CentreY - w.r1);
    else if (target == "lblCombo") // the strip the lists' frame leaves uncovered
        spot = QPoint(centreOf(w.lblCombo, &w).x(), w.Frame_Cbo->geometry().bottom() + 4);
    else if (target == "Frame_Cbo")
        spot = w.Frame_Cbo->mapTo(&w, QPoint(2, 2));
    else if (target == "frameHelp") // below the arrow's shaft
        spot = w.frameHelp->mapTo(&w, QPoint(100, 75));
    else
        spot = centreOf(w.findChild<QWidget *>(target), &w);

    // Only the surface's own handler hides the help arrow and turns Print blue.
    w.frameHelp->show();
    w.lblPrint->setForeColor(kRed);
    w.Timer1->setEnabled(false);
    QWidget *under = w.childAt(spot);
    QVERIFY2(surface == (under == nullptr),
             qPrintable(QStringLiteral("spot %1,%2 lies over %3").arg(spot.x()).arg(spot.y())
                            .arg(under ? under->objectName() : QStringLiteral("the window"))));

    lesson.pointAt(spot);
    QCOMPARE(w.frameHelp->isHidden(), surface);
    QCOMPARE(w.lblPrint->foreColor(), surface ? kBlue : kRed);
    QCOMPARE(w.Timer1->isEnabled(), surface || target == "rtfSelect");
}

void BlinkHoverTest::hoverColours_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("restoredByRtfSelect");

    QTest::newRow("lblBack") << "lblBack" << true;
    QTest::newRow("lblHome") << "lblHome" << true;
    QTest::newRow("lblPrint") << "lblPrint" << false;
}

void BlinkHoverTest::hoverColours()
{
    QFETCH(QString, button);
    QFETCH(bool, restoredByRtfSelect);

    Lesson lesson;
    QVERIFY(lesson.exposed);
    frmTarvolen_300413 &w = lesson.window;
    lesson.drawFigure();
    QVERIFY(w.lblPrint->isVisible() && w.lblBack->isVisible() && w.rtfSelect->isVisible());
    auto *label = w.findChild<toolkit::Label *>(button);
    const QColor design = toolkit::bgr(toolkit::kSystemWindowText);
    const QList<toolkit::Label *> buttons{w.lblBack, w.lblHome, w.lblPrint};

    // Before the pointer ever crosses the window the others keep their design colour.
    lesson.pointAt(label);
    QCOMPARE(label->foreColor(), kRed);
    for (toolkit::Label *other : buttons)
        if (other != label)
            QCOMPARE(other->foreColor(), design);

    // A jump straight onto rtfSelect.
    w.frameHelp->show();
    lesson.pointAt(w.rtfSelect);
    QCOMPARE(label->foreColor(), restoredByRtfSelect ? kBlue : kRed);
    QVERIFY2(w.frameHelp->isVisible(), "rtfSelect leaves the help arrow alone");

    lesson.pointAt(label);
    QCOMPARE(label->foreColor(), kRed);
    lesson.pointAt(kBareInside);
    for (toolkit::Label *each : buttons)
        QCOMPARE(each->foreColor(), kBlue);
    QVERIFY(w.frameHelp->isHidden());

    // Back to a button: red again; Next's own look is left to its blink.
    const QColor nextBefore = w.lblNext->foreColor();
    lesson.pointAt(label);
    QCOMPARE(label->foreColor(), kRed);
    QCOMPARE(w.lblNext->foreColor(), nextBefore);
}

QTEST_MAIN(BlinkHoverTest)
#include "tst_blink_hover.moc"
