// Cut positions of a block: every point of the section lines inside the block
// and every crossing of two lines there. Only segments whose widened boxes
// reach the block are tried, in the order the full double loop would try them,
// so the list equals the one of the literal rule.
#include "engine/SectionLines.h"

#include "data/CSlideCalcData.h"
#include "platform/PlaneGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

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
        if (k == Water && line.x[0] > -10.0) {
            cut.add(-10.0f, line.y[0]);
            cut.offset = 1;
        }
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

namespace {

// Points left of x1 by more than this take no part in a block: far beyond the
// 1e-5 tolerances of the cut positions and of the height look-ups, and beyond
// the 0.01 by which a hint is taken left of the block.
constexpr double kWindowMargin = 0.02;

}  // namespace

// On an ascending line one bisection finds the first point near x1 and a short
// walk the first point past x2; the segments between them are the candidates.
// Other lines offer every point and segment.
SectionLines::Window SectionLines::window(float x1, float x2, const Window* near) const {
    Window w;
    w.x1 = x1;
    w.x2 = x2;
    for (int k = 0; k < kLineKinds; ++k) {
        const CutLine& line = m_cutLines[k];
        int first = 0, end = line.n;
        if (line.ascending && line.n > 4) {
            double lo = static_cast<double>(x1) - kWindowMargin;
            double hi = static_cast<double>(x2) + kWindowMargin;
            if (near && !std::isnan(lo)) {
                // The first point not left of lo, found by walking from the
                // neighbour's; on a sorted line it is the bisection's answer.
                first = near->pointFirst[k];
                while (first > 0 && !(line.x[first - 1] < lo)) --first;
                while (first < line.n && line.x[first] < lo) ++first;
            } else {
                first =
                    static_cast<int>(std::partition_point(line.x.begin(), line.x.begin() + line.n,
                                                          [lo](float v) { return v < lo; }) -
                                     line.x.begin());
            }
            end = first;
            while (end < line.n && !(line.x[end] > hi)) ++end;
        }
        w.pointFirst[k] = first;
        w.pointEnd[k] = end;
        w.segFirst[k] = std::max(first - 1, 0);
        w.segEnd[k] = std::max(std::min(end, line.n - 1), w.segFirst[k]);
        // Segments of the point list ending before the window's first point
        // cannot match a look-up inside the block.
        w.hint.start[k] =
            line.n > 0 ? std::max(first - line.offset - 1, 0) : m_lines[k].searchStart(x1 - 0.01f);
    }
    return w;
}

void SectionLines::collectCuts(const Window& w, std::vector<float>& cuts) const {
    const float x1 = w.x1, x2 = w.x2;
    const auto& segFirst = w.segFirst;
    const auto& segEnd = w.segEnd;
    cuts.clear();
    cuts.push_back(x1);
    cuts.push_back(x2);
    for (int k = 0; k < kLineKinds; ++k) {
        const CutLine& line = m_cutLines[k];
        for (int i = w.pointFirst[k]; i < w.pointEnd[k]; ++i) addCut(cuts, x1, x2, line.x[i]);
    }
    // Each line's segments whose widened box reaches into [x1, x2], in order;
    // a crossing found on any other segment would lie outside the block.
    std::array<std::array<int, kMaxLinePoints>, kLineKinds> segs;
    std::array<int, kLineKinds> segCount{};
    // The heights those segments span: two lines whose spans are apart cannot
    // cross. (A segment with a NaN coordinate never crosses anything.)
    std::array<float, kLineKinds> spanLo, spanHi;
    for (int k = 0; k < kLineKinds; ++k) {
        const CutLine& line = m_cutLines[k];
        spanLo[k] = std::numeric_limits<float>::infinity();
        spanHi[k] = -spanLo[k];
        for (int i = segFirst[k]; i < segEnd[k]; ++i) {
            if (line.hiX[i] < x1 || line.loX[i] > x2) continue;
            segs[k][segCount[k]++] = i;
            spanLo[k] = std::min(spanLo[k], line.loY[i]);
            spanHi[k] = std::max(spanHi[k], line.hiY[i]);
        }
    }
    for (int a = 0; a < kLineKinds; ++a) {
        for (int b = 0; b < kLineKinds; ++b) {
            if (a == b || segCount[b] == 0) continue;
            if (spanHi[a] < spanLo[b] || spanHi[b] < spanLo[a]) continue;
            const CutLine& la = m_cutLines[a];
            const CutLine& lb = m_cutLines[b];
            for (int ia = 0; ia < segCount[a]; ++ia) {
                int i = segs[a][ia];
                for (int jb = 0; jb < segCount[b]; ++jb) {
                    int j = segs[b][jb];
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
