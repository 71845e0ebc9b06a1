// Next and Back between the two pages, in each of the four states the practice page can be
// entered in: what is shown, where it stands, what the prompt says and how it looks, and that
// going back and forth any number of times moves nothing.

#include "lesson_window/lesson_window.h"
#include "lesson_window/lesson_texts.h"
#include "test_support.h"
#include "toolkit/units.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

using Window = frmTarvolen_300413;

namespace {

const QColor kBlue(0, 0, 255);
const QColor kYellow(255, 255, 0);

enum Progress { Nothing, R1, R1R2, All };

// The learner picks an item from the list: the box raises its selection event through Qt's
// own signal, so the handler runs through the window's real connection.
void pick(toolkit::ComboBox *combo, const QString &item)
{
    const int index = combo->findText(item);
    QVERIFY2(index >= 0, qPrintable(combo->objectName() + " offers no " + item));
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

// Chooses r1 = 2, r2 = 3, PQ = 4 (intersecting circles) as far as the progress says.
void chooseUpTo(Window &w, int progress)
{
    if (progress >= R1)
        pick(w.CboR1, QStringLiteral("2"));
    if (progress >= R1R2)
        pick(w.CboR2, QStringLiteral("3"));
    if (progress >= All)
        pick(w.CboPQ, QStringLiteral("4"));
}

// Everything a page change may touch: place, size and visibility of every named control,
// the lists' texts and enabled flags, the highlight marks and the border heights.
QStringList snapshot(const Window &w)
{
    QStringList lines;
    const auto widgets = w.findChildren<QWidget *>();
    for (const QWidget *widget : widgets) {
        const QString name = widget->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            continue;
        const QRect g = widget->geometry();
        QString line = QStringLiteral("%1 %2,%3 %4x%5 %6")
                           .arg(name)
                           .arg(g.x())
                           .arg(g.y())
                           .arg(g.width())
                           .arg(g.height())
                           .arg(widget->isVisibleTo(&w) ? "shown" : "hidden");
        if (auto *combo = qobject_cast<const toolkit::ComboBox *>(widget))
            line += QStringLiteral(" '%1' %2").arg(combo->text(), combo->isEnabled() ? "on" : "off");
        if (auto *box = qobject_cast<const toolkit::RichTextBox *>(widget))
            line += box->emphasis() ? QStringLiteral(" marked") : QString();
        lines << line;
    }
    lines.sort();
    lines << QStringLiteral("shapes %1 %2 %3")
                 .arg(w.Shape1->heightCm())
                 .arg(w.Shape2->heightCm())
                 .arg(w.Shape3->heightCm());
    return lines;
}

// Lists the lines that differ, so a failure names the control that moved.
QString differences(const QStringList &before, const QStringList &after)
{
    QStringList out;
    for (int i = 0; i < qMax(before.size(), after.size()); ++i) {
        const QString a = before.value(i), b = after.value(i);
        if (a != b)
            out << QStringLiteral("was [%1] now [%2]").arg(a, b);
    }
    return out.join(QLatin1String("; "));
}

bool at(const QWidget *widget, double leftCm, double topCm)
{
    return widget->pos() == testing::cmToPixel(leftCm, topCm);
}

void checkBorder(const Window &w, float shape1, float shape2, float shape3)
{
    QCOMPARE(w.Shape1->heightCm(), shape1);
    QCOMPARE(w.Shape2->heightCm(), shape2);
    QCOMPARE(w.Shape3->heightCm(), shape3);
}

// The whole text blue and centred; the radius digit alone 7 pt and 60 twips down.
void checkPrompt(const toolkit::RichTextBox *box, const QString &text, const QString &radius)
{
    QCOMPARE(box->text(), text);
    QVERIFY2(box->document()->firstBlock().blockFormat().alignment() & Qt::AlignHCenter,
             "the prompt should be centred");
    const int digit = text.indexOf(radius) + 1;
    QVERIFY(digit > 0);
    for (int i = 0; i < text.size(); ++i) {
        const QTextCharFormat format = box->charFormatAt(i);
        QVERIFY2(format.foreground().color() == kBlue,
                 qPrintable(QStringLiteral("character %1 of the prompt is not blue").arg(i)));
        if (i == digit) {
            QCOMPARE(format.fontPointSize(), 7.0);
            QCOMPARE(box->charOffsetTwipsAt(i), -60.0);
        } else {
            QVERIFY2(format.fontPointSize() != 7.0 && box->charOffsetTwipsAt(i) == 0.0,
                     qPrintable(QStringLiteral("character %1 '%2' of the prompt is lowered")
                                    .arg(i)
                                    .arg(text.at(i))));
        }
    }
}

void checkIntroductionPage(const Window &w, const QString &r1Text, const QString &r2Text,
                           const QString &pqText)
{
    QVERIFY(w.lblNext->isVisibleTo(&w));
    QVERIFY(w.lblBack->isHidden());
    QVERIFY(w.Frame_Cbo->isHidden());
    QVERIFY(!w.CboR1->isVisibleTo(&w));
    QVERIFY(w.lblPrint->isHidden());
    QVERIFY2(w.canvas.isEmpty(), "Back should wipe the figure");
    const QWidget *firstPage[] = {w.rtfSuppose1, w.rtfSuppose2, w.lblPossibility, w.rtfHighlight};
    for (const QWidget *shown : firstPage)
        QVERIFY2(shown->isVisibleTo(&w), qPrintable(shown->objectName() + " should be back"));
    QVERIFY(at(w.rtfSuppose1, 3.175, 2.752));
    QVERIFY(at(w.rtfSuppose2, 3.175, 3.598));
    QVERIFY(at(w.lblPossibility, 3.175, 4.868));

    const double tops[5] = {5.927, 7.197, 8.467, 9.71, 11.007};
    const auto boxes = w.caseBoxes();
    for (int i = 0; i < 5; ++i) {
        QVERIFY2(at(boxes[i], 3.701, tops[i]),
                 qPrintable(boxes[i]->objectName() + " not at its design place"));
        QVERIFY(!boxes[i]->emphasis());
        QCOMPARE(boxes[i]->backColor(), w.backColor());
        QVERIFY(boxes[i]->toolTip().isEmpty());
    }

    QVERIFY(w.lblPQ->isVisibleTo(&w));
    QVERIFY(at(w.lblPQ, 2.963, 15));
    QCOMPARE(w.lblPQ->caption(), QString::fromLatin1(lesson::kInvitation));

    QVERIFY(w.rtfSelect->isVisibleTo(&w));
    QVERIFY(w.rtfSelect->text().startsWith(QLatin1String("Programmer: ")));
    for (int i = 0; i < w.rtfSelect->text().size(); ++i)
        QVERIFY2(w.rtfSelect->charFormatAt(i).foreground().color() == kBlue, "credit line not all blue");

    QVERIFY(w.lblTarvolen->isVisibleTo(&w));
    QVERIFY(at(w.lblTarvolen, 3.175, 1.482));
    QCOMPARE(w.lblTarvolen->caption(), QStringLiteral("Tarvolen in R\u00B2"));
    QCOMPARE(w.lblTarvolen->labelFont().family(), QStringLiteral("Times New Roman"));
    QCOMPARE(w.lblTarvolen->labelFont().pointSizeF(), 20.0);
    QVERIFY(w.lblTarvolen->labelFont().underline());

    checkBorder(w, 17.595f, 17.345f, 17.995f);

    // The choices survive the page change.
    QCOMPARE(w.CboR1->text(), r1Text);
    QCOMPARE(w.CboR2->text(), r2Text);
    QCOMPARE(w.CboPQ->text(), pqText);
}

} // namespace

class WalkthroughTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::prepareApplication(); }

    void practicePage_data();
    void practicePage();
    void backNextLeavesNoDrift_data() { practicePage_data(); }
    void backNextLeavesNoDrift();
};

