// One block of the transfer-coefficient method. The force of the block above
// enters with the transfer coefficient ψ = cos(α' − α) − sin(α' − α)·tan φ
// through the normal and driving forces; driving components are multiplied by
// the safety factor for thrust only when they drive.
#include "engine/ThrustBlock.h"

#include "data/CSlideCalcData.h"
#include "engine/BlockIntegration.h"
#include "engine/PointLoads.h"
#include "engine/SectionLines.h"
#include "engine/SweepMemo.h"
#include "platform/Assert.h"
#include "platform/FigureFormat.h"
#include "platform/PlaneGeometry.h"
#include "platform/ReportWriter.h"

#include <cmath>

namespace {

constexpr float kGammaWater = 10.0f;

// Horizontal seismic coefficient kh of the design intensity 7, 8, 9.
float seismicCoefficient(int quakeLevel) {
    switch (quakeLevel) {
        case 1:
            return 0.1f;
        case 2:
            return 0.2f;
        case 3:
            return 0.4f;
        default:
            return 0.0f;
    }
}

float degrees(float radians) {
    return radians * 180.0f / kPi;
}

// The forces of one block, kept for its report lines.
struct BlockForces : BlockLoads {
    float ePlus, alpha, c, phiDeg;
    float N, F, T, E;
};

void writeBlockReport(ReportWriter& r, const CSlideCalcData& item, float xStart, float xEnd,
                      float prevAngle, const BlockForces& f) {
    const BlockGeometry& g = f.g;
    r.printf("        本块滑体的X坐标范围:  %s 到  %s(m)\n", Fixed3(xEnd).c_str(),
             Fixed3(xStart).c_str());
    r.printf("        上块传递推力 = %s(kN)   推力角度   = %s(度)\n", Fixed3(f.ePlus).c_str(),
             Fixed3(degrees(prevAngle)).c_str());
    r.printf("        本块滑面粘聚力   = %s(kPa)  滑面摩擦角 = %s(度)\n", Fixed3(f.c).c_str(),
             Fixed3(f.phiDeg).c_str());
    r.printf("        本块总面积     = %s(m2)   浸水部分面积 = %s(m2)\n", Fixed3(g.area).c_str(),
             Fixed3(g.wetArea).c_str());
    if (g.bermArea > 0.0001)
        r.printf("        本块中反压码部分面积     = %s(m2)\n", Fixed3(g.bermArea).c_str());
    if (g.trimmedArea > 0.0001)
        r.printf("        本块中刷方去除的面积     = %s(m2)\n", Fixed3(g.trimmedArea).c_str());
    r.printf("        本块总重     = %s(kN)   浸水部分重 = %s(kN)\n", Fixed3(g.weight).c_str(),
             Fixed3(g.wetWeight).c_str());
    if (g.staticWaterSum > 1e-5)
        r.printf("        坡面以上静水压力水平分力 = %s(kN) 竖向分力 = %s(kN) \n",
                 Fixed3(g.staticWaterH).c_str(), Fixed3(g.staticWaterV).c_str());
    r.printf("        本块总附加力   Px= %s(kN)   Py = %s(kN)\n",
             Fixed3(f.px - g.staticWaterH).c_str(), Fixed3(f.py - g.staticWaterV).c_str());
    if (item.useSeepage == 1) {
        r.printf("        本块动水压力     = %s(kN)\n", Fixed3(f.D).c_str());
        r.printf("        本块水浮托力     = %s(kN)\n", Fixed3(f.U).c_str());
    }
    if (item.quakeLevel != 0) r.printf("        本块地震力     = %s(kN)\n", Fixed3(f.Q).c_str());
    if (item.useConfinedWater == 1)
        r.printf("        本块承压水浮托力     = %s(kN)\n", Fixed3(f.Uc).c_str());
    float cL = f.c * g.slipLength;
    r.printf("        有效的滑动面长度     = %s(m)\n", Fixed3(g.slipLength).c_str());
    r.printf("        下滑力 = %s(kN)\n", Fixed3(f.E + f.F + cL).c_str());
    r.printf("        滑床反力   R= %s(kN) 滑面抗滑力 = %s(kN) 粘聚力抗滑力 =%s(kN)\n",
             Fixed3(f.N).c_str(), Fixed3(f.F).c_str(), Fixed3(cL).c_str());
    r.printf("        --------------------------\n");
    r.printf("        本块剩余下滑力 = %s(kN)\n", Fixed3(f.E).c_str());
    r.printf("        本块下滑力角度   = %s(度)\n", Fixed3(degrees(f.alpha)).c_str());
}

// A driving component enters multiplied by K only when it drives.
float factored(float component, float K) {
    return component > 0.0f ? component * K : component;
}

// Loads, water and earthquake acting on the block (steps before the balance).
BlockLoads measureBlock(ThrustBlockContext& ctx, const CSlideCalcData& item, float xStart,
                        float xEnd) {
    BlockLoads f;
    SectionLines::Window window =
        ctx.lines.window(xStart, xEnd, ctx.hasPrevious ? &ctx.previous : nullptr);
    f.g = integrateBlock(ctx.lines, window, ctx.cuts);
    ctx.previous = window;
    ctx.hasPrevious = true;
    BlockGeometry& g = f.g;
    if (item.useStaticWater == 0) g.staticWaterSum = g.staticWaterH = g.staticWaterV = 0.0f;
    // The static water above the slope surface acts as a further load.
    ctx.loads.sum(xStart, xEnd, &f.px, &f.py, &ctx.loadCursor);
    f.px += g.staticWaterH;
    f.py += g.staticWaterV;
    // Uc = h_c × 10 × L
    f.Uc = item.useConfinedWater == 0 ? 0.0f : item.confinedHead * kGammaWater * g.slipLength;
    // Q = W × Ci × Cz × kh, along the slip surface
    f.Q = item.quakeLevel == 0
              ? 0.0f
              : g.weight * item.quakeCi * item.quakeCz * seismicCoefficient(item.quakeLevel);
    f.D = item.useSeepage == 0 ? 0.0f : g.seepageForce;
    f.U = item.useSeepage == 0 ? 0.0f : g.buoyancy;
    if (f.D < 0.0f) f.D = 0.0f;
    return f;
}

// In a sweep a block the swept line keeps clear of has the loads it had in
// the pass that remembered them.
BlockLoads loadsOf(ThrustBlockContext& ctx, const CSlideCalcData& item, int s, float xStart,
                   float xEnd) {
    if (!ctx.memo) return measureBlock(ctx, item, xStart, xEnd);
    const bool clear = ctx.memo->clearOf(ctx.lines, xStart, xEnd);
    if (clear) {
        if (const BlockLoads* known = ctx.memo->find(s, xStart, xEnd)) return *known;
    }
    BlockLoads loads = measureBlock(ctx, item, xStart, xEnd);
    if (clear) ctx.memo->remember(s, xStart, xEnd, loads);
    return loads;
}

}  // namespace

