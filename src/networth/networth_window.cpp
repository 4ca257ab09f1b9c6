#include "networth/networth_window.h"

#include "networth/networth_file.h"
#include "shell/ui/calculator_parts.h"
#include "shell/core/format.h"
#include "shell/ui/number_input_dialog.h"
#include "shell/ui/mdi_container.h"
#include "shell/core/message_numbers.h"
#include "shell/print/print_frame.h"
#include "shell/ui/quick_help_panel.h"
#include "shell/core/record_file.h"
#include "shell/core/shell.h"
#include "shell/ui/spreadsheet_grid.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <exception>

namespace {

using Side = NetWorthStatement::Side;

// Keeps a window out of sight while a file box and its messages are up, and
// brings it back afterwards with the focus where it was.
class StandAside
{
public:
    explicit StandAside(QWidget *window) : m_window(window), m_focus(QApplication::focusWidget())
    {
        m_window->hide();
    }
    ~StandAside()
    {
        m_window->show();
        if (m_focus && m_window->isAncestorOf(m_focus) && m_focus->isVisible())
            m_focus->setFocus();
        else
            m_window->setFocus();
    }
    StandAside(const StandAside &) = delete;
    StandAside &operator=(const StandAside &) = delete;

private:
    QWidget *m_window;
    QPointer<QWidget> m_focus;
};

} // namespace

NetWorthCalc::NetWorthCalc(Shell &shell, MdiContainer &frame)
    : ToolWindow(shell, frame, QStringLiteral(" Net Worth")), m_session(shell.state), m_sheets(new QWidget(this)),
      m_text(new QPlainTextEdit(this)), m_info(new QLabel(QStringLiteral("Changes made, Calculate"), this)),
      m_net(new QLabel(this))
{
    setObjectName(QStringLiteral("NetWorthCalc"));
    auto *sheets = new QHBoxLayout(m_sheets);
    sheets->setContentsMargins(0, 0, 0, 0);
    const char *const gridNames[] = {"NGrid1", "NGrid2"};
    for (int side = 0; side < 2; ++side) {
        auto *grid = new SpreadsheetGrid(m_sheets);
        grid->setObjectName(QLatin1String(gridNames[side]));
        grid->setCols(2);
        grid->setRows(SheetGridRows);
        grid->setHeaderHeight(300);
        grid->setColWidth(0, grid->defaultColWidth() + 1175);
        grid->setColWidth(1, grid->defaultColWidth() + 460);
        grid->setColAlignment(0, Qt::AlignLeft);
        grid->setColAlignment(1, Qt::AlignRight);
        // The names take whatever room the window has beyond the two widths.
        grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
        grid->setHighlight(true);
        // Typing and Delete edit the cell; the grid keeps moving about, Tab
        // and the shortcuts.
        connect(grid, &SpreadsheetGrid::keyPress, this, [this, side](int &code) {
            const int typed = code;
            code = 0;
            guarded([this, side, typed] {
                const EditCell cell = m_edit[side];
                sheetEdited(Side(side), m_session.typeKey(Side(side), cell.row, cell.col, typed));
            });
        });
        connect(grid, &SpreadsheetGrid::deletePressed, this, [this, side] {
            guarded([this, side] {
                const EditCell cell = m_edit[side];
                sheetEdited(Side(side), m_session.deleteKey(Side(side), cell.row, cell.col));
            });
        });
        connect(grid, &SpreadsheetGrid::cellChanged, this, [this, side](int row, int col) {
            m_edit[side] = {row, col};
            m_session.cellChosen();
        });
        // A click on the cell already chosen starts afresh too.
        connect(grid, &SpreadsheetGrid::gridClicked, this, [this] { m_session.cellChosen(); });
        m_grids[side] = grid;
        sheets->addWidget(grid, 1);
    }
    for (SpreadsheetGrid *grid : m_grids)
        grid->setSelectionMode(QAbstractItemView::SingleSelection);

    m_text->setObjectName(QStringLiteral("NTextBox"));
    auto *insertAssets = MakeCommandButton("InsertAss", "&Insert blank line", this);
    auto *insertLiabilities = MakeCommandButton("InsertLiab", "Insert &blank line", this);
    auto *calc = MakeCommandButton("NCalc", "&Calculate", this);
    auto *open = MakeCommandButton("Loadnet", "&Open File", this);
    auto *save = MakeCommandButton("SaveNet", "&Save File", this);
    m_help = MakeCommandButton("NHelp", "Quick &Help", this);
    auto *printer = MakeCommandButton("NPrinter", "To &Printer", this);
    auto *exit = MakeCommandButton("NExit", "E&xit to Menu", this);
    m_panel = new QuickHelpPanel(m_help, m_text, m_sheets, {printer, insertAssets, insertLiabilities}, m_grids[0]);
    m_text->installEventFilter(this);

    m_info->setObjectName(QStringLiteral("NetInfo"));
    m_info->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
    m_info->hide();
    auto *netLabel = new QLabel(QStringLiteral(" Net Worth  ="), this);
    netLabel->setObjectName(QStringLiteral("Label3"));
    m_net->setObjectName(QStringLiteral("Net"));
    QFont figures(QStringLiteral("Liberation Mono"), 11);
    figures.setStyleHint(QFont::TypeWriter);
    figures.setBold(true);
    m_net->setFont(figures);
    netLabel->setFont(figures);

    auto *inserts = new QHBoxLayout;
    inserts->addWidget(insertAssets);
    inserts->addStretch();
    inserts->addWidget(insertLiabilities);
    auto *buttons = new QGridLayout;
    buttons->addWidget(calc, 0, 0);
    buttons->addWidget(open, 0, 1);
    buttons->addWidget(save, 0, 2);
    buttons->addWidget(m_help, 1, 0);
    buttons->addWidget(printer, 1, 1);
    buttons->addWidget(exit, 1, 2);
    auto *net = new QHBoxLayout;
    net->addWidget(m_info);
    net->addStretch();
    net->addWidget(netLabel);
    net->addWidget(m_net);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 10);
    layout->addWidget(m_sheets, 1);
    layout->addWidget(m_text, 1);
    layout->addLayout(inserts);
    layout->addLayout(net);
    layout->addLayout(buttons);

    connect(calc, &QPushButton::clicked, this, [this] { guarded([this] { calculate(); }); });
    connect(insertAssets, &QPushButton::clicked, this,
            [this] { guarded([this] { insertBlankLine(NetWorthStatement::Assets); }); });
    connect(insertLiabilities, &QPushButton::clicked, this,
            [this] { guarded([this] { insertBlankLine(NetWorthStatement::Liabilities); }); });
    connect(open, &QPushButton::clicked, this, [this] { guarded([this] { openFile(); }); });
    connect(save, &QPushButton::clicked, this, [this] { guarded([this] { saveFile(); }); });
    connect(m_help, &QPushButton::clicked, this, [this] { guarded([this] { toggleHelp(); }); });
    connect(printer, &QPushButton::clicked, this, [this] { guarded([this] { print(); }); });
    connect(exit, &QPushButton::clicked, this, [this] { guarded([this] { exitNetWorth(); }); });

    showSheets();
    // Typing can start at once, in the first cell of the assets.
    m_grids[0]->setCurrentIndex(m_grids[0]->model()->index(0, 0));
    m_edit[0] = {1, 0};
    setFocusProxy(m_grids[0]);
}

