#include "diagrams/ThrustCurve.h"

#include "diagrams/Sketch.h"

#include "data/CSlideCalcData.h"
#include "platform/Drawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

// Slip surface (0,0) (4,3) (10,6) (12,12): crest at (12, 12), so H = 4000.
// No piles or berm: the thrust position is slopeX0.
CSlideCalcData curveItem(float slopeX0) {
    CSlideCalcData item;
    item.slipCount = 3;
    item.slip[0].dx = 4.0f;
    item.slip[0].dy = 3.0f;
    item.slip[1].dx = 6.0f;
    item.slip[1].dy = 3.0f;
    item.slip[2].dx = 2.0f;
    item.slip[2].dy = 6.0f;
    item.slopeX0 = slopeX0;
    item.usePiles = item.useBerm = item.useUnload = 0;
    item.residualThrust.fill(0.0f);
    return item;
}

const DrawEntity* text(const DXF& d, const std::string& s) {
    for (const DrawEntity& e : d.entities())
        if (e.kind == DrawEntityKind::Text && e.text == s) return &e;
    return nullptr;
}

std::vector<const DrawEntity*> colored(const DXF& d, int color, DrawEntityKind kind) {
    std::vector<const DrawEntity*> out;
    for (const DrawEntity& e : d.entities())
        if (e.color == color && e.kind == kind) out.push_back(&e);
    return out;
}

DXF curveDrawing(const CSlideCalcData& item) {
    std::unique_ptr<DXF> d = NewResultDrawing(true);
    DrawThrustCurve(item, d.get());
    return *d;
}

}  // namespace

TEST(ThrustCurve, CurveRunsFromTheCrestDownToTheThrustPositionWithLabels) {
    CSlideCalcData item = curveItem(0.0f);
    item.residualThrust[0] = 0.0f;
    item.residualThrust[1] = 50.0f;
    item.residualThrust[2] = 120.0f;
    item.residualThrust[3] = 80.0f;
    DXF d = curveDrawing(item);
    // A = 120, k = 4000 / 120 units per kN.
    float k = 4000.0f / 120.0f;
    auto curve = colored(d, 1, DrawEntityKind::Line);
    ASSERT_EQ(curve.size(), 3u);
    EXPECT_EQ(curve[0]->points[0].x, 12000.0f);
    EXPECT_EQ(curve[0]->points[0].y, 0.0f);
    EXPECT_EQ(curve[0]->points[1].x, 10000.0f);
    EXPECT_FLOAT_EQ(curve[0]->points[1].y, 50.0f * k);
    EXPECT_EQ(curve[2]->points[1].x, 0.0f);
    EXPECT_FLOAT_EQ(curve[2]->points[1].y, 80.0f * k);
    ASSERT_NE(text(d, "(2.00,50.00)"), nullptr);
    EXPECT_EQ(text(d, "(2.00,50.00)")->color, 2);
    EXPECT_EQ(text(d, "(2.00,50.00)")->height, 100.0f);
    EXPECT_NE(text(d, "(12.00,80.00)"), nullptr);
    // Force axis: top = H / k = 120, labels 120 … −120 in steps of 24.
    for (const char* v : {"120", "96", "24", "-24", "-120"}) EXPECT_NE(text(d, v), nullptr) << v;
    const DrawEntity* unit = text(d, "单位(kN)");
    ASSERT_NE(unit, nullptr);
    EXPECT_FLOAT_EQ(unit->points[0].x, 12000.0f + 8 * 0.6f * 1000.0f);
    EXPECT_FLOAT_EQ(unit->points[0].y, 4000.0f);
    // Distance axis: ten labels, distances from the crest 12 … 1 (rounded).
    const DrawEntity* far = text(d, "12");
    ASSERT_NE(far, nullptr);
    EXPECT_EQ(far->points[0].x, 0.0f);
    EXPECT_NE(text(d, "单位(m)"), nullptr);
    EXPECT_FLOAT_EQ(text(d, "单位(m)")->points[0].x, -7 * 0.6f * 1000.0f);
    // Title centred below the chart, height 2h.
    const DrawEntity* title = text(d, "剩余下滑力曲线");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->height, 2000.0f);
    EXPECT_FLOAT_EQ(title->points[0].x, 6000.0f - 14 * 0.6f * 2000.0f / 2.0f);
    EXPECT_FLOAT_EQ(title->points[0].y, -4000.0f - 4000.0f);
}

