#include "ui/Printing.h"

#include <QDir>
#include <QFileDialog>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

namespace ui {

namespace {
QString& pdfRedirect() {
    static QString path;
    return path;
}
// The language table has no texts for these; the station's three languages are spelled out.
QString offerPdfText(PrintOutcome outcome, int languageCode) {
    const bool noPrinter = outcome == PrintOutcome::NoPrinter;
    switch (languageCode) {
    case 2:
        return (noPrinter ? QStringLiteral("No printer is available.") : QStringLiteral("Printing failed.")) +
               QStringLiteral("\nSave the sheet as a PDF file?");
    case 3:
        return (noPrinter ? QStringLiteral("No hay ninguna impresora disponible.")
                          : QString::fromUtf8("La impresión ha fallado.")) +
               QString::fromUtf8("\n¿Guardar la hoja como archivo PDF?");
    default:
        return (noPrinter ? QStringLiteral("Nessuna stampante disponibile.") : QStringLiteral("Stampa non riuscita.")) +
               QStringLiteral("\nSalvare il foglio come file PDF?");
    }
}

QString pdfFailedText(int languageCode) {
    switch (languageCode) {
    case 2: return QStringLiteral("The PDF file could not be saved.");
    case 3: return QStringLiteral("No se pudo guardar el archivo PDF.");
    default: return QStringLiteral("Impossibile salvare il file PDF.");
    }
}
} // namespace

PrintOutcome printOrOfferPdf(WindowPrinter& printer, Dialogs& dialogs, int copies, int languageCode) {
    const PrintOutcome printed = printer.printWindow(copies);
    if (printed == PrintOutcome::Printed || printed == PrintOutcome::Cancelled)
        return printed;
    if (dialogs.message(offerPdfText(printed, languageCode), QString(), Icon::Question, Buttons::YesNo) != Answer::Yes)
        return PrintOutcome::Cancelled;
    const PrintOutcome saved = printer.saveWindowAsPdf(copies);
    if (saved == PrintOutcome::Failed)
        dialogs.message(pdfFailedText(languageCode), QString(), Icon::Exclamation);
    return saved;
}

bool printImagePages(QPrinter& printer, const QImage& image, int copies) {
    if (copies <= 0)
        return true;
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect page = painter.viewport();
    QSize size = image.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    const QRect target(page.x() + (page.width() - size.width()) / 2, page.y(), size.width(), size.height());
    for (int copy = 0; copy < copies; ++copy) {
        if (copy > 0 && !printer.newPage())
            return false;
        painter.drawImage(target, image);
    }
    return painter.end();
}

QtWindowPrinter::QtWindowPrinter(QWidget* window) : window_(window) {}

void QtWindowPrinter::redirectToPdf(const QString& path) {
    pdfRedirect() = path;
}

QImage QtWindowPrinter::grabWindow() const {
    if (!window_)
        return {};
    return window_->grab().toImage();
}

PrintOutcome QtWindowPrinter::printToPdfFile(const QString& path, int copies) {
    lastImage_ = grabWindow();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    return printImagePages(printer, lastImage_, copies) ? PrintOutcome::Printed : PrintOutcome::Failed;
}

PrintOutcome QtWindowPrinter::printWindow(int copies) {
    if (copies <= 0)
        return PrintOutcome::Printed;
    if (!pdfRedirect().isEmpty())
        return printToPdfFile(pdfRedirect(), copies);
    const QPrinterInfo target = QPrinterInfo::defaultPrinter();
    if (target.isNull())
        return PrintOutcome::NoPrinter;
    lastImage_ = grabWindow();
    QPrinter printer(target, QPrinter::HighResolution);
    return printImagePages(printer, lastImage_, copies) ? PrintOutcome::Printed : PrintOutcome::Failed;
}

PrintOutcome QtWindowPrinter::saveWindowAsPdf(int copies) {
    if (copies <= 0)
        return PrintOutcome::Printed;
    if (!pdfRedirect().isEmpty())
        return printToPdfFile(pdfRedirect(), copies);
    const QString title = window_ ? window_->windowTitle().trimmed() : QString();
    const QString suggested = QDir::home().filePath((title.isEmpty() ? QStringLiteral("foglio") : title) + ".pdf");
    const QString path = QFileDialog::getSaveFileName(window_, QString(), suggested, QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return PrintOutcome::Cancelled;
    return printToPdfFile(path, copies);
}

} // namespace ui
