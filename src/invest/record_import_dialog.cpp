#include "invest/record_import_dialog.h"

#include "invest/fund_database.h"
#include "shell/core/format.h"
#include "shell/ui/help_viewer.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The field choices' captions, each with its own access key.
constexpr const char *FieldCaptions[RecordFieldCount] = {"&Date", "F&und", "&Type", "S&hares",
                                                         "&Price", "F&ees", "Di&vidend"};

struct SeparatorChoice
{
    QChar separator;
    const char *caption;
};
const SeparatorChoice Separators[] = {
    {QLatin1Char(','), "Comma"}, {QLatin1Char(';'), "Semicolon"}, {QLatin1Char('\t'), "Tab"}};

// A cell as a label shows it: an ampersand is no access key.
QString Plain(const QString &text)
{
    return QString(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QString Counted(int count, const char *one, const char *many)
{
    return Format(count, QStringLiteral("#,##0")) + QLatin1Char(' ') + QLatin1String(count == 1 ? one : many);
}

QLabel *BuddyLabel(const char *caption, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(QLatin1String(caption), parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

RecordImportDialog::RecordImportDialog(const FundDatabase &db, const QString &fileName, const QByteArray &bytes,
                                       const CsvTable &table, const ImportMappingStore &store, QWidget *parent)
    : QDialog(parent), m_db(db), m_store(store), m_fileName(QFileInfo(fileName).fileName()), m_bytes(bytes), m_table(table), m_fileLine(new QLabel(this)),
      m_separator(new QComboBox(this)), m_dateFormat(new QComboBox(this)), m_decimal(new QComboBox(this)),
      m_preview(new QTableWidget(this)), m_typeLabel(nullptr), m_typeArea(new QScrollArea(this)),
      m_problems(new QTableWidget(this)), m_summary(new QLabel(this)),
      m_import(new QPushButton(QStringLiteral("&Import"), this))
{
    setObjectName(QStringLiteral("RecordImport"));
    setWindowTitle(QStringLiteral("Import Records - ") + m_fileName);
    setModal(true);
    setProperty(HelpChapterProperty, QStringLiteral("Importing and exporting records"));

    m_fileLine->setObjectName(QStringLiteral("FileLine"));
    m_fileLine->setWordWrap(true);

    m_separator->setObjectName(QStringLiteral("Separator"));
    for (const SeparatorChoice &choice : Separators)
        m_separator->addItem(QLatin1String(choice.caption), choice.separator);
    m_dateFormat->setObjectName(QStringLiteral("DateFormat"));
    m_decimal->setObjectName(QStringLiteral("Decimal"));
    m_decimal->addItem(QStringLiteral("Point: 1,234.56"), int(DecimalSeparator::Point));
    m_decimal->addItem(QStringLiteral("Comma: 1.234,56"), int(DecimalSeparator::Comma));

    auto *formats = new QHBoxLayout;
    formats->addWidget(BuddyLabel("&Separator", m_separator, this));
    formats->addWidget(m_separator);
    formats->addSpacing(16);
    formats->addWidget(BuddyLabel("Date &format", m_dateFormat, this));
    formats->addWidget(m_dateFormat);
    formats->addSpacing(16);
    formats->addWidget(BuddyLabel("Deci&mal separator", m_decimal, this));
    formats->addWidget(m_decimal);
    formats->addStretch();

    m_preview->setObjectName(QStringLiteral("Preview"));
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_preview->setSelectionMode(QAbstractItemView::NoSelection);
    m_preview->setWordWrap(false);
    m_preview->setMinimumHeight(150);
    // Rows as high as a line of text, so that the preview shows more of them.
    const int rowHeight = fontMetrics().height() + 6;
    m_preview->verticalHeader()->setDefaultSectionSize(rowHeight);

    // Which column holds each field.
    auto *columnsBox = new QWidget(this);
    auto *columns = new QGridLayout(columnsBox);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->addWidget(new QLabel(QStringLiteral("<b>Field</b>"), columnsBox), 0, 0);
    columns->addWidget(new QLabel(QStringLiteral("<b>Column in the file</b>"), columnsBox), 0, 1);
    for (int field = 0; field < RecordFieldCount; ++field) {
        auto *combo = new QComboBox(columnsBox);
        const QString name = RecordFieldName(RecordField(field));
        combo->setObjectName(QStringLiteral("Map_") + name);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        auto *label = BuddyLabel(FieldCaptions[field], combo, columnsBox);
        label->setObjectName(QStringLiteral("MapLabel_") + name);
        columns->addWidget(label, field + 1, 0);
        columns->addWidget(combo, field + 1, 1);
        m_columns[std::size_t(field)] = combo;
        connect(combo, &QComboBox::currentIndexChanged, this, [this, field] { takeColumn(field); });
    }
    columns->setRowStretch(RecordFieldCount + 1, 1);

    // The file's type words and the types they stand for.
    m_typeArea->setObjectName(QStringLiteral("TypeWords"));
    m_typeArea->setWidgetResizable(true);
    m_typeArea->setMinimumWidth(240);
    m_typeLabel = BuddyLabel("T&ype words in the file", m_typeArea, this);
    auto *typeBox = new QVBoxLayout;
    typeBox->addWidget(m_typeLabel);
    typeBox->addWidget(m_typeArea, 1);

    m_problems->setObjectName(QStringLiteral("Problems"));
    m_problems->setColumnCount(3);
    m_problems->setHorizontalHeaderLabels({QStringLiteral("Line"), QStringLiteral("Field"), QStringLiteral("Reason")});
    m_problems->verticalHeader()->hide();
    m_problems->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_problems->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_problems->setWordWrap(false);
    m_problems->verticalHeader()->setDefaultSectionSize(rowHeight);
    m_problems->horizontalHeader()->setStretchLastSection(true);
    auto *problemBox = new QVBoxLayout;
    problemBox->addWidget(BuddyLabel("Rows that cannot &be imported", m_problems, this));
    problemBox->addWidget(m_problems, 1);

    auto *choices = new QHBoxLayout;
    auto *columnBox = new QVBoxLayout;
    columnBox->addWidget(new QLabel(QStringLiteral("Columns of the record"), this));
    columnBox->addWidget(columnsBox, 1);
    choices->addLayout(columnBox);
    choices->addSpacing(12);
    choices->addLayout(typeBox);
    choices->addSpacing(12);
    choices->addLayout(problemBox, 1);

    m_summary->setObjectName(QStringLiteral("Summary"));
    m_summary->setWordWrap(true);
    m_import->setObjectName(QStringLiteral("ImportBut"));
    // Enter in a list is no Import: only a press of the button imports.
    m_import->setAutoDefault(false);
    auto *cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    m_cancel = cancel;
    cancel->setObjectName(QStringLiteral("CancelBut"));
    cancel->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_summary, 1);
    buttons->addWidget(m_import);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_fileLine);
    layout->addLayout(formats);
    layout->addWidget(BuddyLabel("First &rows of the file", m_preview, this));
    layout->addWidget(m_preview, 2);
    layout->addLayout(choices, 3);
    layout->addLayout(buttons);

    connect(m_import, &QPushButton::clicked, this, [this] {
        // The plan accepted is the one checked for the choices shown now.
        check();
        if (m_plan.ok() && !m_plan.records.isEmpty())
            accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_separator, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling)
            readWith(m_separator->currentData().toChar());
    });
    connect(m_dateFormat, &QComboBox::currentIndexChanged, this, [this] {
        if (m_filling)
            return;
        m_mapping.dateFormat = m_dateFormat->currentData().toString();
        check();
    });
    connect(m_decimal, &QComboBox::currentIndexChanged, this, [this] {
        if (m_filling)
            return;
        m_mapping.decimal = DecimalSeparator(m_decimal->currentData().toInt());
        check();
    });

    startMapping();
    showTable();
    showChoices();
    check();
    // Room for a reason such as '"31.06.2024" is not a date in the form
    // dd.MM.yyyy' beside the choices, within the screen.
    QSize size(1120, 680);
    if (const QScreen *screen = parent ? parent->screen() : this->screen())
        size = size.boundedTo(screen->availableGeometry().size() * 95 / 100);
    resize(size);
    m_separator->setFocus();
}

void RecordImportDialog::readWith(QChar separator)
{
    CsvReadResult read = ReadCsv(m_bytes, separator);
    m_readable = read.table.has_value();
    m_readError = read.error;
    if (m_readable) {
        m_table = std::move(*read.table);
    } else {
        // Nothing to show but the reason; the separator chosen stays.
        m_table = CsvTable();
        m_table.separator = separator;
    }
    // Another separator is another layout: its own remembered or guessed choices.
    startMapping();
    showTable();
    showChoices();
    check();
}

void RecordImportDialog::startMapping()
{
    if (!m_readable) {
        m_mapping = ImportMapping();
        m_mapping.dateFormat = ImportDateFormats().value(0);
        return;
    }
    const std::optional<ImportMapping> remembered = m_store.find(m_table.header, m_table.separator);
    m_mapping = remembered ? *remembered : GuessMapping(m_table);
    // A remembered column the file no longer has is no choice.
    for (int &column : m_mapping.columns)
        if (column >= m_table.header.size())
            column = -1;
}

void RecordImportDialog::showTable()
{
    const QString encoding = m_table.latin1 ? QStringLiteral("Latin-1") : QStringLiteral("UTF-8");
    m_fileLine->setText(m_readable ? QStringLiteral("%1 read as %2: %3 and a header row.")
                                         .arg(Plain(m_fileName),
                                              encoding, Counted(int(m_table.rows.size()), "row", "rows"))
                                   : QStringLiteral("The file cannot be read this way: %1").arg(Plain(m_readError)));

    const int shown = int(std::min<qsizetype>(m_table.rows.size(), PreviewRows));
    m_preview->clear();
    m_preview->setColumnCount(int(m_table.header.size()));
    m_preview->setRowCount(shown);
    QStringList lines;
    for (int row = 0; row < shown; ++row) {
        lines << QString::number(m_table.lineNumbers.value(row));
        const QStringList &cells = m_table.rows.at(row);
        for (int col = 0; col < cells.size() && col < m_table.header.size(); ++col)
            m_preview->setItem(row, col, new QTableWidgetItem(cells.at(col)));
    }
    m_preview->setVerticalHeaderLabels(lines);

    m_filling = true;
    for (int field = 0; field < RecordFieldCount; ++field) {
        QComboBox *combo = m_columns[std::size_t(field)];
        combo->clear();
        combo->addItem(QStringLiteral("(none)"), -1);
        for (int col = 0; col < m_table.header.size(); ++col) {
            const QString header = m_table.header.at(col).trimmed();
            combo->addItem(header.isEmpty() ? QStringLiteral("Column %1").arg(col + 1) : header, col);
        }
    }
    m_filling = false;
}

void RecordImportDialog::showChoices()
{
    m_filling = true;
    m_separator->setCurrentIndex(std::max(0, m_separator->findData(m_table.separator)));
    m_dateFormat->clear();
    QStringList formats = ImportDateFormats();
    if (!m_mapping.dateFormat.isEmpty() && !formats.contains(m_mapping.dateFormat))
        formats << m_mapping.dateFormat; // remembered from another locale's short date
    for (const QString &format : formats)
        m_dateFormat->addItem(format, format);
    m_dateFormat->setCurrentIndex(std::max(0, int(formats.indexOf(m_mapping.dateFormat))));
    m_mapping.dateFormat = m_dateFormat->currentData().toString();
    m_decimal->setCurrentIndex(m_mapping.decimal == DecimalSeparator::Comma ? 1 : 0);
    for (int field = 0; field < RecordFieldCount; ++field) {
        QComboBox *combo = m_columns[std::size_t(field)];
        combo->setCurrentIndex(std::max(0, combo->findData(m_mapping.columns[std::size_t(field)])));
        combo->setEnabled(m_readable);
    }
    m_dateFormat->setEnabled(m_readable);
    m_decimal->setEnabled(m_readable);
    m_filling = false;
    showTypeWords();
}

void RecordImportDialog::showTypeWords()
{
    // A long list means the type column is the wrong one; the first words
    // are enough to see that.
    constexpr qsizetype MaxWords = 60;
    const QStringList words = TypeWordsOf(m_table, m_mapping).mid(0, MaxWords);
    const int column = m_mapping.columns[std::size_t(RecordField::Type)];

    auto *area = new QWidget;
    area->setObjectName(QStringLiteral("TypeWordList"));
    auto *grid = new QGridLayout(area);
    grid->addWidget(new QLabel(QStringLiteral("<b>Word</b>"), area), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("<b>Type</b>"), area), 0, 1);
    QWidget *first = m_typeArea;
    QList<QWidget *> order;
    for (int i = 0; i < words.size(); ++i) {
        const QString &word = words.at(i);
        auto *combo = new QComboBox(area);
        combo->setObjectName(QStringLiteral("TypeWord%1").arg(i));
        combo->addItem(QStringLiteral("(not a type)"), QString());
        for (const TransactionType &type : TransactionTypes())
            combo->addItem(QLatin1String(type.entryName), QLatin1String(type.code));
        auto *label = new QLabel(Plain(word), area);
        label->setObjectName(QStringLiteral("TypeWordLabel%1").arg(i));
        label->setBuddy(combo);
        if (const QString code = TypeCodeOfWord(ImportMapping(), word); !code.isEmpty()) {
            // A code or a type's name is always understood: shown, not chosen.
            combo->setCurrentIndex(combo->findData(code));
            combo->setEnabled(false);
        } else {
            combo->setCurrentIndex(std::max(0, combo->findData(m_mapping.typeWords.value(word.toCaseFolded()))));
            connect(combo, &QComboBox::currentIndexChanged, this, [this, combo, word] {
                const QString code = combo->currentData().toString();
                if (code.isEmpty())
                    m_mapping.typeWords.remove(word.toCaseFolded());
                else
                    m_mapping.typeWords.insert(word.toCaseFolded(), code);
                check();
            });
            if (first == m_typeArea)
                first = combo;
        }
        grid->addWidget(label, i + 1, 0);
        grid->addWidget(combo, i + 1, 1);
        order << combo;
    }
    if (words.isEmpty())
        grid->addWidget(new QLabel(column < 0 ? QStringLiteral("No column is chosen for the type.")
                                              : QStringLiteral("The type column is empty."),
                                   area),
                        1, 0, 1, 2);
    grid->setRowStretch(int(words.size()) + 2, 1);
    grid->setColumnStretch(1, 1);
    // The old list goes with its widget.
    m_typeArea->setWidget(area);
    m_typeLabel->setBuddy(first);

    // Tab goes through the controls as they are laid out: the settings, the
    // preview, the columns, the type words, the problems and the buttons.
    QList<QWidget *> chain{m_separator, m_dateFormat, m_decimal, m_preview};
    for (QComboBox *column : m_columns)
        chain << column;
    chain << m_typeArea << order << m_problems << m_import << m_cancel;
    for (qsizetype i = 1; i < chain.size(); ++i)
        setTabOrder(chain.at(i - 1), chain.at(i));
}

