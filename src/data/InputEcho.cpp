// The input echo, group by group. Each line is printed exactly as the report
// has always shown it, leading blanks and tabs included, because engineers
// compare printed reports line by line.
#include "data/InputEcho.h"

#include "data/CSlideCalcData.h"
#include "platform/ReportWriter.h"

#include <algorithm>

namespace {

// An enumeration value outside its list prints an empty name.
template <size_t N>
const char* nameOf(const char* const (&names)[N], int value) {
    return value >= 0 && value < static_cast<int>(N) ? names[value] : "";
}

// Loops over "the first count elements" stay inside the array even when a
// record in memory holds a count beyond its limit; a negative count lists none.
int inUse(int count, int capacity) {
    return std::clamp(count, 0, capacity);
}

void echoControl(const CSlideCalcData& item, ReportWriter& report) {
    static const char* const kDesign[] = {"    自动设计抗滑桩\n", "    自动设计反压码\n",
                                          "    自动设计刷方减载\n"};
    static const char* const kCheck[] = {"    计算安全系数\n", "    计算滑坡推力\n",
                                         "    计算桩身内力\n", "    已知C反算φ\n",
                                         "    已知φ反算C\n"};
    report.printf("[控制参数]\n");
    if (item.goal != 0) {
        report.printf("    计算目标：自动设计\n");
        report.text(nameOf(kDesign, item.designTarget));
    } else {
        report.printf("    计算目标：验算校核\n");
        report.text(nameOf(kCheck, item.checkTarget));
    }
    report.printf("    滑坍边坡纵向长度 = %.3f(m)\n", item.slopeLength);
}

void echoWaterAndQuake(const CSlideCalcData& item, ReportWriter& report) {
    if (item.useSeepage == 1)
        report.printf("    考虑动水压力和浮托力, 滑体土的孔隙度 = %.3f\n", item.porosity);
    else
        report.printf("    不考虑动水压力和浮托力\n");
    if (item.useConfinedWater == 1)
        report.printf("    考虑承压水的浮托力, 承压水水头高 = %.3f(m)\n", item.confinedHead);
    else
        report.printf("    不考虑承压水的浮托力\n");
    if (item.useStaticWater == 1)
        report.printf("    考虑坡面外的静水压力的作用\n");
    else
        report.printf("    不考虑坡面外的静水压力的作用\n");
    if (item.quakeLevel != 0) {
        // Design intensity 7, 8, 9 for levels 1, 2, 3.
        report.printf("    考虑地震力,地震烈度为%d度\n", item.quakeLevel + 6);
        report.printf("    地震力计算综合系数 = %.3f\n", item.quakeCz);
        report.printf("    地震力计算重要性系数 = %.3f\n", item.quakeCi);
    } else {
        report.printf("    不考虑地震力\n");
    }
}

void echoBasic(const CSlideCalcData& item, ReportWriter& report) {
    report.printf("[基本参数]\n");
    report.printf("    滑动体重度\t\t= %.3f(kN/m3)\n", item.gamma);
    report.printf("    滑动体饱和重度\t= %.3f(kN/m3)\n", item.gammaSat);
    report.printf("    滑坡推力安全系数  = %.3f\n", item.thrustSafetyFactor);
    echoWaterAndQuake(item, report);
    if (item.goal == 0 && item.checkTarget == 3)
        report.printf("    最大的φ值 = %.3f(度)\n", item.maxPhi);
    if (item.goal == 0 && item.checkTarget == 4)
        report.printf("    最大的C值 = %.3f(kPa)\n", item.maxC);
}

void echoSlip(const CSlideCalcData& item, ReportWriter& report) {
    report.printf("\n");
    report.printf("    滑动面线段数: %d\n", item.slipCount);
    report.printf("     段号   投影Dx(m) 投影Dy(m)  粘聚力(kPa) 摩擦角(度)\n");
    const int n = inUse(item.slipCount, CSlideCalcData::kMaxSegments);
    for (int i = 0; i < n; ++i) {
        const CLineSeg& s = item.slip[i];
        report.printf("     %d  %10.3f  %10.3f  %10.3f  %10.3f  \n", i + 1, s.dx, s.dy, s.c, s.phi);
    }
}

void echoSlope(const CSlideCalcData& item, ReportWriter& report) {
    report.printf("\n");
    report.printf("    坡面线段数: %d, 起始点坐标X %.3f(m)\n", item.slopeCount, item.slopeX0);
    report.printf("     段号   投影Dx(m) 投影Dy(m) 附加力数\n");
    const int n = inUse(item.slopeCount, CSlideCalcData::kMaxSegments);
    for (int i = 0; i < n; ++i) {
        const CLineSeg& s = item.slope[i];
        report.printf("     %d  %10.3f  %10.3f  %d\n", i + 1, s.dx, s.dy, s.loadCount);
        const int loads = inUse(s.loadCount, CLineSeg::kMaxLoads);
        for (int j = 0; j < loads; ++j) {
            const CPointLoad& p = s.loads[j];
            report.printf("          %d  定位距离=%10.3f(m)  Px=%10.3f  Py=%10.3f(kN)\n", j + 1,
                          p.dist, p.px, p.py);
        }
    }
}

void echoWater(const CSlideCalcData& item, ReportWriter& report) {
    report.printf("\n");
    report.printf("    水面线段数: %d, 起始点坐标X %.3f(m), 起始点坐标Y %.3f(m)\n", item.waterCount,
                  item.waterX0, item.waterY0);
    report.printf("     段号   投影Dx(m) 投影Dy(m)\n");
    const int n = inUse(item.waterCount, CSlideCalcData::kMaxSegments);
    for (int i = 0; i < n; ++i)
        report.printf("     %d  %10.3f  %10.3f\n", i + 1, item.water[i].dx, item.water[i].dy);
}

// Which lines a countermeasure group shows depends only on this.
enum class EchoCase {
    CheckSafety,
    CheckThrust,
    CheckForces,
    CheckBackCalc,
    DesignPiles,
    DesignBerm,
    DesignUnload,
    None,  // a target outside its list
};

EchoCase echoCase(const CSlideCalcData& item) {
    if (item.goal != 0) {
        switch (item.designTarget) {
            case 0:
                return EchoCase::DesignPiles;
            case 1:
                return EchoCase::DesignBerm;
            case 2:
                return EchoCase::DesignUnload;
            default:
                return EchoCase::None;
        }
    }
    switch (item.checkTarget) {
        case 0:
            return EchoCase::CheckSafety;
        case 1:
            return EchoCase::CheckThrust;
        case 2:
            return EchoCase::CheckForces;
        case 3:
        case 4:
            return EchoCase::CheckBackCalc;
        default:
            return EchoCase::None;
    }
}

void pileSpacingLines(const CSlideCalcData& item, ReportWriter& report) {
    report.printf("    桩的间距 = %.3f(m)\n", item.pileSpacing);
    report.printf("    桩排数   = %d\n", item.pileRows);
    report.printf("    桩的排距 = %.3f(m)\n", item.rowSpacing);
}

// The first n row factors on one line; a design lists all 20, breaking the
// line before the 11th under the first value.
void rowFactorLine(const CSlideCalcData& item, int n, bool breakAfterTen, ReportWriter& report) {
    report.printf("    每排桩的承载力发挥系数: ");
    for (int r = 0; r < n; ++r) {
        if (r == 10 && breakAfterTen) report.printf("\n%29s", "");
        report.printf("%.3f,", item.rowFactor[r]);
    }
    report.printf("\n");
}

void baseConditionLine(const CSlideCalcData& item, ReportWriter& report) {
    static const char* const kBase[] = {"自由", "铰接", "固定"};
    report.printf("    桩底支承条件: %s\n", nameOf(kBase, item.baseCondition));
}

// The elastic method and its layer table; a method outside the list shows
// the lead text alone.
void methodAndLayers(const CSlideCalcData& item, ReportWriter& report) {
    static const char* const kMethod[] = {"M法", "C法", "K法"};
    static const char* const kColumn[] = {"M(MN/m4)", "C(MN/m3.5)", "K(MN/m3)"};
    const int method = item.elasticMethod;
    report.printf("    计算方法: %s\n", nameOf(kMethod, method));
    if (method < 0 || method > 2) return;
    report.printf("\n    嵌入段土层数: %d\n", item.layerCount);
    report.printf("\n    土层序号    土层厚(m)    重度(kN/m3)    %s\n", kColumn[method]);
    const int n = inUse(item.layerCount, CSlideCalcData::kMaxLayers);
    for (int i = 0; i < n; ++i) {
        const float value = method == 0   ? item.layerM[i]
                            : method == 1 ? item.layerC[i]
                                          : item.layerK[i];
        // The K table has always carried one blank more before its last column.
        const char* fmt =
            method == 2 ? " %7d %13.3f %13.3f  %13.3f\n" : " %7d %13.3f %13.3f %13.3f\n";
        report.printf(fmt, i + 1, item.layerThickness[i], item.layerGamma[i], value);
    }
}

void pileLoadLines(const CSlideCalcData& item, ReportWriter& report) {
    static const char* const kShape[] = {"矩形", "三角形", "梯形"};
    report.printf("    初始弹性系数A: %.3f(MN/m3)\n", item.coefA);
    report.printf("    初始弹性系数A1: %.3f(MN/m3)\n", item.coefA1);
    report.printf("    桩顶锚索水平刚度: %.3f(MN/m)\n", item.anchorStiffness);
    // "%20s" in the GBK file: pad by GBK width, not by UTF-8 bytes.
    report.printf("    推力分布类型%s\n", gbkPad(nameOf(kShape, item.thrustShape), 20).c_str());
    report.printf("    滑坡推力调整系数 = %10.3f\n", item.thrustAdjust);
    if (item.thrustShape == 2) report.printf("    梯形荷载(q1/q2)%18.3f\n", item.trapezoidRatio);
}

void pileDesignLines(const CSlideCalcData& item, ReportWriter& report) {
    rowFactorLine(item, CSlideCalcData::kMaxRows, true, report);
    report.printf("    自动设计时的最小桩间距 = %.3f(m)\n", item.minPileSpacing);
    report.printf("    自动设计时可选择的桩种类数 = %d\n", item.pileKindCount);
    const int n = inUse(item.pileKindCount, CSlideCalcData::kMaxPileKinds);
    for (int k = 0; k < n; ++k) WriteEchoPileKind(item.pileKinds[k], k + 1, report);
}

void bermPropertyLines(const CSlideCalcData& item, ReportWriter& report) {
    report.printf("    反压码坡度       = 1:%.3f\n", item.bermSlope);
    report.printf("    反压码容重       = %.3f(kN/m3)\n", item.bermGamma);
    report.printf("    反压码饱和重度   = %.3f(kN/m3)\n", item.bermGammaSat);
    report.printf("    反压码的造价     = %.3f(元/方)\n", item.bermCost);
    report.printf("    反压码的工期     = %.3f(人天/方)\n", item.bermDays);
}

void bermPosition(const CSlideCalcData& item, ReportWriter& report) {
    // With piles the berm is placed by the pile row, so its own x means nothing.
    if (item.usePiles == 0) report.printf("    反压码的定位坐标X = %.3f(m)\n", item.bermX);
}

void bermHeight(const CSlideCalcData& item, ReportWriter& report) {
    report.printf("    反压码高度       = %.3f(m)\n", item.bermH);
}

void bermDesignLines(const CSlideCalcData& item, ReportWriter& report) {
    if (item.bermDesignMode == 0) {
        bermPosition(item, report);
        bermPropertyLines(item, report);
        report.printf("    对反压码做自动设计的类型: 自动设计H\n");
        report.printf("    自动设计H的最小值 = %.3f(m)\n", item.bermHRange.minValue);
        report.printf("    自动设计H的最大值 = %.3f(m)\n", item.bermHRange.maxValue);
        report.printf("    自动设计H的步长   = %.3f(m)\n", item.bermHRange.step);
    } else {
        bermHeight(item, report);
        bermPropertyLines(item, report);
        report.printf("    对反压码做自动设计的类型: 自动设计起始位置X0\n");
        report.printf("    自动设计X0的最小值 = %.3f(m)\n", item.bermXRange.minValue);
        report.printf("    自动设计X0的最大值 = %.3f(m)\n", item.bermXRange.maxValue);
        report.printf("    自动设计X0的步长   = %.3f(m)\n", item.bermXRange.step);
    }
}

void unloadCostLines(const CSlideCalcData& item, ReportWriter& report) {
    report.printf("    刷方减载的造价        = %.3f(元/方)\n", item.unloadCost);
    report.printf("    刷方减载的工期        = %.3f(人天/方)\n", item.unloadDays);
}

void unloadSegmentLines(const CSlideCalcData& item, ReportWriter& report) {
    report.printf("    刷方线的段数          = %d\n", item.unloadCount);
    report.printf("     段号   投影Dx(m) 投影Dy(m)\n");
    const int n = inUse(item.unloadCount, CSlideCalcData::kMaxUnloadSegs);
    for (int i = 0; i < n; ++i)
        report.printf("     %d  %10.3f  %10.3f\n", i + 1, item.unloadSegs[i].dx,
                      item.unloadSegs[i].dy);
}

void unloadStartLine(const CSlideCalcData& item, ReportWriter& report) {
    report.printf("    刷方减载起始定位坐标Y = %.3f(m)\n", item.unloadY);
}

void unloadRangeLines(const CSlideCalcData& item, ReportWriter& report) {
    const CValueRange& r = item.unloadYRange;
    report.printf("    自动设计刷方减载时，起始定位坐标Y的最小值 = %.3f(m)\n", r.minValue);
    report.printf("    自动设计刷方减载时，起始定位坐标Y的最大值 = %.3f(m)\n", r.maxValue);
    report.printf("    自动设计刷方减载时，Y坐标的变化步长       = %.3f(m)\n", r.step);
}

void pileSectionLines(const CPileKind& kind, ReportWriter& report) {
    static const char* const kSection[] = {"圆形", "方形", "其他"};
    report.printf("\t   截面形状:  %s\n", nameOf(kSection, kind.section));
    switch (kind.section) {
        case 0:
            report.printf("\t   桩截面直径 =  %.3f(cm)\n", kind.size1);
            break;
        case 1:
            report.printf("\t   桩截面宽 =  %.3f(cm)\n", kind.size1);
            report.printf("\t   桩截面高 =  %.3f(cm)\n", kind.size2);
            break;
        case 2:
            report.printf("\t   桩截面惯性矩 =  %.3f(cm4)\n", kind.size1);
            report.printf("\t   桩截面宽     =  %.3f(cm)\n", kind.size2);
            break;
        default:
            break;
    }
}

}  // namespace

