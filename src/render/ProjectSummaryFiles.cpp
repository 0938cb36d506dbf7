#include "render/ProjectSummaryFiles.h"

#include "platform/AtomicFile.h"
#include "platform/WorkContext.h"
#include "project/CProjectData.h"
#include "project/CProjectInfo.h"
#include "project/ReportDocument.h"
#include "project/RtfWriter.h"
#include "render/DrawingRenderer.h"
#include "render/ReportPages.h"
#include "run/SummaryTable.h"

#include <QGuiApplication>

namespace {

constexpr int kKind = 0;  // the one calculation kind

std::string outputPath(const WorkContext& ctx, const std::string& given, const char* ext) {
    return given.empty() ? ctx.G_strWorkPath + "Talvor_Summary." + ext : given;
}

// The page of report text as RTF and PDF: it has no pictures.
void writePage(const WorkContext& ctx, const SummaryPaths& paths, const std::string& text,
               std::vector<WrittenFile>& files) {
    const ReportDocument doc = ExpandScript(text);
    const PictureSource none = [](const ReportRun&) { return std::string(); };
    const std::string rtf = outputPath(ctx, paths.rtf, "RTF");
    files.push_back({rtf, WriteRtf(rtf, doc, none) != 0});
    auto app = makeOffscreenGuiApplication();
    int missing = 0;
    const std::string pdf = outputPath(ctx, paths.pdf, "pdf");
    files.push_back({pdf, WriteReportPdf(pdf, doc, ctx.G_strWorkPath,
                                         ReportHeadingOf(ctx.G_strWorkPath, doc), missing) != 0});
}

}  // namespace

ProjectSummaryFiles WriteProjectSummary(const WorkContext& ctx, const SummaryPaths& paths,
                                        int threads) {
    ProjectSummaryFiles out;
    CProjectData project;
    out.projectRead = project.LoadProject(ctx);
    if (!out.projectRead) return out;
    std::vector<SummaryItem> items;
    for (int i = 0; i < project.itemCount[kKind]; ++i) {
        const int number = project.itemNumbers[kKind][i];
        items.push_back({number, ItemFileBase(number)});
    }
    out.rows = SummarizeProject(ctx, items, threads);
    CProjectInfo info;
    const std::string name = info.ReadInfoFile(ctx.G_strWorkPath) ? info.name : "";
    const std::string csv = outputPath(ctx, paths.csv, "csv");
    out.files.push_back({csv, writeFileAtomically(csv, SummaryCsv(out.rows)) != 0});
    writePage(ctx, paths, SummaryReportText(name, out.rows), out.files);
    return out;
}
