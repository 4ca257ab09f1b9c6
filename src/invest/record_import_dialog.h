#pragma once

#include "invest/record_csv.h"

#include <QByteArray>
#include <QDialog>
#include <QList>
#include <QString>

#include <array>
#include <optional>

class FundDatabase;
class QComboBox;
class QGridLayout;
class QLabel;
class QPushButton;
class QScrollArea;
class QTableWidget;

// The preview of "Import Records...": the file's first rows, which column
// holds each of the record's fields, the separator, date format and decimal
// separator, what the file's type words mean, and every row that cannot be
// imported as chosen. Import is offered only when every row passes; the
// dialog changes nothing itself, the menu applies its plan.
class RecordImportDialog : public QDialog
{
    Q_OBJECT

public:
    // `bytes` is the whole file and `table` what it read as; the choices start
    // as remembered in `store` for the file's header, else as guessed.
    RecordImportDialog(const FundDatabase &db, const QString &fileName, const QByteArray &bytes,
                       const CsvTable &table, const ImportMappingStore &store, QWidget *parent = nullptr);

    // The table as last read (with the separator chosen) and the choices made.
    const CsvTable &table() const { return m_table; }
    const ImportMapping &mapping() const { return m_mapping; }
    // What Import adds: checked against the database with the current choices.
    const ImportPlan &plan() const { return m_plan; }

    // How many of the file's rows the preview shows.
    static constexpr int PreviewRows = 10;

private:
    void readWith(QChar separator);
    void startMapping();
    void showTable();
    void showChoices();
    void showTypeWords();
    void takeColumn(int field);
    void check();
    QString fieldText(RecordField field) const;

    const FundDatabase &m_db;
    const ImportMappingStore &m_store;
    QString m_fileName;
    QByteArray m_bytes;
    CsvTable m_table;
    bool m_readable = true;
    QString m_readError;
    ImportMapping m_mapping;
    ImportPlan m_plan;
    // Set while the controls are being filled, when their signals are no choice.
    bool m_filling = false;

    QLabel *m_fileLine;
    QComboBox *m_separator;
    QComboBox *m_dateFormat;
    QComboBox *m_decimal;
    QTableWidget *m_preview;
    std::array<QComboBox *, RecordFieldCount> m_columns{};
    QLabel *m_typeLabel;
    QScrollArea *m_typeArea;
    QTableWidget *m_problems;
    QLabel *m_summary;
    QPushButton *m_import;
    QPushButton *m_cancel = nullptr;
};
