// What a design search needs of the run around it: where the project's files
// go and who hears a refusal, where each trial's boundary forces land, and how
// the search is watched and stopped.
#pragma once

#include "engine/SearchOptions.h"
#include "piles/Quantities.h"

#include <vector>

struct WorkContext;

struct DesignEnv {
    // Work path of the drawings and the message sink; null: no drawings, no box.
    const WorkContext* ctx = nullptr;
    // The run's item curve; every trial writes its boundary forces there, so
    // the curve drawn after the run shows the last trial. May be null.
    float* residualThrust = nullptr;
    SearchOptions options;
    SearchSummary* summary = nullptr;  // filled when given
    // The quantity sections the design writes, when given.
    std::vector<QuantityTotals>* quantities = nullptr;
};
