// The transfer-coefficient pass: where it ends, what each block hands down,
// the block report lines, and hostile sections that must still finish.
#include "EngineTestItems.h"

#include "engine/SectionGeometry.h"
#include "engine/ThrustPass.h"
#include "platform/ReportWriter.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace {

// Residual forces pre-filled to show what the pass leaves alone.
struct Pass {
    float e = 0.0f, angle = -1.0f, berm = -1.0f, trimmed = -1.0f;
    std::array<float, 110> residual;
    ReportWriter report;
    explicit Pass(const CSlideCalcData& d) {
        residual.fill(-999.0f);
        e = ComputeThrust(d, &report, &angle, &berm, &trimmed, residual.data());
    }
    int blocks() const { return static_cast<int>(occurrences(text(), "块滑体\n")); }
    const std::string& text() const { return report.utf8(); }
    bool has(const std::string& line) const { return text().find(line) != std::string::npos; }
};

}  // namespace

TEST(ThrustPass, TheTopBlockOfTheDefaultItemReportsItsHandCalculation) {
    // Area 18.24795 − 4.38021 trimmed; W = 19 × 13.86774; L = 5.53279 × √277 / 9;
    // α = atan(14/9); N = W cos α; F = tan 20° × N; T = W sin α; E = T − 10 L − F.
    Pass p{CSlideCalcData{}};
    const std::string expected = readBytes(std::string(TALVOR_TEST_DATA) + "/top_block.txt");
    EXPECT_EQ(p.text().substr(0, expected.size()), expected);
    EXPECT_NEAR(p.residual[1], 67.46477, 1e-3);
}

// Where the block holding the piles is cut, and the berm and trimmed areas
// summed over the blocks, reach the output manifest's reports and drawings.
TEST(ThrustPass, ThePassEndsWithTheBlockHoldingTheThrustPositionOrAtTheToe) {
    // Piles at 6 inside the lowest slip segment (0, 0)–(20, 2); at 34 on the
    // vertex of segments 2 and 3; at or beyond the crest or the toe every block.
    struct Case {
        float pileX;
        int useBerm, blocks;
        float angle;
    } cases[] = {{6.0f, 1, 6, std::atan(0.1f)},  {34.0f, 1, 3, std::atan2(4.0f, 8.0f)},
                 {57.0f, 0, 6, std::atan(0.1f)}, {80.0f, 0, 6, std::atan(0.1f)},
                 {0.0f, 0, 6, std::atan(0.1f)},  {-5.0f, 0, 6, std::atan(0.1f)}};
    std::vector<float> fullPasses;
    for (const Case& c : cases) {
        CSlideCalcData d;
        d.pileX = c.pileX;
        d.useBerm = c.useBerm;
        Pass p(d);
        SCOPED_TRACE(c.pileX);
        EXPECT_EQ(p.blocks(), c.blocks);
        EXPECT_FLOAT_EQ(p.angle, c.angle);
        EXPECT_EQ(p.residual[0], 0.0f);
        EXPECT_EQ(p.residual[c.blocks], p.e);
        EXPECT_EQ(p.residual[c.blocks + 1], -999.0f);
        if (!c.useBerm) fullPasses.push_back(p.e);
    }
    EXPECT_EQ(std::count(fullPasses.begin(), fullPasses.end(), fullPasses[0]), 4);
}

TEST(ThrustPass, AVerticalLastSlipSegmentIsPassedThroughWithNothing) {
    CSlideCalcData d = plainSection({{10, 2}, {10, 4}, {0, 5}}, {{30, 30}});
    Pass p(d);
    EXPECT_EQ(p.text().rfind("    第 1 块滑体\n    第 2 块滑体\n", 0), 0u);
    EXPECT_TRUE(p.has("上块传递推力 = 0.000(kN)   推力角度   = 0.000(度)"));
    EXPECT_EQ(p.residual[0], 0.0f);
    EXPECT_EQ(p.residual[1], 0.0f);
    EXPECT_EQ(p.blocks(), 3);
    // A vertical end segment starting exactly at x* still does not end the pass.
    d.usePiles = 1;
    d.pileX = 20.0f;
    EXPECT_EQ(Pass(d).blocks(), 3);
}

TEST(ThrustPass, WithoutLoadsOrWaterTheFirstBlockIsWSinAlphaLessCohesionAndFriction) {
    CSlideCalcData d = plainSection({{10, 3}}, {{10, 8}});
    d.useSeepage = 0;
    BlockGeometry g = IntegrateBlock(d, 0.0f, 10.0f);
    EXPECT_FLOAT_EQ(g.area, 25.0f);  // wedge between rises 3 and 8 over 10 m
    double a = std::atan2(3.0, 10.0), phi = 20.0 * M_PI / 180.0;
    EXPECT_NEAR(
        Pass(d).e,
        g.weight * std::sin(a) - 10.0 * g.slipLength - std::tan(phi) * g.weight * std::cos(a),
        1e-3);
    // On a level slip Px drives directly: factored by 1.5 when it drives, not when it holds.
    d = plainSection({{10, 0}}, {{10, 5}});
    d.thrustSafetyFactor = 1.5f;
    d.slope[0].loadCount = 1;
    d.slope[0].loads[0] = {2.0f, 0.0f, 0.0f};
    float base = Pass(d).e;
    d.slope[0].loads[0].px = 100.0f;
    EXPECT_FLOAT_EQ(Pass(d).e - base, 150.0f);
    d.slope[0].loads[0].px = -100.0f;
    EXPECT_FLOAT_EQ(Pass(d).e - base, -100.0f);
}

