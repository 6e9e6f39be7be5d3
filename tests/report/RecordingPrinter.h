#pragma once

#include "ui/Printing.h"

#include <functional>
#include <vector>

// Records what a form asked to print and answers as the test says. The hook
// runs at the moment of printing, so a test can look at the sheet then.
class RecordingPrinter : public ui::WindowPrinter {
  public:
    ui::PrintOutcome printAnswer = ui::PrintOutcome::Printed;
    ui::PrintOutcome pdfAnswer = ui::PrintOutcome::Printed;
    std::vector<int> printedCopies;
    std::vector<int> savedCopies;
    std::function<void()> whilePrinting;

    ui::PrintOutcome printWindow(int copies) override {
        printedCopies.push_back(copies);
        if (whilePrinting)
            whilePrinting();
        return printAnswer;
    }
    ui::PrintOutcome saveWindowAsPdf(int copies) override {
        savedCopies.push_back(copies);
        if (whilePrinting)
            whilePrinting();
        return pdfAnswer;
    }
};
