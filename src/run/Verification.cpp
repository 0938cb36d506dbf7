// Running the verification cases and taking their figures from the runs'
// results.
#include "run/Verification.h"

#include "data/CSlideCalcData.h"
#include "platform/InputDiagnostics.h"
#include "platform/FigureFormat.h"
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

using Format = std::string (*)(double);

Figure printed(Format format, double v) {
    return Printed(format, v);
}

template <typename T>
Figure printed(Format format, const std::optional<T>& v) {
    return v ? printed(format, *v) : std::nullopt;
}

// Quantities of the whole run.
struct RunFigure {
    const char* name;
    Figure (*of)(const RunResult&);
};

const RunFigure kRunFigures[] = {
    {"thrust", [](const RunResult& r) { return printed(Fixed3, r.thrust); }},
    {"thrust_angle", [](const RunResult& r) { return printed(Fixed3, r.thrustAngle); }},
    {"fs_implicit",
     [](const RunResult& r) {
         return r.fsOutcome == FsOutcome::Solved ? printed(Fixed4, r.fs) : std::nullopt;
     }},
    {"fs_explicit", [](const RunResult& r) { return printed(Fixed4, r.fsExplicit); }},
    {"back_phi",
     [](const RunResult& r) { return r.target == 3 ? printed(Fixed3, r.strength) : std::nullopt; }},
    {"back_c",
     [](const RunResult& r) { return r.target == 4 ? printed(Fixed3, r.strength) : std::nullopt; }},
    {"pile_safety", [](const RunResult& r) { return printed(Fixed3, r.pileSafety); }},
    {"pile_load",
     [](const RunResult& r) {
         return r.pileForces ? printed(Fixed3, r.pileForces->load) : std::nullopt;
     }},
    {"pile_moment",
     [](const RunResult& r) {
         return r.pileForces ? printed(Fixed3, r.pileForces->innerMoment) : std::nullopt;
     }},
    {"pile_moment_depth",
     [](const RunResult& r) {
         return r.pileForces ? printed(Fixed3, r.pileForces->innerDepth) : std::nullopt;
     }},
    {"steel_mass_pile",
     [](const RunResult& r) {
         return r.pileRebar && !r.pileRebar->faces.empty()
                    ? printed(Fixed1, r.pileRebar->massPile())
                    : std::nullopt;
     }},
    {"steel_mass_total",
     [](const RunResult& r) {
         return r.pileRebar && !r.pileRebar->faces.empty()
                    ? printed(Fixed3, r.pileRebar->massAllTonnes())
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
         return printed(Fixed4, f.balanced.doubly ? f.balanced.alphaS : f.rect.alphaS);
     }},
    {"xi", &rectFace,
     [](const SectionDesign&, const FaceDesign& f) { return printed(Fixed4, f.rect.xi); }},
    {"as_calc", &firstFace,
     [](const SectionDesign&, const FaceDesign& f) { return printed(Fixed0, f.AsCalc); }},
    {"as_req", &firstFace,
     [](const SectionDesign&, const FaceDesign& f) { return printed(Fixed0, f.AsReq); }},
    {"as_prov", &withBars,
     [](const SectionDesign&, const FaceDesign& f) { return printed(Fixed0, f.bars.area()); }},
    {"as_comp_balanced", &doubly,
     [](const SectionDesign&, const FaceDesign& f) { return printed(Fixed0, f.balanced.AsComp); }},
    {"as_balanced", &doubly,
     [](const SectionDesign&, const FaceDesign& f) { return printed(Fixed0, f.balanced.As); }},
    {"circle_alpha", &circleFace,
     [](const SectionDesign&, const FaceDesign& f) { return printed(Fixed4, f.circle.alpha); }},
    {"circle_alpha_t", &circleFace,
     [](const SectionDesign&, const FaceDesign& f) { return printed(Fixed4, f.circle.alphaT); }},
    {"mu", &withBars,
     [](const SectionDesign&, const FaceDesign& f) { return printed(Fixed3, f.Mu); }},
    {"w_max", &withBars,
     [](const SectionDesign&, const FaceDesign& f) { return printed(Fixed3, f.crack.wMax); }},
    {"v_limit", &firstFace,
     [](const SectionDesign& d, const FaceDesign&) {
         return printed(Fixed1, d.shear.Vmax / 1000.0);
     }},
    {"v_c", &firstFace,
     [](const SectionDesign& d, const FaceDesign&) {
         return printed(Fixed1, d.shear.Vc / 1000.0);
     }},
    {"asv_s", &firstFace,
     [](const SectionDesign& d, const FaceDesign&) { return printed(Fixed4, d.shear.AsvPerS); }},
    {"asv_s_calc", &firstFace,
     [](const SectionDesign& d, const FaceDesign&) {
         return printed(Fixed4, d.shear.AsvPerSCalc);
     }},
};

// Quantities of block k ("block2.weight").
struct BlockFigure {
    const char* name;
    Figure (*of)(const BlockFigures&);
};

const BlockFigure kBlockFigures[] = {
    {"weight", [](const BlockFigures& b) { return printed(Fixed3, b.weight); }},
    {"wet_weight", [](const BlockFigures& b) { return printed(Fixed3, b.wetWeight); }},
    {"area", [](const BlockFigures& b) { return printed(Fixed3, b.area); }},
    {"seepage", [](const BlockFigures& b) { return printed(Fixed3, b.seepage); }},
    {"buoyancy", [](const BlockFigures& b) { return printed(Fixed3, b.buoyancy); }},
    {"quake", [](const BlockFigures& b) { return printed(Fixed3, b.quake); }},
    {"length", [](const BlockFigures& b) { return printed(Fixed3, b.slipLength); }},
    {"driving", [](const BlockFigures& b) { return printed(Fixed3, b.driving); }},
    {"E", [](const BlockFigures& b) { return printed(Fixed3, b.E); }},
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
