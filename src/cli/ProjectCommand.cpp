// talvor-cli project DIR list|add|remove|calc|summary|templates: the item list
// of a project directory for batch work, as the project window's item bar
// keeps it, and the template library new items start from.
#include "cli/Commands.h"
#include "cli/SummaryCommand.h"

#include "data/CSlideCalcData.h"
#include "platform/InputDiagnostics.h"
#include "platform/ProgramDirectory.h"
#include "platform/RebarSettingsFile.h"
#include "platform/Sinks.h"
#include "platform/WorkContext.h"
#include "project/CProjectData.h"
#include "project/CProjectInfo.h"
#include "project/CTemplateIndex.h"
#include "project/ItemFiles.h"
#include "project/ItemOpening.h"
#include "project/ItemList.h"
#include "project/TemplateChooser.h"
#include "run/ItemCalculation.h"

#include <CLI/CLI.hpp>

#include "render/DrawingRenderer.h"
#include "render/ReportTextDocument.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
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
    int calcPos = 0;  // 0: not given, every item
    SummaryArgs summary;
    bool keepDirectives = false;
    bool strict = false;
};

// Positions are 1-based; 0 is refused on the command line, so that a mistyped
// position never runs every item.
constexpr int kMaxItems = 100;

// The project's files read as always, with what is damaged in them told to
// the status sink.
bool loadProjectTelling(CProjectData& project, const WorkContext& ctx) {
    InputDiagnostics diagnostics;
    bool loaded = project.LoadProject(ctx, &diagnostics);
    if (ctx.status) diagnostics.tellTo(*ctx.status);
    return loaded;
}

bool loadTemplatesTelling(CTemplateIndex& index, const WorkContext& ctx) {
    InputDiagnostics diagnostics;
    bool loaded = index.LoadTemplateIndex(ctx, &diagnostics);
    if (ctx.status) diagnostics.tellTo(*ctx.status);
    return loaded;
}

int readInfoTelling(CProjectInfo& info, const std::string& dir, const WorkContext& ctx) {
    InputDiagnostics diagnostics;
    int read = info.ReadInfoFile(dir, &diagnostics);
    if (ctx.status) diagnostics.tellTo(*ctx.status);
    return read;
}

WorkContext projectContext(const ProjectArgs& args, StderrSinks& sinks) {
    WorkContext ctx;
    ctx.G_strWorkPath = withTrailingSlash(args.dir);
    ctx.G_strExePath =
        args.programDir.empty() ? ProgramDirectory() : withTrailingSlash(args.programDir);
    ctx.status = &sinks;
    ctx.messages = &sinks;
    return ctx;
}

// A directory without a valid project file is an empty project.
CProjectData openProject(const WorkContext& ctx) {
    CProjectData project;
    loadProjectTelling(project, ctx);
    project.IncludeKind(kKind);
    return project;
}

// A result file the list names but the directory lacks is marked, so that a
// view without its drawing is not taken for a result.
std::string fileMark(const WorkContext& ctx, const std::string& name) {
    std::error_code ec;
    return std::filesystem::exists(workFile(ctx, name), ec) ? name : name + " (缺失)";
}

int listItems(const WorkContext& ctx) {
    CProjectData project;
    if (!loadProjectTelling(project, ctx)) {
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
                        fileMark(ctx, list.resultDxfFiles[r]).c_str(),
                        fileMark(ctx, list.resultRtfFiles[r]).c_str());
    }
    return 0;
}

// Where the templates are looked for: said whenever a template is missing,
// since a wrong program directory is the usual cause.
void tellTemplateDirectory(const WorkContext& ctx) {
    std::fprintf(stderr,
                 "模板库在程序目录下的 Template 中; 程序目录用 --program-dir 或环境变量 "
                 "TALVOR_PROGRAM_DIR 指定 (现为 %s)\n",
                 ctx.G_strExePath.c_str());
}

// The templates of the library with their positions, as the chooser lists
// them; the directory is not created when it is missing.
int listTemplates(const WorkContext& ctx) {
    const std::string dir = TemplateDirectory(ctx, false);
    std::error_code ec;
    CTemplateIndex index;
    if (!std::filesystem::is_directory(dir, ec) || !loadTemplatesTelling(index, ctx)) {
        std::fprintf(stderr, "%s 中没有模板库 (Talvor.MB)\n", dir.c_str());
        tellTemplateDirectory(ctx);
        return 2;
    }
    std::printf("模板库 %s\n", dir.c_str());
    TemplateChooser chooser(index, ctx, kKind);
    const std::vector<std::string>& lines = chooser.lines();
    for (size_t i = TemplateChooser::kFixedLines; i < lines.size(); ++i)
        std::printf("%3zu  %s\n", i - TemplateChooser::kFixedLines + 1, lines[i].c_str());
    if (lines.size() == TemplateChooser::kFixedLines) std::printf("(没有模板)\n");
    return 0;
}

