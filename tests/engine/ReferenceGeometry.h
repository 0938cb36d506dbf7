// A plain, uncached evaluation of the section-geometry and thrust rules: every
// look-up rebuilds its point lists and every cut list tries every segment pair.
// Slow on purpose; the tests hold the engine's prepared geometry against it.
#pragma once

#include "data/CSlideCalcData.h"
#include "engine/SectionGeometry.h"
#include "engine/ThrustPass.h"
#include "platform/PlaneGeometry.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace reference {

struct Line {
    int n = 0;
    float x[kMaxLinePoints], y[kMaxLinePoints];
    void add(float px, float py) { x[n] = px, y[n++] = py; }
    float last() const { return x[n - 1]; }
};

inline float yAt(const CSlideCalcData& d, LineKind k, float x, int side);
inline float xAt(const CSlideCalcData& d, LineKind k, float y, int side);

inline Line polyline(const CLineSeg* segs, int count, int limit, float x0, float y0) {
    Line l;
    l.add(x0, y0);
    for (int i = 0; i < std::clamp(count, 0, limit); ++i)
        l.add(l.x[i] + segs[i].dx, l.y[i] + segs[i].dy);
    return l;
}

inline Line line(const CSlideCalcData& d, LineKind k) {
    if (k == Slip) return polyline(d.slip.data(), d.slipCount, 100, 0.0f, 0.0f);
    if (k == Slope)
        return polyline(d.slope.data(), d.slopeCount, 100, d.slopeX0, yAt(d, Slip, d.slopeX0, 1));
    if (k == Water) return polyline(d.water.data(), d.waterCount, 100, d.waterX0, d.waterY0);
    if (k == Unload)
        return polyline(d.unloadSegs.data(), d.unloadCount, 3, xAt(d, Slope, d.unloadY, 1),
                        d.unloadY);
    // Berm: on top of the first pile row (free length above the slip), else at bermX on the ground.
    float x0 = d.usePiles ? d.pileX - 0.0f * d.rowSpacing : d.bermX, y0 = yAt(d, Slip, x0, 1);
    if (d.usePiles)
        y0 += d.pileKinds[0].length - d.pileKinds[0].embedDepth;
    else if (x0 > d.slopeX0)
        y0 = yAt(d, Slope, x0, 1);
    Line l;
    l.add(x0, y0);
    l.add(x0 + d.bermH * d.bermSlope, y0 + d.bermH);
    l.add(l.x[1] + (xAt(d, Slope, y0 + d.bermH, 0) - l.x[1]), y0 + d.bermH);
    return l;
}

inline Line cutLine(const CSlideCalcData& d, LineKind k) {
    Line l = line(d, k);
    if (k == Water && l.x[0] > -10.0) {
        std::copy_backward(l.x, l.x + l.n, l.x + l.n + 1);
        std::copy_backward(l.y, l.y + l.n, l.y + l.n + 1);
        l.x[0] = -10.0f;
        ++l.n;
    }
    float slipEnd = line(d, Slip).last();
    if ((k == Slope || k == Water) && slipEnd + 10.0 > l.last())
        l.add(static_cast<float>(slipEnd + 10.0), l.y[l.n - 1]);
    return l;
}

// Walks a run of equal x (or y) from i; returns the index of its last point.
inline int runEnd(const float* v, int i, int n, float tol) {
    int last = i + 1;
    for (int j = i + 2; j <= n - 2 && std::fabs(v[j] - v[i]) < tol; ++j) last = j;
    return last;
}

inline float interpolate(const Line& l, float x, int side) {
    const float *xs = l.x, *ys = l.y;
    if (x < xs[0]) return ys[0];
    if (x > xs[l.n - 1]) return ys[l.n - 1];
    for (int i = 0; i <= l.n - 2; ++i) {
        if (!(std::fabs(xs[i] - xs[i + 1]) < 1e-5)) continue;
        int last = runEnd(xs, i, l.n, 1e-5f);
        if (std::fabs(x - xs[i]) < 1e-5) return side == 1 ? ys[last] : ys[i];
        i = last - 1;
    }
    for (int i = 0; i <= l.n - 2; ++i) {
        if (std::fabs(x - xs[i]) < 1e-5) return ys[i];
        if (std::fabs(x - xs[i + 1]) < 1e-5) return ys[i + 1];
        if (xs[i] <= x && x <= xs[i + 1])
            return ys[i] + (ys[i + 1] - ys[i]) / (xs[i + 1] - xs[i]) * (x - xs[i]);
    }
    return 0.0f;
}

