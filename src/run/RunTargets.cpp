// The dispatch table of the run. Each subsystem's operation is adapted here to
// the common signature, so the run itself never names a target.
#include "run/RunTargets.h"

#include "data/CSlideCalcData.h"
#include "run/CSlideCalc.h"
#include "run/PileForces.h"
#include "run/SearchTargets.h"

namespace {

// Adapters, one per target, taking the run's object for the engine's item.
int runThrustReport(CSlideCalc& calc, CSlideCalcData& item, ReportWriter& report) {
    return calc.ReportThrust(item, report);
}

int runPileForces(CSlideCalc& calc, CSlideCalcData& item, ReportWriter& report) {
    return ComputePileForces(calc, item, &report);
}

// checkTarget: 0 pile safety factor, 1 landslide thrust, 2 pile internal
// forces, 3 φ from c, 4 c from φ; designTarget: 0 piles, 1 berm, 2 unloading.
const RunTarget kTargets[] = {
    {kGoalCheck, 0, "计算抗滑桩安全系数", &runPileSafety},
    {kGoalCheck, 1, "计算滑坡推力", &runThrustReport},
    {kGoalCheck, 2, "计算抗滑桩桩身内力", &runPileForces},
    {kGoalCheck, 3, "已知C反算φ", &runBackCalcPhi},
    {kGoalCheck, 4, "已知φ反算C", &runBackCalcC},
    {kGoalDesign, 0, "自动设计抗滑桩", &runDesignPiles},
    {kGoalDesign, 1, "自动设计反压码", &runDesignBerm},
    {kGoalDesign, 2, "自动设计刷方减载", &runDesignUnloading},
};

}  // namespace

std::span<const RunTarget> RunTargets() {
    return kTargets;
}

const RunTarget* FindRunTarget(int goal, int target) {
    for (const RunTarget& t : kTargets)
        if (t.goal == goal && t.target == target) return &t;
    return nullptr;
}
