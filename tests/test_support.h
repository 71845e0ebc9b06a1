#pragma once

#include "printing/print_dialog.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>

namespace testing {

// Pins what the pictures depend on: style, fonts, palette.
void prepareApplication();

// A control of the window by its object name, as a learner's tools find it; fails when absent.
template <class T = QWidget>
T *find(const QWidget &window, const QString &name)
{
    T *found = window.findChild<T *>(name);
    if (!found)
        qFatal("the window has no %s", qPrintable(name));
    return found;
}

// The window as the screen shows it, at a device-pixel ratio of 1.
QImage grabWindow(QWidget &window);

// The figure's part of the window (below the case boxes, within the border) as the screen
// shows it, all else pale green.
inline const QRect kFigureArea(40, 296, 936, 400);
QImage figure(QWidget &window);
// Red ink across the middle row of the figure, where the circles always cross.
bool figureShown(QWidget &window);

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
void freezeBlinks(QWidget &window);

// A click on the named control.
void click(QWidget &window, const QString &name);

// A learner's choice from the list: a click into its field, Alt+Down opens it, the arrow keys
// walk to the item and Return takes it.
void choose(QWidget &window, const QString &list, int value);

// r1, r2 and PQ chosen from the lists in that order (the practice page must be open).
void chooseAll(QWidget &window, int r1, int r2, int pq);

// Each case box as drawn at the middle of its top edge: y yellow inside a dark border, g plain
// pale green, ? else; the lit one has the highlight sentence as its tip, the others none.
QString caseLooks(QWidget &window);

// The case (1..5) two circles show, worked out from their shared points alone, 0 where they
// coincide; for radii of at least 1 and distances up to 32767.
int expectedCase(int r1, int r2, int pq);

} // namespace testing
