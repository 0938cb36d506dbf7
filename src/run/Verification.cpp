// Running the verification cases and taking their figures from the runs'
// results.
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

// A figure as the report prints it, read as the engineer reads it: the
// check compares what the report says, not more digits than it shows.
using Figure = std::optional<double>;

Figure printed(double v, int decimals) {
    return std::strtod(stringPrintf("%.*f", decimals, v).c_str(), nullptr);
}

template <typename T>
Figure printed(const std::optional<T>& v, int decimals) {
    return v ? printed(*v, decimals) : std::nullopt;
}

// Quantities of the whole run.
struct RunFigure {
    const char* name;
    Figure (*of)(const RunResult&);
};

const RunFigure kRunFigures[] = {
    {"thrust", [](const RunResult& r) { return printed(r.thrust, 3); }},
    {"thrust_angle", [](const RunResult& r) { return printed(r.thrustAngle, 3); }},
    {"fs_implicit",
     [](const RunResult& r) {
         return r.fsOutcome == FsOutcome::Solved ? printed(r.fs, 4) : std::nullopt;
     }},
    {"fs_explicit", [](const RunResult& r) { return printed(r.fsExplicit, 4); }},
    {"back_phi",
     [](const RunResult& r) { return r.target == 3 ? printed(r.strength, 3) : std::nullopt; }},
    {"back_c",
     [](const RunResult& r) { return r.target == 4 ? printed(r.strength, 3) : std::nullopt; }},
    {"pile_safety", [](const RunResult& r) { return printed(r.pileSafety, 3); }},
    {"pile_load",
     [](const RunResult& r) {
         return r.pileForces ? printed(r.pileForces->load, 3) : std::nullopt;
     }},
    {"pile_moment",
     [](const RunResult& r) {
         return r.pileForces ? printed(r.pileForces->innerMoment, 3) : std::nullopt;
     }},
    {"pile_moment_depth",
     [](const RunResult& r) {
         return r.pileForces ? printed(r.pileForces->innerDepth, 3) : std::nullopt;
     }},
    {"steel_mass_pile",
     [](const RunResult& r) {
         return r.pileRebar && !r.pileRebar->faces.empty() ? printed(r.pileRebar->massPile(), 1)
                                                           : std::nullopt;
     }},
    {"steel_mass_total",
     [](const RunResult& r) {
         return r.pileRebar && !r.pileRebar->faces.empty()
                    ? printed(r.pileRebar->massAllTonnes(), 3)
                    : std::nullopt;
     }},
};

// The first face that has bars; null when none has.
const FaceDesign* withBars(const SectionDesign& d) {
    for (const FaceDesign& f : d.faces)
        if (!f.bars.empty()) return &f;
    return nullptr;
}

// The first face designed doubly reinforced; null when none was.
const FaceDesign* doubly(const SectionDesign& d) {
    for (const FaceDesign& f : d.faces)
        if (!d.input.circle && f.balanced.doubly) return &f;
    return nullptr;
}

// The first face of a rectangle; null for a circle.
const FaceDesign* rectFace(const SectionDesign& d) {
    return d.input.circle || d.faces.empty() ? nullptr : &d.faces.front();
}

const FaceDesign* circleFace(const SectionDesign& d) {
    return !d.input.circle || d.faces.empty() ? nullptr : &d.faces.front();
}

const FaceDesign* firstFace(const SectionDesign& d) {
    return d.faces.empty() ? nullptr : &d.faces.front();
}

// Quantities of a reinforced section; where the section prints a figure for
// each face, the first face printed (the inner one) is meant.
struct SectionFigure {
    const char* name;
    const FaceDesign* (*face)(const SectionDesign&);  // the face it is printed for
    Figure (*of)(const SectionDesign&, const FaceDesign&);
};

const SectionFigure kSectionFigures[] = {
    {"alpha_s", &rectFace,
     [](const SectionDesign&, const FaceDesign& f) {
         return printed(f.balanced.doubly ? f.balanced.alphaS : f.rect.alphaS, 4);
     }},
    {"xi", &rectFace,
     [](const SectionDesign&, const FaceDesign& f) { return printed(f.rect.xi, 4); }},
    {"as_calc", &firstFace,
     [](const SectionDesign&, const FaceDesign& f) { return printed(f.AsCalc, 0); }},
    {"as_req", &firstFace,
     [](const SectionDesign&, const FaceDesign& f) { return printed(f.AsReq, 0); }},
    {"as_prov", &withBars,
     [](const SectionDesign&, const FaceDesign& f) { return printed(f.bars.area(), 0); }},
    {"as_comp_balanced", &doubly,
     [](const SectionDesign&, const FaceDesign& f) { return printed(f.balanced.AsComp, 0); }},
    {"as_balanced", &doubly,
     [](const SectionDesign&, const FaceDesign& f) { return printed(f.balanced.As, 0); }},
    {"circle_alpha", &circleFace,
     [](const SectionDesign&, const FaceDesign& f) { return printed(f.circle.alpha, 4); }},
    {"circle_alpha_t", &circleFace,
     [](const SectionDesign&, const FaceDesign& f) { return printed(f.circle.alphaT, 4); }},
    {"mu", &withBars, [](const SectionDesign&, const FaceDesign& f) { return printed(f.Mu, 3); }},
    {"w_max", &withBars,
     [](const SectionDesign&, const FaceDesign& f) { return printed(f.crack.wMax, 3); }},
    {"v_limit", &firstFace,
     [](const SectionDesign& d, const FaceDesign&) { return printed(d.shear.Vmax / 1000.0, 1); }},
    {"v_c", &firstFace,
     [](const SectionDesign& d, const FaceDesign&) { return printed(d.shear.Vc / 1000.0, 1); }},
    {"asv_s", &firstFace,
     [](const SectionDesign& d, const FaceDesign&) { return printed(d.shear.AsvPerS, 4); }},
    {"asv_s_calc", &firstFace,
     [](const SectionDesign& d, const FaceDesign&) { return printed(d.shear.AsvPerSCalc, 4); }},
};

