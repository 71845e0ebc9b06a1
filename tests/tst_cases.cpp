// The lesson as a learner meets it: every combination the lists offer against the circles' own
// geometry, in each language the lesson speaks, the practice page in each state after Next and the introduction Back restores, the
// prompt line's pixels, typed values, the Alt keys, the blinking of Next and of the pending list,
// and the pointer over the bare window or a control. Blink ticks are driven with fire().

#include "lesson_window/lesson_math.h"
#include "lesson_window/lesson_window.h"
#include "lesson_window/translation.h"
#include "test_support.h"

#include <QAccessible>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QTimer>
#include <QToolTip>
#include <QtTest>

#include <functional>

using Window = frmTarvolen_300413;
using toolkit::ComboBox;
using toolkit::Label;
using toolkit::RichTextBox;
using toolkit::Timer;

namespace {

const QColor kBlue(0, 0, 255), kRed(255, 0, 0), kYellow(255, 255, 0), kMagenta(255, 0, 255), kPale(213, 255, 220);
const QPoint kBare(12, 400);

QPoint centre(const QWidget *c) { return c->mapTo(c->window(), c->rect().center()); }
QPoint strip(const Window &w) { return QPoint(centre(testing::find<Label>(w, "lblCombo")).x(), testing::find(w, "Frame_Cbo")->geometry().bottom() + 4); }
// What the three lists show, drafts too.
QString lists(const Window &w) { return testing::find<ComboBox>(w, "CboR1")->currentText() + '|' + testing::find<ComboBox>(w, "CboR2")->currentText() + '|' + testing::find<ComboBox>(w, "CboPQ")->currentText(); }
// The figure above its centre line and below where a short border ends: circles, dots and the
// number over PQ (the letters below take the colours of whatever was drawn before).
QImage figure(Window &w) { return testing::figure(w).copy(0, 336, 1018, 153); }

// The sentence said in place of a case when the circles coincide: inked on the page, uncovered,
// and among what a screen reader reads there.
bool coincideSaid(Window &w)
{
    auto *said = w.findChild<toolkit::Label *>("lblCoincide");
    const int heard = QAccessible::queryAccessibleInterface(&w)->indexOfChild(QAccessible::queryAccessibleInterface(said));
    return heard >= 0 && !testing::inkBox(said->grab().toImage(), said->rect(), QColor(0, 0, 192)).isEmpty();
}

// A caption's colour as drawn (r red, b blue, d black, ? mixed); `amount` gets all its ink.
QChar ink(QWidget *label, int *amount = nullptr)
{
    const QImage shown = label->grab().toImage();
    QString seen;
    int all = 0;
    for (int p = 0; p < shown.width() * shown.height(); ++p) {
        const QColor c = shown.pixelColor(p % shown.width(), p / shown.width());
        all += !testing::near(c, kPale, 100);
        seen += testing::near(c, kRed) ? "r" : testing::near(c, kBlue) ? "b" : testing::near(c, Qt::black) ? "d" : "";
    }
    if (amount)
        *amount = all;
    return seen.size() > 3 && seen.count(seen[0]) == seen.size() ? seen[0] : QChar('?');
}

// Every text shown: the digit after each "r" 7 pt and lowered by its box's offset, nothing else
// lowered, and no sentence or word cut off at its box's edges (a full stop's advance may overhang
// by its blank, a caption by a pixel a side and by the descent of its last line).
void checkPage(const Window &w)
{
    for (const toolkit::RichTextBox *box : w.findChildren<toolkit::RichTextBox *>()) {
        const QString t = box->isVisibleTo(&w) ? box->text() : QString();
        for (int i = 1; i < t.size(); ++i) {
            const bool digit = t[i - 1] == 'r' && (t[i] == '1' || t[i] == '2'), plain = box->charFormatAt(i).baselineOffset() == 0;
            const bool lowered = box->charFormatAt(i).fontPointSize() == 7 && box->charOffsetTwipsAt(i) == (box->objectName().contains(QRegularExpression("rtBox|rtfHighlight")) ? -80 : -60);
            QVERIFY2(digit == lowered && (digit || plain), qPrintable(box->objectName() + t.left(i)));
        }
        QTextCursor end(box->document());
        end.movePosition(QTextCursor::End);
        QVERIFY2(t.isEmpty() || box->cursorRect(end).x() <= box->width() + 3, qPrintable(box->objectName()));
    }
    for (const toolkit::Label *label : w.findChildren<toolkit::Label *>()) {
        const QFontMetricsF font(label->font());
        const QRectF need = font.boundingRect(QRectF(label->rect()), Qt::TextWordWrap, label->caption());
        QVERIFY2(!label->isVisibleTo(&w) || !label->caption().contains(QRegularExpression("\\w{3}")) || (need.width() <= label->width() + 2 && need.height() - font.descent() <= label->height() + 1),
                 qPrintable(label->objectName() + ": " + label->caption()));
    }
}

// The window as shown but Next, whose blink state Back keeps, and the border's foot, which
// start-up leaves shorter; its lowest row in column 500.
QImage withoutNext(Window &w)
{
    QImage image = testing::grabWindow(w);
    QPainter painter(&image);
    painter.fillRect(testing::find(w, "lblNext")->geometry(), Qt::black);
    painter.fillRect(0, 700, 1018, 36, Qt::black);
    return image;
}
int borderFoot(Window &w) { return testing::inkBox(testing::grabWindow(w), QRect(500, 0, 1, 736), QColor(60, 104, 0), 8).bottom(); }

// Paper shows what the screen shows: the window painted as printing paints it, at 96 dpi, is
// the screen's picture pixel for pixel but in the lists' edit fields, which draw their text.
void checkPaper(Window &w)
{
    QImage paper(w.size(), QImage::Format_RGB32), screen = testing::grabWindow(w);
    QPainter painter(&paper), onScreen(&screen);
    w.paintWindow(painter);
    for (const QLineEdit *field : w.findChildren<QLineEdit *>())
        for (QPainter *image : {&painter, &onScreen})
            image->fillRect(QRect(field->mapTo(&w, QPoint()), field->size()), Qt::black);
    painter.end(), onScreen.end();
    QVERIFY2(paper == screen, "the page printed differs from the screen");
}

// The prompt line in pixels: its blue ink centred in its box (rtfSelect, or lblPQ at 1680
// twips, 10215 wide), and the border's olive top edge (row 32, 24..993 px) unbroken above it.
void checkPromptLine(Window &w, bool pqPrompt)
{
    const QImage image = testing::grabWindow(w);
    int left = image.width(), right = -1, gaps = 0;
    for (int p = 2 * image.width(); p < 31 * image.width(); ++p) {
        const QColor c = image.pixelColor(p % image.width(), p / image.width());
        if (c.blue() - c.green() > 40 && c.blue() - c.red() > 40)
            left = std::min(left, p % image.width()), right = std::max(right, p % image.width());
    }
    for (int x = 24; x <= 993; ++x)
        gaps += !testing::near(image.pixelColor(x, 32), QColor(60, 104, 0), 8);
    QVERIFY2(right - left > 200 && std::abs((left - 112) - ((pqPrompt ? 792 : 791) - right)) <= 6 && gaps == 0,
             qPrintable(QString::asprintf("ink from %d to %d px, %d gaps in the border", left, right, gaps)));
    checkPaper(w);
}

} // namespace

class LessonTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<Window> w; // a fresh one, shown, for every test; only fire() ticks its timers

    // Its controls by name, as a learner's tools find them.
    template <class T = QWidget> T *c(const char *name) const { return testing::find<T>(*w, name); }

    // The pointer comes from outside each time.
    void pointAt(QPoint spot) { QTest::mouseMove(w.get(), QPoint(-60, -60)), QTest::mouseMove(w.get(), spot); }

    // Before and after each step, the look of Next (caption d black, r red, b blue, a capital
    // when bold) or of the lists r1, r2, PQ (each m magenta, c cyan, g pale green, . else), and
    // which timers of the pair that blinks it run ('-' none). Steps: 1, 2, 5, 6 tick that timer;
    // the pointer onto n Next, h Home, b Back, p Print, s rtfSelect, w the bare window; N, B
    // click Next, Back; k Alt+N; x choose the next list, or r1 again once all are chosen.
    QString trace(const QString &steps, bool lists)
    {
        toolkit::Timer *timers[] = {c<Timer>("Timer1"), c<Timer>("Timer2"), c<Timer>("Timer5"), c<Timer>("Timer6")};
        const QWidget *spots[] = {c<Label>("lblNext"), c<Label>("lblHome"), c<Label>("lblBack"), c<Label>("lblPrint"), c<RichTextBox>("rtfSelect")};
        int regular = 0, amount;
        const auto now = [&] {
            QString look, running;
            for (ComboBox *list : {c<ComboBox>("CboR1"), c<ComboBox>("CboR2"), c<ComboBox>("CboPQ")}) {
                const QColor c = list->grab().toImage().pixelColor(3, 3);
                look += c == kMagenta ? 'm' : c == QColor(0, 255, 255) ? 'c' : c == kPale ? 'g' : '.';
            }
            const QChar colour = ink(c<Label>("lblNext"), &amount);
            regular = regular ? regular : amount; // the design look is regular
            for (const toolkit::Timer *timer : {timers[2 * lists], timers[2 * lists + 1]})
                running += timer->isEnabled() ? timer->objectName().right(1) : QString();
            look = lists ? look : QString(amount > regular * 1.2 ? colour.toUpper() : colour);
            return look + (running.isEmpty() ? QStringLiteral("-") : running);
        };
        QString seen = now();
        for (const QChar s : steps) {
            const int t = QStringLiteral("1256").indexOf(s), p = QStringLiteral("nhbps").indexOf(s);
            if (t >= 0)
                timers[t]->fire();
            else if (p >= 0 || s == 'w')
                pointAt(p >= 0 ? centre(spots[p]) : kBare);
            else if (s == 'N' || s == 'B')
                QTest::mouseClick(s == 'N' ? c<Label>("lblNext") : c<Label>("lblBack"), Qt::LeftButton);
            else if (s == 'k')
                QTest::keyClick(w->windowHandle(), Qt::Key_N, Qt::AltModifier);
            else // the lists chosen so far show numbers, the others their placeholders
                testing::choose(*w, QStringList{"CboR1", "CboR2", "CboPQ", "CboR1"}[::lists(*w).split('|').filter(QRegularExpression("^\\d")).size()], 3);
            seen += ' ' + now();
        }
        return seen;
    }

    void open(const QLocale &locale = QLocale::system())
    {
        lesson::useLanguage(locale);
        w = std::make_unique<Window>();
        testing::freezeBlinks(*w);
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }

    // The lesson in `locale`. Alt and Next's initial press Next; r2 waits for r1 and PQ for r2;
    // then coinciding circles and a lit case. Each step is checked on screen, and every text goes
    // to `seen` with the step and its control. Which case holds is caseOf's to check.
    void walk(const QLocale &locale, QStringList &seen)
    {
        open(locale);
        seen = QStringList{w->windowTitle(), QPrintDialog().windowTitle()};
        int step = 0;
        const auto look = [&] {
            checkPage(*w);
            for (const QWidget *c : w->findChildren<QWidget *>())
                if (const auto *label = qobject_cast<const toolkit::Label *>(c); label || qobject_cast<const toolkit::RichTextBox *>(c))
                    seen << QString("%1 %2: %3").arg(step).arg(c->objectName(), label ? label->caption() : static_cast<const toolkit::RichTextBox *>(c)->text())
                         << QString("%1 %2 description: %3").arg(step).arg(c->objectName(), c->accessibleDescription());
            ++step;
        };
        look();
        QTest::keyClick(w.get(), Qt::Key(c<Label>("lblNext")->caption()[0].toUpper().unicode()), Qt::AltModifier);
        look(); // the r1 prompt (1), r2's (4), PQ's (6)
        // From the placeholders to the first items, each list as soon as it is enabled.
        for (ComboBox *list : {c<ComboBox>("CboPQ"), c<ComboBox>("CboR2"), c<ComboBox>("CboR1"), c<ComboBox>("CboPQ"), c<ComboBox>("CboR2")})
            QTest::keyClick(list, Qt::Key_Down), look();
        QCOMPARE(lists(*w), QStringLiteral("1|1|PQ"));
        // PQ 0: the circles coincide, and the sentence said instead fits its place; PQ 1: case (3).
        QTest::keyClick(c<ComboBox>("CboPQ"), Qt::Key_Down), look();
        QVERIFY2(testing::caseLooks(*w) == "ggggg" && coincideSaid(*w), qPrintable(testing::caseLooks(*w)));
        QTest::keyClick(c<ComboBox>("CboPQ"), Qt::Key_Down), look();
        QVERIFY2(testing::caseLooks(*w) == "ggygg" && !coincideSaid(*w), qPrintable(testing::caseLooks(*w)));
        pointAt(kBare), pointAt(strip(*w)), look();
        // Back's key, beside Print and Home: a letter shared with either would press neither.
        QTest::keyClick(w.get(), Qt::Key(c<Label>("lblBack")->caption()[0].toUpper().unicode()), Qt::AltModifier), look();
        QVERIFY2(c<Label>("lblNext")->isVisible(), qPrintable(c<Label>("lblBack")->caption()));
    }

