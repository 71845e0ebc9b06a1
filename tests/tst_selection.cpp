// Choosing r1, r2 and PQ on the practice page: the order the enabling enforces, the blinking
// of the list to choose next, the figure and the highlighted case after every change, and
// what typing into a list's edit field does (and must never do).

#include "lesson_window/lesson_window.h"
#include "lesson_window/lesson_texts.h"
#include "test_support.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

#include <cmath>

using Window = frmTarvolen_300413;
using toolkit::Canvas;
using toolkit::ComboBox;

namespace {

const QColor kMagenta(255, 0, 255);
const QColor kCyan(0, 255, 255);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kGreen(0, 192, 0);

// The learner picks an item from the list: the box raises its selection event through Qt's
// own signal, so the handler runs through the window's real connection.
void pick(ComboBox *combo, const QString &item)
{
    const int index = combo->findText(item);
    QVERIFY2(index >= 0, qPrintable(combo->objectName() + " offers no " + item));
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

ComboBox *listNamed(Window &w, const QString &name)
{
    return name == QLatin1String("r1") ? w.CboR1 : name == QLatin1String("r2") ? w.CboR2 : w.CboPQ;
}

// Chooses "r1 r2 PQ" given as three numbers, on the practice page.
void chooseAll(Window &w, const QString &values)
{
    const QStringList v = values.split(QLatin1Char(' '));
    pick(w.CboR1, v[0]);
    pick(w.CboR2, v[1]);
    pick(w.CboPQ, v[2]);
}

// What the learner sees of a list's background: a pixel of its edit field.
QColor shownColour(ComboBox *combo)
{
    return combo->grab().toImage().pixelColor(3, 3);
}

int highlightedBox(const Window &w)
{
    int found = 0;
    const auto boxes = w.caseBoxes();
    for (int i = 0; i < 5; ++i) {
        if (boxes[i]->emphasis()) {
            if (found)
                return -1; // more than one: always wrong
            found = i + 1;
        }
    }
    return found;
}

bool near(double a, double b) { return std::abs(a - b) < 1e-4; }

// The figure on the surface: both red circles about the stored centres, the blue segment,
// the number over its middle, and dots only where both discs overlap.
void checkFigure(const Window &w, int r1, int r2, float px, float qx, const QString &number)
{
    const QPointF p(px, 13), q(qx, 13);
    int circles = 0, segments = 0, dots = 0;
    bool numberSeen = false;
    for (const Canvas::Op &op : w.canvas.ops()) {
        switch (op.kind) {
        case Canvas::Op::Circle:
            QCOMPARE(op.color, kRed);
            QCOMPARE(op.a, circles == 0 ? p : q);
            QCOMPARE(op.radius, double(circles == 0 ? r1 : r2));
            ++circles;
            break;
        case Canvas::Op::Segment:
            QCOMPARE(op.color, kBlue);
            QCOMPARE(op.a, p);
            QCOMPARE(op.b, q);
            ++segments;
            break;
        case Canvas::Op::Text:
            if (op.text == number) {
                QVERIFY(near(op.a.x(), 12.8) && near(op.a.y(), 12.65));
                numberSeen = true;
            }
            break;
        case Canvas::Op::Point:
            if (op.a == p || op.a == q)
                break; // the centres
            QVERIFY2(std::hypot(op.a.x() - px, op.a.y() - 13) < r1 + 1e-4
                         && std::hypot(op.a.x() - qx, op.a.y() - 13) < r2 + 1e-4,
                     qPrintable(QStringLiteral("dot at (%1, %2) is not inside both circles")
                                    .arg(op.a.x())
                                    .arg(op.a.y())));
            ++dots;
            break;
        }
    }
    QCOMPARE(circles, 2);
    QCOMPARE(segments, 1);
    QVERIFY2(numberSeen, qPrintable("the figure should be labelled '" + number + "'"));
    const double distance = std::abs(qx - px);
    QVERIFY2((dots > 0) == (distance < r1 + r2),
             qPrintable(QStringLiteral("%1 dots for r1 %2, r2 %3, PQ %4")
                            .arg(dots)
                            .arg(r1)
                            .arg(r2)
                            .arg(distance)));
}

} // namespace

class SelectionTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::prepareApplication(); }

    void orderIsEnforcedByEnabling_data();
    void orderIsEnforcedByEnabling();
    void pendingListBlinks_data();
    void pendingListBlinks();
    void noListBlinksOncePqIsChosen_data();
    void noListBlinksOncePqIsChosen();
    void figureFollowsEveryChange_data();
    void figureFollowsEveryChange();
    void helpArrowOverTheLists_data();
    void helpArrowOverTheLists();
    void typedValuesCountAsChosen();
    void typedPqIsReadByTheNextRadiusChange_data();
    void typedPqIsReadByTheNextRadiusChange();
};

