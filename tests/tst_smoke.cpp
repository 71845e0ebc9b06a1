#include "lesson_window/lesson_window.h"
#include "test_support.h"

#include <QtTest>

class SmokeTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { testing::prepareApplication(); }
    void opens()
    {
        frmTarvolen_300413 w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.size(), QSize(1018, 736));
        w.grab().save(QStringLiteral("/tmp/smoke.png"));
        w.lblNext_Click();
        w.grab().save(QStringLiteral("/tmp/smoke2.png"));
        w.CboR1->setCurrentIndex(1); w.CboR1_Click();
        w.CboR2->setCurrentIndex(2); w.CboR2_Click();
        w.Timer5->fire();
        w.grab().save(QStringLiteral("/tmp/smoke3.png"));
        w.CboPQ->setCurrentIndex(4); w.CboPQ_Click();
        w.grab().save(QStringLiteral("/tmp/smoke4.png"));
    }
};

QTEST_MAIN(SmokeTest)
#include "tst_smoke.moc"