void NetWorthCalc::showSheets()
{
    const QString &symbol = shell().state.CurrencySymbol;
    for (int side = 0; side < 2; ++side)
        m_grids[side]->setRowTexts(0, SheetGridTexts(m_session.statement(), Side(side), symbol));
    m_net->setText(NetWorthText(m_session.statement(), symbol));
}

bool NetWorthCalc::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_text && event->type() == QEvent::FocusOut) {
        // The help goes when the focus leaves it.
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (m_panel->isOpen() && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            m_panel->close();
            m_panel->clearText();
            // Only a click on Quick Help itself is spent on closing it; after
            // any other control took the focus, the next click opens it.
            m_helpJustClosed = QApplication::focusWidget() == m_help;
        }
        return false;
    }
    return ToolWindow::eventFilter(watched, event);
}

void NetWorthCalc::sheetEdited(Side side, const SheetKeyResult &result)
{
    SpreadsheetGrid *grid = m_grids[side];
    const EditCell cell = m_edit[side];
    switch (result.action) {
    case SheetKeyResult::Ignored: break;
    case SheetKeyResult::Beep: QApplication::beep(); break;
    case SheetKeyResult::RowLimit: shell().dialogs.message(Msg30RowLimit); break;
    case SheetKeyResult::MoveDown: {
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QCoreApplication::sendEvent(grid, &down);
        break;
    }
    case SheetKeyResult::Edited:
        grid->setCell(cell.row, cell.col, result.cellText);
        edited();
        break;
    }
}

