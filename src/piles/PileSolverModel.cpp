// The conventions of Chinese anti-slide pile practice that turn the record
// into a beam: E by concrete grade, the calculation width of the m-, C- and
// K-values, springs only below the slip surface, the load times the spacing.
#include "piles/PileSolverModel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

// MN/m3 (and MN/m4, MN/m3.5) to kN units.
constexpr double kMega = 1000.0;

struct ConcreteRow {
    int grade;
    double modulus;  // 1e7 kPa
};
constexpr std::array<ConcreteRow, 11> kConcrete{{{10, 1.75},
                                                 {15, 2.20},
                                                 {20, 2.55},
                                                 {25, 2.80},
                                                 {30, 3.00},
                                                 {35, 3.15},
                                                 {40, 3.25},
                                                 {45, 3.35},
                                                 {50, 3.45},
                                                 {55, 3.55},
                                                 {60, 3.60}}};

int usedLayers(const CPile_ShuJu& pile) {
    return std::clamp(pile.layerCount, 0, CPile_ShuJu::kMaxLayers);
}

// The layer coefficient of the record's method, in kN units.
double layerCoef(const CPile_ShuJu& pile, int i) {
    const PileLayer& layer = pile.layers[i];
    const double c = pile.method == 0 ? layer.m : pile.method == 1 ? layer.c : layer.k;
    return c * kMega;
}

std::string format(const char* fmt, double a, double b = 0.0) {
    char text[256];
    std::snprintf(text, sizeof text, fmt, a, b);
    return text;
}

bool allFinite(const CPile_ShuJu& p, const std::vector<PileLoadPoint>& load, float a, float a1) {
    bool ok = std::isfinite(p.anchorStiffness) && std::isfinite(p.inertia) &&
              std::isfinite(p.modulus) && std::isfinite(p.sectionB) && std::isfinite(p.sectionH) &&
              std::isfinite(p.resistWidth) && std::isfinite(p.spacing) &&
              std::isfinite(p.embedDepth) && std::isfinite(p.freeLength) && std::isfinite(a) &&
              std::isfinite(a1);
    for (int i = 0; i < usedLayers(p); ++i)
        ok = ok && std::isfinite(p.layers[i].thickness) && std::isfinite(layerCoef(p, i));
    for (const PileLoadPoint& l : load)
        ok = ok && std::isfinite(l.depth) && std::isfinite(l.rising) && std::isfinite(l.falling);
    return ok;
}

// Layer bottoms from the top, thicknesses cumulated as passed.
std::vector<BeamSoilLayer> soilLayers(const CPile_ShuJu& pile) {
    std::vector<BeamSoilLayer> layers;
    double bottom = 0.0;
    for (int i = 0; i < usedLayers(pile); ++i) {
        bottom += pile.layers[i].thickness;
        layers.push_back({bottom, layerCoef(pile, i)});
    }
    return layers;
}

// Whether any layer with a positive coefficient reaches into the embedment.
bool hasSoil(const CPile_ShuJu& pile, float coefA, float coefA1) {
    const double top = pile.freeLength, base = top + pile.embedDepth;
    const double sided = pile.method == 2 ? std::max(coefA, coefA1) * kMega : 0.0;
    double layerTop = 0.0;
    for (const BeamSoilLayer& layer : soilLayers(pile)) {
        const bool reaches = layer.bottom > top && layerTop < base;
        if (reaches && layer.coef + sided > 0.0) return true;
        layerTop = layer.bottom;
    }
    // Below the last bottom the last layer goes on.
    return usedLayers(pile) > 0 && layerTop < base &&
           layerCoef(pile, usedLayers(pile) - 1) + sided > 0.0;
}

std::string layerRefusal(const CPile_ShuJu& pile, float coefA, float coefA1) {
    if (pile.method < 0 || pile.method > 2) return "计算方法无效(应为m法、C法或K法)";
    if (pile.baseCondition < 0 || pile.baseCondition > 2) return "桩底支承条件无效";
    for (int i = 0; i < usedLayers(pile); ++i) {
        if (pile.layers[i].thickness < 0.0f) return format("第%.0f层土的厚度不能为负", i + 1);
        if (layerCoef(pile, i) < 0.0) return format("第%.0f层土的弹性抗力系数不能为负", i + 1);
        if (pile.method == 2 && (layerCoef(pile, i) + std::min(coefA, coefA1) * kMega < 0.0))
            return format("第%.0f层土的K值加A或A1不能为负", i + 1);
    }
    return {};
}

}  // namespace

double pileModulus(const CPile_ShuJu& pile) {
    if (pile.hasModulus) return pile.modulus;
    for (const ConcreteRow& row : kConcrete)
        if (row.grade == pile.gradeNumber) return row.modulus * 1.0e7;
    return 0.0;
}