void RecordImportDialog::takeColumn(int field)
{
    if (m_filling)
        return;
    const int column = m_columns[std::size_t(field)]->currentData().toInt();
    m_mapping.columns[std::size_t(field)] = column;
    if (RecordField(field) == RecordField::Type)
        showTypeWords();
    // The date form and decimal separator were found for the columns chosen
    // before; a newly chosen column that reads only one way says which.
    QStringList cells;
    if (column >= 0)
        for (const QStringList &row : std::as_const(m_table.rows))
            if (const QString cell = row.value(column).trimmed(); !cell.isEmpty())
                cells << cell;
    // The choice that reads more of the column's cells wins; a cell or two
    // that no choice reads (a mistyped date) is then told as a problem.
    const auto countRead = [&cells](const auto &reads) { return std::count_if(cells.cbegin(), cells.cend(), reads); };
    if (RecordField(field) == RecordField::Date) {
        const auto readWith = [&countRead](const QString &format) {
            return countRead([&format](const QString &cell) { return ReadImportDate(cell, format).isValid(); });
        };
        int best = m_dateFormat->currentIndex();
        auto bestCount = readWith(m_mapping.dateFormat);
        for (int i = 0; i < m_dateFormat->count(); ++i)
            if (const auto count = readWith(m_dateFormat->itemData(i).toString()); count > bestCount) {
                best = i;
                bestCount = count;
            }
        m_dateFormat->setCurrentIndex(best); // sets the mapping through its signal
    } else if (RecordField(field) != RecordField::Fund && RecordField(field) != RecordField::Type) {
        const auto readWith = [&countRead](DecimalSeparator decimal) {
            return countRead([decimal](const QString &cell) { return ReadImportFigure(cell, decimal).has_value(); });
        };
        const DecimalSeparator other =
            m_mapping.decimal == DecimalSeparator::Point ? DecimalSeparator::Comma : DecimalSeparator::Point;
        if (readWith(other) > readWith(m_mapping.decimal))
            m_decimal->setCurrentIndex(other == DecimalSeparator::Comma ? 1 : 0);
    }
    check();
}

