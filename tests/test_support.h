#pragma once

#include "printing/print_dialog.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

#include <functional>

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

// Bounding box of the pixels of `area` near a colour: where that ink landed, empty for none.
QRect inkBox(const QImage &image, const QRect &area, const QColor &colour, int tolerance = 60);

// Print answered as the system's dialog would: the answer fills in the printer, true prints.
struct AnsweringDialog : PrintDialogRunner
{
    explicit AnsweringDialog(std::function<bool(QPrinter &)> answer) : answer(std::move(answer)) {}
    bool run(QPrinter &printer, QWidget *) override { return answer(printer); }
    std::function<bool(QPrinter &)> answer;
};

// The four blink timers tick only by fire() from now on, so a run never depends on the clock.
void freezeBlinks(frmTarvolen_300413 &window);

} // namespace testing

namespace toolkit {
class Canvas;
class ComboBox;
} // namespace toolkit

namespace testing {

// A learner's choice from the list: the item becomes the box's own and the box raises its
// selection event, so the window's handler runs through the real connection.
void choose(toolkit::ComboBox *combo, const QString &item);

// The kept drawing alone on the window's pale green, in an image of the client area's design
// size times dpr (device-pixel ratio pinned, so pixel positions are predictable).
QImage renderCanvas(const toolkit::Canvas &canvas, double dpr = 1.0);

// The window as printing draws it (figure, shapes, controls as vectors), at ratio 1.
QImage paintedWindow(const frmTarvolen_300413 &window);

// r1, r2 and PQ chosen from the lists in that order (the practice page must be open).
void chooseAll(frmTarvolen_300413 &window, int r1, int r2, int pq);

// The case (1..5) two circles show, worked out from their shared points alone, 0 where they
// coincide; for radii of at least 1 and distances up to 32767.
int expectedCase(int r1, int r2, int pq);

} // namespace testing
