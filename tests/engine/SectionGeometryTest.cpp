// Section lines, look-ups, cut positions and block integration on sections
// whose results can be checked by hand.
#include "EngineTestItems.h"

#include "engine/SectionGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

TEST(SectionGeometry, PointListsFollowTheWorkedExampleAndStartTheBermOnThePileRow) {
    CSlideCalcData item, bermAt30, negative;
    bermAt30.bermX = 30.0f;  // with piles the berm starts on the first row whatever bermX
    negative.slipCount = -3, negative.waterCount = -1, negative.unloadCount = -2;
    struct Case {
        const CSlideCalcData& d;
        LineKind kind;
        bool forCuts;
        int count, at;
        float x, y;
    } cases[] = {
        {item, Slip, false, 7, 6, 57.0f, 35.0f},
        {item, Slope, false, 10, 0, 15.0f, 1.5f},  // on the slip surface: 2/20 × 15
        {item, Slope, false, 10, 9, 63.0f, 31.5f},
        {item, Unload, false, 3, 0, 36.125f, 22.0f},  // where the slope rises to 22: 33 + 5/4 × 2.5
        {item, Unload, false, 3, 2, 53.125f, 34.0f},
        // Slip at x 6 is 0.6, the free length 10 − 6 = 4; the crown meets the
        // slope where it rises to 9.6: 15 + 0.5 × 8.1.
        {item, Berm, false, 3, 0, 6.0f, 4.6f},
        {bermAt30, Berm, false, 3, 1, 11.0f, 9.6f},
        {bermAt30, Berm, false, 3, 2, 19.05f, 9.6f},
        // Lines for the cuts: water from −10, slope and water on to 57 + 10.
        {item, Water, true, 7, 0, -10.0f, -1.0f},
        {item, Water, true, 7, 6, 67.0f, 19.0f},
        {item, Slope, true, 11, 10, 67.0f, 31.5f},
        {item, Slip, true, 7, 6, 57.0f, 35.0f},
        {negative, Slip, false, 1, 0, 0.0f, 0.0f},  // negative counts: the start point alone
        {negative, Water, false, 1, 0, 16.0f, -1.0f},
        {negative, Unload, false, 1, 0, 38.0f, 22.0f}  // slope on a flat slip,
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "line " << c.kind << " point " << c.at);
        float xs[kMaxLinePoints], ys[kMaxLinePoints];
        ASSERT_EQ(
            c.forCuts ? BuildLineForCuts(c.d, c.kind, xs, ys) : BuildLine(c.d, c.kind, xs, ys),
            c.count);
        EXPECT_FLOAT_EQ(xs[c.at], c.x);
        EXPECT_FLOAT_EQ(ys[c.at], c.y);
    }
    float x, ySlip, freeLength, embed;
    item.pileRows = 2;
    PileRowPosition(item, 1, &x, &ySlip, &freeLength, &embed);
    EXPECT_EQ(std::vector<float>({x, ySlip, freeLength, embed}),
              std::vector<float>({4.0f, 0.4f, 4.0f, 6.0f}));
}

