// Running the verification cases and reading their figures from the reports.
#include "run/Verification.h"

#include "data/CSlideCalcData.h"
#include "platform/InputDiagnostics.h"
#include "platform/LineReader.h"
#include "platform/PrintfFormat.h"
#include "platform/ReportWriter.h"
#include "platform/ScratchDir.h"
#include "platform/TextEncoding.h"
#include "platform/WorkContext.h"
#include "run/CSlideCalc.h"
#include "rebar/KeyValueLines.h"
#include "rebar/SectionDesign.h"
#include "rebar/SectionDesignText.h"
#include "rebar/SectionInputKeys.h"
#include "run/ResultNames.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <system_error>

namespace {

// A case that checks one reinforced section instead of an item.
constexpr const char* kSectionCaseFile = "section.txt";

// Quantities of the whole report: the line that holds the lead (the last such
// line for those a run may repeat) and the number right after it.
struct Figure {
    const char* name;
    const char* lead;
};

const Figure kFigures[] = {
    {"thrust", "处的滑坡推力 = "},
    {"thrust_angle", "推力角度 = "},
    {"fs_implicit", "    稳定系数(隐式解) Fs = "},
    {"fs_explicit", "    稳定系数(显式解) Fs = "},
    {"back_phi", "摩擦角 = "},
    {"back_c", "粘聚力 = "},
    {"pile_safety", "抗滑桩安全系数为                 = "},
    {"pile_load", "单桩荷载            = "},
    {"pile_moment", "内侧最大弯矩 = "},
    {"pile_moment_depth", "(kN-m) 距离桩顶 "},
    // The reinforcement of a section: the first face printed is the inner one.
    {"alpha_s", "αs = "},
    {"xi", "ξ = "},
    {"as_calc", "As计算 = "},
    {"as_req", "需要 As = "},
    {"as_prov", "实配 As = "},
    {"as_comp_balanced", "需 As' = "},
    {"as_balanced", "mm2, As = "},
    {"circle_alpha", "  α = "},
    {"circle_alpha_t", "αt = "},
    {"mu", "Mu = "},
    {"w_max", "wmax = "},
    {"v_limit", "βc·fc·b·h0 = "},
    {"v_c", "0.7ft·b·h0 = "},
    {"asv_s", "Asv/s = "},
    {"asv_s_calc", "mm2/mm (计算 "},
    {"steel_mass_pile", "单桩钢筋质量 = "},
    {"steel_mass_total", "全部桩钢筋质量 = "},
};

// Quantities of block k ("block2.weight"): the line within that block's part.
const Figure kBlockFigures[] = {
    {"weight", "        本块总重     = "},
    {"wet_weight", "浸水部分重 = "},
    {"area", "        本块总面积     = "},
    {"seepage", "        本块动水压力     = "},
    {"buoyancy", "        本块水浮托力     = "},
    {"quake", "        本块地震力     = "},
    {"length", "        有效的滑动面长度     = "},
    {"driving", "        下滑力 = "},
    {"E", "        本块剩余下滑力 = "},
};

bool numberAfter(std::string_view text, std::string_view lead, bool last, double* value) {
    const size_t at = last ? text.rfind(lead) : text.find(lead);
    if (at == std::string_view::npos) return false;
    const std::string rest(text.substr(at + lead.size(), 40));
    char* end = nullptr;
    *value = std::strtod(rest.c_str(), &end);
    return end != rest.c_str();
}

// The text of block k (1-based) of the first block-by-block section.
std::string_view blockText(std::string_view report, int k) {
    const std::string head = stringPrintf("    第 %d 块滑体\n", k);
    const size_t at = report.find(head);
    if (at == std::string_view::npos) return {};
    const size_t end = report.find("块滑体\n", at + head.size());
    return report.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
}

std::string runCase(const std::string& itemPath, const std::string& scratch) {
    CSlideCalcData item;
    if (!item.ReadDataFile(itemPath)) return {};
    SetResultFileNames(item, "verify");
    WorkContext ctx;
    ctx.G_strWorkPath = scratch;
    CSlideCalc calc(ctx);
    ReportWriter report;
    calc.RunItem(item, report);
    return report.utf8();
}

// A section case: the section's named values, designed and printed as the
// report's reinforcement section prints them.
std::string runSectionCase(const std::string& path, std::vector<std::string>& errors) {
    const std::optional<std::string> bytes = readFileBytes(path);
    if (!bytes) return {};
    InputDiagnostics diagnostics(path);
    SectionDesignInput in;
    std::string why;
    for (const KeyValueLine& kv : ParseKeyValueLines(decodeFileText(*bytes), diagnostics))
        if (!SetSectionInput(in, kv.key, kv.value, &why)) errors.push_back(path + ": " + why);
    for (const InputDiagnostic& d : diagnostics.items()) errors.push_back(diagnostics.text(d));
    if (!SectionInputComplete(in, &why)) errors.push_back(path + ": " + why);
    ReportWriter report;
    WriteSectionDesign(DesignSection(in), report);
    return report.utf8();
}

void checkCase(const std::filesystem::path& dir, const std::string& scratch, VerifyResult& out) {
    const std::string name = dir.filename().string();
    std::optional<std::string> expected = readFileBytes((dir / "expected.txt").string());
    std::error_code ec;
    const bool section = std::filesystem::exists(dir / kSectionCaseFile, ec);
    const std::string report = section
                                   ? runSectionCase((dir / kSectionCaseFile).string(), out.errors)
                                   : runCase((dir / "item.TV").string(), scratch);
    if (!expected || report.empty()) {
        out.errors.push_back(name + ": 无法读取 item.TV、section.txt 或 expected.txt");
        return;
    }
    std::istringstream lines(decodeFileText(*expected));
    std::string line;
    while (std::getline(lines, line)) {
        if (const size_t hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream fields(line);
        VerifyCheck c;
        c.caseName = name;
        if (!(fields >> c.quantity)) continue;
        if (!(fields >> c.expected >> c.tolerance)) {
            out.errors.push_back(name + ": 无法读取的期望值行: " + line);
            continue;
        }
        c.found = ReportFigure(report, c.quantity, &c.computed);
        out.checks.push_back(c);
    }
}

}  // namespace

bool VerifyCheck::passed() const {
    return found && std::fabs(computed - expected) <= tolerance;
}

bool VerifyResult::passed() const {
    return errors.empty() && !checks.empty() &&
           std::all_of(checks.begin(), checks.end(),
                       [](const VerifyCheck& c) { return c.passed(); });
}

bool ReportFigure(const std::string& report, const std::string& quantity, double* value) {
    for (const Figure& f : kFigures)
        if (quantity == f.name)
            return numberAfter(report, f.lead, quantity.starts_with("back"), value);
    int k = 0;
    char field[32] = {};
    if (std::sscanf(quantity.c_str(), "block%d.%31s", &k, field) != 2) return false;
    for (const Figure& f : kBlockFigures)
        if (std::string_view(field) == f.name)
            return numberAfter(blockText(report, k), f.lead, false, value);
    return false;
}

VerifyResult RunVerification(const std::string& dir) {
    VerifyResult out;
    std::error_code ec;
    std::vector<std::filesystem::path> cases;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec))
        if (entry.is_directory(ec) &&
            (std::filesystem::exists(entry.path() / "item.TV", ec) ||
             std::filesystem::exists(entry.path() / kSectionCaseFile, ec)))
            cases.push_back(entry.path());
    std::sort(cases.begin(), cases.end());
    if (cases.empty()) out.errors.push_back(dir + ": 没有验证算例");
    // Pile forces and designs write their charts: into a scratch directory.
    ScratchDir scratch;
    for (const auto& c : cases) checkCase(c, scratch.path(), out);
    return out;
}

std::string VerificationTable(const VerifyResult& result) {
    std::string out = stringPrintf("%-28s %-18s %14s %14s %12s  %s\n", "算例", "校核量", "期望值",
                                   "计算值", "差值", "结论");
    for (const VerifyCheck& c : result.checks) {
        if (!c.found) {
            out += stringPrintf("%-26s %-18s %14.4f %14s %12s  %s\n", c.caseName.c_str(),
                                c.quantity.c_str(), c.expected, "-", "-", "未找到");
            continue;
        }
        out += stringPrintf("%-26s %-18s %14.4f %14.4f %12.4f  %s\n", c.caseName.c_str(),
                            c.quantity.c_str(), c.expected, c.computed, c.computed - c.expected,
                            c.passed() ? "通过" : "不符");
    }
    for (const std::string& e : result.errors) out += "错误: " + e + "\n";
    int passed = 0;
    for (const VerifyCheck& c : result.checks) passed += c.passed();
    out += stringPrintf(
        "%d passed, %d failed\n", passed,
        static_cast<int>(result.checks.size()) - passed + static_cast<int>(result.errors.size()));
    return out;
}
