#include "mortgage/additional_payments_dialog.h"

#include "mortgage/mortgage_session.h"
#include "shell/core/format.h"

#include <QApplication>
#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int MinimumRows = 19; // a grid of 20 rows with its heading

} // namespace

MortPrePay::MortPrePay(MortgageSession &session, QWidget *parent)
    : QDialog(parent), m_session(session), m_grid(new QTableWidget(this))
{
    setObjectName(QStringLiteral("MortPrePay"));
    setWindowTitle(QStringLiteral("Additional Payments"));
    const int years = session.offerExtraYears();
    m_grid->setObjectName(QStringLiteral("PGrid"));
    m_grid->setColumnCount(2);
    m_grid->setRowCount(std::max(years, MinimumRows));
    m_grid->setHorizontalHeaderLabels({QStringLiteral("Year Number"), QStringLiteral("Amount of Payment")});
    m_grid->verticalHeader()->hide();
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setColumnWidth(0, 110);
    m_grid->setColumnWidth(1, 160);
    m_grid->setFont(QFont(QStringLiteral("Courier New")));
    for (int y = 1; y <= years; ++y) {
        auto *number = new QTableWidgetItem(QString::number(y));
        number->setTextAlignment(Qt::AlignCenter);
        m_grid->setItem(y - 1, 0, number);
        showAmount(y);
    }
    m_grid->installEventFilter(this);
    connect(m_grid, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        m_editRow = row;
        m_editColumn = column;
        m_buffer.clear();
    });

    auto *ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("UsePrePay"));
    auto *erase = new QPushButton(QStringLiteral("&Erase all"), this);
    erase->setObjectName(QStringLiteral("DoNotUse"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(erase, &QPushButton::clicked, this, [this] {
        m_session.eraseExtraPayments();
        reject();
    });
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(erase);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    resize(320, 420);
    if (years > 0)
        m_grid->setCurrentCell(0, 1);
}

void MortPrePay::showAmount(int year)
{
    if (year < 1 || year > m_session.extraYears())
        return;
    auto *item = new QTableWidgetItem(Format(m_session.extraPayment(year), QStringLiteral("###,,###.00")));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_grid->setItem(year - 1, 1, item);
}

bool MortPrePay::typeKey(QChar key)
{
    const int year = m_editRow + 1;
    if (m_editColumn != 1 || year < 1 || year > m_session.extraYears())
        return true; // the year column takes nothing
    if (key != u'.' && !key.isDigit())
        return false;
    const qsizetype point = m_buffer.indexOf(u'.');
    if (point >= 0 && (key == u'.' || m_buffer.size() - point > 2))
        return true; // a third decimal is ignored
    m_buffer += key;
    Money amount;
    try {
        amount = LeadingMoney(m_buffer);
    } catch (const ArithmeticFault &) {
        m_buffer.chop(1);
        return false;
    }
    m_session.setExtraPayment(year, amount);
    showAmount(year);
    return true;
}

void MortPrePay::clearCurrent()
{
    m_buffer.clear();
    const int year = m_editRow + 1;
    if (m_editColumn == 1 && year >= 1 && year <= m_session.extraYears()) {
        m_session.setExtraPayment(year, Money());
        showAmount(year);
    }
}

bool MortPrePay::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_grid || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_grid->currentRow() + 1 < m_grid->rowCount())
            m_grid->setCurrentCell(m_grid->currentRow() + 1, m_grid->currentColumn());
        return true;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        clearCurrent();
        return true;
    case Qt::Key_QuoteDbl:
        return true;
    default:
        break;
    }
    const QString text = key->text();
    if (text.size() != 1 || !text.at(0).isPrint())
        return false; // arrows and the like move the current cell
    if (!typeKey(text.at(0)))
        QApplication::beep();
    return true;
}
