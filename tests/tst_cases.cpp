// The introduction page at start-up and the five cases: every combination the lists offer is
// chosen with the keyboard, as a learner would, and the highlighted box is checked against
// the geometry of the two circles worked out here.

#include "lesson_window/lesson_window.h"
#include "test_support.h"
#include "toolkit/units.h"

#include <QtTest>

#include <algorithm>
#include <array>
#include <set>
#include <vector>

namespace {

// The case (1..5) that two circles show, from their shared points alone.
int expectedCase(int r1, int r2, int pq)
{
    if (pq == 0 && r1 == r2)
        return 2; // coinciding circles: the lesson counts them as touching internally
    if (pq == 0)
        return 4; // concentric: the smaller lies inside
    // The common chord stands at a = n / (2 pq) from P along PQ, half as long as
    // sqrt(r1² - a²); its sign, in integers, decides 0, 1 or 2 shared points.
    const long n = long(pq) * pq + long(r1) * r1 - long(r2) * r2;
    const long chord = 4L * pq * pq * r1 * r1 - n * n;
    if (chord > 0)
        return 3;
    if (chord == 0) // one contact point: between the centres, or beyond them
        return (n >= 0 && n <= 2L * pq * pq) ? 1 : 2;
    return pq + std::min(r1, r2) < std::max(r1, r2) ? 4 : 5;
}

QString caseName(int r1, int r2, int pq)
{
    return QStringLiteral("r1=%1 r2=%2 PQ=%3").arg(r1).arg(r2).arg(pq);
}

// Every digit of every "r1" and "r2" is lowered by the offset and 7 pt; nothing else moved
// or changed size.
void checkSubscripts(const toolkit::RichTextBox *box, int offsetTwips)
{
    const QString text = box->text();
    const double boxPoints = box->document()->defaultFont().pointSizeF();
    for (int i = 0; i < text.size(); ++i) {
        const bool digitOfName = i > 0 && text.at(i - 1) == QLatin1Char('r')
                                 && (text.at(i) == QLatin1Char('1') || text.at(i) == QLatin1Char('2'));
        const QTextCharFormat format = box->charFormatAt(i);
        const double points =
            format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize() : boxPoints;
        const QString where = QStringLiteral("%1, character %2 of \"%3\"")
                                  .arg(box->objectName()).arg(i).arg(text);
        if (digitOfName) {
            QVERIFY2(points == 7.0, qPrintable(where + QStringLiteral(": digit not 7 pt")));
            QVERIFY2(box->charOffsetTwipsAt(i) == offsetTwips && format.baselineOffset() < 0,
                     qPrintable(where + QStringLiteral(": digit not lowered as asked")));
        } else {
            QVERIFY2(points == boxPoints, qPrintable(where + QStringLiteral(": size changed")));
            QVERIFY2(format.baselineOffset() == 0, qPrintable(where + QStringLiteral(": moved")));
        }
    }
}

} // namespace

class CasesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::prepareApplication(); }

    void startUpLists();
    void startUpVisibleControls();
    void classifiesEveryCombination();
    void subscripts_data();
    void subscripts();
};

void CasesTest::startUpLists()
{
    frmTarvolen_300413 w;
    const struct {
        toolkit::ComboBox *combo;
        const char *placeholder;
        int first, last;
    } lists[] = {{w.CboR1, " r1", 1, 5}, {w.CboR2, " r2", 1, 5}, {w.CboPQ, "PQ", 0, 12}};
    for (const auto &list : lists) {
        QStringList expected;
        for (int n = list.first; n <= list.last; ++n)
            expected << QString::number(n);
        QStringList items;
        for (int i = 0; i < list.combo->count(); ++i)
            items << list.combo->itemText(i);
        QCOMPARE(items, expected);
        QCOMPARE(list.combo->text(), QString::fromLatin1(list.placeholder));
        QCOMPARE(list.combo->currentIndex(), -1);
    }
    QVERIFY(!w.r1Chosen() && !w.r2Chosen() && !w.pqChosen());
    QVERIFY(w.CboR1->isEnabled());
    QVERIFY(!w.CboR2->isEnabled());
    QVERIFY(!w.CboPQ->isEnabled());
    QCOMPARE(int(w.r1) | int(w.r2) | int(w.PQ), 0);
}

void CasesTest::startUpVisibleControls()
{
    frmTarvolen_300413 w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    QSet<QString> visible;
    for (QWidget *child : w.findChildren<QWidget *>())
        if (dynamic_cast<toolkit::Printable *>(child) && child->isVisible())
            visible.insert(child->objectName());
    const QSet<QString> seen{
        QStringLiteral("lblTarvolen"), QStringLiteral("lblPQ"), QStringLiteral("lblPossibility"),
        QStringLiteral("rtfSelect"), QStringLiteral("rtfSuppose1"), QStringLiteral("rtfSuppose2"),
        QStringLiteral("rtBox1"), QStringLiteral("rtBox2"), QStringLiteral("rtBox3"),
        QStringLiteral("rtBox4"), QStringLiteral("rtBox5"), QStringLiteral("rtfHighlight"),
        QStringLiteral("lblNext"), QStringLiteral("lblHome"),
        // Shown but with nothing to see: Back lies under Next, lblCombo has no caption.
        QStringLiteral("lblBack"), QStringLiteral("lblCombo")};
    QCOMPARE(visible, seen);
    QVERIFY(w.lblCombo->caption().isEmpty() && w.lblCombo->isTransparent());
    QVERIFY(w.canvas.isEmpty());
    QVERIFY(w.Timer1->isEnabled());
}

