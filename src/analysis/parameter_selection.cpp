#include "lesson_window/lesson_window.h"

#include "lesson_window/lesson_math.h"
#include "lesson_window/lesson_texts.h"
#include "lesson_window/look.h"
#include "toolkit/units.h"

using toolkit::bgr;
using namespace look;

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
    radiusChosen(lblR1, lblR11, CboR1);
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
    radiusChosen(lblR2, lblR22, CboR2);
}

// Either radius chosen: its name shows in the frame, its list stops blinking, the figure is drawn.
void frmTarvolen_300413::radiusChosen(toolkit::Label *name, toolkit::Label *digit, toolkit::ComboBox *list)
{
    name->show();
    digit->show();
    list->setBackColor(backColor());
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

    drawCirclesAndLength();
    canvas.setFontSize(10);
    canvas.setFontBold(true);
    canvas.setForeColor(bgr(kRed));
    drawCentres(bgr(kDarkGreen));

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
