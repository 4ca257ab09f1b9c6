#include "invest/fund_menu_window.h"

#include "invest/fund_database.h"
#include "invest/fund_file.h"
#include "invest/record_entry_window.h"
#include "invest/fund_table_window.h"
#include "invest/fund_values.h"
#include "invest/record_csv.h"
#include "invest/record_import_dialog.h"
#include "shell/ui/calculator_parts.h"
#include "shell/ui/mdi_container.h"
#include "shell/core/format.h"
#include "shell/core/message_numbers.h"
#include "shell/core/record_file.h"
#include "shell/core/safe_save.h"
#include "shell/core/shell.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <exception>
#include <optional>

FundMenu::FundMenu(Shell &shell, MdiContainer &frame)
    : ToolWindow(shell, frame, QStringLiteral(" Investment Management Menu")), m_infoBox(new QLabel(this))
{
    setObjectName(QStringLiteral("FundMenu"));
    auto *title = new QLabel(QStringLiteral("Fund Management"), this);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.8);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);
    m_infoBox->setObjectName(QStringLiteral("InfoBox"));
    m_infoBox->setFrameShape(QFrame::Panel);
    m_infoBox->setFrameShadow(QFrame::Sunken);
    m_infoBox->setAlignment(Qt::AlignCenter);
    m_infoBox->setMinimumWidth(360);
    auto *inMemory = new QLabel(QStringLiteral("Database in memory"), this);
    inMemory->setAlignment(Qt::AlignCenter);

    struct Command
    {
        const char *name;
        const char *caption;
        void (FundMenu::*handler)();
    };
    const Command commands[] = {
        {"Loadfile", "&Open a File from Disk", &FundMenu::openFile},
        {"SaveFile", "&Save Current File to Disk", &FundMenu::saveFile},
        {"Display", "&Display Data", &FundMenu::displayData},
        {"SortRec", "So&rt Records", &FundMenu::sortRecords},
        {"CompCurr", "&Compute Current Value", &FundMenu::computeCurrentValue},
        {"Editrec", "&Add and Edit Records", &FundMenu::editRecords},
        {"ImportRec", "&Import Records…", &FundMenu::importRecords},
        {"ExportRec", "&Export Records…", &FundMenu::exportRecords},
        {"Help7", "Quick &Help", &FundMenu::quickHelp},
        {"ExitMenu", "E&xit to Main Menu", &FundMenu::exitManager},
    };
    auto *buttons = new QGridLayout;
    buttons->setHorizontalSpacing(16);
    buttons->setVerticalSpacing(8);
    int index = 0;
    for (const Command &command : commands) {
        QPushButton *button = MakeCommandButton(command.name, command.caption, this);
        button->setText(QString::fromUtf8(command.caption)); // the ellipsis is not Latin-1
        button->setMinimumHeight(28);
        const auto handler = command.handler;
        connect(button, &QPushButton::clicked, this, [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
        buttons->addWidget(button, index / 2, index % 2);
        if (index == 0)
            setFocusProxy(button);
        ++index;
    }

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(60, 20, 60, 20);
    layout->addWidget(title);
    layout->addSpacing(12);
    layout->addWidget(inMemory, 0, Qt::AlignHCenter);
    layout->addWidget(m_infoBox, 0, Qt::AlignHCenter);
    layout->addSpacing(16);
    layout->addLayout(buttons);
    layout->addStretch();

    ShowDatabaseStatus();
}

void FundMenu::ShowDatabaseStatus()
{
    m_infoBox->setText(m_session.status());
}

bool FundMenu::hasRecords()
{
    if (m_session.db().recordCount() > 0)
        return true;
    shell().dialogs.message(MsgNoRecords);
    return false;
}

bool FundMenu::wantsToSave()
{
    // Closing the question without an answer keeps the work too.
    return m_session.DataChanged == 1 && m_session.db().recordCount() != 0 &&
           !MayDiscard(shell().dialogs.ask(QuestionUnsavedFile, m_session.fileName()));
}

bool FundMenu::queryClose()
{
    if (wantsToSave())
        return false;
    m_session.DataChanged = 0;
    return true;
}

void FundMenu::openFile()
{
    // Opening replaces the database: unsaved changes are offered a save first.
    if (wantsToSave())
        return;
    hide();
    if (const std::optional<QString> chosen =
            shell().dialogs.chooseFile(FileKind::Funds, FileAction::Open, m_session.FilePath)) {
        // Read and checked whole before anything in memory changes.
        std::optional<Outcome<FundFileContents>> read;
        FileStamp stamp;
        {
            const WaitCursor busy;
            read = ReadFundFile(*chosen, &stamp);
        }
        if (!read->ok())
            shell().dialogs.message(read->message());
        else if (!m_session.takeFile(read->value(), *chosen, stamp))
            shell().dialogs.message(MsgFileNotFound);
    }
    show();
    setFocus();
    ShowDatabaseStatus();
}

void FundMenu::saveFile()
{
    hide();
    if (m_session.db().recordCount() == 0) {
        shell().dialogs.message(MsgNoRecords);
    } else {
        if (const std::optional<QString> chosen =
                shell().dialogs.chooseFile(FileKind::Funds, FileAction::Save, m_session.FilePath);
            chosen && MaySaveOver(shell().dialogs, m_session.fileStamp(), *chosen)) {
            bool saved = false;
            SaveFailure failure;
            {
                const WaitCursor busy;
                saved = m_session.saveFile(*chosen, &failure);
            }
            // Only a save that reached the disk whole counts as saved.
            if (!saved)
                TellSaveFailed(shell().dialogs, failure, MsgBadQvsName);
        }
    }
    show();
    setFocus();
    ShowDatabaseStatus();
}

void FundMenu::sortRecords()
{
    if (!hasRecords())
        return;
    m_infoBox->setText(QStringLiteral(" Sorting Funds and Records. "));
    MessageNumber message = MsgNone;
    {
        const WaitCursor busy;
        message = m_session.sortAll();
    }
    if (message != 0)
        shell().dialogs.message(message);
    ShowDatabaseStatus();
}

void FundMenu::displayData()
{
    if (!hasRecords())
        return;
    const int fund = FundChoose::choose(m_session.db(), frame().window());
    m_session.ActiveFund = qint16(fund);
    if (fund == 0)
        return;
    m_session.CalcMode = 2;
    openTable()->showListing(fund);
}

void FundMenu::computeCurrentValue()
{
    if (!hasRecords())
        return;
    // Every fund needs a record before it can be valued; the message names
    // the fund, so the user knows which to delete or fill.
    if (const int empty = FirstEmptyFund(m_session.db()); empty != 0) {
        shell().dialogs.message(MsgEmptyFund, FundName(m_session.db(), empty));
        m_session.CalcMode = 10;
        return;
    }
    auto *prices = new FundCurrValue(shell(), frame(), m_session);
    m_prices = prices;
    connect(prices, &FundCurrValue::exited, this, [this] {
        frame().closeOverTool();
        m_prices = nullptr;
        ShowDatabaseStatus();
    });
    connect(prices, &FundCurrValue::calculated, this, [this] {
        frame().closeOverTool();
        m_prices = nullptr;
        openTable()->showValueTable();
    });
    frame().showOverTool(prices);
}

FundTable *FundMenu::openTable()
{
    // The table is shown inside the menu rather than over it, so that the
    // graph window, which takes the place over the tool, returns to it.
    if (m_table)
        m_table->deleteLater();
    auto *table = new FundTable(shell(), frame(), m_session, this);
    m_table = table;
    // The menu's own controls go while the table is up, so their keys
    // (Alt+X among them) cannot clash with the table's.
    showOwnControls(false);
    table->setGeometry(rect());
    table->raise();
    table->show();
    table->setFocus();
    connect(table, &FundTable::exited, this, [this] {
        if (m_table)
            m_table->deleteLater();
        m_table = nullptr;
        showOwnControls(true);
        setFocus();
        ShowDatabaseStatus();
    });
    return table;
}

void FundMenu::showOwnControls(bool show)
{
    for (QWidget *child : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (child != m_table)
            child->setVisible(show);
}

void FundMenu::resizeEvent(QResizeEvent *event)
{
    ToolWindow::resizeEvent(event);
    if (m_table)
        m_table->setGeometry(rect());
}

void FundMenu::editRecords()
{
    auto *entry = new FundRecordEntry(shell(), frame(), m_session);
    m_entry = entry;
    connect(entry, &FundRecordEntry::exited, this, &FundMenu::entryClosed);
    frame().showOverTool(entry);
}

void FundMenu::entryClosed()
{
    frame().closeOverTool();
    m_entry = nullptr;
    ShowDatabaseStatus();
}

void FundMenu::quickHelp()
{
    shell().dialogs.message(MsgFundMenuHelp);
}

void FundMenu::exitManager()
{
    if (wantsToSave())
        return;
    m_session.release();
    exitToMenu();
}

void FundMenu::importRecords()
{
    const std::optional<QString> chosen = shell().dialogs.chooseFile(FileKind::Csv, FileAction::Open, QString());
    if (!chosen)
        return;
    std::optional<QByteArray> bytes;
    QString why;
    {
        const WaitCursor busy;
        // One byte past the limit is enough for the reader to refuse a file
        // too large, without reading all of it.
        bytes = ReadDataFile(*chosen, MaxImportBytes + 1, &why);
    }
    if (!bytes) {
        shell().dialogs.message(QFileInfo::exists(*chosen) ? MsgImportUnreadable : MsgFileNotFound,
                                why.isEmpty() ? QStringLiteral("the file cannot be read") : why);
        return;
    }
    const CsvReadResult read = ReadCsv(*bytes);
    if (!read.table) {
        shell().dialogs.message(MsgImportUnreadable, read.error);
        return;
    }
    const QString storePath = ImportMappingsPath(shell().folder());
    ImportMappingStore store = ImportMappingStore::load(storePath);
    RecordImportDialog preview(m_session.db(), *chosen, *bytes, *read.table, store, frame().window());
    if (preview.exec() != QDialog::Accepted)
        return;
    const ImportPlan &plan = preview.plan();
    bool added = false;
    {
        const WaitCursor busy;
        added = m_session.importRecords(plan);
    }
    if (!added) {
        // The preview checked it against this database; nothing was changed.
        shell().dialogs.message(MsgWrongEntry);
        return;
    }
    // The records were sorted and numbered anew: a record chosen before is
    // no longer the same record.
    m_session.SelectedRecord = 0;
    ShowDatabaseStatus();
    // Only a mapping that worked is worth offering again. Failing to keep it
    // costs the user nothing but the choices next time.
    store.remember(preview.table().header, preview.table().separator, preview.mapping());
    store.save(storePath);
    const auto counted = [](qsizetype count, const char *one, const char *many) -> QString {
        return Format(int(count), QStringLiteral("#,##0")) + QLatin1Char(' ') + QLatin1String(count == 1 ? one : many);
    };
    shell().dialogs.message(MsgRecordsImported, counted(plan.records.size(), "record", "records") +
                                                    QStringLiteral(" and ") +
                                                    counted(plan.newFunds.size(), "new fund", "new funds"));
}

void FundMenu::exportRecords()
{
    if (!hasRecords())
        return;
    // Offered beside the database, under its name.
    const QString suggested =
        m_session.FilePath.isEmpty()
            ? QString()
            : QFileInfo(m_session.FilePath).absoluteDir().filePath(QFileInfo(m_session.FilePath).completeBaseName() +
                                                                   QStringLiteral(".csv"));
    const std::optional<QString> chosen = shell().dialogs.chooseFile(FileKind::Csv, FileAction::Save, suggested);
    if (!chosen)
        return;
    SaveFailure failure;
    bool saved = false;
    {
        const WaitCursor busy;
        saved = SaveFileWhole(*chosen, ExportRecordsCsv(m_session.db()), &failure);
    }
    if (!saved) {
        const MessageNumber reason = SaveProblemMessage(failure.problem);
        shell().dialogs.message(reason != MsgNone ? reason : MsgExportNotWritten, failure.text);
    }
}
