// ResetCaseTexts leaves a case box alone when it still holds what the last reset wrote.
// That is only sound if the box notices every change of its text or formats, and if the
// boxes then look exactly as freshly written ones.

#include "lesson_window/lesson_window.h"
#include "test_support.h"

#include <QTextBlock>
#include <QtTest>

#include <functional>

namespace {

// Every character's format, the paragraph alignment and the selection: all a reset writes.
QString describe(const toolkit::RichTextBox *box)
{
    QString out = box->text() + QLatin1Char('|');
    for (int i = 0; i < box->text().size(); ++i) {
        const QTextCharFormat f = box->charFormatAt(i);
        out += QStringLiteral("%1:%2/%3/%4/%5/%6 ").arg(i)
                   .arg(f.fontPointSize())
                   .arg(f.foreground().color().name())
                   .arg(f.fontWeight())
                   .arg(box->charOffsetTwipsAt(i))
                   .arg(f.baselineOffset());
    }
    out += QStringLiteral("| align %1 | selection %2+%3")
               .arg(int(box->document()->firstBlock().blockFormat().alignment()))
               .arg(box->selStart())
               .arg(box->selLength());
    return out;
}

} // namespace

class CheckpointTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::prepareApplication(); }
    void everyChangeOfTheTextIsNoticed_data();
    void everyChangeOfTheTextIsNoticed();
    void resetBoxesLookFreshlyWritten();
    void aBoxChangedBehindTheLessonsBackIsRewritten();
};

void CheckpointTest::everyChangeOfTheTextIsNoticed_data()
{
    using Change = std::function<void(toolkit::RichTextBox &)>;
    QTest::addColumn<Change>("change");
    QTest::addColumn<bool>("unchanged");
    QTest::addRow("nothing") << Change([](toolkit::RichTextBox &) {}) << true;
    QTest::addRow("only the selection moved")
        << Change([](toolkit::RichTextBox &b) { b.setSelStart(0); b.find(b.text()); }) << true;
    QTest::addRow("a colour on an empty selection (typing format only)")
        << Change([](toolkit::RichTextBox &b) { b.setSelStart(3); b.setSelColor(Qt::red); }) << true;
    QTest::addRow("the same text written again")
        << Change([](toolkit::RichTextBox &b) { b.setText(b.text()); }) << false;
    QTest::addRow("a word coloured")
        << Change([](toolkit::RichTextBox &b) { b.setSelStart(0); b.find(QStringLiteral("PQ")); b.setSelColor(Qt::red); })
        << false;
    QTest::addRow("a digit lowered")
        << Change([](toolkit::RichTextBox &b) { b.setSelStart(0); b.find(QStringLiteral("r2")); b.upTo(QStringLiteral("2")); b.span(QStringLiteral("2")); b.setSelCharOffset(-60); })
        << false;
    QTest::addRow("the paragraph centred")
        << Change([](toolkit::RichTextBox &b) { b.setSelStart(0); b.setSelAlignment(Qt::AlignHCenter); }) << false;
    QTest::addRow("the text replaced through the document")
        << Change([](toolkit::RichTextBox &b) { b.document()->setPlainText(QStringLiteral("other")); }) << false;
}

void CheckpointTest::everyChangeOfTheTextIsNoticed()
{
    QFETCH(std::function<void(toolkit::RichTextBox &)>, change);
    QFETCH(bool, unchanged);
    toolkit::RichTextBox box;
    QVERIFY2(!box.backToCheckpoint(), "a box that never marked a checkpoint came back to one");
    box.setText(QStringLiteral(" (1)  If PQ =  r1 + r2 then the two circles touch each other externally."));
    box.setSelStart(0);
    box.find(QStringLiteral("r1"));
    box.upTo(QStringLiteral("1"));
    box.span(QStringLiteral("1"));
    box.setSelFontSize(7);
    box.markCheckpoint();
    const int start = box.selStart();
    const int length = box.selLength();

    change(box);
    QCOMPARE(box.backToCheckpoint(), unchanged);
    if (unchanged) {
        QCOMPARE(box.selStart(), start);
        QCOMPARE(box.selLength(), length);
    }
}

void CheckpointTest::resetBoxesLookFreshlyWritten()
{
    frmTarvolen_300413 fresh;
    frmTarvolen_300413 w;
    const auto plain = [&](int i) { return describe(fresh.caseBoxes()[size_t(i)]); };

    // Every case once, and back: each time the four other boxes must be as a fresh reset
    // writes them, and after Back all five.
    w.lblNext_Click();
    const struct { const char *r1, *r2, *pq; } choices[] = {
        {"2", "3", "5"}, {"2", "5", "3"}, {"2", "3", "4"}, {"1", "4", "2"}, {"1", "1", "12"},
        {"1", "1", "12"}, {"3", "3", "0"},
    };
    for (const auto &c : choices) {
        testing::choose(w.CboR1, QLatin1String(c.r1));
        testing::choose(w.CboR2, QLatin1String(c.r2));
        testing::choose(w.CboPQ, QLatin1String(c.pq));
        int highlighted = 0;
        for (int i = 0; i < 5; ++i) {
            toolkit::RichTextBox *box = w.caseBoxes()[size_t(i)];
            if (box->emphasis()) {
                ++highlighted;
                continue;
            }
            QCOMPARE(describe(box), plain(i));
        }
        QCOMPARE(highlighted, 1);
    }
    w.lblBack_Click();
    for (int i = 0; i < 5; ++i)
        QCOMPARE(describe(w.caseBoxes()[size_t(i)]), plain(i));
}

void CheckpointTest::aBoxChangedBehindTheLessonsBackIsRewritten()
{
    frmTarvolen_300413 fresh;
    frmTarvolen_300413 w;
    w.lblNext_Click();
    testing::choose(w.CboR1, QStringLiteral("2"));
    testing::choose(w.CboR2, QStringLiteral("3"));
    testing::choose(w.CboPQ, QStringLiteral("5")); // case (1)

    w.rtBox4->setText(QStringLiteral("scribbled"));
    w.rtBox5->setSelStart(0);
    w.rtBox5->find(QStringLiteral("outside"));
    w.rtBox5->setSelColor(Qt::red);
    testing::choose(w.CboPQ, QStringLiteral("4")); // case (3): the others reset
    QCOMPARE(describe(w.rtBox4), describe(fresh.rtBox4));
    QCOMPARE(describe(w.rtBox5), describe(fresh.rtBox5));
}

QTEST_MAIN(CheckpointTest)
#include "tst_checkpoint.moc"
