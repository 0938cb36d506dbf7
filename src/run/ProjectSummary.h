// One table over the items of a project: what each calculates, the thrust and
// stability factor, the design chosen, quantities, cost and time, and whether
// the run succeeded. Figures come from the item's report when that report was
// calculated from the item as it stands, else from a fresh run made in a
// scratch directory; the project's files are only read.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

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
    std::string source;   // "计算书" (read back) or "重新计算"
    std::vector<std::string> told;  // what a fresh run told, in order
};

// The text of a report file's bytes as the report view shows it, pictures
// left out; the reader of the report files is the project subsystem's.
using ReportTextReader = std::function<std::string(std::string_view bytes)>;

// The rows in the order of items, calculated on up to `threads` threads (0:
// one per core). The rows do not depend on the number of threads. An item's
// report is read instead of a run when it is not older than the item's data
// file and its head and input echo are what the item gives now, both read
// through reportText (without one, reports are taken as plain text).
std::vector<SummaryRow> SummarizeProject(const WorkContext& ctx,
                                         const std::vector<SummaryItem>& items, int threads,
                                         const ReportTextReader& reportText = {});
