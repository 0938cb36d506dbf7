// Berm and unloading sweep: trials on one working copy, then the report.
#include "designs/SweepDesign.h"

#include "designs/DesignDrawings.h"
#include "designs/TrialSweep.h"
#include "engine/SweepMemo.h"
#include "engine/ThrustPass.h"
#include "piles/PileResistance.h"
#include "piles/Quantities.h"
#include "platform/FigureFormat.h"
#include "platform/PrintfFormat.h"
#include "platform/ReportWriter.h"

#include <algorithm>
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

// The criterion, the winner and the closest trial, for the report's
// explanation; a winner on the first or last trial is an edge: the range may
// have stopped the search short of a better design.
DesignFacts sweepFacts(const SweepDesignKind& kind, const TrialSweep& sweep, float Rp) {
    DesignFacts f;
    f.kind = DesignFacts::Kind::Sweep;
    f.resistance = Rp;
    f.trials = static_cast<int>(sweep.values.size());
    if (f.trials == 0) return f;
    f.first = sweep.values.front();
    f.last = sweep.values.back();
    const auto least = std::min_element(sweep.thrusts.begin(), sweep.thrusts.end());
    f.closest = static_cast<int>(least - sweep.thrusts.begin());
    f.closestValue = sweep.values[f.closest];
    f.closestThrust = *least;
    if (sweep.best < 0) return f;
    f.best = sweep.best;
    f.bestValue = sweep.values[f.best];
    f.bestThrust = sweep.thrusts[f.best];
    f.bestVolume = sweep.bestVolume;
    const char* end = f.best == 0 ? "下限" : f.best == f.trials - 1 ? "上限" : nullptr;
    if (end)
        f.edges.push_back(stringPrintf(
            "满足要求且土方量最少的%s %s 是试算范围 %s~%s 的%s，范围之外可能有更好的方案，"
            "宜扩大范围重算",
            kind.xLabel, Fixed3(f.bestValue).c_str(), Fixed3(f.first).c_str(),
            Fixed3(f.last).c_str(), end));
    return f;
}

}  // namespace

float ReportPileCapacity(const CSlideCalcData& item, ReportWriter& report) {
    const float Rp = item.usePiles != 0 ? PileResistance(item, 0) : 0.0f;
    if (item.usePiles == 1)
        report.printf("    桩所能承受的最大的滑坡推力为 %s kN\n", Fixed3(Rp).c_str());
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
    const DesignFacts facts = sweepFacts(kind, sweep, Rp);
    if (env.summary) env.summary->design = facts;

    drawSweep(item, env, kind, sweep);

    if (facts.best < 0) {
        report.printf("      计算所有情况后，均不能满足要求\n");
        return 1;
    }
    CSlideCalcData best = item;
    best.*kind.field = facts.bestValue;
    report.printf(kind.resultLine, Fixed3(facts.bestValue).c_str());
    ReportQuantities(best, report, kind.quantities, sweep.bestVolume, 0, env.quantities);
    if (env.ctx) WriteBestTrialSketch(*env.ctx, item, best);
    return 1;
}
