// The one item model over every input table: rows, columns, texts, hints,
// which cells take typing, and edits applied through the table's own rules.
// The table answers everything from the record; the model only counts rows
// and columns between refreshes so that views hear of every change.
#pragma once

#include "shell/commands/RecordEdits.h"
#include "tables/TableEdit.h"

#include <QAbstractTableModel>

#include <functional>

class CTableBase;
class CTablePage;

class TableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    // Where the model hands its edits: the calculation window applies them
    // (one place for an undo stack) and answers what they did.
    using EditRunner = std::function<EditOutcome(TableEdit)>;

    TableModel(CTablePage& page, CTableBase& table, EditRunner runEdit, QObject* parent = nullptr);

    CTableBase& table() const { return m_table; }
    CTablePage& page() const { return m_page; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Types `text` into the cell (row and column from 1) as a user would.
    EditOutcome typeText(int row, int col, const QString& text);
    // Pastes spreadsheet text from the cell (row and column from 1).
    EditOutcome pasteText(int row, int col, const QString& text);

    // Re-reads the row and column counts and repaints every cell: after an
    // edit on the page or a change of the record.
    void refresh();

    // "---" cells and cells a user cannot type into.
    static constexpr int kLockedRole = Qt::UserRole + 1;
    // The hint line of the cell: its warning, the table's hint, its unit.
    static constexpr int kHintRole = Qt::UserRole + 2;
    // What is wrong with the cell's value (CTableBase::CellWarning).
    static constexpr int kWarningRole = Qt::UserRole + 3;

  private:
    QString hintText(int row, int col) const;
    QString description(int row, int col) const;
    void followCount(int& held, int now, bool rows);

    CTablePage& m_page;
    CTableBase& m_table;
    EditRunner m_runEdit;
    int m_rows = 0;
    int m_cols = 0;
};
