// Calculating an item of a project as the calculation window's "计算" and
// `talvor-cli project DIR calc` do: the run writes the result files, and the
// item's data file is written back with its result views, so that the item
// list shows them.
#pragma once

#include "run/CalcRun.h"

#include <string>

struct ItemCalculation {
    CalcRunResult run;
    bool dataWritten = false;  // the data file now holds the item as calculated
};

// Runs item with its result files named from fileBase in the work path. The
// data file (fileBase + ".dat") is written back unless writeBack is false
// (a file read with guesses is left as it is), before the front end's
// finishing of the report (options.finishReport) and before the run tells its
// outcome, so that "计算成功" finds every file on disk. options.itemPath
// defaults to the data file.
ItemCalculation CalculateAndWriteBack(CSlideCalcData& item, const WorkContext& ctx,
                                      const std::string& fileBase, bool writeBack,
                                      RunOptions options);
