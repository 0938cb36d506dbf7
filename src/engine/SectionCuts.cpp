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

// Each line's segments whose widened box reaches into [x1, x2], in order (a
// crossing on any other segment would lie outside the block), and the heights
// they span: two lines whose spans are apart cannot cross. (A segment with a
// NaN coordinate never crosses anything.)
SectionLines::BlockSegments SectionLines::blockSegments(const Window& w) const {
    BlockSegments b;
    for (int k = 0; k < kLineKinds; ++k) {
        const CutLine& line = m_cutLines[k];
        b.lo[k] = std::numeric_limits<float>::infinity();
        b.hi[k] = -b.lo[k];
        for (int i = w.segFirst[k]; i < w.segEnd[k]; ++i) {
            if (line.hiX[i] < w.x1 || line.loX[i] > w.x2) continue;
            b.index[k][b.count[k]++] = i;
            b.lo[k] = std::min(b.lo[k], line.loY[i]);
            b.hi[k] = std::max(b.hi[k], line.hiY[i]);
        }
    }
    return b;
}

// Crossings of line a's segments with line b's, a's segments in the outer loop.
void SectionLines::addCrossings(int a, int b, const BlockSegments& segs, float x1, float x2,
                                std::vector<float>& cuts) const {
    const CutLine& la = m_cutLines[a];
    const CutLine& lb = m_cutLines[b];
    for (int ia = 0; ia < segs.count[a]; ++ia) {
        int i = segs.index[a][ia];
        for (int jb = 0; jb < segs.count[b]; ++jb) {
            int j = segs.index[b][jb];
            // On an ascending line the later segments start further right still.
            if (lb.ascending && lb.loX[j] > la.hiX[i]) break;
            // Widened boxes apart: the crossing test would refuse the pair.
            if (la.hiX[i] < lb.loX[j] || lb.hiX[j] < la.loX[i] || la.hiY[i] < lb.loY[j] ||
                lb.hiY[j] < la.loY[i])
                continue;
            float cx, cy;
            if (JH_GetInterPoint_LineSection(la.x[i], la.y[i], la.x[i + 1], la.y[i + 1], lb.x[j],
                                             lb.y[j], lb.x[j + 1], lb.y[j + 1], &cx, &cy,
                                             kCrossingTolerance))
                addCut(cuts, x1, x2, cx);
        }
    }
}

// Points of every line first, then every ordered pair of different lines, in
// line order: the order decides which of two values closer than 1e-5 stays.
void SectionLines::collectCuts(const Window& w, std::vector<float>& cuts) const {
    cuts.clear();
    cuts.push_back(w.x1);
    cuts.push_back(w.x2);
    for (int k = 0; k < kLineKinds; ++k) {
        const CutLine& line = m_cutLines[k];
        for (int i = w.pointFirst[k]; i < w.pointEnd[k]; ++i) addCut(cuts, w.x1, w.x2, line.x[i]);
    }
    BlockSegments segs = blockSegments(w);
    for (int a = 0; a < kLineKinds; ++a) {
        if (segs.count[a] == 0) continue;
        for (int b = 0; b < kLineKinds; ++b) {
            if (a == b || segs.count[b] == 0) continue;
            // Lines whose spans of height are apart cannot cross here.
            if (segs.hi[a] < segs.lo[b] || segs.hi[b] < segs.lo[a]) continue;
            addCrossings(a, b, segs, w.x1, w.x2, cuts);
        }
    }
}
