// The introduction page at start-up and the five cases: every combination the lists offer is
// chosen with the arrow keys, as a learner would, and the highlighted box is checked against
// the geometry of the two circles worked out here.

#include "lesson_window/lesson_window.h"
#include "test_support.h"
#include "toolkit/units.h"

#include <QRegularExpression>
#include <QtTest>

#include <algorithm>
#include <array>
#include <set>
#include <vector>

namespace {

// The case (1..5) two circles show, from their shared points alone.
int expectedCase(int r1, int r2, int pq)
{
    if (pq == 0)
        return r1 == r2 ? 2 : 4; // coinciding count as touching internally; else concentric
    // The common chord stands n / (2 pq) from P; the sign of 4 pq² r1² - n² (twice its
    // half-length, squared and scaled) gives 2, 1 or 0 shared points.
    const long n = long(pq) * pq + long(r1) * r1 - long(r2) * r2;
    const long chord = 4L * pq * pq * r1 * r1 - n * n;
    if (chord > 0)
        return 3;
    if (chord == 0) // one contact point: between the centres, or beyond them
        return (n >= 0 && n <= 2L * pq * pq) ? 1 : 2;
    return pq + std::min(r1, r2) < std::max(r1, r2) ? 4 : 5;
}

// Every digit of every "r1" and "r2" is 7 pt and lowered by the offset; nothing else moved
// or changed size.
void checkSubscripts(const toolkit::RichTextBox *box, int offsetTwips)
{
    const QString text = box->text();
    const double boxPoints = box->document()->defaultFont().pointSizeF();
    for (int i = 0; i < text.size(); ++i) {
        const bool digit = i > 0 && text.at(i - 1) == QLatin1Char('r')
                           && (text.at(i) == QLatin1Char('1') || text.at(i) == QLatin1Char('2'));
        const QTextCharFormat f = box->charFormatAt(i);
        const double points = f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize() : boxPoints;
        const bool lowered =
            points == 7.0 && box->charOffsetTwipsAt(i) == offsetTwips && f.baselineOffset() < 0;
        const bool plain = points == boxPoints && f.baselineOffset() == 0;
        QVERIFY2(digit ? lowered : plain,
                 qPrintable(QStringLiteral("%1, character %2 of \"%3\"")
                                .arg(box->objectName()).arg(i).arg(text)));
    }
}

} // namespace

class CasesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::prepareApplication(); }
    void startUp();
    void classifiesEveryCombination();
    void subscripts_data();
    void subscripts();
};

void CasesTest::startUp()
{
    frmTarvolen_300413 w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const struct {
        toolkit::ComboBox *combo;
        const char *placeholder;
        int first, last;
    } lists[] = {{w.CboR1, " r1", 1, 5}, {w.CboR2, " r2", 1, 5}, {w.CboPQ, "PQ", 0, 12}};
    for (const auto &list : lists) {
        QStringList expected, items;
        for (int n = list.first; n <= list.last; ++n)
            expected << QString::number(n);
        for (int i = 0; i < list.combo->count(); ++i)
            items << list.combo->itemText(i);
        QCOMPARE(items, expected);
        QCOMPARE(list.combo->text(), QString::fromLatin1(list.placeholder));
        QCOMPARE(list.combo->currentIndex(), -1);
    }
    QVERIFY(!w.r1Chosen() && !w.r2Chosen() && !w.pqChosen());

    QSet<QString> visible;
    for (QWidget *child : w.findChildren<QWidget *>())
        if (dynamic_cast<toolkit::Printable *>(child) && child->isVisible())
            visible.insert(child->objectName());
    const QSet<QString> introduction{
        "lblTarvolen", "lblPQ", "lblPossibility", "rtfSelect", "rtfSuppose1", "rtfSuppose2",
        "rtBox1", "rtBox2", "rtBox3", "rtBox4", "rtBox5", "rtfHighlight", "lblNext", "lblHome",
        // Shown with nothing to see: Back lies under Next, lblCombo is bare and transparent.
        "lblBack", "lblCombo"};
    QCOMPARE(visible, introduction);
    QVERIFY(w.lblCombo->caption().isEmpty() && w.lblCombo->isTransparent());
}

