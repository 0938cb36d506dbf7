#include "cli/ExpandedReport.h"

#include "run/CalcRun.h"

#include "render/ReportTextDocument.h"

#include <cstdio>

int expandReportFile(const CalcRunResult& run, const std::string& workPath) {
    if (!run.reportSaved) return 0;
    int missing = 0;
    if (!WriteExpandedReport(run.reportPath, run.report.utf8(), workPath, missing,
                             run.drawings.get())) {
        std::fprintf(stderr, "无法写入计算书文件 %s\n", run.reportPath.c_str());
        return 0;
    }
    if (missing > 0) std::fprintf(stderr, "%d 幅图未能插入\n", missing);
    return 1;
}