int WriteInputEcho(const CSlideCalcData& item, ReportWriter& report) {
    echoControl(item, report);
    echoBasic(item, report);
    echoSlip(item, report);
    echoSlope(item, report);
    echoWater(item, report);
    WriteEchoPiles(item, report);
    WriteEchoBerm(item, report);
    WriteEchoUnload(item, report);
    return 1;
}

int WriteEchoPiles(const CSlideCalcData& item, ReportWriter& report) {
    if (item.usePiles == 0) return 0;
    const EchoCase c = echoCase(item);
    if (c == EchoCase::CheckBackCalc || c == EchoCase::None) return 1;
    report.printf("[抗滑桩信息]\n");
    report.printf("    第一排桩的定位坐标X = %.3f(m)\n", item.pileX);
    switch (c) {
        case EchoCase::CheckThrust:
            break;
        case EchoCase::DesignPiles:
            pileDesignLines(item, report);
            break;
        case EchoCase::CheckForces:
            pileSpacingLines(item, report);
            baseConditionLine(item, report);
            methodAndLayers(item, report);
            pileLoadLines(item, report);
            WriteEchoPileKind(item.pileKinds[0], 1, report);
            break;
        default:  // the safety check and the berm or unloading designs
            pileSpacingLines(item, report);
            rowFactorLine(item, inUse(item.pileRows, CSlideCalcData::kMaxRows), false, report);
            WriteEchoPileKind(item.pileKinds[0], 1, report);
            break;
    }
    return 1;
}

