// Spreadsheet keys over the table logic. Every change goes through the model,
// so the table's rules hold for typed, pasted and cleared cells alike.
#include "shell/TableGrid.h"

#include "shell/TableDelegate.h"
#include "shell/TableModel.h"
#include "tables/CTableBase.h"
#include "tables/TablePage.h"
#include "tables/TablePaste.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMessageBox>

#include <algorithm>

TableGrid::TableGrid(TableModel* model, QWidget* parent) : QTableView(parent), m_model(model) {
    setModel(model);
    setItemDelegate(new TableDelegate(this));
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::DoubleClicked);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setTabKeyNavigation(true);
    setWordWrap(false);
    verticalHeader()->hide();
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setSectionsClickable(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    fitToTable();
    connect(model, &QAbstractItemModel::rowsInserted, this, &TableGrid::fitToTable);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &TableGrid::fitToTable);
    connect(model, &QAbstractItemModel::columnsInserted, this, &TableGrid::fitToTable);
    connect(model, &QAbstractItemModel::columnsRemoved, this, &TableGrid::fitToTable);
}

// The widths were pixels for a 12-pixel Chinese character; today's fonts are
// larger, and the columns grow with them.
double TableGrid::fontScale() const {
    return std::max(1.0, fontMetrics().horizontalAdvance(QStringLiteral("中")) / 12.0);
}

int TableGrid::tableHeight(int rows) const {
    int h = 2 * frameWidth() + rows * verticalHeader()->defaultSectionSize();
    if (!horizontalHeader()->isHidden()) h += horizontalHeader()->height();
    return h;
}

void TableGrid::fitToTable() {
    const CTableBase& t = m_model->table();
    double k = fontScale();
    verticalHeader()->setDefaultSectionSize(std::max(t.RowHeight(), fontMetrics().height() + 6));
    // Never narrower than the table asks, nor than its titles and numbers.
    resizeColumnsToContents();
    std::vector<int> widths = t.ColumnWidths();
    int numbers = fontMetrics().horizontalAdvance(QStringLiteral("-0000.000")) + 8;
    for (size_t c = 0; c < widths.size(); ++c) {
        int col = static_cast<int>(c);
        int least = std::max(static_cast<int>(widths[c] * k), col > 0 ? numbers : 0);
        setColumnWidth(col, std::max(columnWidth(col), least));
    }
    bool titled = t.TitleHeight() != CTableBase::kNoTitleHeight;
    horizontalHeader()->setVisible(titled);
    if (titled) horizontalHeader()->setFixedHeight(2 * fontMetrics().height() + 8);
    if (!titled) setFixedHeight(tableHeight(m_model->rowCount()));
    updateGeometry();
}

QSize TableGrid::sizeHint() const {
    int w = 2 * frameWidth() + horizontalHeader()->length();
    int rows = std::clamp(m_model->rowCount(), 3, 12);
    return {w, tableHeight(rows)};
}

QSize TableGrid::minimumSizeHint() const {
    return {120, tableHeight(std::min(3, std::max(1, m_model->rowCount())))};
}

QString TableGrid::selectedText() const {
    QModelIndexList cells = selectionModel()->selectedIndexes();
    if (cells.isEmpty() && currentIndex().isValid()) cells << currentIndex();
    if (cells.isEmpty()) return {};
    int r1 = INT_MAX, r2 = -1, c1 = INT_MAX, c2 = -1;
    for (const QModelIndex& i : cells) {
        r1 = std::min(r1, i.row()), r2 = std::max(r2, i.row());
        c1 = std::min(c1, i.column()), c2 = std::max(c2, i.column());
    }
    QStringList lines;
    for (int r = r1; r <= r2; ++r) {
        QStringList row;
        for (int c = c1; c <= c2; ++c) row << m_model->index(r, c).data().toString();
        lines << row.join('\t');
    }
    return lines.join('\n') + '\n';
}

void TableGrid::copySelection() {
    QApplication::clipboard()->setText(selectedText());
}

void TableGrid::pasteClipboard() {
    QModelIndex at = currentIndex();
    if (!at.isValid()) return;
    m_model->pasteText(at.row() + 1, at.column() + 1, QApplication::clipboard()->text());
    std::string refused = describeRefusals(m_model->page().lastPaste());
    if (!refused.empty())
        QMessageBox::information(
            this, QStringLiteral("粘贴"),
            QStringLiteral("以下内容未能放入表格:\n") + QString::fromStdString(refused));
}

void TableGrid::clearSelection() {
    QModelIndexList cells = selectionModel()->selectedIndexes();
    if (cells.isEmpty() && currentIndex().isValid()) cells << currentIndex();
    for (const QModelIndex& i : cells)
        if (i.flags() & Qt::ItemIsEditable) m_model->typeText(i.row() + 1, i.column() + 1, {});
}

void TableGrid::moveDown() {
    QModelIndex at = currentIndex();
    if (at.isValid() && at.row() + 1 < m_model->rowCount())
        setCurrentIndex(m_model->index(at.row() + 1, at.column()));
}

void TableGrid::keyPressEvent(QKeyEvent* event) {
    if (state() != QAbstractItemView::EditingState) {
        if (event->matches(QKeySequence::Copy)) return copySelection();
        if (event->matches(QKeySequence::Paste)) return pasteClipboard();
        if (event->matches(QKeySequence::Delete) || event->key() == Qt::Key_Delete)
            return clearSelection();
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return moveDown();
    }
    QTableView::keyPressEvent(event);
}

void TableGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    // Enter commits (the delegate has already handed the text over) and
    // moves down, as in a spreadsheet.
    const QModelIndex edited = currentIndex();
    bool down = hint == QAbstractItemDelegate::SubmitModelCache;
    QTableView::closeEditor(editor, down ? QAbstractItemDelegate::NoHint : hint);
    if (down) moveDown();
    // A text read only in part is told at once, even when Enter moved on.
    if (edited.isValid() && !edited.data(TableModel::kWarningRole).toString().isEmpty())
        tellHint(edited);
}

void TableGrid::tellHint(const QModelIndex& cell) {
    emit hintChanged(cell.data(TableModel::kHintRole).toString(),
                     !cell.data(TableModel::kWarningRole).toString().isEmpty());
}

void TableGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    tellHint(current);
}

void TableGrid::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    tellHint(currentIndex());
}
