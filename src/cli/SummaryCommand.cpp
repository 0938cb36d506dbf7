// The project summary: every item of the list in list order, the CSV table
// and the report page beside the project file unless other paths are given.
#include "cli/SummaryCommand.h"

#include "platform/AtomicFile.h"
#include "platform/TextEncoding.h"
#include "platform/WorkContext.h"
#include "project/CProjectData.h"
#include "project/CProjectInfo.h"
#include "project/ReportDocument.h"
#include "project/RtfWriter.h"
#include "render/DrawingRenderer.h"
#include "render/ReportPages.h"
#include "run/ProjectSummary.h"
#include "run/SummaryTable.h"

#include <QGuiApplication>

#include <cstdio>

namespace {

constexpr int kKind = 0;  // the one calculation kind

std::string outputPath(const WorkContext& ctx, const std::string& given, const char* ext) {
    return given.empty() ? ctx.G_strWorkPath + "Talvor_Summary." + ext : given;
}

int written(int ok, const std::string& path) {
    if (ok) {
        std::fprintf(stderr, "汇总表: %s\n", path.c_str());
        return 0;
    }
    std::fprintf(stderr, "无法写入 %s\n", path.c_str());
    return 1;
}

// The page of report text as RTF and PDF: it has no pictures.
int writePage(const WorkContext& ctx, const SummaryArgs& args, const std::string& text) {
    const ReportDocument doc = ExpandScript(text);
    const PictureSource none = [](const ReportRun&) { return std::string(); };
    int status = written(WriteRtf(outputPath(ctx, args.rtf, "RTF"), doc, none),
                         outputPath(ctx, args.rtf, "RTF"));
    auto app = makeOffscreenGuiApplication();
    int missing = 0;
    return status | written(WriteReportPdf(outputPath(ctx, args.pdf, "pdf"), doc, ctx.G_strWorkPath,
                                           ReportHeadingOf(ctx.G_strWorkPath, doc), missing),
                            outputPath(ctx, args.pdf, "pdf"));
}

}  // namespace

int runProjectSummary(const WorkContext& ctx, const SummaryArgs& args) {
    CProjectData project;
    if (!project.LoadProject(ctx)) {
        std::fprintf(stderr, "%s 中没有工程文件 Talvor.PRJ\n", ctx.G_strWorkPath.c_str());
        return 2;
    }
    std::vector<SummaryItem> items;
    for (int i = 0; i < project.itemCount[kKind]; ++i) {
        const int number = project.itemNumbers[kKind][i];
        items.push_back({number, ItemFileBase(number)});
    }
    const std::vector<SummaryRow> rows = SummarizeProject(ctx, items, args.jobs);
    // What the fresh runs told, item by item in list order.
    for (const SummaryRow& r : rows)
        for (const std::string& t : r.told)
            std::fprintf(stderr, "项目 %d: %s\n", r.number, t.c_str());
    CProjectInfo info;
    const std::string name = info.ReadInfoFile(ctx.G_strWorkPath) ? info.name : "";
    int status = written(writeFileAtomically(outputPath(ctx, args.csv, "csv"), SummaryCsv(rows)),
                         outputPath(ctx, args.csv, "csv"));
    return status | writePage(ctx, args, SummaryReportText(name, rows));
}
