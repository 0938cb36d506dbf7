// talvor-cli rebar section ...: the reinforcement of one pile section without
// an item, printed as the report's section prints it or as one CSV line.
#include "cli/Commands.h"

#include "platform/ReportWriter.h"
#include "rebar/SectionDesign.h"
#include "rebar/SectionDesignText.h"
#include "rebar/SectionInputKeys.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

struct SectionArgs {
    std::map<std::string, std::string> values;  // key of SetSectionInput -> text
    bool csv = false;
};

// Option name, key, help; every value goes through SetSectionInput.
struct SectionOption {
    const char* option;
    const char* key;
    const char* help;
};

const SectionOption kSectionOptions[] = {
    {"--shape", "shape", "截面形状: rect (矩形) 或 circle (圆形)"},
    {"--b", "b", "矩形截面宽 b (m, 垂直于推力方向)"},
    {"--h", "h", "矩形截面高 h (m, 沿推力方向)"},
    {"--d", "d", "圆形截面直径 (m)"},
    {"--concrete", "concrete", "混凝土强度等级, 如 C30"},
    {"--steel", "steel", "纵筋牌号: HPB300, HRB335, HRB400, HRB500"},
    {"--stirrup", "stirrup", "箍筋牌号"},
    {"--cover", "cover", "保护层厚度 (mm, 至箍筋外缘)"},
    {"--as", "as", "受拉边至受拉钢筋合力点的距离 (mm); 省略时由保护层、箍筋和所选钢筋定"},
    {"--as-other", "as_other", "另一侧边至其钢筋合力点的距离 (mm)"},
    {"--min-clear", "min_clear", "钢筋最小净距 (mm, 默认 50)"},
    {"--M", "M", "内侧(靠山侧)受拉弯矩标准值 (kN-m)"},
    {"--Mouter", "Mouter", "外侧(临空侧)受拉弯矩标准值 (kN-m)"},
    {"--V", "V", "剪力标准值 (kN)"},
    {"--Mq", "Mq", "裂缝验算用的准永久弯矩 (kN-m, 默认取 --M)"},
    {"--gamma0", "gamma0", "结构重要性系数 γ0 (默认 1.0)"},
    {"--gammaF", "gammaF", "荷载分项系数 γF (默认 1.35)"},
    {"--crack-limit", "crack_limit", "最大裂缝宽度限值 (mm, 默认 0.2)"},
};

int runSection(const SectionArgs& args) {
    SectionDesignInput in;
    std::string why;
    for (const auto& [key, value] : args.values) {
        if (!SetSectionInput(in, key, value, &why)) {
            std::fprintf(stderr, "%s\n", why.c_str());
            return 2;
        }
    }
    if (!SectionInputComplete(in, &why)) {
        std::fprintf(stderr, "%s\n", why.c_str());
        return 2;
    }
    const SectionDesign d = DesignSection(in);
    if (args.csv) {
        std::fputs(SectionDesignCsv(d).c_str(), stdout);
    } else {
        ReportWriter out;
        WriteSectionDesign(d, out);
        std::fputs(out.utf8().c_str(), stdout);
    }
    // 0 the section works, 1 it does not, 2 the input was refused.
    if (d.status == SectionStatus::Refused) return 2;
    return d.status == SectionStatus::Ok ? 0 : 1;
}

void addSectionCommand(CLI::App& rebar, int& exitCode) {
    auto args = std::make_shared<SectionArgs>();
    CLI::App* cmd = rebar.add_subcommand(
        "section", "按 GB 50010 设计一个桩身截面的配筋 (弯矩、剪力为标准值, 乘 γ0·γF 为设计值)");
    for (const SectionOption& o : kSectionOptions)
        cmd->add_option_function<std::string>(
            o.option,
            [args, key = std::string(o.key)](const std::string& v) { args->values[key] = v; },
            o.help);
    cmd->add_flag("--csv", args->csv, "输出一行表头和一行数据 (CSV)");
    cmd->callback([args, &exitCode] { exitCode = runSection(*args); });
}

}  // namespace

void addRebarCommand(CLI::App& app, int& exitCode) {
    CLI::App* cmd = app.add_subcommand("rebar", "抗滑桩桩身配筋: 截面验算");
    cmd->require_subcommand(0, 1);
    addSectionCommand(*cmd, exitCode);
}
