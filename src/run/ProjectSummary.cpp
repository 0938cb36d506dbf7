// The project summary: one row per item, each from the item's report or a
// fresh run, items spread over worker threads by an atomic counter. A row
// depends only on its item, so the table is the same for any thread count.
#include "run/ProjectSummary.h"

#include "data/CSlideCalcData.h"
#include "platform/LineReader.h"
#include "platform/PrintfFormat.h"
#include "platform/ScratchDir.h"
#include "platform/ReportWriter.h"
#include "platform/TextEncoding.h"
#include "platform/WorkContext.h"
#include "run/CSlideCalc.h"
#include "run/ReportDigest.h"
#include "run/ResultNames.h"
#include "run/RunTargets.h"

#include <atomic>
#include <algorithm>
#include <cstdlib>
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

// Whether the report was written when the data file already held what it
// holds now. The calculation writes the data file before the report; times
// that are equal count as one moment, as file times are coarse.
bool reportNotOlder(const std::string& report, const std::string& dataFile) {
    std::error_code ec1, ec2;
    auto reportTime = std::filesystem::last_write_time(report, ec1);
    auto dataTime = std::filesystem::last_write_time(dataFile, ec2);
    return !ec1 && !ec2 && reportTime >= dataTime;
}

// The item's report as text when it was calculated from the item as it
// stands (written after its data file, its head and input echo what the item
// gives now) and carries the supplement; else empty.
std::string currentReport(const WorkContext& ctx, const CSlideCalcData& item,
                          const std::string& dataFile, const ReportTextReader& reportText) {
    const std::string path = workFile(ctx, item.GetRtfFileName(0));
    if (!reportNotOlder(path, dataFile)) return {};
    std::optional<std::string> bytes = readFileBytes(path, kMaxReportBytes, nullptr);
    if (!bytes) return {};
    std::string report = reportText ? reportText(*bytes) : decodeFileText(*bytes);
    ReportWriter written;
    WriteReportHead(item, written);
    const std::string head = reportText ? reportText(written.utf8()) : written.utf8();
    if (!report.starts_with(head) || report.find("\n[本程序补充]\n") == std::string::npos)
        return {};
    return report;
}

// The report of a run as the calculate command makes it; only the charts of
// pile forces and designs are written, into the scratch directory.
std::string freshReport(const WorkContext& ctx, const std::string& scratch, CSlideCalcData item,
                        SummaryRow& row) {
    RowSinks sinks(row.told);
    WorkContext run = ctx;
    run.G_strWorkPath = scratch;
    run.status = &sinks;
    run.messages = &sinks;
    CSlideCalc calc(run);
    ReportWriter report;
    calc.RunItem(item, report);
    return report.utf8();
}

double number(const std::string& text) {
    return std::strtod(text.c_str(), nullptr);
}

// Sum of the figures present, "%.3f"; empty when none is.
std::string total(std::initializer_list<const std::string*> parts) {
    double sum = 0.0;
    bool any = false;
    for (const std::string* p : parts)
        if (!p->empty()) sum += number(*p), any = true;
    return any ? stringPrintf("%.3f", sum) : std::string();
}

// The pile section a design chose: the cheapest candidate, material and labour.
const ReportDigest::Piles* chosenPiles(const ReportDigest& d) {
    const ReportDigest::Piles* best = nullptr;
    for (const ReportDigest::Piles& p : d.piles)
        if (!best || number(p.cost) + number(p.labour) < number(best->cost) + number(best->labour))
            best = &p;
    return best;
}

// The design of a design target as the report found it; of a check, the
// countermeasures as entered.
void fillDesign(const CSlideCalcData& item, const ReportDigest& d, SummaryRow& row) {
    const bool design = item.goal == kGoalDesign;
    const ReportDigest::Piles* piles = chosenPiles(d);
    if (piles) {
        row.pileKind = piles->kind;
        row.pileRows = piles->rows;
        row.pileSpacing = piles->spacing;
        row.pileCount = piles->count;
    }
    if (!design && item.usePiles) {
        if (row.pileKind.empty()) row.pileKind.assign(1, '1');  // the first candidate
        row.pileRows = std::to_string(item.pileRows);
        row.pileSpacing = stringPrintf("%.3f", item.pileSpacing);
    }
    row.berm = design && item.designTarget == 1 ? d.bermFound
               : item.useBerm                   ? stringPrintf("H=%.3f", item.bermH)
                                                : "";
    row.unloadY = design && item.designTarget == 2 ? d.unloadFound
                  : item.useUnload                 ? stringPrintf("%.3f", item.unloadY)
                                                   : "";
    row.bermVolume = d.bermVolume;
    row.unloadVolume = d.unloadVolume;
    const std::string none;
    row.cost = piles ? total({&piles->cost}) : "";
    row.labour = total({piles ? &piles->labour : &none, &d.bermLabour, &d.unloadLabour});
    row.days = total({piles ? &piles->days : &none, &d.bermDays, &d.unloadDays});
}

SummaryRow summarizeItem(const WorkContext& ctx, const std::string& scratch, const SummaryItem& it,
                         const ReportTextReader& reportText) {
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
    std::string report = currentReport(ctx, item, dataFile, reportText);
    row.source = "计算书";
    if (report.empty() && scratch.empty()) {
        row.outcome = "无法建立临时目录，未能计算";
        return row;
    }
    if (report.empty()) {
        report = freshReport(ctx, scratch, item, row);
        row.source = "重新计算";
    }
    const ReportDigest d = ReadReportDigest(report);
    row.thrustX = d.thrustX, row.thrust = d.thrust, row.thrustAngle = d.thrustAngle;
    row.fs = d.fs, row.fsState = d.fsState;
    row.succeeded = d.outcome == "计算成功";
    row.outcome = d.outcome.empty() ? "计算失败" : d.outcome;
    fillDesign(item, d, row);
    return row;
}

}  // namespace

std::vector<SummaryRow> SummarizeProject(const WorkContext& ctx,
                                         const std::vector<SummaryItem>& items, int threads,
                                         const ReportTextReader& reportText) {
    std::vector<SummaryRow> rows(items.size());
    ScratchDir scratch;
    std::atomic<size_t> next{0};
    auto work = [&] {
        for (size_t i = next++; i < items.size(); i = next++)
            rows[i] = summarizeItem(ctx, scratch.path(), items[i], reportText);
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
