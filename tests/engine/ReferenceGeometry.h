// A plain, uncached evaluation of the section-geometry and thrust rules: every
// look-up rebuilds its point lists and every cut list tries every segment pair.
// Slow on purpose; the tests hold the engine's prepared geometry against it.
#pragma once

#include "engine/SectionGeometry.h"

#include <vector>

class CSlideCalcData;

namespace reference {

int buildLine(const CSlideCalcData& d, LineKind kind, float* xs, float* ys);
int buildLineForCuts(const CSlideCalcData& d, LineKind kind, float* xs, float* ys);
float lineYAtX(const CSlideCalcData& d, LineKind kind, float x, int side);
float lineXAtY(const CSlideCalcData& d, LineKind kind, float y, int side);
void collectCuts(const CSlideCalcData& d, float x1, float x2, std::vector<float>& cuts);
BlockGeometry integrateBlock(const CSlideCalcData& d, float x1, float x2);
void sumPointLoads(const CSlideCalcData& d, float x1, float x2, float* px, float* py);
float computeThrust(const CSlideCalcData& d, float* angle, float* bermArea, float* trimmedArea,
                    float* residualThrust);

}  // namespace reference
