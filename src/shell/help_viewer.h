#pragma once

#include <QWidget>

class QTextBrowser;

// Shows one of the program's help documents in a window of its own, beside
// the program; the menu does not wait for it.
class HelpViewer : public QWidget
{
    Q_OBJECT

public:
    HelpViewer(const QString &path, const QString &title, QWidget *owner = nullptr);
    QString documentText() const;

private:
    QTextBrowser *m_browser;
};
