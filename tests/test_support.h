#pragma once

#include <QColor>
#include <QImage>
#include <QString>

class frmTarvolen_300413;
class QWidget;

namespace testing {

// Pins what the pictures depend on: style, fonts, palette.
void prepareApplication();

// The window as the screen shows it, at a device-pixel ratio of 1.
QImage grabWindow(frmTarvolen_300413 &window);

// Centimetres of the window to design pixels.
QPoint cmToPixel(double x, double y);

bool near(const QColor &a, const QColor &b, int tolerance = 40);

} // namespace testing
