#include "lesson_window/lesson_window.h"

#include "lesson_window/look.h"
#include "toolkit/units.h"

void frmTarvolen_300413::Timer1_Timer()
{
    lblNext->setForeColor(toolkit::bgr(look::kRed));
    lblNext->setFontBold(false);
    Timer1->handOverTo(Timer2);
}

void frmTarvolen_300413::Timer2_Timer()
{
    lblNext->setForeColor(toolkit::bgr(look::kBlue));
    lblNext->setFontBold(true);
    Timer2->handOverTo(Timer1);
}

void frmTarvolen_300413::lblNext_MouseMove()
{
    lblNext->setForeColor(toolkit::bgr(look::kRed));
    lblNext->setFontBold(false);
    Timer1->setEnabled(false);
    Timer2->setEnabled(false);
}
