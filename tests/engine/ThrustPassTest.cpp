// The transfer-coefficient pass: where it ends, what each block hands down,
// the block report lines, and hostile sections that must still finish.
#include "data/CSlideCalcData.h"
#include "engine/SectionGeometry.h"
#include "engine/ThrustPass.h"
#include "platform/PlaneGeometry.h"
#include "platform/ReportWriter.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

// Residual forces as the run hands them over, pre-filled to show what the pass leaves alone.
struct Pass {
    float e = 0.0f, angle = -1.0f, berm = -1.0f, trimmed = -1.0f;
    std::array<float, 110> residual;
    ReportWriter report;
};

Pass run(const CSlideCalcData& d) {
    Pass p;
    p.residual.fill(-999.0f);
    p.e = ComputeThrust(d, &p.report, &p.angle, &p.berm, &p.trimmed, p.residual.data());
    return p;
}

int countOf(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

int blockCount(const Pass& p) {
    return countOf(p.report.utf8(), "块滑体\n");
}

// Slip and slope from (dx, dy) pairs; no countermeasures, water far below.
CSlideCalcData plainSection(std::vector<std::pair<float, float>> slip,
                            std::vector<std::pair<float, float>> slope) {
    CSlideCalcData d;
    d.usePiles = d.useBerm = d.useUnload = 0;
    d.slipCount = static_cast<int>(slip.size());
    for (size_t i = 0; i < slip.size(); ++i) {
        d.slip[i].dx = slip[i].first;
        d.slip[i].dy = slip[i].second;
    }
    d.slopeX0 = 0.0f;
    d.slopeCount = static_cast<int>(slope.size());
    for (size_t i = 0; i < slope.size(); ++i) {
        d.slope[i].dx = slope[i].first;
        d.slope[i].dy = slope[i].second;
    }
    d.waterX0 = -20.0f;
    d.waterY0 = -100.0f;
    d.waterCount = 1;
    d.water[0].dx = 200.0f;
    d.water[0].dy = 0.0f;
    return d;
}

}  // namespace

TEST(ThrustPass, ThrustPositionIsThePileRowElseTheSlopeStartOrALowerBerm) {
    CSlideCalcData d;
    EXPECT_EQ(ThrustPosition(d), 6.0f);
    d.usePiles = 0;
    EXPECT_EQ(ThrustPosition(d), 5.0f);  // berm at 5 below the slope start at 15
    d.bermX = 20.0f;
    EXPECT_EQ(ThrustPosition(d), 15.0f);
    d.bermX = 5.0f;
    d.useBerm = 0;
    EXPECT_EQ(ThrustPosition(d), 15.0f);
}

TEST(ThrustPass, TheTopBlockOfTheDefaultItemReportsItsHandCalculation) {
    // Area 18.24795 − 4.38021 trimmed; W = 19 × 13.86774; L = 5.53279 × √277 / 9;
    // α = atan(14/9); N = W cos α; F = tan 20° × N; T = W sin α; E = T − 10 L − F.
    Pass p = run(CSlideCalcData{});
    const std::string expected =
        "    第 1 块滑体\n"
        "        本块滑体的X坐标范围:  57.000 到  48.000(m)\n"
        "        上块传递推力 = 0.000(kN)   推力角度   = 0.000(度)\n"
        "        本块滑面粘聚力   = 10.000(kPa)  滑面摩擦角 = 20.000(度)\n"
        "        本块总面积     = 13.868(m2)   浸水部分面积 = 0.000(m2)\n"
        "        本块中刷方去除的面积     = 4.380(m2)\n"
        "        本块总重     = 263.487(kN)   浸水部分重 = 0.000(kN)\n"
        "        本块总附加力   Px= 0.000(kN)   Py = 0.000(kN)\n"
        "        本块动水压力     = 0.000(kN)\n"
        "        本块水浮托力     = 0.000(kN)\n"
        "        有效的滑动面长度     = 10.232(m)\n"
        "        下滑力 = 221.640(kN)\n"
        "        滑床反力   R= 142.483(kN) 滑面抗滑力 = 51.859(kN) 粘聚力抗滑力 =102.315(kN)\n"
        "        --------------------------\n"
        "        本块剩余下滑力 = 67.465(kN)\n"
        "        本块下滑力角度   = 57.265(度)\n"
        "    第 2 块滑体\n"
        "        本块滑体的X坐标范围:  48.000 到  42.000(m)\n"
        "        上块传递推力 = 67.465(kN)   推力角度   = 57.265(度)\n";
    EXPECT_EQ(p.report.utf8().substr(0, expected.size()), expected);
    EXPECT_NEAR(p.residual[1], 67.46477, 1e-3);
}

