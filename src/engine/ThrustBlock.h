// One block of the transfer-coefficient pass over prepared section lines: the
// forces on its slip segment, its residual force and its report lines.
#pragma once

#include "engine/SectionLines.h"

#include <vector>

class CSlideCalcData;
class PointLoadList;
class ReportWriter;
class SweepMemo;

// What acts on a block besides the force of the block above: its geometry,
// the point loads plus the static water on it, and the water and earthquake
// forces. It depends on the block's ends and the section, not on the pass.
struct BlockLoads {
    BlockGeometry g;
    float px = 0.0f, py = 0.0f;  // point loads plus static water
    float D = 0.0f, U = 0.0f, Uc = 0.0f, Q = 0.0f;
};

// What the blocks of one pass share: the lines, the loads, the scratch cut
// list, where the previous block's searches ended, and in a sweep the loads
// remembered from earlier passes.
struct ThrustBlockContext {
    ThrustBlockContext(const SectionLines& l, const PointLoadList& p) : lines(l), loads(p) {}
    const SectionLines& lines;
    const PointLoadList& loads;
    std::vector<float> cuts;
    SectionLines::Window previous;
    bool hasPrevious = false;
    int loadCursor = 0;
    SweepMemo* memo = nullptr;
};

void computeBlock(ThrustBlockContext& context, const CSlideCalcData& item, int s, float xStart,
                  float yStart, float xEnd, float yEnd, float prevAngle, float prevForce,
                  float* angle, float* force, ReportWriter* report, float* bermArea,
                  float* trimmedArea);
