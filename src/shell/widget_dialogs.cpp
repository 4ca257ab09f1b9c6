#include "shell/widget_dialogs.h"

#include "shell/app_state.h"
#include "shell/format.h"
#include "shell/message_box.h"
#include "shell/message_texts.h"
#include "shell/window_placement.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
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
    dialog.setNameFilter(request.description());
    dialog.setDefaultSuffix(request.pattern().section(QLatin1Char('.'), -1));
    dialog.setDirectory(QDir::current());
    if (!request.initialName.isEmpty())
        dialog.selectFile(request.initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        m_state.FileDialogKind = 9;
        m_state.ChosenFileName.clear();
        return;
    }
    m_state.ChosenFileName = QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}
