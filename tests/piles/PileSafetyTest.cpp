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
