#include "test_support.h"

#include "lesson_window/lesson_window.h"
#include "toolkit/units.h"

#include <QApplication>
#include <QStyleFactory>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace testing {

void prepareApplication()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    toolkit::installFontSubstitutions();
    QApplication::setCursorFlashTime(0); // a text cursor that stays, so two pictures agree
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

QRect inkBox(const QImage &image, const QRect &area, const QColor &colour, int tolerance)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            box |= near(image.pixelColor(x, y), colour, tolerance) ? QRect(x, y, 1, 1) : QRect();
    return box;
}

void freezeBlinks(frmTarvolen_300413 &window)
{
    for (toolkit::Timer *timer : {window.Timer1, window.Timer2, window.Timer5, window.Timer6})
        timer->findChild<QTimer *>()->blockSignals(true);
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

void chooseAll(frmTarvolen_300413 &window, int r1, int r2, int pq)
{
    choose(window.CboR1, QString::number(r1));
    choose(window.CboR2, QString::number(r2));
    choose(window.CboPQ, QString::number(pq));
}

int expectedCase(int r1, int r2, int pq)
{
    if (pq == 0)
        return r1 == r2 ? 0 : 4; // coinciding circles share every point: none of the five
    // The common chord stands n / (2 pq) from P; the sign of 4 pq² r1² - n² gives 2, 1 or 0
    // shared points.
    const long n = long(pq) * pq + long(r1) * r1 - long(r2) * r2;
    const long chord = 4L * pq * pq * r1 * r1 - n * n;
    if (chord > 0)
        return 3;
    if (chord == 0) // one contact point: between the centres, or beyond them
        return (n >= 0 && n <= 2L * pq * pq) ? 1 : 2;
    return pq + std::min(r1, r2) < std::max(r1, r2) ? 4 : 5;
}

} // namespace testing
