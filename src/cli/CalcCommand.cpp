// talvor-cli calc ITEM [--out DIR] [--text] [--progress] [--no-supplement] [--keep-directives]
// [--strict]: runs one item data file as the calculate command does and writes its result
// files, the report as RTF with its drawings; the item file itself is only read.
#include "cli/Commands.h"

#include "platform/Sinks.h"
#include "platform/WorkContext.h"
#include "run/ItemCalculation.h"

#include "render/DrawingRenderer.h"
#include "render/ReportTextDocument.h"

#include <QGuiApplication>

#include <filesystem>

namespace {

struct CalcArgs {
    std::string item;
    std::string outDir;
    bool text = false;
    bool progress = false;
    bool noSupplement = false;
    bool keepDirectives = false;
    bool strict = false;
};

// Progress of a long search on stderr, one line at each further tenth.
SearchOptions progressOnStderr() {
    SearchOptions options;
    auto lastTenth = std::make_shared<int>(-1);
    options.progress = [lastTenth](int done, int total) {
        int tenth = total > 0 ? done * 10 / total : 10;
        if (tenth != *lastTenth) {
            *lastTenth = tenth;
            std::fprintf(stderr, "搜索进度 %d/%d\n", done, total);
        }
        return true;
    };
    return options;
}

int runCalc(const CalcArgs& args) {
    StderrSinks sinks;
    // The item's own directory unless --out names another.
    const std::string parent = std::filesystem::path(args.item).parent_path().string();
    WorkContext ctx;
    ctx.G_strWorkPath = withTrailingSlash(!args.outDir.empty() ? args.outDir
                                          : parent.empty()     ? std::string(".")
                                                               : parent);
    ctx.status = &sinks;
    ctx.messages = &sinks;
    RunOptions options(args.progress ? progressOnStderr() : SearchOptions{});
    options.supplement = !args.noSupplement;
    auto app = args.keepDirectives ? nullptr : makeOffscreenGuiApplication();
    if (!args.keepDirectives) options.finishReport = ExpandingSavedReports(ctx.G_strWorkPath);
    const ItemFileCalculation c = CalculateItemFile(args.item, ctx, args.strict, false, options);
    const CalcRunResult& run = c.calc.run;
    switch (c.outcome) {
        case ItemFileOutcome::Unreadable:
            std::fprintf(stderr, "%s\n", UnreadableItemText(args.item).c_str());
            break;
        case ItemFileOutcome::Refused:
            std::fprintf(stderr, "计算数据文件 %s 有 %zu 处疑问, 按 --strict 未计算\n",
                         args.item.c_str(), c.opened.diagnostics.size());
            break;
        case ItemFileOutcome::NoWorkPath:
            std::fprintf(stderr, "无法建立结果目录 %s\n", args.outDir.c_str());
            break;
        case ItemFileOutcome::Calculated:
        case ItemFileOutcome::NotWrittenBack:
            if (args.text)
                std::fwrite(run.report.utf8().data(), 1, run.report.utf8().size(), stdout);
            if (run.reportSaved) std::fprintf(stderr, "计算书: %s\n", run.reportPath.c_str());
            if (run.result == 1 && run.noDesignSatisfies)
                std::fprintf(stderr, "没有满足要求的方案\n");
    }
    return c.status;
}

}  // namespace

void addCalcCommand(CLI::App& app, int& exitCode) {
    auto args = std::make_shared<CalcArgs>();
    CLI::App* cmd = app.add_subcommand("calc", "计算一个计算数据文件, 写出计算书和图形");
    cmd->add_option("ITEM", args->item, "计算数据文件 (.TV 或 .DAT)")->required();
    cmd->add_option("--out", args->outDir, "结果文件的目录 (默认: 计算数据文件所在的目录)");
    cmd->add_flag("--text", args->text, "同时把计算书以 UTF-8 文本输出到标准输出");
    cmd->add_flag("--progress", args->progress, "把反算和自动设计的进度输出到标准错误");
    cmd->add_flag("--no-supplement", args->noSupplement,
                  "计算书不写“[本程序补充]”部分，保持原程序的格式");
    cmd->add_flag("--keep-directives", args->keepDirectives,
                  "计算书写成带插图指令的 GBK 文本, 不写成 RTF");
    cmd->add_flag("--strict", args->strict, "数据文件读入时有疑问就不计算 (退出状态 2)");
    cmd->callback([args, &exitCode] { exitCode = runCalc(*args); });
}
