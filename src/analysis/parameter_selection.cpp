#include "lesson_window/lesson_window.h"

#include "lesson_window/lesson_math.h"
#include "lesson_window/lesson_texts.h"
#include "toolkit/units.h"

using toolkit::bgr;

namespace {
constexpr uint32_t kRed = 0x000000FF;
constexpr uint32_t kBlue = 0x00FF0000;
constexpr uint32_t kGreen = 0x0000C000;
constexpr uint32_t kDarkGreen = 0x00008000;
constexpr uint32_t kMagenta = 0x00FF00FF;
constexpr uint32_t kCyan = 0x00FFFF00;
constexpr float kFullBorder = 17.595f;
} // namespace

void frmTarvolen_300413::CboR1_Click()
{
    r1 = lesson::readParameter(CboR1->text());
    CboR2->setEnabled(true);
    if (!pqChosen() && r2Chosen()) {
        rtfSelect->hide();
        lblPQ->show();
    } else {
        lblPQ->hide();
    }
    if (pqChosen() && r2Chosen()) {
        HighlightCase();
        lblPQ->hide();
        setBorderHeight(kFullBorder);
    } else {
        formatPrompt(rtfSelect, tr(lesson::kPromptR2), {QStringLiteral("r2")});
    }
    lblR1->show();
    lblR11->show();
    CboR1->setBackColor(backColor());
    DrawCircles();
    Timer5->setEnabled(true);
}

void frmTarvolen_300413::CboR2_Click()
{
    r2 = lesson::readParameter(CboR2->text());
    CboPQ->setEnabled(true);
    if (!pqChosen() && r1Chosen()) {
        rtfSelect->hide();
        lblPQ->show();
        lblPQ->setCaption(tr(lesson::kPromptPQ));
    } else {
        lblPQ->hide();
    }
    if (pqChosen() && r1Chosen()) {
        HighlightCase();
        setBorderHeight(kFullBorder);
    }
    lblR2->show();
    lblR22->show();
    CboR2->setBackColor(backColor());
    DrawCircles();
    Timer5->setEnabled(true);
}

void frmTarvolen_300413::CboPQ_Click()
{
    PQ = lesson::readParameter(CboPQ->text());
    canvas.clear();
    lblPrint->show();
    lblPQ->hide();
    lblPQ1->show();
    for (toolkit::RichTextBox *box : caseBoxes())
        box->setToolTip(QString());
    rtfSelect->show();
    formatPrompt(rtfSelect, creditLine(), {QStringLiteral("r1"), QStringLiteral("r2")});

    MidX = 13;
    CentreY = 13;
    Px = float(13.0 - PQ / 2.0);
    Qx = float(PQ / 2.0 + 13.0);
    SumR = lesson::add16(r1, r2);
    DiffR = lesson::abs16(lesson::sub16(r1, r2));

    canvas.setDrawWidth(2);
    canvas.circle(Px, CentreY, r1, bgr(kRed));
    canvas.circle(Qx, CentreY, r2, bgr(kRed));
    canvas.segment(Px, CentreY, Qx, CentreY, bgr(kBlue));

    canvas.setForeColor(bgr(kBlue));
    canvas.setFontSize(8);
    canvas.setFontBold(true);
    canvas.setCurrentX(MidX - 0.2);
    canvas.setCurrentY(CentreY - 0.35);
    canvas.printNumber(PQ);

    canvas.setFontSize(10);
    canvas.setFontBold(true);
    canvas.setForeColor(bgr(kRed));
    canvas.setCurrentX(Px);
    canvas.setCurrentY(CentreY + 0.1);
    canvas.print(QStringLiteral("P"));
    canvas.setDrawWidth(3);
    canvas.point(Px, CentreY, bgr(kGreen));
    canvas.setCurrentX(Qx);
    canvas.setCurrentY(CentreY + 0.1);
    canvas.print(QStringLiteral("Q"));
    canvas.setDrawWidth(3);
    canvas.point(Qx, CentreY, bgr(kDarkGreen));

    CboPQ->setBackColor(backColor());
    HighlightCase();
    Timer5->setEnabled(false);
    Timer6->setEnabled(false);
    ShadeCommonRegion();
    setBorderHeight(kFullBorder);
}

// Typed text is no choice until committed, and a figure of values no list shows would mislead:
// while a list holds a draft the figure and the lit case are put aside. A dropped draft gives
// them back as they were; a committed one is a choice, whose handler runs next.
void frmTarvolen_300413::Cbo_Change()
{
    const bool draft = CboR1->hasDraft() || CboR2->hasDraft() || CboPQ->hasDraft();
    if (draft == canvas.isAside())
        return;
    canvas.setAside(draft);
    if (draft)
        ResetCaseTexts();
    else if (r1Chosen() && r2Chosen() && pqChosen() && lblNext->isHidden())
        HighlightCase();
}

void frmTarvolen_300413::Timer5_Timer()
{
    if (!r1Chosen())
        CboR1->setBackColor(bgr(kMagenta));
    if (!r2Chosen() && r1Chosen()) {
        CboR2->setEnabled(true);
        CboR2->setBackColor(bgr(kMagenta));
    }
    if (!pqChosen() && r2Chosen())
        CboPQ->setBackColor(bgr(kMagenta));
    Timer5->handOverTo(Timer6);
}

void frmTarvolen_300413::Timer6_Timer()
{
    if (!r1Chosen())
        CboR1->setBackColor(bgr(kCyan));
    if (!r2Chosen() && r1Chosen())
        CboR2->setBackColor(bgr(kCyan));
    if (!pqChosen() && r2Chosen())
        CboPQ->setBackColor(bgr(kCyan));
    Timer6->handOverTo(Timer5);
}

void frmTarvolen_300413::lblCombo_MouseMove()
{
    if (r1Chosen() && r2Chosen() && pqChosen() && lblNext->isHidden())
        frameHelp->show();
}
