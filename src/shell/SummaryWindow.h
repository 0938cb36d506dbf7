// The project summary as a window: one row per item in a table the user sorts
// by clicking a column title, copies from with Ctrl+C and saves as CSV.
#pragma once

#include "run/ProjectSummary.h"

#include <QAbstractTableModel>
#include <QWidget>

#include <string>
#include <vector>

class QTableView;
class QSortFilterProxyModel;

// The rows of the summary as the cells of the CSV table. Cells that read as
// numbers sort as numbers (kSortRole).
class SummaryModel : public QAbstractTableModel {
  public:
    static constexpr int kSortRole = Qt::UserRole;
    SummaryModel(std::vector<SummaryRow> rows, QObject* parent);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    const std::vector<SummaryRow>& rows() const { return m_rows; }

  private:
    std::vector<SummaryRow> m_rows;
    std::vector<std::vector<std::string>> m_cells;
    std::vector<std::string> m_titles;
};

class SummaryWindow : public QWidget {
    Q_OBJECT
  public:
    SummaryWindow(const QString& projectName, std::vector<SummaryRow> rows, QWidget* parent);
    QTableView* table() const { return m_table; }
    // The selected cells as tab-separated lines, in the order shown.
    QString selectedText() const;
    // The CSV table written to path; false (and nothing changed) when it cannot be.
    bool exportCsv(const QString& path) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void copySelection() const;
    void askAndExport();

    SummaryModel* m_model;
    QSortFilterProxyModel* m_sorted;
    QTableView* m_table;
};