inline float yAt(const CSlideCalcData& d, LineKind k, float x, int side) {
    float y = interpolate(line(d, k), x, side);
    // Outside its range a line falls back to the one below it.
    float m = side == 1 ? static_cast<float>(x + 1.0e-7) : static_cast<float>(x - 1.0e-7);
    if (k == Slope && (line(d, Slope).x[0] > m || line(d, Slope).last() < m))
        y = yAt(d, Slip, m, side);
    if (k == Unload && ((side == 0 && line(d, Unload).x[0] + 0.001 > m) ||
                        (side == 1 && line(d, Unload).last() - 0.001 < m)))
        y = yAt(d, Slope, m, side);
    if (k == Berm && (line(d, Berm).x[0] > m || line(d, Berm).last() < m))
        y = yAt(d, Slope, m, side);
    return y;
}

inline float xAt(const CSlideCalcData& d, LineKind k, float y, int side) {
    Line l = line(d, k);
    const float *xs = l.x, *ys = l.y;
    for (int i = 0; i <= l.n - 2; ++i) {
        if (!(std::fabs(ys[i] - ys[i + 1]) < 1e-4)) continue;
        int last = runEnd(ys, i, l.n, 1e-5f);
        bool atEnd = std::fabs(y - ys[i + 1]) < 1e-4, atStart = std::fabs(y - ys[i]) < 1e-4;
        if (side == 1 && (atEnd || atStart)) return atEnd ? xs[last] : xs[i];
        if (side != 1 && (atEnd || atStart)) return atStart ? xs[i] : xs[last];
        i = last - 1;
    }
    for (int i = 0; i <= l.n - 2; ++i) {
        if (!(ys[i + 1] >= ys[i])) continue;
        if (std::fabs(y - ys[i]) < 1e-4) return xs[i];
        if (std::fabs(y - ys[i + 1]) < 1e-4) return xs[i + 1];
        if (ys[i] < y && y < ys[i + 1]) {
            if (ys[i + 1] - ys[i] <= 1e-5) return xs[i + 1];
            return xs[i] + (xs[i + 1] - xs[i]) / (ys[i + 1] - ys[i]) * (y - ys[i]);
        }
    }
    return 0.0f;
}

inline void addCut(std::vector<float>& cuts, float x1, float x2, float v) {
    if (v < x1 || v > x2) return;
    for (float c : cuts)
        if (std::fabs(v - c) < 1e-5) return;
    cuts.insert(std::upper_bound(cuts.begin(), cuts.end(), v), v);
}

inline std::vector<float> collectCuts(const CSlideCalcData& d, float x1, float x2) {
    std::vector<float> cuts{x1, x2};
    std::vector<Line> ls;
    for (int k = 0; k < kLineKinds; ++k)
        ls.push_back((k == Unload && !d.useUnload) || (k == Berm && !d.useBerm)
                         ? Line{}
                         : cutLine(d, static_cast<LineKind>(k)));
    for (const Line& l : ls)
        for (int i = 0; i < l.n; ++i) addCut(cuts, x1, x2, l.x[i]);
    for (const Line& a : ls)
        for (const Line& b : ls)
            for (int i = 0; &a != &b && i + 1 < a.n; ++i)
                for (int j = 0; j + 1 < b.n; ++j) {
                    float cx, cy;
                    if (JH_GetInterPoint_LineSection(a.x[i], a.y[i], a.x[i + 1], a.y[i + 1], b.x[j],
                                                     b.y[j], b.x[j + 1], b.y[j + 1], &cx, &cy,
                                                     1e-5f))
                        addCut(cuts, x1, x2, cx);
                }
    return cuts;
}

// One vertical at x: slip and water heights, sliding soil and berm above the
// slip after unloading, and what the unloading line removed.
struct Col {
    float ys, yw, soil, berm, trimmed, w;
};

inline Col column(const CSlideCalcData& d, float x, int side) {
    Col c;
    c.ys = yAt(d, Slip, x, side);
    float yg = yAt(d, Slope, x, side);
    c.yw = yAt(d, Water, x, side);
    float h = std::max(yg - c.ys, 0.0f);
    bool inBerm = d.useBerm && line(d, Berm).x[0] <= x && x <= line(d, Berm).last();
    float yb = std::max(inBerm ? yAt(d, Berm, x, side) : -10000.0f, yg);
    float hb = std::max(yb - yg, 0.0f);
    bool inUnload = d.useUnload && line(d, Unload).x[0] <= x && x <= line(d, Unload).last();
    float yu = std::max(std::min(inUnload ? yAt(d, Unload, x, side) : 10000.0f, yg + hb), c.ys);
    float hu = yu - c.ys, t = std::min(h + hb, hu);
    c.soil = std::min(h, t);
    c.berm = t - c.soil;
    c.trimmed = h + hb - hu;
    c.w = std::max(c.yw - c.ys, 0.0f);
    return c;
}

