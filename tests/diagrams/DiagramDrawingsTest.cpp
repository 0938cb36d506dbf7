// Every diagram drawn for sections and results checked by hand (the worked
// example's own drawings are held by the output manifest), held entity by
// entity against tests/diagrams/data/<case>.txt ('#' lines there note what was
// worked out by hand), written as DXF and audited by ezdxf, an independent
// reader, with its texts coming back. A mismatch leaves <case>.out beside it.
#include "diagrams/DepthChart.h"
#include "diagrams/PileForceDiagrams.h"
#include "diagrams/Sketch.h"
#include "diagrams/ThrustCurve.h"

#include "data/CSlideCalcData.h"
#include "platform/Drawing.h"

#include "platform/DrawingCheck.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace drawing_check;

namespace {

// A flat slip surface of one 8 m segment, a flat slope 2 m above it from x 0,
// no measures; water of one segment (dx, dy) from (x0, y0) when waterCount is 1.
CSlideCalcData flatItem(int waterCount = 0, float x0 = 0, float y0 = 0, float dx = 0,
                        float dy = 0) {
    CSlideCalcData item;
    item.slipCount = 1;
    item.slip[0] = CLineSeg{8.0f, 0.0f};
    item.slopeX0 = 0.0f;
    item.slopeCount = 2;
    item.slope[0] = CLineSeg{0.0f, 2.0f};
    item.slope[1] = CLineSeg{10.0f, 0.0f};
    item.waterCount = waterCount;
    item.waterX0 = x0;
    item.waterY0 = y0;
    item.water[0] = CLineSeg{dx, dy};
    item.usePiles = item.useBerm = item.useUnload = 0;
    item.checkTarget = 1;
    return item;
}

// Slip surface (0,0) (4,3) (10,6) (12,12): crest (12, 12), H = 4000.
CSlideCalcData curveItem() {
    CSlideCalcData item = flatItem();
    item.slipCount = 3;
    item.slip[0] = CLineSeg{4.0f, 3.0f};
    item.slip[1] = CLineSeg{6.0f, 3.0f};
    item.slip[2] = CLineSeg{2.0f, 6.0f};
    return item;
}

// No piles or berm: the thrust position is slopeX0. R: the forces from block 1.
CSlideCalcData withThrust(CSlideCalcData item, float slopeX0, std::vector<float> R) {
    item.slopeX0 = slopeX0;
    item.residualThrust.fill(0.0f);
    for (size_t i = 0; i < R.size(); ++i) item.residualThrust[i + 1] = R[i];
    return item;
}

CSlideCalcData piles(int goal, int checkTarget) {
    CSlideCalcData item = flatItem();
    item.usePiles = 1;
    item.pileRows = 3;
    item.goal = goal;
    item.checkTarget = checkTarget;
    return item;
}

CSlideCalcData unloading(CValueRange range) {
    CSlideCalcData item;
    item.goal = 1;
    item.designTarget = 2;
    item.unloadYRange = range;
    return item;
}

// Pile points every `step` m: moments falling, shear ±5, soil reaction 3.
std::vector<PileForcePoint> pilePoints(int n, float step) {
    std::vector<PileForcePoint> pts(n);
    for (int i = 0; i < n; ++i)
        pts[i] = {i * step, -3.0f, 5.0f, -5.0f, -10.0f * i, -10.0f * i - 1.0f, 2.0f * i};
    return pts;
}

const std::pair<const char*, int (*)(DXF&)> kCases[] = {
    {"sketch_back_calculation",
     [](DXF& d) {
         CSlideCalcData i;
         i.checkTarget = 3;
         return DrawSketch(i, &d);
     }},
    {"sketch_flat_loads_water_piles",
     [](DXF& d) {
         CSlideCalcData i = piles(0, 0);
         i.waterCount = 1;
         i.waterY0 = 1.0f;
         i.water[0] = CLineSeg{10.0f, 0.0f};
         i.slope[1].loadCount = 2;
         i.slope[1].loads[0] = {2.0f, 0.0f, 600.0f};
         i.slope[1].loads[1] = {50.0f, -300.0f, 0.0f};
         i.pileX = 6.0f;
         i.rowSpacing = 2.0f;
         return DrawSketch(i, &d);
     }},
    {"sketch_short_slope",
     [](DXF& d) {
         CSlideCalcData i = flatItem(1, 1.0f, 1.0f, 3.0f, 0.0f);
         i.slopeCount = 1;
         return DrawSketch(i, &d);
     }},
    {"sketch_rising_water", [](DXF& d) { return DrawSketch(flatItem(1, 0, 1, 0, 10), &d); }},
    {"sketch_unloading_marks",
     [](DXF& d) {
         return DrawSketch(unloading({15, 25, 1}), &d);
     }},
    {"thrust_curve",
     [](DXF& d) {
         return DrawThrustCurve(withThrust(curveItem(), 0, {50, 120, 80}), &d);
     }},
    {"thrust_curve_zero",
     [](DXF& d) { return DrawThrustCurve(withThrust(curveItem(), 0, {}), &d); }},
    {"thrust_curve_first_block",
     [](DXF& d) {
         return DrawThrustCurve(withThrust(curveItem(), 11, {30, 99}), &d);
     }},
    {"thrust_curve_flat_crest",
     [](DXF& d) { return DrawThrustCurve(withThrust(flatItem(), 0, {5}), &d); }},
    {"thrust_curve_with_sketch",
     [](DXF& d) {
         CSlideCalcData i = withThrust(curveItem(), 0, {10});
         return d.InsertDxf(MakeThrustCurveDrawing(i, *MakeSketchDrawing(i)).get(), 0, 0, 0, 1, 1);
     }},
    {"depth_chart",
     [](DXF& d) {
         float depth[] = {0, 2, 4}, s1[] = {-10, 30, 5}, s2[] = {-20, 25, 0};
         DrawDepthChart(&d, 5000, 0, 3, depth, s1, s2, "剪力(kN)");
         EXPECT_EQ(depth[2], -4.0f);  // turned negative in place
         return 1;
     }},
    {"design_curves",
     [](DXF& d) {
         float xs[] = {0, 1, 2, 3}, hx[] = {300, 200, 50, -20}, v[] = {0, 3, 8, 15};
         DrawDesignCurve(0, 0, &d, 4, xs, hx, "反压码高度(m)", "水平推力kN");
         return DrawDesignCurve(0, -8000, &d, 4, xs, v, "反压码高度(m)", "单位宽反压码体积m3");
     }},
    {"pile_forces", [](DXF& d) { return DrawPileForcePanels(d, pilePoints(11, 0.5f), 2.005f); }},
    {"charts_without_values",
     [](DXF& d) {
         float z[] = {0, 1}, s[] = {0, 0}, v[] = {1};
         DrawDepthChart(&d, 0, 0, 2, z, s, s, "位移(mm)");  // all zero: still a panel
         DrawDepthChart(&d, 0, 0, 0, v, v, v, "x");
         DrawDesignCurve(0, 0, &d, 0, nullptr, nullptr, "x", "y");
         EXPECT_EQ(v[0], 1.0f);
         return DrawPileForcePanels(d, {}, 0.0f);  // the title alone
     }},
};

}  // namespace

