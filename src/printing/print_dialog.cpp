#include "printing/print_dialog.h"

#include <QPrintDialog>
#include <QPrinter>

PrintAnswer QtPrintDialogRunner::run(QPrinter &printer, QWidget *parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    // A printer that makes copies itself (CUPS) gets one page; the PDF engine does not, so
    // there each copy is a page of its own.
    return {true, printer.supportsMultipleCopies() ? 1 : printer.copyCount()};
}
