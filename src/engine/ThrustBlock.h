// One block of the transfer-coefficient pass over prepared section lines: the
// forces on its slip segment, its residual force and its report lines.
#pragma once

#include <vector>

class CSlideCalcData;
class PointLoadList;
class ReportWriter;
class SectionLines;

// What the blocks of one pass share: the lines, the loads and the scratch cut list.
struct ThrustBlockContext {
    const SectionLines& lines;
    const PointLoadList& loads;
    std::vector<float> cuts;
};

void computeBlock(ThrustBlockContext& context, const CSlideCalcData& item, int s, float xStart,
                  float yStart, float xEnd, float yEnd, float prevAngle, float prevForce,
                  float* angle, float* force, ReportWriter* report, float* bermArea,
                  float* trimmedArea);
