// The pile safety factor section of the report.
#include "piles/PileSafety.h"

#include "data/CSlideCalcData.h"
#include "engine/ThrustPass.h"
#include "platform/ReportWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace {
struct Thrust {
    float H, bermArea, trimmedArea;
    std::string blockLines;
};

Thrust thrustOf(const CSlideCalcData& item) {
    ReportWriter blocks;
    float theta = 0.0f, berm = 0.0f, trimmed = 0.0f;
    const float T = ComputeThrust(item, &blocks, &theta, &berm, &trimmed, nullptr);
    return {std::max(0.0f, T * std::cos(theta)), berm, trimmed, blocks.utf8()};
}

std::string resultLines(float H, float R, float F) {
    char buf[512];
    std::snprintf(buf, sizeof buf,
                  "\n\n    单位米宽滑坡推力的水平分量       = %.3f(kN)\n"
                  "    单位米宽抗滑桩所能提供的抗力分量 = %.3f(kN)\n"
                  "    抗滑桩安全系数为                 = %.3f\n\n\n",
                  H, R, F);
    return buf;
}
}  // namespace

TEST(PileSafety, NoThrustGivesTheFactor9999) {
    EXPECT_FLOAT_EQ(PileSafetyFactor(50.0f, 0.0f), 9999.0f);
    EXPECT_FLOAT_EQ(PileSafetyFactor(50.0f, 0.0001f), 9999.0f);
    EXPECT_FLOAT_EQ(PileSafetyFactor(50.0f, 25.0f), 2.0f);
    EXPECT_FLOAT_EQ(PileSafetyFactor(0.0f, 25.0f), 0.0f);
}

TEST(PileSafety, TheWorkedExampleReportsBlocksFactorAndPileQuantities) {
    CSlideCalcData item;  // piles at x = 6 of 100 kN at 2 m, one row
    item.useBerm = 0;
    item.useUnload = 0;
    const Thrust t = thrustOf(item);
    ASSERT_GT(t.H, 0.0001f);
    const float R = 50.0f;  // 100 kN / 2 m
    ReportWriter report;
    EXPECT_EQ(CheckPileSafety(item, report, nullptr), 1);
    // 500 m at 2 m spacing: exactly 250 piles, the last gap within 1 mm.
    const std::string expected = "抗滑桩安全系数计算\n    计算抗滑桩所承受的滑坡推力\n\n" +
                                 t.blockLines + resultLines(t.H, R, R / t.H) +
                                 "    滑坍纵向宽度 = 500.000m 范围内，第1种桩：\n"
                                 "        共需要抗滑桩 250 根\n"
                                 "        抗滑桩的总造价 = 200000.000 元\n"
                                 "        抗滑桩的总工费 = 25000.000 元\n"
                                 "        抗滑桩的总工期 = 25.000 人天\n";
    EXPECT_EQ(report.utf8(), expected);
}

TEST(PileSafety, ANegativeThrustReportsZeroAndTheFactor9999) {
    CSlideCalcData item;
    item.useBerm = 0;
    item.useUnload = 0;
    item.SetAllC(1000.0f);
    float theta = 0.0f;
    ASSERT_LT(ComputeThrust(item, nullptr, &theta, nullptr, nullptr, nullptr), 0.0f);
    ReportWriter report;
    CheckPileSafety(item, report, nullptr);
    EXPECT_NE(report.utf8().find(resultLines(0.0f, 50.0f, 9999.0f)), std::string::npos)
        << report.utf8();
}

TEST(PileSafety, BermAndUnloadingQuantitiesFollowWhenTheirAreasCount) {
    CSlideCalcData item;  // the worked example keeps its berm and unloading
    const Thrust t = thrustOf(item);
    ReportWriter report;
    CheckPileSafety(item, report, nullptr);
    const std::string text = report.utf8();
    EXPECT_EQ(text.find("反压码的总体积") != std::string::npos, t.bermArea > 0.0001f);
    EXPECT_EQ(text.find("刷方的总体积") != std::string::npos, t.trimmedArea > 0.0001f);
    if (t.bermArea > 0.0001f) {
        char line[96];
        std::snprintf(line, sizeof line, "        反压码的总体积 = %.3f m3\n", t.bermArea * 500.0f);
        EXPECT_NE(text.find(line), std::string::npos) << text;
    }
}

