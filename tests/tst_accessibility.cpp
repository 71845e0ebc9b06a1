// The window as assistive technology and the keyboard meet it, queried in-process: the
// labels that act as buttons, the names of the lists, the case sentences and the one that
// holds, Tab order and shortcuts. The change notices a screen reader relies on are only sent
// with a real accessibility bus: xvfb_accessibility.sh listens for them.

#include "lesson_window/lesson_window.h"
#include "lesson_window/lesson_texts.h"
#include "test_support.h"

#include <QAccessible>
#include <QLabel>
#include <QtTest>

using Window = frmTarvolen_300413;

namespace {

QAccessibleInterface *accessible(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object);
}

QString sentence(int i)
{
    return QString::fromLatin1(lesson::kCaseTexts[i].first) + QLatin1String(lesson::kCaseTexts[i].second);
}

// The learner uses the arrow keys on the list: every step is a selection.
void chooseWithKeys(toolkit::ComboBox *list, int index)
{
    while (list->currentIndex() < index)
        QTest::keyClick(list, Qt::Key_Down);
    while (list->currentIndex() > index)
        QTest::keyClick(list, Qt::Key_Up);
}

void chooseAll(Window &w, int r1, int r2, int pq)
{
    chooseWithKeys(w.CboR1, r1 - 1);
    chooseWithKeys(w.CboR2, r2 - 1);
    chooseWithKeys(w.CboPQ, pq);
}

// Indices of the case boxes whose description says the case holds.
QList<int> holdingCases(const Window &w)
{
    QList<int> result;
    const auto boxes = w.caseBoxes();
    for (int i = 0; i < 5; ++i) {
        if (!accessible(boxes[i])->text(QAccessible::Description).isEmpty())
            result << i + 1;
    }
    return result;
}

} // namespace

class AccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::prepareApplication(); }

    void pageButtons_data()
    {
        QTest::addColumn<bool>("practicePage");
        QTest::addColumn<QStringList>("pressable");
        QTest::newRow("introduction page: Next and Home")
            << false << QStringList{"Next", "Home"};
        QTest::newRow("practice page with a figure: Back, Print and Home")
            << true << QStringList{"Back", "Print", "Home"};
    }

    // Each label that acts as a button is a button named by its caption, with its key; it
    // offers a press only where a pointer could click it (Back lies beneath Next at first).
    void pageButtons()
    {
        QFETCH(bool, practicePage);
        QFETCH(QStringList, pressable);
        Window w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        if (practicePage) {
            w.lblNext_Click();
            chooseAll(w, 2, 3, 4);
        }
        const QList<QPair<toolkit::Label *, QString>> buttons = {
            {w.lblNext, "Alt+N"}, {w.lblBack, "Alt+B"}, {w.lblPrint, "Alt+P"}, {w.lblHome, "Alt+H"}};
        for (const auto &[label, key] : buttons) {
            QAccessibleInterface *iface = accessible(label);
            QVERIFY(iface);
            QCOMPARE(iface->role(), QAccessible::Button);
            QCOMPARE(iface->text(QAccessible::Name), label->caption());
            QAccessibleActionInterface *action = iface->actionInterface();
            QVERIFY2(action, qPrintable(label->caption() + " has no actions"));
            const bool offered = action->actionNames().contains(QAccessibleActionInterface::pressAction());
            const bool expected = pressable.contains(label->caption());
            QVERIFY2(offered == expected,
                     qPrintable(label->caption() + (expected ? " should" : " should not") + " be pressable"));
            QCOMPARE(iface->state().invisible, !expected);
            QCOMPARE(action->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
                     QStringList{key});
        }
        // Plain labels stay static text named by their caption.
        QCOMPARE(accessible(w.lblPossibility)->role(), QAccessible::StaticText);
        QCOMPARE(accessible(w.lblPossibility)->text(QAccessible::Name), w.lblPossibility->caption());
    }

    // A press runs the label's click where a pointer could click, and nothing where it could
    // not: Back beneath Next, a hidden Next.
    void pressFollowsWhatAPointerCouldClick()
    {
        Window w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QString press = QAccessibleActionInterface::pressAction();
        QSignalSpy nextClicks(w.lblNext, &toolkit::Label::clicked);
        QSignalSpy backClicks(w.lblBack, &toolkit::Label::clicked);

        accessible(w.lblBack)->actionInterface()->doAction(press);
        QVERIFY2(backClicks.isEmpty(), "Back beneath Next must not be pressable");

        accessible(w.lblNext)->actionInterface()->doAction(press);
        QCOMPARE(nextClicks.size(), 1);
        QVERIFY2(w.lblBack->isVisible() && w.lblNext->isHidden() && w.Frame_Cbo->isVisible(),
                 "pressing Next should open the practice page");

        accessible(w.lblNext)->actionInterface()->doAction(press);
        QVERIFY2(nextClicks.size() == 1, "a hidden Next must not be pressable");

        chooseAll(w, 1, 4, 2);
        accessible(w.lblBack)->actionInterface()->doAction(press);
        QCOMPARE(backClicks.size(), 1);
        QVERIFY2(w.lblNext->isVisible() && w.Frame_Cbo->isHidden() && holdingCases(w).isEmpty(),
                 "pressing Back should return to the introduction page, nothing highlighted");
    }

    // Alt+N and Alt+B turn the pages from the keyboard, each only while its label is seen.
    void shortcutsTurnThePages()
    {
        Window w;
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QSignalSpy nextClicks(w.lblNext, &toolkit::Label::clicked);
        QSignalSpy backClicks(w.lblBack, &toolkit::Label::clicked);

        QTest::keyClick(&w, Qt::Key_B, Qt::AltModifier);
        QVERIFY2(backClicks.isEmpty(), "Alt+B must do nothing while Back lies beneath Next");
        QTest::keyClick(&w, Qt::Key_N, Qt::AltModifier);
        QCOMPARE(nextClicks.size(), 1);
        QVERIFY2(w.lblBack->isVisible() && w.Frame_Cbo->isVisible(), "Alt+N should open the practice page");
        QTest::keyClick(&w, Qt::Key_N, Qt::AltModifier);
        QVERIFY2(nextClicks.size() == 1, "Alt+N must do nothing on the practice page");

        // From inside a list, where the learner's keyboard focus is.
        w.CboR1->setFocus();
        QTRY_VERIFY(w.CboR1->hasFocus());
        chooseWithKeys(w.CboR1, 2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_B, Qt::AltModifier);
        QCOMPARE(backClicks.size(), 1);
        QVERIFY2(w.lblNext->isVisible() && w.Frame_Cbo->isHidden(), "Alt+B should return to the introduction");
        QCOMPARE(w.CboR1->text(), QStringLiteral("3")); // a shortcut is no typing
    }

    void listsAreNamedByTheirCaptions_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("name");
        QTest::newRow("first list is r1") << "CboR1" << "r1";
        QTest::newRow("second list is r2") << "CboR2" << "r2";
        QTest::newRow("third list is PQ") << "CboPQ" << "PQ";
    }

    // Screen readers on Linux take a list's name from the label related to it.
    void listsAreNamedByTheirCaptions()
    {
        QFETCH(QString, list);
        QFETCH(QString, name);
        Window w;
        auto *combo = w.findChild<toolkit::ComboBox *>(list);
        QVERIFY(combo);
        QAccessibleInterface *iface = accessible(combo);
        QCOMPARE(iface->role(), QAccessible::ComboBox);
        const auto labels = iface->relations(QAccessible::Label);
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels.first().first->text(QAccessible::Name), name);
        // The label is for the reader only: no area, so never seen, clicked or hovered.
        auto *caption = qobject_cast<QLabel *>(labels.first().first->object());
        QVERIFY(caption);
        QVERIFY2(caption->size().isEmpty(), "the list's name label must take no room on the window");
        QCOMPARE(caption->buddy(), combo);
    }

    // Tab goes r1, r2, PQ (they are built the other way round) and, with all chosen, back to r1.
    void tabReachesTheListsInOrder()
    {
        Window w;
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.lblNext_Click();
        chooseAll(w, 2, 2, 3);
        w.CboR1->setFocus();
        QTRY_VERIFY(w.CboR1->hasFocus());
        const QList<QWidget *> expected = {w.CboR2, w.CboPQ, w.CboR1};
        for (QWidget *next : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY2(next->hasFocus(), qPrintable("Tab should reach " + next->objectName()
                                                  + ", reached " + QApplication::focusWidget()->objectName()));
        }
    }

    // Each box is static text that reads its sentence, digits and blanks as written.
    void caseBoxesReadTheirSentences()
    {
        Window w;
        const auto boxes = w.caseBoxes();
        for (int i = 0; i < 5; ++i) {
            QAccessibleInterface *iface = accessible(boxes[i]);
            QCOMPARE(iface->role(), QAccessible::StaticText);
            QCOMPARE(iface->text(QAccessible::Name), sentence(i));
            QVERIFY(iface->state().readOnly);
            QCOMPARE(iface->childCount(), 0);
        }
        // A prompt is read as it is now, not as it was.
        w.lblNext_Click();
        QCOMPARE(accessible(w.rtfSelect)->text(QAccessible::Name), QString::fromLatin1(lesson::kPromptR1));
    }

    void highlightedCaseSaysItHolds_data()
    {
        QTest::addColumn<int>("r1");
        QTest::addColumn<int>("r2");
        QTest::addColumn<int>("pq");
        QTest::addColumn<int>("holds");
        QTest::newRow("touch externally r1=2 r2=3 PQ=5") << 2 << 3 << 5 << 1;
        QTest::newRow("touch internally r1=2 r2=5 PQ=3") << 2 << 5 << 3 << 2;
        QTest::newRow("intersect r1=2 r2=3 PQ=4") << 2 << 3 << 4 << 3;
        QTest::newRow("one inside r1=1 r2=4 PQ=0") << 1 << 4 << 0 << 4;
        QTest::newRow("apart r1=1 r2=1 PQ=12") << 1 << 1 << 12 << 5;
    }

    // Only the highlighted box says that it holds, with the values; a new choice moves the
    // saying with the highlight, and Back takes it away.
    void highlightedCaseSaysItHolds()
    {
        QFETCH(int, r1);
        QFETCH(int, r2);
        QFETCH(int, pq);
        QFETCH(int, holds);
        Window w;
        w.show();
        w.lblNext_Click();
        chooseAll(w, r1, r2, pq);
        QCOMPARE(holdingCases(w), QList<int>{holds});
        const QString said = accessible(w.caseBoxes()[holds - 1])->text(QAccessible::Description);
        const QString values = QStringLiteral("r1 = %1, r2 = %2 and PQ = %3").arg(r1).arg(r2).arg(pq);
        QVERIFY2(said.startsWith(QLatin1String("This case holds")) && said.contains(values),
                 qPrintable("the highlighted case says: " + said));
        // The sentence itself is unchanged by the highlight.
        QCOMPARE(accessible(w.caseBoxes()[holds - 1])->text(QAccessible::Name), sentence(holds - 1));

        // r1 = 5 against the same r2 and PQ gives another case; the saying follows.
        chooseWithKeys(w.CboR1, 4);
        const QList<int> now = holdingCases(w);
        QCOMPARE(now.size(), 1);
        QVERIFY2(w.caseBoxes()[now.first() - 1]->emphasis(), "the saying must stay with the highlight");

        w.lblBack_Click();
        QVERIFY2(holdingCases(w).isEmpty(), "after Back no case may say it holds");
    }
};

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
