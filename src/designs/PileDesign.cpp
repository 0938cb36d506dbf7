// Pile design: rows at the least spacing, then the spacing of those rows.
#include "designs/PileDesign.h"

#include "data/CSlideCalcData.h"
#include "engine/ThrustPass.h"
#include "piles/PileResistance.h"
#include "piles/Quantities.h"
#include "platform/EngineeringMode.h"
#include "platform/FigureFormat.h"
#include "platform/PrintfFormat.h"
#include "platform/ReportWriter.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMaxRows = CSlideCalcData::kMaxRows;
// Below 1 mm the least spacing is a typing slip; it must not divide by 0.
constexpr float kLeastSpacing = 0.001f;
// With no thrust at all the spacing is still computed, against 0.1 N.
constexpr float kNoThrust = 0.00001f;
constexpr float kTokenThrust = 0.0001f;
// Piles are set out in steps of 50 mm.
constexpr int kModuleMm = 50;
constexpr float kModuleM = 0.05f;

// The spacing s_exact = S / H brought down to a multiple of 0.05 m.
float roundSpacingDown(float sExact) {
    float mm = sExact * 1000.0f;
    Engineering_mode(&mm, kModuleMm);
    float s = mm / 1000.0f;
    if (s > sExact) s -= kModuleM;
    return s;
}

void finish(const DesignEnv& env, int iterations, SearchStop stop, const char* message,
            bool noneSatisfies = false) {
    if (!env.summary) return;
    *env.summary = {iterations, stop, message, noneSatisfies, {}};
}

}  // namespace

PileLayout LayoutPileRows(const CSlideCalcData& item, int k, float& H) {
    PileLayout layout;
    float sMin = item.minPileSpacing;
    if (sMin < kLeastSpacing) sMin = kLeastSpacing;
    const float Q = item.pileKinds[k].capacity;

    // R_n = sum over r < n of (Q / s_min) * rowFactor[r]: the first n with R_n > H.
    float Rn = 0.0f;
    int n = 0;
    while (n < kMaxRows) {
        Rn += (Q / sMin) * item.rowFactor[n];
        ++n;
        if (Rn > H) break;
    }
    if (!(Rn > H)) return layout;

    // S = sum over r < n of Q * rowFactor[r]; n rows carry exactly H at S / H.
    float S = 0.0f;
    for (int r = 0; r < n; ++r) S += Q * item.rowFactor[r];
    if (H < kNoThrust) H = kTokenThrust;
    const float sExact = S / H;
    layout.found = true;
    layout.rows = n;
    layout.spacing = roundSpacingDown(sExact);
    return layout;
}

namespace {

// Rows at their limit, or a spacing the 50 mm rounding brought below the
// least spacing: the layout stands at an edge of what may be built.
void noteEdges(const CSlideCalcData& item, int k, const PileLayout& layout, DesignFacts& f) {
    if (layout.rows == kMaxRows)
        f.edges.push_back(stringPrintf("第 %d 种桩需要 %d 排，已是排数的上限", k + 1, kMaxRows));
    if (layout.spacing < item.minPileSpacing)
        f.edges.push_back(stringPrintf("第 %d 种桩的桩间距 %.3f m 取整后小于最小桩间距 %.3f m",
                                       k + 1, layout.spacing, item.minPileSpacing));
}

// What 20 rows at the least spacing carry: the most a candidate could.
float mostResistance(const CSlideCalcData& item, int k) {
    const float sMin = std::max(item.minPileSpacing, kLeastSpacing);
    float R = 0.0f;
    for (int r = 0; r < kMaxRows; ++r) R += (item.pileKinds[k].capacity / sMin) * item.rowFactor[r];
    return R;
}

}  // namespace

int ReportPileDesigns(const CSlideCalcData& item, ReportWriter& report, float H,
                      const DesignEnv& env) {
    DesignFacts facts;
    facts.kind = DesignFacts::Kind::Piles;
    facts.H = H;
    const int candidates = std::clamp(item.pileKindCount, 0, CSlideCalcData::kMaxPileKinds);
    // Each candidate differs from the item only in spacing and rows, so one
    // working copy serves them all.
    CSlideCalcData work = item;
    bool anyLaidOut = false;
    for (int k = 0; k < candidates; ++k) {
        report.printf("\n    采用第 %d 种桩时\n", k + 1);
        const PileLayout layout = LayoutPileRows(item, k, H);
        anyLaidOut = anyLaidOut || layout.found;
        if (layout.found) noteEdges(item, k, layout, facts);
        if (!layout.found &&
            (facts.closestKind < 0 || mostResistance(item, k) > facts.closestResistance)) {
            facts.closestKind = k;
            facts.closestResistance = mostResistance(item, k);
        }
        PileCandidate candidate{k, layout.found, layout.rows, layout.spacing, 0.0f};
        if (layout.found) {
            work.pileSpacing = layout.spacing;
            work.pileRows = layout.rows;
            candidate.resistance = PileResistance(work, k);
            report.printf("    布置 %d 排，桩间距 %s(m)，则可提供的抗滑力为:  %s(kN)\n",
                          layout.rows, Fixed3(layout.spacing).c_str(),
                          Fixed3(candidate.resistance).c_str());
            ReportQuantities(work, report, QuantityPiles, 0.0f, k, env.quantities);
        } else {
            report.printf("    布置 20 排，桩间距取最小值 %s(m)，仍然不能达到要求 !\n",
                          Fixed3(item.minPileSpacing).c_str());
        }
        facts.candidates.push_back(candidate);
        if (!searchGoesOn(env.options, k + 1, candidates)) {
            finish(env, k + 1, SearchStop::Cancelled, "cancelled");
            return 0;
        }
    }
    finish(env, candidates, SearchStop::Exhausted, "every candidate pile kind laid out",
           !anyLaidOut);
    if (env.summary) env.summary->design = std::move(facts);
    return 1;
}

int DesignPiles(const CSlideCalcData& item, ReportWriter& report, const DesignEnv& env) {
    report.printf("自动设计抗滑桩\n");
    report.printf("    计算抗滑桩所承受的滑坡推力\n\n");
    float theta = 0.0f, bermArea = 0.0f, trimmedArea = 0.0f;
    const float T =
        ComputeThrust(item, nullptr, &theta, &bermArea, &trimmedArea, env.residualThrust);
    // H = T cos θ; a thrust pointing away from the piles loads them with nothing.
    float H = T * std::cos(theta);
    if (H < 0.0f) H = 0.0f;
    report.printf("    单位米宽滑坡推力的水平分量       = %s(kN)\n", Fixed3(H).c_str());
    return ReportPileDesigns(item, report, H, env);
}