int WriteEchoBerm(const CSlideCalcData& item, ReportWriter& report) {
    if (item.useBerm == 0) return 0;
    const EchoCase c = echoCase(item);
    if (c == EchoCase::CheckBackCalc || c == EchoCase::None) return 1;
    report.printf("[反压码信息]\n");
    if (c == EchoCase::DesignBerm) {
        bermDesignLines(item, report);
    } else {
        bermPosition(item, report);
        bermHeight(item, report);
        bermPropertyLines(item, report);
    }
    return 1;
}

int WriteEchoUnload(const CSlideCalcData& item, ReportWriter& report) {
    if (item.useUnload == 0) return 0;
    const EchoCase c = echoCase(item);
    if (c == EchoCase::CheckBackCalc || c == EchoCase::None) return 1;
    report.printf("[上部刷方减载信息]\n");
    switch (c) {
        case EchoCase::DesignUnload:
            unloadRangeLines(item, report);
            unloadSegmentLines(item, report);
            unloadCostLines(item, report);
            break;
        case EchoCase::DesignPiles:
        case EchoCase::DesignBerm:
            unloadStartLine(item, report);
            unloadSegmentLines(item, report);
            unloadCostLines(item, report);
            break;
        default:  // the check targets that compute the section as it stands
            unloadStartLine(item, report);
            unloadCostLines(item, report);
            unloadSegmentLines(item, report);
            break;
    }
    return 1;
}