TEST(ThrustPass, ThePassStopsInsideTheBlockHoldingTheThrustPosition) {
    // Default piles at x 6, inside the lowest slip segment (0, 0)–(20, 2).
    Pass p = run(CSlideCalcData{});
    EXPECT_EQ(blockCount(p), 6);
    EXPECT_NE(p.report.utf8().find("本块滑体的X坐标范围:  20.000 到  6.000(m)"), std::string::npos);
    EXPECT_FLOAT_EQ(p.angle, std::atan(0.1f));
    EXPECT_EQ(p.residual[0], 0.0f);
    EXPECT_EQ(p.residual[6], p.e);
    EXPECT_EQ(p.residual[7], -999.0f);
    EXPECT_GT(p.berm, 0.0f);
    EXPECT_GT(p.trimmed, 0.0f);
}

TEST(ThrustPass, AThrustPositionOnASlipVertexEndsWithTheBlockAboveIt) {
    CSlideCalcData d;
    d.pileX = 34.0f;  // vertex between segments 2 and 3
    Pass p = run(d);
    EXPECT_EQ(blockCount(p), 3);
    EXPECT_EQ(p.residual[3], p.e);
    EXPECT_EQ(p.residual[4], -999.0f);
    EXPECT_FLOAT_EQ(p.angle, std::atan2(4.0f, 8.0f));
}

TEST(ThrustPass, AtOrBeyondTheCrestOrTheToeThePassCoversEveryBlock) {
    std::vector<float> results;
    for (float x : {57.0f, 80.0f, 0.0f, -5.0f}) {
        CSlideCalcData d;
        d.useBerm = 0;
        d.pileX = x;
        Pass p = run(d);
        EXPECT_EQ(blockCount(p), 6) << x;
        EXPECT_EQ(p.residual[6], p.e) << x;
        results.push_back(p.e);
    }
    // Every one of them is the same full pass.
    for (float e : results) EXPECT_EQ(e, results[0]);
    // A vertical end segment starting exactly at x* still does not end the pass.
    CSlideCalcData d = plainSection({{10, 2}, {10, 4}, {0, 5}}, {{30, 30}});
    d.usePiles = 1;
    d.useBerm = 0;
    d.pileX = 20.0f;
    EXPECT_EQ(blockCount(run(d)), 3);
}

TEST(ThrustPass, AVerticalLastSlipSegmentIsPassedThroughWithNothing) {
    CSlideCalcData d = plainSection({{10, 2}, {10, 4}, {0, 5}}, {{30, 30}});
    Pass p = run(d);
    const std::string& text = p.report.utf8();
    // No block lines follow the heading of the vertical block.
    EXPECT_EQ(text.substr(0, 40), std::string("    第 1 块滑体\n    第 2 块滑体\n").substr(0, 40));
    EXPECT_NE(text.find("上块传递推力 = 0.000(kN)   推力角度   = 0.000(度)"), std::string::npos);
    EXPECT_EQ(p.residual[0], 0.0f);
    EXPECT_EQ(p.residual[1], 0.0f);
    EXPECT_EQ(blockCount(p), 3);
}

