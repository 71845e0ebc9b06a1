// Things a learner can do that once broke the lesson, found by the random sessions
// (tarvolen_fuzz) and kept here so that they stay fixed. Keys go through the window as a
// keyboard's do: Qt hands them to the window's focus widget.

#include "lesson_window/lesson_window.h"
#include "lesson_window/lesson_texts.h"
#include "test_support.h"

#include <QLineEdit>
#include <QtTest>

using Window = frmTarvolen_300413;

namespace {

void clickLabel(QWidget *label)
{
    QTest::mouseMove(label);
    QTest::mouseClick(label, Qt::LeftButton);
}

// Into the list's edit field, which takes the keyboard focus.
void clickList(toolkit::ComboBox *list)
{
    QTest::mouseClick(list->lineEdit(), Qt::LeftButton, {}, QPoint(6, list->lineEdit()->height() / 2));
}

void keys(Window &w, std::initializer_list<Qt::Key> keys)
{
    for (Qt::Key key : keys)
        QTest::keyClick(w.windowHandle(), key);
}

int highlightedBoxes(const Window &w)
{
    int count = 0;
    for (const toolkit::RichTextBox *box : w.caseBoxes())
        count += box->emphasis();
    return count;
}

} // namespace

class RobustnessTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::prepareApplication(); }

    // After Back the lists are hidden with their frame. The list that had the keyboard must
    // lose it: arrow keys or typing on the introduction page used to reach the unseen list,
    // choose from it and rewrite the introduction (prompt instead of the credit line, no
    // invitation, even a figure with a highlighted case).
    void hiddenListsTakeNoKeys_data()
    {
        QTest::addColumn<int>("chosen");
        QTest::newRow("r1 chosen, its list focused") << 1;
        QTest::newRow("r1 and r2 chosen, r2 focused") << 2;
        QTest::newRow("all chosen, PQ focused") << 3;
    }

    void hiddenListsTakeNoKeys()
    {
        QFETCH(int, chosen);
        Window w;
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));

        clickLabel(w.lblNext);
        toolkit::ComboBox *lists[] = {w.CboR1, w.CboR2, w.CboPQ};
        for (int i = 0; i < chosen; ++i) {
            clickList(lists[i]);
            keys(w, {Qt::Key_Down, Qt::Key_Down});
        }
        QWidget *focus = QApplication::focusWidget();
        QVERIFY2(focus == lists[chosen - 1] || lists[chosen - 1]->isAncestorOf(focus),
                 "the last list chosen from should have the keyboard");
        const QStringList texts = {w.CboR1->text(), w.CboR2->text(), w.CboPQ->text()};

        clickLabel(w.lblBack);
        QVERIFY(w.Frame_Cbo->isHidden());
        QVERIFY2(!w.Frame_Cbo->isAncestorOf(w.focusWidget()),
                 "a list in the hidden frame keeps the keyboard focus");
        keys(w, {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_5, Qt::Key_Return});
        QTest::keyClick(w.windowHandle(), '7');

        QCOMPARE(QStringList({w.CboR1->text(), w.CboR2->text(), w.CboPQ->text()}), texts);
        QVERIFY2(w.canvas.isEmpty(), "a figure was drawn on the introduction page");
        QCOMPARE(highlightedBoxes(w), 0);
        QVERIFY(w.lblPrint->isHidden());
        QVERIFY(!w.lblPQ->isHidden());
        QCOMPARE(w.lblPQ->caption(), QString::fromLatin1(lesson::kInvitation));
        QVERIFY2(w.rtfSelect->text().startsWith(QLatin1String("Programmer: ")),
                 qPrintable("the credit line was replaced by: " + w.rtfSelect->text()));

        // Next gives the lists back: a click on one lets the keys choose again.
        clickLabel(w.lblNext);
        clickList(w.CboR1);
        keys(w, {Qt::Key_Down});
        QCOMPARE(w.CboR1->text(), QStringLiteral("3"));
        QCOMPARE(w.r1, int16_t(3));
    }
};

QTEST_MAIN(RobustnessTest)
#include "tst_robustness.moc"
