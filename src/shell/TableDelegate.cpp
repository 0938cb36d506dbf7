// Editors for the cells of TableModel.
#include "shell/TableDelegate.h"

#include "shell/TableModel.h"
#include "tables/CTableBase.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

const CTableBase* tableOf(const QModelIndex& index) {
    auto* model = qobject_cast<const TableModel*>(index.model());
    return model ? &model->table() : nullptr;
}

bool isCombo(const QModelIndex& index) {
    const CTableBase* t = tableOf(index);
    return t && t->IsHangLieCombo(index.row() + 1, index.column() + 1);
}

}  // namespace

QWidget* TableDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
    if (!isCombo(index)) {
        auto* edit = new QLineEdit(parent);
        edit->setFrame(false);
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return edit;
    }
    (void)option;
    auto* combo = new QComboBox(parent);
    const CTableBase* t = tableOf(index);
    for (const std::string& item : t->GetComboItems(index.row() + 1, index.column() + 1))
        combo->addItem(QString::fromStdString(item));
    // A chosen item is the edit: it takes effect at once, as in the list of
    // a spreadsheet cell. The factory is const, the signals are the
    // delegate's own to send.
    connect(combo, &QComboBox::activated, this, [this, combo] {
        auto* self = const_cast<TableDelegate*>(this);
        emit self->commitData(combo);
        emit self->closeEditor(combo, QAbstractItemDelegate::NoHint);
    });
    return combo;
}

void TableDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        const CTableBase* t = tableOf(index);
        combo->setCurrentIndex(t ? t->GetComboIndex(index.row() + 1, index.column() + 1) : -1);
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void TableDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                 const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        model->setData(index, combo->currentText(), Qt::EditRole);
        return;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        model->setData(index, edit->text(), Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}