TEST(SectionGeometry, LookUpsReadVerticalStepsByTheirSideAndFallBackOutsideTheirRange) {
    CSlideCalcData item, negative;
    negative.waterCount = -1;
    // Slip up 2 vertically at x 4, then up 3 more in two vertical pieces at x 8.
    CSlideCalcData steps =
        plainSection({{4, 1}, {0, 2}, {4, 1}, {0, 1}, {0, 2}, {4, 0}}, {{12, 12}});
    // Three points share x 10; the run's walk never examines the very last one.
    CSlideCalcData endRun = plainSection({{10, 2}, {0, 1}, {0, 1}}, {{12, 12}});
    // Slope up to 4, flat, down to 2, up to 6.
    CSlideCalcData wavy = plainSection({{30, 0}}, {{4, 4}, {4, 0}, {4, -2}, {4, 4}});
    struct Case {
        const CSlideCalcData& d;
        LineKind kind;
        bool height;  // LineYAtX, else LineXAtY
        float at;
        int side;
        float expected;
    } cases[] = {
        {steps, Slip, true, 4.0f, 1, 3.0f},
        {steps, Slip, true, 4.0f, 0, 1.0f},
        {steps, Slip, true, 8.0f, 1, 7.0f},
        {steps, Slip, true, 8.0f, 0, 4.0f},
        {steps, Slip, true, 4.000005f, 0, 1.0f},  // within 1e-5 counts as on the step
        {steps, Slip, true, 2.0f, 0, 0.5f},
        {steps, Slip, true, -3.0f, 1, 0.0f},
        {steps, Slip, true, 30.0f, 0, 7.0f},  // beyond its ends a line runs on horizontally
        {endRun, Slip, true, 10.0f, 1, 3.0f},
        {endRun, Slip, true, 10.0f, 0, 2.0f},
        {item, Slope, true, 10.0f, 1, 1.0f},  // left of its start the ground is the slip
        {item, Unload, true, 30.0f, 1, 22.0f},
        {item, Unload, true, 60.0f, 0, 34.0f},
        {item, Unload, true, 40.0f, 1, 22.0f + 2.0f / 12.0f * 3.875f},
        {negative, Water, true, 3.0f, 1, -1.0f},  // a lone point reads as its own height
        {wavy, Slope, false, 2.0f, 1, 2.0f},
        {wavy, Slope, false, 5.0f, 1, 15.0f},
        {wavy, Slope, false, 4.0f, 1, 8.0f},  // on a flat run side 1 reads its far end
        {wavy, Slope, false, 4.0f, 0, 4.0f},
        {wavy, Slope, false, 9.0f, 1, 0.0f},  // none
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "line " << c.kind << " at " << c.at << " side " << c.side);
        EXPECT_FLOAT_EQ(
            c.height ? LineYAtX(c.d, c.kind, c.at, c.side) : LineXAtY(c.d, c.kind, c.at, c.side),
            c.expected);
    }
    // Outside its range the unloading line follows the slope surface, read
    // from the left before its start and from the right after its end.
    for (auto [x, side] : {std::pair{30.0f, 0}, {60.0f, 1}, {36.125f, 0}, {53.125f, 1}})
        EXPECT_EQ(LineYAtX(item, Unload, x, side), LineYAtX(item, Slope, x, side)) << x;
    EXPECT_FALSE(InUnloadRange(item, 30.0f));
    EXPECT_TRUE(InUnloadRange(item, 40.0f));
    EXPECT_TRUE(InBermRange(item, 8.0f));
    EXPECT_FALSE(InBermRange(item, 20.0f));
    item.useUnload = 0;
    EXPECT_FALSE(InUnloadRange(item, 40.0f));
}

TEST(SectionGeometry, CutsHoldEveryVertexAndCrossingInsideTheBlockOnce) {
    CSlideCalcData item;
    std::vector<float> cuts;
    // Top block: vertices 48, 53 (slope), 48.125, 53.125 (unloading); the
    // unloading line leaves the slope at 50.34375, the slope meets the slip at
    // 53 + 0.72222 / 1.35556.
    CollectCuts(item, 48.0f, 57.0f, cuts);
    std::vector<float> expected{48.0f, 48.125f, 50.34375f, 53.0f, 53.125f, 53.532787f, 57.0f};
    ASSERT_EQ(cuts.size(), expected.size());
    for (size_t i = 0; i < cuts.size(); ++i) EXPECT_NEAR(cuts[i], expected[i], 1e-4) << i;
    item.useUnload = 0;
    CollectCuts(item, 48.0f, 57.0f, cuts);
    EXPECT_EQ(cuts.size(), 4u);
}

