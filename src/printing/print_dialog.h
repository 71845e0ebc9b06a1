#pragma once

class QPrinter;
class QWidget;

// What the learner answered in the print dialog.
struct PrintAnswer
{
    bool accepted = false;
    int copies = 0; // pages the program must print itself
};

// The print dialog, behind a seam so that tests can answer it.
class PrintDialogRunner
{
public:
    virtual ~PrintDialogRunner() = default;
    virtual PrintAnswer run(QPrinter &printer, QWidget *parent) = 0;
};

// The system's print dialog (it offers printing to a PDF file where there is no printer).
class QtPrintDialogRunner : public PrintDialogRunner
{
public:
    PrintAnswer run(QPrinter &printer, QWidget *parent) override;
};
