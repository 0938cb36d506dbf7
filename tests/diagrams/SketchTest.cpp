#include "diagrams/Sketch.h"

#include "data/CSlideCalcData.h"
#include "platform/Drawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// A section whose sketch can be checked by hand: a flat slip surface of one
// 8 m segment, a flat slope 2 m above it from x 0, no water, no measures.
CSlideCalcData flatItem() {
    CSlideCalcData item;
    item.slipCount = 1;
    item.slip[0].dx = 8.0f;
    item.slip[0].dy = 0.0f;
    item.slopeX0 = 0.0f;
    item.slopeCount = 2;
    item.slope[0] = CLineSeg{};
    item.slope[0].dx = 0.0f;
    item.slope[0].dy = 2.0f;
    item.slope[1] = CLineSeg{};
    item.slope[1].dx = 10.0f;
    item.slope[1].dy = 0.0f;
    item.waterCount = 0;
    item.waterX0 = -2.0f;
    item.waterY0 = -5.0f;
    item.usePiles = item.useBerm = item.useUnload = 0;
    item.checkTarget = 1;
    return item;
}

std::vector<const DrawEntity*> withColor(const DXF& d, int color, DrawEntityKind kind) {
    std::vector<const DrawEntity*> out;
    for (const DrawEntity& e : d.entities())
        if (e.color == color && e.kind == kind) out.push_back(&e);
    return out;
}

bool hasLine(const DXF& d, float x1, float y1, float x2, float y2, float tol = 0.5f) {
    for (const DrawEntity& e : d.entities()) {
        if (e.points.size() < 2) continue;
        const DrawVertex& a = e.points[0];
        const DrawVertex& b = e.points[1];
        if (std::fabs(a.x - x1) < tol && std::fabs(a.y - y1) < tol && std::fabs(b.x - x2) < tol &&
            std::fabs(b.y - y2) < tol)
            return true;
    }
    return false;
}

}  // namespace

TEST(Sketch, LayersAreDrawnInTheirColoursInOrderAndThePenIsRestored) {
    CSlideCalcData item;  // the worked example: piles, berm and unloading on
    DXF d;
    d.SetCurColor(4);
    d.MoveTo(12, 34);
    DrawPenState before = d.penState();
    ASSERT_EQ(DrawSketch(item, &d), 1);
    EXPECT_EQ(d.penState(), before);
    EXPECT_EQ(d.envDepth(), 0);
    std::vector<int> order;
    for (const DrawEntity& e : d.entities())
        if (order.empty() || order.back() != e.color) order.push_back(e.color);
    EXPECT_EQ(order, (std::vector<int>{7, 3, 5, 2, 6, 1}));
    EXPECT_NE(d.findLineType("DOT"), nullptr);
}

TEST(Sketch, SlipSegmentsAreWideWithBlockLinesAndHatchingUnderThem) {
    CSlideCalcData item = flatItem();
    DXF d;
    DrawSketch(item, &d);
    auto plines = withColor(d, 7, DrawEntityKind::Polyline);
    ASSERT_EQ(plines.size(), 1u);
    EXPECT_EQ(plines[0]->points[0], (DrawVertex{0, 0, 100, 100}));
    EXPECT_EQ(plines[0]->points[1], (DrawVertex{8000, 0, 0, 0}));
    // Block lines at both ends of the one segment, up to the slope 2 m above.
    EXPECT_TRUE(hasLine(d, 8000, 0, 8000, 2000));
    EXPECT_TRUE(hasLine(d, 0, 0, 0, 2000));
    // 8 m / 0.8 = 10, ticks j = 0 … 10, each 0.96 m down-left at 45°.
    auto lines = withColor(d, 7, DrawEntityKind::Line);
    int ticks = 0;
    for (const DrawEntity* e : lines)
        if (e->points[1].y < -600.0f) ++ticks;
    EXPECT_EQ(ticks, 11);
    float t = 960.0f * std::cos(static_cast<float>(M_PI) / 4.0f);
    EXPECT_TRUE(hasLine(d, 0, 0, -t, -t));
    EXPECT_TRUE(hasLine(d, 8000, 0, 8000 - t, -t));
}

