// One calculation from the old result files to the new ones.
#include "run/CalcRun.h"

#include "data/CSlideCalcData.h"
#include "platform/AtomicFile.h"
#include "platform/DrawingShelf.h"
#include "platform/WorkContext.h"
#include "run/CSlideCalc.h"
#include "run/PileRebarSection.h"
#include "run/ResultDrawings.h"
#include "run/ResultNames.h"
#include "run/RunResultFile.h"

#include <filesystem>
#include <optional>
#include <vector>

namespace {

// Passes the run's status lines on, holding back its outcome ("计算成功 !" or
// "计算失败 !") until the report is saved and finished: a run whose report or
// one of whose drawings could not be written must not have said "计算成功".
class HeldOutcome : public StatusSink {
  public:
    explicit HeldOutcome(StatusSink* to) : m_to(to) {}
    void tell_error(int code, const std::string& text) override {
        if (text == "计算成功 !" || text == "计算失败 !") {
            m_outcome = std::pair{code, text};
        } else if (m_to) {
            m_to->tell_error(code, text);
        }
    }
    // failures: the files the run could not write or finish, each told.
    void release(const std::vector<std::string>& failures) {
        if (!failures.empty()) m_outcome = std::pair{kStatusFailure, std::string("计算失败 !")};
        if (!m_to) return;
        for (const std::string& f : failures) m_to->tell_error(kStatusFailure, f);
        if (m_outcome) m_to->tell_error(m_outcome->first, m_outcome->second);
    }

  private:
    StatusSink* m_to;
    std::optional<std::pair<int, std::string>> m_outcome;
};

}  // namespace

CalcRunResult RunCalculation(CSlideCalcData& item, const WorkContext& ctxIn,
                             const std::string& fileBase, const RunOptions& options) {
    CalcRunResult out;
    HeldOutcome status(ctxIn.status);
    WorkContext ctx = ctxIn;
    ctx.status = &status;
    out.drawings = std::make_shared<DrawingShelf>();
    ctx.drawings = out.drawings.get();
    const std::string& dir = ctx.G_strWorkPath;
    // Name the results first, so that only this item's own files are deleted.
    SetResultFileNames(item, fileBase);
    item.Remove_Result_Files(dir);
    // The reinforcement drawing is listed only when a run drew it.
    std::error_code ec;
    std::filesystem::remove(workFile(ctx, PileRebarDrawingName(item)), ec);
    std::filesystem::remove(workFile(ctx, RunResultFileName(item)), ec);
    const std::string annotated = AnnotatedSketchFileName(item);
    if (!annotated.empty()) std::filesystem::remove(workFile(ctx, annotated), ec);

    WriteSketchDrawing(item, ctx);

    CSlideCalc calc(ctx);
    RunOptions runOptions = options;
    runOptions.labelledSketch = runOptions.supplement && !annotated.empty();
    calc.setRunOptions(runOptions);
    out.result = calc.RunItem(item, out.report);
    out.noDesignSatisfies = calc.designSummary().noneSatisfies;
    out.plausibility = calc.plausibility();
    out.figures = calc.result();

    WriteThrustCurveDrawing(item, ctx);
    const std::string rebar = PileRebarDrawingName(item);
    if (std::filesystem::exists(workFile(ctx, rebar), ec))
        item.setResult(kResultRebar, {"桩身配筋图", rebar, item.GetRtfFileName(kResultSketch)});
    // After the run, so that a long design shows its progress at once.
    if (runOptions.labelledSketch) WriteAnnotatedSketchDrawing(item, ctx);

    out.reportPath = dir + item.GetRtfFileName(kResultSketch);
    out.reportSaved = out.report.saveGbk(out.reportPath);
    if (out.reportSaved)
        writeFileAtomically(workFile(ctx, RunResultFileName(item)),
                            RunResultText(out.figures, RunInputMark(item)));
    // The report is what the engineer reads; a run without it, finished, or
    // without a drawing it shows, has failed.
    std::vector<std::string> failures;
    for (const std::string& path : out.drawings->unwritten())
        failures.push_back("无法写入图形文件 " + path);
    std::string unfinished = !out.reportSaved ? "无法写入计算书文件 " + out.reportPath
                             : options.finishReport ? options.finishReport(out)
                                                    : std::string();
    if (!unfinished.empty()) failures.push_back(unfinished);
    if (!failures.empty()) out.result = 0;
    status.release(failures);
    return out;
}
