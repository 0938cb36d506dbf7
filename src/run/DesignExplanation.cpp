// Written after the stability lines of the supplement, in words a checker
// reads next to the original report: numbers as the report prints them.
#include "run/DesignExplanation.h"

#include "data/CSlideCalcData.h"
#include "engine/ThrustBlock.h"
#include "engine/ThrustPass.h"
#include "platform/FigureFormat.h"
#include "platform/PlaneGeometry.h"
#include "platform/ReportWriter.h"
#include "run/CSlideCalc.h"
#include "run/Plausibility.h"
#include "run/ResultNames.h"
#include "run/RunTargets.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

float degrees(float radians) {
    return radians * 180.0f / kPi;
}

// The field a sweep design searched, with the words of its chart.
struct SweptField {
    float CSlideCalcData::*field;
    const char* label;
    const char* volume;
};

SweptField sweptField(const CSlideCalcData& item) {
    if (item.designTarget == 2) return {&CSlideCalcData::unloadY, "刷方定位高度", "刷方"};
    if (item.bermDesignMode != 0) return {&CSlideCalcData::bermX, "反压码定位距离X0", "反压码"};
    return {&CSlideCalcData::bermH, "反压码高度", "反压码"};
}

// The pass over the section block by block: what each block weighs, its
// slope, the force it receives (a negative one is passed on as 0) and the
// residual force it leaves. The last line is the thrust at the thrust position.
void writeThrustTable(const CSlideCalcData& section, ReportWriter& out) {
    std::vector<PassBlock> blocks;
    ComputeThrustBlocks(section, blocks);
    std::array<float, CSlideCalcData::kResultSlots> forces{};
    ComputeThrust(section, nullptr, nullptr, nullptr, nullptr, forces.data());
    out.printf(
        "        块号  滑面段      X坐标范围(m)       块重W(kN)  滑面倾角(度)  "
        "上块传递推力(kN)  剩余下滑力(kN)\n");
    for (size_t k = 0; k < blocks.size() && k + 1 < forces.size(); ++k) {
        const PassBlock& b = blocks[k];
        const float received = std::max(forces[k], 0.0f);
        out.printf("        %4zu  %6d  %8.3f ~ %8.3f  %12.3f  %12.3f  %16.3f  %14.3f\n", k + 1,
                   b.s + 1, b.xEnd, b.xStart, b.vertical ? 0.0f : b.loads.g.weight,
                   degrees(b.alpha), received, forces[k + 1]);
    }
    out.printf(
        "        推力计至 X = %.3fm，末块的剩余下滑力即该处的滑坡推力 (已乘推力安全系数 %.3f)\n",
        ThrustPosition(section), section.thrustSafetyFactor);
}

void explainPiles(const CSlideCalcData& item, const DesignFacts& f, ReportWriter& out) {
    out.printf(
        "        设计准则: 桩的排数 n (至多 20 排) 按最小桩间距时各排抗滑力之和 R 大于"
        "桩处单位米宽滑坡推力的水平分量 H = %.3f kN 取最少者，桩间距取 n 排恰好承受 H "
        "的间距并向下取为 0.05m 的整数倍\n",
        f.H);
    if (f.closestKind >= 0 && f.closestResistance <= f.H)
        out.printf(
            "        未满足要求的桩中最接近的是第 %d 种桩: 布置 20 排、桩间距取最小值时抗滑力为 "
            "%.3f kN，仍差 %.3f kN\n",
            f.closestKind + 1, f.closestResistance, f.H - f.closestResistance);
    out.printf("        设计断面 (桩处) 各块的推力:\n");
    writeThrustTable(item, out);
}

void explainSweep(const CSlideCalcData& item, const DesignFacts& f, ReportWriter& out) {
    const SweptField s = sweptField(item);
    if (item.usePiles)
        out.printf(
            "        设计准则: 推力计算位置处的水平推力 Hx 小于桩所能承受的 %.3f kN；"
            "满足者中取单位宽%s体积最小的\n",
            f.resistance, s.volume);
    else
        out.printf(
            "        设计准则: 推力计算位置处的水平推力 Hx 小于 0 (滑体在该处不再下滑)；"
            "满足者中取单位宽%s体积最小的\n",
            s.volume);
    out.printf("        试算 %d 种情况: %s 从 %.3f 到 %.3f (m)\n", f.trials, s.label, f.first,
               f.last);
    CSlideCalcData section = item;
    if (f.best >= 0) {
        const std::string best = Fixed3(f.bestValue);
        out.printf("        满足要求且土方量最少: %s = %s(m)，Hx = %s kN，单位宽体积 %s m3\n",
                   s.label, best.c_str(), Fixed3(f.bestThrust).c_str(),
                   Fixed3(f.bestVolume).c_str());
        section.*s.field = f.bestValue;
        out.printf("        设计断面 (%s = %sm) 各块的推力:\n", s.label, best.c_str());
    } else if (f.closest >= 0) {
        out.printf(
            "        没有满足要求的情况。水平推力最小的试算: %s = %.3f(m)，Hx = %.3f kN，"
            "比准则多 %.3f kN\n",
            s.label, f.closestValue, f.closestThrust, f.closestThrust - f.resistance);
        section.*s.field = f.closestValue;
        out.printf("        该试算断面 (%s = %.3fm) 各块的推力:\n", s.label, f.closestValue);
    } else {
        return;
    }
    writeThrustTable(section, out);
}

}  // namespace

void WriteBlockNumbering(const CSlideCalcData& item, ReportWriter& out) {
    const int n = std::clamp(item.slipCount, 0, CSlideCalcData::kMaxSegments);
    if (n == 0) return;
    out.printf(
        "\n    块号从坡顶 (滑面最后一段) 数起，滑面段号从坡脚 (坐标原点) 数起: "
        "第 k 块即滑面第 %d-k 段",
        n + 1);
    // Ten pairs "块号→段号" to a line.
    for (int k = 1; k <= n; ++k) {
        const char* lead = (k - 1) % 10 == 0 ? "\n        " : "  ";
        out.printf("%s%d→%d", lead, k, n + 1 - k);
    }
    out.printf("\n");
}

void WriteDesignExplanation(CSlideCalc& calc, const CSlideCalcData& item, ReportWriter& out) {
    if (item.goal != kGoalDesign) return;
    const auto& facts = calc.designSummary().design;
    if (!facts) return;
    out.printf("\n    设计说明:\n");
    if (facts->kind == DesignFacts::Kind::Piles)
        explainPiles(item, *facts, out);
    else
        explainSweep(item, *facts, out);
}

void WriteAnnotatedSketch(const CSlideCalc& calc, const CSlideCalcData& item, ReportWriter& out) {
    const std::string name = AnnotatedSketchFileName(item);
    if (name.empty() || !calc.runOptions().labelledSketch) return;
    out.printf("\n[计算简图(标注)]\n");
    MorvaneScript(out, "InsertDxf=" + name);
    out.printf("\n    图中标出块号 (从坡顶数起)、滑面线和坡面线各点坐标 (m)、桩排和水位线\n");
}

void WriteResultChecks(const Plausibility& checks, ReportWriter& out) {
    if (checks.errors.empty() && checks.warnings.empty()) return;
    out.printf("\n    结果检查:\n");
    for (const std::string& e : checks.errors) out.printf("        错误: %s\n", e.c_str());
    for (const std::string& w : checks.warnings) out.printf("        警告: %s\n", w.c_str());
}
