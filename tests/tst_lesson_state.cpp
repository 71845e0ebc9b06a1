// Reading a parameter from a list's text and the 16-bit arithmetic of the lesson: a number
// that does not fit 16 bits saturates at the end of the range, whether it reaches the
// lesson through the reader, a sum or a difference, or a number typed into CboPQ.

#include "lesson_window/lesson_math.h"
#include "lesson_window/lesson_window.h"
#include "test_support.h"

#include <QLineEdit>
#include <QtTest>

#include <functional>

class LessonStateTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::prepareApplication(); }

    void readParameter_data();
    void readParameter();
    void saturatingArithmetic_data();
    void saturatingArithmetic();
    void typedDistance_data();
    void typedDistance();
};

void LessonStateTest::readParameter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");

    QTest::newRow("leading blank") << " 3" << 3;
    QTest::newRow("half rounds to even, up") << "3.5" << 4;
    QTest::newRow("half rounds to even, down") << "2.5" << 2;
    QTest::newRow("half rounds to even, 4.5") << "4.5" << 4;
    QTest::newRow("just over half") << "2.51" << 3;
    QTest::newRow("negative half") << "-2.5" << -2;
    QTest::newRow("digits then letters") << "12abc" << 12;
    QTest::newRow("no number") << "abc" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("placeholder") << " r1" << 0;
    QTest::newRow("negative") << "-3" << -3;
    QTest::newRow("largest that fits") << "32767" << 32767;
    QTest::newRow("smallest that fits") << "-32768" << -32768;
    QTest::newRow("too large saturates") << "70000" << 32767;
    QTest::newRow("too small saturates") << "-70000" << -32768;
    QTest::newRow("rounds past the end") << "32767.5" << 32767;
    QTest::newRow("far too large") << "99999999999999999999999" << 32767;
    QTest::newRow("exponent") << "1e3" << 1000;
    QTest::newRow("huge exponent") << "1e999" << 32767;
    QTest::newRow("decimal point first") << ".6" << 1;
    QTest::newRow("sign alone") << "-" << 0;
}

void LessonStateTest::readParameter()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(int(lesson::readParameter(text)), value);
}

void LessonStateTest::saturatingArithmetic_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("result");

    QTest::newRow("sum of list values") << "add" << 5 << 5 << 10;
    QTest::newRow("sum past the top") << "add" << 32767 << 1 << 32767;
    QTest::newRow("sum of two large") << "add" << 20000 << 20000 << 32767;
    QTest::newRow("sum past the bottom") << "add" << -32768 << -1 << -32768;
    QTest::newRow("difference of list values") << "sub" << 2 << 5 << -3;
    QTest::newRow("difference past the bottom") << "sub" << -32768 << 32767 << -32768;
    QTest::newRow("difference past the top") << "sub" << 32767 << -32768 << 32767;
    QTest::newRow("difference of negatives") << "sub" << -5 << -32768 << 32763;
    QTest::newRow("absolute value") << "abs" << -3 << 0 << 3;
    QTest::newRow("absolute value of the bottom") << "abs" << -32768 << 0 << 32767;
}

void LessonStateTest::saturatingArithmetic()
{
    QFETCH(QString, operation);
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, result);

    const auto x = int16_t(a);
    const auto y = int16_t(b);
    int got = 0;
    if (operation == QLatin1String("add"))
        got = lesson::add16(x, y);
    else if (operation == QLatin1String("sub"))
        got = lesson::sub16(x, y);
    else
        got = lesson::abs16(x);
    QCOMPARE(got, result);
}

// A number typed into the edit field of CboPQ raises no selection; the next radius change
// classifies it, and Next after Back draws with it. Neither may crash or run away, however
// large the number.
void LessonStateTest::typedDistance_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("pq");
    QTest::addColumn<QString>("box");

    // r1 = 2 and r2 = 3 are chosen: SumR 5, DiffR 1.
    QTest::newRow("typed 5 touches externally") << "5" << 5 << "rtBox1";
    QTest::newRow("typed 4.5 reads 4") << "4.5" << 4 << "rtBox3";
    QTest::newRow("typed blank and 1") << " 1" << 1 << "rtBox2";
    QTest::newRow("typed text reads 0") << "far" << 0 << "rtBox4";
    QTest::newRow("typed 70000 saturates") << "70000" << 32767 << "rtBox5";
    QTest::newRow("typed -70000 saturates") << "-70000" << -32768 << "rtBox4";
}

void LessonStateTest::typedDistance()
{
    QFETCH(QString, typed);
    QFETCH(int, pq);
    QFETCH(QString, box);

    frmTarvolen_300413 w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.lblNext_Click();
    testing::choose(w.CboR1, QStringLiteral("2"));
    testing::choose(w.CboR2, QStringLiteral("3"));
    testing::choose(w.CboPQ, QStringLiteral("7"));
    QCOMPARE(int(w.PQ), 7);

    w.CboPQ->lineEdit()->selectAll();
    QTest::keyClicks(w.CboPQ, typed);
    QCOMPARE(w.CboPQ->text(), typed);
    QCOMPARE(int(w.PQ), 7); // typing is no selection

    testing::choose(w.CboR1, QStringLiteral("2"));
    QCOMPARE(int(w.PQ), pq);
    QVERIFY(w.findChild<toolkit::RichTextBox *>(box)->emphasis());
    // The centres are those of the last list choice; the printed value is the typed one.
    QCOMPARE(w.Px, 9.5f);
    QCOMPARE(w.Qx, 16.5f);

    w.lblBack_Click();
    w.lblNext_Click(); // runs the distance handler on the typed text
    QCOMPARE(int(w.PQ), pq);
    QCOMPARE(w.Px, float(13.0 - pq / 2.0));
    QCOMPARE(w.Qx, float(pq / 2.0 + 13.0));
    QVERIFY(w.findChild<toolkit::RichTextBox *>(box)->emphasis());
    bool printed = false;
    for (const toolkit::Canvas::Op &op : w.canvas.ops())
        printed |= op.kind == toolkit::Canvas::Op::Text && op.text.trimmed() == QString::number(pq);
    QVERIFY2(printed, "the distance is not written on the figure");
}

QTEST_MAIN(LessonStateTest)
#include "tst_lesson_state.moc"
