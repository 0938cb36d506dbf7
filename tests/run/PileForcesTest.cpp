// Check target 2: the record handed to the pile solver, the load table, the
// result block and the pile data sheet, the refusals, and the run's dispatch.
#include "run/PileForces.h"

#include "support/TestSupport.h"
#include "data/CSlideCalcData.h"
#include "platform/ReportWriter.h"
#include "platform/WorkContext.h"
#include "run/CSlideCalc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>

namespace {

// The default item as check target 2, with a pile long enough to hold.
CSlideCalcData pileItem() {
    CSlideCalcData item;
    item.goal = 0;
    item.checkTarget = 2;
    item.pileKinds[0].length = 14.0f;
    item.pileKinds[0].embedDepth = 6.0f;
    item.pileKinds[0].section = 1;
    item.pileKinds[0].size1 = 150.0f;
    item.pileKinds[0].size2 = 200.0f;
    return item;
}

struct Fixture {
    RecordingSinks sinks;
    WorkContext ctx;
    CSlideCalc calc;
    ReportWriter report;
    Fixture() : ctx{}, calc(ctx) {
        ctx.status = &sinks;
        ctx.messages = &sinks;
    }
};

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

// Table rows are the lines that read as a number and five values.
int countTableRows(const std::string& text) {
    int rows = 0;
    for (const std::string& line : lines(text)) {
        int number = 0;
        float v[5];
        if (std::sscanf(line.c_str(), "%d %f %f %f %f %f", &number, &v[0], &v[1], &v[2], &v[3],
                        &v[4]) == 6)
            ++rows;
    }
    return rows;
}

}  // namespace

TEST(PileForces, LoadIntensitiesOfTheThreeShapesCarryTheThrustOverTheFreeLength) {
    CSlideCalcData item;
    ReportWriter report;
    item.thrustShape = 0;
    auto t = PileLoadTable(item, 100.0f, 5.0f, &report);
    ASSERT_EQ(t.size(), 2u);
    EXPECT_FLOAT_EQ(t[0].depth, 0.0f);
    EXPECT_FLOAT_EQ(t[0].falling + t[0].rising, 20.0f);
    EXPECT_FLOAT_EQ(t[1].depth, 5.0f);
    EXPECT_FLOAT_EQ(t[1].rising + t[1].falling, 20.0f);
    EXPECT_FLOAT_EQ(t[0].rising, 0.0f);
    EXPECT_FLOAT_EQ(t[1].falling, 0.0f);

    item.thrustShape = 1;
    t = PileLoadTable(item, 100.0f, 5.0f, &report);
    EXPECT_FLOAT_EQ(t[0].falling, 0.0f);
    EXPECT_FLOAT_EQ(t[1].rising, 40.0f);

    item.thrustShape = 2;
    item.trapezoidRatio = 0.5f;
    t = PileLoadTable(item, 100.0f, 5.0f, &report);
    EXPECT_NEAR(t[0].falling, 13.333f, 5e-4f);
    EXPECT_NEAR(t[1].rising, 26.667f, 5e-4f);
    EXPECT_EQ(report.utf8(),
              "    假定荷载矩形分布:\n    假定荷载三角形分布:\n    假定荷载梯形分布\n");

    // thrustAdjust scales every intensity.
    item.thrustShape = 0;
    item.thrustAdjust = 1.2f;
    t = PileLoadTable(item, 100.0f, 5.0f, nullptr);
    EXPECT_FLOAT_EQ(t[0].falling, 20.0f * 1.2f);
    EXPECT_FLOAT_EQ(t[1].rising, 20.0f * 1.2f);
}

TEST(PileForces, ThrustAdjustScalesTheLoadButNotTheReportedThrust) {
    Fixture f;
    CSlideCalcData item = pileItem();
    item.thrustAdjust = 1.2f;
    ComputePileForcesForThrust(f.calc, item, 100.0f, &f.report);
    EXPECT_NE(f.report.utf8().find("    单位米宽滑坡推力的水平分量       = 100.000(kN)\n"),
              std::string::npos);
    // One pile carries spacing x H x adjust.
    EXPECT_NEAR(f.calc.pileSolver().summary().appliedLoad, 2.0 * 100.0 * 1.2, 1e-3);
}