TEST(PileSafety, WithoutPilesTheResistanceIsZeroAndNoPileQuantitiesAreWritten) {
    CSlideCalcData item;
    item.usePiles = 0;
    item.useBerm = 0;
    item.useUnload = 0;
    const Thrust t = thrustOf(item);
    ReportWriter report;
    CheckPileSafety(item, report, nullptr);
    const std::string text = report.utf8();
    EXPECT_NE(text.find(resultLines(t.H, 0.0f, t.H > 0.0001f ? 0.0f : 9999.0f)), std::string::npos);
    EXPECT_EQ(text.find("抗滑桩 "), std::string::npos);
    EXPECT_TRUE(text.ends_with("\n\n\n"));
}

namespace {
// One slip segment from (0, 0) to (10, 5) under level ground at y = 5, dry,
// piles at the toe: a triangle of 25 m2 weighing 475 kN on a 26.565° plane.
CSlideCalcData wedge(float c) {
    CSlideCalcData item;
    item.slipCount = 1;
    item.slip[0] = CLineSeg{};
    item.slip[0].dx = 10.0f;
    item.slip[0].dy = 5.0f;
    item.slip[0].c = c;
    item.slip[0].phi = 20.0f;
    item.slopeX0 = 0.0f;
    item.slopeCount = 2;
    item.slope[0] = CLineSeg{};
    item.slope[0].dx = 0.0f;
    item.slope[0].dy = 5.0f;
    item.slope[1] = CLineSeg{};
    item.slope[1].dx = 10.0f;
    item.slope[1].dy = 0.0f;
    item.waterCount = 1;
    item.waterX0 = -20.0f;
    item.waterY0 = -50.0f;
    item.water[0].dx = 100.0f;
    item.water[0].dy = 0.0f;
    item.useSeepage = 0;
    item.useBerm = 0;
    item.useUnload = 0;
    item.usePiles = 1;
    item.pileX = 0.0f;
    return item;
}

float numberAfter(const std::string& text, const std::string& label) {
    const size_t at = text.find(label);
    if (at == std::string::npos) return -1.0f;
    return std::stof(text.substr(at + label.size()));
}
}  // namespace

TEST(PileSafety, AHandCalculatedWedgeGivesItsThrustAndFactor) {
    // W = 475, α = atan 0.5: N = W cos α = 424.853, tan 20° N = 154.634,
    // W sin α = 212.426; c = 0: E = 57.793, H = E cos α = 51.691;
    // R = 100 / 2 = 50, F = 50 / 51.691 = 0.967.
    ReportWriter report;
    CheckPileSafety(wedge(0.0f), report, nullptr);
    const std::string text = report.utf8();
    EXPECT_NEAR(numberAfter(text, "单位米宽滑坡推力的水平分量       = "), 51.691f, 0.002f) << text;
    EXPECT_NEAR(numberAfter(text, "单位米宽抗滑桩所能提供的抗力分量 = "), 50.0f, 0.0005f);
    EXPECT_NEAR(numberAfter(text, "抗滑桩安全系数为                 = "), 0.967f, 0.0005f);
}

TEST(PileSafety, AHandCalculatedStableWedgeHasNoThrustOnThePiles) {
    // c = 10 kPa over L = 11.180 m adds 111.8 kN: E = -54.011, so H = 0.
    ReportWriter report;
    CheckPileSafety(wedge(10.0f), report, nullptr);
    EXPECT_NE(report.utf8().find(resultLines(0.0f, 50.0f, 9999.0f)), std::string::npos)
        << report.utf8();
}