void CasesTest::classifiesEveryCombination()
{
    frmTarvolen_300413 w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.lblNext_Click();

    // A walk that changes one list by one item per step and meets every combination once:
    // PQ runs up and down while r2, then r1, turn over.
    std::vector<std::array<int, 3>> walk;
    for (int r1 = 1; r1 <= 5; ++r1)
        for (int j = 0; j < 5; ++j) {
            const int r2 = (r1 % 2) ? 1 + j : 5 - j;
            for (int k = 0; k <= 12; ++k) {
                const bool up = ((r1 - 1) * 5 + j) % 2 == 0;
                walk.push_back({r1, r2, up ? k : 12 - k});
            }
        }
    QCOMPARE(walk.size(), size_t(325));

    // From the placeholders the first arrow key picks the first item of each list.
    QTest::keyClick(w.CboR1, Qt::Key_Down);
    QTest::keyClick(w.CboR2, Qt::Key_Down);
    QVERIFY2(!w.rtBox1->emphasis() && !w.rtBox2->emphasis(), "highlight before PQ was chosen");

    const QColor yellow(255, 255, 0);
    const auto boxes = w.caseBoxes();
    const int plainHeight = toolkit::twipsToPixel(405);
    const int highlightHeight = toolkit::cmToPixel(0.7);
    std::set<int> everHighlighted;
    int previous = -1;
    std::array<int, 3> at = {1, 1, -1};
    for (const auto &next : walk) {
        toolkit::ComboBox *lists[] = {w.CboR1, w.CboR2, w.CboPQ};
        for (int i = 0; i < 3; ++i)
            if (next[i] != at[i])
                QTest::keyClick(lists[i], next[i] > at[i] ? Qt::Key_Down : Qt::Key_Up);
        at = next;
        const int r1 = at[0], r2 = at[1], pq = at[2];
        const QString name = caseName(r1, r2, pq);
        QVERIFY2(w.r1 == r1 && w.r2 == r2 && w.PQ == pq,
                 qPrintable(name + QStringLiteral(": the lists were not read")));

        const int expected = expectedCase(r1, r2, pq) - 1;
        everHighlighted.insert(expected);
        for (int i = 0; i < 5; ++i) {
            const toolkit::RichTextBox *box = boxes[i];
            const QString where = name + QStringLiteral(", ") + box->objectName();
            if (i == expected) {
                QVERIFY2(box->emphasis() && box->backColor() == yellow
                             && box->toolTip() == w.rtfHighlight->text(),
                         qPrintable(where + QStringLiteral(" is not highlighted")));
            } else {
                QVERIFY2(!box->emphasis() && box->backColor() == w.backColor()
                             && box->toolTip().isEmpty(),
                         qPrintable(where + QStringLiteral(" is not plain")));
            }
            const int height = everHighlighted.count(i) ? highlightHeight : plainHeight;
            QVERIFY2(box->height() == height,
                     qPrintable(where + QStringLiteral(" is %1 px high, expected %2")
                                            .arg(box->height()).arg(height)));
        }

        // What the learner sees: yellow inside a dark border, and the box left before plain.
        if (expected != previous) {
            const QImage lit = boxes[expected]->grab().toImage();
            const int mid = lit.width() / 2;
            QVERIFY2(testing::near(lit.pixelColor(mid, 1), yellow, 10),
                     qPrintable(name + QStringLiteral(": no yellow on screen")));
            QVERIFY2(qGray(lit.pixel(mid, 0)) < 100 && qGray(lit.pixel(0, lit.height() / 2)) < 100,
                     qPrintable(name + QStringLiteral(": no border on screen")));
            if (previous >= 0) {
                const QImage plain = boxes[previous]->grab().toImage();
                QVERIFY2(testing::near(plain.pixelColor(mid, 0), w.backColor(), 10)
                             && testing::near(plain.pixelColor(mid, 1), w.backColor(), 10),
                         qPrintable(name + QStringLiteral(": the previous box still looks highlighted")));
            }
            previous = expected;
        }
    }
    QCOMPARE(everHighlighted.size(), size_t(5));
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
    }
    if (after == QLatin1String("back"))
        w.lblBack_Click();

    // rtBox3 holds four names, rtBox5 the two of "r1 + r2": every one is lowered.
    const auto lowered = [](const toolkit::RichTextBox *box) {
        return box->text().count(QLatin1String("r1")) + box->text().count(QLatin1String("r2"));
    };
    QCOMPARE(lowered(w.rtBox3), 4);
    QCOMPARE(lowered(w.rtBox5), 2);
    for (const toolkit::RichTextBox *box : w.caseBoxes()) {
        checkSubscripts(box, -80);
        if (QTest::currentTestFailed())
            return;
    }
    if (after != QLatin1String("start-up"))
        return;
    checkSubscripts(w.rtfSuppose1, -60);
    checkSubscripts(w.rtfSuppose2, -60);
    checkSubscripts(w.rtfHighlight, -80);
}

QTEST_MAIN(CasesTest)
#include "tst_cases.moc"
