// One block integrated strip by strip between its cut positions: each strip is
// a trapezoid between the columns at its two ends, the left column read from
// the right (side 1) and the right column read from the left (side 0).
#include "engine/BlockIntegration.h"

#include "data/CSlideCalcData.h"
#include "engine/SectionLines.h"
#include "platform/PlaneGeometry.h"

#include <algorithm>

namespace {

// The unit weight of water (kN/m³).
constexpr float kGammaWater = 10.0f;

// One vertical at a strip end.
struct Column {
    float ys;       // slip surface
    float yw;       // water line
    float soil;     // sliding soil left after unloading
    float berm;     // berm material left after unloading
    float trimmed;  // height removed by unloading
    float w;        // water line above the slip surface
};

// Heights of the lines on one vertical.
struct Heights {
    float ys;  // slip surface
    float yg;  // ground (slope surface)
    float yw;  // water line
    float yb;  // berm top, −10000 outside the berm
    float yu;  // unloading line, 10000 outside its range
};

// The heights at a cut position, read from the left (the strip ending there)
// and from the right (the strip starting there).
void heightsAt(const SectionLines& lines, float x, const SectionLines::Hint& hint, Heights& left,
               Heights& right) {
    lines.yAtXBothSides(Slip, x, hint, &left.ys, &right.ys);
    lines.yAtXBothSides(Slope, x, hint, &left.yg, &right.yg);
    lines.yAtXBothSides(Water, x, hint, &left.yw, &right.yw);
    if (lines.inBermRange(x))
        lines.yAtXBothSides(Berm, x, hint, &left.yb, &right.yb);
    else
        left.yb = right.yb = -10000.0f;
    if (lines.inUnloadRange(x))
        lines.yAtXBothSides(Unload, x, hint, &left.yu, &right.yu);
    else
        left.yu = right.yu = 10000.0f;
}

Column columnOf(const Heights& at) {
    Column c;
    c.ys = at.ys;
    c.yw = at.yw;
    const float yg = at.yg;
    // Sliding soil lies only above the slip surface.
    float h = yg - c.ys;
    if (h < 0.0f) h = 0.0f;
    // Berm material lies on top of the ground.
    float yb = at.yb;
    if (yb < yg) yb = yg;
    float hb = yb - yg;
    if (hb < 0.0f) hb = 0.0f;
    // The unloading line cuts no higher than the berm top and no lower than the slip surface.
    float yu = at.yu;
    if (yu > yg + hb) yu = yg + hb;
    if (yu < c.ys) yu = c.ys;
    float hu = yu - c.ys;
    // Unloading removes the berm first, then the soil.
    float t = std::min(h + hb, hu);
    c.soil = std::min(h, t);
    c.berm = t - c.soil;
    c.trimmed = h + hb - hu;
    c.w = c.yw - c.ys;
    if (c.w < 0.0f) c.w = 0.0f;
    return c;
}

// Adds the strip [a, b] with end columns ca, cb to g.
void addStrip(const CSlideCalcData& d, float a, float b, const Column& ca, const Column& cb,
              BlockGeometry& g) {
    float dx = b - a;
    // A = (soil_a + soil_b)·dx/2 + (berm_a + berm_b)·dx/2,  Aw = (w_a + w_b)·dx/2
    float A = (ca.soil + cb.soil) * dx / 2.0f + (ca.berm + cb.berm) * dx / 2.0f;
    float Aw = (ca.w + cb.w) * dx / 2.0f;
    float Aabove = Aw - A;
    if (Aabove < 0.0f) Aabove = 0.0f;
    if (Aw > A) Aw = A;
    float W = (ColumnWeight(d, ca.soil, ca.berm, ca.w) + ColumnWeight(d, cb.soil, cb.berm, cb.w)) *
              dx / 2.0f;
    float Wwet =
        (ColumnWetWeight(d, ca.soil, ca.berm, ca.w) + ColumnWetWeight(d, cb.soil, cb.berm, cb.w)) *
        dx / 2.0f;
    float Aberm = (ca.berm + cb.berm) * dx / 2.0f;
    float Atrim = (ca.trimmed + cb.trimmed) * dx / 2.0f;
    float L = get_dist(a, ca.ys, b, cb.ys);
    // An empty strip neither carries material nor lost any.
    if (A <= 0.001 && Atrim <= 0.001 && Aberm <= 0.001) return;

    g.area += A;
    g.wetArea += Aw;
    g.weight += W;
    g.wetWeight += Wwet;
    g.staticWaterSum += kGammaWater * Aabove;
    if (kGammaWater * Aabove > 1e-5) {
        // Water standing on the ground pushes along the ground's slope:
        // H = −10·Aabove·(g_b − g_a)/dx,  V = 10·Aabove
        float ga = ca.ys + ca.soil + ca.berm;
        float gb = cb.ys + cb.soil + cb.berm;
        g.staticWaterV += kGammaWater * Aabove;
        g.staticWaterH += -kGammaWater * Aabove * (gb - ga) / dx;
    }
    g.slipLength += L;
    g.bermArea += Aberm;
    g.trimmedArea += Atrim;

    // Seepage: the hydraulic gradient is the sine of the water line's slope.
    // D = 10·Aw·n·(yw_b − yw_a)/Lw,  U = 10·Aw·(1 − n)·dx/L
    float n = d.porosity;
    float Lw = get_dist(a, ca.yw, b, cb.yw);
    if (Lw < 1e-5) Lw = 1e-5f;
    g.seepageForce += kGammaWater * Aw * n * (cb.yw - ca.yw) / Lw;
    if (L < 1e-5) L = 1e-5f;
    g.buoyancy += kGammaWater * Aw * (1.0f - n) * dx / L;
}

}  // namespace

float ColumnWeight(const CSlideCalcData& d, float soil, float berm, float water) {
    if (water < 0.0f) return soil * d.gamma + berm * d.bermGamma;
    if (water <= soil) return water * d.gammaSat + (soil - water) * d.gamma + berm * d.bermGamma;
    if (water <= soil + berm)
        return soil * d.gammaSat + (soil + berm - water) * d.bermGamma +
               (water - soil) * d.bermGammaSat;
    return soil * d.gammaSat + berm * d.bermGammaSat;
}

float ColumnWetWeight(const CSlideCalcData& d, float soil, float berm, float water) {
    if (water < 0.0f) return 0.0f;
    if (water <= soil) return water * d.gammaSat;
    if (water <= soil + berm) return soil * d.gammaSat + (water - soil) * d.bermGammaSat;
    return soil * d.gammaSat + berm * d.bermGammaSat;
}

BlockGeometry integrateBlock(const SectionLines& lines, const SectionLines::Window& window,
                             std::vector<float>& cuts) {
    BlockGeometry g;
    lines.collectCuts(window, cuts);
    const SectionLines::Hint& hint = window.hint;
    // Each strip reads its left end from the right and its right end from the left.
    Heights left, right;
    heightsAt(lines, cuts[0], hint, left, right);
    for (size_t k = 0; k + 1 < cuts.size(); ++k) {
        Column ca = columnOf(right);
        heightsAt(lines, cuts[k + 1], hint, left, right);
        addStrip(lines.item(), cuts[k], cuts[k + 1], ca, columnOf(left), g);
    }
    return g;
}