TEST(Sketch, PointLoadsAreArrowsScaledToTheLargestLoad) {
    CSlideCalcData item = flatItem();
    item.slope[1].loadCount = 2;
    item.slope[1].loads[0] = {2.0f, 0.0f, 600.0f};    // downwards, the largest: 4 m
    item.slope[1].loads[1] = {50.0f, -300.0f, 0.0f};  // towards larger x, clamped to the end
    DXF d;
    DrawSketch(item, &d);
    auto arrows = withColor(d, 7, DrawEntityKind::Polyline);
    ASSERT_EQ(arrows.size(), 1u + 3u + 3u);  // the slip segment, then two arrows
    // py: shaft from P = (2000, 2000) up 4000, head strokes to (P ∓ 300, P + 400).
    EXPECT_EQ(arrows[1]->points[0], (DrawVertex{2000, 2000, 100, 100}));
    EXPECT_EQ(arrows[1]->points[1], (DrawVertex{2000, 6000, 0, 0}));
    EXPECT_EQ(arrows[2]->points[1], (DrawVertex{1700, 2400, 0, 0}));
    EXPECT_EQ(arrows[3]->points[1], (DrawVertex{2300, 2400, 0, 0}));
    // px −300 (towards larger x) at the clamped end of the segment: the shaft
    // runs 2 m to the left of P, the head strokes (s·400, ∓300), s = −1, point right.
    EXPECT_EQ(arrows[4]->points[0], (DrawVertex{10000, 2000, 100, 100}));
    EXPECT_EQ(arrows[4]->points[1], (DrawVertex{8000, 2000, 0, 0}));
    EXPECT_EQ(arrows[5]->points[1], (DrawVertex{9600, 1700, 0, 0}));
    EXPECT_EQ(arrows[6]->points[1], (DrawVertex{9600, 2300, 0, 0}));
    // The slope surface itself stays in colour 3.
    EXPECT_EQ(withColor(d, 3, DrawEntityKind::Line).size(), 2u);
}

TEST(Sketch, ASlopeWithoutLoadsHasNoArrows) {
    CSlideCalcData item = flatItem();
    DXF d;
    DrawSketch(item, &d);
    EXPECT_EQ(withColor(d, 7, DrawEntityKind::Polyline).size(), 1u);  // the slip segment only
}

TEST(Sketch, AShortSlopeAndWaterLineAreContinuedDottedBeyondTheSlipSurface) {
    CSlideCalcData item = flatItem();
    item.slopeCount = 1;  // ends at x 0, left of the slip end at 8 m
    item.waterCount = 1;
    item.waterX0 = 1.0f;
    item.waterY0 = 1.0f;
    item.water[0].dx = 3.0f;
    item.water[0].dy = 0.0f;
    DXF d;
    DrawSketch(item, &d);
    int dotted = 0;
    for (const DrawEntity& e : d.entities()) dotted += e.lineType == "DOT";
    EXPECT_EQ(dotted, 3);
    EXPECT_TRUE(hasLine(d, 0, 2000, 9000, 2000));      // slope end to 1 m past the slip end
    EXPECT_TRUE(hasLine(d, 1000, 1000, -1000, 1000));  // water lead-in to x = −1 m
    EXPECT_TRUE(hasLine(d, 4000, 1000, 9000, 1000));   // water run-out
}

TEST(Sketch, WaterSymbolDashesShrinkAndStepDownBelowTheSegmentMiddle) {
    CSlideCalcData item = flatItem();
    item.waterCount = 1;
    item.waterX0 = 0.0f;  // no lead-in at x ≤ 0
    item.waterY0 = 1.0f;
    item.water[0].dx = 10.0f;
    item.water[0].dy = 0.0f;
    DXF d;
    DrawSketch(item, &d);
    EXPECT_TRUE(hasLine(d, 0, 1000, 10000, 1000));
    EXPECT_TRUE(hasLine(d, 4400, 700, 5600, 700));  // w = 1200
    EXPECT_TRUE(hasLine(d, 4700, 400, 5300, 400));  // w / 2
    EXPECT_TRUE(hasLine(d, 4800, 100, 5200, 100));  // w / 3
    int dotted = 0;
    for (const DrawEntity& e : d.entities()) dotted += e.lineType == "DOT";
    EXPECT_EQ(dotted, 0);  // starts at 0 and reaches past the slip end
    // On a rising segment the dashes turn with it: below means to its right.
    CSlideCalcData up = item;
    up.water[0].dx = 0.0f;
    up.water[0].dy = 10.0f;
    DXF u;
    DrawSketch(up, &u);
    EXPECT_TRUE(hasLine(u, 300, 5400, 300, 6600, 1.0f));
}