void SelectionTest::orderIsEnforcedByEnabling_data()
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
    QTest::newRow("r1 again after r1 and r2") << 2 << "r1" << true;
}

void SelectionTest::orderIsEnforcedByEnabling()
{
    QFETCH(int, chosen);
    QFETCH(QString, list);
    QFETCH(bool, accepted);

    Window w;
    w.lblNext_Click();
    if (chosen >= 1)
        pick(w.CboR1, QStringLiteral("4"));
    if (chosen >= 2)
        pick(w.CboR2, QStringLiteral("4"));

    ComboBox *combo = listNamed(w, list);
    const QString before = combo->text();
    QSignalSpy selections(combo, &ComboBox::selected);
    QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(selections.count(), accepted ? 1 : 0);
    QCOMPARE(combo->text() != before, accepted);
    QCOMPARE(w.CboR2->isEnabled(), chosen >= 1 || (accepted && list == QLatin1String("r1")));
    QCOMPARE(w.CboPQ->isEnabled(), chosen >= 2 || (accepted && list == QLatin1String("r2")));
    if (!accepted)
        QVERIFY2(w.r1 == (chosen >= 1 ? 4 : 0) && w.r2 == (chosen >= 2 ? 4 : 0) && w.PQ == 0,
                 "a refused list must not change the lesson");
}

void SelectionTest::pendingListBlinks_data()
{
    QTest::addColumn<int>("chosen");
    QTest::addColumn<QString>("pending");

    QTest::newRow("nothing chosen: r1 blinks") << 0 << "r1";
    QTest::newRow("r1 chosen: r2 blinks") << 1 << "r2";
    QTest::newRow("r1 and r2 chosen: PQ blinks") << 2 << "PQ";
}

void SelectionTest::pendingListBlinks()
{
    QFETCH(int, chosen);
    QFETCH(QString, pending);

    Window w;
    w.lblNext_Click();
    if (chosen >= 1)
        pick(w.CboR1, QStringLiteral("1"));
    if (chosen >= 2)
        pick(w.CboR2, QStringLiteral("5"));
    QVERIFY2(w.Timer5->isEnabled(), "Next and every radius choice start the blinking");

    ComboBox *blinking = listNamed(w, pending);
    QList<ComboBox *> others{w.CboR1, w.CboR2, w.CboPQ};
    others.removeOne(blinking);
    QList<QColor> othersBefore;
    for (ComboBox *other : others)
        othersBefore << shownColour(other);

    // Each tick paints its own colour and hands over to the other timer.
    for (int round = 0; round < 2; ++round) {
        w.Timer5->fire();
        QCOMPARE(shownColour(blinking), kMagenta);
        QVERIFY(w.Timer6->isEnabled());
        w.Timer6->fire();
        QCOMPARE(shownColour(blinking), kCyan);
        QVERIFY(w.Timer5->isEnabled());
    }
    for (int i = 0; i < others.size(); ++i)
        QVERIFY2(shownColour(others[i]) == othersBefore[i],
                 qPrintable(others[i]->objectName() + " is not pending and must not blink"));

    // Choosing the pending list puts it back on the window's colour.
    pick(blinking, QStringLiteral("3"));
    QCOMPARE(shownColour(blinking), w.backColor());
}

