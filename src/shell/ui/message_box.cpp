#include "shell/ui/message_box.h"

#include "shell/ui/input_fields.h"
#include "shell/core/message_texts.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

MessageBox::MessageBox(int number, const QString &todayShortDate, QWidget *parent, const QString &detail)
    : QDialog(parent), m_text(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("AMsgbox"));
    setWindowTitle(QStringLiteral("Help"));
    setModal(true);
    m_text->setObjectName(QStringLiteral("TextMsg"));
    m_text->setReadOnly(true);
    m_text->setPlainText(MessageText(number, todayShortDate, detail));
    m_text->setFocusPolicy(Qt::NoFocus);
    auto *exit = new QPushButton(QStringLiteral("E&xit"), this);
    exit->setObjectName(QStringLiteral("AMsgExit"));
    exit->setDefault(true);
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(exit, 0, Qt::AlignRight);
    resize(330, 150);
    exit->setFocus();
}

QString MessageBox::message() const
{
    return m_text->toPlainText();
}

QuestionBox::QuestionBox(const QString &question, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AllYesNo"));
    setWindowTitle(QStringLiteral("Help"));
    setModal(true);
    auto *label = new QLabel(question, this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setWordWrap(true);
    auto *yes = new QPushButton(QStringLiteral("&Yes"), this);
    yes->setObjectName(QStringLiteral("AllYes"));
    auto *no = new QPushButton(QStringLiteral("&No"), this);
    no->setObjectName(QStringLiteral("AllNo"));
    yes->setDefault(true);
    connect(yes, &QPushButton::clicked, this, [this] {
        m_answer = Answer::Yes;
        accept();
    });
    connect(no, &QPushButton::clicked, this, [this] {
        m_answer = Answer::No;
        reject();
    });
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(yes);
    buttons->addWidget(no);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label, 1);
    layout->addLayout(buttons);
    resize(330, 140);
    yes->setFocus();
}

HeaderInputDialog::HeaderInputDialog(const QString &acceptCaption, const QString &label, QWidget *parent)
    : QDialog(parent), m_input(new QLineEdit(this)), m_accept(new QPushButton(acceptCaption, this))
{
    setObjectName(QStringLiteral("PrinterHeaderInput"));
    setWindowTitle(QStringLiteral("Input"));
    setModal(true);
    auto *text = new QLabel(label, this);
    text->setWordWrap(true);
    text->setBuddy(m_input);
    m_input->setObjectName(QStringLiteral("InFName"));
    m_input->installEventFilter(this);
    m_accept->setObjectName(QStringLiteral("Acept"));
    auto *cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("NAcept"));
    connect(m_accept, &QPushButton::clicked, this, [this] {
        m_result = m_input->text();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        m_result.reset();
        reject();
    });
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_accept);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(m_input);
    layout->addLayout(buttons);
    resize(420, 130);
    m_input->setFocus();
}

bool HeaderInputDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_input && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->text() == QLatin1String("\""))
            return true;
        if (IsEnterKey(key)) {
            m_accept->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
