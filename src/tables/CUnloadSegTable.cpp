// Columns of the unloading segments. A segment of no width is allowed here:
// the unloading line may step straight up.
#include "tables/CUnloadSegTable.h"

#include "tables/SegmentColumns.h"

namespace {

const ListColumn kColumns[] = {
    {"折线序号", 32, ColumnKind::Number},
    {"水平投影长(m)", 64, ColumnKind::Value, segmentDx<&CSlideCalcData::unloadSegs>(0.0f)},
    {"竖向投影长(m)", 61, ColumnKind::Value, segmentDy<&CSlideCalcData::unloadSegs>()},
    {"折线长(m)", 62, ColumnKind::Length},
    {"折线仰角(度)", 64, ColumnKind::Angle},
};

}  // namespace

CUnloadSegTable::CUnloadSegTable(CSlideCalcData& data) : CListTable(data, kColumns) {}

int CUnloadSegTable::RowCount() const {
    if (m_data.useUnload != 1) return 0;
    return rowsOf(m_data.unloadCount, CSlideCalcData::kMaxUnloadSegs);
}