// The start data of the new item: the system default, or template number
// pos (1-based, in the order of the chooser's template lines).
int startData(const WorkContext& ctx, int pos, CSlideCalcData& item, std::string* templatePath) {
    if (pos <= 0) return 1;
    CTemplateIndex index;
    if (!loadTemplatesTelling(index, ctx) || pos > index.templateCount[kKind]) {
        std::fprintf(stderr, "模板库 %s 中没有第 %d 个模板 (共 %d 个, 见 project DIR templates)\n",
                     TemplateDirectory(ctx, false).c_str(), pos, index.templateCount[kKind]);
        tellTemplateDirectory(ctx);
        return 0;
    }
    int number = index.templateNumbers[kKind][pos - 1];
    if (!item.ReadDataFile(TemplateFilePath(ctx, number))) {
        std::fprintf(stderr, "无法读取模板 %d 的数据文件\n", number);
        return 0;
    }
    *templatePath = TemplateFilePath(ctx, number);
    return 1;
}

int addItem(const ProjectArgs& args, const WorkContext& ctx) {
    std::error_code ec;
    std::filesystem::create_directories(args.dir, ec);
    CProjectData project = openProject(ctx);
    CSlideCalcData item;
    std::string templatePath;
    if (!startData(ctx, args.templatePos, item, &templatePath)) return 2;
    const int number = AddProjectItem(project, ctx, kKind);
    if (number == 0) {
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
    const std::string itemPath = workFile(ctx, opened.fileBase + ".dat");
    if (!item.WriteDataFile(itemPath) || !CopyRebarSettings(templatePath, itemPath)) {
        std::fprintf(stderr, "无法写入工程目录 %s\n", ctx.G_strWorkPath.c_str());
        DiscardNewItemFiles(ctx, number);
        return 1;
    }
    if (!SaveProjectWithNewItem(project, ctx, number)) return 1;
    CProjectInfo info;
    if (!readInfoTelling(info, args.dir, ctx))
        CProjectInfo::Defaults(ctx.G_strWorkPath, std::time(nullptr)).WriteInfoFile(args.dir);
    list.RefreshItemList(project, ctx, true);
    std::printf("%s\n", list.itemLines.back().c_str());
    return 0;
}

int removeItem(const ProjectArgs& args, const WorkContext& ctx) {
    CProjectData project;
    if (!loadProjectTelling(project, ctx)) {
        std::fprintf(stderr, "%s 中没有工程文件 Talvor.PRJ\n", ctx.G_strWorkPath.c_str());
        return 2;
    }
    int position = args.removePos - 1;
    if (position < 0 || position >= project.itemCount[kKind]) {
        std::fprintf(stderr, "没有第 %d 个项目\n", args.removePos);
        return 1;
    }
    // The item's files go to the removed-items folder; the sink says where.
    return RemoveProjectItemAndSave(project, ctx, kKind, position) ? 0 : 1;
}

// Calculates one item as "算" and the calculation window do: the data file is
// read, the run writes the result files, and the data file is written back
// with its result views so that the list shows them. A design without a
// solution adds the item's line to `unsatisfied`. A data file that read with
// diagnostics is not rewritten: what was read may not be what was meant.
int calcItem(const ProjectArgs& args, const WorkContext& ctx, int position, int number,
             std::vector<std::string>& unsatisfied, std::vector<std::string>& failed) {
    std::string dataFile = workFile(ctx, ItemFileBase(number) + ".dat");
    CSlideCalcData item;
    const OpenedItem opened = OpenItemFile(dataFile, item, ctx.status);
    if (!opened.read) {
        std::fprintf(stderr, "%02d: %s\n", position + 1, UnreadableItemText(dataFile).c_str());
        return 2;
    }
    if (args.strict && !opened.mayRewrite()) {
        std::fprintf(stderr, "%02d: 计算数据文件有疑问, 按 --strict 未计算\n", position + 1);
        return 2;
    }
    RunOptions options;
    const std::string work = ctx.G_strWorkPath;
    if (!args.keepDirectives)
        options.finishReport = [work](const CalcRunResult& run) {
            return ExpandSavedReport(run.reportPath, run.report.utf8(), work, run.drawings.get());
        };
    const ItemCalculation calc =
        CalculateAndWriteBack(item, ctx, ItemFileBase(number), opened.mayRewrite(), options);
    const CalcRunResult& run = calc.run;
    char line[64];
    std::snprintf(line, sizeof line, "%02d  ", position + 1);
    if (!opened.mayRewrite()) {
        std::fprintf(stderr, "%02d: 计算数据文件读入时有疑问 (见上), 未改写 %s\n", position + 1,
                     dataFile.c_str());
    } else if (!calc.dataWritten) {
        std::fprintf(stderr, "%02d: 无法写入计算数据文件 %s\n", position + 1, dataFile.c_str());
        failed.push_back(line + item.name());
        return 1;
    }
    std::printf("%02d  %s: %s\n", position + 1, item.name().c_str(),
                run.result == 1 ? "计算成功" : "计算失败");
    const int status = CalcExitStatus(run);
    if (run.result != 1) failed.push_back(line + item.name());
    if (status != kNoDesignSatisfiesStatus) return status;
    std::fprintf(stderr, "%02d: 没有满足要求的方案\n", position + 1);
    unsatisfied.push_back(line + item.name());
    return kNoDesignSatisfiesStatus;
}

int calcItems(const ProjectArgs& args, const WorkContext& ctx) {
    CProjectData project;
    if (!loadProjectTelling(project, ctx)) {
        std::fprintf(stderr, "%s 中没有工程文件 Talvor.PRJ\n", ctx.G_strWorkPath.c_str());
        return 2;
    }
    const int count = project.itemCount[kKind];
    if (args.calcPos > count) {
        std::fprintf(stderr, "没有第 %d 个项目 (工程中有 %d 个项目)\n", args.calcPos, count);
        return 1;
    }
    auto app = args.keepDirectives ? nullptr : makeOffscreenGuiApplication();
    int worst = 0;
    std::vector<std::string> unsatisfied, failed;
    for (int i = 0; i < count; ++i) {
        if (args.calcPos != 0 && i != args.calcPos - 1) continue;
        worst = WorseStatus(
            worst, calcItem(args, ctx, i, project.itemNumbers[kKind][i], unsatisfied, failed));
    }
    if (!failed.empty()) {
        std::fprintf(stderr, "以下项目计算失败:\n");
        for (const std::string& line : failed) std::fprintf(stderr, "    %s\n", line.c_str());
    }
    if (!unsatisfied.empty()) {
        std::fprintf(stderr, "以下项目没有满足要求的方案:\n");
        for (const std::string& line : unsatisfied) std::fprintf(stderr, "    %s\n", line.c_str());
    }
    // A failed or unreadable item weighs more than a design without a solution.
    return worst;
}

}  // namespace