void SelectionTest::noListBlinksOncePqIsChosen_data()
{
    QTest::addColumn<QString>("change"); // what the learner does after choosing all three

    QTest::newRow("PQ just chosen") << "";
    QTest::newRow("r1 changed afterwards") << "r1";
    QTest::newRow("r2 changed afterwards") << "r2";
}

void SelectionTest::noListBlinksOncePqIsChosen()
{
    QFETCH(QString, change);

    Window w;
    w.lblNext_Click();
    w.Timer5->fire(); // a list blinks while still pending
    chooseAll(w, QStringLiteral("2 3 4"));
    QVERIFY(!w.Timer5->isEnabled());
    QVERIFY(!w.Timer6->isEnabled());
    if (!change.isEmpty()) {
        pick(listNamed(w, change), QStringLiteral("5"));
        QVERIFY2(w.Timer5->isEnabled(), "a radius change restarts Timer5");
    }
    for (ComboBox *list : {w.CboR1, w.CboR2, w.CboPQ})
        QCOMPARE(shownColour(list), w.backColor());
    for (int tick = 0; tick < 3; ++tick) {
        w.Timer5->fire();
        w.Timer6->fire();
    }
    for (ComboBox *list : {w.CboR1, w.CboR2, w.CboPQ})
        QVERIFY2(shownColour(list) == w.backColor(),
                 qPrintable(list->objectName() + " was painted although nothing is pending"));
}

void SelectionTest::figureFollowsEveryChange_data()
{
    QTest::addColumn<QString>("start"); // r1 r2 PQ
    QTest::addColumn<int>("startBox");
    QTest::addColumn<QString>("changes"); // list=item:expected box, ...

    QTest::newRow("r1, then r2, then PQ") << "2 3 4" << 3 << "r1=1:1 r2=5:2 PQ=0:4";
    QTest::newRow("PQ, then r1, then r2") << "2 3 4" << 3 << "PQ=1:2 r1=5:4 r2=4:2";
    QTest::newRow("r2, then PQ, then r1") << "2 3 4" << 3 << "r2=1:5 PQ=3:1 r1=5:4";
    QTest::newRow("coinciding circles, then r1") << "3 3 0" << 2 << "r1=1:4 PQ=3:3";
    QTest::newRow("far apart, then PQ, then r2") << "5 5 12" << 5 << "PQ=10:1 r2=1:5 r1=1:5";
}

void SelectionTest::figureFollowsEveryChange()
{
    QFETCH(QString, start);
    QFETCH(int, startBox);
    QFETCH(QString, changes);

    Window w;
    w.lblNext_Click();
    chooseAll(w, start);
    QStringList v = start.split(QLatin1Char(' '));
    int r1 = v[0].toInt(), r2 = v[1].toInt(), pq = v[2].toInt();
    float px = 13 - pq / 2.0f, qx = 13 + pq / 2.0f;
    QCOMPARE(highlightedBox(w), startBox);
    checkFigure(w, r1, r2, px, qx, QLatin1Char(' ') + QString::number(pq));
    if (QTest::currentTestFailed())
        return;

    for (const QString &change : changes.split(QLatin1Char(' '))) {
        const QString list = change.section(QLatin1Char('='), 0, 0);
        const QString item = change.section(QLatin1Char('='), 1).section(QLatin1Char(':'), 0, 0);
        const int box = change.section(QLatin1Char(':'), 1).toInt();
        pick(listNamed(w, list), item);
        if (list == QLatin1String("r1"))
            r1 = item.toInt();
        else if (list == QLatin1String("r2"))
            r2 = item.toInt();
        else
            pq = item.toInt(), px = 13 - pq / 2.0f, qx = 13 + pq / 2.0f;

        QVERIFY2(highlightedBox(w) == box,
                 qPrintable(QStringLiteral("after %1: box %2 highlighted, expected %3")
                                .arg(change)
                                .arg(highlightedBox(w))
                                .arg(box)));
        QCOMPARE(w.r1, int16_t(r1));
        QCOMPARE(w.r2, int16_t(r2));
        QCOMPARE(w.PQ, int16_t(pq));
        // A radius change keeps the centres of the last distance choice.
        QCOMPARE(w.Px, px);
        QCOMPARE(w.Qx, qx);
        QCOMPARE(w.CentreY, int16_t(13));
        QCOMPARE(w.MidX, int16_t(13));
        checkFigure(w, r1, r2, px, qx, QLatin1Char(' ') + QString::number(pq));
        QVERIFY(w.lblPrint->isVisibleTo(&w));
        QVERIFY(w.lblPQ->isHidden());
        QCOMPARE(w.Shape1->heightCm(), 17.595f);
        if (QTest::currentTestFailed())
            return;
    }
}

