// The pile safety factor section of the report.
#include "piles/PileSafety.h"

#include "data/CSlideCalcData.h"
#include "engine/ThrustPass.h"
#include "platform/ReportWriter.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

struct Check {
    float H, bermArea, trimmedArea;
    std::string blockLines, text;
};

// The thrust pass on its own, then the section of the report.
Check check(const CSlideCalcData& item) {
    ReportWriter blocks, report;
    float theta = 0.0f, berm = 0.0f, trimmed = 0.0f;
    const float T = ComputeThrust(item, &blocks, &theta, &berm, &trimmed, nullptr);
    EXPECT_EQ(CheckPileSafety(item, report, nullptr), 1);
    return {std::max(0.0f, T * std::cos(theta)), berm, trimmed, blocks.utf8(), report.utf8()};
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

// The worked example without berm and unloading; piles at x = 6 of 100 kN at
// 2 m, one row: R = 50.
CSlideCalcData plainExample() {
    CSlideCalcData item;
    item.useBerm = item.useUnload = 0;
    return item;
}

// One slip segment from (0, 0) to (10, 5) under level ground at y = 5, dry,
// piles at the toe: a triangle of 25 m2 weighing 475 kN on a 26.565° plane.
CSlideCalcData wedge(float c) {
    CSlideCalcData item = plainExample();
    item.slipCount = item.waterCount = 1;
    item.slip[0] = {10.0f, 5.0f, 0, {}, c, 20.0f};
    item.slopeX0 = item.pileX = 0.0f;
    item.slopeCount = 2;
    item.slope[0] = {0.0f, 5.0f};
    item.slope[1] = {10.0f, 0.0f};
    item.waterX0 = -20.0f;
    item.waterY0 = -50.0f;
    item.water[0] = {100.0f, 0.0f};
    item.useSeepage = 0;
    return item;
}

}  // namespace

TEST(PileSafety, NoThrustGivesTheFactor9999) {
    EXPECT_FLOAT_EQ(PileSafetyFactor(50.0f, 0.0f), 9999.0f);
    EXPECT_FLOAT_EQ(PileSafetyFactor(50.0f, 0.0001f), 9999.0f);
    EXPECT_FLOAT_EQ(PileSafetyFactor(50.0f, 25.0f), 2.0f);
    EXPECT_FLOAT_EQ(PileSafetyFactor(0.0f, 25.0f), 0.0f);
}

TEST(PileSafety, TheWorkedExampleReportsBlocksFactorAndPileQuantitiesOrWithoutPilesNoResistance) {
    for (int piles : {1, 0}) {
        CSlideCalcData item = plainExample();
        item.usePiles = piles;
        const Check c = check(item);
        ASSERT_GT(c.H, 0.0001f);
        const float R = piles ? 50.0f : 0.0f;
        // 500 m at 2 m spacing: exactly 250 piles, the last gap within 1 mm.
        EXPECT_EQ(c.text,
                  "抗滑桩安全系数计算\n    计算抗滑桩所承受的滑坡推力\n\n" + c.blockLines +
                      resultLines(c.H, R, R / c.H) +
                      (piles ? readBytes(TALVOR_TEST_DATA "/quantities/piles_500m.txt") : ""));
    }
}

TEST(PileSafety, BermAndUnloadingQuantitiesFollowWhenTheirAreasCount) {
    const Check c = check(CSlideCalcData());  // the worked example keeps both
    EXPECT_EQ(c.text.find("反压码的总体积") != std::string::npos, c.bermArea > 0.0001f);
    EXPECT_EQ(c.text.find("刷方的总体积") != std::string::npos, c.trimmedArea > 0.0001f);
    char line[96];
    std::snprintf(line, sizeof line, "        反压码的总体积 = %.3f m3\n", c.bermArea * 500.0f);
    EXPECT_TRUE(c.bermArea <= 0.0001f || c.text.find(line) != std::string::npos) << c.text;
}

TEST(PileSafety, AHandCalculatedWedgeGivesItsThrustAndFactorAndWhenStableNoThrustAndTheFactor9999) {
    // W = 475, α = atan 0.5: N = W cos α = 424.853, tan 20° N = 154.634,
    // W sin α = 212.426; c = 0: E = 57.793, H = E cos α = 51.691;
    // R = 100 / 2 = 50, F = 50 / 51.691 = 0.967.
    EXPECT_NE(check(wedge(0.0f)).text.find(resultLines(51.691f, 50.0f, 0.967f)), std::string::npos);
    // c = 10 kPa over L = 11.180 m adds 111.8 kN: E = -54.011, so H = 0.
    EXPECT_NE(check(wedge(10.0f)).text.find(resultLines(0.0f, 50.0f, 9999.0f)), std::string::npos);
}
