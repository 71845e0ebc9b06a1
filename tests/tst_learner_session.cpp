// One whole lesson as a learner takes it, in a shown window and with the learner's own
// means only: clicks where the labels are seen, arrow keys, the mouse wheel and a click in
// an opened list. No handler is called directly.

#include "lesson_window/lesson_window.h"
#include "lesson_window/lesson_texts.h"
#include "test_support.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QWheelEvent>
#include <QtTest>

using Window = frmTarvolen_300413;
using toolkit::Canvas;
using toolkit::ComboBox;

namespace {

const QColor kYellow(255, 255, 0);
const QColor kRed(255, 0, 0);
const QColor kGreen(0, 192, 0);

// A click where the label is seen, delivered to whatever the window has at that spot.
void clickWhereSeen(Window &w, const QWidget *label)
{
    const QPoint spot = label->geometry().center();
    QWidget *target = w.childAt(spot);
    QVERIFY2(target == label, qPrintable(label->objectName() + " is not what lies at its place"));
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&w, spot));
}

// One notch of the wheel over a list; negative turns towards the learner (down the list).
void turnWheel(ComboBox *combo, int notches)
{
    const QPointF at(combo->width() / 2.0, combo->height() / 2.0);
    QWheelEvent wheel(at, combo->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(combo, &wheel);
}

int highlightedBox(const Window &w)
{
    const auto boxes = w.caseBoxes();
    int found = 0;
    for (int i = 0; i < 5; ++i)
        if (boxes[i]->emphasis())
            found = found ? -1 : i + 1;
    return found;
}

QColor pixelAt(Window &w, double xCm, double yCm)
{
    return testing::grabWindow(w).pixelColor(testing::cmToPixel(xCm, yCm));
}

// A dot of the common region that lies on bare surface, away from the segment PQ.
QPointF someRegionDot(const Window &w)
{
    for (const Canvas::Op &op : w.canvas.ops())
        if (op.kind == Canvas::Op::Point && op.color == kGreen && op.a.y() > 13.3)
            return op.a;
    return QPointF();
}

} // namespace

class LearnerSessionTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::prepareApplication(); }
    void fromStartToFigureAndBack();
};

void LearnerSessionTest::fromStartToFigureAndBack()
{
    Window w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(!w.CboR1->isVisible());

    // Next: the practice page asks for r1.
    clickWhereSeen(w, w.lblNext);
    QVERIFY(w.lblBack->isVisible());
    QVERIFY(w.CboR1->isVisible());
    QCOMPARE(w.rtfSelect->text(), QString::fromLatin1(lesson::kPromptR1));

    // r1 = 3 with the arrow keys: a click into the list's field, then Down three times.
    QSignalSpy r1Choices(w.CboR1, &ComboBox::selected);
    QTest::mouseClick(w.CboR1->lineEdit(), Qt::LeftButton);
    QTRY_VERIFY(w.CboR1->hasFocus());
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(w.CboR1, Qt::Key_Down);
    QCOMPARE(r1Choices.count(), 3);
    QCOMPARE(w.CboR1->text(), QStringLiteral("3"));
    QCOMPARE(w.r1, int16_t(3));
    QVERIFY(w.CboR2->isEnabled());
    QVERIFY(!w.CboPQ->isEnabled());
    QCOMPARE(w.rtfSelect->text(), QString::fromLatin1(lesson::kPromptR2));

    // r2 = 4 with four notches of the wheel.
    QSignalSpy r2Choices(w.CboR2, &ComboBox::selected);
    for (int i = 0; i < 4; ++i)
        turnWheel(w.CboR2, -1);
    QCOMPARE(r2Choices.count(), 4);
    QCOMPARE(w.r2, int16_t(4));
    QVERIFY(w.CboPQ->isEnabled());
    QVERIFY(!w.rtfSelect->isVisible());
    QVERIFY(w.lblPQ->isVisible());
    QCOMPARE(w.lblPQ->caption(), QString::fromLatin1(lesson::kPromptPQ));
    QVERIFY(w.canvas.isEmpty());

    // PQ = 5 from the opened list: a click on the arrow, then on the item.
    QTest::mouseClick(w.CboPQ, Qt::LeftButton, {}, QPoint(w.CboPQ->width() - 6, w.CboPQ->height() / 2));
    QAbstractItemView *view = w.CboPQ->view();
    QTRY_VERIFY(view->isVisible());
    // The open list ignores a release that could be the second half of a double click.
    QTest::qWait(QApplication::doubleClickInterval() + 100);
    const QModelIndex five = w.CboPQ->model()->index(w.CboPQ->findText(QStringLiteral("5")), 0);
    view->scrollTo(five);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(five).center());
    QTRY_VERIFY(!view->isVisible());
    QCOMPARE(w.CboPQ->text(), QStringLiteral("5"));
    QCOMPARE(w.PQ, int16_t(5));

    // The figure: |3 - 4| < 5 < 3 + 4, two points of intersection.
    QCOMPARE(highlightedBox(w), 3);
    QVERIFY(w.lblPrint->isVisible());
    QVERIFY(!w.Timer5->isEnabled());
    QVERIFY2(testing::near(pixelAt(w, 3.08, 5.35), kYellow, 10), "rtBox3 should be yellow");
    QVERIFY2(testing::near(pixelAt(w, 7.5, 13), kRed, 90), "the circle about P should pass x = 7.5");
    const QPointF dot = someRegionDot(w);
    QVERIFY2(!dot.isNull(), "the common region should be dotted");
    QVERIFY2(testing::near(pixelAt(w, dot.x(), dot.y()), kGreen, 60), "a region dot should be seen");

    // Back wipes the figure and keeps the choices.
    clickWhereSeen(w, w.lblBack);
    QVERIFY(w.lblNext->isVisible());
    QVERIFY(!w.CboR1->isVisible());
    QVERIFY(w.canvas.isEmpty());
    QCOMPARE(highlightedBox(w), 0);
    QVERIFY2(testing::near(pixelAt(w, 7.5, 13), w.backColor(), 10), "the circle should be gone");
    QCOMPARE(w.CboPQ->text(), QStringLiteral("5"));

    // Next again: the same figure and case, and the keyboard goes on in the distance list.
    clickWhereSeen(w, w.lblNext);
    QCOMPARE(highlightedBox(w), 3);
    QVERIFY(testing::near(pixelAt(w, 7.5, 13), kRed, 90));
    QVERIFY(!w.rtfSelect->isVisible());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.CboPQ));
    QTest::keyClick(w.windowHandle(), Qt::Key_Down);
    QTest::keyClick(w.windowHandle(), Qt::Key_Down);
    QCOMPARE(w.PQ, int16_t(7));
    QCOMPARE(highlightedBox(w), 1); // 7 = 3 + 4: touching externally

    // One notch up over r1 (3 to 2): the figure keeps its centres and the case follows.
    turnWheel(w.CboR1, 1);
    QCOMPARE(w.r1, int16_t(2));
    QCOMPARE(highlightedBox(w), 5); // 7 > 2 + 4
    QCOMPARE(w.Px, 9.5f);
    QVERIFY2(testing::near(pixelAt(w, 7.5, 13), kRed, 90), "the circle about P now passes x = 7.5");
    QVERIFY2(someRegionDot(w).isNull(), "circles apart share no region");
}

QTEST_MAIN(LearnerSessionTest)
#include "tst_learner_session.moc"
