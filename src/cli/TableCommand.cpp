// talvor-cli table ITEM [TABLE [--points] [--set ROW,COL=TEXT]... [--editable] [--write]]:
// the input tables without a window. Each --set goes through the table and
// its page exactly as typing into the desktop program's cell does; the table
// is then printed as the program shows it, one tab-separated line per row.
// Exit status 3 when a --set was refused (a cell a user cannot type into, or
// not of the form ROW,COL=TEXT); the other sets still apply.
#include "cli/Commands.h"
#include "cli/UsageErrors.h"

#include "platform/Sinks.h"
#include "tables/TableText.h"

#include <vector>

namespace {

void printLines(const std::vector<std::string>& lines, FILE* to) {
    for (const std::string& line : lines) std::fprintf(to, "%s\n", line.c_str());
}

int runTable(const ItemTableRequest& args) {
    StderrSinks sinks;
    const ItemTable t = WorkItemTable(args, sinks, sinks);
    for (const TablePlace& p : t.tables)
        std::printf("%s\t%s\t%d\n", p.name.c_str(), p.page.c_str(), p.rows);
    printLines(t.refused, stderr);
    printLines(t.rows, stdout);
    std::fflush(stdout);
    printLines(t.warnings, stderr);
    switch (t.outcome) {
        case ItemTableOutcome::Done:
            return t.refused.empty() ? 0 : 3;
        case ItemTableOutcome::ItemUnreadable:
            return 2;
        case ItemTableOutcome::NoSuchTable:
            return tell(2, "没有表格 %s（不带表格名运行可列出全部表格）\n", args.table.c_str());
        case ItemTableOutcome::NoPoints:
            return tell(kUsageErrorStatus,
                        "--points 只用于 CSlipTable、CSlopeTable 和 CWaterTable\n");
        case ItemTableOutcome::ItemGuessed:
            return tell(2, "计算数据文件读入时有疑问 (见上), 未改写 %s\n", args.item.c_str());
        case ItemTableOutcome::NotWritten:
            break;
    }
    return tell(1, "无法写入计算数据文件 %s\n", args.item.c_str());
}

}  // namespace

void addTableCommand(CLI::App& app, int& exitCode) {
    auto args = std::make_shared<ItemTableRequest>();
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