QString RecordImportDialog::fieldText(RecordField field) const
{
    const int column = m_mapping.columns[std::size_t(int(field))];
    const QString name = RecordFieldName(field);
    if (column < 0 || column >= m_table.header.size())
        return name;
    return QStringLiteral("%1 (%2)").arg(name, m_table.header.at(column).trimmed());
}

void RecordImportDialog::check()
{
    if (m_readable)
        m_plan = PlanImport(m_db, m_table, m_mapping);
    else
        m_plan = ImportPlan();

    // The preview's headings say which field each column feeds.
    QStringList headings;
    for (int col = 0; col < m_table.header.size(); ++col) {
        QString heading = m_table.header.at(col).trimmed();
        for (int field = 0; field < RecordFieldCount; ++field)
            if (m_mapping.columns[std::size_t(field)] == col)
                heading += QStringLiteral("\n\u2192 ") + RecordFieldName(RecordField(field));
        headings << heading;
    }
    m_preview->setHorizontalHeaderLabels(headings);
    m_preview->resizeColumnsToContents();

    m_problems->setRowCount(int(m_plan.problems.size()) + (m_plan.unlistedProblems > 0 ? 1 : 0));
    for (int row = 0; row < m_plan.problems.size(); ++row) {
        const ImportProblem &problem = m_plan.problems.at(row);
        auto *line = new QTableWidgetItem(QString::number(problem.line));
        line->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_problems->setItem(row, 0, line);
        m_problems->setItem(row, 1, new QTableWidgetItem(fieldText(problem.field)));
        auto *reason = new QTableWidgetItem(problem.reason);
        reason->setToolTip(problem.reason); // whole, where the column cuts it
        m_problems->setItem(row, 2, reason);
    }
    if (m_plan.unlistedProblems > 0)
        m_problems->setItem(int(m_plan.problems.size()), 2,
                            new QTableWidgetItem(QStringLiteral("and %1 more").arg(Counted(m_plan.unlistedProblems,
                                                                                           "problem", "problems"))));
    m_problems->resizeColumnToContents(0);
    m_problems->resizeColumnToContents(1);

    QString summary;
    if (!m_readable)
        summary = QStringLiteral("Choose the separator the file uses.");
    else if (!m_plan.ok())
        summary = QStringLiteral("%1 found, so nothing is imported: mend the file or the choices above.")
                      .arg(Counted(int(m_plan.problems.size()) + m_plan.unlistedProblems, "problem", "problems"));
    else if (m_plan.records.isEmpty())
        summary = QStringLiteral("The file has no records to import.");
    else
        summary = QStringLiteral("%1 and %2 are ready to import.")
                      .arg(Counted(int(m_plan.records.size()), "record", "records"),
                           Counted(int(m_plan.newFunds.size()), "new fund", "new funds"));
    m_summary->setText(summary);
    m_import->setEnabled(m_readable && m_plan.ok() && !m_plan.records.isEmpty());
}
