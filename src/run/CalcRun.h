// The calculation of one item as the calculate command runs it: old result
// files deleted, the sketch written, the report built and saved as GBK, the
// residual-thrust curve written. Used by the desktop program and talvor-cli.
#pragma once

#include "run/Plausibility.h"
#include "run/RunOptions.h"
#include "run/RunResult.h"
#include "platform/ReportWriter.h"

#include <memory>
#include <string>

class CSlideCalcData;
class DrawingShelf;
struct WorkContext;

struct CalcRunResult {
    int result = 0;          // the operation's result, 1 for success
    int reportSaved = 0;     // 1 when the report file was written
    std::string reportPath;  // where the report file is (or was to be) written
    ReportWriter report;     // the report text as written
    // An auto-design that tried every case and found none that meets the
    // requirement; result is still 1, as the report is complete.
    bool noDesignSatisfies = false;
    // The drawings the run wrote, for the report's pictures.
    std::shared_ptr<DrawingShelf> drawings;
    // What the run found of its own results; an error also makes result 0.
    Plausibility plausibility;
    // The run's figures, also written beside the report (RunResultFile.h).
    RunResult figures;
};

// Runs item with its result files named from fileBase in ctx.G_strWorkPath.
// The item's result entries are set and its residualThrust filled; nothing
// else of it changes. The run's outcome is told after the report is saved;
// when it cannot be, the run is told as failed (301) with the reason, never
// as a success, and result is 0. options watch the run's searches and say
// whether the report ends with the supplement. The result file is written
// beside a saved report; one that cannot be written only means the project
// summary runs the item again.
CalcRunResult RunCalculation(CSlideCalcData& item, const WorkContext& ctx,
                             const std::string& fileBase, const RunOptions& options = {});
