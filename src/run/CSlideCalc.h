// One calculation run's object: it points to the item whose residual thrust it
// records, carries the pile data and solver of the pile-force target, writes
// the report head and dispatches to the goal's and target's operation.
#pragma once

#include "piles/PileData.h"
#include "piles/PileSolver.h"
#include "run/Plausibility.h"
#include "run/RunResult.h"
#include "run/RunOptions.h"
#include "platform/Sinks.h"

class CSlideCalcData;
class ReportWriter;
struct SupplementFacts;
struct WorkContext;

// The part of a report that depends on the item alone: the head with the
// item's name and sketch, the input echo and the result head. A report that
// starts with it was calculated from the item as it stands.
void WriteReportHead(const CSlideCalcData& item, ReportWriter& report);

// Tells "计算成功 !" (201) or "计算失败 !" (301).
void TellRunOutcome(StatusSink& status, bool succeeded);

class CSlideCalc {
  public:
    // ctx gives the status sink the run tells its outcome to; it must outlive
    // the object.
    explicit CSlideCalc(const WorkContext& ctx);

    // The whole calculation of item into report: head, input echo, the
    // operation of its goal and target. Tells its outcome (TellRunOutcome)
    // unless the run options say not to, and returns the operation's result,
    // 1 for success.
    int RunItem(CSlideCalcData& item, ReportWriter& report);

    // The thrust report of check target 1. Returns 1.
    int ReportThrust(CSlideCalcData& item, ReportWriter& report);

    // The thrust pass over item (the item being run or a working copy of it);
    // the boundary forces always go to the residualThrust of the item being
    // run, so that its curve shows the last trial. Without a run item they go
    // nowhere. Returns the raw residual force at the thrust position.
    float ComputeThrust(const CSlideCalcData& item, ReportWriter* report, float* angle,
                        float* bermArea, float* trimmedArea);

    // The item being run; null before RunItem.
    CSlideCalcData* item() const { return m_item; }
    void setItem(CSlideCalcData* item) { m_item = item; }

    const WorkContext& context() const { return m_ctx; }
    StatusSink& status() const;

    // How the back-calculations and designs of this run report progress and
    // are cancelled; empty: they run to their end unwatched.
    const SearchOptions& searchOptions() const { return m_options.search; }
    void setSearchOptions(SearchOptions options) { m_options.search = std::move(options); }

    // The run's choices: its searches, and whether the report ends with the
    // supplement (the default).
    const RunOptions& runOptions() const { return m_options; }
    void setRunOptions(RunOptions options) { m_options = std::move(options); }
    // How the run's auto-design ended; NotRun for the checks.
    SearchSummary& designSummary() { return m_designSummary; }

    // What the run found of its own results (set by RunItem).
    const Plausibility& plausibility() const { return m_plausibility; }
    // The run's figures, filled by RunItem and the operations it dispatches to.
    const RunResult& result() const { return m_result; }
    RunResult& result() { return m_result; }

    CPile_ShuJu& pileData() { return m_pileData; }
    PileSolver& pileSolver() { return m_pileSolver; }

  private:
    // The figures of the supplement and of the operation, into m_result.
    void recordFigures(const CSlideCalcData& item, const SupplementFacts& facts);

    const WorkContext& m_ctx;
    // A context without a status sink still runs; nobody hears the outcome.
    mutable NullSinks m_noStatus;
    CSlideCalcData* m_item = nullptr;
    RunOptions m_options;
    SearchSummary m_designSummary;
    Plausibility m_plausibility;
    RunResult m_result;
    CPile_ShuJu m_pileData;
    PileSolver m_pileSolver;
};
