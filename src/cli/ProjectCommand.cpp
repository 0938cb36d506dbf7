// talvor-cli project DIR list|add|remove|calc|summary: the item list of a project
// directory for batch work, as the project window's item bar keeps it.
#include "cli/Commands.h"
#include "cli/ExpandedReport.h"
#include "cli/SummaryCommand.h"

#include "data/CSlideCalcData.h"
#include "platform/Sinks.h"
#include "platform/WorkContext.h"
#include "project/CProjectData.h"
#include "project/CProjectInfo.h"
#include "project/CTemplateIndex.h"
#include "project/ItemList.h"
#include "run/CalcRun.h"

#include <CLI/CLI.hpp>

#include "render/DrawingRenderer.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>

namespace {

constexpr int kKind = 0;  // the one calculation kind

struct ProjectArgs {
    std::string dir;
    std::string programDir;
    int templatePos = 0;  // 0: the system default
    int removePos = 0;
    int calcPos = 0;  // 0: every item
    SummaryArgs summary;
    bool keepDirectives = false;
};

WorkContext projectContext(const ProjectArgs& args, StderrSinks& sinks) {
    WorkContext ctx;
    ctx.G_strWorkPath = withTrailingSlash(args.dir);
    std::string program = args.programDir;
    if (program.empty()) {
        const char* env = std::getenv("TALVOR_PROGRAM_DIR");
        program = env ? env : ".";
    }
    ctx.G_strExePath = withTrailingSlash(program);
    ctx.status = &sinks;
    ctx.messages = &sinks;
    return ctx;
}

// A directory without a valid project file is an empty project.
CProjectData openProject(const WorkContext& ctx) {
    CProjectData project;
    project.LoadProject(ctx);
    project.IncludeKind(kKind);
    return project;
}

int listItems(const WorkContext& ctx) {
    CProjectData project;
    if (!project.LoadProject(ctx)) {
        std::fprintf(stderr, "%s 中没有工程文件 Talvor.PRJ\n", ctx.G_strWorkPath.c_str());
        return 2;
    }
    ItemList list;
    list.RefreshItemList(project, ctx, false);
    for (int i = 0; i < static_cast<int>(list.itemLines.size()); ++i) {
        std::printf("%s\n", list.itemLines[i].c_str());
        list.ReadResultList(ctx, ItemListFileName(list.ItemNumberAt(project, i)));
        for (int r = 0; r < list.resultCount; ++r)
            std::printf("    %d. %s  [%s, %s]\n", r + 1, list.resultTitles[r].c_str(),
                        list.resultDxfFiles[r].c_str(), list.resultRtfFiles[r].c_str());
    }
    return 0;
}

// The start data of the new item: the system default, or template number
// pos (1-based, in the order of the chooser's template lines).
int startData(const WorkContext& ctx, int pos, CSlideCalcData& item) {
    if (pos <= 0) return 1;
    CTemplateIndex index;
    if (!index.LoadTemplateIndex(ctx) || pos > index.templateCount[kKind]) {
        std::fprintf(stderr, "模板库 %sTemplate 中没有第 %d 个模板\n", ctx.G_strExePath.c_str(),
                     pos);
        return 0;
    }
    int number = index.templateNumbers[kKind][pos - 1];
    if (!item.ReadDataFile(TemplateFilePath(ctx, number))) {
        std::fprintf(stderr, "无法读取模板 %d 的数据文件\n", number);
        return 0;
    }
    return 1;
}

int addItem(const ProjectArgs& args, const WorkContext& ctx) {
    std::error_code ec;
    std::filesystem::create_directories(args.dir, ec);
    CProjectData project = openProject(ctx);
    CSlideCalcData item;
    if (!startData(ctx, args.templatePos, item)) return 2;
    int n = project.AddItem(kKind);
    if (n == 0) {
        std::fprintf(stderr, "不能再增加项目 (每个工程至多 100 个项目, 编号至多 5000)\n");
        return 1;
    }
    // As the item bar does: the new last line selected and opened as a new
    // item, described by the kind's title and its position. It has no results
    // yet (a template's result files belong to another directory).
    ItemList list;
    list.RefreshItemList(project, ctx, true);
    ItemContext opened;
    StderrSinks sinks;
    if (!list.OpenItem(project, true, sinks, &opened)) return 1;
    item.setName(opened.caption);
    item.setResultCount(0);
    if (!item.WriteDataFile(workFile(ctx, opened.fileBase + ".dat")) || !project.SaveProject(ctx)) {
        std::fprintf(stderr, "无法写入工程目录 %s\n", ctx.G_strWorkPath.c_str());
        return 1;
    }
    CProjectInfo info;
    if (!info.ReadInfoFile(args.dir))
        CProjectInfo::Defaults(ctx.G_strWorkPath, std::time(nullptr)).WriteInfoFile(args.dir);
    list.RefreshItemList(project, ctx, true);
    std::printf("%s\n", list.itemLines.back().c_str());
    return 0;
}

int removeItem(const ProjectArgs& args, const WorkContext& ctx) {
    CProjectData project;
    if (!project.LoadProject(ctx)) {
        std::fprintf(stderr, "%s 中没有工程文件 Talvor.PRJ\n", ctx.G_strWorkPath.c_str());
        return 2;
    }
    if (!project.RemoveItem(kKind, args.removePos - 1)) {
        std::fprintf(stderr, "没有第 %d 个项目\n", args.removePos);
        return 1;
    }
    // The item's data and result files stay on disk, as in the item bar.
    return project.SaveProject(ctx) ? 0 : 1;
}

// Calculates one item as "算" and the calculation window do: the data file is
// read, the run writes the result files, and the data file is written back
// with its result views so that the list shows them.
int calcItem(const ProjectArgs& args, const WorkContext& ctx, int position, int number) {
    std::string dataFile = workFile(ctx, ItemFileBase(number) + ".dat");
    CSlideCalcData item;
    if (!item.ReadDataFile(dataFile)) {
        std::fprintf(stderr, "%02d: 无法读取计算数据文件 %s\n", position + 1, dataFile.c_str());
        return 2;
    }
    CalcRunResult run = RunCalculation(item, ctx, ItemFileBase(number));
    if (!args.keepDirectives) expandReportFile(run, ctx.G_strWorkPath);
    if (!item.WriteDataFile(dataFile)) {
        std::fprintf(stderr, "%02d: 无法写入计算数据文件 %s\n", position + 1, dataFile.c_str());
        return 1;
    }
    std::printf("%02d  %s: %s\n", position + 1, item.name().c_str(),
                run.result == 1 ? "计算成功" : "计算失败");
    return run.result == 1 ? 0 : 1;
}

int calcItems(const ProjectArgs& args, const WorkContext& ctx) {
    CProjectData project;
    if (!project.LoadProject(ctx)) {
        std::fprintf(stderr, "%s 中没有工程文件 Talvor.PRJ\n", ctx.G_strWorkPath.c_str());
        return 2;
    }
    int count = project.itemCount[kKind];
    if (args.calcPos > count || args.calcPos < 0) {
        std::fprintf(stderr, "没有第 %d 个项目\n", args.calcPos);
        return 1;
    }
    auto app = args.keepDirectives ? nullptr : makeOffscreenGuiApplication();
    int worst = 0;
    for (int i = 0; i < count; ++i) {
        if (args.calcPos != 0 && i != args.calcPos - 1) continue;
        worst = std::max(worst, calcItem(args, ctx, i, project.itemNumbers[kKind][i]));
    }
    return worst;
}

}  // namespace

