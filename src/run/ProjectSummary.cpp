// The project summary: one row per item, each from the item's report or a
// fresh run, items spread over worker threads by an atomic counter. A row
// depends only on its item, so the table is the same for any thread count.
#include "run/ProjectSummary.h"

#include "data/CSlideCalcData.h"
#include "platform/FigureFormat.h"
#include "platform/LineReader.h"
#include "platform/PrintfFormat.h"
#include "platform/ScratchDir.h"
#include "platform/ReportWriter.h"
#include "platform/WorkContext.h"
#include "run/CSlideCalc.h"
#include "run/RunResultFile.h"
#include "run/ResultNames.h"
#include "run/RunTargets.h"

#include <atomic>
#include <algorithm>
#include <filesystem>
#include <system_error>
#include <thread>

namespace {

// Statuses and messages of one fresh run, kept for the row.
class RowSinks : public StatusSink, public MessageSink {
  public:
    explicit RowSinks(std::vector<std::string>& told) : m_told(told) {}
    void tell_error(int code, const std::string& text) override {
        // Not "[" + std::to_string(code): that trips a false -Wrestrict in g++ 12.
        m_told.push_back(stringPrintf("[%d] %s", code, text.c_str()));
    }
    void message(const std::string& text) override { m_told.push_back(text); }
    bool question(const std::string& text, bool defaultAnswer) override {
        m_told.push_back(text);
        return defaultAnswer;
    }

  private:
    std::vector<std::string>& m_told;
};

std::string targetName(const CSlideCalcData& item) {
    const int target = item.goal == kGoalCheck ? item.checkTarget : item.designTarget;
    const RunTarget* t = FindRunTarget(item.goal, target);
    return t ? t->what : "未知的计算目标";
}

// The figures the item's last run left beside its report, when that run had
// the item as it stands.
std::optional<RunResult> recordedResult(const WorkContext& ctx, const CSlideCalcData& item) {
    const std::optional<std::string> bytes =
        readFileBytes(workFile(ctx, RunResultFileName(item)), kMaxResultFileBytes, nullptr);
    return bytes ? ParseRunResult(*bytes, RunInputMark(item)) : std::nullopt;
}

// A run as the calculate command makes it; only the charts of pile forces and
// designs are written, into the scratch directory.
RunResult freshResult(const WorkContext& scratch, CSlideCalcData& item,
                      std::vector<std::string>& told) {
    RowSinks sinks(told);
    WorkContext run = scratch;
    run.status = &sinks;
    run.messages = &sinks;
    CSlideCalc calc(run);
    ReportWriter report;
    calc.RunItem(item, report);
    return calc.result();
}

// Totals add what the engineer reads.
double printed(float v) {
    return Printed(Fixed3, v);
}

// The cheapest pile section, material and labour; null without one.
const QuantityTotals* chosenPiles(const RunResult& r) {
    const QuantityTotals* best = nullptr;
    for (const QuantityTotals& q : r.quantities)
        if (q.what == QuantityPiles && (!best || printed(q.cost) + printed(q.labour) <
                                                     printed(best->cost) + printed(best->labour)))
            best = &q;
    return best;
}

// The last section of a berm or unloading.
const QuantityTotals* lastOf(const RunResult& r, int what) {
    const QuantityTotals* last = nullptr;
    for (const QuantityTotals& q : r.quantities)
        if (q.what == what) last = &q;
    return last;
}

// The design of a design target as the run found it; of a check, the
// countermeasures as entered.
void fillDesign(const CSlideCalcData& item, const RunResult& r, SummaryRow& row) {
    const bool design = item.goal == kGoalDesign;
    const QuantityTotals* piles = chosenPiles(r);
    if (piles) {
        row.pileKind = std::to_string(piles->pileKind + 1);
        row.pileRows = std::to_string(piles->rows);
        row.pileSpacing = Fixed3(piles->spacing);
        row.pileCount = std::to_string(piles->count);
    }
    if (!design && item.usePiles) {
        if (row.pileKind.empty()) row.pileKind.assign(1, '1');  // the first candidate
        row.pileRows = std::to_string(item.pileRows);
        row.pileSpacing = Fixed3(item.pileSpacing);
    }
    const std::string found = r.designFound ? Fixed3(r.designValue) : "";
    row.berm = design && item.designTarget == 1
                   ? (found.empty() ? "" : (r.bermByPosition ? "X0=" : "H=") + found)
               : item.useBerm ? "H=" + Fixed3(item.bermH)
                              : "";
    row.unloadY = design && item.designTarget == 2 ? found
                  : item.useUnload                 ? Fixed3(item.unloadY)
                                                   : "";
    const QuantityTotals* berm = lastOf(r, QuantityBerm);
    const QuantityTotals* unload = lastOf(r, QuantityUnload);
    if (berm) row.bermVolume = Fixed3(berm->volume);
    if (unload) row.unloadVolume = Fixed3(unload->volume);
    if (piles) row.cost = Fixed3(printed(piles->cost));
    double labour = 0.0, days = 0.0;
    for (const QuantityTotals* q : {piles, berm, unload})
        if (q) labour += printed(q->labour), days += printed(q->days);
    if (piles || berm || unload) row.labour = Fixed3(labour), row.days = Fixed3(days);
}

SummaryRow summarizeItem(const WorkContext& ctx, const std::string& scratch, const SummaryItem& it,
                         const SummaryCalculate& calculate) {
    SummaryRow row;
    row.number = it.number;
    CSlideCalcData item;
    const std::string dataFile = workFile(ctx, it.fileBase + ".dat");
    if (!item.ReadDataFile(dataFile)) {
        row.outcome = "数据文件无法读取";
        return row;
    }
    row.description = item.name();
    row.target = targetName(item);
    SetResultFileNames(item, it.fileBase);
    std::optional<RunResult> r = recordedResult(ctx, item);
    row.source = "计算书";
    if (!r && scratch.empty()) {
        row.outcome = "无法建立临时目录，未能计算";
        return row;
    }
    if (!r) {
        WorkContext run = ctx;
        run.G_strWorkPath = scratch;
        r = (calculate ? calculate : freshResult)(run, item, row.told);
        row.source = "重新计算";
    }
    row.thrustX = Fixed3(r->thrustX), row.thrust = Fixed3(r->thrust);
    row.thrustAngle = Fixed3(r->thrustAngle);
    row.fs = ImplicitFsText(r->fsOutcome, r->fs), row.fsState = r->fsState;
    row.succeeded = r->succeeded;
    row.outcome = r->succeeded ? "计算成功" : "计算失败";
    fillDesign(item, *r, row);
    return row;
}

}  // namespace

std::vector<SummaryRow> SummarizeProject(const WorkContext& ctx,
                                         const std::vector<SummaryItem>& items, int threads,
                                         const SummaryCalculate& calculate) {
    std::vector<SummaryRow> rows(items.size());
    ScratchDir scratch;
    std::atomic<size_t> next{0};
    auto work = [&] {
        for (size_t i = next++; i < items.size(); i = next++)
            rows[i] = summarizeItem(ctx, scratch.path(), items[i], calculate);
    };
    if (threads <= 0) threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    std::vector<std::thread> pool;
    try {
        for (int t = 1; t < threads && t < static_cast<int>(items.size()); ++t)
            pool.emplace_back(work);
    } catch (const std::system_error&) {
        // Fewer threads than asked: the ones started and this one share the rest.
    }
    work();
    for (std::thread& t : pool) t.join();
    return rows;
}
