// Check target 2: the thrust, the record of pile kind 0, the load table, the
// solver, and the result block with the pile data sheet engineers check the
// solution by (rigidity, calculation width, rigid or elastic, balance), which
// the report's supplement carries.
#include "run/PileForces.h"

#include "data/CSlideCalcData.h"
#include "diagrams/PileForceDiagrams.h"
#include "piles/RailSection.h"
#include "run/CSlideCalc.h"
#include "platform/FigureFormat.h"
#include "platform/ReportWriter.h"
#include "platform/Sinks.h"
#include "platform/WorkContext.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kSteelModulus = 2.06e8f;  // kPa, steel and rail
constexpr float kTimberModulus = 1.0e7f;  // kPa

// Report values are the solver's negated. 0 - v instead of -v keeps a zero
// from printing as "-0.000".
float negated(float v) {
    return 0.0f - v;
}

void fillSection(const CPileKind& kind, CPile_ShuJu& pile, MessageSink* messages) {
    if (kind.material == 1) {
        float inertia = 0.0f, width = 0.0f;
        if (GetRailSection(kind.size1, &inertia, &width) == 0 && messages)
            messages->message("钢轨型号输入错误(本软件接受的型号为 33, 38, 43, 50)");
        pile.isRectangular = 1;
        pile.sectionB = pile.sectionH = pile.resistWidth = width;
        pile.hasInertia = 1;
        pile.inertia = inertia;
        pile.hasModulus = 1;
        pile.modulus = kSteelModulus;
        return;
    }
    // Sizes in cm become m; an inertia in cm4 becomes m4.
    if (kind.section == 0 || kind.section == 1) {
        pile.isRectangular = kind.section == 1 ? 1 : 0;
        pile.sectionB = kind.size1 / 100;
        pile.sectionH = kind.size2 / 100;
        pile.resistWidth = kind.size1 / 100;
    } else if (kind.section == 2) {
        pile.isRectangular = 1;
        pile.sectionB = pile.sectionH = pile.resistWidth = kind.size2 / 100;
        pile.hasInertia = 1;
        pile.inertia = kind.size1 / 1.0e8f;
    }
    if (kind.material == 2) {
        pile.hasModulus = 1;
        pile.modulus = kTimberModulus;
    } else if (kind.material == 3) {
        pile.hasModulus = 1;
        pile.modulus = kSteelModulus;
    }
}

void fillLayers(const CSlideCalcData& item, CPile_ShuJu& pile) {
    const int n = std::clamp(item.layerCount, 0, CPile_ShuJu::kMaxLayers);
    for (int i = 0; i < n; ++i) {
        PileLayer& layer = pile.layers[i];
        layer.thickness = item.layerThickness[i];
        layer.gamma = 18.0f;
        layer.m = item.layerM[i];
        layer.c = item.layerC[i];
        layer.k = item.layerK[i];
    }
    if (n <= 0) return;
    // Thicknesses add up from the pile top, and the last layer goes on below.
    pile.layers[0].thickness += pile.freeLength;
    pile.layers[n - 1].thickness = 1000.0f;
}

const char* methodLine(int method) {
    switch (method) {
        case 0:
            return "    计算方法: m 法\n";
        case 1:
            return "    计算方法: C 法\n";
        case 2:
            return "    计算方法: K 法\n";
    }
    return "";
}