TEST(DiagramDrawings, DrawAsCheckedByHandLeaveThePenAndOpenCleanlyInEzdxf) {
    TempDir dir;
    for (const auto& [name, draw] : kCases) {
        SCOPED_TRACE(name);
        std::unique_ptr<DXF> d = NewResultDrawing(true);
        d->SetCurColor(name[0] == 'p' ? 7 : 4);  // the pile panels draw in the pen colour
        d->MoveTo(12, 34);
        DrawPenState before = d->penState();
        ASSERT_EQ(draw(*d), 1);
        EXPECT_EQ(d->penState(), before);
        EXPECT_EQ(d->envDepth(), 0);
        expectAsExpected(dump(*d), TALVOR_TEST_DATA, name);
        expectCleanInEzdxf(*d, dir.file(std::string(name) + ".DXF"));
    }
}

TEST(DiagramDrawings, PileRowsFollowTheTargetAndUnloadingMarksTheirCandidates) {
    auto count = [](const CSlideCalcData& item, DrawEntityKind kind) {
        DXF d;
        DrawSketch(item, &d);
        int n = 0;
        for (const DrawEntity& e : d.entities()) n += e.color == 2 && e.kind == kind;
        return n;
    };
    const int rows[][3] = {{0, 0, 3}, {0, 2, 3}, {0, 1, 1}, {1, 0, 1}, {0, 3, 0}, {0, 4, 0}};
    for (const auto& r : rows)
        EXPECT_EQ(count(piles(r[0], r[1]), DrawEntityKind::Polyline), r[2]) << r[0] << r[1];
    // A zero step is taken as 0.001 and stops at 2000 marks; a range below its
    // start still marks two candidates.
    EXPECT_EQ(count(unloading({15, 25, 0}), DrawEntityKind::Circle), 2000);
    EXPECT_EQ(count(unloading({15, 10, 1}), DrawEntityKind::Circle), 2);
}

TEST(DiagramDrawings, HostileSectionsAndNullDrawingsNeverCrash) {
    CSlideCalcData item;
    item.slipCount = -3;
    item.slopeCount = 0;
    item.waterCount = -1;
    DXF d;
    EXPECT_EQ(DrawSketch(item, &d), 1);
    CSlideCalcData nan = unloading({NAN, NAN, NAN});
    nan.slip[0].dx = NAN;
    nan.slope[0].loadCount = 50;
    nan.slope[0].loads[0].dist = NAN;
    EXPECT_EQ(DrawSketch(nan, &d), 1);
    EXPECT_EQ(DrawSketch(item, nullptr), 0);
    EXPECT_EQ(DrawThrustCurve(item, nullptr), 0);
}

// Which result drawing the pile forces are and their cap of a thousand points
// are held by the output manifest's pile items (golden pile_long among them).
TEST(DiagramDrawings, PileForcesIntoAMissingDirectoryFail) {
    TempDir dir;
    CSlideCalcData item;
    item.setResult(1, {"计算结果", "&TLVR_0001_TLVR_JG.DXF", "&TLVR_0001_TLVR.RTF"});
    EXPECT_EQ(DrawPileForceDiagrams(item, pilePoints(5, 1.0f), 2.0f, dir.file("none/")), 0);
}
