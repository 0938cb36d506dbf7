// The transfer-coefficient pass from the crest down to the thrust position.
// The section lines and point loads are prepared once per pass; every block
// then integrates over them.
#include "engine/ThrustPass.h"

#include "data/CSlideCalcData.h"
#include "engine/BlockIntegration.h"
#include "engine/PointLoads.h"
#include "engine/SectionLines.h"
#include "engine/SweepMemo.h"
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

namespace {

// Where block k of the pass lies and whether the pass ends with it.
struct BlockEnds {
    int s;  // slip segment
    float xStart, yStart, xEnd, yEnd;
    bool last;
};

BlockEnds blockEnds(const SectionLines& lines, const CSlideCalcData& item, int k, int blocks,
                    float xStar) {
    const float* slipX = lines.xs(Slip);
    const float* slipY = lines.ys(Slip);
    BlockEnds e;
    e.s = blocks - 1 - k;
    // The block's ends: sums of dx and dy over the segments before s.
    e.xStart = slipX[e.s];
    e.yStart = slipY[e.s];
    e.xEnd = e.xStart + item.slip[e.s].dx;
    e.yEnd = e.yStart + item.slip[e.s].dy;
    e.last = k == blocks - 1;
    // The pass stops inside the section only; at or beyond the crest or the
    // toe it covers every block, even one whose start equals x*.
    const bool stopsInside = slipX[0] < xStar && xStar < lines.lastX(Slip);
    if (e.xStart < xStar && xStar < e.xEnd) {
        e.xStart = xStar;
        e.yStart = lines.yAtX(Slip, xStar, 1);
        e.last = true;
    } else if (stopsInside && EXACT(e.xStart, xStar)) {
        e.last = true;
    }
    return e;
}

struct PassResult {
    float force, angle, bermArea, trimmedArea;
};

PassResult runPass(const CSlideCalcData& item, const PointLoadList& loads, SweepMemo* memo,
                   ReportWriter* report, float* residualThrust,
                   std::vector<PassBlock>* record = nullptr) {
    SectionLines lines(item);
    ThrustBlockContext context(lines, loads);
    context.memo = memo;
    context.record = record;
    context.cuts.reserve(64);

    float bermSum = 0.0f, trimmedSum = 0.0f;
    const float xStar = ThrustPosition(item);
    float prevAngle = 0.0f, prevForce = 0.0f;
    const int blocks = std::clamp(item.slipCount, 0, CSlideCalcData::kMaxSegments);
    for (int k = 0; k < blocks; ++k) {
        if (report) report->printf("    第 %d 块滑体\n", k + 1);
        BlockEnds e = blockEnds(lines, item, k, blocks, xStar);
        // The force received, before a negative one is cut to 0.
        if (residualThrust) residualThrust[k] = prevForce;
        float blockAngle, force, blockBerm, blockTrimmed;
        computeBlock(context, item, e.s, e.xStart, e.yStart, e.xEnd, e.yEnd, prevAngle, prevForce,
                     &blockAngle, &force, report, &blockBerm, &blockTrimmed);
        bermSum += blockBerm;
        trimmedSum += blockTrimmed;
        prevAngle = blockAngle;
        prevForce = force;
        if (e.last) {
            if (residualThrust) residualThrust[k + 1] = force;
            break;
        }
    }
    return PassResult{prevForce, prevAngle, bermSum, trimmedSum};
}

float deliver(const PassResult& r, float* angle, float* bermArea, float* trimmedArea) {
    if (angle) *angle = r.angle;
    if (bermArea) *bermArea = r.bermArea;
    if (trimmedArea) *trimmedArea = r.trimmedArea;
    return r.force;
}

}  // namespace

float ComputeThrust(const CSlideCalcData& item, ReportWriter* report, float* angle, float* bermArea,
                    float* trimmedArea, float* residualThrust) {
    PointLoadList loads(item);
    return deliver(runPass(item, loads, nullptr, report, residualThrust), angle, bermArea,
                   trimmedArea);
}

float ComputeSweptThrust(const CSlideCalcData& item, SweepMemo& memo, float* angle, float* bermArea,
                         float* trimmedArea, float* residualThrust) {
    return deliver(runPass(item, memo.loads(item), &memo, nullptr, residualThrust), angle, bermArea,
                   trimmedArea);
}

float ComputeThrustBlocks(const CSlideCalcData& item, std::vector<PassBlock>& blocks) {
    blocks.clear();
    PointLoadList loads(item);
    return runPass(item, loads, nullptr, nullptr, nullptr, &blocks).force;
}