TEST(SectionGeometry, BlocksIntegrateToTheirHandValues) {
    CSlideCalcData item, noBerm, steepUnload;
    noBerm.useBerm = 0;
    steepUnload.unloadSegs[0].dy = 40.0f;  // climbs out of the ground at once: trims nothing
    CSlideCalcData below = plainSection({{10, 5}}, {{10, 2}});  // slope under the slip
    // Flat slip; ground rising 0.5 per m from x 0; level water at 3.
    CSlideCalcData wet = plainSection({{20, 0}}, {{10, 5}, {10, 5}});
    wet.waterX0 = -5.0f, wet.waterY0 = 3.0f, wet.water[0].dx = 40.0f;
    // Top block: soil (6.5 + 0.72222) / 2 × 5 + 0.72222 × 0.53279 / 2 = 18.24795,
    // trimmed (3.52083 + 3.55) / 2 × 0.125 + 3.55 × 2.21875 / 2 = 4.38021; slip
    // under material 5.53279 m horizontally at slope 14/9.
    const double soil = 18.24795, trimmed = 4.38021;
    using G = BlockGeometry;
    struct Case {
        const char* what;
        const CSlideCalcData& d;
        float x1, x2;
        float G::*field;
        double expected, tol;
    } cases[] = {
        {"top trimmed", item, 48, 57, &G::trimmedArea, trimmed, 1e-4},
        {"top area", item, 48, 57, &G::area, soil - trimmed, 1e-4},
        {"top weight", item, 48, 57, &G::weight, 19.0 * (soil - trimmed), 1e-3},
        {"top slip", item, 48, 57, &G::slipLength, 5.53279 * std::sqrt(1.0 + 196.0 / 81.0), 1e-4},
        {"top dry", item, 48, 57, &G::wetArea, 0, 0},
        {"top no berm", item, 48, 57, &G::bermArea, 0, 0},
        // Berm from the pile top (6, 4.6): face y = x − 1.4 to (11, 9.6), crown to
        // the slope at 19.05, ground the slip (0.1 x) before 15: 31.25 + 33.2 + 8.1 × 4.05 / 2.
        {"berm area", item, 6, 20, &G::bermArea, 31.25 + 33.2 + 16.4025, 1e-3},
        {"berm trims nothing", item, 6, 20, &G::trimmedArea, 0, 0},
        {"ground is the slip", noBerm, 0, 15, &G::area, 0, 0},
        {"ground is the slip", noBerm, 0, 15, &G::weight, 0, 0},
        {"ground is the slip", noBerm, 0, 15, &G::slipLength, 0, 0},
        {"slope below slip", below, 0, 10, &G::area, 0, 0},
        {"slope below slip", below, 0, 10, &G::slipLength, 0, 0},
        {"slope below slip", below, 0, 10, &G::trimmedArea, 0, 0},
        {"unloading before its start", item, 26, 34, &G::trimmedArea, 0, 0},
        {"unloading above the ground", steepUnload, 34, 42, &G::trimmedArea, 0, 0},
        {"unloading above the ground", steepUnload, 42, 48, &G::trimmedArea, 0, 0},
        {"unloading above the ground", steepUnload, 48, 57, &G::trimmedArea, 0, 0},
        // Water over the ground 3 × 6 / 2 = 9 m²; wet soil 9 left of x 6 and 3 × 14 right.
        {"static water", wet, 0, 20, &G::staticWaterSum, 90, 0},
        {"static water", wet, 0, 20, &G::staticWaterV, 90, 0},
        {"static water", wet, 0, 20, &G::staticWaterH, -45, 0},
        {"wet block", wet, 0, 20, &G::area, 100, 0},
        {"wet block", wet, 0, 20, &G::wetArea, 51, 0},
        {"wet block", wet, 0, 20, &G::wetWeight, 51 * 25, 0},
        {"wet block", wet, 0, 20, &G::weight, 51 * 25 + 49 * 19, 0},
        {"level water", wet, 0, 20, &G::seepageForce, 0, 0},
        {"level water", wet, 0, 20, &G::buoyancy, 10 * 51 * 0.9, 1e-4},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(IntegrateBlock(c.d, c.x1, c.x2).*c.field, c.expected, c.tol) << c.what;
    EXPECT_GT(IntegrateBlock(item, 42.0f, 48.0f).trimmedArea, 0.0f);
    EXPECT_GT(IntegrateBlock(steepUnload, 42.0f, 48.0f).area, 0.0f);
}

TEST(SectionGeometry, ColumnWeightsFollowTheWaterLevel) {
    CSlideCalcData d;  // γ 19, γsat 25, berm 22 / 24
    d.bermGammaSat = 24.0f;
    const float water[] = {-1.0f, 1.0f, 2.5f, 9.0f};
    const float weight[] = {2 * 19 + 22, 25 + 19 + 22, 50 + 0.5f * 22 + 0.5f * 24, 50 + 24};
    const float wet[] = {0, 25, 50 + 0.5f * 24, 50 + 24};
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(ColumnWeight(d, 2.0f, 1.0f, water[i]), weight[i]) << water[i];
        EXPECT_FLOAT_EQ(ColumnWetWeight(d, 2.0f, 1.0f, water[i]), wet[i]) << water[i];
    }
}

TEST(SectionGeometry, APointLoadOnABlockBoundaryCountsOnceInTheBlockBelowItsRightEnd) {
    CSlideCalcData d = plainSection({{10, 1}, {10, 1}}, {{10, 5}, {10, 5}});
    d.slope[0].loadCount = 2;
    d.slope[0].loads[0] = {std::sqrt(125.0f), 7.0f, 100.0f};  // at x 10 exactly
    d.slope[0].loads[1] = {0.0f, 1.0f, 5.0f};  // at x 0, the left end of the lower block
    d.slope[1].loadCount = 1;
    d.slope[1].loads[0] = {12.0f, 1.0f, 1.0f};  // past the segment's end: ignored
    float px, py;
    SumPointLoads(d, 0.0f, 10.0f, &px, &py);
    EXPECT_EQ(std::pair(px, py), std::pair(7.0f, 100.0f));
    SumPointLoads(d, 10.0f, 20.0f, &px, &py);
    EXPECT_EQ(std::pair(px, py), std::pair(0.0f, 0.0f));
}