inline BlockGeometry integrateBlock(const CSlideCalcData& d, float x1, float x2) {
    BlockGeometry g;
    std::vector<float> cuts = collectCuts(d, x1, x2);
    for (size_t k = 0; k + 1 < cuts.size(); ++k) {
        float a = cuts[k], b = cuts[k + 1], dx = b - a;
        Col ca = column(d, a, 1), cb = column(d, b, 0);
        auto strip = [dx](float u, float v) { return (u + v) * dx / 2.0f; };
        float A = strip(ca.soil, cb.soil) + strip(ca.berm, cb.berm);
        float Aw = strip(ca.w, cb.w);
        float Aabove = std::max(Aw - A, 0.0f);
        Aw = std::min(Aw, A);
        float W =
            strip(ColumnWeight(d, ca.soil, ca.berm, ca.w), ColumnWeight(d, cb.soil, cb.berm, cb.w));
        float Wwet = strip(ColumnWetWeight(d, ca.soil, ca.berm, ca.w),
                           ColumnWetWeight(d, cb.soil, cb.berm, cb.w));
        float Aberm = strip(ca.berm, cb.berm), Atrim = strip(ca.trimmed, cb.trimmed);
        float L = get_dist(a, ca.ys, b, cb.ys);
        if (A <= 0.001 && Atrim <= 0.001 && Aberm <= 0.001) continue;
        g.area += A;
        g.wetArea += Aw;
        g.weight += W;
        g.wetWeight += Wwet;
        g.staticWaterSum += 10.0f * Aabove;
        if (10.0f * Aabove > 1e-5) {
            float ga = ca.ys + ca.soil + ca.berm, gb = cb.ys + cb.soil + cb.berm;
            g.staticWaterV += 10.0f * Aabove;
            g.staticWaterH += -10.0f * Aabove * (gb - ga) / dx;
        }
        g.slipLength += L;
        g.bermArea += Aberm;
        g.trimmedArea += Atrim;
        float Lw = std::max(get_dist(a, ca.yw, b, cb.yw), 1e-5f);
        g.seepageForce += 10.0f * Aw * d.porosity * (cb.yw - ca.yw) / Lw;
        L = std::max(L, 1e-5f);
        g.buoyancy += 10.0f * Aw * (1.0f - d.porosity) * dx / L;
    }
    return g;
}

// Slope point loads in (x1, x2]; a load on the left boundary belongs to the block below.
inline std::pair<float, float> sumPointLoads(const CSlideCalcData& d, float x1, float x2) {
    float px = 0.0f, py = 0.0f, start = d.slopeX0;
    for (int s = 0; s < std::clamp(d.slopeCount, 0, 100); ++s) {
        const CLineSeg& seg = d.slope[s];
        float len = get_dist(0.0f, 0.0f, seg.dx, seg.dy);
        float theta = get_line_angle(0.0f, 0.0f, seg.dx, seg.dy);
        for (int i = 0; i < std::clamp(seg.loadCount, 0, 10); ++i) {
            const CPointLoad& l = seg.loads[i];
            float xL = start + std::cos(theta) * l.dist;
            if (0.0f <= l.dist && l.dist <= len &&
                (std::fabs(xL - x2) < 1e-5 || (x1 < xL && xL < x2))) {
                px += l.px;
                py += l.py;
            }
        }
        start += seg.dx;
    }
    return {px, py};
}

struct Pass {
    float e = 0.0f, angle = 0.0f, berm = 0.0f, trimmed = 0.0f;
};

// The pass from the crest down, block after block, each block computed afresh
// (ComputeBlock builds its own lines): nothing is carried from block to block
// but the force and its angle.
inline Pass computeThrust(const CSlideCalcData& d, float* residualThrust) {
    float xStar = d.usePiles ? d.pileX : (d.useBerm && d.bermX < d.slopeX0 ? d.bermX : d.slopeX0);
    Pass p;
    int blocks = std::clamp(d.slipCount, 0, 100);
    float crest = line(d, Slip).last();
    for (int k = 0; k < blocks; ++k) {
        int s = blocks - 1 - k;
        float xS = 0.0f, yS = 0.0f;
        for (int i = 0; i < s; ++i) xS += d.slip[i].dx, yS += d.slip[i].dy;
        float xE = xS + d.slip[s].dx, yE = yS + d.slip[s].dy;
        bool last = k == blocks - 1;
        if (xS < xStar && xStar < xE) {
            xS = xStar;
            yS = yAt(d, Slip, xStar, 1);
            last = true;
        }
        if (xS == xStar && 0.0f < xStar && xStar < crest) last = true;
        residualThrust[k] = p.e;
        float berm, trimmed;
        ComputeBlock(d, s, xS, yS, xE, yE, p.angle, p.e, &p.angle, &p.e, nullptr, &berm, &trimmed);
        p.berm += berm;
        p.trimmed += trimmed;
        if (last) {
            residualThrust[k + 1] = p.e;
            break;
        }
    }
    return p;
}

}  // namespace reference
