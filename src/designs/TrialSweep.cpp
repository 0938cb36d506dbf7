// Trial planning and the least-volume sweep.
#include "designs/TrialSweep.h"

#include "data/CSlideCalcData.h"

namespace {
// Steps finer than 1 mm (or 0.001 of any unit) are no design resolution.
constexpr float kLeastStep = 0.001f;
constexpr int kMaxIntervals = kMaxSweepTrials - 1;
}  // namespace

TrialPlan PlanTrials(const CValueRange& range) {
    TrialPlan plan;
    plan.first = range.minValue;
    plan.step = range.step >= kLeastStep ? range.step : kLeastStep;
    // n = (max - min) / step in float, truncated, held to 1..1999; the
    // negated comparison also sends NaN to the limit.
    const float intervals = (range.maxValue - range.minValue) / plan.step;
    int n;
    if (!(intervals < static_cast<float>(kMaxIntervals)))
        n = kMaxIntervals;
    else if (intervals < 1.0f)
        n = 1;
    else
        n = static_cast<int>(intervals);
    plan.count = n + 1;
    return plan;
}

float TrialValue(const TrialPlan& plan, int i) {
    return plan.first + static_cast<float>(i) * plan.step;
}

bool RunTrialSweep(const TrialPlan& plan, float resistance,
                   const std::function<TrialOutcome(float)>& trial, const SearchOptions& options,
                   SearchSummary* summary, TrialSweep* sweep) {
    sweep->values.clear();
    sweep->thrusts.clear();
    sweep->volumes.clear();
    sweep->values.reserve(plan.count);
    sweep->thrusts.reserve(plan.count);
    sweep->volumes.reserve(plan.count);
    sweep->best = -1;
    sweep->bestVolume = 0.0f;

    for (int i = 0; i < plan.count; ++i) {
        const float v = TrialValue(plan, i);
        const TrialOutcome out = trial(v);
        sweep->values.push_back(v);
        sweep->thrusts.push_back(out.thrust);
        sweep->volumes.push_back(out.volume);
        // Equal volumes keep the earlier, smaller trial value.
        if (out.thrust < resistance && (sweep->best < 0 || out.volume < sweep->bestVolume)) {
            sweep->best = i;
            sweep->bestVolume = out.volume;
        }
        if (!searchGoesOn(options, i + 1, plan.count)) {
            if (summary) *summary = {i + 1, SearchStop::Cancelled, "cancelled", false, {}};
            return false;
        }
    }
    if (summary)
        *summary = {plan.count,
                    SearchStop::Exhausted,
                    sweep->best >= 0 ? "least volume found" : "no trial satisfies",
                    sweep->best < 0,
                    {}};
    return true;
}
