#include "lesson_window/lesson_window.h"

#include "lesson_window/lesson_texts.h"
#include "lesson_window/look.h"
#include "toolkit/units.h"

void frmTarvolen_300413::lblNext_Click()
{
    Frame_Cbo->show();
    if (!pqChosen()) {
        rtfSelect->show();
        setBorderHeight(look::kShortBorder);
        if (!CboPQ->isEnabled() && CboR2->isEnabled()) {
            formatPrompt(rtfSelect, tr(lesson::kPromptR2), {QStringLiteral("r2")});
        } else if (CboPQ->isEnabled() && CboR2->isEnabled()) {
            rtfSelect->hide();
            lblPQ->show();
            lblPQ->setCaption(tr(lesson::kPromptPQ));
        } else if (!CboR2->isEnabled() && CboR1->isEnabled()) {
            formatPrompt(rtfSelect, tr(lesson::kPromptR1), {QStringLiteral("r1")});
        }
        // The arrow keys choose at once, whichever way the page was turned.
        (!r1Chosen() ? CboR1 : !r2Chosen() ? CboR2 : CboPQ)->setFocus();
    } else {
        CboPQ_Click();
        CboPQ->setFocus();
        lblR1->show();
        lblR11->show();
        lblR2->show();
        lblR22->show();
        rtfSelect->hide();
        lblTarvolen->show();
        toolkit::moveCm(lblTarvolen, look::kHeadingLeft, look::kHeadingTop);
        lblTarvolen->setCaption(tr(lesson::kHeading));
        setBorderHeight(look::kFullBorder);
    }
    rtfSuppose1->hide();
    rtfSuppose2->hide();
    lblPossibility->hide();
    rtfHighlight->hide();

    // Stopping a running Timer2 hands the blink to Timer1, or Back would find Next still.
    if (Timer2->isEnabled())
        Timer2->handOverTo(Timer1);
    Timer5->setEnabled(true);

    const auto boxes = caseBoxes();
    for (int i = 0; i < 5; ++i)
        toolkit::moveCm(boxes[i], 3, 3 + i);

    lblNext->hide();
    lblBack->show();
    toolkit::setTopCm(lblPQ, look::kPromptTop);
}