int WriteEchoPileKind(const CPileKind& kind, int n, ReportWriter& report) {
    static const char* const kMaterial[] = {"钢筋混凝土", "钢轨", "木桩", "钢桩"};
    report.printf("    第 %d 种桩：\n", n);
    report.printf("\t   桩材料:  %s\n", nameOf(kMaterial, kind.material));
    // Grades C10 ... C60 in steps of 5.
    if (kind.material == 0)
        report.printf("\t   混凝土强度等级 =  C%d\n", 10 + 5 * kind.concreteGrade);
    if (kind.material == 1)
        report.printf("\t   钢轨的型号 =  %.3f(kg/m)\n", kind.size1);
    else
        pileSectionLines(kind, report);
    report.printf("\t   桩总长\t\t=  %.3f(m)\n", kind.length);
    report.printf("\t   桩嵌入深度   =  %.3f(m)\n", kind.embedDepth);
    report.printf("\t   单桩水平承载力极限值 = %.3f(kN)\n", kind.capacity);
    report.printf("\t   桩材料造价   = %.3f(元/桩)\n", kind.materialCost);
    report.printf("\t   桩施工造价   = %.3f(元/桩)\n", kind.buildCost);
    report.printf("\t   桩施工工期   = %.3f(人天/桩)\n", kind.buildDays);
    return 1;
}
