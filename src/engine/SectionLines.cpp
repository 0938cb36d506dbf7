// Building the five section lines once and looking up heights and positions
// along them. The searches skip only segments that cannot match, so results
// equal a scan of every segment in point order.
#include "engine/SectionLines.h"

#include "data/CSlideCalcData.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Segments in use: a negative count builds the start point alone.
int segmentsInUse(int count, int limit) {
    return std::clamp(count, 0, limit);
}

// Look-ups skip a segment only when it ends this far left of x: well beyond the
// 1e-5 matching tolerance, so a skipped segment can never be the first match.
constexpr double kSearchMargin = 1e-3;

}  // namespace

SectionLines::SectionLines(const CSlideCalcData& item)
    : m_item(item), m_useUnload(item.useUnload != 0), m_useBerm(item.useBerm != 0) {
    buildLines();
    buildCutLines();
}

void SectionLines::buildLines() {
    const CSlideCalcData& d = m_item;
    PointList& slip = m_lines[Slip];
    slip.add(0.0f, 0.0f);
    for (int i = 0; i < segmentsInUse(d.slipCount, CSlideCalcData::kMaxSegments); ++i)
        slip.add(slip.x[i] + d.slip[i].dx, slip.y[i] + d.slip[i].dy);
    slip.finish();

    // The slope surface starts on the slip surface.
    PointList& slope = m_lines[Slope];
    slope.add(d.slopeX0, yAtX(Slip, d.slopeX0, 1));
    for (int i = 0; i < segmentsInUse(d.slopeCount, CSlideCalcData::kMaxSegments); ++i)
        slope.add(slope.x[i] + d.slope[i].dx, slope.y[i] + d.slope[i].dy);
    slope.finish();

    PointList& water = m_lines[Water];
    water.add(d.waterX0, d.waterY0);
    for (int i = 0; i < segmentsInUse(d.waterCount, CSlideCalcData::kMaxSegments); ++i)
        water.add(water.x[i] + d.water[i].dx, water.y[i] + d.water[i].dy);
    water.finish();

    // The unloading line starts where the slope surface first rises to unloadY.
    PointList& unload = m_lines[Unload];
    unload.add(xAtY(Slope, d.unloadY, 1), d.unloadY);
    for (int i = 0; i < segmentsInUse(d.unloadCount, CSlideCalcData::kMaxUnloadSegs); ++i)
        unload.add(unload.x[i] + d.unloadSegs[i].dx, unload.y[i] + d.unloadSegs[i].dy);
    unload.finish();
    buildBerm();
}

// Berm: toe point, top of the face at slope 1:n, crown back to the slope.
void SectionLines::buildBerm() {
    const CSlideCalcData& d = m_item;
    float x0, y0;
    if (d.usePiles) {
        float ySlip, freeLength, embed;
        pileRowPosition(0, &x0, &ySlip, &freeLength, &embed);
        y0 = ySlip + freeLength;
    } else {
        x0 = d.bermX;
        y0 = yAtX(Slip, x0, 1);
        if (x0 > d.slopeX0) y0 = yAtX(Slope, x0, 1);
    }
    float x1 = x0 + d.bermH * d.bermSlope;
    float yTop = y0 + d.bermH;
    PointList& berm = m_lines[Berm];
    berm.add(x0, y0);
    berm.add(x1, yTop);
    berm.add(x1 + (xAtY(Slope, yTop, 0) - x1), yTop);
    berm.finish();
}

void SectionLines::pileRowPosition(int row, float* x, float* ySlip, float* freeLength,
                                   float* embedDepth) const {
    const CPileKind& kind = m_item.pileKinds[0];
    // Rows are counted from the first row towards smaller x.
    *x = m_item.pileX - static_cast<float>(row) * m_item.rowSpacing;
    *ySlip = yAtX(Slip, *x, 1);
    *freeLength = kind.length - kind.embedDepth;
    *embedDepth = kind.embedDepth;
}

bool SectionLines::keepsClearOf(LineKind kind, float x1, float x2) const {
    if ((kind == Berm && !m_useBerm) || (kind == Unload && !m_useUnload)) return true;
    // Far beyond the 1e-5 tolerances of the cuts and look-ups and the 0.02 m
    // window margin.
    constexpr float kClearance = 0.05f;
    const CutLine& line = m_cutLines[kind];
    float lo = std::numeric_limits<float>::infinity(), hi = -lo;
    for (int i = 0; i < line.n; ++i) {
        // A NaN point reaches everywhere.
        if (std::isnan(line.x[i])) return false;
        lo = std::min(lo, line.x[i]);
        hi = std::max(hi, line.x[i]);
    }
    return hi + kClearance < std::min(x1, x2) || lo - kClearance > std::max(x1, x2);
}

SectionLines::Hint SectionLines::hintFrom(float from) const {
    Hint hint;
    for (int k = 0; k < kLineKinds; ++k) hint.start[k] = m_lines[k].searchStart(from);
    return hint;
}

