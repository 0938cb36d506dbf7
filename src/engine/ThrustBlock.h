// One block of the transfer-coefficient pass over prepared section lines: the
// forces on its slip segment, its residual force and its report lines.
#pragma once

#include "engine/SectionLines.h"

#include <vector>

class CSlideCalcData;
class PointLoadList;
class ReportWriter;

// What the blocks of one pass share: the lines, the loads, the scratch cut
// list and where the previous block's searches ended.
struct ThrustBlockContext {
    ThrustBlockContext(const SectionLines& l, const PointLoadList& p) : lines(l), loads(p) {}
    const SectionLines& lines;
    const PointLoadList& loads;
    std::vector<float> cuts;
    SectionLines::Window previous;
    bool hasPrevious = false;
    int loadCursor = 0;
};

void computeBlock(ThrustBlockContext& context, const CSlideCalcData& item, int s, float xStart,
                  float yStart, float xEnd, float yEnd, float prevAngle, float prevForce,
                  float* angle, float* force, ReportWriter* report, float* bermArea,
                  float* trimmedArea);
