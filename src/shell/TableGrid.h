// The grid widget of an input table: a table view over TableModel that keys
// and the clipboard drive as in a spreadsheet. Arrows, Tab and Shift+Tab
// move; typing starts an edit, F2 edits in place, Enter commits and moves
// down, Escape cancels; Ctrl+C copies the selected block as tab-separated
// text, Ctrl+V pastes a block from the current cell, Delete clears the
// selected cells to what their rules make of an empty text.
#pragma once

#include <QTableView>

class TableModel;

class TableGrid : public QTableView {
    Q_OBJECT
  public:
    TableGrid(TableModel* model, QWidget* parent = nullptr);

    TableModel* tableModel() const { return m_model; }

    // The selected block as tab-separated lines, as spreadsheets copy.
    QString selectedText() const;
    void copySelection();
    void pasteClipboard();
    void clearSelection();

    // Sizes columns, rows and the title from the table's pixel widths, in
    // proportion to the font, and fixes the height of a parameter table to
    // its rows.
    void fitToTable();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    // The hint of the new current cell, or of the cell just typed into when
    // what was typed is flagged (empty for none); warning: it begins with a
    // flag or a range warning.
    void hintChanged(const QString& hint, bool warning);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void focusInEvent(QFocusEvent* event) override;

  private:
    void moveDown();
    void tellHint(const QModelIndex& cell);
    double fontScale() const;
    int tableHeight(int rows) const;

    TableModel* m_model;
};
