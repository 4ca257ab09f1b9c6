#include "shell/ui/widget_dialogs.h"

#include "shell/core/app_state.h"
#include "shell/core/data_places.h"
#include "shell/core/format.h"
#include "shell/ui/message_box.h"
#include "shell/core/message_texts.h"
#include "shell/ui/window_placement.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QScreen>
#include <QTreeView>
#include <QStandardPaths>
#include <QUrl>
#include <QWidget>

#include <algorithm>

WidgetDialogs::WidgetDialogs(AppState &state, std::function<QDate()> today)
    : m_state(state), m_today(std::move(today))
{
}

void WidgetDialogs::message(MessageNumber number, const QString &detail)
{
    MessageBox box(number, Format(m_today(), QStringLiteral("Short Date")), m_frame, detail);
    PlaceOnFrame(&box, PlacedWindow::MessageBox, m_state.LayoutClass, m_frame);
    box.exec();
}

Answer WidgetDialogs::ask(QuestionNumber question, const QString &detail)
{
    QuestionBox box(QuestionText(question, detail), m_frame);
    PlaceOnFrame(&box, PlacedWindow::MessageBox, m_state.LayoutClass, m_frame);
    box.exec();
    return box.answer();
}

std::optional<QString> WidgetDialogs::inputLine(const QString &acceptCaption, const QString &label)
{
    HeaderInputDialog dialog(acceptCaption, label, m_frame);
    // Centred on the frame: the placement from the frame's corner put this
    // wider box partly outside the frame.
    dialog.adjustSize();
    if (m_frame) {
        const QRect frame = m_frame->window()->frameGeometry();
        QRect box(QPoint(), dialog.frameGeometry().size());
        box.moveCenter(frame.center());
        dialog.move(box.topLeft() + (dialog.pos() - dialog.frameGeometry().topLeft()));
    }
    dialog.exec();
    return dialog.result();
}

std::optional<QString> WidgetDialogs::chooseFile(FileKind kind, FileAction action, const QString &suggested)
{
    const bool save = action == FileAction::Save;
    const FileFilter filter = FileFilterOf(kind);
    QFileDialog dialog(m_frame);
    dialog.setObjectName(QStringLiteral("FileDir"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // Sample files come with capital extensions.
    dialog.setNameFilter(QString(filter.description).replace(filter.pattern, filter.pattern + QLatin1Char(' ') + filter.pattern.toUpper()));
    dialog.setDefaultSuffix(filter.pattern.section(QLatin1Char('.'), -1));

    // Start where the file named was, else where this kind of file was last
    // taken from, else in the user's documents; the samples are one click
    // away in the side bar.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const FileBoxStart start = StartOfFileBox(suggested, save, m_lastFolder.value(kind), documents);
    QList<QUrl> places{QUrl::fromLocalFile(QDir::homePath())};
    if (QFileInfo(documents).isDir())
        places << QUrl::fromLocalFile(documents);
    if (!m_sampleFolder.isEmpty() && QFileInfo(m_sampleFolder).isDir())
        places << QUrl::fromLocalFile(m_sampleFolder);
    dialog.setSidebarUrls(places);
    dialog.setDirectory(start.folder);
    if (!start.name.isEmpty())
        dialog.selectFile(start.name);
    // The box gets the room its Name, Size, Type and Date columns need (more
    // than the frame's starting size), within the screen, centred on the frame.
    QSize size = dialog.sizeHint().expandedTo(QSize(760, 500));
    const QScreen *screen = m_frame ? m_frame->screen() : dialog.screen();
    const QRect usable = screen ? screen->availableGeometry() : QRect();
    if (usable.isValid())
        size = size.boundedTo(usable.size() - (dialog.frameGeometry().size() - dialog.size()));
    dialog.resize(size);
    // Size, Type and Date read whole ("plain text document", a date with its
    // time); the name takes what is left.
    if (auto *view = dialog.findChild<QTreeView *>(QStringLiteral("treeView"))) {
        const QFontMetrics metrics(view->font());
        QHeaderView *header = view->header();
        const int pad = 3 * metrics.averageCharWidth();
        header->setStretchLastSection(false);
        header->resizeSection(1, metrics.horizontalAdvance(QStringLiteral("1,023.99 KiB")) + pad);
        header->resizeSection(2, metrics.horizontalAdvance(QStringLiteral("plain text document")) + pad);
        header->resizeSection(3, metrics.horizontalAdvance(QStringLiteral("12/31/2026 12:59 PM")) + pad);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    if (m_frame) {
        QRect box(QPoint(), dialog.frameGeometry().size().expandedTo(size));
        box.moveCenter(m_frame->window()->frameGeometry().center());
        if (usable.isValid()) {
            box.moveLeft(std::clamp(box.left(), usable.left(), std::max(usable.left(), usable.right() - box.width() + 1)));
            box.moveTop(std::clamp(box.top(), usable.top(), std::max(usable.top(), usable.bottom() - box.height() + 1)));
        }
        dialog.move(box.topLeft() + (dialog.pos() - dialog.frameGeometry().topLeft()));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString chosen = dialog.selectedFiles().constFirst();
    m_lastFolder.insert(kind, QFileInfo(chosen).absolutePath());
    return QDir::toNativeSeparators(chosen);
}
