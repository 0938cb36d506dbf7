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
#include <vector>

CalcRunResult RunCalculation(CSlideCalcData& item, const WorkContext& ctxIn,
                             const std::string& fileBase, const RunOptions& options) {
    CalcRunResult out;
    WorkContext ctx = ctxIn;
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
    // The outcome is told after the report is saved and finished: a run whose
    // report or one of whose drawings could not be written has failed.
    runOptions.tellOutcome = false;
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
    if (ctx.status) {
        for (const std::string& f : failures) ctx.status->tell_error(kStatusFailure, f);
        TellRunOutcome(*ctx.status, out.result == 1);
    }
    return out;
}