void SelectionTest::helpArrowOverTheLists_data()
{
    QTest::addColumn<int>("chosen");
    QTest::addColumn<bool>("onPracticePage");
    QTest::addColumn<bool>("shown");

    QTest::newRow("nothing chosen") << 0 << true << false;
    QTest::newRow("r1 and r2 chosen") << 2 << true << false;
    QTest::newRow("all chosen, practice page") << 3 << true << true;
    QTest::newRow("all chosen, back on the introduction") << 3 << false << false;
}

void SelectionTest::helpArrowOverTheLists()
{
    QFETCH(int, chosen);
    QFETCH(bool, onPracticePage);
    QFETCH(bool, shown);

    Window w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.lblNext_Click();
    if (chosen >= 1)
        pick(w.CboR1, QStringLiteral("2"));
    if (chosen >= 2)
        pick(w.CboR2, QStringLiteral("2"));
    if (chosen >= 3)
        pick(w.CboPQ, QStringLiteral("2"));
    if (!onPracticePage)
        w.lblBack_Click();
    // The pointer comes from the bare window (which hides the arrow) to the strip of lblCombo
    // below the lists.
    QTest::mouseMove(&w, QPoint(5, 700));
    QVERIFY(w.frameHelp->isHidden());
    const QPoint strip =
        w.lblCombo->mapTo(&w, QPoint(w.lblCombo->width() / 2, w.lblCombo->height() - 3));
    QCOMPARE(w.childAt(strip), static_cast<QWidget *>(w.lblCombo));
    QTest::mouseMove(w.lblCombo, w.lblCombo->mapFrom(&w, strip));
    QCOMPARE(w.frameHelp->isVisibleTo(&w), shown);
}

void SelectionTest::typedValuesCountAsChosen()
{
    Window w;
    w.lblNext_Click();
    QSignalSpy selections(w.CboR1, &ComboBox::selected);
    QTest::keyClicks(w.CboR1, QStringLiteral("abc"));
    QTest::keyClick(w.CboR1, Qt::Key_Return);
    QCOMPARE(selections.count(), 0);
    QCOMPARE(w.r1, int16_t(0));
    QVERIFY(w.r1Chosen());

    // The blinking moves on to r2 as if r1 had been chosen, and Next prompts for r2.
    w.Timer5->fire();
    QVERIFY(w.CboR2->isEnabled());
    QCOMPARE(shownColour(w.CboR2), kMagenta);
    QVERIFY(shownColour(w.CboR1) != kMagenta);
    w.lblBack_Click();
    w.lblNext_Click();
    QCOMPARE(w.rtfSelect->text(), QString::fromLatin1(lesson::kPromptR2));

    // A typed distance, never chosen from its list, is still "chosen" for Next, which draws
    // it; a radius of 0 draws and classifies without trouble.
    pick(w.CboR2, QStringLiteral("3"));
    w.CboPQ->lineEdit()->selectAll();
    QTest::keyClicks(w.CboPQ, QStringLiteral("3"));
    QCOMPARE(w.CboPQ->text(), QStringLiteral("3"));
    QVERIFY(w.canvas.isEmpty());
    w.lblBack_Click();
    w.lblNext_Click();
    QCOMPARE(w.PQ, int16_t(3));
    QCOMPARE(highlightedBox(w), 1); // 0 + 3 = 3
    checkFigure(w, 0, 3, 11.5f, 14.5f, QStringLiteral(" 3"));
}

