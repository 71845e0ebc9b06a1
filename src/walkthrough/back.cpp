#include "lesson_window/lesson_window.h"

#include "lesson_window/lesson_texts.h"
#include "lesson_window/look.h"
#include "toolkit/units.h"

namespace {
constexpr double kCaseLeft = 3.701;
constexpr double kCaseTops[5] = {5.927, 7.197, 8.467, 9.71, 11.007};
} // namespace

void frmTarvolen_300413::lblBack_Click()
{
    canvas.clear();
    lblPrint->hide();

    lblTarvolen->setCaption(tr(lesson::kHeading));
    lblTarvolen->show();
    toolkit::moveCm(lblTarvolen, look::kHeadingLeft, look::kHeadingTop);
    lblTarvolen->setFontName(QStringLiteral("Times New Roman"));
    lblTarvolen->setFontUnderline(true);
    lblTarvolen->setFontSize(20);

    lblPossibility->show();
    toolkit::setTopCm(lblPossibility, 4.868);
    rtfSuppose1->show();
    toolkit::setTopCm(rtfSuppose1, 2.752);
    rtfSuppose2->show();
    toolkit::setTopCm(rtfSuppose2, 3.598);
    rtfHighlight->show();

    const auto boxes = caseBoxes();
    for (int i = 0; i < 5; ++i)
        toolkit::moveCm(boxes[i], kCaseLeft, kCaseTops[i]);

    lblPQ->show();
    Frame_Cbo->hide();
    lblBack->hide();
    lblNext->show();
    toolkit::setTopCm(lblPQ, look::kInvitationTop);
    lblPQ->setCaption(tr(lesson::kInvitation));

    rtfSelect->show();
    // Still there when Next left the prompt line alone (both radii chosen, PQ not). The
    // prompt of the same words after PQ is centred: that one is written over.
    const QString credit = creditLine(), written = QLatin1String("credit line ") + credit;
    if (!rtfSelect->backToCheckpoint(written)) {
        {
            const toolkit::RichTextBox::Batch batch(rtfSelect);
            rtfSelect->setText(credit);
            colourWholeText(rtfSelect, toolkit::bgr(look::kBlue));
        }
        rtfSelect->markCheckpoint(written);
    }

    setBorderHeight(look::kFullBorder);
    ResetCaseTexts();
}
