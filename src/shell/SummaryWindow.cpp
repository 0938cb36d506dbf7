// The summary table of a project, shown beside its project window.
#include "shell/SummaryWindow.h"

#include "platform/AtomicFile.h"
#include "run/SummaryTable.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QKeyEvent>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include <map>

SummaryModel::SummaryModel(std::vector<SummaryRow> rows, QObject* parent)
    : QAbstractTableModel(parent), m_rows(std::move(rows)), m_titles(SummaryColumnTitles()) {
    for (const SummaryRow& r : m_rows) m_cells.push_back(SummaryCells(r));
}

int SummaryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_cells.size());
}

int SummaryModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_titles.size());
}

QVariant SummaryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    QString text = QString::fromStdString(m_cells[index.row()][index.column()]);
    if (role == Qt::DisplayRole) return text;
    // Figures line up on their last digit, as in the printed table.
    if (role == Qt::TextAlignmentRole) {
        bool figure = false;
        text.toDouble(&figure);
        return QVariant::fromValue(Qt::AlignVCenter | (figure ? Qt::AlignRight : Qt::AlignLeft));
    }
    if (role != kSortRole) return {};
    // Numbers before text, so that a column of figures with a few blanks sorts
    // by the figures.
    bool number = false;
    double value = text.toDouble(&number);
    return number ? QVariant(QString::asprintf("0%+024.6f", value + 1e15)) : QVariant("1" + text);
}

QVariant SummaryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    return QString::fromStdString(m_titles[section]);
}

SummaryWindow::SummaryWindow(const QString& projectName, std::vector<SummaryRow> rows,
                             QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_model(new SummaryModel(std::move(rows), this)),
      m_sorted(new QSortFilterProxyModel(this)),
      m_table(new QTableView(this)) {
    setWindowTitle("工程汇总表 - " + projectName);
    m_sorted->setSourceModel(m_model);
    m_sorted->setSortRole(SummaryModel::kSortRole);
    m_table->setModel(m_sorted);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(-1, Qt::AscendingOrder);  // list order until a title is clicked
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->resizeColumnsToContents();
    auto* save = new QPushButton("导出CSV文件", this);
    connect(save, &QPushButton::clicked, this, &SummaryWindow::askAndExport);
    m_table->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addWidget(save, 0, Qt::AlignRight);
    resize(900, 360);
}

QString SummaryWindow::selectedText() const {
    // Rows and columns in the order shown, one line per row.
    std::map<int, std::map<int, QString>> cells;
    for (const QModelIndex& i : m_table->selectionModel()->selectedIndexes())
        cells[i.row()][i.column()] = i.data().toString();
    QStringList lines;
    for (const auto& [row, columns] : cells) {
        QStringList line;
        for (const auto& [column, text] : columns) line << text;
        lines << line.join('\t');
    }
    return lines.join('\n');
}

// Ctrl+C takes every selected cell, not only the current one as the table does.
bool SummaryWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_table && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        copySelection();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void SummaryWindow::copySelection() const {
    QApplication::clipboard()->setText(selectedText());
}

bool SummaryWindow::exportCsv(const QString& path) const {
    return writeFileAtomically(path.toStdString(), SummaryCsv(m_model->rows())) == 1;
}

void SummaryWindow::askAndExport() {
    QString path =
        QFileDialog::getSaveFileName(this, "导出CSV文件", "Talvor_Summary.csv", "CSV文件 (*.csv)");
    if (path.isEmpty() || exportCsv(path)) return;
    QMessageBox::warning(this, "工程汇总表", "无法写入 " + path);
}