void computeBlock(ThrustBlockContext& ctx, const CSlideCalcData& item, int s, float xStart,
                  float yStart, float xEnd, float yEnd, float prevAngle, float prevForce,
                  float* angle, float* force, ReportWriter* report, float* bermArea,
                  float* trimmedArea) {
    talvor_assert(s >= 0 && s < CSlideCalcData::kMaxSegments);
    BlockForces f;
    // A negative residual force of the block above is not passed on.
    f.ePlus = prevForce >= 0.0f ? prevForce : 0.0f;
    float dx = xEnd - xStart, dy = yEnd - yStart;
    if (dx < 1e-5) {
        // A vertical segment carries nothing: the block above acts on the block below.
        *angle = prevAngle;
        *force = f.ePlus;
        *bermArea = *trimmedArea = 0.0f;
        if (ctx.record)
            ctx.record->push_back({s, xStart, xEnd, true, prevAngle, prevAngle, item.slip[s].c,
                                   item.slip[s].phi, BlockLoads{}, 0.0f, 0.0f, f.ePlus});
        return;
    }
    f.alpha = get_line_angle(0.0f, 0.0f, dx, dy);
    if (f.alpha > kPi) f.alpha -= 2.0f * kPi;
    static_cast<BlockLoads&>(f) = loadsOf(ctx, item, s, xStart, xEnd);
    const float a = f.alpha, W = f.g.weight, L = f.g.slipLength;
    f.c = item.slip[s].c;
    f.phiDeg = item.slip[s].phi;
    float phi = item.slip[s].phi * kPi / 180.0f;
    float K = item.thrustSafetyFactor;
    const float cosA = std::cos(a), sinA = std::sin(a);
    // The force of the block above turns by α − α' onto this slip segment.
    const float cosTurn = std::cos(a - prevAngle), sinTurn = std::sin(a - prevAngle);
    // N = (W + Py)·cos α − Px·sin α − U − Uc − sin(α − α')·E⁺
    f.N = (W + f.py) * cosA - f.px * sinA - f.U - f.Uc - sinTurn * f.ePlus;
    // F = tan φ · N, never negative. Written without `F < 0`, which the
    // WebAssembly code generator turns into max(F, 0): that makes a −0 (φ < 0
    // on an unloaded block) +0, and the report would print 0.000 for −0.000.
    f.F = std::tan(phi) * f.N;
    if (std::signbit(f.F) && f.F != 0.0f && !std::isnan(f.F)) f.F = 0.0f;
    // T = K·D + K·Q + K·Px·cos α + K·W·sin α + K·Py·sin α + cos(α − α')·E⁺
    float T = 0.0f;
    T += factored(f.D, K);
    T += factored(f.Q, K);
    T += factored(f.px * cosA, K);
    T += factored(W * sinA, K);
    T += factored(f.py * sinA, K);
    T += cosTurn * f.ePlus;
    f.T = T;
    // E = T − (c·L + F)
    f.E = T - (f.c * L + f.F);
    if (report) writeBlockReport(*report, item, xStart, xEnd, prevAngle, f);
    if (ctx.record)
        ctx.record->push_back(
            {s, xStart, xEnd, false, f.alpha, prevAngle, f.c, f.phiDeg, f, f.N, f.F, f.E});
    *angle = f.alpha;
    *force = f.E;
    *bermArea = f.g.bermArea;
    *trimmedArea = f.g.trimmedArea;
}
