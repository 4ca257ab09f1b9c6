#include "shell/print/text_print_job.h"

void TextPrintJob::startPendingPage()
{
    if (!m_pagePending)
        return;
    m_pages.append(m_current);
    m_current.clear();
    m_pagePending = false;
}

void TextPrintJob::tab(int column)
{
    startPendingPage();
    const int target = std::max(column, 1) - 1;
    // Like a printer's tab, a column left of the position goes to the next line.
    if (m_line.size() > target)
        endLine();
    m_line += QString(target - m_line.size(), QLatin1Char(' '));
}

void TextPrintJob::text(const QString &text)
{
    startPendingPage();
    m_line += text;
}

void TextPrintJob::endLine()
{
    startPendingPage();
    m_current.append(m_line);
    m_line.clear();
}

bool TextPrintJob::setFont(const QString &name, int pointSize, bool bold)
{
    m_fonts.append({name, pointSize, bold});
    return true;
}

void TextPrintJob::newPage()
{
    if (!m_line.isEmpty())
        endLine();
    // The page is only begun when something is printed on it, so a new page
    // right before the end of the document leaves no empty page.
    startPendingPage();
    m_pagePending = true;
}

void TextPrintJob::endDocument()
{
    if (m_ended)
        return;
    if (!m_line.isEmpty())
        endLine();
    // A pending new page is never begun; the page before it is the last.
    if (m_pagePending || !m_current.isEmpty() || m_pages.isEmpty())
        m_pages.append(m_current);
    m_current.clear();
    m_pagePending = false;
    m_ended = true;
}

QString TextPrintJob::toText() const
{
    QStringList pages;
    for (const QStringList &page : m_pages)
        pages.append(page.join(QLatin1Char('\n')));
    return pages.join(QLatin1Char('\f'));
}

namespace {

// Hands its record to the printer when the printout lets go of it.
class KeptJob : public TextPrintJob
{
public:
    KeptJob(TextPrinter &printer, bool fails) : m_printer(printer), m_fails(fails) {}
    ~KeptJob() override
    {
        endDocument();
        m_printer.jobs.append(*this);
    }
    bool ok() const override { return !m_fails; }

private:
    TextPrinter &m_printer;
    bool m_fails;
};

} // namespace

std::unique_ptr<PrintJob> TextPrinter::begin(const QString &title)
{
    titles.append(title);
    if (cancel)
        return nullptr;
    return std::make_unique<KeptJob>(*this, fail);
}

PrintOutcome TextPrinter::printImage(const QString &title, const QImage &, bool colour)
{
    titles.append(title);
    if (cancel)
        return PrintOutcome::Cancelled;
    if (fail)
        return PrintOutcome::Failed;
    imagesInColour.append(colour);
    return PrintOutcome::Printed;
}