void CasesTest::classifiesEveryCombination()
{
    frmTarvolen_300413 w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.lblNext_Click();

    // Each step moves one list by one item; PQ runs up and down while r2, then r1, turn over,
    // so all 325 combinations come once each.
    std::vector<std::array<int, 3>> walk;
    for (int r1 = 1; r1 <= 5; ++r1)
        for (int j = 0; j < 5; ++j)
            for (int k = 0; k <= 12; ++k)
                walk.push_back({r1, r1 % 2 ? 1 + j : 5 - j, walk.size() / 13 % 2 ? 12 - k : k});
    QCOMPARE(walk.size(), size_t(325));

    // From the placeholders the first arrow key picks the first item.
    QTest::keyClick(w.CboR1, Qt::Key_Down);
    QTest::keyClick(w.CboR2, Qt::Key_Down);
    const QColor yellow(255, 255, 0);
    const auto boxes = w.caseBoxes();
    std::set<int> everLit;
    int previous = -1;
    std::array<int, 3> at = {1, 1, -1};
    for (const auto &next : walk) {
        toolkit::ComboBox *lists[] = {w.CboR1, w.CboR2, w.CboPQ};
        for (int i = 0; i < 3; ++i)
            if (next[i] != at[i])
                QTest::keyClick(lists[i], next[i] > at[i] ? Qt::Key_Down : Qt::Key_Up);
        at = next;
        const QString name = QStringLiteral("r1=%1 r2=%2 PQ=%3: ").arg(at[0]).arg(at[1]).arg(at[2]);
        QVERIFY2(w.r1 == at[0] && w.r2 == at[1] && w.PQ == at[2], qPrintable(name + "lists not read"));

        const int lit = expectedCase(at[0], at[1], at[2]) - 1;
        everLit.insert(lit);
        for (int i = 0; i < 5; ++i) {
            const toolkit::RichTextBox *box = boxes[i];
            const QString where = name + box->objectName();
            if (i == lit)
                QVERIFY2(box->emphasis() && box->backColor() == yellow
                             && box->toolTip() == w.rtfHighlight->text(),
                         qPrintable(where + " not highlighted"));
            else
                QVERIFY2(!box->emphasis() && box->backColor() == w.backColor() && box->toolTip().isEmpty(),
                         qPrintable(where + " not plain"));
            // A box once highlighted keeps the 0.7 cm height; the others their 405 twips.
            const int height = everLit.count(i) ? toolkit::cmToPixel(0.7) : toolkit::twipsToPixel(405);
            QVERIFY2(box->height() == height,
                     qPrintable(where + QStringLiteral(" is %1 px high").arg(box->height())));
        }
        // What the learner sees: yellow in a dark border, and the box lit before plain again.
        if (lit != previous) {
            const QImage image = boxes[lit]->grab().toImage();
            const int mid = image.width() / 2;
            QVERIFY2(testing::near(image.pixelColor(mid, 1), yellow, 10),
                     qPrintable(name + "no yellow seen"));
            QVERIFY2(qGray(image.pixel(mid, 0)) < 100 && qGray(image.pixel(0, image.height() / 2)) < 100,
                     qPrintable(name + "no border seen"));
            if (previous >= 0) {
                const QImage before = boxes[previous]->grab().toImage();
                QVERIFY2(testing::near(before.pixelColor(mid, 0), w.backColor(), 10)
                             && testing::near(before.pixelColor(mid, 1), w.backColor(), 10),
                         qPrintable(name + "the box lit before still looks lit"));
            }
            previous = lit;
        }
    }
    QCOMPARE(everLit.size(), size_t(5));
}

void CasesTest::subscripts_data()
{
    QTest::addColumn<QString>("after");
    QTest::newRow("start-up") << "start-up";
    QTest::newRow("highlighting case (3)") << "highlight";
    QTest::newRow("Back from the practice page") << "back";
}

void CasesTest::subscripts()
{
    QFETCH(QString, after);

    frmTarvolen_300413 w;
    if (after != QLatin1String("start-up")) {
        w.lblNext_Click();
        testing::choose(w.CboR1, QStringLiteral("2"));
        testing::choose(w.CboR2, QStringLiteral("3"));
        testing::choose(w.CboPQ, QStringLiteral("4"));
        QVERIFY(w.rtBox3->emphasis());
        if (after == QLatin1String("back"))
            w.lblBack_Click();
    }
    // rtBox3 holds four names, rtBox5 the two of "r1 + r2": all of them are lowered.
    QCOMPARE(w.rtBox3->text().count(QRegularExpression("r[12]")), 4);
    QCOMPARE(w.rtBox5->text().count(QRegularExpression("r[12]")), 2);
    for (const toolkit::RichTextBox *box : w.caseBoxes())
        checkSubscripts(box, -80);
    if (after == QLatin1String("start-up")) {
        checkSubscripts(w.rtfSuppose1, -60);
        checkSubscripts(w.rtfSuppose2, -60);
        checkSubscripts(w.rtfHighlight, -80);
    }
}

QTEST_MAIN(CasesTest)
#include "tst_cases.moc"
