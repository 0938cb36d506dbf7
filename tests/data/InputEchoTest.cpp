// The input echo: whole texts for the main goals and targets, and the lines
// that single options switch on or off.
#include "data/InputEcho.h"

#include "data/CSlideCalcData.h"
#include "platform/ReportWriter.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kEchoDir = std::string(TALVOR_TEST_DATA) + "/echo/";

// Compares with the expected file; on a mismatch the actual text is kept
// beside it as <name>.out for diffing.
void expectSameAsFile(const std::string& actual, const std::string& name) {
    const std::string expected = readBytes(kEchoDir + name + ".txt");
    ASSERT_FALSE(expected.empty()) << "missing expected file " << name;
    if (actual != expected) writeBytes(kEchoDir + name + ".out", actual);
    EXPECT_EQ(actual, expected) << "actual text written to " << name << ".out";
}

std::string echo(const CSlideCalcData& item) {
    ReportWriter report;
    EXPECT_EQ(WriteInputEcho(item, report), 1);
    return report.utf8();
}

std::string countermeasures(const CSlideCalcData& item) {
    ReportWriter report;
    WriteEchoPiles(item, report);
    WriteEchoBerm(item, report);
    WriteEchoUnload(item, report);
    return report.utf8();
}

std::string pileKind(const CPileKind& kind) {
    ReportWriter report;
    EXPECT_EQ(WriteEchoPileKind(kind, 1, report), 1);
    return report.utf8();
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

}  // namespace

TEST(InputEcho, DefaultItemEchoesEveryGroupWithTheSafetyCheckLines) {
    CSlideCalcData item;
    expectSameAsFile(echo(item), "default");
}

TEST(InputEcho, PileForcesShowLayersLoadShapeWaterOptionsAndPointLoads) {
    CSlideCalcData item;
    item.checkTarget = 2;
    item.useSeepage = 0;
    item.useConfinedWater = 1;
    item.confinedHead = 3.5f;
    item.useStaticWater = 1;
    item.quakeLevel = 2;
    item.quakeCi = 1.3f;
    item.slipCount = 2;
    item.slip[1].c = 12.5f;
    item.slip[1].phi = 18.25f;
    item.slopeCount = 2;
    item.slope[1].loadCount = 2;
    item.slope[1].loads[0] = {2.5f, 10.0f, 600.0f};
    item.slope[1].loads[1] = {4.0f, -5.25f, 300.0f};
    item.waterCount = 1;
    item.baseCondition = 2;
    item.elasticMethod = 2;
    item.layerCount = 2;
    item.layerThickness[1] = 4.5f;
    item.layerK[1] = 120.0f;
    item.coefA = 1.5f;
    item.coefA1 = 2.25f;
    item.anchorStiffness = 30.0f;
    item.thrustShape = 2;
    item.thrustAdjust = 1.2f;
    item.pileKinds[0].section = 0;
    item.pileKinds[0].size1 = 120.0f;
    item.pileKinds[0].concreteGrade = 6;
    item.useUnload = 0;
    expectSameAsFile(echo(item), "pile_forces");
}

TEST(InputEcho, PileDesignListsAllTwentyFactorsOnTwoLinesAndEveryCandidate) {
    CSlideCalcData item;
    item.goal = 1;
    item.pileRows = 3;  // not used: a design lists every row factor
    item.rowFactor[10] = 0.5f;
    item.rowFactor[19] = 0.25f;
    item.minPileSpacing = 1.5f;
    item.slipCount = item.slopeCount = item.waterCount = 1;
    item.pileKindCount = 3;
    item.pileKinds[0].material = 1;
    item.pileKinds[0].size1 = 43.0f;
    item.pileKinds[1].material = 2;
    item.pileKinds[1].section = 0;
    item.pileKinds[1].size1 = 20.0f;
    item.pileKinds[2].material = 3;
    item.pileKinds[2].section = 2;
    item.pileKinds[2].size1 = 5000.0f;
    item.pileKinds[2].size2 = 30.0f;
    item.pileKinds[2].length = 12.0f;
    item.pileKinds[2].capacity = 250.0f;
    expectSameAsFile(echo(item), "design_piles");
}

TEST(InputEcho, BermDesignShowsTheSearchedRangeOfHOrOfX0) {
    CSlideCalcData item;
    item.goal = 1;
    item.designTarget = 1;
    item.usePiles = 0;
    item.bermX = 3.5f;
    item.bermSlope = 1.5f;
    item.bermHRange = {1.0f, 8.0f, 0.5f};
    expectSameAsFile(countermeasures(item), "berm_design_h");

    CSlideCalcData byX;
    byX.goal = 1;
    byX.designTarget = 1;
    byX.bermDesignMode = 1;
    byX.usePiles = 0;  // the X0 search never shows the fixed position
    byX.useUnload = 0;
    byX.bermXRange = {2.0f, 12.0f, 2.0f};
    expectSameAsFile(countermeasures(byX), "berm_design_x0");
}

