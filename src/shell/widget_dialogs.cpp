#include "shell/widget_dialogs.h"

#include "shell/app_state.h"
#include "shell/data_places.h"
#include "shell/format.h"
#include "shell/message_box.h"
#include "shell/message_texts.h"
#include "shell/window_placement.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>
#include <QWidget>

WidgetDialogs::WidgetDialogs(AppState &state, std::function<QDate()> today)
    : m_state(state), m_today(std::move(today))
{
}

void WidgetDialogs::message(int number)
{
    m_state.MsgNumber = qint16(number);
    MessageBox box(number, Format(m_today(), QStringLiteral("Short Date")), m_frame);
    PlaceOnFrame(&box, PlacedWindow::MessageBox, m_state.LayoutClass, m_frame);
    box.exec();
}

bool WidgetDialogs::ask(int question)
{
    m_state.YesNoCode = qint16(question);
    QuestionBox box(question, QuestionText(question, m_state.CurrentFileName, m_state.RecordNumberText), m_frame);
    PlaceOnFrame(&box, PlacedWindow::MessageBox, m_state.LayoutClass, m_frame);
    box.exec();
    m_state.YesNoCode = qint16(box.answer());
    return m_state.YesNoCode == 6;
}

QString WidgetDialogs::inputLine(const QString &acceptCaption, const QString &label)
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
    m_state.PrintHeader = dialog.result();
    return m_state.PrintHeader;
}

void WidgetDialogs::fileDirectory()
{
    const FileDialogRequest request = FileDialogFor(m_state.FileDialogKind, m_state.CurrentFileName,
                                                    m_state.MortgageFileName, m_state.LoanFileName);
    if (!request.valid)
        return;
    QFileDialog dialog(m_frame);
    dialog.setObjectName(QStringLiteral("FileDir"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // Sample files come with capital extensions.
    const QString pattern = request.pattern();
    dialog.setNameFilter(QString(request.description()).replace(pattern, pattern + QLatin1Char(' ') + pattern.toUpper()));
    dialog.setDefaultSuffix(pattern.section(QLatin1Char('.'), -1));

    // Start where this kind of file was last taken from, else in the user's
    // documents; the samples are one click away in the side bar.
    const int fileKind = (m_state.FileDialogKind + 1) / 2;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const FileBoxStart start = StartOfFileBox(request.initialName, request.save, m_lastFolder.value(fileKind), documents);
    QList<QUrl> places{QUrl::fromLocalFile(QDir::homePath())};
    if (QFileInfo(documents).isDir())
        places << QUrl::fromLocalFile(documents);
    if (!m_sampleFolder.isEmpty() && QFileInfo(m_sampleFolder).isDir())
        places << QUrl::fromLocalFile(m_sampleFolder);
    dialog.setSidebarUrls(places);
    dialog.setDirectory(start.folder);
    if (!start.name.isEmpty())
        dialog.selectFile(start.name);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        m_state.FileDialogKind = 9;
        m_state.ChosenFileName.clear();
        return;
    }
    const QString chosen = dialog.selectedFiles().constFirst();
    m_lastFolder.insert(fileKind, QFileInfo(chosen).absolutePath());
    m_state.ChosenFileName = QDir::toNativeSeparators(chosen);
}