void reportTable(const CPile_ShuJu& pile, const std::vector<PileForcePoint>& points,
                 ReportWriter& r) {
    r.printf("    内侧最大弯矩 = %s(kN-m) 距离桩顶 %s(m)\n", Fixed3(pile.innerMaxMoment).c_str(),
             Fixed3(pile.innerMaxDepth).c_str());
    r.printf("    外侧最大弯矩 = %s(kN-m) 距离桩顶 %s(m)\n", Fixed3(pile.outerMaxMoment).c_str(),
             Fixed3(pile.outerMaxDepth).c_str());
    r.printf("    最 大  剪 力 = %s(kN)   距离桩顶 %s(m)\n", Fixed3(pile.maxShear).c_str(),
             Fixed3(pile.maxShearDepth).c_str());
    r.printf("    桩 顶  位 移 = %.0f(mm)   \n", pile.topDisplacement);
    // MN/m times mm gives kN; the sign is the solver's.
    if (pile.hasAnchor)
        r.printf("    锚索水平拉力 = %.3f(kN)   \n",
                 pile.anchorStiffness * points.front().displacement);
    r.printf("      点号    距顶距离    弯矩        剪力        位移     土反力\n");
    r.printf("                (m)      (kN-m)      (kN)        (mm)     (kPa)\n");
    int number = 1;
    for (const PileForcePoint& p : points) {
        const float moment = negated((p.momentA + p.momentB) / 2.0f);
        const float shear =
            negated(std::fabs(p.shearA) >= std::fabs(p.shearB) ? p.shearA : p.shearB);
        r.printf("     %4d %10.3f %10.3f %10.3f %10.0f %10.3f\n", number++, p.depth, moment, shear,
                 negated(p.displacement), negated(p.soilReaction));
    }
}

}  // namespace

void ReportPileDataSheet(const CPile_ShuJu& pile, const PileSolver& solver, ReportWriter& r) {
    if (solver.points().empty()) return;
    const PileSolverSummary& s = solver.summary();
    const bool k = pile.method == 2;
    r.printf("\n    桩身计算参数\n");
    r.printf("    抗弯刚度 EI         = %.4e(kN-m2)\n", s.EI);
    r.printf("    计算宽度 Bp         = %.3f(m)\n", s.width);
    if (k) {
        r.printf("    变形系数 β          = %.4f(1/m)   βh = %.3f  %s\n", s.alpha,
                 s.relativeStiffness, s.rigid ? "刚性桩(βh≤1.0)" : "弹性桩(βh>1.0)");
    } else {
        r.printf("    变形系数 α          = %.4f(1/m)   αh = %.3f  %s\n", s.alpha,
                 s.relativeStiffness, s.rigid ? "刚性桩(αh≤2.5)" : "弹性桩(αh>2.5)");
    }
    r.printf("    单桩荷载            = %s(kN)\n", Fixed3(s.appliedLoad).c_str());
    r.printf("    土抗力合力(指向坡上为正) = %.3f(kN)\n", s.soilForce);
    if (pile.hasAnchor) r.printf("    锚索拉力(受拉为正)  = %.3f(kN)\n", s.anchorForce);
    if (pile.baseCondition != 0)
        r.printf("    桩底反力(指向坡上为正) = %.3f(kN)\n", s.baseReaction);
    if (pile.baseCondition == 2) r.printf("    桩底弯矩            = %.3f(kN-m)\n", s.baseMoment);
    const double resisted = s.soilForce + s.anchorForce + s.baseReaction;
    r.printf(
        "    平衡校核: 土抗力 + 锚索 + 桩底反力 = %.3f(kN), 单桩荷载 = %.3f(kN), 差值 = %.3e(kN)\n",
        resisted, s.appliedLoad, s.appliedLoad - resisted);
    if (s.outcome == PileSolveOutcome::NotSettled)
        r.printf("    注意: %s, 迭代%d次\n", s.message.c_str(), s.passes);
}

void FillPileRecord(const CSlideCalcData& item, CPile_ShuJu& pile, MessageSink* messages) {
    const CPileKind& kind = item.pileKinds[0];
    pile.leadSettings = {0, 0, 0};
    pile.layerCount = item.layerCount;
    pile.countSetting = 1;
    pile.hasAnchor = 0;
    if (item.anchorStiffness > 0.00001) {
        pile.hasAnchor = 1;
        pile.anchorStiffness = item.anchorStiffness;
    }
    pile.method = item.elasticMethod;
    pile.baseCondition = item.baseCondition;
    pile.hasInertia = 0;
    pile.hasModulus = 0;
    fillSection(kind, pile, messages);
    pile.spacing = item.pileSpacing;
    pile.gradeNumber = 10 + 5 * kind.concreteGrade;
    pile.gradeSettings = {2, 1, 1};
    pile.embedDepth = kind.embedDepth;
    pile.freeLength = kind.length - kind.embedDepth;
    pile.lengthSettings = {1, 0, 0};
    fillLayers(item, pile);
}

