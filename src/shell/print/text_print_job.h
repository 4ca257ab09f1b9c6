#pragma once

#include "shell/print/print_job.h"

#include <QList>

#include <functional>
#include <QStringList>

// Records a printout as pages of text lines, for tests and for saving a
// report as text.
class TextPrintJob : public PrintJob
{
public:
    struct Font
    {
        QString name;
        int pointSize = 0;
        bool bold = false;
    };

    void tab(int column) override;
    void text(const QString &text) override;
    void endLine() override;
    bool setFont(const QString &name, int pointSize, bool bold) override;
    int pageNumber() const override { return int(m_pages.size()) + (m_pagePending ? 1 : 0) + 1; }
    void newPage() override;
    void endDocument() override;

    // Finished pages; the page being printed is added by endDocument().
    const QList<QStringList> &pages() const { return m_pages; }
    const QList<Font> &fonts() const { return m_fonts; }
    bool ended() const { return m_ended; }
    // Pages joined by form feeds, lines by newlines.
    QString toText() const;

private:
    void startPendingPage();
    QList<QStringList> m_pages;
    QStringList m_current;
    QString m_line;
    QList<Font> m_fonts;
    bool m_pagePending = false;
    bool m_ended = false;
};

// A printer whose jobs are text recorders, kept in `jobs` once each printout
// is done. `cancel` makes its print dialog come back cancelled; `fail` makes
// its jobs say that their printer failed (they are still recorded).
class TextPrinter : public Printer
{
public:
    std::unique_ptr<PrintJob> begin(const QString &title) override;
    PrintOutcome printImage(const QString &title, const QImage &image, bool colour) override;

    bool cancel = false;
    bool fail = false;
    QStringList titles;
    QList<TextPrintJob> jobs;
    // One entry per printed picture: whether it was printed in colour.
    QList<bool> imagesInColour;
};
