// talvor-cli table ITEM [TABLE [--points] [--set ROW,COL=TEXT]... [--editable] [--write]]:
// the input tables without a window. Each --set goes through the table and
// its page exactly as typing into the desktop program's cell does; the table
// is then printed as the program shows it, one tab-separated line per row.
// Exit status 3 when a --set was refused (a cell a user cannot type into, or
// not of the form ROW,COL=TEXT); the other sets still apply.
#include "cli/Commands.h"
#include "cli/UsageErrors.h"

#include "data/CSlideCalcData.h"
#include "platform/Sinks.h"
#include "data/ItemOpening.h"
#include "tables/CTableBase.h"
#include "tables/CoordinateView.h"
#include "tables/TablePage.h"
#include "tables/TableText.h"

#include <vector>

namespace {

struct TableArgs {
    std::string item;
    std::string table;
    std::vector<std::string> sets;
    bool editable = false;
    bool points = false;
    bool write = false;
};

void printLines(const std::vector<std::string>& lines, FILE* to) {
    for (const std::string& line : lines) std::fprintf(to, "%s\n", line.c_str());
}

int runTable(const TableArgs& args) {
    CSlideCalcData item;
    StderrSinks sinks;
    const OpenedItem opened = OpenItemFile(args.item, item, &sinks, &sinks);
    if (!opened.read) return 2;
    if (args.table.empty()) {
        for (const TablePlace& t : ListTables(item))
            std::printf("%s\t%s\t%d\n", t.name.c_str(), t.page.c_str(), t.rows);
        return 0;
    }
    std::optional<TableId> id = tableByName(args.table);
    if (!id) {
        std::fprintf(stderr, "没有表格 %s（不带表格名运行可列出全部表格）\n", args.table.c_str());
        return 2;
    }
    CTablePage page(pageOfTable(*id), item);
    if (args.points) {
        if (!CoordinateView::Fits(*id)) {
            std::fprintf(stderr, "--points 只用于 CSlipTable、CSlopeTable 和 CWaterTable\n");
            return kUsageErrorStatus;
        }
        page.setPointsShown(true);
    }
    const std::vector<std::string> refused = TypeCellTexts(page, *id, args.sets);
    printLines(refused, stderr);
    printLines(TableRows(*page.find(*id), args.editable), stdout);
    std::fflush(stdout);
    printLines(CellWarnings(*page.find(*id)), stderr);
    // Rewriting would make the reader's guesses permanent: the file stays as it is.
    if (args.write && !opened.mayRewrite()) {
        std::fprintf(stderr, "计算数据文件读入时有疑问 (见上), 未改写 %s\n", args.item.c_str());
        return 2;
    }
    if (args.write && !item.WriteDataFile(args.item)) {
        std::fprintf(stderr, "无法写入计算数据文件 %s\n", args.item.c_str());
        return 1;
    }
    return refused.empty() ? 0 : 3;
}

}  // namespace

void addTableCommand(CLI::App& app, int& exitCode) {
    auto args = std::make_shared<TableArgs>();
    CLI::App* cmd = app.add_subcommand(
        "table", "列出计算项目的输入表格，或显示、编辑其中一个表格（与计算窗口中的表格规则相同）");
    cmd->add_option("ITEM", args->item, "计算数据文件 (.TV 或 .DAT)")->required();
    cmd->add_option("TABLE", args->table, "表格的类名，如 CSlipTable；省略时列出全部 17 个表格");
    cmd->add_option("--set", args->sets,
                    "按给出的顺序在单元格中输入文字，格式 行,列=文字（行、列从 1 起）；"
                    "不能输入的单元格被拒绝，退出状态为 3")
        ->allow_extra_args(false);
    cmd->add_flag("--points", args->points,
                  "滑面、坡面和水面表格在序号后加两列：各段终点的坐标 X、Y（m）。"
                  "输入坐标只移动这一点，前后两段的投影长随之改变；投影长此时由坐标算出，不能输入");
    cmd->add_flag("--editable", args->editable, "每个单元格显示 1（可输入）或 0，代替其文字");
    cmd->add_flag("--write", args->write,
                  "编辑后将计算数据文件写回（原文件保留为 .BAK）；否则不改动磁盘上的文件");
    cmd->callback([args, &exitCode] { exitCode = runTable(*args); });
}
