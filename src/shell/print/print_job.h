#pragma once

#include <QString>

#include <memory>

class QImage;

// One printed document, line by line in character columns. Every printout is
// written against this interface; the window's printer gives a real page
// back end, tests give a recorder of text lines.
class PrintJob
{
public:
    virtual ~PrintJob() = default;
    // Moves to a 1-based character column of the current line.
    virtual void tab(int column) = 0;
    virtual void text(const QString &text) = 0;
    virtual void endLine() = 0;
    // Returns false when the printer does not take the font.
    virtual bool setFont(const QString &name, int pointSize, bool bold) = 0;
    virtual int pageNumber() const = 0;
    virtual void newPage() = 0;
    virtual void endDocument() = 0;
    // Whether the document reached its printer or file; asked after
    // endDocument(). A job whose output failed says so here.
    virtual bool ok() const { return true; }
};

// What became of a picture sent to a printer.
enum class PrintOutcome
{
    Printed,
    Cancelled, // the print dialog was
    Failed,    // the printer or the file
};

// Starts print jobs. begin() returns nothing when the user cancels the
// platform's print dialog.
class Printer
{
public:
    virtual ~Printer() = default;
    virtual std::unique_ptr<PrintJob> begin(const QString &title) = 0;
    // Prints a picture of a window on one page, in colour or in grey tones.
    virtual PrintOutcome printImage(const QString &title, const QImage &image, bool colour) = 0;
};
