// Grids laid top to bottom; parameter tables keep their height, lists share
// what is left.
#include "shell/TablePageWidget.h"

#include "shell/TableGrid.h"
#include "shell/TableModel.h"
#include "tables/CTableBase.h"
#include "tables/TableCaption.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

TablePageWidget::TablePageWidget(TablePageId id, CSlideCalcData& record, EditRunner runEdit,
                                 QWidget* parent, CellFlags* flags)
    : QWidget(parent), m_page(id, record, flags), m_runEdit(std::move(runEdit)) {
    m_body = new QVBoxLayout(this);
    addPointsSwitch();
    QString pageTitle = QString::fromUtf8(tablePage(id).title);
    if (pageTitle.isEmpty()) pageTitle = QStringLiteral("桩身参数");
    for (int i = 0; i < m_page.tableCount(); ++i) {
        CTableBase& table = m_page.table(i);
        auto* model = new TableModel(
            m_page, table, [this](TableEdit e) { return applyPageEdit(std::move(e)); }, this);
        auto* grid = new TableGrid(model, this);
        grid->setAccessibleName(pageTitle + " " + QString::fromUtf8(tableCaption(table.Id())));
        bool list = table.TitleHeight() != CTableBase::kNoTitleHeight;
        m_body->addWidget(grid, list ? 1 : 0);
        connect(grid, &TableGrid::hintChanged, this, &TablePageWidget::showHint);
        m_grids.push_back(grid);
        m_models.push_back(model);
    }
    m_hint = new QLabel(this);
    m_hint->setWordWrap(true);
    m_hint->setFrameShape(QFrame::StyledPanel);
    m_hint->setAccessibleName(QStringLiteral("表格输入提示"));
    m_hint->hide();
    m_body->addWidget(m_hint);
}

void TablePageWidget::addPointsSwitch() {
    if (m_page.coordinateViews().empty()) return;
    m_points = new QCheckBox(QStringLiteral("显示和输入各点坐标 X, Y"), this);
    m_points->setToolTip(
        QStringLiteral("在序号后加两列: 各段终点的坐标。输入坐标只移动这一点, 前后两段的投影长随之"
                       "改变; 投影长此时由坐标算出。"));
    connect(m_points, &QCheckBox::toggled, this, &TablePageWidget::showPoints);
    m_body->addWidget(m_points);
}

void TablePageWidget::showPoints(bool shown) {
    m_page.setPointsShown(shown);
    refresh();
}

EditOutcome TablePageWidget::applyPageEdit(TableEdit edit) {
    EditOutcome outcome = m_runEdit(m_page, std::move(edit));
    // A changed record is told to every view by the owner. One left as it was
    // may still hold a new flag on the text typed ("abc" over a 0), which only
    // the cells of this page show.
    if (outcome == EditOutcome::Unchanged) refresh();
    return outcome;
}

TableGrid* TablePageWidget::grid(TableId id) const {
    for (TableGrid* g : m_grids)
        if (g->tableModel()->table().Id() == id) return g;
    return nullptr;
}

void TablePageWidget::refresh() {
    for (TableModel* m : m_models) m->refresh();
}

void TablePageWidget::setHintsShown(bool shown) {
    m_hintsShown = shown;
    if (!shown && !m_hintWarns) m_hint->hide();
}

// A warning shows even with the table hints switched off: it is about what
// was typed, not help on the cell.
void TablePageWidget::showHint(const QString& hint, bool warning) {
    m_hintWarns = warning;
    m_hint->setText(hint.trimmed());
    m_hint->setStyleSheet(warning ? QStringLiteral("QLabel { color: #a00000; }") : QString());
    m_hint->setVisible((m_hintsShown || warning) && !hint.trimmed().isEmpty());
}
