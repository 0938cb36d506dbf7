// The checks in the order of the run: where the piles stand, what the pile
// solver gave, where the designs ended.
#include "run/Plausibility.h"

#include "data/CSlideCalcData.h"
#include "data/InputRanges.h"
#include "platform/PrintfFormat.h"
#include "run/CSlideCalc.h"
#include "run/RunTargets.h"

#include <cmath>

namespace {

// The targets that compute at the first pile row and nowhere else.
bool computesAtPiles(const CSlideCalcData& item) {
    if (item.goal == kGoalCheck) return item.checkTarget == 0 || item.checkTarget == 2;
    return item.goal == kGoalDesign && item.designTarget == 0;
}

void pileRowCheck(const CSlideCalcData& item, Plausibility& out) {
    if (item.usePiles == 0) return;
    const SlipExtent e = SlipSurfaceExtent(item);
    if (item.pileX >= e.toe && item.pileX <= e.crest) return;
    const std::string text =
        stringPrintf("第一排桩的定位坐标 X = %.3fm 在滑面范围 %.3f~%.3fm 之外，桩不在滑体中",
                     item.pileX, e.toe, e.crest);
    if (computesAtPiles(item))
        out.errors.push_back(text + "，桩处的滑坡推力没有意义");
    else
        out.warnings.push_back(text + "，推力计至滑面端点");
}

bool finite(const PileForcePoint& p) {
    for (float v :
         {p.depth, p.soilReaction, p.shearA, p.shearB, p.momentA, p.momentB, p.displacement})
        if (!std::isfinite(v)) return false;
    return true;
}

void pileSolutionCheck(const CSlideCalcData& item, CSlideCalc& calc, Plausibility& out) {
    if (!(item.goal == kGoalCheck && item.checkTarget == 2)) return;
    const std::vector<PileForcePoint>& points = calc.pileSolver().points();
    if (points.empty()) return;
    for (const PileForcePoint& p : points) {
        if (finite(p)) continue;
        out.errors.push_back(
            stringPrintf("桩身内力的解在距桩顶 %.3fm 处有非有限的数 (NaN 或无穷大)，结果没有意义",
                         static_cast<double>(p.depth)));
        return;
    }
    // The solver's sign is the negative of the report's; the size is what counts.
    const float top = std::fabs(points.front().displacement);
    if (top > kMostPileTopDisplacement)
        out.warnings.push_back(stringPrintf(
            "桩顶位移 %.1f mm 超过 %.0f mm，弹性地基梁的解已不可信；请检查桩的尺寸 (以 cm 计) "
            "和地基系数",
            static_cast<double>(top), static_cast<double>(kMostPileTopDisplacement)));
}

}  // namespace

Plausibility CheckPlausibility(const CSlideCalcData& item, CSlideCalc& calc) {
    Plausibility out;
    pileRowCheck(item, out);
    pileSolutionCheck(item, calc, out);
    if (const auto& design = calc.designSummary().design)
        out.warnings.insert(out.warnings.end(), design->edges.begin(), design->edges.end());
    return out;
}
