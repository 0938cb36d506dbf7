// One calculation from the old result files to the new ones.
#include "run/CalcRun.h"

#include "data/CSlideCalcData.h"
#include "platform/WorkContext.h"
#include "run/CSlideCalc.h"
#include "run/ResultDrawings.h"
#include "run/ResultNames.h"

CalcRunResult RunCalculation(CSlideCalcData& item, const WorkContext& ctx,
                             const std::string& fileBase, const RunOptions& options) {
    CalcRunResult out;
    const std::string& dir = ctx.G_strWorkPath;
    // Name the results first, so that only this item's own files are deleted.
    SetResultFileNames(item, fileBase);
    item.Remove_Result_Files(dir);

    WriteSketchDrawing(item, dir + item.GetDxfFileName(kResultSketch));

    CSlideCalc calc(ctx);
    calc.setRunOptions(options);
    out.result = calc.RunItem(item, out.report);
    out.noDesignSatisfies = calc.designSummary().noneSatisfies;

    WriteThrustCurveDrawing(item, dir + item.GetDxfFileName(kResultCurve));

    out.reportPath = dir + item.GetRtfFileName(kResultSketch);
    out.reportSaved = out.report.saveGbk(out.reportPath);
    if (!out.reportSaved) {
        // The report is what the engineer reads; a run without it has failed.
        calc.status().tell_error(301, "无法写入计算书文件 " + out.reportPath);
        out.result = 0;
    }
    return out;
}
