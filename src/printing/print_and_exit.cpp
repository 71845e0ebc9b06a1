#include "lesson_window/lesson_window.h"

#include "lesson_window/lesson_texts.h"
#include "printing/print_dialog.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>

#include <cstdint>
#include <limits>

namespace {

// One page holding the window at true scale (a design pixel is 1/96 inch), centred in the
// printable area; shrunk only when the paper cannot hold it.
void paintPage(QPainter &painter, QPrinter &printer, frmTarvolen_300413 &window)
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
    printer.setDocName(tr(lesson::kDocumentName));
    if (!m_printDialog->run(printer, this))
        return; // cancelled: nothing printed, nothing said

    // The count is a 16-bit number: nothing to print, or a count that does not fit, prints
    // nothing at all.
    const int chosen = printer.copyCount();
    if (chosen < 1 || chosen > std::numeric_limits<int16_t>::max())
        return;
    // Of the dialog's settings only the count is used: the window is always landscape.
    printer.setPageOrientation(QPageLayout::Landscape);
    // A printer that makes the copies itself (CUPS) gets the page once; the PDF engine does
    // not, so there each copy is a page of its own.
    const int pages = printer.supportsMultipleCopies() ? 1 : chosen;

    QPainter painter;
    if (!painter.begin(&printer)) {
        // The learner asked for a print: nothing coming out must not look like success.
        const QString target =
            printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
        QMessageBox::warning(this, windowTitle(), tr(lesson::kPrintFailed).arg(target));
        return;
    }
    for (int page = 1; page <= pages; ++page) {
        if (page > 1 && !printer.newPage())
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
