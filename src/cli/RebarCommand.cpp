// talvor-cli rebar ITEM [--set KEY=VALUE]... [--write]: an item's reinforcement
// settings, shown and edited; talvor-cli rebar section ...: the reinforcement
// of one pile section without an item, printed as the report's section prints
// it or as one CSV line.
#include "cli/Commands.h"

#include "rebar/RebarEditing.h"
#include "rebar/SectionInputKeys.h"

#include <algorithm>
#include <map>

namespace {

struct SectionArgs {
    std::map<std::string, std::string> values;  // key of SetSectionInput -> text
    bool csv = false;
};

int runSection(const SectionArgs& args) {
    const SectionCheck check = CheckSection(args.values, args.csv);
    if (!check.why.empty()) std::fprintf(stderr, "%s\n", check.why.c_str());
    std::fputs(check.text.c_str(), stdout);
    return check.status;
}

void addSectionCommand(CLI::App& rebar, int& exitCode) {
    auto args = std::make_shared<SectionArgs>();
    CLI::App* cmd = rebar.add_subcommand(
        "section", "按 GB 50010 设计一个桩身截面的配筋 (弯矩、剪力为标准值, 乘 γ0·γF 为设计值)");
    // Each key is an option of its own name, with "-" for "_": as_other is --as-other.
    for (const SectionInputKey& k : SectionInputKeys()) {
        std::string option = std::string("--") + k.key;
        std::replace(option.begin(), option.end(), '_', '-');
        cmd->add_option_function<std::string>(
            option,
            [args, key = std::string(k.key)](const std::string& v) { args->values[key] = v; },
            k.meaning);
    }
    cmd->add_flag("--csv", args->csv, "输出一行表头和一行数据 (CSV)");
    cmd->callback([args, &exitCode] { exitCode = runSection(*args); });
}

struct SettingsArgs {
    std::string item;
    std::vector<std::string> sets;
    bool write = false;
};

int runSettings(const SettingsArgs& args) {
    const RebarSettingsEdit e = EditRebarSettings(args.item, args.sets, args.write);
    if (e.outcome == RebarSettingsOutcome::NoItem)
        return tell(2, "找不到计算数据文件 %s\n", args.item.c_str());
    for (const std::string& line : e.told) std::fprintf(stderr, "%s\n", line.c_str());
    std::printf("%s\n", e.path.c_str());
    for (const std::string& line : e.lines) std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    if (e.outcome == RebarSettingsOutcome::KeptFaulty)
        std::fprintf(stderr, "配筋参数文件读入时有疑问 (见上), 未改写 %s\n", e.path.c_str());
    if (e.outcome == RebarSettingsOutcome::NotWritten)
        std::fprintf(stderr, "无法写入配筋参数文件 %s\n", e.path.c_str());
    if (e.outcome != RebarSettingsOutcome::Done)
        return e.outcome == RebarSettingsOutcome::KeptFaulty ? 2 : 1;
    return e.allTaken ? 0 : 3;
}

}  // namespace

void addRebarCommand(CLI::App& app, int& exitCode) {
    auto args = std::make_shared<SettingsArgs>();
    CLI::App* cmd = app.add_subcommand(
        "rebar", "抗滑桩桩身配筋: 显示、编辑计算项目的配筋参数；子命令 section 验算一个截面");
    cmd->add_option("ITEM", args->item,
                    "计算数据文件 (.TV 或 .DAT)；配筋参数文件在其旁, 扩展名 .PJ");
    cmd->add_option("--set", args->sets,
                    "按给出的顺序设置参数，格式 参数=值 (bar, stirrup, cover, gamma0, gammaF, "
                    "crack_limit, min_clear, price)；不能接受的值被拒绝，退出状态为 3")
        ->allow_extra_args(false);
    cmd->add_flag("--write", args->write, "将参数写入配筋参数文件；否则不改动磁盘上的文件");
    addSectionCommand(*cmd, exitCode);
    cmd->callback([cmd, args, &exitCode] {
        if (!cmd->get_subcommands().empty()) return;
        exitCode = args->item.empty()
                       ? tell(2, "请给出计算数据文件，或用 rebar section 验算一个截面\n")
                       : runSettings(*args);
    });
}
