#pragma once

#include "shell/print/print_job.h"
#include "shell/core/safe_save.h"

#include <QFont>
#include <QPageLayout>
#include <QPainter>

#include <functional>
#include <memory>
#include <optional>

class QPagedPaintDevice;

// Prints text lines in character columns on a paged device: a printer, or a
// PDF file. A new page is only started when something is printed on it, so
// asking for a new page just before the end leaves no empty page.
class PagePrintJob : public PrintJob
{
public:
    // finish, when given, runs once after the last page (a PDF made in memory
    // is saved there); its false marks the job failed.
    explicit PagePrintJob(std::unique_ptr<QPagedPaintDevice> device, std::function<bool()> finish = {});
    ~PagePrintJob() override;

    void tab(int column) override;
    void text(const QString &text) override;
    void endLine() override;
    bool setFont(const QString &name, int pointSize, bool bold) override;
    int pageNumber() const override { return m_page; }
    void newPage() override;
    void endDocument() override;
    // False when the device could not be opened or the finished document
    // could not be saved.
    bool ok() const override { return !m_failed; }

private:
    void beginPage();
    void applyFont(const QFont &font);

    // Declared before the device so that what it holds outlives the device.
    std::function<bool()> m_finish;
    std::unique_ptr<QPagedPaintDevice> m_device;
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
    bool m_failed = false;
};

// A PDF file made in memory and saved whole through SaveFileWhole when the
// job ends: a file that cannot be written whole leaves an older file as it
// was, and the job says it failed. `layout`, when given, is the page the user
// chose; else the PDF writer's own.
// When the save fails, *failure (if given) says why.
std::unique_ptr<PrintJob> BeginPdfFile(const QString &path, const QString &title,
                                       const std::optional<QPageLayout> &layout = std::nullopt,
                                       SaveFailure *failure = nullptr);
// A picture on one page of a PDF file, made and saved the same way. False
// when it could not be drawn or saved.
bool SavePdfPicture(const QString &path, const QString &title, const QImage &image, bool colour,
                    const std::optional<QPageLayout> &layout = std::nullopt);

// Prints straight into a PDF file, without asking: for reports made by
// scripts and for checking printouts by eye.
class PdfPrinter : public Printer
{
public:
    explicit PdfPrinter(QString path) : m_path(std::move(path)) {}
    std::unique_ptr<PrintJob> begin(const QString &title) override;
    PrintOutcome printImage(const QString &title, const QImage &image, bool colour) override;
    // Why the last printout's file could not be saved; SaveProblem::None when
    // it was, or when the printout failed before its save.
    const SaveFailure &saveFailure() const { return m_failure; }

private:
    QString m_path;
    SaveFailure m_failure;
};

// Draws a picture on one page, as wide as the page allows, in grey tones
// unless in colour. False when the device could not be opened.
bool PaintImage(QPagedPaintDevice &device, const QImage &image, bool colour);
