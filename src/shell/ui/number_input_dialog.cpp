#include "shell/ui/number_input_dialog.h"

#include "shell/core/format.h"
#include "shell/ui/input_fields.h"
#include "shell/ui/window_placement.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

FundCurValInput::FundCurValInput(NumberAsked asked, int defaultLine, QWidget *parent)
    : QDialog(parent), m_lineMode(asked == NumberAsked::LineNumber), m_label(new QLabel(this)),
      m_box(new QLineEdit(this)), m_accept(new QPushButton(QStringLiteral("&OK"), this))
{
    setObjectName(QStringLiteral("FundCurValInput"));
    setWindowTitle(QStringLiteral("Input"));
    setModal(true);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_label->setText(m_lineMode ? QStringLiteral("Insert a blank line at line number ")
                                : QStringLiteral("Current Price per Share"));
    m_label->setBuddy(m_box);
    m_box->setObjectName(QStringLiteral("CurVal"));
    if (m_lineMode && defaultLine != 0)
        m_box->setText(QString::number(defaultLine));
    m_box->installEventFilter(this);
    // Text reaches the box only through its key filter: no pasting, no dropping.
    m_box->setContextMenuPolicy(Qt::NoContextMenu);
    m_box->setAcceptDrops(false);
    m_accept->setObjectName(QStringLiteral("Accept"));
    m_accept->setAutoDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("NoAccept"));
    cancel->setAutoDefault(true);
    connect(m_accept, &QPushButton::clicked, this, [this] {
        m_answer = m_box->text();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        m_answer.clear();
        reject();
    });

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_accept);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(m_box);
    layout->addLayout(buttons);
    resize(360, 120);
    m_box->setFocus();
}

QString FundCurValInput::ask(NumberAsked asked, int defaultLine, int layoutClass, QWidget *frame)
{
    FundCurValInput dialog(asked, defaultLine, frame);
    PlaceOnFrame(&dialog, PlacedWindow::FundCurValInput, layoutClass, frame);
    dialog.exec();
    return dialog.answer();
}

bool FundCurValInput::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_box)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
        // After the mouse press that gave the focus, which would place the cursor.
        QTimer::singleShot(0, m_box, [box = m_box] { box->selectAll(); });
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        // The middle button would paste the selection past the key filter.
        if (static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton)
            return true;
        break;
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (IsEnterKey(key)) {
            m_accept->setFocus();
            return true;
        }
        if (key->matches(QKeySequence::Paste))
            return true;
        // Moving in the box and the editing keys pass; typed characters are filtered.
        if (key->text().isEmpty() || key->key() == Qt::Key_Delete || key->key() == Qt::Key_Tab ||
            key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Escape)
            break;
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            break;
        const int code = key->text().at(0).unicode();
        const int passed = m_lineMode ? DigitKeyFilter(code) : DecimalKeyFilter(code, m_box->text(), 2);
        if (passed == 0) {
            QApplication::beep();
            return true;
        }
        break;
    }
    default: break;
    }
    return QDialog::eventFilter(watched, event);
}
