#include "shell/print/page_print_job.h"

#include "shell/core/safe_save.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QImage>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPdfWriter>

PagePrintJob::PagePrintJob(std::unique_ptr<QPagedPaintDevice> device, std::function<bool()> finish)
    : m_finish(std::move(finish)), m_device(std::move(device))
{
    // The standard font of the printout: the system's fixed-pitch font.
    QFont standard = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    standard.setPointSize(10);
    m_font = standard;
}

PagePrintJob::~PagePrintJob()
{
    endDocument();
}

void PagePrintJob::applyFont(const QFont &font)
{
    m_font = font;
    if (!m_started)
        return;
    m_painter.setFont(m_font);
    const QFontMetricsF metrics(m_font, m_device.get());
    m_lineHeight = metrics.lineSpacing();
    m_ascent = metrics.ascent();
    m_charWidth = metrics.horizontalAdvance(QLatin1Char('M'));
}

void PagePrintJob::beginPage()
{
    if (m_ended)
        return;
    if (!m_started) {
        if (m_failed)
            return; // opening was tried once and failed
        m_started = m_painter.begin(m_device.get());
        m_failed = !m_started;
        applyFont(m_font);
        m_y = 0;
    } else if (m_pagePending) {
        if (!m_device->newPage())
            m_failed = true;
        m_y = 0;
    }
    m_pagePending = false;
}

void PagePrintJob::tab(int column)
{
    // A column left of where the line already is goes to the next line.
    if (column < m_column)
        endLine();
    m_column = std::max(column, 1);
}

void PagePrintJob::text(const QString &text)
{
    beginPage();
    if (!m_started || text.isEmpty())
        return;
    const qreal pageHeight = m_device->pageLayout().paintRectPixels(m_device->logicalDpiY()).height();
    if (m_y + m_lineHeight > pageHeight) {
        if (!m_device->newPage())
            m_failed = true;
        ++m_page;
        m_y = 0;
    }
    m_painter.drawText(QPointF((m_column - 1) * m_charWidth, m_y + m_ascent), text);
    m_column += int(text.size());
}

void PagePrintJob::endLine()
{
    beginPage();
    m_y += m_lineHeight;
    m_column = 1;
}

bool PagePrintJob::setFont(const QString &name, int pointSize, bool bold)
{
    QFont font(name, pointSize, bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    applyFont(font);
    return true;
}

void PagePrintJob::newPage()
{
    beginPage();
    m_pagePending = true;
    m_column = 1;
    ++m_page;
}

void PagePrintJob::endDocument()
{
    if (m_ended)
        return;
    // A file is made even for a document with nothing printed on it.
    if (m_finish && !m_started)
        beginPage();
    m_ended = true;
    if (m_started && !m_painter.end())
        m_failed = true;
    if (m_finish && !m_failed && !m_finish())
        m_failed = true;
}


namespace {

std::unique_ptr<QPdfWriter> PdfWriter(QBuffer &buffer, const QString &title, const std::optional<QPageLayout> &layout)
{
    auto writer = std::make_unique<QPdfWriter>(&buffer);
    writer->setTitle(title);
    writer->setCreator(QStringLiteral("Tallomar"));
    if (layout)
        writer->setPageLayout(*layout);
    return writer;
}

} // namespace

std::unique_ptr<PrintJob> BeginPdfFile(const QString &path, const QString &title,
                                       const std::optional<QPageLayout> &layout, SaveFailure *failure)
{
    auto buffer = std::make_shared<QBuffer>();
    buffer->open(QIODevice::WriteOnly);
    auto writer = PdfWriter(*buffer, title, layout);
    return std::make_unique<PagePrintJob>(std::move(writer), [buffer, path, failure] {
        return failure ? SaveFileWhole(path, buffer->data(), failure) : SaveFileWhole(path, buffer->data());
    });
}

bool SavePdfPicture(const QString &path, const QString &title, const QImage &image, bool colour,
                    const std::optional<QPageLayout> &layout)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!PaintImage(*PdfWriter(buffer, title, layout), image, colour))
        return false;
    return SaveFileWhole(path, buffer.data());
}

std::unique_ptr<PrintJob> PdfPrinter::begin(const QString &title)
{
    m_failure = {};
    return BeginPdfFile(m_path, title, std::nullopt, &m_failure);
}

PrintOutcome PdfPrinter::printImage(const QString &title, const QImage &image, bool colour)
{
    return SavePdfPicture(m_path, title, image, colour) ? PrintOutcome::Printed : PrintOutcome::Failed;
}

bool PaintImage(QPagedPaintDevice &device, const QImage &image, bool colour)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QImage picture = colour ? image : image.convertToFormat(QImage::Format_Grayscale8);
    const QRect page = painter.viewport();
    const QSize size = picture.size().scaled(page.size(), Qt::KeepAspectRatio);
    painter.drawImage(QRect(QPoint(page.left() + (page.width() - size.width()) / 2, page.top()), size), picture);
    return painter.end();
}