TEST(InputEcho, UnloadingDesignShowsTheRangeOfTheStartAndThePilesOfTheSection) {
    CSlideCalcData item;
    item.goal = 1;
    item.designTarget = 2;
    item.pileRows = 2;
    item.rowFactor[1] = 0.8f;
    item.unloadCount = 3;
    expectSameAsFile(countermeasures(item), "unload_design");
}

TEST(InputEcho, BackCalculationEchoStopsAfterTheWaterLineWithItsBound) {
    CSlideCalcData item;
    item.checkTarget = 3;
    std::string phi = echo(item);
    EXPECT_TRUE(
        contains(phi, "    不考虑地震力\n    最大的φ值 = 50.000(度)\n\n    滑动面线段数: 6\n"));
    EXPECT_FALSE(contains(phi, "最大的C值"));
    EXPECT_TRUE(phi.ends_with("     4      12.000       2.000\n"));
    EXPECT_TRUE(contains(phi, "    已知C反算φ\n"));

    item.checkTarget = 4;
    std::string c = echo(item);
    EXPECT_TRUE(contains(c, "    不考虑地震力\n    最大的C值 = 100.000(kPa)\n\n"));
    EXPECT_FALSE(contains(c, "最大的φ值"));
    EXPECT_TRUE(c.ends_with("     4      12.000       2.000\n"));
    EXPECT_TRUE(contains(c, "    已知φ反算C\n"));

    // The switches stay on; the groups answer 1 and write nothing.
    ReportWriter report;
    EXPECT_EQ(WriteEchoPiles(item, report), 1);
    EXPECT_EQ(WriteEchoBerm(item, report), 1);
    EXPECT_EQ(WriteEchoUnload(item, report), 1);
    EXPECT_TRUE(report.empty());
}

TEST(InputEcho, BoundsOfTheBackCalculationAreNotShownInAutoDesign) {
    CSlideCalcData item;
    item.goal = 1;
    item.checkTarget = 3;
    EXPECT_FALSE(contains(echo(item), "最大的φ值"));
}

TEST(InputEcho, EarthquakeLevelsOneToThreeAreIntensitiesSevenToNine) {
    CSlideCalcData item;
    for (int level : {1, 2, 3}) {
        item.quakeLevel = level;
        item.quakeCz = 0.3f;
        std::string text = echo(item);
        EXPECT_TRUE(contains(text, "    考虑地震力,地震烈度为" + std::to_string(level + 6) +
                                       "度\n    地震力计算综合系数 = 0.300\n"
                                       "    地震力计算重要性系数 = 1.000\n"))
            << level;
        EXPECT_FALSE(contains(text, "不考虑地震力")) << level;
    }
}

TEST(InputEcho, ThrustCheckShowsOnlyThePilePositionAndTheBermPositionWithoutPiles) {
    CSlideCalcData item;
    item.checkTarget = 1;
    EXPECT_TRUE(countermeasures(item).starts_with(
        "[抗滑桩信息]\n    第一排桩的定位坐标X = 6.000(m)\n[反压码信息]\n    反压码高度"));

    item.usePiles = 0;
    std::string text = countermeasures(item);
    EXPECT_TRUE(
        text.starts_with("[反压码信息]\n    反压码的定位坐标X = 5.000(m)\n"
                         "    反压码高度       = 5.000(m)\n"));
}

TEST(InputEcho, SwitchedOffCountermeasureWritesNothingAndAnswersZero) {
    CSlideCalcData item;
    item.usePiles = item.useBerm = item.useUnload = 0;
    ReportWriter report;
    EXPECT_EQ(WriteEchoPiles(item, report), 0);
    EXPECT_EQ(WriteEchoBerm(item, report), 0);
    EXPECT_EQ(WriteEchoUnload(item, report), 0);
    EXPECT_TRUE(report.empty());
    EXPECT_TRUE(echo(item).ends_with("     4      12.000       2.000\n"));
}

