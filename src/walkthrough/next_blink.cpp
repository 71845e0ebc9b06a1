#include "lesson_window/lesson_window.h"

#include "toolkit/units.h"

namespace {
constexpr uint32_t kRed = 0x000000FF;
constexpr uint32_t kBlue = 0x00FF0000;
} // namespace

void frmTarvolen_300413::Timer1_Timer()
{
    lblNext->setForeColor(toolkit::bgr(kRed));
    lblNext->setFontBold(false);
    Timer1->handOverTo(Timer2);
}

void frmTarvolen_300413::Timer2_Timer()
{
    lblNext->setForeColor(toolkit::bgr(kBlue));
    lblNext->setFontBold(true);
    Timer2->handOverTo(Timer1);
}

void frmTarvolen_300413::lblNext_MouseMove()
{
    lblNext->setForeColor(toolkit::bgr(kRed));
    lblNext->setFontBold(false);
    Timer1->setEnabled(false);
    Timer2->setEnabled(false);
}