void addProjectCommand(CLI::App& app, int& exitCode) {
    auto args = std::make_shared<ProjectArgs>();
    CLI::App* cmd =
        app.add_subcommand("project", "工程目录中的项目: 列出、增加、删除、计算, 及模板库");
    cmd->add_option("DIR", args->dir, "工程目录 (工作路径)")->required();
    cmd->add_option("--program-dir", args->programDir,
                    "程序目录, 模板库 Template/ 在其中 (默认: 环境变量 TALVOR_PROGRAM_DIR, "
                    "否则由程序文件的位置找到)");
    cmd->require_subcommand(1);
    // --program-dir may follow the subcommand too.
    cmd->fallthrough();
    const auto position = CLI::Range(1, kMaxItems);

    CLI::App* list = cmd->add_subcommand("list", "列出各项目的描述和结果视图");
    list->callback([args, &exitCode] {
        StderrSinks sinks;
        exitCode = listItems(projectContext(*args, sinks));
    });

    CLI::App* add = cmd->add_subcommand("add", "增加一个项目, 取系统默认例题或模板库中的模板");
    add->add_option("--template", args->templatePos,
                    "模板在模板库中的序号 (1 为第一个, 见 templates); 默认取系统默认例题")
        ->check(CLI::Range(1, CTemplateIndex::kMaxTemplates));
    add->callback([args, &exitCode] {
        StderrSinks sinks;
        exitCode = addItem(*args, projectContext(*args, sinks));
    });

    CLI::App* remove = cmd->add_subcommand("remove", "从列表中删除一个项目 (文件移到 Removed/ 下)");
    remove->add_option("POS", args->removePos, "项目在列表中的序号 (1 为第一个)")
        ->required()
        ->check(position);
    remove->callback([args, &exitCode] {
        StderrSinks sinks;
        exitCode = removeItem(*args, projectContext(*args, sinks));
    });

    CLI::App* calc = cmd->add_subcommand("calc", "计算一个项目; 不给序号时按列表顺序计算全部项目");
    calc->add_option("POS", args->calcPos, "项目在列表中的序号 (1 为第一个)")->check(position);
    calc->add_flag("--keep-directives", args->keepDirectives,
                   "计算书写成带插图指令的 GBK 文本, 不写成 RTF");
    calc->add_flag("--strict", args->strict, "数据文件读入时有疑问的项目不计算 (退出状态 2)");
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

    CLI::App* templates =
        cmd->add_subcommand("templates", "列出模板库中的模板 (序号, 描述) 和模板库所在的目录");
    templates->callback([args, &exitCode] {
        StderrSinks sinks;
        exitCode = listTemplates(projectContext(*args, sinks));
    });
}