void WalkthroughTest::practicePage_data()
{
    QTest::addColumn<int>("progress");
    QTest::addColumn<QString>("r1Text");
    QTest::addColumn<QString>("r2Text");
    QTest::addColumn<QString>("pqText");

    QTest::newRow("nothing chosen") << int(Nothing) << " r1" << " r2" << "PQ";
    QTest::newRow("r1 chosen") << int(R1) << "2" << " r2" << "PQ";
    QTest::newRow("r1 and r2 chosen") << int(R1R2) << "2" << "3" << "PQ";
    QTest::newRow("all chosen") << int(All) << "2" << "3" << "4";
}

void WalkthroughTest::practicePage()
{
    QFETCH(int, progress);
    QFETCH(QString, r1Text);
    QFETCH(QString, r2Text);
    QFETCH(QString, pqText);

    Window w;
    w.lblNext_Click();
    chooseUpTo(w, progress);

    // Left by Back and entered again, twice: the second time must look like the first.
    for (int round = 0; round < 2; ++round) {
        w.lblBack_Click();
        checkIntroductionPage(w, r1Text, r2Text, pqText);
        w.lblNext_Click();

        QVERIFY(w.lblNext->isHidden());
        QVERIFY(w.lblBack->isVisibleTo(&w));
        for (const QWidget *list : {w.CboR1, w.CboR2, w.CboPQ})
            QVERIFY2(list->isVisibleTo(&w), qPrintable(list->objectName() + " should be seen"));
        const QWidget *firstPage[] = {w.rtfSuppose1, w.rtfSuppose2, w.lblPossibility, w.rtfHighlight};
        for (const QWidget *gone : firstPage)
            QVERIFY2(gone->isHidden(), qPrintable(gone->objectName() + " should be hidden"));

        const auto boxes = w.caseBoxes();
        for (int i = 0; i < 5; ++i)
            QVERIFY2(at(boxes[i], 3, 3 + i),
                     qPrintable(boxes[i]->objectName() + " not in the column at 3 cm"));
        QVERIFY2(at(w.lblPQ, 2.963, 0.106), "lblPQ should stand on the prompt line");
        QVERIFY(w.Timer5->isEnabled());
        QVERIFY(!w.Timer2->isEnabled());

        QVERIFY(w.CboR1->isEnabled());
        QCOMPARE(w.CboR2->isEnabled(), progress >= R1);
        QCOMPARE(w.CboPQ->isEnabled(), progress >= R1R2);
        QCOMPARE(w.CboR1->text(), r1Text);
        QCOMPARE(w.CboR2->text(), r2Text);
        QCOMPARE(w.CboPQ->text(), pqText);

        if (progress != All) {
            if (progress == R1R2) {
                QVERIFY(w.rtfSelect->isHidden());
                QVERIFY(w.lblPQ->isVisibleTo(&w));
                QCOMPARE(w.lblPQ->caption(), QString::fromLatin1(lesson::kPromptPQ));
            } else {
                QVERIFY(w.rtfSelect->isVisibleTo(&w));
                const bool r1Next = progress == Nothing;
                checkPrompt(w.rtfSelect,
                            QString::fromLatin1(r1Next ? lesson::kPromptR1 : lesson::kPromptR2),
                            r1Next ? QStringLiteral("r1") : QStringLiteral("r2"));
            }
            checkBorder(w, 7.595f, 7.345f, 7.995f);
            QVERIFY(w.canvas.isEmpty());
            QVERIFY(w.lblPrint->isHidden());
        } else {
            QVERIFY2(w.rtfSelect->isHidden(), "the prompt line should be empty");
            QVERIFY(w.lblPQ->isHidden());
            QVERIFY(w.lblPrint->isVisibleTo(&w));
            QCOMPARE(w.focusWidget(), static_cast<QWidget *>(w.CboPQ));
            for (const QWidget *caption : {w.lblR1, w.lblR11, w.lblR2, w.lblR22, w.lblPQ1})
                QVERIFY2(caption->isVisibleTo(&w),
                         qPrintable(caption->objectName() + " should be seen"));
            QVERIFY(w.lblTarvolen->isVisibleTo(&w));
            QVERIFY(at(w.lblTarvolen, 3.175, 1.482));
            QCOMPARE(w.lblTarvolen->caption(), QStringLiteral("Tarvolen in R\u00B2"));
            checkBorder(w, 17.595f, 17.345f, 17.995f);
            QVERIFY2(!w.canvas.isEmpty(), "Next should draw the figure again");
            // r1 = 2, r2 = 3, PQ = 4: two points of intersection.
            for (int i = 0; i < 5; ++i) {
                QCOMPARE(boxes[i]->emphasis(), i == 2);
                QCOMPARE(boxes[i]->backColor(), i == 2 ? kYellow : w.backColor());
            }
            QCOMPARE(w.rtBox3->toolTip(), w.rtfHighlight->text());
        }
    }
}

void WalkthroughTest::backNextLeavesNoDrift()
{
    QFETCH(int, progress);

    Window w;
    w.lblNext_Click();
    chooseUpTo(w, progress);
    w.lblBack_Click();
    const QStringList introduction = snapshot(w);
    w.lblNext_Click();
    const QStringList practice = snapshot(w);

    for (int cycle = 1; cycle <= 50; ++cycle) {
        w.lblBack_Click();
        if (cycle == 50)
            QVERIFY2(snapshot(w) == introduction, qPrintable(differences(introduction, snapshot(w))));
        w.lblNext_Click();
    }
    QVERIFY2(snapshot(w) == practice, qPrintable(differences(practice, snapshot(w))));
}

QTEST_MAIN(WalkthroughTest)
#include "tst_walkthrough.moc"
