#include "shell/help_viewer.h"

#include <QFile>
#include <QFileInfo>
#include <QKeySequence>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

HelpViewer::HelpViewer(const QString &path, const QString &title, QWidget *owner)
    : QWidget(owner, Qt::Window), m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HelpViewer"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Tallomar Help - ") + title);
    m_browser->setObjectName(QStringLiteral("HelpText"));
    m_browser->setOpenExternalLinks(false);
    m_browser->document()->setDocumentMargin(16);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(800, 600);
    new QShortcut(QKeySequence::Close, this, this, &QWidget::close);
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);

    QFile file(path);
    // The documents are a few hundred kilobytes at most; anything larger is not ours.
    if (file.open(QIODevice::ReadOnly) && file.size() < 4 * 1024 * 1024) {
        m_browser->setMarkdown(QString::fromUtf8(file.readAll()));
    } else {
        m_browser->setMarkdown(QStringLiteral("# Help file not found\n\nThe help file **%1** could not be opened. "
                                              "It is installed in the program's folder; reinstalling "
                                              "Tallomar puts it back.")
                                   .arg(QFileInfo(path).fileName()));
    }
}

QString HelpViewer::documentText() const
{
    return m_browser->toPlainText();
}
