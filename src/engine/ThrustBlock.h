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

// A block as the pass met it, kept for the stability factor and the geometry
// checks, which reuse the pass's loads instead of integrating again.
struct PassBlock {
    int s = 0;  // slip segment
    float xStart = 0.0f, xEnd = 0.0f;
    bool vertical = false;   // passed through: no loads, angle kept
    float alpha = 0.0f;      // radians; a vertical block keeps prevAngle
    float prevAngle = 0.0f;  // angle of the force received
    float c = 0.0f, phiDeg = 0.0f;
    BlockLoads loads;
    float N = 0.0f;  // normal force with the force received; below 0 the friction was cut
    float F = 0.0f;  // friction resistance tan φ · N, never negative
    float E = 0.0f;  // residual force leaving the block
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
    std::vector<PassBlock>* record = nullptr;  // when given, every block is appended
};

void computeBlock(ThrustBlockContext& context, const CSlideCalcData& item, int s, float xStart,
                  float yStart, float xEnd, float yEnd, float prevAngle, float prevForce,
                  float* angle, float* force, ReportWriter* report, float* bermArea,
                  float* trimmedArea);
