// The live sketch and the tables of the calculation window answer each
// other: the current row of a segment, load, pile-row, berm or unloading
// table is highlighted in the sketch; a click on an element in the sketch
// makes its row current (on its page); the element under the mouse is named
// with its coordinates in the status bar. What lies where is the sketch's
// own knowledge (SketchElements); this only ties it to widgets.
#pragma once

#include "diagrams/SketchElements.h"
#include "tables/TableId.h"

#include <QObject>

#include <functional>
#include <optional>

class CCxView;
class CSlideCalcData;
class QStatusBar;
class QTabWidget;
class TableGrid;

class SketchLink : public QObject {
    Q_OBJECT
  public:
    // `gridOf` finds the grid of a table (null when none is shown).
    SketchLink(const CSlideCalcData& record, CCxView* sketch, QTabWidget* tabs, QStatusBar* status,
               std::function<TableGrid*(TableId)> gridOf, QObject* parent = nullptr);

    // Follows the current rows of the grid's table, when it has elements.
    void watch(TableGrid* grid);
    // The element highlighted now.
    const std::optional<SketchElementKind>& highlighted() const { return m_kind; }

    // Drawing changed: the elements are found again and the highlight follows
    // the current row of the grid that last had one.
    void drawingChanged();

  private:
    void rowChanged(TableId table, int row);
    void highlight(SketchElementKind kind, int index, bool all);
    void clicked(QPointF world, double pixel);
    void hovered(QPointF metres);
    std::optional<SketchElement> elementAt(QPointF world, double pixel) const;

    const CSlideCalcData& m_record;
    CCxView* m_sketch;
    QTabWidget* m_tabs;
    QStatusBar* m_status;
    std::function<TableGrid*(TableId)> m_gridOf;
    std::vector<SketchElement> m_elements;
    std::optional<SketchElementKind> m_kind;
    std::optional<TableId> m_table;  // the table whose row is highlighted
    int m_row = 0;
};
