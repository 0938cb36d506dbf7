// The section-geometry operations of the record, each answered from the lines
// built afresh for the call. Callers that look up many times build one
// SectionLines and ask it instead.
#include "engine/SectionGeometry.h"

#include "engine/BlockIntegration.h"
#include "engine/PointLoads.h"
#include "engine/SectionLines.h"

#include <algorithm>

namespace {

int copyPoints(int n, const float* fromX, const float* fromY, float* xs, float* ys) {
    std::copy(fromX, fromX + n, xs);
    std::copy(fromY, fromY + n, ys);
    return n;
}

}  // namespace

int BuildLine(const CSlideCalcData& item, LineKind kind, float* xs, float* ys) {
    SectionLines lines(item);
    return copyPoints(lines.count(kind), lines.xs(kind), lines.ys(kind), xs, ys);
}

int BuildLineForCuts(const CSlideCalcData& item, LineKind kind, float* xs, float* ys) {
    SectionLines lines(item);
    // The unloading line and the berm take part in the cuts only when switched
    // on, but as lines they always exist.
    if (lines.cutCount(kind) == 0) return BuildLine(item, kind, xs, ys);
    return copyPoints(lines.cutCount(kind), lines.cutXs(kind), lines.cutYs(kind), xs, ys);
}

float LineFirstX(const CSlideCalcData& item, LineKind kind) {
    return SectionLines(item).firstX(kind);
}

float LineLastX(const CSlideCalcData& item, LineKind kind) {
    return SectionLines(item).lastX(kind);
}

float LineYAtX(const CSlideCalcData& item, LineKind kind, float x, int side) {
    return SectionLines(item).yAtX(kind, x, side);
}

float LineXAtY(const CSlideCalcData& item, LineKind kind, float y, int side) {
    return SectionLines(item).xAtY(kind, y, side);
}

bool InUnloadRange(const CSlideCalcData& item, float x) {
    return SectionLines(item).inUnloadRange(x);
}

bool InBermRange(const CSlideCalcData& item, float x) {
    return SectionLines(item).inBermRange(x);
}

void PileRowPosition(const CSlideCalcData& item, int row, float* x, float* ySlip, float* freeLength,
                     float* embedDepth) {
    SectionLines(item).pileRowPosition(row, x, ySlip, freeLength, embedDepth);
}

void CollectCuts(const CSlideCalcData& item, float x1, float x2, std::vector<float>& cuts) {
    SectionLines(item).collectCuts(x1, x2, cuts);
}

BlockGeometry IntegrateBlock(const CSlideCalcData& item, float x1, float x2) {
    SectionLines lines(item);
    std::vector<float> cuts;
    return integrateBlock(lines, lines.window(x1, x2), cuts);
}

void SumPointLoads(const CSlideCalcData& item, float x1, float x2, float* px, float* py) {
    PointLoadList(item).sum(x1, x2, px, py);
}