TEST(ThrustPass, ANegativeResidualForceIsHandedDownAsZero) {
    CSlideCalcData d = plainSection({{10, 1}, {10, 6}}, {{10, 6}, {10, 10}});
    d.slip[1].c = 500.0f;  // the top block holds itself
    Pass p = run(d);
    ASSERT_LT(p.residual[1], 0.0f);
    const std::string& text = p.report.utf8();
    size_t second = text.find("    第 2 块滑体\n");
    ASSERT_NE(second, std::string::npos);
    EXPECT_NE(text.find("上块传递推力 = 0.000(kN)", second), std::string::npos);
    // The lower block computes as if nothing came from above, turned or not.
    float angle, force, berm, trimmed;
    ComputeBlock(d, 0, 0.0f, 0.0f, 10.0f, 1.0f, p.angle, 0.0f, &angle, &force, nullptr, &berm,
                 &trimmed);
    float topAngle = std::atan2(6.0f, 10.0f);
    float e0, a0, b0, t0;
    ComputeBlock(d, 0, 0.0f, 0.0f, 10.0f, 1.0f, topAngle, 0.0f, &a0, &e0, nullptr, &b0, &t0);
    EXPECT_EQ(p.e, e0);
    EXPECT_EQ(p.residual[2], e0);
}

TEST(ThrustPass, WithoutLoadsOrWaterTheFirstBlockIsWSinAlphaLessCohesionAndFriction) {
    CSlideCalcData d = plainSection({{10, 3}}, {{10, 8}});
    d.useSeepage = 0;
    Pass p = run(d);
    BlockGeometry g = IntegrateBlock(d, 0.0f, 10.0f);
    double a = std::atan2(3.0, 10.0), phi = 20.0 * M_PI / 180.0;
    double expected =
        g.weight * std::sin(a) - 10.0 * g.slipLength - std::tan(phi) * g.weight * std::cos(a);
    EXPECT_NEAR(p.e, expected, 1e-3);
    // Soil wedge between slip (rise 3) and slope (rise 8) over 10 m: 25 m².
    EXPECT_FLOAT_EQ(g.area, 25.0f);
}

TEST(ThrustPass, OnlyADrivingHorizontalLoadIsMultipliedByTheSafetyFactor) {
    // A level slip segment: Px drives directly and does not change N.
    CSlideCalcData d = plainSection({{10, 0}}, {{10, 5}});
    d.thrustSafetyFactor = 1.5f;
    d.slope[0].loadCount = 1;
    d.slope[0].loads[0] = {2.0f, 0.0f, 0.0f};
    float base = run(d).e;
    d.slope[0].loads[0].px = 100.0f;
    EXPECT_FLOAT_EQ(run(d).e - base, 150.0f);
    d.slope[0].loads[0].px = -100.0f;
    EXPECT_FLOAT_EQ(run(d).e - base, -100.0f);
}

TEST(ThrustPass, StaticWaterIsReportedAndActsAsALoadOnlyWhenSwitchedOn) {
    CSlideCalcData d = plainSection({{20, 0}}, {{10, 5}, {10, 5}});
    d.waterX0 = -5.0f;
    d.waterY0 = 3.0f;
    d.water[0].dx = 40.0f;
    d.useStaticWater = 1;
    Pass on = run(d);
    EXPECT_NE(on.report.utf8().find("        坡面以上静水压力水平分力 = -45.000(kN) 竖向分力 = "
                                    "90.000(kN) \n"),
              std::string::npos);
    // The load line shows the point loads alone.
    EXPECT_NE(on.report.utf8().find("本块总附加力   Px= 0.000(kN)   Py = 0.000(kN)"),
              std::string::npos);
    d.useStaticWater = 0;
    Pass off = run(d);
    EXPECT_EQ(off.report.utf8().find("坡面以上静水压力"), std::string::npos);
    // On a level slip the water's push towards the slope (−45) enters unfactored
    // and its weight (90) adds friction tan 20° × 90.
    EXPECT_NEAR(on.e - off.e, -45.0 - std::tan(20.0 * M_PI / 180.0) * 90.0, 1e-3);
}

