#include "lesson_window/lesson_window.h"

#include "lesson_window/lesson_math.h"
#include "lesson_window/look.h"
#include "toolkit/units.h"

#include <cmath>

using toolkit::bgr;
using namespace look;

void frmTarvolen_300413::DrawCircles()
{
    if (!pqChosen())
        return;
    canvas.clear();
    frameHelp->show();
    lblTarvolen->show();

    // The letters take whatever colour and font the surface has now.
    drawCentres(bgr(kGreen));
    drawCirclesAndLength();
    ShadeCommonRegion();
}

void frmTarvolen_300413::drawCentres(const QColor &qDot)
{
    canvas.setCurrentX(Px);
    canvas.setCurrentY(CentreY + 0.1);
    canvas.print(QStringLiteral("P"));
    canvas.setDrawWidth(3);
    canvas.point(Px, CentreY, bgr(kGreen));
    canvas.setCurrentX(Qx);
    canvas.setCurrentY(CentreY + 0.1);
    canvas.print(QStringLiteral("Q"));
    canvas.point(Qx, CentreY, qDot);
}

void frmTarvolen_300413::drawCirclesAndLength()
{
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
}

void frmTarvolen_300413::ShadeCommonRegion()
{
    canvas.setDrawWidth(1);
    // The grid is walked in single precision, as the lesson always has: the step is the float
    // nearest 0.2 and the bounds are fixed before the walk, so which points fall strictly
    // inside both circles is exactly reproducible.
    const float step = 0.2f;
    const float xFirst = Px - float(r1);
    const float xLast = Qx + float(r2);
    const int16_t yFirst = lesson::sub16(CentreY, r1);
    const int16_t yLast = lesson::add16(CentreY, r2);
    const QColor green = bgr(kGreen);
    for (x = xFirst; x <= xLast; x += step) {
        for (y = float(yFirst); y <= float(yLast); y += step) {
            const double dxP = double(Px) - double(x);
            const double dxQ = double(Qx) - double(x);
            const double dy = double(CentreY) - double(y);
            d1 = float(std::sqrt(dxP * dxP + dy * dy));
            d2 = float(std::sqrt(dxQ * dxQ + dy * dy));
            if (d1 < r1 && d2 < r2) {
                canvas.setDrawWidth(3);
                canvas.point(x, y, green);
            }
        }
    }
}