// Outside their own range the slope surface follows the slip surface and the
// unloading line and berm follow the slope surface, read just beside x.
float SectionLines::fallback(LineKind kind, float x, int side, const Hint& hint,
                             bool* replaced) const {
    float moved = side == 1 ? static_cast<float>(x + 1.0e-7) : static_cast<float>(x - 1.0e-7);
    bool outside = false;
    LineKind base = Slope;
    if (kind == Slope) {
        outside = firstX(Slope) > moved || lastX(Slope) < moved;
        base = Slip;
    } else if (kind == Unload) {
        outside = (side == 0 && firstX(Unload) + 0.001 > moved) ||
                  (side == 1 && lastX(Unload) - 0.001 < moved);
    } else {
        outside = firstX(Berm) > moved || lastX(Berm) < moved;
    }
    if (!outside) return 0.0f;
    *replaced = true;
    return yAtX(base, moved, side, hint);
}

float SectionLines::xAtY(LineKind kind, float y, int side) const {
    return m_lines[kind].xAtY(y, side == 1 ? 1 : 0);
}

// Records the vertical runs exactly as the first pass of the height look-up
// walks them: a run starts where two consecutive points share x, extends over
// later points (never the last) of the same x, and the walk resumes at its
// last point.
void SectionLines::PointList::finish() {
    ascending = true;
    for (int i = 0; i + 1 < n; ++i)
        if (!(x[i] <= x[i + 1])) ascending = false;
    runCount = 0;
    int i = 0;
    while (i <= n - 2) {
        if (std::fabs(x[i] - x[i + 1]) < 1e-5) {
            int last = i + 1;
            for (int j = i + 2; j <= n - 2 && std::fabs(x[j] - x[i]) < 1e-5; ++j) last = j;
            runs[runCount++] = VerticalRun{x[i], y[i], y[last]};
            i = last;
        } else {
            ++i;
        }
    }
}

// First segment that can match xq: on an ascending line every segment before
// it ends more than the search margin left of xq.
int SectionLines::PointList::searchStart(float xq) const {
    if (!ascending || n < 2 || std::isnan(xq)) return 0;
    double bound = static_cast<double>(xq) - kSearchMargin;
    const float* ends = x.data() + 1;
    return static_cast<int>(
        std::partition_point(ends, ends + (n - 1), [bound](float e) { return e < bound; }) - ends);
}

float SectionLines::PointList::interpolate(float xq, int side, int start) const {
    if (xq < x[0]) return y[0];
    if (xq > x[n - 1]) return y[n - 1];
    for (int r = 0; r < runCount; ++r)
        if (std::fabs(xq - runs[r].x) < 1e-5) return side == 1 ? runs[r].yLast : runs[r].yFirst;
    if (std::isnan(xq)) return 0.0f;
    // The hint holds only when every segment before it ends left of the margin.
    if (!ascending || start < 0 || start > n - 2 ||
        (start > 0 && !(x[start] < static_cast<double>(xq) - kSearchMargin)))
        start = searchStart(xq);
    for (int i = start; i <= n - 2; ++i) {
        if (std::fabs(xq - x[i]) < 1e-5) return y[i];
        if (std::fabs(xq - x[i + 1]) < 1e-5) return y[i + 1];
        // y = y_i + (y_i+1 − y_i) / (x_i+1 − x_i) × (x − x_i)
        if (x[i] <= xq && xq <= x[i + 1])
            return y[i] + (y[i + 1] - y[i]) / (x[i + 1] - x[i]) * (xq - x[i]);
    }
    return 0.0f;
}

float SectionLines::PointList::xAtY(float yq, int side) const {
    // First pass: horizontal runs, read at their far end from the right.
    int i = 0;
    while (i <= n - 2) {
        if (std::fabs(y[i] - y[i + 1]) < 1e-4) {
            int last = i + 1;
            for (int j = i + 2; j <= n - 2 && std::fabs(y[j] - y[i]) < 1e-5; ++j) last = j;
            bool nearEnd = std::fabs(yq - y[i + 1]) < 1e-4;
            bool nearStart = std::fabs(yq - y[i]) < 1e-4;
            if (side == 1 && nearEnd) return x[last];
            if (nearStart) return x[i];
            if (side == 0 && nearEnd) return x[last];
            i = last;
        } else {
            ++i;
        }
    }
    // Second pass: the first rising segment that reaches yq.
    for (i = 0; i <= n - 2; ++i) {
        if (!(y[i + 1] >= y[i])) continue;
        if (std::fabs(yq - y[i]) < 1e-4) return x[i];
        if (std::fabs(yq - y[i + 1]) < 1e-4) return x[i + 1];
        if (y[i] < yq && yq < y[i + 1]) {
            if (y[i + 1] - y[i] <= 1e-5) return x[i + 1];
            // x = x_i + (x_i+1 − x_i) / (y_i+1 − y_i) × (y − y_i)
            return x[i] + (x[i + 1] - x[i]) / (y[i + 1] - y[i]) * (yq - y[i]);
        }
    }
    return 0.0f;
}
