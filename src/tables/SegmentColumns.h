// Cell rules shared by the segment tables of the slip, slope, water and
// unloading lines: the same CLineSeg fields in different arrays.
#pragma once

#include "data/CSlideCalcData.h"
#include "tables/CellRule.h"

#include <algorithm>

// A section segment of no width would make a vertical block edge the thrust
// pass cannot cut; the tables keep every dx of slip, slope and water lines
// above it.
inline constexpr float kMinSectionDx = 0.001f;

template <auto Line>
float* segmentDxField(CSlideCalcData& d, int i) {
    return &(d.*Line)[i].dx;
}

template <auto Line>
float* segmentDyField(CSlideCalcData& d, int i) {
    return &(d.*Line)[i].dy;
}

template <auto Line>
CellRule segmentDx(float low) {
    return realCell(&segmentDxField<Line>, low);
}

template <auto Line>
CellRule segmentDy() {
    return realCell(&segmentDyField<Line>);
}

// A count as rows of a list: a count read from a damaged file may be out of
// its range, a table never shows fewer than none or more than the array.
inline int rowsOf(int count, int max) {
    return std::clamp(count, 0, max);
}
