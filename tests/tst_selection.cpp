// Choosing on the practice page and the window's feedback: the order the enabling enforces,
// the blinking of Next and of the list to choose next, typed values, the hover colours and
// help arrow under a real pointer, and keys that must not reach hidden lists. Blink ticks
// are driven here with fire(). The figure after every change is checked by the random
// sessions, which choose from the lists in thousands of orders.

#include "lesson_window/lesson_texts.h"
#include "lesson_window/lesson_window.h"
#include "test_support.h"
#include "toolkit/units.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <cmath>
#include <functional>

using Window = frmTarvolen_300413;
using toolkit::Canvas;
using toolkit::ComboBox;

namespace {

const QColor kMagenta(255, 0, 255), kCyan(0, 255, 255), kRed(255, 0, 0), kBlue(0, 0, 255);
const QPoint kBareCorner(12, 400), kBareInside(60, 600);

ComboBox *listNamed(Window &w, const QString &name)
{
    return name == QLatin1String("r1") ? w.CboR1 : name == QLatin1String("r2") ? w.CboR2 : w.CboPQ;
}

// What the learner sees of a list's background: a pixel of its edit field.
QColor shownColour(ComboBox *combo) { return combo->grab().toImage().pixelColor(3, 3); }

// Both red circles about the stored centres, the blue segment, the number over its middle,
// and dots only where both discs overlap.
void checkFigure(const Window &w, int r1, int r2, int pq)
{
    const float px = 13 - pq / 2.0f, qx = 13 + pq / 2.0f;
    QCOMPARE(w.Px, px);
    QCOMPARE(w.Qx, qx);
    const QPointF p(px, 13), q(qx, 13);
    int circles = 0, segments = 0, dots = 0;
    bool numbered = false;
    for (const Canvas::Op &op : w.canvas.ops()) {
        if (op.kind == Canvas::Op::Circle) {
            QVERIFY(op.color == kRed && op.a == (circles ? q : p) && op.radius == (circles ? r2 : r1));
            ++circles;
        } else if (op.kind == Canvas::Op::Segment) {
            QVERIFY(op.color == kBlue && op.a == p && op.b == q);
            ++segments;
        } else if (op.kind == Canvas::Op::Text && op.text == QLatin1Char(' ') + QString::number(pq)) {
            numbered = std::abs(op.a.x() - 12.8) < 1e-4 && std::abs(op.a.y() - 12.65) < 1e-4;
        } else if (op.kind == Canvas::Op::Point && op.a != p && op.a != q) {
            QVERIFY2(std::hypot(op.a.x() - px, op.a.y() - 13) < r1 + 1e-4
                         && std::hypot(op.a.x() - qx, op.a.y() - 13) < r2 + 1e-4,
                     qPrintable(QStringLiteral("dot at (%1, %2) not inside both").arg(op.a.x()).arg(op.a.y())));
            ++dots;
        }
    }
    QCOMPARE(circles, 2);
    QCOMPARE(segments, 1);
    QVERIFY2(numbered, "the distance should stand over the middle of PQ");
    QCOMPARE(dots > 0, pq < r1 + r2);
}

// Swallows a timer's own ticks so that only the test ticks it.
class TickFreezer : public QObject
{
protected:
    bool eventFilter(QObject *, QEvent *event) override { return event->type() == QEvent::Timer; }
};

// A shown window whose blink stands still, and a pointer that comes from outside each time.
struct Lesson
{
    Lesson()
    {
        for (toolkit::Timer *timer : {w.Timer1, w.Timer2, w.Timer5, w.Timer6})
            timer->findChild<QTimer *>()->installEventFilter(&freezer);
        w.show();
        exposed = QTest::qWaitForWindowExposed(&w);
    }
    void pointAt(QPoint spot)
    {
        QTest::mouseMove(&w, QPoint(-60, -60));
        QTest::mouseMove(&w, spot);
    }
    void pointAt(const QWidget *c) { pointAt(c->mapTo(&w, c->rect().center())); }

