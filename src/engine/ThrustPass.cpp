// The transfer-coefficient pass from the crest down to the thrust position.
// The section lines and point loads are prepared once per pass; every block
// then integrates over them.
#include "engine/ThrustPass.h"

#include "data/CSlideCalcData.h"
#include "engine/BlockIntegration.h"
#include "engine/PointLoads.h"
#include "engine/SectionLines.h"
#include "engine/ThrustBlock.h"
#include "platform/Assert.h"
#include "platform/ReportWriter.h"

#include <algorithm>
#include <vector>

float ThrustPosition(const CSlideCalcData& item) {
    if (item.usePiles) return item.pileX;
    float x = item.slopeX0;
    if (item.useBerm && item.bermX < item.slopeX0) x = item.bermX;
    return x;
}

float ComputeThrust(const CSlideCalcData& item, ReportWriter* report, float* angle, float* bermArea,
                    float* trimmedArea, float* residualThrust) {
    SectionLines lines(item);
    PointLoadList loads(item);
    ThrustBlockContext context(lines, loads);
    context.cuts.reserve(64);

    float bermSum = 0.0f, trimmedSum = 0.0f;
    const float xStar = ThrustPosition(item);
    float prevAngle = 0.0f, prevForce = 0.0f;
    const int blocks = std::clamp(item.slipCount, 0, CSlideCalcData::kMaxSegments);
    const float* px = lines.xs(Slip);
    const float* py = lines.ys(Slip);
    // The pass stops inside the section only; at or beyond the crest or the toe
    // it covers every block, even one whose start equals x*.
    const bool stopsInside = px[0] < xStar && xStar < lines.lastX(Slip);
    for (int k = 0; k < blocks; ++k) {
        if (report) report->printf("    第 %d 块滑体\n", k + 1);
        int s = blocks - 1 - k;
        // The block's ends: sums of dx and dy over the segments before s.
        float xStart = px[s], yStart = py[s];
        float xEnd = xStart + item.slip[s].dx;
        float yEnd = yStart + item.slip[s].dy;
        bool last = k == blocks - 1;
        if (xStart < xStar && xStar < xEnd) {
            xStart = xStar;
            yStart = lines.yAtX(Slip, xStar, 1);
            last = true;
        } else if (stopsInside && EXACT(xStart, xStar)) {
            last = true;
        }
        if (residualThrust) residualThrust[k] = prevForce;
        float blockAngle, force, blockBerm, blockTrimmed;
        computeBlock(context, item, s, xStart, yStart, xEnd, yEnd, prevAngle, prevForce,
                     &blockAngle, &force, report, &blockBerm, &blockTrimmed);
        bermSum += blockBerm;
        trimmedSum += blockTrimmed;
        prevAngle = blockAngle;
        prevForce = force;
        if (last) {
            if (residualThrust) residualThrust[k + 1] = force;
            break;
        }
    }
    if (angle) *angle = prevAngle;
    if (bermArea) *bermArea = bermSum;
    if (trimmedArea) *trimmedArea = trimmedSum;
    return prevForce;
}

int ComputeBlock(const CSlideCalcData& item, int s, float xStart, float yStart, float xEnd,
                 float yEnd, float prevAngle, float prevForce, float* angle, float* force,
                 ReportWriter* report, float* bermArea, float* trimmedArea) {
    SectionLines lines(item);
    PointLoadList loads(item);
    ThrustBlockContext context(lines, loads);
    float a, f, b, t;
    computeBlock(context, item, s, xStart, yStart, xEnd, yEnd, prevAngle, prevForce, &a, &f, report,
                 &b, &t);
    if (angle) *angle = a;
    if (force) *force = f;
    if (bermArea) *bermArea = b;
    if (trimmedArea) *trimmedArea = t;
    return 1;
}
