// Cut positions of a block: every point of the section lines inside the block
// and every crossing of two lines there. Only segments whose widened boxes
// reach the block are tried, in the order the full double loop would try them,
// so the list equals the one of the literal rule.
#include "engine/SectionLines.h"

#include "data/CSlideCalcData.h"
#include "platform/PlaneGeometry.h"

#include <algorithm>
#include <cmath>

namespace {

// Inserts v in ascending order unless it lies outside [x1, x2] or within 1e-5
// of a value already there.
void addCut(std::vector<float>& cuts, float x1, float x2, float v) {
    if (v < x1 || v > x2) return;
    for (float c : cuts)
        if (std::fabs(v - c) < 1e-5) return;
    auto at = std::find_if(cuts.begin(), cuts.end(), [v](float c) { return c > v; });
    cuts.insert(at, v);
}

}  // namespace

// The slope and water lines reach 10 m past the slip surface's end, and the
// water line comes in from x = −10, so that crossings near the ends are found.
void SectionLines::buildCutLines() {
    const float slipEnd = lastX(Slip);
    for (int k = 0; k < kLineKinds; ++k) {
        const PointList& line = m_lines[k];
        CutLine& cut = m_cutLines[k];
        if ((k == Unload && !m_item.useUnload) || (k == Berm && !m_item.useBerm)) {
            cut.finish();
            continue;
        }
        if (k == Water && line.x[0] > -10.0) cut.add(-10.0f, line.y[0]);
        for (int i = 0; i < line.n; ++i) cut.add(line.x[i], line.y[i]);
        if ((k == Slope || k == Water) && slipEnd + 10.0 > line.x[line.n - 1])
            cut.add(static_cast<float>(slipEnd + 10.0), line.y[line.n - 1]);
        cut.finish();
    }
}

void SectionLines::CutLine::finish() {
    ascending = true;
    for (int i = 0; i + 1 < n; ++i) {
        if (!(x[i] <= x[i + 1])) ascending = false;
        // The same expressions as the crossing test's own box check.
        loX[i] = std::min(x[i], x[i + 1]) - kCrossingTolerance;
        hiX[i] = std::max(x[i], x[i + 1]) + kCrossingTolerance;
        loY[i] = std::min(y[i], y[i + 1]) - kCrossingTolerance;
        hiY[i] = std::max(y[i], y[i + 1]) + kCrossingTolerance;
    }
}

// Segments [first, end) that can hold a crossing inside [x1, x2]. On an
// ascending line both box edges grow with the index, so the range is found by
// bisection; otherwise every segment is a candidate and is tested one by one.
void SectionLines::CutLine::candidateSegments(float x1, float x2, int* first, int* end) const {
    int segs = std::max(n - 1, 0);
    if (!ascending) {
        *first = 0;
        *end = segs;
        return;
    }
    *first = static_cast<int>(
        std::partition_point(hiX.begin(), hiX.begin() + segs, [x1](float h) { return h < x1; }) -
        hiX.begin());
    *end = static_cast<int>(
        std::partition_point(loX.begin(), loX.begin() + segs, [x2](float l) { return !(l > x2); }) -
        loX.begin());
    *end = std::max(*end, *first);
}

// Points [first, end) that can lie inside [x1, x2].
void SectionLines::CutLine::candidatePoints(float x1, float x2, int* first, int* end) const {
    if (!ascending) {
        *first = 0;
        *end = n;
        return;
    }
    *first = static_cast<int>(
        std::partition_point(x.begin(), x.begin() + n, [x1](float v) { return v < x1; }) -
        x.begin());
    *end = static_cast<int>(
        std::partition_point(x.begin(), x.begin() + n, [x2](float v) { return !(v > x2); }) -
        x.begin());
    *end = std::max(*end, *first);
}

void SectionLines::collectCuts(float x1, float x2, std::vector<float>& cuts) const {
    cuts.clear();
    cuts.push_back(x1);
    cuts.push_back(x2);
    std::array<int, kLineKinds> segFirst, segEnd;
    for (int k = 0; k < kLineKinds; ++k) {
        const CutLine& line = m_cutLines[k];
        int first, end;
        line.candidatePoints(x1, x2, &first, &end);
        for (int i = first; i < end; ++i) addCut(cuts, x1, x2, line.x[i]);
        line.candidateSegments(x1, x2, &segFirst[k], &segEnd[k]);
    }
    for (int a = 0; a < kLineKinds; ++a) {
        for (int b = 0; b < kLineKinds; ++b) {
            if (a == b) continue;
            const CutLine& la = m_cutLines[a];
            const CutLine& lb = m_cutLines[b];
            for (int i = segFirst[a]; i < segEnd[a]; ++i) {
                if (la.hiX[i] < x1 || la.loX[i] > x2) continue;
                for (int j = segFirst[b]; j < segEnd[b]; ++j) {
                    if (lb.hiX[j] < x1 || lb.loX[j] > x2) continue;
                    // Widened boxes apart: the crossing test would refuse the pair.
                    if (la.hiX[i] < lb.loX[j] || lb.hiX[j] < la.loX[i] || la.hiY[i] < lb.loY[j] ||
                        lb.hiY[j] < la.loY[i])
                        continue;
                    float cx, cy;
                    if (JH_GetInterPoint_LineSection(la.x[i], la.y[i], la.x[i + 1], la.y[i + 1],
                                                     lb.x[j], lb.y[j], lb.x[j + 1], lb.y[j + 1],
                                                     &cx, &cy, kCrossingTolerance))
                        addCut(cuts, x1, x2, cx);
                }
            }
        }
    }
}
