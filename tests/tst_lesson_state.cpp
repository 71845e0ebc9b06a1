// Reading a parameter and the lesson's 16-bit arithmetic. A number that does not fit 16 bits
// saturates at the end of the range, whether it comes through the reader, a sum or a
// difference, or a number typed into the edit field of CboPQ.

#include "lesson_window/lesson_math.h"
#include "lesson_window/lesson_window.h"
#include "test_support.h"

#include <QLineEdit>
#include <QtTest>

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
    QTest::newRow("3.5 rounds to even, up") << "3.5" << 4;
    QTest::newRow("2.5 rounds to even, down") << "2.5" << 2;
    QTest::newRow("4.5 rounds to even, down") << "4.5" << 4;
    QTest::newRow("-2.5 rounds to even") << "-2.5" << -2;
    QTest::newRow("digits then letters") << "12abc" << 12;
    QTest::newRow("no number") << "abc" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("placeholder") << " r1" << 0;
    QTest::newRow("negative") << "-3" << -3;
    QTest::newRow("smallest that fits") << "-32768" << -32768;
    QTest::newRow("70000 saturates") << "70000" << 32767;
    QTest::newRow("-70000 saturates") << "-70000" << -32768;
    QTest::newRow("rounding past the end saturates") << "32767.5" << 32767;
    QTest::newRow("huge exponent saturates") << "1e999" << 32767;
}

void LessonStateTest::readParameter()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(int(lesson::readParameter(text)), value);
}

void LessonStateTest::saturatingArithmetic_data()
{
    QTest::addColumn<char>("op");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("result");
    QTest::newRow("sum of list values") << '+' << 5 << 5 << 10;
    QTest::newRow("sum past the top") << '+' << 20000 << 20000 << 32767;
    QTest::newRow("sum past the bottom") << '+' << -32768 << -1 << -32768;
    QTest::newRow("difference of list values") << '-' << 2 << 5 << -3;
    QTest::newRow("difference past the bottom") << '-' << -32768 << 32767 << -32768;
    QTest::newRow("difference past the top") << '-' << 32767 << -32768 << 32767;
    QTest::newRow("absolute value") << '|' << -3 << 0 << 3;
    QTest::newRow("absolute value of the bottom") << '|' << -32768 << 0 << 32767;
}

void LessonStateTest::saturatingArithmetic()
{
    QFETCH(char, op);
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, result);
    const int16_t x = int16_t(a), y = int16_t(b);
    const int got = op == '+' ? lesson::add16(x, y) : op == '-' ? lesson::sub16(x, y) : lesson::abs16(x);
    QCOMPARE(got, result);
}

void LessonStateTest::typedDistance_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("pq");
    QTest::addColumn<QString>("box");
    // With r1 = 2 and r2 = 3: SumR 5, DiffR 1.
    QTest::newRow("typed 5 touches externally") << "5" << 5 << "rtBox1";
    QTest::newRow("typed 4.5 reads 4") << "4.5" << 4 << "rtBox3";
    QTest::newRow("typed text reads 0") << "far" << 0 << "rtBox4";
    QTest::newRow("typed 70000 saturates") << "70000" << 32767 << "rtBox5";
    QTest::newRow("typed -70000 saturates") << "-70000" << -32768 << "rtBox4";
}

// Typing raises no selection; the next radius change classifies the typed number, and Next
// after Back draws with it. However large the number, neither may crash or run away.
void LessonStateTest::typedDistance()
{
    QFETCH(QString, typed);
    QFETCH(int, pq);
    QFETCH(QString, box);

    frmTarvolen_300413 w;
    w.lblNext_Click();
    testing::choose(w.CboR1, QStringLiteral("2"));
    testing::choose(w.CboR2, QStringLiteral("3"));
    testing::choose(w.CboPQ, QStringLiteral("7"));
    w.CboPQ->lineEdit()->selectAll();
    QTest::keyClicks(w.CboPQ, typed);
    QCOMPARE(w.CboPQ->text(), typed);
    QCOMPARE(int(w.PQ), 7);

    testing::choose(w.CboR1, QStringLiteral("2"));
    QCOMPARE(int(w.PQ), pq);
    QVERIFY(w.findChild<toolkit::RichTextBox *>(box)->emphasis());
    QCOMPARE(w.Px, 9.5f); // the centres stay those of the last list choice
    QCOMPARE(w.Qx, 16.5f);

    w.lblBack_Click();
    w.lblNext_Click(); // runs the distance handler on the typed text
    QCOMPARE(w.Px, float(13.0 - pq / 2.0));
    QCOMPARE(w.Qx, float(pq / 2.0 + 13.0));
    QVERIFY(w.findChild<toolkit::RichTextBox *>(box)->emphasis());
    bool written = false;
    for (const toolkit::Canvas::Op &op : w.canvas.ops())
        written |= op.kind == toolkit::Canvas::Op::Text && op.text.trimmed() == QString::number(pq);
    QVERIFY2(written, "the distance is not written on the figure");
}

QTEST_MAIN(LessonStateTest)
#include "tst_lesson_state.moc"
