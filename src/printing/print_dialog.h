#pragma once

class QPrinter;
class QWidget;

// The print dialog, behind a seam so that tests can answer it. Like the system's dialog, a
// runner leaves the learner's choices (copies, paper, output file) in the printer.
class PrintDialogRunner
{
public:
    virtual ~PrintDialogRunner() = default;
    // False when the learner cancels.
    virtual bool run(QPrinter &printer, QWidget *parent) = 0;
};

// The system's print dialog (it offers printing to a PDF file where there is no printer).
class QtPrintDialogRunner : public PrintDialogRunner
{
public:
    bool run(QPrinter &printer, QWidget *parent) override;
};
