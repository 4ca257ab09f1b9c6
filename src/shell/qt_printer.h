#pragma once

#include "shell/page_print_job.h"

#include <QPointer>

#include <memory>

class QPrinter;
class QWidget;

// The program's printer: the platform print dialog picks a printer or a PDF file.
class QtPrinter : public Printer
{
public:
    void setParentWindow(QWidget *window) { m_parent = window; }
    std::unique_ptr<PrintJob> begin(const QString &title) override;
    bool printImage(const QString &title, const QImage &image, bool colour) override;

private:
    std::unique_ptr<QPrinter> choosePrinter(const QString &title, bool colour);
    QPointer<QWidget> m_parent;
};
