#pragma once

#include "shell/print_job.h"

#include <QFont>
#include <QPainter>
#include <QPointer>

#include <memory>

class QPrinter;
class QWidget;

// Prints text lines in character columns on a QPrinter (a real printer or a
// PDF file). A new page is only started when something is printed on it, so
// asking for a new page just before the end leaves no empty page.
class QtPrintJob : public PrintJob
{
public:
    explicit QtPrintJob(std::unique_ptr<QPrinter> printer);
    ~QtPrintJob() override;

    void tab(int column) override;
    void text(const QString &text) override;
    void endLine() override;
    bool setFont(const QString &name, int pointSize, bool bold) override;
    int pageNumber() const override { return m_page; }
    void newPage() override;
    void endDocument() override;

private:
    void beginPage();
    void applyFont(const QFont &font);

    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
    QFont m_font;
    int m_page = 1;
    int m_column = 1;
    qreal m_y = 0;
    qreal m_lineHeight = 0;
    qreal m_ascent = 0;
    qreal m_charWidth = 0;
    bool m_started = false;
    bool m_pagePending = false;
    bool m_ended = false;
};

// Prints straight into a PDF file, without asking: for reports made by
// scripts and for checking printouts by eye.
class PdfPrinter : public Printer
{
public:
    explicit PdfPrinter(QString path) : m_path(std::move(path)) {}
    std::unique_ptr<PrintJob> begin(const QString &title) override;
    bool printImage(const QString &title, const QImage &image, bool colour) override;

private:
    std::unique_ptr<QPrinter> makePrinter(const QString &title) const;
    QString m_path;
};

// Draws a picture on one page of a printer, scaled to the page's width.
void PaintImage(QPrinter &printer, const QImage &image, bool colour);

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
