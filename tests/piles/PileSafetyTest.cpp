// The pile safety factor section of the report.
#include "piles/PileSafety.h"

#include "engine/EngineTestItems.h"
#include "platform/ReportWriter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// The section of the report (its lines for the worked example are held by the
// output manifest) for the engine's dry wedge with piles at its toe: the worked
// example's piles, one row of 100 kN at 2 m: R = 50.
std::string check(float c) {
    CSlideCalcData item = wedge(c);
    item.usePiles = 1;
    item.pileX = 0.0f;
    ReportWriter report;
    EXPECT_EQ(CheckPileSafety(item, report, nullptr), 1);
    return report.utf8();
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

TEST(PileSafety, AHandCalculatedWedgeGivesItsThrustAndFactorAndWhenStableNoThrustAndTheFactor9999) {
    // W = 475, α = atan 0.5: N = W cos α = 424.853, tan 20° N = 154.634,
    // W sin α = 212.426; c = 0: E = 57.793, H = E cos α = 51.691;
    // R = 100 / 2 = 50, F = 50 / 51.691 = 0.967.
    EXPECT_NE(check(0.0f).find(resultLines(51.691f, 50.0f, 0.967f)), std::string::npos);
    // c = 10 kPa over L = 11.180 m adds 111.8 kN: E = -54.011, so H = 0.
    EXPECT_NE(check(10.0f).find(resultLines(0.0f, 50.0f, 9999.0f)), std::string::npos);
}