TEST(ThrustCurve, AllForcesZeroKeepTenUnitsPerKilonewton) {
    CSlideCalcData item = curveItem(0.0f);
    DXF d = curveDrawing(item);
    // top = H / 10 = 400 kN, the axis runs from −400 to 400.
    EXPECT_NE(text(d, "400"), nullptr);
    EXPECT_NE(text(d, "-400"), nullptr);
    EXPECT_NE(text(d, "80"), nullptr);
    for (const DrawEntity* e : colored(d, 1, DrawEntityKind::Line)) EXPECT_EQ(e->points[1].y, 0.0f);
}

TEST(ThrustCurve, AThrustPositionInsideTheFirstBlockGivesOneSegment) {
    CSlideCalcData item = curveItem(11.0f);  // inside the crest block 10 … 12
    item.residualThrust[1] = 30.0f;
    item.residualThrust[2] = 99.0f;  // beyond x*: not in the range
    DXF d = curveDrawing(item);
    auto curve = colored(d, 1, DrawEntityKind::Line);
    ASSERT_EQ(curve.size(), 1u);
    EXPECT_EQ(curve[0]->points[1].x, 11000.0f);
    EXPECT_NE(text(d, "(1.00,30.00)"), nullptr);
    // Rmax stops after the first boundary left of x*: A = 30, top = 30.
    EXPECT_NE(text(d, "30"), nullptr);
    EXPECT_EQ(text(d, "99"), nullptr);
}

TEST(ThrustCurve, PenStateIsRestored) {
    CSlideCalcData item = curveItem(0.0f);
    DXF d;
    d.SetCurColor(5);
    DrawPenState before = d.penState();
    EXPECT_EQ(DrawThrustCurve(item, &d), 1);
    EXPECT_EQ(d.penState(), before);
    EXPECT_EQ(DrawThrustCurve(item, nullptr), 0);
}

TEST(ThrustCurve, TheCurveDrawingHasTheSketchTenMetresAboveIt) {
    CSlideCalcData item = curveItem(0.0f);
    item.residualThrust[1] = 10.0f;
    std::unique_ptr<DXF> sketch = MakeSketchDrawing(item);
    ASSERT_NE(sketch, nullptr);
    DXF curve = curveDrawing(item);
    float top = curve.GetFRect().p2.y;
    std::unique_ptr<DXF> both = MakeThrustCurveDrawing(item, *sketch);
    ASSERT_NE(both, nullptr);
    ASSERT_EQ(both->entities().size(), curve.entities().size() + sketch->entities().size());
    const DrawEntity& firstSketch = both->entities()[curve.entities().size()];
    EXPECT_EQ(firstSketch.points[0].x, sketch->entities()[0].points[0].x);
    EXPECT_FLOAT_EQ(firstSketch.points[0].y, sketch->entities()[0].points[0].y + top + 10000.0f);
    ASSERT_NE(both->findStyle("HZ"), nullptr);
    EXPECT_EQ(both->findStyle("HZ")->widthFactor, 0.75f);
    EXPECT_EQ(both->penState().style, "HZ");
}

TEST(ThrustCurve, ACrestAtTheToesHeightStillGetsAChart) {
    CSlideCalcData item = curveItem(0.0f);
    item.slipCount = 1;
    item.slip[0].dy = 0.0f;
    item.residualThrust[1] = 5.0f;
    DXF d = curveDrawing(item);
    CFRect r = d.GetFRect();
    EXPECT_TRUE(std::isfinite(r.p1.y) && std::isfinite(r.p2.y));
    EXPECT_GT(r.height(), 0.0f);
}
