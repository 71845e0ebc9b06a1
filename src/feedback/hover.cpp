#include "lesson_window/lesson_window.h"

#include "lesson_window/look.h"
#include "toolkit/units.h"

namespace {
const QColor hoverColor() { return toolkit::bgr(look::kRed); }
const QColor restColor() { return toolkit::bgr(look::kBlue); }
} // namespace

void frmTarvolen_300413::lblBack_MouseMove()
{
    lblBack->setForeColor(hoverColor());
}

void frmTarvolen_300413::lblHome_MouseMove()
{
    lblHome->setForeColor(hoverColor());
}

void frmTarvolen_300413::lblPrint_MouseMove()
{
    lblPrint->setForeColor(hoverColor());
}

void frmTarvolen_300413::Form_MouseMove()
{
    frameHelp->hide();
    lblBack->setForeColor(restColor());
    lblHome->setForeColor(restColor());
    lblPrint->setForeColor(restColor());
    Timer1->setEnabled(true);
}

void frmTarvolen_300413::rtfSelect_MouseMove()
{
    lblBack->setForeColor(restColor());
    lblHome->setForeColor(restColor());
    Timer1->setEnabled(true);
}
