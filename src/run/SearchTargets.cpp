// Adapters from the run's dispatch signature to the check and design operations.
#include "run/SearchTargets.h"

#include "data/CSlideCalcData.h"
#include "designs/BermDesign.h"
#include "designs/PileDesign.h"
#include "designs/UnloadingDesign.h"
#include "engine/BackCalc.h"
#include "piles/PileSafety.h"
#include "run/CSlideCalc.h"

namespace {

// The boundary forces of every pass go to the item being run, so that its
// residual-thrust curve shows the last trial.
float* runCurve(const CSlideCalc& calc) {
    return calc.item() ? calc.item()->residualThrust.data() : nullptr;
}

DesignEnv designEnv(CSlideCalc& calc) {
    DesignEnv env;
    env.ctx = &calc.context();
    env.residualThrust = runCurve(calc);
    env.options = calc.searchOptions();
    env.summary = &calc.designSummary();
    env.quantities = &calc.result().quantities;
    return env;
}

}  // namespace

int runPileSafety(CSlideCalc& calc, CSlideCalcData& item, ReportWriter& report) {
    RunResult& r = calc.result();
    float factor = 0.0f;
    const int done = CheckPileSafety(item, report, runCurve(calc), &r.quantities, &factor);
    r.pileSafety = factor;
    return done;
}

int runBackCalcPhi(CSlideCalc& calc, CSlideCalcData& item, ReportWriter& report) {
    float found = 0.0f;
    const int done =
        BackCalcPhi(item, report, runCurve(calc), calc.searchOptions(), nullptr, &found);
    if (done) calc.result().strength = found;
    return done;
}

int runBackCalcC(CSlideCalc& calc, CSlideCalcData& item, ReportWriter& report) {
    float found = 0.0f;
    const int done = BackCalcC(item, report, runCurve(calc), calc.searchOptions(), nullptr, &found);
    if (done) calc.result().strength = found;
    return done;
}

int runDesignPiles(CSlideCalc& calc, CSlideCalcData& item, ReportWriter& report) {
    return DesignPiles(item, report, designEnv(calc));
}

int runDesignBerm(CSlideCalc& calc, CSlideCalcData& item, ReportWriter& report) {
    return DesignBerm(item, report, designEnv(calc));
}

int runDesignUnloading(CSlideCalc& calc, CSlideCalcData& item, ReportWriter& report) {
    return DesignUnloading(item, report, designEnv(calc));
}
