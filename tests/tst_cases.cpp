// The lesson itself: reading the chosen numbers, the pages and what Next and Back do to them,
// every combination the lists offer against the circles' own geometry, the subscripts, and
// case boxes that must look freshly written after each reset.

#include "lesson_window/lesson_math.h"
#include "lesson_window/lesson_texts.h"
#include "lesson_window/lesson_window.h"
#include "test_support.h"
#include "toolkit/units.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QTextBlock>
#include <QtTest>

#include <array>
#include <set>

using Window = frmTarvolen_300413;

namespace {

const QColor kBlue(0, 0, 255);
const QColor kYellow(255, 255, 0);

bool at(const QWidget *widget, double leftCm, double topCm)
{
    return widget->pos() == testing::cmToPixel(leftCm, topCm);
}

QString borders(const Window &w)
{
    return QStringLiteral("%1 %2 %3").arg(w.Shape1->heightCm()).arg(w.Shape2->heightCm()).arg(w.Shape3->heightCm());
}

// Every digit after an "r" (or only the one at `only`) is 7 pt and lowered by the offset;
// nothing else is moved, resized or, when `colour` is given, of another colour.
void checkDigits(const toolkit::RichTextBox *box, int offsetTwips, int only = -1, QColor colour = {})
{
    const QString text = box->text();
    const double boxPoints = box->document()->defaultFont().pointSizeF();
    for (int i = 0; i < text.size(); ++i) {
        const bool digit = only >= 0 ? i == only
                                     : i > 0 && text.at(i - 1) == QLatin1Char('r')
                                           && (text.at(i) == QLatin1Char('1') || text.at(i) == QLatin1Char('2'));
        const QTextCharFormat f = box->charFormatAt(i);
        const double points = f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize() : boxPoints;
        const bool lowered = points == 7.0 && box->charOffsetTwipsAt(i) == offsetTwips && f.baselineOffset() < 0;
        const bool plain = points == boxPoints && f.baselineOffset() == 0;
        QVERIFY2((digit ? lowered : plain) && (!colour.isValid() || f.foreground().color() == colour),
                 qPrintable(QStringLiteral("%1, character %2 of \"%3\"").arg(box->objectName()).arg(i).arg(text)));
    }
}

// All a reset writes into a box: text, every character's format, alignment and selection.
QString describe(const toolkit::RichTextBox *box)
{
    QString out = box->text() + QLatin1Char('|');
    for (int i = 0; i < box->text().size(); ++i) {
        const QTextCharFormat f = box->charFormatAt(i);
        out += QStringLiteral("%1/%2/%3/%4 ").arg(f.fontPointSize()).arg(f.foreground().color().name())
                   .arg(f.fontWeight()).arg(box->charOffsetTwipsAt(i));
    }
    return out + QStringLiteral("| %1 %2+%3").arg(int(box->document()->firstBlock().blockFormat().alignment()))
                     .arg(box->selStart()).arg(box->selLength());
}

// Place, size and visibility of every named control, the lists' texts, the marks and borders.
QStringList snapshot(const Window &w)
{
    QStringList lines;
    for (const QWidget *widget : w.findChildren<QWidget *>()) {
        if (widget->objectName().isEmpty() || widget->objectName().startsWith(QLatin1String("qt_")))
            continue;
        const QRect g = widget->geometry();
        QString line = QStringLiteral("%1 %2,%3 %4x%5 %6").arg(widget->objectName()).arg(g.x()).arg(g.y())
                           .arg(g.width()).arg(g.height()).arg(widget->isVisibleTo(&w) ? "shown" : "hidden");
        if (auto *combo = qobject_cast<const toolkit::ComboBox *>(widget))
            line += QStringLiteral(" '%1' %2").arg(combo->text()).arg(combo->isEnabled());
        if (auto *box = qobject_cast<const toolkit::RichTextBox *>(widget))
            line += box->emphasis() ? " marked" : "";
        lines << line;
    }
    lines.sort();
    return lines << borders(w);
}

} // namespace

class LessonTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::prepareApplication(); }

    void numbers_data()
    {
        QTest::addColumn<QString>("expression"); // text to read, or "a + b", "a - b", "| a"
        QTest::addColumn<int>("value");
        QTest::newRow("leading blank") << " 3" << 3;
        QTest::newRow("half to even, up") << "3.5" << 4;
        QTest::newRow("half to even, down") << "2.5" << 2;
        QTest::newRow("negative half to even") << "-2.5" << -2;
        QTest::newRow("digits then letters") << "12abc" << 12;
        QTest::newRow("no number") << "abc" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("placeholder") << " r1" << 0;
        QTest::newRow("70000 saturates") << "70000" << 32767;
        QTest::newRow("-70000 saturates") << "-70000" << -32768;
        QTest::newRow("rounding past the end") << "32767.5" << 32767;
        QTest::newRow("huge exponent") << "1e999" << 32767;
        QTest::newRow("sum past the top") << "20000 + 20000" << 32767;
        QTest::newRow("sum past the bottom") << "-32768 + -1" << -32768;
        QTest::newRow("difference") << "2 - 5" << -3;
        QTest::newRow("difference past the top") << "32767 - -32768" << 32767;
        QTest::newRow("difference past the bottom") << "-32768 - 32767" << -32768;
        QTest::newRow("absolute value of the bottom") << "| -32768" << 32767;
    }

    // Numbers that do not fit 16 bits saturate instead of overflowing.
    void numbers()
    {
        QFETCH(QString, expression);
        QFETCH(int, value);
        const QStringList p = expression.split(QLatin1Char(' '));
        int got = lesson::readParameter(expression);
        if (p[0] == "|")
            got = lesson::abs16(int16_t(p[1].toInt()));
        else if (p.size() == 3 && (p[1] == "+" || p[1] == "-"))
            got = p[1] == "+" ? lesson::add16(int16_t(p[0].toInt()), int16_t(p[2].toInt()))
                              : lesson::sub16(int16_t(p[0].toInt()), int16_t(p[2].toInt()));
        QCOMPARE(got, value);
    }

    void startUp()
    {
        Window w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const struct { toolkit::ComboBox *combo; const char *placeholder; int first, last; } lists[] = {
            {w.CboR1, " r1", 1, 5}, {w.CboR2, " r2", 1, 5}, {w.CboPQ, "PQ", 0, 12}};
        for (const auto &list : lists) {
            QStringList expected, items;
            for (int n = list.first; n <= list.last; ++n)
                expected << QString::number(n);
            for (int i = 0; i < list.combo->count(); ++i)
                items << list.combo->itemText(i);
            QCOMPARE(items, expected);
            QCOMPARE(list.combo->text(), QString::fromLatin1(list.placeholder));
        }
        QVERIFY(!w.r1Chosen() && !w.r2Chosen() && !w.pqChosen());

        QSet<QString> visible;
        for (QWidget *child : w.findChildren<QWidget *>())
            if (dynamic_cast<toolkit::Printable *>(child) && child->isVisible()
                && !qobject_cast<toolkit::LineLayer *>(child))
                visible.insert(child->objectName());
        // Back lies under Next and lblCombo is bare and transparent: shown, nothing to see.
        QCOMPARE(visible, (QSet<QString>{"lblTarvolen", "lblPQ", "lblPossibility", "rtfSelect", "rtfSuppose1",
                                         "rtfSuppose2", "rtBox1", "rtBox2", "rtBox3", "rtBox4", "rtBox5",
                                         "rtfHighlight", "lblNext", "lblHome", "lblBack", "lblCombo"}));
        QVERIFY(w.lblCombo->caption().isEmpty() && w.lblCombo->isTransparent());
        for (const toolkit::RichTextBox *box : w.caseBoxes())
            checkDigits(box, -80);
        // Every sentence can be read to its end: the caret after its last character lies in
        // the box (a full stop's advance may overhang by the blank after its dot).
        for (toolkit::RichTextBox *box : {w.rtBox1, w.rtBox2, w.rtBox3, w.rtBox4, w.rtBox5, w.rtfSuppose1,
                                          w.rtfSuppose2, w.rtfHighlight}) {
            QTextCursor end(box->document());
            end.movePosition(QTextCursor::End);
            QVERIFY2(box->cursorRect(end).x() <= box->width() + 3,
                     qPrintable(QStringLiteral("%1 ends at %2 px, is %3 px wide").arg(box->objectName())
                                    .arg(box->cursorRect(end).x()).arg(box->width())));
        }
        checkDigits(w.rtfSuppose1, -60);
        checkDigits(w.rtfSuppose2, -60);
        checkDigits(w.rtfHighlight, -80);
    }

    // All 325 combinations, one arrow key at a time as a learner steps through the lists,
    // against the geometry of the two circles.
    void classifiesEveryCombination()
    {
        Window w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.lblNext_Click();
        std::vector<std::array<int, 3>> walk; // PQ runs up and down while r2, then r1, turn over
        for (int r1 = 1; r1 <= 5; ++r1)
            for (int j = 0; j < 5; ++j)
                for (int k = 0; k <= 12; ++k)
                    walk.push_back({r1, r1 % 2 ? 1 + j : 5 - j, walk.size() / 13 % 2 ? 12 - k : k});
        QTest::keyClick(w.CboR1, Qt::Key_Down); // from the placeholder to the first item
        QTest::keyClick(w.CboR2, Qt::Key_Down);
        const auto boxes = w.caseBoxes();
        std::set<int> everLit;
        int previous = -1;
        std::array<int, 3> now = {1, 1, -1};
        for (const auto &next : walk) {
            toolkit::ComboBox *lists[] = {w.CboR1, w.CboR2, w.CboPQ};
            for (int i = 0; i < 3; ++i)
                if (next[i] != now[i])
                    QTest::keyClick(lists[i], next[i] > now[i] ? Qt::Key_Down : Qt::Key_Up);
            now = next;
            const QString name = QStringLiteral("r1=%1 r2=%2 PQ=%3: ").arg(now[0]).arg(now[1]).arg(now[2]);
            QVERIFY2(w.r1 == now[0] && w.r2 == now[1] && w.PQ == now[2], qPrintable(name + "lists not read"));
            const int lit = testing::expectedCase(now[0], now[1], now[2]) - 1;
            everLit.insert(lit);
            for (int i = 0; i < 5; ++i) {
                const toolkit::RichTextBox *box = boxes[size_t(i)];
                const bool ok = i == lit ? box->emphasis() && box->backColor() == kYellow
                                               && box->toolTip() == w.rtfHighlight->text()
                                         : !box->emphasis() && box->backColor() == w.backColor()
                                               && box->toolTip().isEmpty();
                QVERIFY2(ok, qPrintable(name + box->objectName() + (i == lit ? " not highlighted" : " not plain")));
                // A box once highlighted keeps its 0.7 cm; the others their 405 twips.
                QCOMPARE(box->height(), everLit.count(i) ? toolkit::cmToPixel(0.7) : toolkit::twipsToPixel(405));
            }
            if (lit == previous)
                continue;
            // What the learner sees: yellow in a dark border, and the box lit before plain again.
            const QImage image = boxes[size_t(lit)]->grab().toImage();
            const int mid = image.width() / 2;
            QVERIFY2(testing::near(image.pixelColor(mid, 1), kYellow, 10) && qGray(image.pixel(mid, 0)) < 100
                         && qGray(image.pixel(0, image.height() / 2)) < 100,
                     qPrintable(name + "no yellow in a border seen"));
            if (previous >= 0) {
                const QImage before = boxes[size_t(previous)]->grab().toImage();
                QVERIFY2(testing::near(before.pixelColor(mid, 0), w.backColor(), 10), qPrintable(name + "still lit"));
            }
            previous = lit;
        }
        QCOMPARE(everLit.size(), size_t(5));
    }

    void pages_data()
    {
        QTest::addColumn<int>("chosen");
        QTest::newRow("nothing chosen") << 0;
        QTest::newRow("r1 chosen") << 1;
        QTest::newRow("r1 and r2 chosen") << 2;
        QTest::newRow("all chosen") << 3;
    }

    // The practice page in each state it can be entered in, left by Back and entered again;
    // fifty more turns of the page move nothing.
    void pages()
    {
        QFETCH(int, chosen);
        Window w;
        w.lblNext_Click();
        const char *values[] = {"2", "3", "4"};
        toolkit::ComboBox *lists[] = {w.CboR1, w.CboR2, w.CboPQ};
        QStringList texts = {" r1", " r2", "PQ"};
        for (int i = 0; i < chosen; ++i) {
            testing::choose(lists[i], QLatin1String(values[i]));
            texts[i] = QLatin1String(values[i]);
        }

        w.lblBack_Click();
        QVERIFY(w.lblNext->isVisibleTo(&w) && w.lblBack->isHidden() && w.Frame_Cbo->isHidden());
        QVERIFY(w.lblPrint->isHidden() && w.canvas.isEmpty() && testing::highlightedBox(w) == 0);
        for (const QWidget *shown : std::initializer_list<const QWidget *>{w.rtfSuppose1, w.rtfSuppose2, w.lblPossibility, w.rtfHighlight, w.lblPQ})
            QVERIFY2(shown->isVisibleTo(&w), qPrintable(shown->objectName() + " should be back"));
        QVERIFY(at(w.rtfSuppose1, 3.175, 2.752) && at(w.rtfSuppose2, 3.175, 3.598) && at(w.lblPossibility, 3.175, 4.868));
        const double tops[5] = {5.927, 7.197, 8.467, 9.71, 11.007};
        for (int i = 0; i < 5; ++i)
            QVERIFY2(at(w.caseBoxes()[size_t(i)], 3.701, tops[i]) && w.caseBoxes()[size_t(i)]->toolTip().isEmpty(),
                     qPrintable(w.caseBoxes()[size_t(i)]->objectName()));
        QVERIFY(at(w.lblPQ, 2.963, 15));
        QCOMPARE(w.lblPQ->caption(), QString::fromLatin1(lesson::kInvitation));
        QVERIFY(w.rtfSelect->text().startsWith(QLatin1String("Programmer: ")));
        for (int i = 0; i < w.rtfSelect->text().size(); ++i)
            QVERIFY2(w.rtfSelect->charFormatAt(i).foreground().color() == kBlue, "credit line not all blue");
        QCOMPARE(borders(w), QStringLiteral("17.595 17.345 17.995"));
        QCOMPARE(QStringList({w.CboR1->text(), w.CboR2->text(), w.CboPQ->text()}), texts);
        const QStringList introduction = snapshot(w);

        w.lblNext_Click();
        QVERIFY(w.lblNext->isHidden() && w.lblBack->isVisibleTo(&w) && w.Timer5->isEnabled());
        for (const QWidget *gone : std::initializer_list<const QWidget *>{w.rtfSuppose1, w.rtfSuppose2, w.lblPossibility, w.rtfHighlight})
            QVERIFY2(gone->isHidden(), qPrintable(gone->objectName() + " should be hidden"));
        for (int i = 0; i < 5; ++i)
            QVERIFY2(at(w.caseBoxes()[size_t(i)], 3, 3 + i), qPrintable(w.caseBoxes()[size_t(i)]->objectName()));
        QVERIFY(at(w.lblPQ, 2.963, 0.106));
        QCOMPARE(QStringList({w.CboR1->text(), w.CboR2->text(), w.CboPQ->text()}), texts);
        QCOMPARE(w.CboR2->isEnabled(), chosen >= 1);
        QCOMPARE(w.CboPQ->isEnabled(), chosen >= 2);
        if (chosen < 2) {
            // The prompt: blue, centred, its radius digit alone 7 pt and 60 twips down.
            const QString prompt = QString::fromLatin1(chosen ? lesson::kPromptR2 : lesson::kPromptR1);
            QCOMPARE(w.rtfSelect->text(), prompt);
            QVERIFY(w.rtfSelect->document()->firstBlock().blockFormat().alignment() & Qt::AlignHCenter);
            checkDigits(w.rtfSelect, -60, prompt.indexOf(chosen ? "r2" : "r1") + 1, kBlue);
        } else if (chosen == 2) {
            QVERIFY(w.rtfSelect->isHidden() && w.lblPQ->isVisibleTo(&w));
            QCOMPARE(w.lblPQ->caption(), QString::fromLatin1(lesson::kPromptPQ));
        } else {
            QVERIFY(w.rtfSelect->isHidden() && w.lblPQ->isHidden() && w.lblPrint->isVisibleTo(&w));
            QCOMPARE(w.focusWidget(), static_cast<QWidget *>(w.CboPQ));
            QVERIFY2(!w.canvas.isEmpty(), "Next should draw the figure again");
            QCOMPARE(testing::highlightedBox(w), 3);
            QCOMPARE(w.rtBox3->toolTip(), w.rtfHighlight->text());
        }
        QCOMPARE(borders(w), chosen == 3 ? QStringLiteral("17.595 17.345 17.995") : QStringLiteral("7.595 7.345 7.995"));
        QVERIFY(chosen == 3 || (w.canvas.isEmpty() && w.lblPrint->isHidden()));

        const QStringList practice = snapshot(w);
        for (int cycle = 0; cycle < 50; ++cycle) {
            w.lblBack_Click();
            w.lblNext_Click();
        }
        QCOMPARE(snapshot(w), practice);
        w.lblBack_Click();
        QCOMPARE(snapshot(w), introduction);
    }

    // The prompt line as it lands in pixels, on screen and on paper: whatever it says stands
    // centred in its box (a leading blank moves it by half a blank), and the outermost border
    // line (olive, the top of the 24..993 px rectangle, row 32) runs unbroken above the
    // filled label of the prompt line.
    void promptLine_data()
    {
        QTest::addColumn<int>("chosen");
        QTest::newRow("r1 prompt") << 0;
        QTest::newRow("r2 prompt") << 1;
        QTest::newRow("PQ prompt") << 2;
        QTest::newRow("credit line after PQ") << 3;
    }

    void promptLine()
    {
        QFETCH(int, chosen);
        Window w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.lblNext_Click();
        const char *values[] = {"2", "3", "4"};
        toolkit::ComboBox *lists[] = {w.CboR1, w.CboR2, w.CboPQ};
        for (int i = 0; i < chosen; ++i)
            testing::choose(lists[i], QLatin1String(values[i]));
        QCoreApplication::processEvents();
        // The box of the prompt: rtfSelect, or for PQ the label at 1680 twips, 10215 wide.
        const int boxLeft = 112, boxRight = chosen == 2 ? 792 : 791;
        for (const auto &[where, image] : {std::pair("screen", testing::grabWindow(w)),
                                           std::pair("paper", testing::paintedWindow(w))}) {
            int left = image.width(), right = -1;
            for (int y = 2; y <= 30; ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const QColor c = image.pixelColor(x, y);
                    if (c.blue() - c.green() > 40 && c.blue() - c.red() > 40) {
                        left = std::min(left, x);
                        right = std::max(right, x);
                    }
                }
            QVERIFY2(right - left > 200 && std::abs((left - boxLeft) - (boxRight - right)) <= 6,
                     qPrintable(QStringLiteral("%1: ink from %2 to %3 px, not centred in %4..%5")
                                    .arg(where).arg(left).arg(right).arg(boxLeft).arg(boxRight)));
            int gaps = 0;
            for (int x = 24; x <= 993; ++x)
                gaps += !testing::near(image.pixelColor(x, 32), QColor(60, 104, 0), 8);
            QVERIFY2(gaps == 0, qPrintable(QStringLiteral("%1: %2 of 970 pixels missing from the border's top edge")
                                               .arg(where).arg(gaps)));
        }
    }

    // A reset leaves a box alone while it holds what the last reset wrote; every case in
    // turn, a box scribbled on behind the lesson's back and Back must still leave the
    // unlit boxes exactly as a fresh window writes them.
    void resetBoxesLookFreshlyWritten()
    {
        Window fresh, w;
        const auto same = [&](int i) { return describe(w.caseBoxes()[size_t(i)]) == describe(fresh.caseBoxes()[size_t(i)]); };
        w.lblNext_Click();
        const int choices[][3] = {{2, 3, 5}, {2, 5, 3}, {2, 3, 4}, {1, 4, 2}, {1, 1, 12}, {1, 1, 12}, {3, 3, 0}};
        for (const auto &c : choices) {
            testing::chooseAll(w, c[0], c[1], c[2]);
            const int lit = testing::highlightedBox(w);
            QCOMPARE(lit, testing::expectedCase(c[0], c[1], c[2]));
            for (int i = 0; i < 5; ++i)
                QVERIFY2(i == lit - 1 || same(i), qPrintable(QStringLiteral("box %1 after case %2").arg(i + 1).arg(lit)));
            checkDigits(w.caseBoxes()[size_t(lit - 1)], -80);
        }
        testing::chooseAll(w, 2, 3, 5); // case (1)
        w.rtBox4->setText(QStringLiteral("scribbled"));
        w.rtBox5->setSelStart(0);
        w.rtBox5->find(QStringLiteral("outside"));
        w.rtBox5->setSelColor(Qt::red);
        w.rtBox2->setSelStart(0);
        w.rtBox2->setSelAlignment(Qt::AlignHCenter);
        testing::choose(w.CboPQ, QStringLiteral("4")); // case (3): the others reset
        QVERIFY(same(1) && same(3) && same(4));
        w.lblBack_Click();
        for (int i = 0; i < 5; ++i)
            QVERIFY2(same(i), qPrintable(QStringLiteral("box %1 after Back").arg(i + 1)));
    }

    void typedDistance_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("pq"); // as the lesson reads it
        QTest::addColumn<int>("box"); // with r1 = 1, r2 = 4: sum 5, difference 3
        QTest::newRow("a list value") << "5" << 5 << 1;
        QTest::newRow("leading blank") << " 3" << 3 << 2;
        QTest::newRow("half to even") << "3.5" << 4 << 3;
        QTest::newRow("letters") << "abc" << 0 << 4;
        QTest::newRow("huge") << "99999" << 32767 << 5;
        QTest::newRow("huge negative") << "-99999" << -32768 << 4;
    }

    // Typing is no choice: Qt commits a typed item on Enter or leaving, but the distance is
    // only read by the next radius change (centres kept) and drawn by Next after Back.
    void typedDistance()
    {
        QFETCH(QString, typed);
        QFETCH(int, pq);
        QFETCH(int, box);
        Window w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.lblNext_Click();
        testing::chooseAll(w, 2, 4, 4);
        QSignalSpy selections(w.CboPQ, &toolkit::ComboBox::selected);
        w.CboPQ->setFocus();
        w.CboPQ->lineEdit()->selectAll();
        QTest::keyClick(w.CboPQ, Qt::Key_Backspace);
        QTest::keyClicks(w.CboPQ, typed);
        QTest::keyClick(w.CboPQ, Qt::Key_Return);
        w.CboR1->setFocus();
        QCOMPARE(selections.count(), 0);
        QCOMPARE(w.CboPQ->text(), typed);
        QCOMPARE(w.PQ, int16_t(4));
        QCOMPARE(testing::highlightedBox(w), 3);

        testing::choose(w.CboR1, QStringLiteral("1"));
        QCOMPARE(w.PQ, int16_t(pq));
        QCOMPARE(testing::highlightedBox(w), box);
        QCOMPARE(w.Px, 11.0f);
        QCOMPARE(w.Qx, 15.0f);
        const QString number = pq < 0 ? QString::number(pq) : QLatin1Char(' ') + QString::number(pq);
        bool labelled = false;
        for (const toolkit::Canvas::Op &op : w.canvas.ops())
            labelled |= op.kind == toolkit::Canvas::Op::Text && op.text == number;
        QVERIFY2(labelled, qPrintable("the figure should show the typed distance " + number));

        w.lblBack_Click();
        w.lblNext_Click();
        QCOMPARE(testing::highlightedBox(w), box);
        QCOMPARE(w.Px, float(13.0 - pq / 2.0));
        QCOMPARE(w.Qx, float(pq / 2.0 + 13.0));
        QVERIFY(!testing::grabWindow(w).isNull()); // a figure far off the window paints too
    }
};

QTEST_MAIN(LessonTest)
#include "tst_cases.moc"
