// The window as assistive technology and the keyboard meet it, queried in-process. The change
// notices a screen reader relies on need a real accessibility bus: xvfb_accessibility.sh.

#include "lesson_window/lesson_window.h"
#include "lesson_window/lesson_texts.h"
#include "test_support.h"

#include <QAccessible>
#include <QLabel>
#include <QtTest>

using Window = frmTarvolen_300413;

namespace {
QAccessibleInterface *accessible(QObject *object) { return QAccessible::queryAccessibleInterface(object); }

// The labels that act as buttons as a screen reader meets them: name and key, and whether it
// may press them, which it may only where a pointer could click.
QStringList buttons(const Window &w)
{
    QStringList seen;
    const QString press = QAccessibleActionInterface::pressAction();
    for (toolkit::Label *label : {w.lblNext, w.lblBack, w.lblPrint, w.lblHome}) {
        QAccessibleInterface *iface = accessible(label);
        seen << iface->text(QAccessible::Name) + ' ' + iface->actionInterface()->keyBindingsForAction(press).join(',')
                    + (iface->role() == QAccessible::Button ? "" : " not a button")
                    + (iface->actionInterface()->actionNames().contains(press) ? "" : " unpressable")
                    + (iface->state().invisible ? " invisible" : "");
    }
    return seen;
}

// The case boxes (1..5) whose description says the case holds.
QList<int> holdingCases(const Window &w)
{
    QList<int> result;
    for (int i = 0; i < 5; ++i)
        if (!accessible(w.caseBoxes()[i])->text(QAccessible::Description).isEmpty())
            result << i + 1;
    return result;
}
} // namespace

class AccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::prepareApplication(); }

    void walkThrough_data()
    {
        QTest::addColumn<int>("r1");
        QTest::addColumn<int>("r2");
        QTest::addColumn<int>("pq");
        QTest::addColumn<bool>("byKey"); // pages turned with Alt+N / Alt+B, else by a screen reader's press
        QTest::newRow("touch externally, press") << 2 << 3 << 5 << false;
        QTest::newRow("touch internally, keys") << 2 << 5 << 3 << true;
        QTest::newRow("intersect, press") << 2 << 3 << 4 << false;
        QTest::newRow("one inside, keys") << 1 << 4 << 0 << true;
        QTest::newRow("apart, press") << 1 << 1 << 12 << false;
    }

    void walkThrough()
    {
        QFETCH(int, r1);
        QFETCH(int, r2);
        QFETCH(int, pq);
        QFETCH(bool, byKey);
        Window w;
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(buttons(w), (QStringList{"Next Alt+N", "Back Alt+B unpressable invisible",
                                          "Print Alt+P unpressable invisible", "Home Alt+H"}));
        QCOMPARE(accessible(w.lblPossibility)->role(), QAccessible::StaticText); // a plain label
        QCOMPARE(accessible(w.lblPossibility)->text(QAccessible::Name), w.lblPossibility->caption());

        // A press or an Alt key turns the page only while its label can be seen.
        QSignalSpy nextClicks(w.lblNext, &toolkit::Label::clicked);
        QSignalSpy backClicks(w.lblBack, &toolkit::Label::clicked);
        const auto turn = [&](toolkit::Label *label, Qt::Key key) { // keys go to the focus widget, as a learner's do
            byKey ? QTest::keyClick(static_cast<QWidget *>(nullptr), key, Qt::AltModifier)
                  : accessible(label)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        };
        turn(w.lblBack, Qt::Key_B);
        QVERIFY2(backClicks.isEmpty(), "Back beneath Next must not turn the page");
        turn(w.lblNext, Qt::Key_N);
        QCOMPARE(nextClicks.size(), 1);
        QVERIFY2(w.lblBack->isVisible() && w.lblNext->isHidden() && w.Frame_Cbo->isVisible(), "Next opens the practice page");
        turn(w.lblNext, Qt::Key_N);
        QVERIFY2(nextClicks.size() == 1, "a hidden Next must not turn the page");
        // A prompt is read as it is now, not as it was.
        QCOMPARE(accessible(w.rtfSelect)->text(QAccessible::Name), QString(lesson::kPromptR1));

        testing::chooseAll(w, r1, r2, pq);
        QCOMPARE(buttons(w), (QStringList{"Next Alt+N unpressable invisible", "Back Alt+B", "Print Alt+P", "Home Alt+H"}));
        // Screen readers on Linux name a list after the label related to it, which takes no room.
        const std::pair<toolkit::ComboBox *, const char *> lists[] = {{w.CboR1, "r1"}, {w.CboR2, "r2"}, {w.CboPQ, "PQ"}};
        for (const auto &[list, name] : lists) {
            const auto labels = accessible(list)->relations(QAccessible::Label);
            QVERIFY2(accessible(list)->role() == QAccessible::ComboBox && labels.size() == 1
                         && labels.first().first->text(QAccessible::Name) == name, name);
            const auto *caption = qobject_cast<QLabel *>(labels.first().first->object());
            QVERIFY2(caption && caption->size().isEmpty() && caption->buddy() == list, "an unseen buddy label");
        }
        // Tab goes r1, r2, PQ (they are built the other way round) and on to r1.
        w.CboR1->setFocus();
        QTRY_VERIFY(w.CboR1->hasFocus());
        for (QWidget *next : {w.CboR2, w.CboPQ, w.CboR1}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY2(next->hasFocus(), qPrintable("Tab should reach " + next->objectName()));
        }

        // Each case box reads its sentence as written, highlighted or not; only the highlighted
        // one says that it holds, with the values.
        for (int i = 0; i < 5; ++i) {
            QAccessibleInterface *box = accessible(w.caseBoxes()[i]);
            QVERIFY(box->role() == QAccessible::StaticText && box->state().readOnly && box->childCount() == 0);
            QCOMPARE(box->text(QAccessible::Name), QString(lesson::kCaseTexts[i].first) + lesson::kCaseTexts[i].second);
        }
        const int holds = testing::highlightedBox(w);
        QCOMPARE(holds, testing::expectedCase(r1, r2, pq));
        QCOMPARE(holdingCases(w), QList<int>{holds});
        const QString said = accessible(w.caseBoxes()[holds - 1])->text(QAccessible::Description);
        QVERIFY2(said.startsWith("This case holds") && said.contains(QStringLiteral("r1 = %1, r2 = %2 and PQ = %3").arg(r1).arg(r2).arg(pq)),
                 qPrintable("the highlighted case says: " + said));
        testing::choose(w.CboR1, "5"); // the saying goes where the highlight goes
        QCOMPARE(holdingCases(w), QList<int>{testing::highlightedBox(w)});

        turn(w.lblBack, Qt::Key_B); // from inside the r1 list
        QCOMPARE(backClicks.size(), 1);
        QVERIFY2(w.lblNext->isVisible() && w.Frame_Cbo->isHidden(), "Back returns to the introduction");
        QVERIFY2(holdingCases(w).isEmpty(), "after Back no case may say it holds");
        QCOMPARE(w.CboR1->text(), QStringLiteral("5")); // Alt+B is no typing
    }
};

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
