#include "lesson_window/lesson_window.h"

#include "lesson_window/lesson_texts.h"
#include "lesson_window/look.h"
#include "toolkit/units.h"

// Form_Load's first two steps, run where the lists are made (makeLists): before the rest of
// Form_Load, or just after the first frame when the window makes its lists then.
void frmTarvolen_300413::fillLists()
{
    for (int n = 1; n <= 5; ++n) {
        CboR1->appendItem(QString::number(n));
        CboR2->appendItem(QString::number(n));
    }
    for (int n = 0; n <= 12; ++n)
        CboPQ->appendItem(QString::number(n));
}

void frmTarvolen_300413::Form_Load()
{
    toolkit::setTopCm(lblPQ, look::kInvitationTop);
    lblPQ->setCaption(tr(lesson::kInvitation));
    lblTarvolen->setCaption(tr(lesson::kHeading));

    rtfSuppose1->setText(tr(lesson::kSuppose1));
    rtfSuppose1->setSelAlignment(Qt::AlignLeft);
    lowerDigit(rtfSuppose1, QStringLiteral("r1"), look::kDigitDrop);
    lowerDigit(rtfSuppose1, QStringLiteral("r2"), look::kDigitDrop);

    rtfSuppose2->setText(tr(lesson::kSuppose2));
    rtfSuppose2->setSelAlignment(Qt::AlignLeft);
    lowerDigit(rtfSuppose2, QStringLiteral("r1"), look::kDigitDrop);
    lowerDigit(rtfSuppose2, QStringLiteral("r2"), look::kDigitDrop);

    rtfHighlight->setText(tr(lesson::kHighlight));
    rtfHighlight->setSelAlignment(Qt::AlignHCenter);
    lowerDigit(rtfHighlight, QStringLiteral("r1"), look::kCaseDigitDrop);
    lowerDigit(rtfHighlight, QStringLiteral("r2"), look::kCaseDigitDrop);

    rtfSelect->show();
    rtfSelect->setText(creditLine());
    colourWholeText(rtfSelect, toolkit::bgr(look::kBlue));

    lblHelp->setCaption(tr(lesson::kHelp));

    ResetCaseTexts();
}
