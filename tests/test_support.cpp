#include "test_support.h"

#include "lesson_window/lesson_window.h"
#include "toolkit/units.h"

#include <QApplication>
#include <QStyleFactory>

#include <cmath>
#include <cstdlib>

namespace testing {

void prepareApplication()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    toolkit::installFontSubstitutions();
}

QImage grabWindow(frmTarvolen_300413 &window)
{
    return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QPoint cmToPixel(double x, double y)
{
    return QPoint(int(std::lround(toolkit::cmToPx(x))), int(std::lround(toolkit::cmToPx(y))));
}

bool near(const QColor &a, const QColor &b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
           && std::abs(a.blue() - b.blue()) <= tolerance;
}

} // namespace testing
