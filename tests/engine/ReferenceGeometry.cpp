// The geometry and thrust rules written out step by step, without caching.
#include "ReferenceGeometry.h"

#include "data/CSlideCalcData.h"
#include "platform/PlaneGeometry.h"

#include <algorithm>
#include <cmath>

namespace reference {

namespace {

float firstX(const CSlideCalcData& d, LineKind k) {
    float xs[kMaxLinePoints], ys[kMaxLinePoints];
    buildLine(d, k, xs, ys);
    return xs[0];
}

float lastX(const CSlideCalcData& d, LineKind k) {
    float xs[kMaxLinePoints], ys[kMaxLinePoints];
    int n = buildLine(d, k, xs, ys);
    return xs[n - 1];
}

int appendSegments(const std::array<CLineSeg, 100>& segs, int count, int limit, float x0, float y0,
                   float* xs, float* ys) {
    int n = count < 0 ? 0 : (count > limit ? limit : count);
    xs[0] = x0;
    ys[0] = y0;
    for (int i = 0; i < n; ++i) {
        xs[i + 1] = xs[i] + segs[i].dx;
        ys[i + 1] = ys[i] + segs[i].dy;
    }
    return n + 1;
}

float interpolate(const float* xs, const float* ys, int n, float x, int side) {
    if (x < xs[0]) return ys[0];
    if (x > xs[n - 1]) return ys[n - 1];
    int i = 0;
    while (i <= n - 2) {
        if (std::fabs(xs[i] - xs[i + 1]) < 1e-5) {
            int last = i + 1;
            for (int j = i + 2; j <= n - 2 && std::fabs(xs[j] - xs[i]) < 1e-5; ++j) last = j;
            if (std::fabs(x - xs[i]) < 1e-5) return side == 1 ? ys[last] : ys[i];
            i = last;
        } else {
            ++i;
        }
    }
    for (i = 0; i <= n - 2; ++i) {
        if (std::fabs(x - xs[i]) < 1e-5) return ys[i];
        if (std::fabs(x - xs[i + 1]) < 1e-5) return ys[i + 1];
        if (xs[i] <= x && x <= xs[i + 1])
            return ys[i] + (ys[i + 1] - ys[i]) / (xs[i + 1] - xs[i]) * (x - xs[i]);
    }
    return 0.0f;
}

void pileRow0(const CSlideCalcData& d, float* x, float* ySlip, float* freeLength) {
    *x = d.pileX - 0.0f * d.rowSpacing;
    *ySlip = lineYAtX(d, Slip, *x, 1);
    *freeLength = d.pileKinds[0].length - d.pileKinds[0].embedDepth;
}

}  // namespace

int buildLine(const CSlideCalcData& d, LineKind kind, float* xs, float* ys) {
    switch (kind) {
        case Slip:
            return appendSegments(d.slip, d.slipCount, 100, 0.0f, 0.0f, xs, ys);
        case Slope:
            return appendSegments(d.slope, d.slopeCount, 100, d.slopeX0,
                                  lineYAtX(d, Slip, d.slopeX0, 1), xs, ys);
        case Water:
            return appendSegments(d.water, d.waterCount, 100, d.waterX0, d.waterY0, xs, ys);
        case Unload: {
            std::array<CLineSeg, 100> segs{};
            for (int i = 0; i < 3; ++i) segs[i] = d.unloadSegs[i];
            return appendSegments(segs, d.unloadCount, 3, lineXAtY(d, Slope, d.unloadY, 1),
                                  d.unloadY, xs, ys);
        }
        case Berm:
            break;
    }
    float x0, y0;
    if (d.usePiles) {
        float ySlip, freeLength;
        pileRow0(d, &x0, &ySlip, &freeLength);
        y0 = ySlip + freeLength;
    } else {
        x0 = d.bermX;
        y0 = lineYAtX(d, Slip, x0, 1);
        if (x0 > d.slopeX0) y0 = lineYAtX(d, Slope, x0, 1);
    }
    xs[0] = x0;
    ys[0] = y0;
    xs[1] = x0 + d.bermH * d.bermSlope;
    ys[1] = y0 + d.bermH;
    xs[2] = xs[1] + (lineXAtY(d, Slope, y0 + d.bermH, 0) - xs[1]);
    ys[2] = y0 + d.bermH;
    return 3;
}

int buildLineForCuts(const CSlideCalcData& d, LineKind kind, float* xs, float* ys) {
    int n = buildLine(d, kind, xs, ys);
    if (kind == Water && xs[0] > -10.0) {
        for (int i = n; i > 0; --i) {
            xs[i] = xs[i - 1];
            ys[i] = ys[i - 1];
        }
        xs[0] = -10.0f;
        ++n;
    }
    float slipEnd = lastX(d, Slip);
    if ((kind == Slope || kind == Water) && slipEnd + 10.0 > xs[n - 1]) {
        xs[n] = static_cast<float>(slipEnd + 10.0);
        ys[n] = ys[n - 1];
        ++n;
    }
    return n;
}

float lineYAtX(const CSlideCalcData& d, LineKind kind, float x, int side) {
    float xs[kMaxLinePoints], ys[kMaxLinePoints];
    int n = buildLine(d, kind, xs, ys);
    float y = interpolate(xs, ys, n, x, side);
    float m = side == 1 ? static_cast<float>(x + 1.0e-7) : static_cast<float>(x - 1.0e-7);
    if (kind == Slope && (firstX(d, Slope) > m || lastX(d, Slope) < m))
        y = lineYAtX(d, Slip, m, side);
    if (kind == Unload && ((side == 0 && firstX(d, Unload) + 0.001 > m) ||
                           (side == 1 && lastX(d, Unload) - 0.001 < m)))
        y = lineYAtX(d, Slope, m, side);
    if (kind == Berm && (firstX(d, Berm) > m || lastX(d, Berm) < m))
        y = lineYAtX(d, Slope, m, side);
    return y;
}

float lineXAtY(const CSlideCalcData& d, LineKind kind, float y, int side) {
    float xs[kMaxLinePoints], ys[kMaxLinePoints];
    int n = buildLine(d, kind, xs, ys);
    int i = 0;
    while (i <= n - 2) {
        if (std::fabs(ys[i] - ys[i + 1]) < 1e-4) {
            int last = i + 1;
            for (int j = i + 2; j <= n - 2 && std::fabs(ys[j] - ys[i]) < 1e-5; ++j) last = j;
            if (side == 1) {
                if (std::fabs(y - ys[i + 1]) < 1e-4) return xs[last];
                if (std::fabs(y - ys[i]) < 1e-4) return xs[i];
            } else {
                if (std::fabs(y - ys[i]) < 1e-4) return xs[i];
                if (std::fabs(y - ys[i + 1]) < 1e-4) return xs[last];
            }
            i = last;
        } else {
            ++i;
        }
    }
    for (i = 0; i <= n - 2; ++i) {
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

namespace {

void addCut(std::vector<float>& cuts, float x1, float x2, float v) {
    if (v < x1 || v > x2) return;
    for (float c : cuts)
        if (std::fabs(v - c) < 1e-5) return;
    for (size_t i = 0; i < cuts.size(); ++i) {
        if (cuts[i] > v) {
            cuts.insert(cuts.begin() + static_cast<long>(i), v);
            return;
        }
    }
    cuts.push_back(v);
}

int cutLine(const CSlideCalcData& d, int k, float* xs, float* ys) {
    if ((k == Unload && !d.useUnload) || (k == Berm && !d.useBerm)) return 0;
    return buildLineForCuts(d, static_cast<LineKind>(k), xs, ys);
}

float columnWeight(const CSlideCalcData& d, float soil, float berm, float water) {
    if (water < 0.0f) return soil * d.gamma + berm * d.bermGamma;
    if (water <= soil) return water * d.gammaSat + (soil - water) * d.gamma + berm * d.bermGamma;
    if (water <= soil + berm)
        return soil * d.gammaSat + (soil + berm - water) * d.bermGamma +
               (water - soil) * d.bermGammaSat;
    return soil * d.gammaSat + berm * d.bermGammaSat;
}

float columnWetWeight(const CSlideCalcData& d, float soil, float berm, float water) {
    if (water < 0.0f) return 0.0f;
    if (water <= soil) return water * d.gammaSat;
    if (water <= soil + berm) return soil * d.gammaSat + (water - soil) * d.bermGammaSat;
    return soil * d.gammaSat + berm * d.bermGammaSat;
}

struct Col {
    float ys, yw, soil, berm, trimmed, w;
};

Col column(const CSlideCalcData& d, float x, int side) {
    Col c;
    c.ys = lineYAtX(d, Slip, x, side);
    float yg = lineYAtX(d, Slope, x, side);
    c.yw = lineYAtX(d, Water, x, side);
    float h = yg - c.ys;
    if (h < 0.0f) h = 0.0f;
    bool inBerm = d.useBerm && firstX(d, Berm) <= x && x <= lastX(d, Berm);
    float yb = inBerm ? lineYAtX(d, Berm, x, side) : -10000.0f;
    if (yb < yg) yb = yg;
    float hb = yb - yg;
    if (hb < 0.0f) hb = 0.0f;
    bool inUnload = d.useUnload && firstX(d, Unload) <= x && x <= lastX(d, Unload);
    float yu = inUnload ? lineYAtX(d, Unload, x, side) : 10000.0f;
    if (yu > yg + hb) yu = yg + hb;
    if (yu < c.ys) yu = c.ys;
    float hu = yu - c.ys;
    float t = std::min(h + hb, hu);
    c.soil = std::min(h, t);
    c.berm = t - c.soil;
    c.trimmed = h + hb - hu;
    c.w = c.yw - c.ys;
    if (c.w < 0.0f) c.w = 0.0f;
    return c;
}

}  // namespace

void collectCuts(const CSlideCalcData& d, float x1, float x2, std::vector<float>& cuts) {
    cuts = {x1, x2};
    float xs[kLineKinds][kMaxLinePoints], ys[kLineKinds][kMaxLinePoints];
    int n[kLineKinds];
    for (int k = 0; k < kLineKinds; ++k) n[k] = cutLine(d, k, xs[k], ys[k]);
    for (int k = 0; k < kLineKinds; ++k)
        for (int i = 0; i < n[k]; ++i) addCut(cuts, x1, x2, xs[k][i]);
    for (int a = 0; a < kLineKinds; ++a)
        for (int b = 0; b < kLineKinds; ++b) {
            if (a == b) continue;
            for (int i = 0; i + 1 < n[a]; ++i)
                for (int j = 0; j + 1 < n[b]; ++j) {
                    float cx, cy;
                    if (JH_GetInterPoint_LineSection(xs[a][i], ys[a][i], xs[a][i + 1], ys[a][i + 1],
                                                     xs[b][j], ys[b][j], xs[b][j + 1], ys[b][j + 1],
                                                     &cx, &cy, 1e-5f))
                        addCut(cuts, x1, x2, cx);
                }
        }
}

BlockGeometry integrateBlock(const CSlideCalcData& d, float x1, float x2) {
    BlockGeometry g;
    std::vector<float> cuts;
    collectCuts(d, x1, x2, cuts);
    for (size_t k = 0; k + 1 < cuts.size(); ++k) {
        float a = cuts[k], b = cuts[k + 1];
        Col ca = column(d, a, 1), cb = column(d, b, 0);
        float dx = b - a;
        float A = (ca.soil + cb.soil) * dx / 2.0f + (ca.berm + cb.berm) * dx / 2.0f;
        float Aw = (ca.w + cb.w) * dx / 2.0f;
        float Aabove = Aw - A;
        if (Aabove < 0.0f) Aabove = 0.0f;
        if (Aw > A) Aw = A;
        float W =
            (columnWeight(d, ca.soil, ca.berm, ca.w) + columnWeight(d, cb.soil, cb.berm, cb.w)) *
            dx / 2.0f;
        float Wwet = (columnWetWeight(d, ca.soil, ca.berm, ca.w) +
                      columnWetWeight(d, cb.soil, cb.berm, cb.w)) *
                     dx / 2.0f;
        float Aberm = (ca.berm + cb.berm) * dx / 2.0f;
        float Atrim = (ca.trimmed + cb.trimmed) * dx / 2.0f;
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
        float Lw = get_dist(a, ca.yw, b, cb.yw);
        if (Lw < 1e-5) Lw = 1e-5f;
        g.seepageForce += 10.0f * Aw * d.porosity * (cb.yw - ca.yw) / Lw;
        if (L < 1e-5) L = 1e-5f;
        g.buoyancy += 10.0f * Aw * (1.0f - d.porosity) * dx / L;
    }
    return g;
}

void sumPointLoads(const CSlideCalcData& d, float x1, float x2, float* px, float* py) {
    *px = *py = 0.0f;
    float start = d.slopeX0;
    int segs = std::clamp(d.slopeCount, 0, 100);
    for (int s = 0; s < segs; ++s) {
        const CLineSeg& seg = d.slope[s];
        float len = get_dist(0.0f, 0.0f, seg.dx, seg.dy);
        float theta = get_line_angle(0.0f, 0.0f, seg.dx, seg.dy);
        for (int i = 0; i < std::clamp(seg.loadCount, 0, 10); ++i) {
            const CPointLoad& l = seg.loads[i];
            if (!(0.0f <= l.dist && l.dist <= len)) continue;
            float xL = start + std::cos(theta) * l.dist;
            if (std::fabs(xL - x2) < 1e-5 || (x1 < xL && xL < x2)) {
                *px += l.px;
                *py += l.py;
            }
        }
        start += seg.dx;
    }
}

namespace {

float block(const CSlideCalcData& d, int s, float xS, float yS, float xE, float yE, float aPrev,
            float ePrev, float* angle, float* berm, float* trim) {
    float eP = ePrev >= 0.0f ? ePrev : 0.0f;
    float dx = xE - xS, dy = yE - yS;
    if (dx < 1e-5) {
        *angle = aPrev;
        *berm = *trim = 0.0f;
        return eP;
    }
    float a = get_line_angle(0.0f, 0.0f, dx, dy);
    if (a > kPi) a -= 2.0f * kPi;
    BlockGeometry g = integrateBlock(d, xS, xE);
    if (d.useStaticWater == 0) g.staticWaterSum = g.staticWaterH = g.staticWaterV = 0.0f;
    float Px, Py;
    sumPointLoads(d, xS, xE, &Px, &Py);
    Px += g.staticWaterH;
    Py += g.staticWaterV;
    float Uc = d.useConfinedWater == 0 ? 0.0f : d.confinedHead * 10.0f * g.slipLength;
    float kh = d.quakeLevel == 1   ? 0.1f
               : d.quakeLevel == 2 ? 0.2f
               : d.quakeLevel == 3 ? 0.4f
                                   : 0.0f;
    float Q = d.quakeLevel == 0 ? 0.0f : g.weight * d.quakeCi * d.quakeCz * kh;
    float D = d.useSeepage == 0 ? 0.0f : g.seepageForce;
    float U = d.useSeepage == 0 ? 0.0f : g.buoyancy;
    if (D < 0.0f) D = 0.0f;
    float c = d.slip[s].c, phi = d.slip[s].phi * kPi / 180.0f, K = d.thrustSafetyFactor;
    float N = (g.weight + Py) * std::cos(a) - Px * std::sin(a) - U - Uc - std::sin(a - aPrev) * eP;
    float F = std::tan(phi) * N;
    if (F < 0.0f) F = 0.0f;
    float terms[5] = {D, Q, Px * std::cos(a), g.weight * std::sin(a), Py * std::sin(a)};
    float T = 0.0f;
    for (float t : terms) T += t > 0.0f ? t * K : t;
    T += std::cos(a - aPrev) * eP;
    *angle = a;
    *berm = g.bermArea;
    *trim = g.trimmedArea;
    return T - (c * g.slipLength + F);
}

}  // namespace

float computeThrust(const CSlideCalcData& d, float* angle, float* bermArea, float* trimmedArea,
                    float* residualThrust) {
    float xStar = d.usePiles ? d.pileX : (d.useBerm && d.bermX < d.slopeX0 ? d.bermX : d.slopeX0);
    float aPrev = 0.0f, ePrev = 0.0f, bSum = 0.0f, tSum = 0.0f;
    int blocks = std::clamp(d.slipCount, 0, 100);
    float toe = 0.0f, crest = lastX(d, Slip);
    for (int k = 0; k < blocks; ++k) {
        int s = blocks - 1 - k;
        float xS = 0.0f, yS = 0.0f;
        for (int i = 0; i < s; ++i) {
            xS += d.slip[i].dx;
            yS += d.slip[i].dy;
        }
        float xE = xS + d.slip[s].dx, yE = yS + d.slip[s].dy;
        bool last = k == blocks - 1;
        if (xS < xStar && xStar < xE) {
            xS = xStar;
            yS = lineYAtX(d, Slip, xStar, 1);
            last = true;
        }
        if (xS == xStar && toe < xStar && xStar < crest) last = true;
        residualThrust[k] = ePrev;
        float a, b, t;
        ePrev = block(d, s, xS, yS, xE, yE, aPrev, ePrev, &a, &b, &t);
        aPrev = a;
        bSum += b;
        tSum += t;
        if (last) {
            residualThrust[k + 1] = ePrev;
            break;
        }
    }
    *angle = aPrev;
    *bermArea = bSum;
    *trimmedArea = tSum;
    return ePrev;
}

}  // namespace reference
