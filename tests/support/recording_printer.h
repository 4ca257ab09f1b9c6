#pragma once

#include "shell/print_job.h"
#include "shell/text_print_job.h"

#include <QList>

// A printer whose jobs are text recorders; `cancel` makes its print dialog
// come back cancelled.
class RecordingPrinter : public Printer
{
public:
    std::unique_ptr<PrintJob> begin(const QString &title) override
    {
        titles.append(title);
        if (cancel)
            return nullptr;
        auto job = std::make_unique<RecordedJob>(*this);
        return job;
    }

    bool printImage(const QString &title, const QImage &, bool colour) override
    {
        titles.append(title);
        if (cancel)
            return false;
        imagesInColour.append(colour);
        return true;
    }

    bool cancel = false;
    // One entry per printed picture: whether it was printed in colour.
    QList<bool> imagesInColour;
    QStringList titles;
    // Each finished job, in order.
    QList<TextPrintJob> jobs;

private:
    // Hands its record to the printer when the printout lets go of it.
    class RecordedJob : public TextPrintJob
    {
    public:
        explicit RecordedJob(RecordingPrinter &printer) : m_printer(printer) {}
        ~RecordedJob() override
        {
            endDocument();
            m_printer.jobs.append(*this);
        }

    private:
        RecordingPrinter &m_printer;
    };
};