double pileInertia(const CPile_ShuJu& pile) {
    if (pile.hasInertia) return pile.inertia;
    const double b = pile.sectionB, h = pile.sectionH;
    // circle pi d^4 / 64; rectangle b h^3 / 12, h along the thrust
    if (!pile.isRectangular) return std::numbers::pi * b * b * b * b / 64.0;
    return b * h * h * h / 12.0;
}

double pileRigidity(const CPile_ShuJu& pile) {
    const double concreteShare = pile.hasModulus ? 1.0 : 0.8;
    return concreteShare * pileModulus(pile) * pileInertia(pile);
}

double calculationWidth(const CPile_ShuJu& pile) {
    const double b = pile.resistWidth, s = pile.spacing;
    double bp = 0.0;
    if (pile.isRectangular)
        bp = b >= 1.0 ? b + 1.0 : 1.5 * b + 0.5;  // Bp = b + 1, or 1.5b + 0.5 below 1 m
    else
        bp = b >= 1.0 ? 0.9 * (b + 1.0) : 0.9 * (1.5 * b + 0.5);  // Bp = 0.9(d + 1), ...
    // One pile's reaction stays within its own tributary width.
    return std::min(bp, std::max(s, b));
}

std::string pileRefusal(const CPile_ShuJu& pile, const std::vector<PileLoadPoint>& load,
                        float coefA, float coefA1) {
    // The lengths first: a free length of 0 also leaves the load without a finite value.
    if (pile.freeLength <= 0.0f)
        return format("桩的自由段长度(桩长减嵌入深度) = %.3f(m), 应大于0", pile.freeLength);
    if (pile.embedDepth < 0.0f) return format("桩的嵌入深度 = %.3f(m), 不能为负", pile.embedDepth);
    if (!allFinite(pile, load, coefA, coefA1)) return "桩的输入数据中有无效数值";
    if (!pile.hasModulus && pileModulus(pile) <= 0.0)
        return format("混凝土强度等级C%.0f无效(应为C10~C60)", pile.gradeNumber);
    const double EI = pileRigidity(pile);
    if (!(EI > 0.0)) return format("桩的抗弯刚度EI = %.3f(kN-m2), 应大于0", EI);
    const double bp = calculationWidth(pile);
    if (!(bp > 0.0)) return format("桩的计算宽度Bp = %.3f(m), 应大于0", bp);
    if (std::string why = layerRefusal(pile, coefA, coefA1); !why.empty()) return why;
    if (!hasSoil(pile, coefA, coefA1)) {
        if (pile.baseCondition == 0) return "桩底自由而嵌固段没有土的抗力, 桩身不稳定";
        if (pile.baseCondition == 1 && pile.hasAnchor == 0)
            return "桩底铰接、桩顶无锚索而嵌固段没有土的抗力, 桩身不稳定";
    }
    return {};
}

BeamModel buildPileModel(const CPile_ShuJu& pile, const std::vector<PileLoadPoint>& load,
                         float coefA, float coefA1, double maxInterval) {
    BeamModel m;
    const double L = pile.freeLength, total = L + pile.embedDepth;
    m.EI = pileRigidity(pile);
    m.width = calculationWidth(pile);
    m.springTop = L;
    m.law = pile.method == 0   ? SoilLaw::Linear
            : pile.method == 1 ? SoilLaw::SquareRoot
                               : SoilLaw::Constant;
    m.layers = soilLayers(pile);
    // A and A1 belong to the K-method alone; stale values must not act elsewhere.
    if (m.law == SoilLaw::Constant) {
        m.coefA = coefA * kMega;
        m.coefA1 = coefA1 * kMega;
    }
    m.anchor = pile.hasAnchor ? pile.anchorStiffness * kMega : 0.0;
    m.base = pile.baseCondition == 0   ? BaseSupport::Free
             : pile.baseCondition == 1 ? BaseSupport::Hinged
                                       : BaseSupport::Fixed;

    // q(z) = s (rising + falling): the table is per metre width of slope.
    std::vector<PileLoadPoint> table = load;
    std::stable_sort(
        table.begin(), table.end(),
        [](const PileLoadPoint& a, const PileLoadPoint& b) { return a.depth < b.depth; });
    std::vector<double> breaks{0.0, L, total};
    for (const PileLoadPoint& p : table) {
        m.load.push_back({p.depth, pile.spacing * (double(p.rising) + double(p.falling))});
        if (p.depth > 0.0f && p.depth < total) breaks.push_back(p.depth);
    }
    for (const BeamSoilLayer& layer : m.layers)
        if (layer.bottom > L && layer.bottom < total) breaks.push_back(layer.bottom);
    std::sort(breaks.begin(), breaks.end());
    // Interfaces closer than a micrometre are one point.
    breaks.erase(
        std::unique(breaks.begin(), breaks.end(), [](double a, double b) { return b - a < 1e-6; }),
        breaks.end());
    m.nodes = meshDepths(breaks, maxInterval);
    return m;
}
