// talvor-cli report REPORT [--rtf OUT.RTF] [--text OUT.TXT] [--pdf OUT.pdf]: a
// calculation report (plain text with directives, or RTF we wrote) with its
// directives expanded, written as RTF with the drawings as pictures, as plain
// text, or as a PDF laid out by Qt.
#include "cli/Commands.h"

#include "render/ReportConversion.h"

namespace {

int runReport(const ReportConversion& args) {
    const ConvertedReport done = ConvertReport(args);
    for (const std::string& line : done.errors) std::fprintf(stderr, "%s\n", line.c_str());
    std::fwrite(done.plainText.data(), 1, done.plainText.size(), stdout);
    return done.status;
}

}  // namespace

void addReportCommand(CLI::App& app, int& exitCode) {
    auto args = std::make_shared<ReportConversion>();
    CLI::App* cmd = app.add_subcommand(
        "report", "展开计算书中的插图指令, 写成 RTF、PDF 或纯文本; 不给输出时把文本输出到标准输出");
    cmd->add_option("REPORT", args->report, "计算书文件 (带指令的文本, 或 RTF)")->required();
    cmd->add_option("--rtf", args->rtf, "写出 RTF 计算书, 图形作为图片插入");
    cmd->add_option("--text", args->text, "写出纯文本 (GBK)");
    cmd->add_option("--pdf", args->pdf, "写出 PDF 计算书");
    cmd->add_option("--work", args->workDir, "计算书中图形所在的目录 (默认: 计算书所在的目录)");
    cmd->callback([args, &exitCode] { exitCode = runReport(*args); });
}
