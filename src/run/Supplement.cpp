// The supplement after the original report: the two stability lines of the
// section as entered, those without berm and unloading, the thrust line and
// the run's outcome, then the block table, checks and pile sheets.
#include "run/Supplement.h"

#include "data/CSlideCalcData.h"
#include "engine/GeometryWarnings.h"
#include "engine/ThrustPass.h"
#include "platform/FigureFormat.h"
#include "platform/ReportWriter.h"
#include "run/CSlideCalc.h"
#include "run/DesignExplanation.h"
#include "run/PileForces.h"
#include "run/PileRebarSection.h"
#include "run/ResultNames.h"

#include "platform/WorkContext.h"

#include <cmath>
#include <filesystem>

namespace {

// "    <lead>(隐式解) Fs = 1.2345  稳定状态: 稳定", or what stands in for the
// value where the bisection found no root within its range.
void writeImplicit(const char* lead, const StabilityResult& r, double Fst, ReportWriter& out) {
    const std::string fs = ImplicitFsText(r.outcome, r.implicitFs);
    const std::string state = ImplicitFsState(r, Fst);
    if (r.outcome == FsOutcome::Solved)
        out.printf("    %s(隐式解) Fs = %s  稳定状态: %s\n", lead, fs.c_str(), state.c_str());
    else if (r.outcome == FsOutcome::NoMass)
        out.printf("    %s(隐式解) Fs %s\n", lead, fs.c_str());
    else
        out.printf("    %s(隐式解) Fs %s  稳定状态: %s  (超出求解范围 %.2f~%.0f)\n", lead,
                   fs.c_str(), state.c_str(), kFsLowest, kFsHighest);
}

void writeExplicit(const char* lead, const StabilityResult& r, double Fst, ReportWriter& out) {
    if (r.explicitDefined)
        out.printf("    %s(显式解) Fs = %s  稳定状态: %s\n", lead, Fixed4(r.explicitFs).c_str(),
                   StabilityState(r.explicitFs, Fst).c_str());
    else
        out.printf("    %s(显式解) Fs 无法计算 (传递后的下滑力之和不大于 0)\n", lead);
}

// T, R, ψ and E of every block at the implicit Fs (at the bound passed when
// the root lies outside the range).
void writeBlockTable(const StabilityResult& r, ReportWriter& out) {
    if (r.outcome == FsOutcome::NoMass) return;
    std::vector<double> psi, E;
    ImplicitResidual(r.blocks, r.implicitFs, &psi, &E);
    out.printf("\n    隐式解 Fs = %s 时各块的传递(计至 X = %sm):\n", Fixed4(r.implicitFs).c_str(),
               Fixed3(r.xStar).c_str());
    out.printf("     块号   下滑力T(kN)   抗滑力R(kN)  传递系数ψ   剩余下滑力E(kN)\n");
    for (size_t i = 0; i < r.blocks.size(); ++i) {
        const StabilityBlock& b = r.blocks[i];
        // The last force is 0 up to the bisection's rounding: no "-0.000".
        if (std::fabs(E[i]) < 0.0005) E[i] = 0.0;
        if (i == 0)
            out.printf("     %4d %13.3f %13.3f %11s %17.3f\n", b.k + 1, b.T, b.R, "-", E[i]);
        else
            out.printf("     %4d %13.3f %13.3f %11.4f %17.3f\n", b.k + 1, b.T, b.R, psi[i], E[i]);
    }
}

// The run's other drawings, each under its title as the sketch stands under
// "[计算简图]", in the order of the result views: the pile force or design
// charts when this run drew them (the run deletes the item's old result files
// first, so the file exists only then), and the residual-thrust curve, which
// the run always writes once the report is done.
void writeDrawings(const CSlideCalc& calc, const CSlideCalcData& item, ReportWriter& out) {
    const std::string charts = item.GetDxfFileName(kResultCharts);
    std::error_code ec;
    if (!charts.empty() && std::filesystem::exists(workFile(calc.context(), charts), ec)) {
        out.printf("\n[计算结果]\n");
        MorvaneScript(out, "InsertDxf=" + charts);
    }
    WritePileRebarDrawingEntry(calc, item, out);
    out.printf("\n[剩余下滑力曲线]\n");
    MorvaneScript(out, "InsertDxf=" + item.GetDxfFileName(kResultCurve));
}

void writeWarnings(const std::vector<std::string>& warnings, ReportWriter& out) {
    if (warnings.empty()) {
        out.printf("\n    几何检查: 未发现问题\n");
        return;
    }
    out.printf("\n    几何检查:\n");
    for (const std::string& w : warnings) out.printf("        %s\n", w.c_str());
}

}  // namespace

SupplementFacts GatherSupplementFacts(const CSlideCalcData& item) {
    SupplementFacts f;
    f.entered = ComputeStability(item);
    if (item.useBerm || item.useUnload) f.bare = ComputeStability(WithoutCountermeasures(item));
    f.warnings = GeometryWarnings(item, f.entered);
    f.thrustX = ThrustPosition(item);
    f.thrust = ComputeThrust(item, nullptr, &f.thrustAngle, nullptr, nullptr, nullptr);
    return f;
}

void WriteSupplement(CSlideCalc& calc, const CSlideCalcData& item, const SupplementFacts& facts,
                     ReportWriter& report) {
    // The section starts on a line of its own.
    if (!report.empty() && !report.utf8().ends_with('\n')) report.printf("\n");
    report.printf("[本程序补充]\n");
    const double Fst = item.thrustSafetyFactor;
    writeImplicit("稳定系数", facts.entered, Fst, report);
    writeExplicit("稳定系数", facts.entered, Fst, report);
    if (facts.bare) {
        writeImplicit("不计反压码和刷方时稳定系数", *facts.bare, Fst, report);
        writeExplicit("不计反压码和刷方时稳定系数", *facts.bare, Fst, report);
    }
    const RunResult& r = calc.result();
    report.printf("    计算位置 X = %sm 处的滑坡推力 = %s(kN)  推力角度 = %s(度)\n",
                  Fixed3(r.thrustX).c_str(), Fixed3(r.thrust).c_str(),
                  Fixed3(r.thrustAngle).c_str());
    report.printf("    计算状态: %s\n", r.succeeded ? "计算成功" : "计算失败");
    report.printf(
        "    注: 稳定系数按传递系数法计算，不计抗滑桩，各力不乘推力安全系数；"
        "稳定状态以推力安全系数 %.3f 为稳定安全系数划分。\n",
        Fst);
    writeBlockTable(facts.entered, report);
    writeWarnings(facts.warnings, report);
    WriteResultChecks(calc.plausibility(), report);
    WriteBlockNumbering(item, report);
    WriteDesignExplanation(calc, item, report);
    ReportPileDataSheet(calc.pileData(), calc.pileSolver(), report);
    WritePileRebarSection(calc, item, report);
    writeDrawings(calc, item, report);
    WriteAnnotatedSketch(calc, item, report);
}
