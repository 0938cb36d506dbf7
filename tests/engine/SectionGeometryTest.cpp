// Section lines, look-ups, cut positions and block integration on sections
// whose results can be checked by hand.
#include "data/CSlideCalcData.h"
#include "engine/SectionGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// A section with no countermeasures: slip surface, slope surface and a water
// line far below, segment lists given as (dx, dy) pairs.
CSlideCalcData plainSection(std::vector<std::pair<float, float>> slip, float slopeX0,
                            std::vector<std::pair<float, float>> slope) {
    CSlideCalcData d;
    d.usePiles = d.useBerm = d.useUnload = 0;
    d.slipCount = static_cast<int>(slip.size());
    for (size_t i = 0; i < slip.size(); ++i) {
        d.slip[i].dx = slip[i].first;
        d.slip[i].dy = slip[i].second;
    }
    d.slopeX0 = slopeX0;
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

TEST(SectionGeometry, DefaultLinesFollowTheWorkedExample) {
    CSlideCalcData item;
    float xs[kMaxLinePoints], ys[kMaxLinePoints];
    ASSERT_EQ(BuildLine(item, Slip, xs, ys), 7);
    EXPECT_EQ(xs[6], 57.0f);
    EXPECT_EQ(ys[6], 35.0f);
    // The slope starts on the slip surface: 2/20 × 15 = 1.5.
    ASSERT_EQ(BuildLine(item, Slope, xs, ys), 10);
    EXPECT_FLOAT_EQ(ys[0], 1.5f);
    EXPECT_FLOAT_EQ(xs[9], 63.0f);
    // The unloading line starts where the slope rises to 22: 33 + 5/4 × 2.5.
    ASSERT_EQ(BuildLine(item, Unload, xs, ys), 3);
    EXPECT_FLOAT_EQ(xs[0], 36.125f);
    EXPECT_FLOAT_EQ(ys[2], 34.0f);
}

TEST(SectionGeometry, WithPilesTheBermStartsOnTopOfTheFirstPileRowWhateverBermX) {
    CSlideCalcData item;
    for (float bermX : {5.0f, 30.0f}) {
        item.bermX = bermX;
        float xs[kMaxLinePoints], ys[kMaxLinePoints];
        ASSERT_EQ(BuildLine(item, Berm, xs, ys), 3);
        // Slip at x 6 is 0.6; the free length is 10 − 6 = 4.
        EXPECT_FLOAT_EQ(xs[0], 6.0f);
        EXPECT_FLOAT_EQ(ys[0], 4.6f);
        EXPECT_FLOAT_EQ(xs[1], 11.0f);
        EXPECT_FLOAT_EQ(ys[1], 9.6f);
        // The crown meets the slope where it rises to 9.6: 15 + 0.5 × 8.1.
        EXPECT_FLOAT_EQ(xs[2], 19.05f);
    }
    float x, ySlip, freeLength, embed;
    item.pileRows = 2;
    PileRowPosition(item, 1, &x, &ySlip, &freeLength, &embed);
    EXPECT_FLOAT_EQ(x, 4.0f);
    EXPECT_FLOAT_EQ(ySlip, 0.4f);
    EXPECT_FLOAT_EQ(freeLength, 4.0f);
    EXPECT_FLOAT_EQ(embed, 6.0f);
}

TEST(SectionGeometry, AtAVerticalStepSideOneReadsTheLastPointAndSideZeroTheFirst) {
    // Slip: up 2 vertically at x 4, then up 3 more in two vertical pieces at x 8.
    CSlideCalcData d =
        plainSection({{4, 1}, {0, 2}, {4, 1}, {0, 1}, {0, 2}, {4, 0}}, 0.0f, {{12, 12}});
    EXPECT_EQ(LineYAtX(d, Slip, 4.0f, 1), 3.0f);
    EXPECT_EQ(LineYAtX(d, Slip, 4.0f, 0), 1.0f);
    EXPECT_EQ(LineYAtX(d, Slip, 8.0f, 1), 7.0f);
    EXPECT_EQ(LineYAtX(d, Slip, 8.0f, 0), 4.0f);
    // Within 1e-5 of the step counts as on it.
    EXPECT_EQ(LineYAtX(d, Slip, 4.000005f, 0), 1.0f);
    EXPECT_EQ(LineYAtX(d, Slip, 2.0f, 0), 0.5f);
    // Beyond its ends the slip surface continues horizontally.
    EXPECT_EQ(LineYAtX(d, Slip, -3.0f, 1), 0.0f);
    EXPECT_EQ(LineYAtX(d, Slip, 30.0f, 0), 7.0f);
}

TEST(SectionGeometry, AVerticalRunAtTheEndOfALineStopsBeforeItsLastPoint) {
    // Three points share x 10; the run's walk never examines the very last one.
    CSlideCalcData d = plainSection({{10, 2}, {0, 1}, {0, 1}}, 0.0f, {{12, 12}});
    EXPECT_EQ(LineYAtX(d, Slip, 10.0f, 1), 3.0f);
    EXPECT_EQ(LineYAtX(d, Slip, 10.0f, 0), 2.0f);
}

TEST(SectionGeometry, HeightLookUpsFallBackToTheLineBelowOutsideTheirRange) {
    CSlideCalcData item;
    // Left of the slope's start the ground is the slip surface.
    EXPECT_FLOAT_EQ(LineYAtX(item, Slope, 10.0f, 1), 1.0f);
    // Outside its range the unloading line follows the slope surface, read
    // from the left before its start and from the right after its end.
    EXPECT_EQ(LineYAtX(item, Unload, 30.0f, 0), LineYAtX(item, Slope, 30.0f, 0));
    EXPECT_EQ(LineYAtX(item, Unload, 60.0f, 1), LineYAtX(item, Slope, 60.0f, 1));
    EXPECT_EQ(LineYAtX(item, Unload, 36.125f, 0), LineYAtX(item, Slope, 36.125f, 0));
    EXPECT_EQ(LineYAtX(item, Unload, 53.125f, 1), LineYAtX(item, Slope, 53.125f, 1));
    // Read the other way it continues horizontally, like any line.
    EXPECT_EQ(LineYAtX(item, Unload, 30.0f, 1), 22.0f);
    EXPECT_EQ(LineYAtX(item, Unload, 60.0f, 0), 34.0f);
    EXPECT_FLOAT_EQ(LineYAtX(item, Unload, 40.0f, 1), 22.0f + 2.0f / 12.0f * 3.875f);
    EXPECT_FALSE(InUnloadRange(item, 30.0f));
    EXPECT_TRUE(InUnloadRange(item, 40.0f));
    item.useUnload = 0;
    EXPECT_FALSE(InUnloadRange(item, 40.0f));
    EXPECT_TRUE(InBermRange(item, 8.0f));
    EXPECT_FALSE(InBermRange(item, 20.0f));
}

TEST(SectionGeometry, PositionAtAHeightUsesRisingSegmentsOnly) {
    // Slope: up to 4, flat, down to 2, up to 6.
    CSlideCalcData d = plainSection({{30, 0}}, 0.0f, {{4, 4}, {4, 0}, {4, -2}, {4, 4}});
    EXPECT_FLOAT_EQ(LineXAtY(d, Slope, 2.0f, 1), 2.0f);
    // On a flat run side 1 reads its far end, side 0 its near end.
    EXPECT_FLOAT_EQ(LineXAtY(d, Slope, 4.0f, 1), 8.0f);
    EXPECT_FLOAT_EQ(LineXAtY(d, Slope, 4.0f, 0), 4.0f);
    EXPECT_FLOAT_EQ(LineXAtY(d, Slope, 5.0f, 1), 15.0f);
    // No rising segment reaches 9.
    EXPECT_EQ(LineXAtY(d, Slope, 9.0f, 1), 0.0f);
}

TEST(SectionGeometry, LinesForTheCutsReachTenMetresPastTheSlipSurface) {
    CSlideCalcData item;
    float xs[kMaxLinePoints], ys[kMaxLinePoints];
    // Water: lead-in from −10, run-out to 57 + 10.
    ASSERT_EQ(BuildLineForCuts(item, Water, xs, ys), 7);
    EXPECT_EQ(xs[0], -10.0f);
    EXPECT_EQ(ys[0], -1.0f);
    EXPECT_EQ(xs[6], 67.0f);
    EXPECT_EQ(ys[6], 19.0f);
    // The slope already ends at 63 but not beyond 67.
    ASSERT_EQ(BuildLineForCuts(item, Slope, xs, ys), 11);
    EXPECT_EQ(xs[10], 67.0f);
    ASSERT_EQ(BuildLineForCuts(item, Slip, xs, ys), 7);
}

TEST(SectionGeometry, CutsHoldEveryVertexAndCrossingInsideTheBlockOnce) {
    CSlideCalcData item;
    std::vector<float> cuts;
    // The top block: vertices 48, 53 (slope), 48.125, 53.125 (unloading); the
    // unloading line climbs out of the slope at 50.34375 and the slope meets the
    // slip surface at 53 + 0.72222 / 1.35556.
    CollectCuts(item, 48.0f, 57.0f, cuts);
    std::vector<float> expected{48.0f, 48.125f, 50.34375f, 53.0f, 53.125f, 53.532787f, 57.0f};
    ASSERT_EQ(cuts.size(), expected.size());
    for (size_t i = 0; i < cuts.size(); ++i) EXPECT_NEAR(cuts[i], expected[i], 1e-4) << i;
    // Without unloading its points and crossings are gone.
    item.useUnload = 0;
    CollectCuts(item, 48.0f, 57.0f, cuts);
    EXPECT_EQ(cuts.size(), 4u);
}

TEST(SectionGeometry, TheTopBlockOfTheDefaultItemIntegratesToItsHandValues) {
    CSlideCalcData item;
    BlockGeometry g = IntegrateBlock(item, 48.0f, 57.0f);
    // Soil: trapezoid (6.5 + 0.72222) / 2 × 5 and triangle 0.72222 × 0.53279 / 2.
    // Trimmed: trapezoid (3.52083 + 3.55) / 2 × 0.125 and triangle 3.55 × 2.21875 / 2.
    const double soil = 18.24795, trimmed = 4.38021;
    EXPECT_NEAR(g.trimmedArea, trimmed, 1e-4);
    EXPECT_NEAR(g.area, soil - trimmed, 1e-4);
    EXPECT_NEAR(g.weight, 19.0 * (soil - trimmed), 1e-3);
    // Slip under material: 5.53279 m horizontally at slope 14/9.
    EXPECT_NEAR(g.slipLength, 5.53279 * std::sqrt(1.0 + 196.0 / 81.0), 1e-4);
    EXPECT_EQ(g.wetArea, 0.0f);
    EXPECT_EQ(g.bermArea, 0.0f);
}

TEST(SectionGeometry, BlocksWithoutSoilAboveTheSlipSurfaceAreEmpty) {
    CSlideCalcData item;
    item.useBerm = 0;
    // Left of the slope's start the ground is the slip surface itself.
    BlockGeometry g = IntegrateBlock(item, 0.0f, 15.0f);
    EXPECT_EQ(g.area, 0.0f);
    EXPECT_EQ(g.weight, 0.0f);
    EXPECT_EQ(g.slipLength, 0.0f);
    // Slope below the slip surface: no soil, nothing trimmed.
    CSlideCalcData d = plainSection({{10, 5}}, 0.0f, {{10, 2}});
    g = IntegrateBlock(d, 0.0f, 10.0f);
    EXPECT_EQ(g.area, 0.0f);
    EXPECT_EQ(g.slipLength, 0.0f);
    EXPECT_EQ(g.trimmedArea, 0.0f);
}

TEST(SectionGeometry, WaterAboveTheGroundGivesStaticWaterAndNeverMoreWetThanSoil) {
    // Flat slip; ground rising 0.5 per m from x 0; water level 3.
    CSlideCalcData d = plainSection({{20, 0}}, 0.0f, {{10, 5}, {10, 5}});
    d.waterX0 = -5.0f;
    d.waterY0 = 3.0f;
    d.water[0].dx = 40.0f;
    BlockGeometry g = IntegrateBlock(d, 0.0f, 20.0f);
    // Water over the ground: triangle 3 × 6 / 2 = 9 m².
    EXPECT_FLOAT_EQ(g.staticWaterSum, 90.0f);
    EXPECT_FLOAT_EQ(g.staticWaterV, 90.0f);
    EXPECT_FLOAT_EQ(g.staticWaterH, -45.0f);
    EXPECT_FLOAT_EQ(g.area, 100.0f);
    // Wet soil: 9 m² left of x 6, 3 × 14 m² right of it.
    EXPECT_FLOAT_EQ(g.wetArea, 51.0f);
    EXPECT_FLOAT_EQ(g.wetWeight, 51.0f * 25.0f);
    EXPECT_FLOAT_EQ(g.weight, 51.0f * 25.0f + 49.0f * 19.0f);
    // Level water: no seepage gradient; uplift 10 × 51 × 0.9.
    EXPECT_FLOAT_EQ(g.seepageForce, 0.0f);
    EXPECT_FLOAT_EQ(g.buoyancy, 459.0f);
}

TEST(SectionGeometry, ColumnWeightsFollowTheWaterLevel) {
    CSlideCalcData d;  // γ 19, γsat 25, berm 22 / 22
    d.bermGammaSat = 24.0f;
    EXPECT_FLOAT_EQ(ColumnWeight(d, 2.0f, 1.0f, -1.0f), 2 * 19 + 22);
    EXPECT_FLOAT_EQ(ColumnWeight(d, 2.0f, 1.0f, 1.0f), 25 + 19 + 22);
    EXPECT_FLOAT_EQ(ColumnWeight(d, 2.0f, 1.0f, 2.5f), 50 + 0.5f * 22 + 0.5f * 24);
    EXPECT_FLOAT_EQ(ColumnWeight(d, 2.0f, 1.0f, 9.0f), 50 + 24);
    EXPECT_FLOAT_EQ(ColumnWetWeight(d, 2.0f, 1.0f, -1.0f), 0);
    EXPECT_FLOAT_EQ(ColumnWetWeight(d, 2.0f, 1.0f, 1.0f), 25);
    EXPECT_FLOAT_EQ(ColumnWetWeight(d, 2.0f, 1.0f, 2.5f), 50 + 0.5f * 24);
    EXPECT_FLOAT_EQ(ColumnWetWeight(d, 2.0f, 1.0f, 9.0f), 50 + 24);
}

TEST(SectionGeometry, APointLoadOnABlockBoundaryCountsOnceInTheBlockBelowItsRightEnd) {
    CSlideCalcData d = plainSection({{10, 1}, {10, 1}}, 0.0f, {{10, 5}, {10, 5}});
    d.slope[0].loadCount = 2;
    // Horizontal distance 10 along a segment of length √125: exactly at x 10.
    d.slope[0].loads[0] = {std::sqrt(125.0f), 7.0f, 100.0f};
    d.slope[0].loads[1] = {0.0f, 1.0f, 5.0f};  // at x 0, the left end of the lower block
    float px, py;
    SumPointLoads(d, 0.0f, 10.0f, &px, &py);
    EXPECT_EQ(px, 7.0f);
    EXPECT_EQ(py, 100.0f);
    SumPointLoads(d, 10.0f, 20.0f, &px, &py);
    EXPECT_EQ(px, 0.0f);
    EXPECT_EQ(py, 0.0f);
    // A load past the segment's end is ignored.
    d.slope[1].loadCount = 1;
    d.slope[1].loads[0] = {12.0f, 1.0f, 1.0f};
    SumPointLoads(d, 10.0f, 20.0f, &px, &py);
    EXPECT_EQ(py, 0.0f);
}

TEST(SectionGeometry, NegativeCountsBuildTheStartPointAlone) {
    CSlideCalcData item;
    item.slipCount = -3;
    item.waterCount = -1;
    item.unloadCount = -2;
    float xs[kMaxLinePoints], ys[kMaxLinePoints];
    EXPECT_EQ(BuildLine(item, Slip, xs, ys), 1);
    EXPECT_EQ(BuildLine(item, Water, xs, ys), 1);
    EXPECT_EQ(BuildLine(item, Unload, xs, ys), 1);
    // A lone point reads as its own height beside it.
    EXPECT_EQ(LineYAtX(item, Water, 3.0f, 1), -1.0f);
}

TEST(SectionGeometry, TheUnloadingLineTrimsOnlyWhereItCutsIntoTheGround) {
    CSlideCalcData item;
    // Left of its start at 36.125 it follows the slope surface: nothing trimmed.
    EXPECT_EQ(IntegrateBlock(item, 26.0f, 34.0f).trimmedArea, 0.0f);
    EXPECT_GT(IntegrateBlock(item, 42.0f, 48.0f).trimmedArea, 0.0f);
    // Climbing steeply from its start it stays above the ground and trims nothing.
    item.unloadSegs[0].dy = 40.0f;
    EXPECT_EQ(IntegrateBlock(item, 34.0f, 42.0f).trimmedArea, 0.0f);
    EXPECT_EQ(IntegrateBlock(item, 42.0f, 48.0f).trimmedArea, 0.0f);
    EXPECT_EQ(IntegrateBlock(item, 48.0f, 57.0f).trimmedArea, 0.0f);
    EXPECT_GT(IntegrateBlock(item, 42.0f, 48.0f).area, 0.0f);
}

TEST(SectionGeometry, TheBermOnThePileRowIntegratesToItsHandArea) {
    CSlideCalcData item;
    // Berm from the pile top (6, 4.6): face y = x − 1.4 to (11, 9.6), crown at
    // 9.6 to the slope at 19.05; ground is the slip surface (0.1 x) before 15.
    // Areas: 31.25 under the face, 33.2 under the crown to 15, 8.1 × 4.05 / 2.
    BlockGeometry g = IntegrateBlock(item, 6.0f, 20.0f);
    EXPECT_NEAR(g.bermArea, 31.25 + 33.2 + 16.4025, 1e-3);
    EXPECT_EQ(g.trimmedArea, 0.0f);
}
