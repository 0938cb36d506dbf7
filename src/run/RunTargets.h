// The operations a run dispatches to, one entry per goal and target. A target
// joins the run by adding one line to the table in RunTargets.cpp; a target
// without an entry makes the run fail, it never gets a made-up result.
#pragma once

#include <span>

class CSlideCalc;
class CSlideCalcData;
class ReportWriter;

// goal values
inline constexpr int kGoalCheck = 0;
inline constexpr int kGoalDesign = 1;

// An operation writes its results into report and returns 1 for success.
using RunTargetFn = int (*)(CSlideCalc& calc, CSlideCalcData& item, ReportWriter& report);

struct RunTarget {
    int goal;    // kGoalCheck or kGoalDesign
    int target;  // checkTarget for a check, designTarget for a design
    const char* what;
    RunTargetFn run;
};

std::span<const RunTarget> RunTargets();

// The entry for the item's goal and target; null when none has been provided.
const RunTarget* FindRunTarget(int goal, int target);
