// What the caller of a run chooses besides the item: how its searches are
// watched, and whether the report ends with the program's supplement.
#pragma once

#include "engine/SearchOptions.h"

#include <functional>
#include <string>
#include <utility>

struct CalcRunResult;

struct RunOptions {
    // A run given only search options keeps every other choice at its default.
    RunOptions(SearchOptions searchOptions = {}) : search(std::move(searchOptions)) {}

    SearchOptions search;
    // The section "[本程序补充]" after the report; off, the report keeps the
    // original layout line for line.
    bool supplement = true;
    // The data file the item was read from (or is to be written to); the
    // item's reinforcement settings lie beside it. Empty: the item's own
    // file name.
    std::string itemPath;
    // The supplement shows the labelled sketch the caller writes after the
    // run (RunCalculation does); a bare run has no such drawing.
    bool labelledSketch = false;
    // Off, the run leaves its outcome untold, for a caller that has files of
    // its own to write first and then tells it with TellRunOutcome.
    bool tellOutcome = true;
    // Makes the saved report what its reader opens (the front ends expand its
    // drawings into pictures); the reason when that failed, else empty. The
    // run tells its outcome only after this, so that "计算成功" means the
    // finished report is on disk. Unset, the report stays as the run saved it.
    std::function<std::string(const CalcRunResult& run)> finishReport;
};
