#include "cli/ExpandedReport.h"

#include "run/CalcRun.h"

#include "render/ReportTextDocument.h"

std::string expandReportFile(const CalcRunResult& run, const std::string& workPath) {
    int missing = 0;
    if (!WriteExpandedReport(run.reportPath, run.report.utf8(), workPath, missing,
                             run.drawings.get()))
        return "无法写入计算书文件 " + run.reportPath;
    if (missing > 0) return std::to_string(missing) + " 幅图未能插入计算书 " + run.reportPath;
    return {};
}
