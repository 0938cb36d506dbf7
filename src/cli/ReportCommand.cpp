// talvor-cli report REPORT [--rtf OUT.RTF] [--text OUT.TXT] [--pdf OUT.pdf]: a
// calculation report (plain text with directives, or RTF we wrote) with its
// directives expanded, written as RTF with the drawings as pictures, as plain
// text, or as a PDF laid out by Qt.
#include "cli/Commands.h"

#include "platform/WorkContext.h"
#include "project/ReportDocument.h"
#include "project/RtfReader.h"
#include "project/RtfWriter.h"

#include <CLI/CLI.hpp>

#include "render/DrawingRenderer.h"
#include "render/ReportPages.h"
#include "render/ReportTextDocument.h"

#include <QGuiApplication>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace {

struct ReportArgs {
    std::string report;
    std::string rtf;
    std::string text;
    std::string pdf;
    std::string workDir;
};

// The drawings of "InsertDxf=" lie in the work path: the report's directory
// unless --work names another.
std::string workPathOf(const ReportArgs& args) {
    if (!args.workDir.empty()) return withTrailingSlash(args.workDir);
    std::filesystem::path parent = std::filesystem::path(args.report).parent_path();
    return withTrailingSlash(parent.empty() ? std::string(".") : parent.string());
}

// A report short of a picture is not what was asked for: each drawing that
// could not be read is named with the reason, and the status is 1.
int tellMissing(int missing, const ReportArgs& args, const ReportDocument& doc) {
    if (missing == 0) return 0;
    std::fprintf(stderr, "%d 幅图未能插入\n", missing);
    for (const std::string& line : UnreadableDrawings(doc, workPathOf(args)))
        std::fprintf(stderr, "    %s\n", line.c_str());
    return 1;
}

int writeRtf(const ReportArgs& args, const ReportDocument& doc) {
    int missing = 0;
    if (!WriteRtf(args.rtf, doc, reportPictureSource(workPathOf(args), missing))) {
        std::fprintf(stderr, "无法写入 %s\n", args.rtf.c_str());
        return 1;
    }
    return tellMissing(missing, args, doc);
}

// The pages the report view prints, on A4.
int writePdf(const ReportArgs& args, const ReportDocument& doc) {
    int missing = 0;
    std::string work = workPathOf(args);
    ReportHeading heading = ReportHeadingOf(work, doc);
    heading.cover = true;  // the book handed in
    if (!WriteReportPdf(args.pdf, doc, work, heading, missing)) {
        std::fprintf(stderr, "无法写入 %s\n", args.pdf.c_str());
        return 1;
    }
    return tellMissing(missing, args, doc);
}

int runReport(const ReportArgs& args) {
    std::string why;
    std::optional<ReportDocument> loaded = LoadReport(args.report, &why);
    if (!loaded) {
        std::fprintf(stderr, "无法读取计算书 %s%s%s\n", args.report.c_str(),
                     why.empty() ? "" : ": ", why.c_str());
        return 2;
    }
    // A plain-text report still carries its directives; RTF has them expanded.
    ReportDocument doc = *loaded;
    if (doc.size() == 1 && doc[0].kind == ReportRun::Kind::Text) doc = ExpandScript(doc[0].text);
    int status = 0;
    // Fonts and painting of the pictures need a GUI application.
    auto app = args.rtf.empty() && args.pdf.empty() ? nullptr : makeOffscreenGuiApplication();
    if (!args.rtf.empty()) status = writeRtf(args, doc);
    if (!args.text.empty() && !WritePlainText(args.text, doc)) {
        std::fprintf(stderr, "无法写入 %s\n", args.text.c_str());
        status = 1;
    }
    if (!args.pdf.empty() && writePdf(args, doc) != 0) status = 1;
    if (args.rtf.empty() && args.text.empty() && args.pdf.empty()) {
        std::string text = PlainText(doc);
        std::fwrite(text.data(), 1, text.size(), stdout);
    }
    return status;
}

}  // namespace

void addReportCommand(CLI::App& app, int& exitCode) {
    auto args = std::make_shared<ReportArgs>();
    CLI::App* cmd = app.add_subcommand(
        "report", "展开计算书中的插图指令, 写成 RTF、PDF 或纯文本; 不给输出时把文本输出到标准输出");
    cmd->add_option("REPORT", args->report, "计算书文件 (带指令的文本, 或 RTF)")->required();
    cmd->add_option("--rtf", args->rtf, "写出 RTF 计算书, 图形作为图片插入");
    cmd->add_option("--text", args->text, "写出纯文本 (GBK)");
    cmd->add_option("--pdf", args->pdf, "写出 PDF 计算书");
    cmd->add_option("--work", args->workDir, "计算书中图形所在的目录 (默认: 计算书所在的目录)");
    cmd->callback([args, &exitCode] { exitCode = runReport(*args); });
}