TEST(InputEcho, LoadShapeNamesArePaddedToTwentyGbkBytes) {
    CSlideCalcData item;
    item.checkTarget = 2;
    item.thrustShape = 0;
    std::string rect = countermeasures(item);
    EXPECT_TRUE(contains(rect, "    推力分布类型" + std::string(16, ' ') + "矩形\n"));
    EXPECT_FALSE(contains(rect, "梯形荷载"));
    item.thrustShape = 1;
    std::string tri = countermeasures(item);
    EXPECT_TRUE(contains(tri, "    推力分布类型" + std::string(14, ' ') + "三角形\n"));
    EXPECT_FALSE(contains(tri, "梯形荷载"));
}

TEST(InputEcho, MAndCMethodsHaveTheirOwnLayerColumn) {
    CSlideCalcData item;
    item.checkTarget = 2;
    item.elasticMethod = 0;
    EXPECT_TRUE(contains(countermeasures(item),
                         "    计算方法: M法\n\n    嵌入段土层数: 1\n\n"
                         "    土层序号    土层厚(m)    重度(kN/m3)    M(MN/m4)\n"
                         "       1        50.000        18.000        10.000\n"
                         "    初始弹性系数A: 0.000(MN/m3)\n"));
    item.elasticMethod = 1;
    item.layerC[0] = 7.5f;
    EXPECT_TRUE(contains(countermeasures(item),
                         "    计算方法: C法\n\n    嵌入段土层数: 1\n\n"
                         "    土层序号    土层厚(m)    重度(kN/m3)    C(MN/m3.5)\n"
                         "       1        50.000        18.000         7.500\n"));
}

TEST(InputEcho, EnumerationsOutsideTheirListsPrintOnlyTheLeadText) {
    CSlideCalcData item;
    item.checkTarget = 2;
    item.baseCondition = 5;
    item.elasticMethod = 7;
    item.thrustShape = -1;
    std::string text = countermeasures(item);
    EXPECT_TRUE(contains(text, "    桩底支承条件: \n    计算方法: \n    初始弹性系数A: "));
    EXPECT_TRUE(contains(text, "    推力分布类型" + std::string(20, ' ') + "\n"));
    EXPECT_FALSE(contains(text, "嵌入段土层数"));

    CPileKind odd;
    odd.material = 9;
    odd.section = 7;
    std::string kind = pileKind(odd);
    EXPECT_TRUE(contains(kind, "\t   桩材料:  \n\t   截面形状:  \n\t   桩总长\t\t=  10.000(m)\n"));

    CSlideCalcData design;
    design.goal = 1;
    design.designTarget = 5;
    std::string head = echo(design);
    EXPECT_TRUE(head.starts_with("[控制参数]\n    计算目标：自动设计\n    滑坍边坡纵向长度"));
    EXPECT_FALSE(contains(head, "[抗滑桩信息]"));
}

TEST(InputEcho, RailKindShowsItsTypeAndNoSectionRoundKindOnlyItsDiameter) {
    CPileKind rail;
    rail.material = 1;
    rail.size1 = 50.0f;
    std::string r = pileKind(rail);
    EXPECT_TRUE(contains(r, "\t   桩材料:  钢轨\n\t   钢轨的型号 =  50.000(kg/m)\n\t   桩总长"));
    EXPECT_FALSE(contains(r, "截面"));
    EXPECT_FALSE(contains(r, "混凝土强度等级"));

    CPileKind round;
    round.section = 0;
    round.size1 = 80.0f;
    round.concreteGrade = 0;
    std::string c = pileKind(round);
    EXPECT_TRUE(contains(c,
                         "\t   混凝土强度等级 =  C10\n\t   截面形状:  圆形\n"
                         "\t   桩截面直径 =  80.000(cm)\n\t   桩总长"));
    round.concreteGrade = 10;
    EXPECT_TRUE(contains(pileKind(round), "C60\n"));
}

TEST(InputEcho, CountsOutsideTheirArraysAreEchoedAsStoredWithoutReadingPastThem) {
    CSlideCalcData item;
    item.slipCount = -2;
    item.slopeCount = 150;
    item.slope[0].loadCount = 40;
    item.waterCount = 0;
    std::string text = echo(item);
    EXPECT_TRUE(contains(text,
                         "    滑动面线段数: -2\n     段号   投影Dx(m) 投影Dy(m)  粘聚力(kPa) "
                         "摩擦角(度)\n\n    坡面线段数: 150,"));
    EXPECT_TRUE(contains(text, "     100       1.000       1.000  0\n\n    水面线段数: 0,"));
    EXPECT_TRUE(contains(text, "     1       5.000      10.000  40\n"));
    EXPECT_TRUE(contains(text, "          10  定位距离=     1.000(m)"));
    EXPECT_FALSE(contains(text, "          11  定位距离"));
}