TEST(PileForces, LayerThicknessesAddTheFreeLengthAndTheLastGoesOnFor1000Metres) {
    CSlideCalcData item = pileItem();
    item.pileKinds[0].length = 11.0f;
    item.pileKinds[0].embedDepth = 6.0f;  // L = 5
    CPile_ShuJu one;
    item.layerCount = 1;
    item.layerThickness[0] = 3.0f;
    FillPileRecord(item, one, nullptr);
    EXPECT_EQ(one.layerCount, 1);
    EXPECT_FLOAT_EQ(one.layers[0].thickness, 1000.0f);

    CPile_ShuJu two;
    item.layerCount = 2;
    item.layerThickness[1] = 4.0f;
    item.layerGamma[0] = 21.0f;
    item.layerM[1] = 33.0f;
    FillPileRecord(item, two, nullptr);
    EXPECT_FLOAT_EQ(two.layers[0].thickness, 8.0f);
    EXPECT_FLOAT_EQ(two.layers[1].thickness, 1000.0f);
    EXPECT_FLOAT_EQ(two.layers[0].gamma, 18.0f);
    EXPECT_FLOAT_EQ(two.layers[1].m, 33.0f);
    EXPECT_FLOAT_EQ(two.freeLength, 5.0f);
    EXPECT_FLOAT_EQ(two.embedDepth, 6.0f);
    EXPECT_EQ(two.gradeNumber, 30);
    EXPECT_FLOAT_EQ(two.spacing, item.pileSpacing);
    // The fixed settings, as the solver library took them.
    EXPECT_EQ(two.leadSettings, (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(two.countSetting, 1);
    EXPECT_EQ(two.gradeSettings, (std::array<int, 3>{2, 1, 1}));
    EXPECT_EQ(two.lengthSettings, (std::array<int, 3>{1, 0, 0}));
}

TEST(PileForces, SectionsAndMaterialsMapToTheRecord) {
    CSlideCalcData item = pileItem();
    CPileKind& kind = item.pileKinds[0];
    kind.material = 0;
    kind.section = 2;  // 其他: size1 is the inertia in cm4, size2 the width in cm
    kind.size1 = 250000.0f;
    kind.size2 = 80.0f;
    CPile_ShuJu other;
    FillPileRecord(item, other, nullptr);
    EXPECT_EQ(other.hasInertia, 1);
    EXPECT_FLOAT_EQ(other.inertia, 0.0025f);
    EXPECT_FLOAT_EQ(other.resistWidth, 0.8f);
    EXPECT_EQ(other.hasModulus, 0);

    kind.section = 0;
    kind.material = 2;
    kind.size1 = 60.0f;
    CPile_ShuJu timber;
    FillPileRecord(item, timber, nullptr);
    EXPECT_EQ(timber.isRectangular, 0);
    EXPECT_FLOAT_EQ(timber.sectionB, 0.6f);
    EXPECT_EQ(timber.hasModulus, 1);
    EXPECT_FLOAT_EQ(timber.modulus, 1.0e7f);
    EXPECT_EQ(timber.hasInertia, 0);

    kind.material = 3;
    kind.section = 1;
    CPile_ShuJu steel;
    FillPileRecord(item, steel, nullptr);
    EXPECT_FLOAT_EQ(steel.modulus, 2.06e8f);
    EXPECT_EQ(steel.isRectangular, 1);
}

TEST(PileForces, UnknownRailTypeIsToldAndTheHeaviestRailIsUsed) {
    CSlideCalcData item = pileItem();
    item.pileKinds[0].material = 1;
    item.pileKinds[0].size1 = 36.0f;
    RecordingSinks sinks;
    CPile_ShuJu rail;
    FillPileRecord(item, rail, &sinks);
    ASSERT_EQ(sinks.messages.size(), 1u);
    EXPECT_EQ(sinks.messages[0], "钢轨型号输入错误(本软件接受的型号为 33, 38, 43, 50)");
    EXPECT_FLOAT_EQ(rail.resistWidth, 0.132f);
    EXPECT_EQ(rail.hasInertia, 1);
    EXPECT_EQ(rail.hasModulus, 1);

    item.pileKinds[0].size1 = 43.0f;
    RecordingSinks quiet;
    FillPileRecord(item, rail, &quiet);
    EXPECT_TRUE(quiet.messages.empty());
    EXPECT_FLOAT_EQ(rail.resistWidth, 0.114f);
}

TEST(PileForces, AnchorActsOnlyAboveItsThreshold) {
    for (float stiffness : {0.0f, 0.00001f}) {
        Fixture f;
        CSlideCalcData item = pileItem();
        item.anchorStiffness = stiffness;
        ComputePileForcesForThrust(f.calc, item, 300.0f, &f.report);
        EXPECT_EQ(f.calc.pileData().hasAnchor, 0);
        EXPECT_EQ(f.report.utf8().find("锚索水平拉力"), std::string::npos);
    }
    Fixture f;
    CSlideCalcData item = pileItem();
    item.anchorStiffness = 20.0f;
    ComputePileForcesForThrust(f.calc, item, 300.0f, &f.report);
    ASSERT_EQ(f.calc.pileData().hasAnchor, 1);
    // anchorStiffness (MN/m) x the first point's displacement field (mm) = kN,
    // with the solver's sign: a stretched cable prints negative.
    const float raw = 20.0f * f.calc.pileSolver().points().front().displacement;
    char line[128];
    std::snprintf(line, sizeof line, "    锚索水平拉力 = %.3f(kN)   \n", raw);
    EXPECT_NE(f.report.utf8().find(line), std::string::npos) << f.report.utf8();
    EXPECT_LT(raw, 0.0f);
    // The data sheet states the tension with its own sign.
    EXPECT_NEAR(f.calc.pileSolver().summary().anchorForce, -raw, 1e-3 * std::fabs(raw));
    EXPECT_NE(f.report.utf8().find("锚索拉力(受拉为正)"), std::string::npos);
}

TEST(PileForces, ResultBlockListsEveryPointWithZeroSoilReactionAboveTheSlipSurface) {
    Fixture f;
    CSlideCalcData item = pileItem();
    ComputePileForcesForThrust(f.calc, item, 300.0f, &f.report);
    const std::string& text = f.report.utf8();
    const PileSolver& solver = f.calc.pileSolver();
    ASSERT_EQ(solver.pointCount(), 141);  // 14 m at 0.1 m
    EXPECT_NE(text.find("    计算方法: m 法\n"), std::string::npos);
    EXPECT_NE(text.find("      点号    距顶距离    弯矩        剪力        位移     土反力\n"
                        "                (m)      (kN-m)      (kN)        (mm)     (kPa)\n"),
              std::string::npos);
    EXPECT_EQ(countTableRows(text), 141);
    for (const std::string& line : lines(text)) {
        int number = 0;
        float depth = 0, moment = 0, shear = 0, disp = 0, soil = 0;
        if (std::sscanf(line.c_str(), "%d %f %f %f %f %f", &number, &depth, &moment, &shear, &disp,
                        &soil) != 6)
            continue;
        if (depth < 8.0f - 0.01f) {
            EXPECT_EQ(line.substr(line.size() - 11), "      0.000") << line;
        }
    }
    // The first row, formatted as the table has it.
    const PileForcePoint& top = solver.points().front();
    char row[160];
    std::snprintf(row, sizeof row, "     %4d %10.3f %10.3f %10.3f %10.0f %10.3f\n", 1, 0.0, 0.0,
                  -top.shearA, -top.displacement, 0.0);
    EXPECT_NE(text.find(row), std::string::npos);
    EXPECT_EQ(text.find("-0.000"), std::string::npos);
    // The summary lines carry the record's values.
    char inner[128];
    std::snprintf(inner, sizeof inner, "    内侧最大弯矩 = %.3f(kN-m) 距离桩顶 %.3f(m)\n",
                  f.calc.pileData().innerMaxMoment, f.calc.pileData().innerMaxDepth);
    EXPECT_NE(text.find(inner), std::string::npos);
    EXPECT_GT(f.calc.pileData().innerMaxMoment, 0.0f);
}

TEST(PileForces, DataSheetFollowsTheTableWithRigidityWidthAndBalance) {
    Fixture f;
    CSlideCalcData item = pileItem();
    ComputePileForcesForThrust(f.calc, item, 300.0f, &f.report);
    const std::string& text = f.report.utf8();
    const size_t table = text.find("点号");
    const size_t sheet = text.find("桩身计算参数(本程序补充)");
    ASSERT_NE(sheet, std::string::npos);
    EXPECT_GT(sheet, table);
    EXPECT_NE(text.find("抗弯刚度 EI"), std::string::npos);
    EXPECT_NE(text.find("计算宽度 Bp         = 2.000(m)"), std::string::npos);
    EXPECT_NE(text.find("αh = "), std::string::npos);
    EXPECT_NE(text.find("单桩荷载            = 600.000(kN)"), std::string::npos);
    EXPECT_NE(text.find("桩底反力"), std::string::npos);  // hinged by default
    EXPECT_NE(text.find("平衡校核"), std::string::npos);
    EXPECT_EQ(text.find("nan"), std::string::npos);

    Fixture k;
    item.elasticMethod = 2;
    ComputePileForcesForThrust(k.calc, item, 300.0f, &k.report);
    EXPECT_NE(k.report.utf8().find("    计算方法: K 法\n"), std::string::npos);
    EXPECT_NE(k.report.utf8().find("βh = "), std::string::npos);
}

TEST(PileForces, RefusedPileIsExplainedInsteadOfATable) {
    struct Case {
        const char* name;
        void (*spoil)(CSlideCalcData&);
    };
    const Case cases[] = {
        {"free length 0",
         [](CSlideCalcData& i) { i.pileKinds[0].length = i.pileKinds[0].embedDepth; }},
        {"free length negative", [](CSlideCalcData& i) { i.pileKinds[0].length = 3.0f; }},
        {"EI 0", [](CSlideCalcData& i) { i.pileKinds[0].size2 = 0.0f; }},
        {"no soil, free base",
         [](CSlideCalcData& i) {
             i.layerM[0] = 0.0f;
             i.baseCondition = 0;
         }},
        {"no soil, hinged, no anchor", [](CSlideCalcData& i) { i.layerM[0] = 0.0f; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        CSlideCalcData item = pileItem();
        c.spoil(item);
        EXPECT_EQ(ComputePileForcesForThrust(f.calc, item, 300.0f, &f.report), 1);
        const std::string& text = f.report.utf8();
        EXPECT_NE(text.find("    桩身内力无法计算: "), std::string::npos) << text;
        EXPECT_EQ(text.find("点号"), std::string::npos);
        EXPECT_EQ(text.find("nan"), std::string::npos);
        EXPECT_EQ(text.find("inf"), std::string::npos);
        ASSERT_EQ(f.sinks.statuses.size(), 1u);
        EXPECT_NE(f.sinks.statuses[0].find("桩身内力无法计算"), std::string::npos);
    }
}

TEST(PileForces, LongPileTableListsEveryPointBeyondAThousand) {
    Fixture f;
    CSlideCalcData item = pileItem();
    item.pileKinds[0].length = 115.0f;
    item.pileKinds[0].embedDepth = 100.0f;
    ComputePileForcesForThrust(f.calc, item, 300.0f, &f.report);
    ASSERT_EQ(f.calc.pileSolver().pointCount(), 1151);
    EXPECT_EQ(countTableRows(f.report.utf8()), 1151);
    EXPECT_NE(f.report.utf8().find("     1151    115.000"), std::string::npos);
}

TEST(PileForces, NullReportComputesWithoutWriting) {
    Fixture f;
    CSlideCalcData item = pileItem();
    EXPECT_EQ(ComputePileForcesForThrust(f.calc, item, 300.0f, nullptr), 1);
    EXPECT_GT(f.calc.pileSolver().pointCount(), 0);
    ReportPileForces(f.calc.pileData(), f.calc.pileSolver(), nullptr);
}

TEST(PileForces, FullTargetTakesTheHorizontalThrustOfTheFirstRow) {
    Fixture f;
    CSlideCalcData item = pileItem();
    EXPECT_EQ(ComputePileForces(f.calc, item, &f.report), 1);
    const std::string& text = f.report.utf8();
    EXPECT_EQ(text.rfind("桩身内力计算\n    计算抗滑桩所承受的滑坡推力\n\n", 0), 0u);
    float H = -1.0f;
    const size_t at = text.find("单位米宽滑坡推力的水平分量       = ");
    ASSERT_NE(at, std::string::npos);
    std::sscanf(text.c_str() + at + std::string("单位米宽滑坡推力的水平分量       = ").size(), "%f",
                &H);
    EXPECT_GE(H, 0.0f);
    EXPECT_NEAR(f.calc.pileSolver().summary().appliedLoad, H * item.pileSpacing,
                1e-3 * (1.0 + H * item.pileSpacing));
}

TEST(PileForces, ChartsAreWrittenAsTheItemsResultDrawingOnlyWhenThereArePoints) {
    TempDir dir;
    for (bool refused : {false, true}) {
        SCOPED_TRACE(refused ? "refused" : "solved");
        Fixture f;
        f.ctx.G_strWorkPath = dir.path();
        CSlideCalcData item = pileItem();
        item.setResult(1, {"计算结果", "P_TLVR_JG.DXF", "P_TLVR.RTF"});
        if (refused) item.pileKinds[0].length = item.pileKinds[0].embedDepth;
        std::remove(dir.file("P_TLVR_JG.DXF").c_str());
        ComputePileForcesForThrust(f.calc, item, 300.0f, &f.report);
        const std::string dxf = readBytes(dir.file("P_TLVR_JG.DXF"));
        if (refused) {
            EXPECT_TRUE(dxf.empty());
        } else {
            EXPECT_NE(dxf.find("EOF"), std::string::npos);
        }
    }
}

TEST(PileForces, RunItemDispatchesCheckTargetTwoToThePileForces) {
    Fixture f;
    CSlideCalcData item = pileItem();
    EXPECT_EQ(f.calc.RunItem(item, f.report), 1);
    const std::string& text = f.report.utf8();
    EXPECT_NE(text.find("桩身内力计算\n"), std::string::npos);
    EXPECT_NE(text.find("    计算方法: m 法\n"), std::string::npos);
    EXPECT_EQ(countTableRows(text.substr(text.find("点号"))), 141);
}
