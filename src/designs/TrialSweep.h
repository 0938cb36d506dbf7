// The sweep shared by the berm and unloading designs: trial values spaced
// evenly over a range, a thrust and a volume per trial, and the least volume
// among the trials whose horizontal thrust the piles can carry.
#pragma once

#include "engine/SearchOptions.h"

#include <functional>
#include <vector>

struct CValueRange;

inline constexpr int kMaxSweepTrials = 2000;

struct TrialPlan {
    float first = 0.0f;
    float step = 0.001f;
    int count = 2;  // 2 .. 2000
};

// step below 0.001 (or not a number) counts as 0.001; count = (max - min) / step
// in float, truncated, held to 1..1999 (NaN gives 1999), plus 1.
TrialPlan PlanTrials(const CValueRange& range);

// The trial value of trial i: first + i * step.
float TrialValue(const TrialPlan& plan, int i);

struct TrialOutcome {
    float thrust = 0.0f;  // horizontal thrust Hx at the thrust position (kN/m)
    float volume = 0.0f;  // berm or trimmed area (m2, i.e. m3 per metre width)
};

struct TrialSweep {
    std::vector<float> values, thrusts, volumes;  // one element per trial run
    int best = -1;                                // index of the winner, -1: none
    float bestVolume = 0.0f;
};

// Runs the plan: a trial satisfies when Hx < resistance (strictly); the first
// satisfying trial wins until a later one has a strictly smaller volume.
// false when the progress callback cancelled (the trials so far are kept).
bool RunTrialSweep(const TrialPlan& plan, float resistance,
                   const std::function<TrialOutcome(float)>& trial, const SearchOptions& options,
                   SearchSummary* summary, TrialSweep* sweep);