TEST(ThrustPass, StaticWaterIsReportedAndActsAsALoadOnlyWhenSwitchedOn) {
    CSlideCalcData d = plainSection({{20, 0}}, {{10, 5}, {10, 5}});
    d.waterX0 = -5.0f, d.waterY0 = 3.0f, d.water[0].dx = 40.0f;
    d.useStaticWater = 1;
    Pass on(d);
    EXPECT_TRUE(on.has("        坡面以上静水压力水平分力 = -45.000(kN) 竖向分力 = 90.000(kN) \n"));
    EXPECT_TRUE(on.has("本块总附加力   Px= 0.000(kN)   Py = 0.000(kN)"));  // point loads alone
    d.useStaticWater = 0;
    Pass off(d);
    EXPECT_FALSE(off.has("坡面以上静水压力"));
    // On a level slip the push towards the slope (−45) enters unfactored and
    // the weight (90) adds friction tan 20° × 90.
    EXPECT_NEAR(on.e - off.e, -45.0 - std::tan(20.0 * M_PI / 180.0) * 90.0, 1e-3);
}

// Which force lines a block prints follows the switches of the output
// manifest's items; the quake force of the top block is checked by hand.
TEST(ThrustPass, TheTopBlocksQuakeForceIsItsHandValueAndDryRunsStillWeighWetSoil) {
    CSlideCalcData d;
    d.useSeepage = 0;
    EXPECT_GT(IntegrateBlock(d, 26.0f, 34.0f).wetWeight, 0.0f);  // still counts saturated weight
    d.quakeLevel = 3;
    // Intensity 9 on the top block: Q = W × 1.0 × 0.25 × 0.4 with W = 263.487.
    EXPECT_TRUE(Pass(d).has("本块地震力     = 26.349(kN)"));
}

TEST(ThrustPass, WithoutSlipSegmentsThePassComputesNothing) {
    CSlideCalcData d;
    d.slipCount = 0;
    Pass p(d);
    EXPECT_EQ(std::vector<float>({p.e, p.angle, p.berm}), std::vector<float>(3, 0.0f));
    EXPECT_TRUE(p.report.empty());
    EXPECT_EQ(p.residual[0], -999.0f);
    d.slipCount = -4;
    EXPECT_EQ(Pass(d).e, 0.0f);
    EXPECT_EQ(ComputeThrust(d, nullptr, nullptr, nullptr, nullptr, nullptr), 0.0f);
}

TEST(ThrustPass, HostileSectionsFinish) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const std::function<void(CSlideCalcData&)> hostile[] = {
        [](CSlideCalcData& d) {  // every dx tiny
            d.slipCount = d.slopeCount = d.waterCount = 100;
            for (int i = 0; i < 100; ++i) d.slip[i].dx = d.slope[i].dx = d.water[i].dx = 1e-7f;
        },
        [](CSlideCalcData& d) {  // slip surface running back and down
            for (int i = 0; i < d.slipCount; ++i) d.slip[i].dx = -3.0f, d.slip[i].dy = -2.0f;
        },
        [](CSlideCalcData& d) {  // slope surface under the slip surface
            d.slopeX0 = 0.0f;
            for (int i = 0; i < d.slopeCount; ++i) d.slope[i].dy = -5.0f;
        },
        [](CSlideCalcData& d) { d.waterY0 = 500.0f, d.useStaticWater = 1; },  // flooded
        [](CSlideCalcData& d) {  // counts out of range either way
            d.slipCount = 1000, d.slopeCount = -1, d.waterCount = 0, d.unloadCount = 77;
            d.slope[0].loadCount = 50;
        },
        [&](CSlideCalcData& d) { d.slip[3].dx = nan, d.slope[2].dy = nan; },
        [&](CSlideCalcData& d) {
            d.pileX = d.gamma = d.porosity = d.bermH = d.unloadY = d.waterY0 = nan;
        },
        [&](CSlideCalcData& d) { d.slip[5].dx = inf, d.slopeX0 = -inf; },
    };
    for (size_t i = 0; i < std::size(hostile); ++i) {
        CSlideCalcData d;
        hostile[i](d);
        Pass p(d);
        EXPECT_GE(p.blocks(), 1) << i;
        EXPECT_LE(p.blocks(), std::clamp(d.slipCount, 0, 100)) << i;
    }
}
