#include "shell/print/qt_printer.h"

#include <QPrintDialog>
#include <QPrinter>

namespace {

bool PrinterFailed(const QPrinter &printer)
{
    return printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted;
}

bool ToFile(const QPrinter &printer)
{
    return printer.outputFormat() == QPrinter::PdfFormat;
}

} // namespace

QtPrinter::QtPrinter()
    : m_choose([](QPrinter &printer, QWidget *parent) {
          QPrintDialog dialog(&printer, parent);
          dialog.setWindowTitle(QStringLiteral("Print"));
          return dialog.exec() == QDialog::Accepted;
      })
{
}

std::unique_ptr<QPrinter> QtPrinter::choosePrinter(const QString &title, bool colour)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(title);
    printer->setColorMode(colour ? QPrinter::Color : QPrinter::GrayScale);
    if (!m_choose(*printer, m_parent))
        return nullptr;
    return printer;
}

std::unique_ptr<PrintJob> QtPrinter::begin(const QString &title)
{
    auto printer = choosePrinter(title, true);
    if (!printer)
        return nullptr;
    // Printing to a file: the printer's own PDF engine would write it piece by
    // piece and never tell of a failed write.
    if (ToFile(*printer))
        return BeginPdfFile(printer->outputFileName(), title, printer->pageLayout());
    const QPrinter *device = printer.get();
    return std::make_unique<PagePrintJob>(std::move(printer), [device] { return !PrinterFailed(*device); });
}

PrintOutcome QtPrinter::printImage(const QString &title, const QImage &image, bool colour)
{
    auto printer = choosePrinter(title, colour);
    if (!printer)
        return PrintOutcome::Cancelled;
    const bool printed =
        ToFile(*printer) ? SavePdfPicture(printer->outputFileName(), title, image, colour, printer->pageLayout())
                         : PaintImage(*printer, image, colour) && !PrinterFailed(*printer);
    return printed ? PrintOutcome::Printed : PrintOutcome::Failed;
}
