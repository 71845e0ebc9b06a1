#include "lesson_window/lesson_window.h"

#include "lesson_window/lesson_math.h"
#include "lesson_window/lesson_texts.h"
#include "lesson_window/look.h"
#include "toolkit/units.h"

#include <vector>

namespace {

// The names whose digits are lowered in each case sentence. Each search starts at the
// beginning, so the sum "r1 + r2" is found separately from the first "r1".
const std::vector<const char *> kNamesLowered[5] = {
    {"r1", "r2"},
    {"r1", "r2"},
    {"r1", "r2", "r1 + r2"},
    {"r1", "r2"},
    {"r1 + r2"},
};

constexpr double kHighlightHeightCm = 0.7;

} // namespace

void frmTarvolen_300413::ResetCaseTexts()
{
    const auto boxes = caseBoxes();
    for (int i = 0; i < 5; ++i) {
        toolkit::RichTextBox *box = boxes[i];
        // A box still holding what the last reset wrote would get the same text, formats and
        // selection again: putting the selection back spares a relayout and a repaint of all
        // five boxes on every choice.
        if (!box->backToCheckpoint(QStringLiteral("case text"))) {
            writeCaseText(box, i);
            box->markCheckpoint(QStringLiteral("case text"));
        }
        box->setBackColor(backColor());
        box->setToolTip(QString());
        box->setAccessibleDescription(QString());
        box->setEmphasis(false);
    }
    lblCoincide->hide();
}

void frmTarvolen_300413::writeCaseText(toolkit::RichTextBox *box, int index)
{
    const toolkit::RichTextBox::Batch batch(box);
    box->setText(tr(lesson::kCaseTexts[index]));
    box->setSelFontSize(14);
    box->setSelBold(false);
    box->setSelColor(toolkit::bgr(look::kBlack));
    for (const char *name : kNamesLowered[index])
        lowerDigit(box, QLatin1String(name), look::kCaseDigitDrop);
}

void frmTarvolen_300413::HighlightCase()
{
    PQ = lesson::readParameter(CboPQ->text());
    SumR = lesson::add16(r1, r2);
    DiffR = lesson::abs16(lesson::sub16(r1, r2));
    ResetCaseTexts();

    // Two circles that coincide have every point in common: no case of the five is theirs.
    const int which = lesson::caseOf(r1, r2, PQ);
    if (which == 0) {
        lblCoincide->show();
        return;
    }
    toolkit::RichTextBox *box = caseBoxes()[size_t(which - 1)];
    box->setSelStart(0);
    box->find(box->text());
    box->setEmphasis(true);
    box->setBackColor(toolkit::bgr(look::kYellow));
    toolkit::setHeightCm(box, kHighlightHeightCm);
    // Why this case holds: its condition with the chosen values, above the highlight sentence
    // that the box has always shown as its tooltip (the page itself stays as designed).
    // Each of %1 to %5 by name: a condition uses only some of them, which arg() would renumber.
    QString worked = tr(lesson::kWorkedConditions[which - 1]);
    const int values[] = {r1, r2, PQ, DiffR, SumR};
    for (int i = 0; i < 5; ++i)
        worked.replace(QLatin1Char('%') + QString::number(i + 1),
                       QString::number(values[i]).replace(QLatin1Char('-'), QChar(0x2212)));
    box->setToolTip(worked + QLatin1Char('\n') + rtfHighlight->text());
    // The yellow is lost on a screen reader: say which case holds, for which values, and why.
    box->setAccessibleDescription(tr(lesson::kCaseHolds).arg(r1).arg(r2).arg(PQ) + QLatin1Char(' ') + worked);
}