private slots:
    void init() { testing::prepareApplication(), open(); }

    // One row, the language of the desktop the test runs on: tests/CMakeLists.txt runs each row
    // by name under that language's full locale, so a row missing here fails there.
    void languages_data()
    {
        QTest::addColumn<QString>("words"); // the language, then some of its texts as its learners read them
        const QStringList rows = {
            "English|en|Chapter 4:  Tarvolen in a Plane.|Print|Next|circles touch each other externally."
            "|The two circles coincide: they have every point in common.",
            "German|de|Kapitel 4:  Tarvolen in der Ebene.|Drucken|Vor|berühren sich die beiden Kreise von außen.",
            "French|fr|Chapitre 4\u00A0:  Tarvolen dans le plan.|Imprimer|Suite|les deux cercles sont tangents extérieurement.",
            "Spanish|es|Capítulo 4:  Tarvolen en el plano.|Imprimir|Sigue|las circunferencias son tangentes exteriores.",
            "Italian|it|Capitolo 4:  Tarvolen nel piano.|Stampa|Vai|le circonferenze sono tangenti esternamente.",
            "Portuguese|pt|Capítulo 4:  Tarvolen no plano.|Imprimir|Próx.|as circunferências são tangentes exteriores.",
        };
        const QString desktop = QLocale::languageToCode(QLocale(QLocale::system().uiLanguages().value(0)).language());
        for (const QString &row : rows)
            if (row.section('|', 1, 1) == desktop)
                QTest::newRow(qPrintable(row.section('|', 0, 0))) << row.section('|', 1);
    }

    // The lesson as the desktop's language shows it, Qt's print dialog too: no text of words left
    // as in English, what the formatting looks for in each text (a case's number first, PQ, the
    // radius names, R²), the digits after r lowered, nothing cut off, a lit case and coinciding circles.
    void languages()
    {
        QFETCH(QString, words);
        QStringList english, seen;
        walk(QLocale::English, english);
        walk(QLocale::system(), seen);
        for (const QString &phrase : words.split('|').mid(1))
            QVERIFY2(seen.join('\n').contains(phrase), qPrintable(phrase));
        for (int i = 0; i < seen.size(); ++i)
            QVERIFY2(words.startsWith("en|") || seen[i] != english[i] || !english[i].section(": ", 1).contains(QRegularExpression("\\w{3}")), qPrintable(seen[i]));
        for (const QString anchor : {"0 lblTarvolen: .*R²", "0 rtfSuppose1: .*r1", "0 rtfSuppose2: .*r2", "1 rtfSelect: .*r1", "4 rtfSelect: .*r2", "6 lblPQ: .*PQ",
                                     "0 rtfHighlight: (?=.*r1)(?=.*r2).*PQ", "0 rtBox(\\d):  \\(\\1\\)  (?=.*r1)(?=.*r2).*PQ"}) {
            const QStringList texts = seen.filter(QRegularExpression('^' + anchor.section(": ", 0, 0) + ": "));
            QVERIFY2(!texts.isEmpty() && texts == texts.filter(QRegularExpression('^' + anchor)), qPrintable(anchor));
        }
    }

    void pages_data()
    {
        QTest::addColumn<int>("chosen"); // r1 = 2, r2 = 3, PQ = 4, in that order
        QTest::addColumn<QString>("prompt"); // on the prompt line after Back and Next
        QTest::newRow("nothing chosen") << 0 << "Now  select  length  of  radius  r1   for one circle.";
        QTest::newRow("r1 chosen") << 1 << "Select  length  of  radius  r2  for  the  other circle.";
        QTest::newRow("r1 and r2 chosen") << 2 << " Select the distance PQ between  their centers P and Q";
        QTest::newRow("all chosen") << 3 << "";
    }

    // The prompt line as each choice leaves it; Back brings the start-up page back with the
    // choices kept, and Next enters the practice page they call for.
    void pages()
    {
        QFETCH(int, chosen);
        QFETCH(QString, prompt);
        const QImage startUp = withoutNext(*w);
        checkPaper(*w);
        testing::click(*w, "lblNext");
        QStringList texts = {" r1", " r2", "PQ"};
        for (int i = 0; i < chosen; ++i)
            testing::choose(*w, QStringList{"CboR1", "CboR2", "CboPQ"}[i], i + 2), texts[i] = QString::number(i + 2);
        checkPromptLine(*w, chosen == 2);

        testing::click(*w, "lblBack");
        QVERIFY(withoutNext(*w) == startUp && borderFoot(*w) == 31 + 680 && lists(*w) == texts.join('|'));

        testing::click(*w, "lblNext");
        // lblPQ on the prompt line, unless rtfSelect covers it.
        const bool pqPrompt = c("lblPQ")->isVisible() && c("lblPQ")->pos() == testing::cmToPixel(2.963, 0.106);
        QCOMPARE(c("rtfSelect")->isVisible() ? c<RichTextBox>("rtfSelect")->text() : pqPrompt ? c<Label>("lblPQ")->caption() : "", prompt);
        QVERIFY(c("lblNext")->isHidden() && c("lblBack")->isVisible() && c("Frame_Cbo")->isVisible()
                && c("lblTarvolen")->pos() == testing::cmToPixel(3.175, 1.482)); // the heading beside the lists
        QVERIFY(c("rtfSuppose1")->isHidden() && c("rtfSuppose2")->isHidden() && c("lblPossibility")->isHidden());
        QVERIFY(c("rtfHighlight")->isHidden() && c("lblPrint")->isVisible() == (chosen == 3));
        for (int i = 0; i < 5; ++i)
            QVERIFY(c(qPrintable(QString("rtBox%1").arg(i + 1)))->pos() == testing::cmToPixel(3, 3 + i));
        QCOMPARE(c("CboR2")->isEnabled() + c("CboPQ")->isEnabled(), std::min(chosen, 2));
        // The border's outer line from row 32 (480 twips), 17.995 cm high with the figure, 7.995 without.
        QCOMPARE(borderFoot(*w), chosen == 3 ? 31 + 680 : 31 + 302);
        QCOMPARE(testing::caseLooks(*w), QString(chosen == 3 ? "ggygg" : "ggggg"));
        QVERIFY(testing::figureShown(*w) == (chosen == 3) && (chosen < 3 || w->focusWidget() == c("CboPQ")));

        // The strip below the lists brings the help arrow back on the practice page only, once
        // all three are chosen.
        pointAt(kBare), pointAt(strip(*w));
        QCOMPARE(c("frameHelp")->isVisible(), chosen == 3);
        testing::click(*w, "lblBack");
        pointAt(kBare), pointAt(strip(*w));
        QVERIFY(c("frameHelp")->isHidden());
        // Keys on the introduction page once reached the unseen list that had the keyboard and
        // rewrote the page; Next gives the keyboard to the list to choose next, or to the distance.
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_5, Qt::Key_Return})
            QTest::keyClick(w->windowHandle(), key);
        QVERIFY(lists(*w) == texts.join('|') && !testing::figureShown(*w) && testing::caseLooks(*w) == "ggggg");
        testing::click(*w, "lblNext");
        QTest::keyClick(w->windowHandle(), Qt::Key_Down);
        texts[std::min(chosen, 2)] = chosen == 3 ? "5" : chosen == 2 ? "0" : "1";
        QCOMPARE(lists(*w), texts.join('|'));
    }

    // The introduction page as it reads, blanks and all (pages sees Back bring it back).
    void introductionTexts()
    {
        const auto read = [this] {
            QStringList seen{w->windowTitle()};
            for (const char *name : {"rtfSelect", "lblNext", "lblHome", "lblTarvolen", "rtfSuppose1", "rtfSuppose2", "lblPossibility",
                                     "rtBox1", "rtBox2", "rtBox3", "rtBox4", "rtBox5", "rtfHighlight", "lblPQ", "lblBack", "lblPrint", "lblHelp"})
                seen << (name[0] == 'l' ? c<Label>(name)->caption() : c<RichTextBox>(name)->text());
            return seen;
        };
        const QStringList expected = {"Chapter 4:  Tarvolen in a Plane.",
            "Programmer: tarvolen@example.org     (Website, example.org/tarvolen)", "Next", "Home",
            "Tarvolen in R\u00B2", "Suppose that the centre of a circle is P and its radius is r1.",
            "Suppose that in the same plane there is another circle with centre Q and radius r2.",
            "In this Situation one and only one Possibility exists, out of below five..",
            " (1)  If PQ =  r1 + r2 then the two circles touch each other externally.",
            " (2)  If PQ = | r1 - r2 | then the two circles touch each other internally.",
            " (3)  If | r1 - r2 | < PQ < r1 + r2  then the two circles intersect each other in 2 Points.",
            " (4)  If PQ < | r1 - r2 |  then the two circles neither intersect nor touch and one of them is inside the other.",
            " (5)  If PQ > r1 + r2  then the two circles do not intersect or touch and each is outside the other.",
            "It  will  be  highlighted  according  to  your selection  of  r1 ,  r2  and  PQ.",
            "Let us test it for practice..    Click 'Next'", "Back", "Print",
            "Double Click any of these 3 buttons and turn mouse wheel."};
        QCOMPARE(read(), expected);
    }

    void typedValues_data()
    {
        QTest::addColumn<QString>("before"); // chosen from the lists: r1, r2, PQ
        QTest::addColumn<QString>("typing"); // into which list, what, and how it is left: Enter, Tab, Escape or c a click on r1
        QTest::addColumn<QString>("after");  // what the lists show then
        QTest::newRow("typed radius, Enter") << "1|4|2" << "CboR1 2\r" << "2|4|2";
        QTest::newRow("typed distance, Tab") << "1|4|2" << "CboPQ 5\t" << "1|4|5";
        QTest::newRow("3.6 is 4") << "1|4|2" << "CboPQ 3.6\r" << "1|4|4";
        QTest::newRow("half to even") << "1|4|2" << "CboPQ 0.5\t" << "1|4|0";
        QTest::newRow("left by a click on another list") << "1|4|2" << "CboR2 3c" << "1|3|2";
        QTest::newRow("abc") << "1|4|2" << "CboPQ abc\r" << "1|4|2";
        QTest::newRow("40000") << "1|4|2" << "CboPQ 40000\t" << "1|4|2";
        QTest::newRow("-3") << "1|4|2" << "CboPQ -3\r" << "1|4|2";
        QTest::newRow("a radius off the list") << "1|4|2" << "CboR2 6c" << "1|4|2";
        QTest::newRow("Escape") << "1|4|2" << "CboPQ 7\x1b" << "1|4|2";
        QTest::newRow("before any choice") << " r1| r2|PQ" << "CboR1 9x\r" << " r1| r2|PQ";
    }

    // Typed text counts once committed, as the item of its value (read with a decimal point on any
    // desktop, half to even) or not at all; half-typed, it draws and lights nothing. Then the
    // figure with its number and the lit case are those of the same items chosen from the lists.
    void typedValues()
    {
        QFETCH(QString, before);
        QFETCH(QString, typing);
        QFETCH(QString, after);
        QTest::keyClick(w->windowHandle(), Qt::Key_N, Qt::AltModifier);
        const QImage blank = figure(*w);
        if (const QStringList v = before.split('|'); v[0] != " r1")
            testing::chooseAll(*w, v[0].toInt(), v[1].toInt(), v[2].toInt());
        auto *list = w->findChild<ComboBox *>(typing.section(' ', 0, 0));
        const QString text = typing.section(' ', 1).chopped(1);
        QTest::mouseClick(list->lineEdit(), Qt::LeftButton);
        QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(list, text);
        QVERIFY(list->currentText() == text && figure(*w) == blank && testing::caseLooks(*w) == "ggggg");
        const QChar leave = typing.back();
        if (leave == 'c')
            QTest::mouseClick(c<ComboBox>("CboR1")->lineEdit(), Qt::LeftButton);
        else
            QTest::keyClick(list, leave == '\r' ? Qt::Key_Return : leave == '\t' ? Qt::Key_Tab : Qt::Key_Escape);
        QCOMPARE(lists(*w), after);

        Window chosen;
        chosen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chosen));
        testing::click(chosen, "lblNext");
        QString lit = "ggggg";
        if (const QStringList a = after.split('|'); a[0] != " r1") {
            testing::chooseAll(chosen, a[0].toInt(), a[1].toInt(), a[2].toInt());
            lit[testing::expectedCase(a[0].toInt(), a[1].toInt(), a[2].toInt()) - 1] = 'y';
        }
        QVERIFY(figure(*w) == figure(chosen) && testing::caseLooks(*w) == lit);
    }

    void altKeys_data()
    {
        QTest::addColumn<int>("chosen"); // lists chosen on the practice page; -1: all, then back to the introduction
        QTest::addColumn<QString>("effects"); // of Alt+N, Alt+B, Alt+P and Alt+H
        QTest::newRow("introduction") << -1 << "practice page|-|-|closed";
        QTest::newRow("r1 and r2 chosen") << 2 << "-|introduction|-|closed";
        QTest::newRow("all chosen") << 3 << "-|introduction|print dialog|closed";
    }

    // Each Alt key presses its button where that is shown and does nothing where not, with the
    // keyboard in no list or in each (on the practice page), and types nothing into any list.
    void altKeys()
    {
        QFETCH(int, chosen);
        QFETCH(QString, effects);
        for (const QString focus : {"", "CboR1", "CboR2", "CboPQ"})
            for (int k = 0; k < 4 && (chosen > 0 || focus.isEmpty()); ++k) {
                open();
                int asked = 0;
                w->setPrintDialogRunner(std::make_unique<testing::AnsweringDialog>([&asked](QPrinter &) { return ++asked, false; }));
                const auto alt = [this](char letter) { QTest::keyClick(w->windowHandle(), Qt::Key(letter), Qt::AltModifier); };
                alt('N');
                for (int i = 0; i < std::abs(chosen); ++i)
                    QTest::keyClick(std::array{c<ComboBox>("CboR1"), c<ComboBox>("CboR2"), c<ComboBox>("CboPQ")}[size_t(i)], Qt::Key_Down);
                if (chosen < 0)
                    alt('B');
                if (!focus.isEmpty())
                    QTest::mouseClick(w->findChild<ComboBox *>(focus)->lineEdit(), Qt::LeftButton);
                else if (w->focusWidget())
                    w->focusWidget()->clearFocus();
                const QString shown = lists(*w);
                const QImage before = testing::grabWindow(*w);
                const bool introduction = c<Label>("lblNext")->isVisible();
                alt("NBPH"[k]);
                const QString seen = !w->isVisible() ? "closed" : asked ? "print dialog" : c<Label>("lblNext")->isVisible() != introduction
                                     ? (introduction ? "practice page" : "introduction") : testing::grabWindow(*w) == before ? "-" : "changed";
                QVERIFY2(seen == effects.section('|', k, k) && lists(*w) == shown, qPrintable(focus + " Alt+" + "NBPH"[k] + ": " + seen + ' ' + lists(*w)));
            }
    }

    void workedCondition_data()
    {
        QTest::addColumn<QList<int>>("v"); // r1, r2, PQ and the case lit
        QTest::addColumn<QString>("line");
        QTest::newRow("(1) r1=2 r2=3 PQ=5") << QList{2, 3, 5, 1} << "5 = 2 + 3";
        QTest::newRow("(2) r1=2 r2=5 PQ=3") << QList{2, 5, 3, 2} << "3 = |2 − 5|";
        QTest::newRow("(3) r1=2 r2=3 PQ=4") << QList{2, 3, 4, 3} << "|2 − 3| = 1 < 4 < 5 = 2 + 3";
        QTest::newRow("(4) r1=1 r2=4 PQ=2") << QList{1, 4, 2, 4} << "2 < 3 = |1 − 4|";
        QTest::newRow("(5) r1=5 r2=5 PQ=12") << QList{5, 5, 12, 5} << "12 > 10 = 5 + 5";
    }

    // The pointer resting on the lit case shows why it holds, above the highlight sentence the
    // page shows; a screen reader hears it after the values chosen.
    void workedCondition()
    {
        QFETCH(QList<int>, v);
        QFETCH(QString, line);
        QTest::mouseClick(c<QWidget>("lblNext"), Qt::LeftButton);
        testing::chooseAll(*w, v[0], v[1], v[2]);
        QWidget *box = c(qPrintable(QString("rtBox%1").arg(v[3])));
        pointAt(centre(box));
        QTRY_COMPARE(QToolTip::text(), line + '\n' + c<toolkit::RichTextBox>("rtfHighlight")->text());
        QVERIFY(QAccessible::queryAccessibleInterface(box)->text(QAccessible::Description).endsWith(". " + line));
    }

    void caseOf_data()
    {
        QTest::addColumn<QList<int>>("v"); // r1, r2, PQ and the case their circles show
        const char *names[] = {"coincide", "touch externally", "touch internally", "intersect", "one inside", "apart"};
        for (int n = 0; n < 325; ++n) {
            const int r1 = 1 + n / 65, r2 = 1 + n / 13 % 5, pq = n % 13, holds = testing::expectedCase(r1, r2, pq);
            QTest::addRow("%s r1=%d r2=%d PQ=%d", names[holds], r1, r2, pq) << QList{r1, r2, pq, holds};
        }
    }

    // The decision alone, for every combination the lists offer.
    void caseOf()
    {
        QFETCH(QList<int>, v);
        QCOMPARE(lesson::caseOf(int16_t(v[0]), int16_t(v[1]), int16_t(v[2])), v[3]);
    }

    void blinks_data()
    {
        QTest::addColumn<QString>("steps"); // those that begin with Next trace the lists
        QTest::addColumn<QString>("expected");
        // The ticks take turns; the pointer on Next stops both; Home does not restart them, the
        // bare window and rtfSelect do.
        QTest::newRow("Next, pointer") << "1212nhw12ns1" << "d1 r2 B1 r2 B1 r- r- r1 r2 B1 r- r1 r2";
        // The pointer sweeping in Timer2's turn, or while both run: the next tick leaves one.
        QTest::newRow("Next, sweeping") << "1w2w1w21w1" << "d1 r2 r12 B1 B1 r2 r12 B1 r2 r12 r2";
        // Next by its key: in Timer1's turn the hidden Next goes on; in Timer2's, Timer1 takes
        // over, so Back finds it blinking.
        QTest::newRow("Next, by its key") << "12k12B1kB" << "d1 r2 B1 B1 r2 B1 B1 r2 r1 r1";
        QTest::newRow("Next, Back and Print do not restart it") << "nNxxxbphB" << "d1 r- r- r- r- r- r- r- r- r-";
        // The ticks take turns; r1 chosen in Timer6's turn: the next tick leaves one.
        QTest::newRow("lists, r1 pending") << "N56565x65" << "...- ...5 m..6 c..5 m..6 c..5 m..6 g..56 gc.5 gm.6";
        // PQ chosen in Timer6's turn stops both; a change of r1 then runs Timer5, painting nothing.
        QTest::newRow("lists, PQ pending") << "Nxx565xx56" << "...- ...5 g..5 gg.5 ggm6 ggc5 ggm6 ggg- ggg5 ggg6 ggg5";
        // Back touches neither timer; Next comes in Timer6's turn.
        QTest::newRow("lists, Back and Next") << "N5BN6" << "...- ...5 m..6 m..6 m..56 c..5";
    }

    void blinks()
    {
        QFETCH(QString, steps);
        QFETCH(QString, expected);
        QCOMPARE(trace(steps, steps.startsWith('N')), expected);
    }

    // A tick gives the other timer of its pair a whole interval even when it already ran, so
    // each look lasts its 400 ms while the pointer sweeps the window or a radius is chosen.
    void handOverGivesAFullInterval()
    {
        const auto handOver = [](toolkit::Timer *first, toolkit::Timer *second, const std::function<void()> &again) {
            const auto left = [first] { return first->findChild<QTimer *>()->remainingTime(); };
            first->fire();
            again(); // enables `first` again in the turn of `second`
            QTRY_VERIFY(left() > 100 && left() < 250);
            second->fire();
            QVERIFY2(left() > 300, qPrintable(second->objectName() + " should give a full interval"));
        };
        handOver(c<Timer>("Timer1"), c<Timer>("Timer2"), [&] { pointAt(kBare); });
        testing::click(*w, "lblNext");
        handOver(c<Timer>("Timer5"), c<Timer>("Timer6"), [&] { testing::choose(*w, "CboR1", 2); });
    }

    // The window's own surface (bare, its lines and shapes, the figure) hides the help arrow,
    // turns Back, Home and Print blue and restarts Next's blink; rtfSelect turns only Back and
    // Home blue and restarts the blink; a button label turns red under the pointer; any other
    // control, with a handler of its own or none, keeps the move to itself.
    void pointer()
    {
        testing::click(*w, "lblNext");
        testing::chooseAll(*w, 2, 3, 4);
        const std::pair<QPoint, const char *> spots[] = { // help arrow, Back, Home, Print, Timer1
            {kBare, "-bbb1"}, {QPoint(24, 400), "-bbb1"}, {QPoint(33, 400), "-bbb1"}, // Shape3, Shape1
            {testing::cmToPixel(11, 11), "-bbb1"}, // the top of the circle about P
            {centre(c<Label>("lblBack")), "hrbb-"}, {centre(c<Label>("lblHome")), "hrrb-"}, {centre(c<Label>("lblPrint")), "hrrr-"},
            {centre(c<RichTextBox>("rtfSelect")), "hbbr1"}, {centre(c<Label>("lblTarvolen")), "hbbr-"}, {centre(c<ComboBox>("CboR1")), "hbbr-"},
            {centre(c<RichTextBox>("rtBox3")), "hbbr-"}, {c("Frame_Cbo")->mapTo(w.get(), QPoint(2, 2)), "hbbr-"},
            {c("frameHelp")->mapTo(w.get(), QPoint(100, 75)), "hbbr-"}, {strip(*w), "hbbr-"}};
        for (const auto &[spot, expected] : spots) { // the labels keep their colours from row to row
            pointAt(strip(*w)), c<Timer>("Timer1")->fire(); // the help arrow up, Timer1 handed over
            pointAt(spot);
            const QString seen = QString(c("frameHelp")->isVisible() ? 'h' : '-') + ink(c<Label>("lblBack")) + ink(c<Label>("lblHome"))
                                 + ink(c<Label>("lblPrint")) + (c<Timer>("Timer1")->isEnabled() ? '1' : '-');
            QVERIFY2(seen == expected, qPrintable(QString::asprintf("(%d, %d): ", spot.x(), spot.y()) + seen));
        }
    }
};

QTEST_MAIN(LessonTest)
#include "tst_cases.moc"
