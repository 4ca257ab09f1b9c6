#include "shell/qt_printer.h"

#include <QFontDatabase>
#include <QImage>
#include <QPrintDialog>
#include <QPrinter>

QtPrintJob::QtPrintJob(std::unique_ptr<QPrinter> printer) : m_printer(std::move(printer))
{
    // The standard font of the printout: the system's fixed-pitch font.
    QFont standard = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    standard.setPointSize(10);
    m_font = standard;
}

QtPrintJob::~QtPrintJob()
{
    endDocument();
}

void QtPrintJob::applyFont(const QFont &font)
{
    m_font = font;
    if (!m_started)
        return;
    m_painter.setFont(m_font);
    const QFontMetricsF metrics(m_font, m_printer.get());
    m_lineHeight = metrics.lineSpacing();
    m_ascent = metrics.ascent();
    m_charWidth = metrics.horizontalAdvance(QLatin1Char('M'));
}

void QtPrintJob::beginPage()
{
    if (m_ended)
        return;
    if (!m_started) {
        m_started = m_painter.begin(m_printer.get());
        applyFont(m_font);
        m_y = 0;
    } else if (m_pagePending) {
        m_printer->newPage();
        m_y = 0;
    }
    m_pagePending = false;
}

void QtPrintJob::tab(int column)
{
    // A column left of where the line already is goes to the next line.
    if (column < m_column)
        endLine();
    m_column = std::max(column, 1);
}

void QtPrintJob::text(const QString &text)
{
    beginPage();
    if (!m_started || text.isEmpty())
        return;
    const qreal pageHeight = m_printer->pageLayout().paintRectPixels(m_printer->resolution()).height();
    if (m_y + m_lineHeight > pageHeight) {
        m_printer->newPage();
        ++m_page;
        m_y = 0;
    }
    m_painter.drawText(QPointF((m_column - 1) * m_charWidth, m_y + m_ascent), text);
    m_column += int(text.size());
}

void QtPrintJob::endLine()
{
    beginPage();
    m_y += m_lineHeight;
    m_column = 1;
}

bool QtPrintJob::setFont(const QString &name, int pointSize, bool bold)
{
    QFont font(name, pointSize, bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    applyFont(font);
    return true;
}

void QtPrintJob::newPage()
{
    beginPage();
    m_pagePending = true;
    m_column = 1;
    ++m_page;
}

void QtPrintJob::endDocument()
{
    if (m_ended)
        return;
    m_ended = true;
    if (m_started)
        m_painter.end();
}

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
    return std::make_unique<QtPrintJob>(std::move(printer));
}

bool QtPrinter::printImage(const QString &title, const QImage &image, bool colour)
{
    auto printer = choosePrinter(title, colour);
    if (!printer)
        return false;
    PaintImage(*printer, image, colour);
    return true;
}

void PaintImage(QPrinter &printer, const QImage &image, bool colour)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    const QImage picture = colour ? image : image.convertToFormat(QImage::Format_Grayscale8);
    // As wide as the page allows, in the picture's own proportions, from the top.
    const QRect page = painter.viewport();
    QSize size = picture.size().scaled(page.size(), Qt::KeepAspectRatio);
    painter.drawImage(QRect(QPoint(page.left() + (page.width() - size.width()) / 2, page.top()), size), picture);
    painter.end();
}

std::unique_ptr<QPrinter> PdfPrinter::makePrinter(const QString &title) const
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(title);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(m_path);
    return printer;
}

std::unique_ptr<PrintJob> PdfPrinter::begin(const QString &title)
{
    return std::make_unique<QtPrintJob>(makePrinter(title));
}

bool PdfPrinter::printImage(const QString &title, const QImage &image, bool colour)
{
    auto printer = makePrinter(title);
    PaintImage(*printer, image, colour);
    return true;
}
