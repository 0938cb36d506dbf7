// The pile's reinforcement in the report: settings, section, bars along the
// pile, stirrup zones, steel mass and cost, and the drawing.
#include "run/PileRebarSection.h"

#include "data/CSlideCalcData.h"
#include "diagrams/PileRebarDrawing.h"
#include "piles/Quantities.h"
#include "platform/Drawing.h"
#include "platform/FigureFormat.h"
#include "platform/DrawingShelf.h"
#include "platform/InputDiagnostics.h"
#include "platform/RebarSettingsFile.h"
#include "platform/ReportWriter.h"
#include "platform/WorkContext.h"
#include "rebar/PileReinforcement.h"
#include "rebar/RebarSettings.h"
#include "rebar/SectionDesignText.h"
#include "run/CSlideCalc.h"
#include "run/RunTargets.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace {

bool applies(const CSlideCalcData& item) {
    return item.goal == kGoalCheck && item.checkTarget == 2 && item.pileKindCount > 0 &&
           item.pileKinds[0].material == 0;
}

// Report values are the solver's negated, as the force table prints them.
std::vector<PileForceSample> samples(const std::vector<PileForcePoint>& points) {
    std::vector<PileForceSample> out;
    for (const PileForcePoint& p : points) {
        const float shear = std::fabs(p.shearA) >= std::fabs(p.shearB) ? p.shearA : p.shearB;
        out.push_back({p.depth, -(p.momentA + p.momentB) / 2.0, -static_cast<double>(shear)});
    }
    return out;
}

RebarSettings settingsFor(const CSlideCalc& calc, const CSlideCalcData& item, std::string* path) {
    const std::string& data =
        calc.runOptions().itemPath.empty() ? item.fileName() : calc.runOptions().itemPath;
    InputDiagnostics diagnostics;
    RebarSettings s;
    if (!data.empty()) {
        *path = RebarSettingsPathOf(data);
        s = ReadRebarSettings(*path, diagnostics);
    }
    // A damaged file is told and its faulty values stay at their defaults.
    diagnostics.tellTo(calc.status());
    return s;
}

PileRebarInput rebarInput(CSlideCalc& calc, const CSlideCalcData& item, const RebarSettings& s) {
    const CPileKind& kind = item.pileKinds[0];
    PileRebarInput in;
    SectionDesignInput& sec = in.section;
    sec.circle = kind.section == 0;
    sec.b = sec.d = kind.size1 * 10.0;  // cm to mm
    sec.h = kind.size2 * 10.0;
    sec.concreteGrade = 10 + 5 * kind.concreteGrade;
    sec.bar = s.bar;
    sec.stirrup = s.stirrup;
    sec.cover = s.cover;
    sec.leastClear = s.leastClear;
    sec.gamma0 = s.gamma0;
    sec.gammaF = s.gammaF;
    sec.crackLimit = s.crackLimit;
    in.points = samples(calc.pileSolver().points());
    in.length = kind.length;
    in.slipDepth = calc.pileSolver().slipDepth();
    in.piles = PilesPerRow(item.slopeLength, item.pileSpacing) * std::max(0, item.pileRows);
    in.price = s.price;
    return in;
}

void writeAlong(const PileRebar& r, ReportWriter& out) {
    out.printf("    纵筋沿桩长:\n");
    for (const FaceBars& f : r.faces) {
        out.printf("        %s: 通长 %s (As = %.0f mm2)", f.name.c_str(), f.through.label().c_str(),
                   f.through.area());
        if (f.hasCut()) {
            BarGroup cut = f.all;
            cut.bundles = f.cutBundles;
            out.printf("; 其余 %s 自 %.2f m 至 %.2f m (含锚固长度 la = %.0f mm)",
                       cut.label().c_str(), f.cutFrom, f.cutTo, f.anchorage);
        }
        out.printf("\n");
    }
    out.printf("    箍筋分区:\n");
    for (const StirrupZone& z : r.zones)
        out.printf("        %7.2f ~ %7.2f m  Φ%d@%d (%d 肢)\n", z.from, z.to, z.diameter, z.spacing,
                   z.legs);
}

void writeMass(const PileRebar& r, const RebarSettings& s, ReportWriter& out) {
    out.printf("    单桩钢筋质量 = %s kg (纵筋 %s kg, 箍筋 %s kg; 不计弯钩和搭接)\n",
               Fixed1(r.massPile()).c_str(), Fixed1(r.massBars).c_str(),
               Fixed1(r.massStirrups).c_str());
    out.printf("    全部桩钢筋质量 = %s t (%d 根)  钢筋费用 = %.0f 元 (单价 %.0f 元/t)\n",
               Fixed3(r.massAllTonnes()).c_str(), r.piles, r.cost(), s.price);
}

}  // namespace

std::string PileRebarDrawingName(const CSlideCalcData& item) {
    std::string report = item.GetRtfFileName(0);
    const size_t dot = report.rfind('.');
    if (report.empty() || dot == std::string::npos) return {};
    return report.substr(0, dot) + "_PJ.DXF";
}

void WritePileRebarSection(CSlideCalc& calc, const CSlideCalcData& item, ReportWriter& report) {
    if (!applies(item)) return;
    report.printf("\n[桩身配筋]\n");
    const int section = item.pileKinds[0].section;
    if (section != 0 && section != 1) {
        report.printf("    截面形式为“其他”, 不作配筋设计\n");
        return;
    }
    if (calc.pileSolver().points().empty()) {
        report.printf("    桩身内力无法计算, 不作配筋设计\n");
        return;
    }
    std::string path;
    const RebarSettings settings = settingsFor(calc, item, &path);
    report.printf("    配筋参数: %s\n",
                  path.empty() ? "默认值"
                               : (std::filesystem::path(path).filename().string() +
                                  (std::filesystem::exists(path) ? "" : " (无此文件, 用默认值)"))
                                     .c_str());
    const PileRebarInput in = rebarInput(calc, item, settings);
    const PileRebar r = DesignPileRebar(in);
    calc.result().pileRebar = r;
    WriteSectionDesign(r.design, report);
    if (r.faces.empty()) return;
    writeAlong(r, report);
    writeMass(r, settings, report);
    const std::string name = PileRebarDrawingName(item);
    if (name.empty()) return;
    writeResultDrawing(MakePileRebarDrawing(in, r), calc.context().G_strWorkPath, name,
                       calc.context().drawings);
}

void WritePileRebarDrawingEntry(const CSlideCalc& calc, const CSlideCalcData& item,
                                ReportWriter& report) {
    const std::string name = PileRebarDrawingName(item);
    std::error_code ec;
    if (name.empty() || !applies(item) ||
        !std::filesystem::exists(workFile(calc.context(), name), ec))
        return;
    report.printf("\n[桩身配筋图]\n");
    MorvaneScript(report, "InsertDxf=" + name);
}
