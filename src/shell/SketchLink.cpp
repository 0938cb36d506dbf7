// Which table lists which elements, and the widget side of pointing at them.
#include "shell/SketchLink.h"

#include "shell/CCxView.h"
#include "shell/TableGrid.h"
#include "shell/TableModel.h"

#include "diagrams/Sketch.h"
#include "web/SketchRows.h"

#include "tables/CTableBase.h"
#include "tables/TablePage.h"

#include <QItemSelectionModel>
#include <QStatusBar>
#include <QTabWidget>

#include <algorithm>

namespace {

using Kind = SketchElementKind;

// Near enough to point at: a few pixels either side of a line.
constexpr double kHitPixels = 5.0;

const QColor kHighlight(255, 120, 0, 190);

}  // namespace

SketchLink::SketchLink(const CSlideCalcData& record, CCxView* sketch, QTabWidget* tabs,
                       QStatusBar* status, std::function<TableGrid*(TableId)> gridOf,
                       QObject* parent)
    : QObject(parent),
      m_record(record),
      m_sketch(sketch),
      m_tabs(tabs),
      m_status(status),
      m_gridOf(std::move(gridOf)) {
    connect(m_sketch, &CCxView::clicked, this, &SketchLink::clicked);
    connect(m_sketch, &CCxView::cursorPosition, this, &SketchLink::hovered);
    connect(m_sketch, &CCxView::drawingChanged, this, &SketchLink::drawingChanged);
    drawingChanged();
}

void SketchLink::watch(TableGrid* grid) {
    TableId table = grid->tableModel()->table().Id();
    if (!sketchRowLink(table)) return;
    connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this, table](const QModelIndex& current) {
                if (current.isValid()) rowChanged(table, current.row() + 1);
            });
}

void SketchLink::drawingChanged() {
    m_elements = SketchElements(m_record);
    if (m_table) {
        rowChanged(*m_table, m_row);
    } else {
        m_sketch->setOverlays({});
    }
}

void SketchLink::rowChanged(TableId table, int row) {
    const SketchRowLink* t = sketchRowLink(table);
    m_table = table;
    m_row = row;
    highlight(t->kind, row - 1, t->whole);
}

void SketchLink::highlight(Kind kind, int index, bool all) {
    ViewOverlay overlay{{}, kHighlight, 6.0};
    for (const SketchElement& e : m_elements) {
        if (e.kind != kind || (!all && e.index != index)) continue;
        QPolygonF path;
        for (const CFPoint& p : e.points) path << QPointF(p.x, p.y);
        overlay.paths.push_back(path);
    }
    m_kind = overlay.paths.empty() ? std::nullopt : std::optional<Kind>(kind);
    m_sketch->setOverlays(overlay.paths.empty() ? std::vector<ViewOverlay>{}
                                                : std::vector<ViewOverlay>{overlay});
}

std::optional<SketchElement> SketchLink::elementAt(QPointF world, double pixel) const {
    CFPoint p{static_cast<float>(world.x()), static_cast<float>(world.y())};
    return HitSketchElement(m_elements, p, static_cast<float>(kHitPixels * pixel));
}

void SketchLink::clicked(QPointF world, double pixel) {
    std::optional<SketchElement> hit = elementAt(world, pixel);
    if (!hit) return;
    for (const SketchRowLink& t : sketchRowLinks()) {
        if (t.kind != hit->kind) continue;
        TableGrid* grid = m_gridOf(t.table);
        int row = t.whole ? 1 : hit->index + 1;
        if (!grid || row > grid->model()->rowCount()) continue;
        m_tabs->setCurrentIndex(static_cast<int>(pageOfTable(t.table)));
        // The row is selected whole, the cursor on the column it was in (or
        // the first after the number).
        int col = std::max(1, grid->currentIndex().column());
        QModelIndex at =
            grid->model()->index(row - 1, std::min(col, grid->model()->columnCount() - 1));
        grid->setCurrentIndex(at);
        grid->selectionModel()->select(
            at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        grid->scrollTo(at);
        grid->setFocus();
        highlight(hit->kind, hit->index, false);
        return;
    }
}

void SketchLink::hovered(QPointF metres) {
    double pixel = 1.0 / m_sketch->viewTransform().scale();
    std::optional<SketchElement> hit = elementAt(metres * kSketchMm, pixel);
    if (hit)
        m_status->showMessage(QString::fromStdString(DescribeSketchElement(*hit)));
    else
        m_status->showMessage(QString::fromStdString(DescribeSketchPoint(metres.x(), metres.y())));
    m_sketch->setToolTip(hit ? QString::fromStdString(DescribeSketchElement(*hit)) : QString());
}
