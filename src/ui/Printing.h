#pragma once

#include "ui/Dialogs.h"

#include <QImage>
#include <QPointer>
#include <QString>

class QPrinter;
class QWidget;

namespace ui {

enum class PrintOutcome {
    Printed,   // every page went to the printer (or nothing was asked for)
    NoPrinter, // the station has no printer to print on
    Failed,    // the printer refused the job
    Cancelled, // the operator gave up (no file chosen for the PDF)
};

// Putting a window's own image on paper, as the printouts and the chart do.
// The form hides what must not appear on paper, calls printWindow and shows the
// controls again; the view provides the real printer, tests a recording one.
class WindowPrinter {
  public:
    virtual ~WindowPrinter() = default;
    // The window as it looks now, one page per copy, on the default printer.
    // copies <= 0 prints nothing and counts as printed.
    virtual PrintOutcome printWindow(int copies) = 0;
    // The same pages into a PDF file the operator chooses, for a station
    // without a printer.
    virtual PrintOutcome saveWindowAsPdf(int copies) = 0;
};

// Prints the window; when there is no printer or the print fails, asks the
// operator whether to save the pages as a PDF file instead and does so. The
// message is in the station's language (1 Italian, 2 English, 3 Spanish).
PrintOutcome printOrOfferPdf(WindowPrinter& printer, Dialogs& dialogs, int copies, int languageCode);

// Paints `copies` pages, each holding `image` scaled to fit the page and
// centred on it. False when the printer cannot be opened.
bool printImagePages(QPrinter& printer, const QImage& image, int copies);

// The real printer for a window: grabs the window's client area (hidden
// children are not drawn) and prints it.
class QtWindowPrinter : public WindowPrinter {
  public:
    explicit QtWindowPrinter(QWidget* window);

    PrintOutcome printWindow(int copies) override;
    PrintOutcome saveWindowAsPdf(int copies) override;

    // The image the last print or save put on each of its pages.
    const QImage& lastPageImage() const { return lastImage_; }

    // Sends every print of every window to this PDF file instead of the default
    // printer (each print replaces the file). Tests use it; empty: the printer again.
    static void redirectToPdf(const QString& path);

  private:
    QImage grabWindow() const;
    PrintOutcome printToPdfFile(const QString& path, int copies);

    QPointer<QWidget> window_;
    QImage lastImage_;
};

} // namespace ui
