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

#include "toolkit/canvas.h"
#include "toolkit/combo_box.h"

#include <QPainter>

namespace testing {

void choose(toolkit::ComboBox *combo, const QString &item)
{
    const int index = combo->findText(item);
    if (index < 0)
        qFatal("%s offers no item \"%s\"", qPrintable(combo->objectName()), qPrintable(item));
    combo->setCurrentIndex(index);
    emit combo->selected();
}

QImage renderCanvas(const toolkit::Canvas &canvas, double dpr)
{
    const QSize logical(frmTarvolen_300413::kClientWidth, frmTarvolen_300413::kClientHeight);
    QImage image(logical * dpr, QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    image.fill(QColor(213, 255, 220));
    QPainter painter(&image);
    canvas.paint(painter);
    painter.end();
    return image;
}

QImage paintedWindow(const frmTarvolen_300413 &window)
{
    QImage image(window.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    window.paintWindow(painter);
    return image;
}

} // namespace testing
