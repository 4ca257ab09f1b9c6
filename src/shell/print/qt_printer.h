#pragma once

#include "shell/print/page_print_job.h"

#include <QPointer>

#include <functional>
#include <memory>

class QPrinter;
class QWidget;

// The program's printer: the platform print dialog picks a printer or a PDF
// file. A PDF is made in memory and saved whole, as PdfPrinter does; a
// printer that fails makes the job say so.
class QtPrinter : public Printer
{
public:
    // Sets up the printer the job goes to; false when the user cancelled.
    using Choose = std::function<bool(QPrinter &printer, QWidget *parent)>;

    // Asks through the platform print dialog.
    QtPrinter();
    // Asks through `choose` instead, so that everything after the dialog runs
    // as it does for a user where no dialog can be shown.
    explicit QtPrinter(Choose choose) : m_choose(std::move(choose)) {}

    void setParentWindow(QWidget *window) { m_parent = window; }
    std::unique_ptr<PrintJob> begin(const QString &title) override;
    PrintOutcome printImage(const QString &title, const QImage &image, bool colour) override;

private:
    std::unique_ptr<QPrinter> choosePrinter(const QString &title, bool colour);
    Choose m_choose;
    QPointer<QWidget> m_parent;
};
