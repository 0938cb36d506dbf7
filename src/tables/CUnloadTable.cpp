// Rows of the unloading table. While the start height is designed only its
// range is asked for.
#include "tables/CUnloadTable.h"

#include "data/CSlideCalcData.h"

namespace {

using D = CSlideCalcData;

bool designingUnload(const D& d) {
    return d.goal == 1 && d.designTarget == 2;
}
bool notDesigning(const D& d) {
    return !designingUnload(d);
}

// A search step below this would take thousands of trials for no gain.
constexpr float kMinSearchStep = 0.1f;

const NameValueRow kRows[] = {
    {"刷方减载起始定位坐标Y(m)", realCell([](D& d, int) { return &d.unloadY; }, 0.0f),
     designingUnload},
    {"刷方线的段数",
     countCell([](D& d, int) { return &d.unloadCount; }, 1, CSlideCalcData::kMaxUnloadSegs)},
    {"刷方的造价(元/方)", realCell([](D& d, int) { return &d.unloadCost; }, 0.0f)},
    {"刷方的工期(人天/方)", realCell([](D& d, int) { return &d.unloadDays; }, 0.0f)},
    {"最小的起始定位坐标Y(m)", realCell([](D& d, int) { return &d.unloadYRange.minValue; }),
     notDesigning},
    {"最大的起始定位坐标Y(m)", realCell([](D& d, int) { return &d.unloadYRange.maxValue; }),
     notDesigning},
    {"Y坐标的变化步长(m)", realCell([](D& d, int) { return &d.unloadYRange.step; }, kMinSearchStep),
     notDesigning},
};

}  // namespace

CUnloadTable::CUnloadTable(CSlideCalcData& data) : CNameValueTable(data, kRows, 190, 100) {}

bool CUnloadTable::IsDashed(int row) const {
    return m_data.useUnload == 0 || CNameValueTable::IsDashed(row);
}
