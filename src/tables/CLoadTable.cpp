// Rows of the load table walk the slope segments adding up their load counts.
#include "tables/CLoadTable.h"

#include "data/CSlideCalcData.h"
#include "tables/SegmentColumns.h"

namespace {

constexpr int kLoads = CLineSeg::kMaxLoads;

CPointLoad& loadAt(CSlideCalcData& d, int element) {
    return d.slope[element / kLoads].loads[element % kLoads];
}

const ListColumn kColumns[] = {
    {"力序号", 32, ColumnKind::Number},
    {"距离(m)", 69, ColumnKind::Value,
     realCell([](CSlideCalcData& d, int e) { return &loadAt(d, e).dist; }, 0.0f)},
    {"X 分量(kN)", 85, ColumnKind::Value,
     realCell([](CSlideCalcData& d, int e) { return &loadAt(d, e).px; })},
    {"Y 分量(kN)", 84, ColumnKind::Value,
     realCell([](CSlideCalcData& d, int e) { return &loadAt(d, e).py; })},
};

int loadsOn(const CLineSeg& seg) {
    return rowsOf(seg.loadCount, kLoads);
}

}  // namespace

CLoadTable::CLoadTable(CSlideCalcData& data) : CListTable(data, kColumns) {}

int CLoadTable::RowCount() const {
    int rows = 0;
    int segments = rowsOf(m_data.slopeCount, CSlideCalcData::kMaxSegments);
    for (int s = 0; s < segments; ++s) rows += loadsOn(m_data.slope[s]);
    return rows;
}

int CLoadTable::ElementIndex(int row) const {
    int before = 0;
    for (int s = 0; s < CSlideCalcData::kMaxSegments; ++s) {
        int n = loadsOn(m_data.slope[s]);
        if (before + n >= row) return s * kLoads + (row - before - 1);
        before += n;
    }
    return 0;  // not reached: rows beyond the count have no element
}

std::string CLoadTable::NumberText(int row) const {
    int e = ElementIndex(row);
    return intText(e / kLoads + 1) + "-" + intText(e % kLoads + 1);
}
