#pragma once

#include <QWidget>

class QTextBrowser;

// The property a window sets to the heading of the chapter of "How to Use
// the Program" that explains it; F1 opens the document there.
inline constexpr char HelpChapterProperty[] = "helpChapter";

// Shows one of the program's help documents in a window of its own, beside
// the program; the menu does not wait for it.
class HelpViewer : public QWidget
{
    Q_OBJECT

public:
    HelpViewer(const QString &path, const QString &title, QWidget *owner = nullptr);
    QString documentText() const;

    // Puts the chapter under this heading at the top of the page; an empty
    // heading, or one the document lacks, the document's start.
    void showChapter(const QString &heading);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void scrollTo(int position);

    QTextBrowser *m_browser;
    // Where the text at the top of the page starts, while the program put it
    // there: a window that is resized (maximised as it opens) keeps it at the
    // top. -1 once the reader scrolled.
    int m_top = -1;
    bool m_scrolling = false;
};