std::vector<PileLoadPoint> PileLoadTable(const CSlideCalcData& item, float H, float L,
                                         ReportWriter* report) {
    float qTop = 0.0f, qBottom = 0.0f;
    const char* line = "";
    if (item.thrustShape == 0) {
        qTop = qBottom = H / L;
        line = "    假定荷载矩形分布:\n";
    } else if (item.thrustShape == 1) {
        qTop = 0.0f;
        qBottom = 2 * H / L;
        line = "    假定荷载三角形分布:\n";
    } else if (item.thrustShape == 2) {
        // r = q1/q2, the upper to the lower intensity; the area over L stays H.
        const float r = item.trapezoidRatio;
        qBottom = 2 * (H / L) / (r + 1);
        qTop = r * qBottom;
        line = "    假定荷载梯形分布\n";
    }
    if (report) report->text(line);
    const float adjust = item.thrustAdjust;
    return {{0.0f, 0.0f, qTop * adjust}, {L, qBottom * adjust, 0.0f}};
}

int ComputePileForces(CSlideCalc& calc, CSlideCalcData& item, ReportWriter* report) {
    if (report) {
        report->printf("桩身内力计算\n");
        report->printf("    计算抗滑桩所承受的滑坡推力\n\n");
    }
    float angle = 0.0f, bermArea = 0.0f, trimmedArea = 0.0f;
    const float T = calc.ComputeThrust(item, nullptr, &angle, &bermArea, &trimmedArea);
    // H = T cos(theta); a thrust pointing back up the slope loads nothing.
    float H = T * std::cos(angle);
    if (H < 0.0f) H = 0.0f;
    return ComputePileForcesForThrust(calc, item, H, report);
}

int ComputePileForcesForThrust(CSlideCalc& calc, CSlideCalcData& item, float H,
                               ReportWriter* report) {
    if (report)
        report->printf("    单位米宽滑坡推力的水平分量       = %s(kN)\n", Fixed3(H).c_str());
    CPile_ShuJu& pile = calc.pileData();
    PileSolver& solver = calc.pileSolver();
    FillPileRecord(item, pile, calc.context().messages);
    solver.SetData(&pile);
    const float L = pile.freeLength;
    solver.SetLoadTable(PileLoadTable(item, H, L, report));
    solver.SetCoefA(item.coefA);
    solver.SetCoefA1(item.coefA1);
    solver.SetFixedSetting(0.5f);
    if (solver.calculate_DTQ() == 0)
        calc.status().tell_error(kStatusFailure, "桩身内力无法计算: " + solver.summary().message);

    // Above the slip surface the sliding mass gives no reaction.
    const float slip = solver.slipDepth();
    for (PileForcePoint& p : solver.points()) {
        if (!(p.depth <= slip - 0.01)) break;
        p.soilReaction = 0.0f;
    }
    // A refused pile has no points and gets no chart file; the report says why.
    if (!solver.points().empty())
        DrawPileForceDiagrams(item, solver.points(), slip, calc.context().G_strWorkPath,
                              calc.context().drawings);
    ReportPileForces(pile, solver, report);
    return 1;
}

void ReportPileForces(const CPile_ShuJu& pile, const PileSolver& solver, ReportWriter* report) {
    if (!report) return;
    report->text(methodLine(pile.method));
    if (solver.points().empty()) {
        report->printf("    桩身内力无法计算: %s\n", solver.summary().message.c_str());
        return;
    }
    reportTable(pile, solver.points(), *report);
}
