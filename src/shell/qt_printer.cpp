#include "shell/qt_printer.h"

#include <QPrintDialog>
#include <QPrinter>

std::unique_ptr<QPrinter> QtPrinter::choosePrinter(const QString &title, bool colour)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(title);
    printer->setColorMode(colour ? QPrinter::Color : QPrinter::GrayScale);
    QPrintDialog dialog(printer.get(), m_parent);
    dialog.setWindowTitle(QStringLiteral("Print"));
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    return printer;
}

std::unique_ptr<PrintJob> QtPrinter::begin(const QString &title)
{
    auto printer = choosePrinter(title, true);
    if (!printer)
        return nullptr;
    return std::make_unique<PagePrintJob>(std::move(printer));
}

bool QtPrinter::printImage(const QString &title, const QImage &image, bool colour)
{
    auto printer = choosePrinter(title, colour);
    if (!printer)
        return false;
    return PaintImage(*printer, image, colour);
}

