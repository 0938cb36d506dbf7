// Hand-checkable calculation items for the engine tests: slip and slope from
// (dx, dy) pairs, no countermeasures, the water line far below.
#pragma once

#include "data/CSlideCalcData.h"

#include <initializer_list>
#include <utility>

using Segs = std::initializer_list<std::pair<float, float>>;

inline CSlideCalcData plainSection(Segs slip, Segs slope, float slopeX0 = 0.0f) {
    CSlideCalcData d;
    d.usePiles = d.useBerm = d.useUnload = 0;
    d.slipCount = d.slopeCount = 0;
    for (auto [dx, dy] : slip) d.slip[d.slipCount].dx = dx, d.slip[d.slipCount++].dy = dy;
    for (auto [dx, dy] : slope) d.slope[d.slopeCount].dx = dx, d.slope[d.slopeCount++].dy = dy;
    d.slopeX0 = slopeX0;
    d.waterX0 = -20.0f;
    d.waterY0 = -100.0f;
    d.waterCount = 1;
    d.water[0].dx = 200.0f;
    d.water[0].dy = 0.0f;
    return d;
}

// One dry wedge: slip from (0, 0) to (10, 5) under level ground at y = 5,
// 475 kN on a plane inclined at α = atan 0.5 = 26.565°, φ = 20°.
inline CSlideCalcData wedge(float c) {
    CSlideCalcData d = plainSection({{10, 5}}, {{0, 5}, {10, 0}});
    d.slip[0].c = c;
    d.useSeepage = 0;
    return d;
}