// Quantities of block k ("block2.weight").
struct BlockFigure {
    const char* name;
    Figure (*of)(const BlockFigures&);
};

const BlockFigure kBlockFigures[] = {
    {"weight", [](const BlockFigures& b) { return printed(b.weight, 3); }},
    {"wet_weight", [](const BlockFigures& b) { return printed(b.wetWeight, 3); }},
    {"area", [](const BlockFigures& b) { return printed(b.area, 3); }},
    {"seepage", [](const BlockFigures& b) { return printed(b.seepage, 3); }},
    {"buoyancy", [](const BlockFigures& b) { return printed(b.buoyancy, 3); }},
    {"quake", [](const BlockFigures& b) { return printed(b.quake, 3); }},
    {"length", [](const BlockFigures& b) { return printed(b.slipLength, 3); }},
    {"driving", [](const BlockFigures& b) { return printed(b.driving, 3); }},
    {"E", [](const BlockFigures& b) { return printed(b.E, 3); }},
};

// What a case computed: an item's run, or one section.
struct CaseResult {
    std::optional<RunResult> run;
    std::optional<SectionDesign> section;
};

// The section a case designed: its own, or the pile's of an item run.
const SectionDesign* sectionOf(const CaseResult& c) {
    if (c.section) return &*c.section;
    return c.run && c.run->pileRebar ? &c.run->pileRebar->design : nullptr;
}

Figure sectionFigure(const SectionDesign& d, const SectionFigure& f) {
    if (d.status == SectionStatus::Refused) return std::nullopt;
    const FaceDesign* face = f.face(d);
    return face ? f.of(d, *face) : std::nullopt;
}

Figure caseFigure(const CaseResult& c, const std::string& quantity) {
    for (const RunFigure& f : kRunFigures)
        if (quantity == f.name) return c.run ? f.of(*c.run) : std::nullopt;
    for (const SectionFigure& f : kSectionFigures)
        if (quantity == f.name) {
            const SectionDesign* d = sectionOf(c);
            return d ? sectionFigure(*d, f) : std::nullopt;
        }
    int k = 0;
    char field[32] = {};
    if (!c.run || std::sscanf(quantity.c_str(), "block%d.%31s", &k, field) != 2 || k < 1 ||
        k > static_cast<int>(c.run->blocks.size()) || c.run->blocks[k - 1].vertical)
        return std::nullopt;
    for (const BlockFigure& f : kBlockFigures)
        if (std::string_view(field) == f.name) return f.of(c.run->blocks[k - 1]);
    return std::nullopt;
}

std::optional<RunResult> runCase(const std::string& itemPath, const std::string& scratch) {
    CSlideCalcData item;
    if (!item.ReadDataFile(itemPath)) return std::nullopt;
    SetResultFileNames(item, "verify");
    WorkContext ctx;
    ctx.G_strWorkPath = scratch;
    CSlideCalc calc(ctx);
    ReportWriter report;
    calc.RunItem(item, report);
    return calc.result();
}

// A section case: the section's named values, designed.
std::optional<SectionDesign> runSectionCase(const std::string& path,
                                            std::vector<std::string>& errors) {
    const std::optional<std::string> bytes = readFileBytes(path);
    if (!bytes) return std::nullopt;
    InputDiagnostics diagnostics(path);
    SectionDesignInput in;
    std::string why;
    for (const KeyValueLine& kv : ParseKeyValueLines(decodeFileText(*bytes), diagnostics))
        if (!SetSectionInput(in, kv.key, kv.value, &why)) errors.push_back(path + ": " + why);
    for (const InputDiagnostic& d : diagnostics.items()) errors.push_back(diagnostics.text(d));
    if (!SectionInputComplete(in, &why)) errors.push_back(path + ": " + why);
    return DesignSection(in);
}

void checkCase(const std::filesystem::path& dir, const std::string& scratch, VerifyResult& out) {
    const std::string name = dir.filename().string();
    std::optional<std::string> expected = readFileBytes((dir / "expected.txt").string());
    std::error_code ec;
    const bool section = std::filesystem::exists(dir / kSectionCaseFile, ec);
    CaseResult result;
    if (section)
        result.section = runSectionCase((dir / kSectionCaseFile).string(), out.errors);
    else
        result.run = runCase((dir / "item.TV").string(), scratch);
    if (!expected || (!result.section && !result.run)) {
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
        const Figure figure = caseFigure(result, c.quantity);
        c.found = figure.has_value();
        c.computed = figure.value_or(0.0);
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