void addProjectCommand(CLI::App& app, int& exitCode) {
    auto args = std::make_shared<ProjectArgs>();
    CLI::App* cmd = app.add_subcommand("project", "list, add and remove the items of a project");
    cmd->add_option("DIR", args->dir, "project directory (the work path)")->required();
    cmd->add_option("--program-dir", args->programDir,
                    "program directory with Template/ (default: $TALVOR_PROGRAM_DIR, else .)");
    cmd->require_subcommand(1);
    // --program-dir may follow the subcommand too.
    cmd->fallthrough();

    CLI::App* list = cmd->add_subcommand("list", "items with their descriptions and result views");
    list->callback([args, &exitCode] {
        StderrSinks sinks;
        exitCode = listItems(projectContext(*args, sinks));
    });

    CLI::App* add = cmd->add_subcommand("add", "add an item from the default or a template");
    add->add_option("--template", args->templatePos,
                    "template position in the template library (1 = first), default: the "
                    "system default item");
    add->callback([args, &exitCode] {
        StderrSinks sinks;
        exitCode = addItem(*args, projectContext(*args, sinks));
    });

    CLI::App* remove = cmd->add_subcommand("remove", "remove an item from the list (files stay)");
    remove->add_option("POS", args->removePos, "position in the list (1 = first)")->required();
    remove->callback([args, &exitCode] {
        StderrSinks sinks;
        exitCode = removeItem(*args, projectContext(*args, sinks));
    });

    CLI::App* calc = cmd->add_subcommand("calc", "calculate one item, or every item in list order");
    calc->add_option("POS", args->calcPos, "position in the list (1 = first; default: all)");
    calc->add_flag("--keep-directives", args->keepDirectives,
                   "write the reports as GBK text with their drawing directives, not as RTF");
    calc->callback([args, &exitCode] {
        StderrSinks sinks;
        exitCode = calcItems(*args, projectContext(*args, sinks));
    });

    CLI::App* summary = cmd->add_subcommand("summary", "计算全部项目并写出汇总表(CSV、RTF、PDF)");
    summary->add_option("--jobs", args->summary.jobs, "并行计算的线程数 (默认: 每个处理器核一个)");
    summary->add_option("--csv", args->summary.csv,
                        "CSV 汇总表文件 (默认: 工程目录下 Talvor_Summary.csv)");
    summary->add_option("--rtf", args->summary.rtf, "RTF 汇总表文件 (默认: Talvor_Summary.RTF)");
    summary->add_option("--pdf", args->summary.pdf, "PDF 汇总表文件 (默认: Talvor_Summary.pdf)");
    summary->callback([args, &exitCode] {
        StderrSinks sinks;
        exitCode = runProjectSummary(projectContext(*args, sinks), args->summary);
    });
}