TEST(Sketch, PileRowsFollowTheTarget) {
    CSlideCalcData item = flatItem();
    item.usePiles = 1;
    item.pileRows = 3;
    item.pileX = 6.0f;
    item.rowSpacing = 2.0f;
    auto piles = [&](int goal, int checkTarget) {
        item.goal = goal;
        item.checkTarget = checkTarget;
        DXF d;
        DrawSketch(item, &d);
        return withColor(d, 2, DrawEntityKind::Polyline).size();
    };
    EXPECT_EQ(piles(0, 0), 3u);
    EXPECT_EQ(piles(0, 2), 3u);
    EXPECT_EQ(piles(0, 1), 1u);
    EXPECT_EQ(piles(1, 0), 1u);
    EXPECT_EQ(piles(0, 3), 0u);
    EXPECT_EQ(piles(0, 4), 0u);
    item.goal = 0;
    item.checkTarget = 0;
    DXF all;
    DrawSketch(item, &all);
    auto rows = withColor(all, 2, DrawEntityKind::Polyline);
    ASSERT_EQ(rows.size(), 3u);
    // Row 1 at x 4 m: from 6 m below the slip surface to 4 m above, 50 cm wide.
    EXPECT_EQ(rows[1]->points[0], (DrawVertex{4000, -6000, 500, 500}));
    EXPECT_EQ(rows[1]->points[1], (DrawVertex{4000, 4000, 0, 0}));
}

TEST(Sketch, BackCalculationsShowNoBermOrUnloading) {
    CSlideCalcData item;
    item.checkTarget = 3;
    DXF d;
    DrawSketch(item, &d);
    EXPECT_TRUE(withColor(d, 6, DrawEntityKind::Line).empty());
    EXPECT_TRUE(withColor(d, 1, DrawEntityKind::Line).empty());
    EXPECT_TRUE(withColor(d, 2, DrawEntityKind::Polyline).empty());
    item.checkTarget = 1;
    DXF e;
    DrawSketch(item, &e);
    EXPECT_EQ(withColor(e, 6, DrawEntityKind::Line).size(), 2u);  // berm: 3 points
    EXPECT_FALSE(withColor(e, 1, DrawEntityKind::Line).empty());
}

TEST(Sketch, UnloadingDesignMarksTheCandidateStartPointsOnTheSlope) {
    CSlideCalcData item;
    item.goal = 1;
    item.designTarget = 2;
    item.unloadYRange = {15.0f, 25.0f, 1.0f};
    DXF d;
    DrawSketch(item, &d);
    auto circles = withColor(d, 2, DrawEntityKind::Circle);
    ASSERT_EQ(circles.size(), 11u);  // (10 + 0.001) / 1 = 10, j = 0 … 10
    EXPECT_EQ(circles[0]->radius, 200.0f);
    EXPECT_FLOAT_EQ(circles[0]->points[0].y, 15000.0f);
    EXPECT_FLOAT_EQ(circles[10]->points[0].y, 25000.0f);
    // A zero step is taken as 0.001 and the marks stop at 2000.
    item.unloadYRange = {15.0f, 25.0f, 0.0f};
    DXF z;
    DrawSketch(item, &z);
    EXPECT_EQ(withColor(z, 2, DrawEntityKind::Circle).size(), 2000u);
    // A range below its start still marks two candidates.
    item.unloadYRange = {15.0f, 10.0f, 1.0f};
    DXF r;
    DrawSketch(item, &r);
    EXPECT_EQ(withColor(r, 2, DrawEntityKind::Circle).size(), 2u);
}

TEST(Sketch, HostileSectionsDrawWithoutCrashing) {
    CSlideCalcData item;
    item.slipCount = -3;
    item.slopeCount = 0;
    item.waterCount = -1;
    DXF d;
    EXPECT_EQ(DrawSketch(item, &d), 1);
    CSlideCalcData nan;
    nan.slip[0].dx = NAN;
    nan.slope[0].loadCount = 50;
    nan.slope[0].loads[0].dist = NAN;
    nan.unloadYRange = {NAN, NAN, NAN};
    nan.goal = 1;
    nan.designTarget = 2;
    DXF e;
    EXPECT_EQ(DrawSketch(nan, &e), 1);
    EXPECT_EQ(DrawSketch(item, nullptr), 0);
}