    // The state before and after each step: look() and the running timers of the pair a, b
    // ('-' for none). Steps: 1, 2, 5, 6 tick that timer; the pointer onto n Next, h Home,
    // b Back, p Print, s rtfSelect, w the bare window; N click Next, B click Back; x choose
    // the next list in the order, r change r1 again.
    QString trace(const QString &steps, const toolkit::Timer *a, const toolkit::Timer *b,
                  const std::function<QString()> &look)
    {
        QStringList seen;
        for (int i = 0; i <= steps.size(); ++i) {
            switch (i ? steps[i - 1].toLatin1() : 0) {
            case '1': w.Timer1->fire(); break;
            case '2': w.Timer2->fire(); break;
            case '5': w.Timer5->fire(); break;
            case '6': w.Timer6->fire(); break;
            case 'n': pointAt(w.lblNext); break;
            case 'h': pointAt(w.lblHome); break;
            case 'b': pointAt(w.lblBack); break;
            case 'p': pointAt(w.lblPrint); break;
            case 's': pointAt(w.rtfSelect); break;
            case 'w': pointAt(kBareCorner); break;
            case 'N': QTest::mouseClick(w.lblNext, Qt::LeftButton); break;
            case 'B': QTest::mouseClick(w.lblBack, Qt::LeftButton); break;
            case 'x':
                testing::choose(!w.r1Chosen() ? w.CboR1 : !w.r2Chosen() ? w.CboR2 : w.CboPQ, QStringLiteral("3"));
                break;
            case 'r': testing::choose(w.CboR1, QStringLiteral("2")); break;
            }
            QString timers;
            for (const toolkit::Timer *timer : {a, b})
                if (timer->isEnabled())
                    timers += timer->objectName().back();
            seen << look() + (timers.isEmpty() ? QStringLiteral("-") : timers);
        }
        return seen.join(' ');
    }

    TickFreezer freezer;
    Window w;
    bool exposed = false;
};

} // namespace

class SelectionTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::prepareApplication(); }

    void orderIsEnforcedByEnabling_data()
    {
        QTest::addColumn<int>("chosen"); // how many of r1, r2, PQ were chosen first
        QTest::addColumn<QString>("list");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("r2 before r1") << 0 << "r2" << false;
        QTest::newRow("PQ before r1") << 0 << "PQ" << false;
        QTest::newRow("PQ after r1 only") << 1 << "PQ" << false;
        QTest::newRow("r1 first") << 0 << "r1" << true;
        QTest::newRow("r2 after r1") << 1 << "r2" << true;
        QTest::newRow("PQ after r1 and r2") << 2 << "PQ" << true;
    }

    void orderIsEnforcedByEnabling()
    {
        QFETCH(int, chosen);
        QFETCH(QString, list);
        QFETCH(bool, accepted);
        Window w;
        w.lblNext_Click();
        if (chosen >= 1)
            testing::choose(w.CboR1, QStringLiteral("4"));
        if (chosen >= 2)
            testing::choose(w.CboR2, QStringLiteral("4"));
        ComboBox *combo = listNamed(w, list);
        QSignalSpy selections(combo, &ComboBox::selected);
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(selections.count(), accepted ? 1 : 0);
        QCOMPARE(w.CboR2->isEnabled(), chosen >= 1 || (accepted && list == QLatin1String("r1")));
        QCOMPARE(w.CboPQ->isEnabled(), chosen >= 2 || (accepted && list == QLatin1String("r2")));
        if (!accepted)
            QVERIFY2(w.r1 == (chosen >= 1 ? 4 : 0) && w.r2 == (chosen >= 2 ? 4 : 0) && w.PQ == 0,
                     "a refused list must not change the lesson");
    }

    // Typed text is no selection but counts as chosen: the blink moves on, Next prompts for
    // the next list, and Next draws a typed distance never chosen from its list.
    void typedValuesCountAsChosen()
    {
        Window w;
        w.lblNext_Click();
        QSignalSpy selections(w.CboR1, &ComboBox::selected);
        QTest::keyClicks(w.CboR1, QStringLiteral("abc"));
        QTest::keyClick(w.CboR1, Qt::Key_Return);
        QCOMPARE(selections.count(), 0);
        QVERIFY(w.r1 == 0 && w.r1Chosen());
        w.Timer5->fire();
        QVERIFY(w.CboR2->isEnabled());
        QCOMPARE(shownColour(w.CboR2), kMagenta);
        w.lblBack_Click();
        w.lblNext_Click();
        QCOMPARE(w.rtfSelect->text(), QString::fromLatin1(lesson::kPromptR2));

        testing::choose(w.CboR2, QStringLiteral("3"));
        w.CboPQ->lineEdit()->selectAll();
        QTest::keyClicks(w.CboPQ, QStringLiteral("3"));
        QVERIFY(w.canvas.isEmpty());
        w.lblBack_Click();
        w.lblNext_Click();
        QCOMPARE(testing::highlightedBox(w), 1); // 0 + 3 = 3
        checkFigure(w, 0, 3, 3);
    }

    void pendingListBlinks_data()
    {
        // Steps after Next as Lesson::trace reads them. Looks: r1, r2 and PQ each shown
        // m magenta, c cyan, g the window's pale green or . anything else.
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("trace");
        QTest::newRow("r1 pending: the ticks take turns") << "5656" << "...5 m..6 c..5 m..6 c..5";
        QTest::newRow("r1 chosen in Timer6's turn: the next tick leaves one")
            << "5x65" << "...5 m..6 g..56 gc.5 gm.6";
        QTest::newRow("r1 and r2 chosen: PQ blinks") << "xx56" << "...5 g..5 gg.5 ggm6 ggc5";
        QTest::newRow("PQ chosen in Timer6's turn stops both") << "xx5x" << "...5 g..5 gg.5 ggm6 ggg-";
        QTest::newRow("r1 changed afterwards: Timer5 runs, paints nothing")
            << "xxxr56" << "...5 g..5 gg.5 ggg- ggg5 ggg6 ggg5";
        QTest::newRow("Back touches neither; Next in Timer6's turn") << "5BN6" << "...5 m..6 m..6 m..56 c..5";
    }

    void pendingListBlinks()
    {
        QFETCH(QString, steps);
        QFETCH(QString, trace);
        Lesson lesson;
        QVERIFY(lesson.exposed);
        Window &w = lesson.w;
        w.lblNext_Click();
        const QString seen = lesson.trace(steps, w.Timer5, w.Timer6, [&w] {
            QString looks;
            for (ComboBox *list : {w.CboR1, w.CboR2, w.CboPQ}) {
                const QColor c = shownColour(list);
                looks += c == kMagenta ? 'm' : c == kCyan ? 'c' : c == QColor(213, 255, 220) ? 'g' : '.';
            }
            return looks;
        });
        QCOMPARE(seen, trace);
    }

    void nextBlinks_data()
    {
        // Steps as Lesson::trace reads them. Looks: Next's caption painted d in the window-text
        // black, r red or b blue; a capital when bold.
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("trace");
        QTest::newRow("the ticks take turns") << "1212" << "d1 r2 B1 r2 B1";
        QTest::newRow("pointer on Next stops both in red") << "12n" << "d1 r2 B1 r-";
        QTest::newRow("Home does not restart the blink") << "12nh" << "d1 r2 B1 r- r-";
        QTest::newRow("bare window restarts Timer1") << "12nw12" << "d1 r2 B1 r- r1 r2 B1";
        QTest::newRow("rtfSelect restarts Timer1") << "1ns1" << "d1 r2 r- r1 r2";
        QTest::newRow("pointer sweeping in Timer2's turn: the next tick leaves one")
            << "1w2w1w2" << "d1 r2 r12 B1 B1 r2 r12 B1";
        QTest::newRow("both running, Timer1 ticks first: one is left") << "1w1" << "d1 r2 r12 r2";
        QTest::newRow("Next in Timer1's turn: hidden Next goes on") << "12N12B" << "d1 r2 B1 B1 r2 B1 B1";
        QTest::newRow("Next in Timer2's turn stops the blink") << "1NB" << "d1 r2 r- r-";
        QTest::newRow("Back and Print do not restart it") << "nNxxxbphB" << "d1 r- r- r- r- r- r- r- r- r-";
    }

    void nextBlinks()
    {
        QFETCH(QString, steps);
        QFETCH(QString, trace);
        Lesson lesson;
        QVERIFY(lesson.exposed);
        Window &w = lesson.w;
        int regularInk = 0;
        const QString seen = lesson.trace(steps, w.Timer1, w.Timer2, [&] {
            // Ink: pixels far from the pale green fill; bold strokes leave far more of it.
            const QImage shown = w.lblNext->grab().toImage();
            int ink = 0, red = 0, blue = 0, black = 0;
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x) {
                    const QColor c = shown.pixelColor(x, y);
                    ink += !testing::near(c, QColor(213, 255, 220), 100);
                    red += testing::near(c, kRed, 40);
                    blue += testing::near(c, kBlue, 40);
                    black += testing::near(c, Qt::black, 40);
                }
            regularInk = regularInk ? regularInk : ink; // the design look is regular
            const QChar look = red > 3 && !blue && !black ? 'r' : blue > 3 && !red && !black ? 'b'
                               : black > 3 && !red && !blue ? 'd' : '?';
            return QString(ink > regularInk * 1.2 ? look.toUpper() : look);
        });
        QCOMPARE(seen, trace);
        QVERIFY(w.lblNext->caption() == "Next" && w.lblNext->labelFont().pointSizeF() == 9.75
                && w.lblNext->pos() == w.lblBack->pos());
    }

    // A tick gives the other timer of its pair a whole interval even when it already ran, so
    // each look lasts its 400 ms while the pointer sweeps the window or a radius is chosen.
    void handOverGivesAFullInterval()
    {
        Lesson lesson;
        QVERIFY(lesson.exposed);
        Window &w = lesson.w;
        const auto left = [](toolkit::Timer *timer) { return timer->findChild<QTimer *>()->remainingTime(); };
        w.Timer1->fire();
        lesson.pointAt(kBareCorner); // Timer1 again, in Timer2's turn
        QTRY_VERIFY(left(w.Timer1) > 100 && left(w.Timer1) < 250);
        w.Timer2->fire();
        QVERIFY2(left(w.Timer1) > 300, "Timer2's tick should start Timer1's interval afresh");

        w.lblNext_Click();
        w.Timer5->fire();
        testing::choose(w.CboR1, QStringLiteral("2")); // Timer5 again, in Timer6's turn
        QTRY_VERIFY(left(w.Timer5) > 100 && left(w.Timer5) < 250);
        w.Timer6->fire();
        QVERIFY2(left(w.Timer5) > 300, "Timer6's tick should start Timer5's interval afresh");
    }

    void windowSurface_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("surface");
        QTest::newRow("bare window, outside the border") << "bare corner" << true;
        QTest::newRow("bare window, inside the border") << "bare inside" << true;
        QTest::newRow("border line Shape1") << "Shape1" << true;
        QTest::newRow("the drawn circle") << "circle" << true;
        QTest::newRow("label without a handler") << "lblTarvolen" << false;
        QTest::newRow("lblCombo strip below the lists") << "lblCombo" << false;
        QTest::newRow("frame, between its controls") << "Frame_Cbo" << false;
        QTest::newRow("frame of the help arrow") << "frameHelp" << false;
        QTest::newRow("combo box") << "CboR1" << false;
        QTest::newRow("highlighted rich-text box") << "rtBox3" << false;
        QTest::newRow("rtfSelect") << "rtfSelect" << false;
    }

    // Lines, shapes and the figure belong to the window's surface; controls take their own
    // pointer moves. Only the surface hides the help arrow and turns Print blue.
    void windowSurface()
    {
        QFETCH(QString, target);
        QFETCH(bool, surface);
        Lesson lesson;
        QVERIFY(lesson.exposed);
        Window &w = lesson.w;
        w.lblNext_Click();
        testing::chooseAll(w, 2, 3, 4);
        QPoint spot;
        if (target == "bare corner")
            spot = kBareCorner;
        else if (target == "bare inside")
            spot = kBareInside;
        else if (target == "Shape1")
            spot = QPoint(toolkit::twipsToPixel(480) + 2, 400);
        else if (target == "circle")
            spot = testing::cmToPixel(w.Px, w.CentreY - w.r1);
        else if (target == "lblCombo")
            spot = QPoint(w.lblCombo->geometry().center().x(), w.Frame_Cbo->geometry().bottom() + 4);
        else if (target == "Frame_Cbo")
            spot = w.Frame_Cbo->mapTo(&w, QPoint(2, 2));
        else if (target == "frameHelp")
            spot = w.frameHelp->mapTo(&w, QPoint(100, 75));
        else if (QWidget *control = w.findChild<QWidget *>(target))
            spot = control->mapTo(&w, control->rect().center());
        w.frameHelp->show();
        w.lblPrint->setForeColor(kRed);
        w.Timer1->setEnabled(false);
        QCOMPARE(w.childAt(spot) == nullptr, surface);
        lesson.pointAt(spot);
        QCOMPARE(w.frameHelp->isHidden(), surface);
        QCOMPARE(w.lblPrint->foreColor(), surface ? kBlue : kRed);
        QCOMPARE(w.Timer1->isEnabled(), surface || target == "rtfSelect");
    }

    // Red under the pointer; the bare window turns Back, Home and Print blue, rtfSelect only
    // Back and Home, and Next's look is left to its blink.
    void hoverColours()
    {
        Lesson lesson;
        QVERIFY(lesson.exposed);
        Window &w = lesson.w;
        w.lblNext_Click();
        testing::chooseAll(w, 2, 3, 4);
        for (toolkit::Label *label : {w.lblBack, w.lblHome, w.lblPrint}) {
            lesson.pointAt(label);
            QCOMPARE(label->foreColor(), kRed);
            w.frameHelp->show();
            lesson.pointAt(w.rtfSelect);
            QCOMPARE(label->foreColor(), label == w.lblPrint ? kRed : kBlue);
            QVERIFY2(w.frameHelp->isVisible(), "rtfSelect leaves the help arrow alone");
        }
        const QColor nextBefore = w.lblNext->foreColor();
        lesson.pointAt(kBareInside);
        for (toolkit::Label *each : {w.lblBack, w.lblHome, w.lblPrint})
            QCOMPARE(each->foreColor(), kBlue);
        QCOMPARE(w.lblNext->foreColor(), nextBefore);
    }

    void helpArrowOverTheLists_data()
    {
        QTest::addColumn<int>("chosen");
        QTest::addColumn<bool>("practicePage");
        QTest::addColumn<bool>("shown");
        QTest::newRow("r1 and r2 chosen") << 2 << true << false;
        QTest::newRow("all chosen, practice page") << 3 << true << true;
        QTest::newRow("all chosen, back on the introduction") << 3 << false << false;
    }

    void helpArrowOverTheLists()
    {
        QFETCH(int, chosen);
        QFETCH(bool, practicePage);
        QFETCH(bool, shown);
        Window w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.lblNext_Click();
        for (ComboBox *list : {w.CboR1, w.CboR2, w.CboPQ})
            if (chosen-- > 0)
                testing::choose(list, QStringLiteral("2"));
        if (!practicePage)
            w.lblBack_Click();
        QTest::mouseMove(&w, QPoint(5, 700));
        QVERIFY(w.frameHelp->isHidden());
        const QPoint strip = w.lblCombo->mapTo(&w, QPoint(w.lblCombo->width() / 2, w.lblCombo->height() - 3));
        QCOMPARE(w.childAt(strip), static_cast<QWidget *>(w.lblCombo));
        QTest::mouseMove(w.lblCombo, w.lblCombo->mapFrom(&w, strip));
        QCOMPARE(w.frameHelp->isVisibleTo(&w), shown);
    }

    // The list that had the keyboard loses it with Back: keys on the introduction page once
    // reached the unseen list and rewrote the page.
    void hiddenListsTakeNoKeys()
    {
        const int chosen = 3;
        Window w;
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::mouseClick(w.lblNext, Qt::LeftButton);
        ComboBox *lists[] = {w.CboR1, w.CboR2, w.CboPQ};
        for (int i = 0; i < chosen; ++i) {
            QTest::mouseClick(lists[i]->lineEdit(), Qt::LeftButton, {}, QPoint(6, lists[i]->lineEdit()->height() / 2));
            QTest::keyClick(w.windowHandle(), Qt::Key_Down);
            QTest::keyClick(w.windowHandle(), Qt::Key_Down);
        }
        QVERIFY(lists[chosen - 1]->isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == lists[chosen - 1]);
        const QStringList texts = {w.CboR1->text(), w.CboR2->text(), w.CboPQ->text()};
        QTest::mouseClick(w.lblBack, Qt::LeftButton);
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_5, Qt::Key_Return})
            QTest::keyClick(w.windowHandle(), key);
        QCOMPARE(QStringList({w.CboR1->text(), w.CboR2->text(), w.CboPQ->text()}), texts);
        QVERIFY2(w.canvas.isEmpty() && testing::highlightedBox(w) == 0, "the introduction page was drawn on");
        QCOMPARE(w.lblPQ->caption(), QString::fromLatin1(lesson::kInvitation));
        QVERIFY(w.rtfSelect->text().startsWith(QLatin1String("Programmer: ")));

        QTest::mouseClick(w.lblNext, Qt::LeftButton); // Next gives the lists back
        QTest::mouseClick(w.CboR1->lineEdit(), Qt::LeftButton, {}, QPoint(6, w.CboR1->lineEdit()->height() / 2));
        QTest::keyClick(w.windowHandle(), Qt::Key_Down);
        QCOMPARE(w.r1, int16_t(3));
    }
};

QTEST_MAIN(SelectionTest)
#include "tst_selection.moc"
