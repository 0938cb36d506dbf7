// Back-calculation of one strength parameter of the slip surface (φ from a
// known c, or c from a known φ): the value at which the residual thrust at the
// thrust position vanishes, found by bisection and applied to every segment.
#pragma once

#include "engine/SearchOptions.h"

#include <functional>

class CSlideCalcData;
class ReportWriter;

enum class StrengthOutcome {
    StableAtZero,     // E(0) < 0: stable even without this strength
    UnstableAtBound,  // E(bound) > 0: unstable even at the upper bound
    Found,            // bisection converged, or ran its 100 steps
    Cancelled,        // stopped through the progress callback
};

struct StrengthResult {
    StrengthOutcome outcome = StrengthOutcome::Cancelled;
    float value = 0.0f;   // the strength the report line shows
    float thrust = 0.0f;  // the residual thrust E at that strength
};

// The search itself, on any thrust function E(v): E(0) < 0 settles at 0,
// E(bound) > 0 settles at the bound (an exact 0 settles neither), else at most
// 100 halvings until |E| < 0.001.
StrengthResult BisectZeroThrust(float bound, const std::function<float(float)>& thrustAt,
                                const SearchOptions& options, SearchSummary* summary);

// Check target 3: φ (degrees) from the item's c, searched in [0, maxPhi].
// Writes the title and one result line, whose strength goes to found when
// given. Each trial's boundary forces go to residualThrust (the run's item
// curve; may be null). 1, or 0 when cancelled.
int BackCalcPhi(const CSlideCalcData& item, ReportWriter& report, float* residualThrust,
                const SearchOptions& options = {}, SearchSummary* summary = nullptr,
                float* found = nullptr);

// Check target 4: c (kPa) from the item's φ, searched in [0, maxC].
int BackCalcC(const CSlideCalcData& item, ReportWriter& report, float* residualThrust,
              const SearchOptions& options = {}, SearchSummary* summary = nullptr,
              float* found = nullptr);
