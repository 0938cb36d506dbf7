// One page of input tables: a grid per table of the page, in the page's
// order, with the hint of the current cell below them while table hints are
// on. Its edits go to the owner's one place for edits, whose notice of a
// changed record makes the page re-read its tables (refresh).
#pragma once

#include "shell/commands/RecordEdits.h"
#include "tables/TableEdit.h"
#include "tables/TablePage.h"

#include <QWidget>

#include <functional>
#include <vector>

class QCheckBox;
class QLabel;
class QVBoxLayout;
class TableGrid;
class TableModel;

class TablePageWidget : public QWidget {
    Q_OBJECT
  public:
    // Applies an edit to the page (the owner's single place for edits).
    using EditRunner = std::function<EditOutcome(CTablePage&, TableEdit)>;

    // flags: where the tables flag texts read in part, shared by the pages
    // over one record; null: the page keeps its own.
    TablePageWidget(TablePageId id, CSlideCalcData& record, EditRunner runEdit,
                    QWidget* parent = nullptr, CellFlags* flags = nullptr);

    CTablePage& page() { return m_page; }
    TableGrid* grid(TableId id) const;
    const std::vector<TableGrid*>& grids() const { return m_grids; }
    // The layout under the tables, for a page's own buttons.
    QVBoxLayout* body() const { return m_body; }

    // Every table re-reads its rows, columns and cells.
    void refresh();
    void setHintsShown(bool shown);
    // The page's switch between projections and points for its section-line
    // tables; none on a page without them.
    QCheckBox* pointsSwitch() const { return m_points; }

  private:
    EditOutcome applyPageEdit(TableEdit edit);
    void showHint(const QString& hint, bool warning);
    void addPointsSwitch();
    void showPoints(bool shown);

    CTablePage m_page;
    EditRunner m_runEdit;
    std::vector<TableGrid*> m_grids;
    std::vector<TableModel*> m_models;
    QVBoxLayout* m_body;
    QLabel* m_hint;
    bool m_hintWarns = false;
    QCheckBox* m_points = nullptr;
    bool m_hintsShown = true;
};
