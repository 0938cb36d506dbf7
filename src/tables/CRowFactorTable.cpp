// Rows of the row-factor table: all twenty while the number of rows is being
// designed, the rows in use where the safety of the piles is checked or they
// stand in a berm or unloading design.
#include "tables/CRowFactorTable.h"

#include "data/CSlideCalcData.h"
#include "tables/SegmentColumns.h"

namespace {

const ListColumn kColumns[] = {
    {"桩排号", 49, ColumnKind::Number},
    {"承载力发挥系数", 72, ColumnKind::Value,
     realCell([](CSlideCalcData& d, int i) { return &d.rowFactor[i]; }, 0.0f)},
};

bool designingRows(const CSlideCalcData& d) {
    return d.goal == 1 && d.designTarget == 0;
}

}  // namespace

CRowFactorTable::CRowFactorTable(CSlideCalcData& data) : CListTable(data, kColumns) {}

int CRowFactorTable::RowCount() const {
    const CSlideCalcData& d = m_data;
    if (d.usePiles == 0) return 0;
    if (d.goal == 0 && (d.checkTarget == 1 || d.checkTarget == 2)) return 0;
    if (designingRows(d)) return CSlideCalcData::kMaxRows;
    return rowsOf(d.pileRows, CSlideCalcData::kMaxRows);
}

std::optional<CTableBase::CountCell> CRowFactorTable::CountSource() const {
    if (designingRows(m_data)) return std::nullopt;
    return CountCell{TableId::CPileTable, 3};
}
