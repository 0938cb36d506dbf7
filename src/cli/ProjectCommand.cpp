// talvor-cli project DIR list|add|remove|calc|summary|templates: the item list
// of a project directory for batch work, as the project window's item bar
// keeps it, and the template library new items start from.
#include "cli/Commands.h"

#include "platform/ProgramDirectory.h"
#include "platform/Sinks.h"
#include "platform/WorkContext.h"
#include "project/CPileLibrary.h"
#include "project/CProjectData.h"
#include "project/CTemplateIndex.h"
#include "project/ItemFiles.h"
#include "project/ProjectItems.h"
#include "project/ProjectOpening.h"
#include "run/ItemCalculation.h"

#include "render/DrawingRenderer.h"
#include "render/ProjectSummaryFiles.h"
#include "render/ReportTextDocument.h"

#include <QGuiApplication>

namespace {

constexpr int kKind = 0;  // the one calculation kind

struct ProjectArgs {
    std::string dir;
    std::string programDir;
    int templatePos = 0;  // 0: the system default
    int removePos = 0;
    int calcPos = 0;  // 0: not given, every item
    int jobs = 0;     // summary threads; 0: one per core
    SummaryPaths summary;
    bool keepDirectives = false;
    bool strict = false;
};

WorkContext projectContext(const ProjectArgs& args, StderrSinks& sinks) {
    WorkContext ctx;
    ctx.G_strWorkPath = withTrailingSlash(args.dir);
    ctx.G_strExePath =
        args.programDir.empty() ? ProgramDirectory() : withTrailingSlash(args.programDir);
    ctx.status = &sinks;
    ctx.messages = &sinks;
    return ctx;
}

// The project record, or 2 with the reason told when there is none.
int noProject(const WorkContext& ctx) {
    return tell(2, "%s 中没有工程文件 Talvor.PRJ\n", ctx.G_strWorkPath.c_str());
}

int openProject(const WorkContext& ctx, CProjectData& project) {
    return OpenProjectRecord(ctx, project) == ProjectLoad::Loaded ? 0 : noProject(ctx);
}

// A result file the list names but the directory lacks is marked, so that a
// view without its drawing is not taken for a result.
std::string fileMark(const std::string& name, bool present) {
    return present ? name : name + " (缺失)";
}

int listItems(const ProjectArgs&, const WorkContext& ctx) {
    CProjectData project;
    if (int status = openProject(ctx, project)) return status;
    for (const ListedItem& item : ListProjectItems(project, ctx)) {
        std::printf("%s\n", item.line.c_str());
        for (size_t r = 0; r < item.results.size(); ++r) {
            const ResultView& v = item.results[r];
            std::printf("    %zu. %s  [%s, %s]\n", r + 1, v.title.c_str(),
                        fileMark(v.drawing, v.drawingPresent).c_str(),
                        fileMark(v.report, v.reportPresent).c_str());
        }
    }
    return 0;
}

// Where the templates are looked for: said whenever a template is missing,
// since a wrong program directory is the usual cause; gives that status, 2.
int tellTemplateDirectory(const WorkContext& ctx) {
    return tell(2,
                "模板库在程序目录下的 Template 中; 程序目录用 --program-dir 或环境变量 "
                "TALVOR_PROGRAM_DIR 指定 (现为 %s)\n",
                ctx.G_strExePath.c_str());
}

// The templates of the library with their positions, as the chooser lists
// them; the directory is not created when it is missing.
int listTemplates(const ProjectArgs&, const WorkContext& ctx) {
    const std::string dir = TemplateDirectory(ctx, false);
    std::vector<std::string> lines;
    if (!ListTemplates(ctx, lines)) {
        std::fprintf(stderr, "%s 中没有模板库 (Talvor.MB)\n", dir.c_str());
        return tellTemplateDirectory(ctx);
    }
    std::printf("模板库 %s\n", dir.c_str());
    for (size_t i = 0; i < lines.size(); ++i) std::printf("%3zu  %s\n", i + 1, lines[i].c_str());
    if (lines.empty()) std::printf("(没有模板)\n");
    std::vector<std::string> piles;
    if (ListPileLibrary(ctx, piles))
        std::printf("桩库 %s\n", exeFile(ctx, CPileLibrary::kFileName).c_str());
    for (const std::string& line : piles) std::printf("%s\n", line.c_str());
    return 0;
}

int addItem(const ProjectArgs& args, const WorkContext& ctx) {
    const AddedItem added = AddItemFromTemplate(ctx, args.templatePos);
    switch (added.outcome) {
        case AddOutcome::Added:
            std::printf("%s\n", added.line.c_str());
            return 0;
        case AddOutcome::NoSuchTemplate:
            std::fprintf(
                stderr, "模板库 %s 中没有第 %d 个模板 (共 %d 个, 见 project DIR templates)\n",
                TemplateDirectory(ctx, false).c_str(), args.templatePos, added.templateCount);
            return tellTemplateDirectory(ctx);
        case AddOutcome::TemplateUnreadable:
            return tell(2, "无法读取模板 %d 的数据文件\n", added.templateNumber);
        case AddOutcome::Full:
            return tell(1, "不能再增加项目 (每个工程至多 100 个项目, 编号至多 5000)\n");
        case AddOutcome::NotWritten:
            return tell(1, "无法写入工程目录 %s\n", ctx.G_strWorkPath.c_str());
        case AddOutcome::NotOpened:
        case AddOutcome::NotSaved:
            break;  // told where it happened
    }
    return 1;
}

int removeItem(const ProjectArgs& args, const WorkContext& ctx) {
    CProjectData project;
    if (int status = openProject(ctx, project)) return status;
    int position = args.removePos - 1;
    if (position < 0 || position >= project.itemCount[kKind])
        return tell(1, "没有第 %d 个项目\n", args.removePos);
    // The item's files go to the removed-items folder; the sink says where.
    return RemoveProjectItemAndSave(project, ctx, kKind, position) ? 0 : 1;
}

// Calculates one item as "算" and the calculation window do; a failed item or
// a design without a solution adds the item's line to the list told at the end.
int calcItem(const ProjectArgs& args, const WorkContext& ctx, int position, int number,
             std::vector<std::string>& unsatisfied, std::vector<std::string>& failed) {
    RunOptions options;
    if (!args.keepDirectives) options.finishReport = ExpandingSavedReports(ctx.G_strWorkPath);
    const std::string dataFile = workFile(ctx, ItemFileBase(number) + ".dat");
    const ItemFileCalculation c = CalculateItemFile(dataFile, ctx, args.strict, true, options);
    const int pos = position + 1;
    char line[64];
    std::snprintf(line, sizeof line, "%02d  ", pos);
    switch (c.outcome) {
        case ItemFileOutcome::Unreadable:
            return tell(c.status, "%02d: %s\n", pos, UnreadableItemText(dataFile).c_str());
        case ItemFileOutcome::Refused:
            return tell(c.status, "%02d: 计算数据文件有疑问, 按 --strict 未计算\n", pos);
        case ItemFileOutcome::NotWrittenBack:
        case ItemFileOutcome::NoWorkPath:  // the project directory holds the item
            std::fprintf(stderr, "%02d: 无法写入计算数据文件 %s\n", pos, dataFile.c_str());
            failed.push_back(line + c.name);
            return c.status;
        case ItemFileOutcome::Calculated:
            break;
    }
    if (!c.opened.mayRewrite())
        std::fprintf(stderr, "%02d: 计算数据文件读入时有疑问 (见上), 未改写 %s\n", pos,
                     dataFile.c_str());
    const bool succeeded = c.calc.run.result == 1;
    std::printf("%02d  %s: %s\n", pos, c.name.c_str(), succeeded ? "计算成功" : "计算失败");
    if (!succeeded) failed.push_back(line + c.name);
    if (c.status != kNoDesignSatisfiesStatus) return c.status;
    std::fprintf(stderr, "%02d: 没有满足要求的方案\n", pos);
    unsatisfied.push_back(line + c.name);
    return c.status;
}

void tellItems(const char* title, const std::vector<std::string>& lines) {
    if (!lines.empty()) std::fprintf(stderr, "%s\n", title);
    for (const std::string& line : lines) std::fprintf(stderr, "    %s\n", line.c_str());
}

int calcItems(const ProjectArgs& args, const WorkContext& ctx) {
    CProjectData project;
    if (int status = openProject(ctx, project)) return status;
    const int count = project.itemCount[kKind];
    if (args.calcPos > count)
        return tell(1, "没有第 %d 个项目 (工程中有 %d 个项目)\n", args.calcPos, count);
    auto app = args.keepDirectives ? nullptr : makeOffscreenGuiApplication();
    int worst = 0;
    std::vector<std::string> unsatisfied, failed;
    for (int i = 0; i < count; ++i) {
        if (args.calcPos != 0 && i != args.calcPos - 1) continue;
        worst = WorseStatus(
            worst, calcItem(args, ctx, i, project.itemNumbers[kKind][i], unsatisfied, failed));
    }
    tellItems("以下项目计算失败:", failed);
    tellItems("以下项目没有满足要求的方案:", unsatisfied);
    // A failed or unreadable item weighs more than a design without a solution.
    return worst;
}

// The summary table as CSV, RTF and PDF: 1 when one could not be written.
int summarize(const ProjectArgs& args, const WorkContext& ctx) {
    const ProjectSummaryFiles done = WriteProjectSummary(ctx, args.summary, args.jobs);
    if (!done.projectRead) return noProject(ctx);
    // What the fresh runs told, item by item in list order.
    for (const SummaryRow& r : done.rows)
        for (const std::string& t : r.told)
            std::fprintf(stderr, "项目 %d: %s\n", r.number, t.c_str());
    int status = 0;
    for (const WrittenFile& f : done.files) {
        std::fprintf(stderr, f.written ? "汇总表: %s\n" : "无法写入 %s\n", f.path.c_str());
        status |= f.written ? 0 : 1;
    }
    return status;
}

// The subcommand's work, run with the project's context when it is chosen.
template <typename Work>
void onRun(CLI::App* sub, const std::shared_ptr<ProjectArgs>& args, int& exitCode, Work work) {
    sub->callback([args, &exitCode, work] {
        StderrSinks sinks;
        exitCode = work(*args, projectContext(*args, sinks));
    });
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
    // Positions are 1-based; 0 is refused, so that a mistyped position never runs every item.
    const auto position = CLI::Range(1, CProjectData::kMaxItems);

    CLI::App* list = cmd->add_subcommand("list", "列出各项目的描述和结果视图");
    onRun(list, args, exitCode, listItems);

    CLI::App* add = cmd->add_subcommand("add", "增加一个项目, 取系统默认例题或模板库中的模板");
    add->add_option("--template", args->templatePos,
                    "模板在模板库中的序号 (1 为第一个, 见 templates); 默认取系统默认例题")
        ->check(CLI::Range(1, CTemplateIndex::kMaxTemplates));
    onRun(add, args, exitCode, addItem);

    CLI::App* remove = cmd->add_subcommand("remove", "从列表中删除一个项目 (文件移到 Removed/ 下)");
    remove->add_option("POS", args->removePos, "项目在列表中的序号 (1 为第一个)")
        ->required()
        ->check(position);
    onRun(remove, args, exitCode, removeItem);

    CLI::App* calc = cmd->add_subcommand("calc", "计算一个项目; 不给序号时按列表顺序计算全部项目");
    calc->add_option("POS", args->calcPos, "项目在列表中的序号 (1 为第一个)")->check(position);
    calc->add_flag("--keep-directives", args->keepDirectives,
                   "计算书写成带插图指令的 GBK 文本, 不写成 RTF");
    calc->add_flag("--strict", args->strict, "数据文件读入时有疑问的项目不计算 (退出状态 2)");
    onRun(calc, args, exitCode, calcItems);

    CLI::App* summary = cmd->add_subcommand("summary", "计算全部项目并写出汇总表(CSV、RTF、PDF)");
    summary->add_option("--jobs", args->jobs, "并行计算的线程数 (默认: 每个处理器核一个)");
    summary->add_option("--csv", args->summary.csv,
                        "CSV 汇总表文件 (默认: 工程目录下 Talvor_Summary.csv)");
    summary->add_option("--rtf", args->summary.rtf, "RTF 汇总表文件 (默认: Talvor_Summary.RTF)");
    summary->add_option("--pdf", args->summary.pdf, "PDF 汇总表文件 (默认: Talvor_Summary.pdf)");
    onRun(summary, args, exitCode, summarize);

    CLI::App* templates = cmd->add_subcommand(
        "templates", "列出模板库中的模板 (序号, 描述) 和模板库所在的目录, 及程序目录中的桩库");
    onRun(templates, args, exitCode, listTemplates);
}
