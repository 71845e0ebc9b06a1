#include "lesson_window/lesson_window.h"

#include "printing/print_dialog.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPrinter>

#include <cstdint>
#include <limits>

namespace {

// One page holding the window at true scale (a design pixel is 1/96 inch), centred in the
// printable area; shrunk only when the paper cannot hold it.
void paintPage(QPainter &painter, QPrinter &printer, const frmTarvolen_300413 &window)
{
    const QRectF printable = printer.pageLayout().paintRectPixels(printer.resolution());
    const double trueScale = printer.resolution() / 96.0;
    const double fit = qMin(printable.width() / window.kClientWidth,
                            printable.height() / window.kClientHeight);
    const double scale = qMin(trueScale, fit);
    painter.save();
    painter.translate((printable.width() - window.kClientWidth * scale) / 2.0,
                      (printable.height() - window.kClientHeight * scale) / 2.0);
    painter.scale(scale, scale);
    window.paintWindow(painter);
    painter.restore();
}

} // namespace

void frmTarvolen_300413::lblPrint_Click()
{
    // Built only now: a printer costs time and memory the lesson otherwise never needs.
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(windowTitle());
    const PrintAnswer answer = m_printDialog->run(printer, this);
    // Cancel, nothing to print, or a count beyond 16 bits: nothing is printed, nothing said.
    if (!answer.accepted || answer.copies < 1 || answer.copies > std::numeric_limits<int16_t>::max())
        return;

    QPainter painter;
    if (!painter.begin(&printer))
        return;
    for (int copy = 1; copy <= answer.copies; ++copy) {
        if (copy > 1 && !printer.newPage())
            break;
        paintPage(painter, printer, *this);
    }
    painter.end();
}

void frmTarvolen_300413::lblHome_Click()
{
    // No tick may run after Home: stop the timers before leaving the event loop.
    for (toolkit::Timer *timer : {Timer1, Timer2, Timer5, Timer6})
        timer->setEnabled(false);
    close();
    QCoreApplication::exit(0);
}