void SelectionTest::typedPqIsReadByTheNextRadiusChange_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("pq");  // as the lesson reads it
    QTest::addColumn<int>("box"); // with r1 = 1, r2 = 4: sum 5, difference 3

    QTest::newRow("a list value") << "5" << 5 << 1;
    QTest::newRow("leading blank") << " 3" << 3 << 2;
    QTest::newRow("half rounds to even, down") << "2.5" << 2 << 4;
    QTest::newRow("half rounds to even, up") << "3.5" << 4 << 3;
    QTest::newRow("number then letters") << "5abc" << 5 << 1;
    QTest::newRow("letters") << "abc" << 0 << 4;
    QTest::newRow("empty") << "" << 0 << 4;
    QTest::newRow("negative") << "-5" << -5 << 4;
    QTest::newRow("huge") << "99999" << 32767 << 5;
    QTest::newRow("huge negative") << "-99999" << -32768 << 4;
    QTest::newRow("exponent") << "1e9" << 32767 << 5;
}

void SelectionTest::typedPqIsReadByTheNextRadiusChange()
{
    QFETCH(QString, typed);
    QFETCH(int, pq);
    QFETCH(int, box);

    Window w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.lblNext_Click();
    chooseAll(w, QStringLiteral("2 4 4")); // intersecting
    QCOMPARE(highlightedBox(w), 3);

    // Typing, Enter and leaving the box: Qt commits a typed list item through the same
    // signal as a choice, but none of it is a selection.
    QSignalSpy selections(w.CboPQ, &ComboBox::selected);
    w.CboPQ->setFocus();
    w.CboPQ->lineEdit()->selectAll();
    QTest::keyClick(w.CboPQ, Qt::Key_Backspace);
    QTest::keyClicks(w.CboPQ, typed);
    QTest::keyClick(w.CboPQ, Qt::Key_Return);
    w.CboR1->setFocus();
    QCOMPARE(selections.count(), 0);
    QCOMPARE(w.CboPQ->text(), typed);
    QVERIFY(w.pqChosen());
    QCOMPARE(w.PQ, int16_t(4));
    QCOMPARE(highlightedBox(w), 3);

    // The next radius change classifies the typed distance but keeps the listed centres.
    pick(w.CboR1, QStringLiteral("1"));
    QCOMPARE(w.PQ, int16_t(pq));
    QCOMPARE(highlightedBox(w), box);
    QCOMPARE(w.Px, 11.0f);
    QCOMPARE(w.Qx, 15.0f);
    const QString number = pq < 0 ? QString::number(pq) : QLatin1Char(' ') + QString::number(pq);
    bool labelled = false;
    for (const Canvas::Op &op : w.canvas.ops())
        labelled = labelled || (op.kind == Canvas::Op::Text && op.text == number);
    QVERIFY2(labelled, qPrintable("the figure should show the typed distance " + number));

    // Back and Next redraw from the typed text: the centres now follow it.
    w.lblBack_Click();
    w.lblNext_Click();
    QCOMPARE(w.PQ, int16_t(pq));
    QCOMPARE(highlightedBox(w), box);
    QCOMPARE(w.Px, float(13.0 - pq / 2.0));
    QCOMPARE(w.Qx, float(pq / 2.0 + 13.0));
    QVERIFY(!w.canvas.isEmpty());
    // Even a figure far off the window must paint without trouble.
    QVERIFY(!testing::grabWindow(w).isNull());
}

QTEST_MAIN(SelectionTest)
#include "tst_selection.moc"
