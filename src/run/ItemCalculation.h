// Calculating an item of a project as the calculation window's "计算" and
// `talvor-cli project DIR calc` do: the run writes the result files, and the
// item's data file is written back with its result views, so that the item
// list shows them.
#pragma once

#include "data/ItemOpening.h"
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

// An item calculated from its data file, as `talvor-cli calc` and `project
// DIR calc` do: the file opened with what the reader guessed told to
// ctx.status, refused when strict and read with guesses, the work path made
// when missing, the item run with its result files named after the data
// file, and the data file written back when asked unless read with guesses.
enum class ItemFileOutcome {
    Calculated,
    Unreadable,
    Refused,        // strict, and the reader had to guess: not calculated
    NoWorkPath,     // the work path could not be made
    NotWrittenBack  // calculated, but the data file could not be written back
};
struct ItemFileCalculation {
    ItemFileOutcome outcome = ItemFileOutcome::Unreadable;
    std::string name;  // the item's description
    OpenedItem opened;
    ItemCalculation calc;  // when calculated
    // 2 unreadable or refused, 1 no work path or not written back, else the
    // run's CalcExitStatus.
    int status = 2;
};
ItemFileCalculation CalculateItemFile(const std::string& dataFile, const WorkContext& ctx,
                                      bool strict, bool writeBack, RunOptions options);

// Exit statuses of talvor-cli besides 0 success, 1 failed and 2 input
// unreadable: 3 an auto-design found no case that meets the requirement (or a
// table edit was refused), 4 a result that means nothing (a pile row outside
// the slope, a pile solution that is not finite: the run failed for that),
// 5 a run that succeeded with a result that needs a look (a pile top moving
// more than a metre, a design winner at the edge of its range).
inline constexpr int kNoDesignSatisfiesStatus = 3;
inline constexpr int kImplausibleStatus = 4;
inline constexpr int kWarnedStatus = 5;

// The status one calculation exits with: 1 failed (4 when it failed because
// its result means nothing), 3 no design meets the requirement, 5 succeeded
// with warnings on its result, else 0.
int CalcExitStatus(const CalcRunResult& run);
// The status of several calculations: the one that weighs most, in the order
// 2 unreadable, 1 failed, 4 implausible, 3 no design, 5 warned, 0.
int WorseStatus(int a, int b);
