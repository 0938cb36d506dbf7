// Pile resistance per metre width of slope.
#include "piles/PileResistance.h"

#include "data/CSlideCalcData.h"

#include <algorithm>

namespace {
// Below one millimetre the spacing is a typing slip; it must not divide by 0.
constexpr float kLeastSpacing = 0.001f;
}  // namespace

float PileResistance(const CSlideCalcData& item, int k) {
    if (item.usePiles == 0 || k < 0 || k >= item.pileKindCount ||
        k >= CSlideCalcData::kMaxPileKinds)
        return 0.0f;
    float s = item.pileSpacing;
    if (s < kLeastSpacing) s = kLeastSpacing;
    const float Q = item.pileKinds[k].capacity;
    // A full row carries Q / s per metre width; row r develops rowFactor[r] of it.
    // R = sum over r < pileRows of (Q / s) * rowFactor[r]
    const int rows = std::min(item.pileRows, CSlideCalcData::kMaxRows);
    float R = 0.0f;
    for (int r = 0; r < rows; ++r) R += (Q / s) * item.rowFactor[r];
    return R;
}