void NetWorthCalc::edited()
{
    m_info->show();
}

void NetWorthCalc::calculate()
{
    m_session.recalculate();
    m_session.markUnsaved();
    showSheets();
    m_info->hide();
}

void NetWorthCalc::insertBlankLine(Side side)
{
    const QString answer =
        FundCurValInput::ask(NumberAsked::LineNumber, m_edit[side].row, shell().state.LayoutClass, frame().window());
    if (answer.isEmpty())
        return; // cancelled
    if (const MessageNumber refused = m_session.insertBlankLine(side, answer)) {
        QApplication::beep();
        shell().dialogs.message(refused);
        return;
    }
    showSheets();
    m_info->hide();
}

QString NetWorthCalc::fileName() const
{
    return m_filePath.isEmpty() ? QString() : QFileInfo(m_filePath).fileName();
}

bool NetWorthCalc::goBackToSave()
{
    // Closing the question without an answer keeps the work too.
    return m_session.unsavedWork() && !MayDiscard(shell().dialogs.ask(QuestionUnsavedFile, fileName()));
}

void NetWorthCalc::openFile()
{
    if (goBackToSave())
        return;
    const StandAside aside(this);
    if (const std::optional<QString> chosen =
            shell().dialogs.chooseFile(FileKind::NetWorth, FileAction::Open, m_filePath)) {
        std::optional<NetWorthStatement> read;
        FileStamp stamp;
        {
            WaitCursor wait;
            // One byte past the largest size is enough for the reader to refuse it.
            if (const auto bytes = ReadDataFile(*chosen, RecordReader::MaxFileSize + 1, nullptr, &stamp))
                read = ReadNetWorthText(*bytes);
        }
        // A file that fails leaves the statement in memory as it was.
        if (!read) {
            shell().dialogs.message(MsgFileNotFound);
            return;
        }
        m_session.replace(*read);
        m_session.markSaved();
        m_filePath = QFileInfo(*chosen).absoluteFilePath();
        m_fileStamp = stamp;
    } else {
        // Cancelled: what is in memory is still calculated and redrawn.
        m_session.recalculate();
    }
    showSheets();
    m_info->hide();
}

void NetWorthCalc::saveFile()
{
    const StandAside aside(this);
    if (!m_session.statement().holdsAnything()) {
        shell().dialogs.message(MsgNoRecords);
        return;
    }
    const std::optional<QString> chosen = shell().dialogs.chooseFile(FileKind::NetWorth, FileAction::Save, m_filePath);
    if (!chosen)
        return;
    const QString path = *chosen;
    if (!MaySaveOver(shell().dialogs, m_fileStamp, path))
        return;
    const QByteArray text = NetWorthFileText(m_session.statement());
    bool saved = false;
    SaveFailure failure;
    {
        WaitCursor wait;
        saved = SaveFileWhole(path, text, &failure);
    }
    if (!saved) {
        TellSaveFailed(shell().dialogs, failure, MsgBadFilenameQvw);
        return;
    }
    m_filePath = QFileInfo(path).absoluteFilePath();
    m_fileStamp = FileStamp::of(path, text);
    // Only a save that worked clears the unsaved mark.
    m_session.markSaved();
}

void NetWorthCalc::toggleHelp()
{
    if (m_helpJustClosed) {
        m_helpJustClosed = false;
        return;
    }
    if (m_panel->isOpen()) {
        m_panel->close();
        m_panel->clearText();
        m_grids[0]->setFocus();
    } else {
        m_panel->open(m_session.helpText());
    }
}

void NetWorthCalc::print()
{
    // The sheets print as typed: no Calculate is needed first.
    const NetWorthSession &session = m_session;
    RunPrintout(shell().state, shell().dialogs, shell().printer, session.printTitle(),
                [&session](PrintFrame &frame) { session.print(frame); });
}

void NetWorthCalc::eraseStatement()
{
    m_session.erase();
    m_helpJustClosed = false;
    m_filePath.clear();
    m_erased = true;
}

void NetWorthCalc::exitNetWorth()
{
    if (goBackToSave())
        return;
    eraseStatement();
    exitToMenu();
}

bool NetWorthCalc::queryClose()
{
    if (m_erased)
        return true;
    if (goBackToSave())
        return false;
    eraseStatement();
    return true;
}

void NetWorthCalc::closeEvent(QCloseEvent *event)
{
    if (!queryClose()) {
        event->ignore();
        return;
    }
    event->accept();
    exitToMenu();
}
