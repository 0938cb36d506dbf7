// One table over the items of a project: what each calculates, the thrust and
// stability factor, the design chosen, quantities, cost and time, and whether
// the run succeeded. Figures come from the result file the item's last run
// wrote beside its report when that run had the item as it stands, else from
// a fresh run made in a scratch directory; the project's files are only read.
#pragma once

#include "run/RunResult.h"

#include <functional>
#include <string>
#include <vector>

class CSlideCalcData;
struct WorkContext;

struct SummaryItem {
    int number = 0;        // the item number of the project
    std::string fileBase;  // "&TLVR_0001": data file fileBase + ".dat" in the work path
};

// Every figure is text as the report prints it; empty where it does not apply.
struct SummaryRow {
    int number = 0;
    std::string description, target;
    std::string thrustX, thrust, thrustAngle, fs, fsState;
    std::string pileKind, pileRows, pileSpacing, berm, unloadY;
    std::string pileCount, bermVolume, unloadVolume, cost, labour, days;
    bool succeeded = false;
    std::string outcome;  // "计算成功", "计算失败", or why the item could not be run
    std::string source;   // "计算书" (the last run's result file) or "重新计算"
    std::vector<std::string> told;  // what a fresh run told, in order
};

// A fresh run of item in the scratch context, telling its statuses and
// messages into told, in order.
using SummaryCalculate = std::function<RunResult(const WorkContext& scratch, CSlideCalcData& item,
                                                 std::vector<std::string>& told)>;

// The rows in the order of items, calculated on up to `threads` threads (0:
// one per core). The rows do not depend on the number of threads. An item
// whose result file is current is read, never run; the others are run by
// calculate (by default as the calculate command runs an item).
std::vector<SummaryRow> SummarizeProject(const WorkContext& ctx,
                                         const std::vector<SummaryItem>& items, int threads,
                                         const SummaryCalculate& calculate = {});
