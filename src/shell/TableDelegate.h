// The one editor chooser of every input table: a drop-down of the cell's
// items where the table edits by a list, a line edit elsewhere. What a chosen
// item or a typed text does is the table's.
#pragma once

#include <QStyledItemDelegate>

class TableDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
};