TEST(ThrustPass, OptionalForceLinesFollowTheirSwitches) {
    CSlideCalcData d;
    d.useSeepage = 0;
    Pass p = run(d);
    EXPECT_EQ(countOf(p.report.utf8(), "本块动水压力"), 0);
    EXPECT_EQ(countOf(p.report.utf8(), "本块水浮托力"), 0);
    EXPECT_EQ(countOf(p.report.utf8(), "本块地震力"), 0);
    EXPECT_EQ(countOf(p.report.utf8(), "本块承压水浮托力"), 0);
    // The wet weight still counts the saturated unit weights.
    EXPECT_GT(IntegrateBlock(d, 26.0f, 34.0f).wetWeight, 0.0f);
    d.useSeepage = 1;
    d.quakeLevel = 3;
    d.useConfinedWater = 1;
    d.confinedHead = 1.0f;
    p = run(d);
    EXPECT_EQ(countOf(p.report.utf8(), "本块动水压力"), 6);
    EXPECT_EQ(countOf(p.report.utf8(), "本块地震力"), 6);
    EXPECT_EQ(countOf(p.report.utf8(), "本块承压水浮托力"), 6);
    // Intensity 9 on the top block: Q = W × 1.0 × 0.25 × 0.4 with W = 263.487.
    EXPECT_NE(p.report.utf8().find("本块地震力     = 26.349(kN)"), std::string::npos);
}

TEST(ThrustPass, WithoutSlipSegmentsThePassComputesNothing) {
    CSlideCalcData d;
    d.slipCount = 0;
    Pass p = run(d);
    EXPECT_EQ(p.e, 0.0f);
    EXPECT_EQ(p.angle, 0.0f);
    EXPECT_EQ(p.berm, 0.0f);
    EXPECT_TRUE(p.report.empty());
    EXPECT_EQ(p.residual[0], -999.0f);
    d.slipCount = -4;
    EXPECT_EQ(run(d).e, 0.0f);
    // Null out-parameters are allowed.
    EXPECT_EQ(ComputeThrust(d, nullptr, nullptr, nullptr, nullptr, nullptr), 0.0f);
}

TEST(ThrustPass, HostileSectionsFinish) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    std::vector<CSlideCalcData> items;
    CSlideCalcData tiny;  // every dx tiny
    tiny.slipCount = tiny.slopeCount = tiny.waterCount = 100;
    for (int i = 0; i < 100; ++i) tiny.slip[i].dx = tiny.slope[i].dx = tiny.water[i].dx = 1e-7f;
    items.push_back(tiny);
    CSlideCalcData descending;  // slip surface running back and down
    for (int i = 0; i < descending.slipCount; ++i) {
        descending.slip[i].dx = -3.0f;
        descending.slip[i].dy = -2.0f;
    }
    items.push_back(descending);
    CSlideCalcData below;  // slope surface under the slip surface
    below.slopeX0 = 0.0f;
    for (int i = 0; i < below.slopeCount; ++i) below.slope[i].dy = -5.0f;
    items.push_back(below);
    CSlideCalcData flooded;  // water far above everything
    flooded.waterY0 = 500.0f;
    flooded.useStaticWater = 1;
    items.push_back(flooded);
    CSlideCalcData counts;  // counts out of range either way
    counts.slipCount = 1000;
    counts.slopeCount = -1;
    counts.waterCount = 0;
    counts.unloadCount = 77;
    counts.slope[0].loadCount = 50;
    items.push_back(counts);
    CSlideCalcData nanDx;
    nanDx.slip[3].dx = nan;
    nanDx.slope[2].dy = nan;
    items.push_back(nanDx);
    CSlideCalcData nanFields;
    nanFields.pileX = nan;
    nanFields.gamma = nan;
    nanFields.porosity = nan;
    nanFields.bermH = nan;
    nanFields.unloadY = nan;
    nanFields.waterY0 = nan;
    items.push_back(nanFields);
    CSlideCalcData infinite;
    infinite.slip[5].dx = std::numeric_limits<float>::infinity();
    infinite.slopeX0 = -std::numeric_limits<float>::infinity();
    items.push_back(infinite);
    for (size_t i = 0; i < items.size(); ++i) {
        Pass p = run(items[i]);
        int blocks = std::clamp(items[i].slipCount, 0, 100);
        EXPECT_GE(blockCount(p), 1) << i;
        EXPECT_LE(blockCount(p), blocks) << i;
    }
}
