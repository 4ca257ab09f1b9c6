#include "shell/ui/help_viewer.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeySequence>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
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
    m_browser->viewport()->installEventFilter(this);
    connect(m_browser->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        if (!m_scrolling)
            m_top = -1;
    });
}

QString HelpViewer::documentText() const
{
    return m_browser->toPlainText();
}

void HelpViewer::showChapter(const QString &heading)
{
    QTextBlock chapter = m_browser->document()->begin();
    if (!heading.isEmpty()) {
        for (QTextBlock block = chapter; block.isValid(); block = block.next()) {
            if (block.blockFormat().headingLevel() > 0 && block.text().trimmed() == heading) {
                chapter = block;
                break;
            }
        }
    }
    m_browser->setTextCursor(QTextCursor(chapter));
    scrollTo(chapter.position());
}

void HelpViewer::scrollTo(int position)
{
    const QTextBlock block = m_browser->document()->findBlock(position);
    // Lays the document out down to the block, so that its place is known
    // and the scroll bar reaches it.
    const QRectF rect = m_browser->document()->documentLayout()->blockBoundingRect(block);
    QScrollBar *bar = m_browser->verticalScrollBar();
    m_scrolling = true;
    if (bar->maximum() < rect.top()) {
        const qreal height = m_browser->document()->documentLayout()->documentSize().height();
        bar->setRange(0, std::max(0, qRound(height) - m_browser->viewport()->height()));
    }
    bar->setValue(qRound(rect.top()));
    m_scrolling = false;
    m_top = position;
}

bool HelpViewer::eventFilter(QObject *watched, QEvent *event)
{
    // The page is laid out again for the new width after this event; the
    // chapter put at the top is found again then.
    if (watched == m_browser->viewport() && event->type() == QEvent::Resize && m_top >= 0) {
        const int top = m_top;
        QTimer::singleShot(0, this, [this, top] {
            if (m_top == top || m_top < 0)
                scrollTo(top);
        });
    }
    return QWidget::eventFilter(watched, event);
}
