// Berm and unloading sweep: trials on one working copy, then the report.
#include "designs/SweepDesign.h"

#include "designs/DesignDrawings.h"
#include "designs/TrialSweep.h"
#include "engine/SweepMemo.h"
#include "engine/ThrustPass.h"
#include "piles/PileResistance.h"
#include "piles/Quantities.h"
#include "platform/ReportWriter.h"

#include <cmath>
#include <memory>

namespace {

void drawSweep(const CSlideCalcData& item, const DesignEnv& env, const SweepDesignKind& kind,
               const TrialSweep& sweep) {
    if (!env.ctx) return;
    SweepChart chart;
    chart.n = static_cast<int>(sweep.values.size());
    chart.values = sweep.values.data();
    chart.thrusts = sweep.thrusts.data();
    chart.volumes = sweep.volumes.data();
    chart.xLabel = kind.xLabel;
    chart.thrustLabel = "水平推力kN";
    chart.volumeLabel = kind.volumeLabel;
    WriteDesignSweepDrawing(*env.ctx, item, chart);
}

}  // namespace

float ReportPileCapacity(const CSlideCalcData& item, ReportWriter& report) {
    const float Rp = item.usePiles != 0 ? PileResistance(item, 0) : 0.0f;
    if (item.usePiles == 1) report.printf("    桩所能承受的最大的滑坡推力为 %.3f kN\n", Rp);
    return Rp;
}

int RunSweepDesign(const CSlideCalcData& item, ReportWriter& report, const DesignEnv& env,
                   const SweepDesignKind& kind, const CValueRange& range, float Rp) {
    const TrialPlan plan = PlanTrials(range);
    // A trial differs from the item only in the searched field, so one working
    // copy serves every trial; the thrust pass leaves it unchanged.
    CSlideCalcData trialRecord = item;
    auto memo = std::make_unique<SweepMemo>(kind.swept);
    auto trial = [&](float v) {
        trialRecord.*kind.field = v;
        float theta = 0.0f, bermArea = 0.0f, trimmedArea = 0.0f;
        const float T = ComputeSweptThrust(trialRecord, *memo, &theta, &bermArea, &trimmedArea,
                                           env.residualThrust);
        // Hx = T cos θ, not clamped: without piles only a negative Hx satisfies.
        return TrialOutcome{T * std::cos(theta), kind.volumeIsBerm ? bermArea : trimmedArea};
    };
    TrialSweep sweep;
    if (!RunTrialSweep(plan, Rp, trial, env.options, env.summary, &sweep)) return 0;

    drawSweep(item, env, kind, sweep);

    if (sweep.best < 0) {
        report.printf("      计算所有情况后，均不能满足要求\n");
        return 1;
    }
    CSlideCalcData best = item;
    best.*kind.field = sweep.values[sweep.best];
    report.printf(kind.resultLine, best.*kind.field);
    ReportQuantities(best, report, kind.quantities, sweep.bestVolume, 0);
    if (env.ctx) WriteBestTrialSketch(*env.ctx, item, best);
    return 1;
}
