#include "diagrams/DepthChart.h"

#include "platform/Drawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

const DrawEntity* text(const DXF& d, const std::string& s) {
    for (const DrawEntity& e : d.entities())
        if (e.kind == DrawEntityKind::Text && e.text == s) return &e;
    return nullptr;
}

}  // namespace

TEST(DepthChart, DepthsAreNegatedInPlaceAndTheRangeIsSymmetricWidenedByTenPercent) {
    float depth[] = {0.0f, 2.0f, 4.0f};
    float s1[] = {-10.0f, 30.0f, 5.0f};
    float s2[] = {-20.0f, 25.0f, 0.0f};
    DXF d;
    DrawPenState before = d.penState();
    ASSERT_EQ(DrawDepthChart(&d, 5000, 0, 3, depth, s1, s2, "剪力(kN)"), 1);
    EXPECT_EQ(depth[0], 0.0f);  // -0 compares equal
    EXPECT_EQ(depth[1], -2.0f);
    EXPECT_EQ(depth[2], -4.0f);
    EXPECT_EQ(d.penState(), before);
    // Values −30 … 30 widened to −36 … 36: tick labels −36, −18, 0, 18, 36.
    for (const char* v : {"-36", "-18", "0", "18", "36"}) EXPECT_NE(text(d, v), nullptr) << v;
    // Depth axis from −4 at the bottom (y 0) to 0 at the top (y 5000).
    const DrawEntity* bottom = text(d, "-4.0");
    const DrawEntity* top = text(d, "0.0");
    ASSERT_NE(bottom, nullptr);
    ASSERT_NE(top, nullptr);
    EXPECT_LT(bottom->points[0].y, 0.0f);
    EXPECT_GT(top->points[0].y, 4800.0f);
    ASSERT_NE(text(d, "剪力(kN)"), nullptr);
    EXPECT_GT(text(d, "剪力(kN)")->points[0].y, 5000.0f);  // the panel title above
    ASSERT_NE(text(d, "高度(m)"), nullptr);
    EXPECT_EQ(text(d, "高度(m)")->angle, 90.0f);
    // Series 1 at depth 2 m, value 30: x = 5000 + (30 + 36) / 72 × 3000.
    bool found = false;
    for (const DrawEntity& e : d.entities())
        for (const DrawVertex& v : e.points)
            found |= std::fabs(v.x - 7750.0f) < 0.5f && std::fabs(v.y - 2500.0f) < 0.5f;
    EXPECT_TRUE(found);
}

TEST(DepthChart, NoPointsDrawNothing) {
    DXF d;
    float depth[] = {1.0f};
    EXPECT_EQ(DrawDepthChart(&d, 0, 0, 0, depth, depth, depth, "x"), 1);
    EXPECT_TRUE(d.entities().empty());
    EXPECT_EQ(depth[0], 1.0f);
}

TEST(DepthChart, AllZeroValuesStillGetAPanel) {
    float depth[] = {0.0f, 1.0f};
    float s[] = {0.0f, 0.0f};
    DXF d;
    DrawDepthChart(&d, 0, 0, 2, depth, s, s, "位移(mm)");
    EXPECT_NE(text(d, "位移(mm)"), nullptr);
}

TEST(DesignCurve, FrameInColourSevenAndTheCurveInColourThree) {
    float xs[] = {0, 1, 2, 3}, ys[] = {300, 200, 50, -20};
    DXF d;
    d.SetCurColor(4);
    DrawPenState before = d.penState();
    ASSERT_EQ(DrawDesignCurve(0, -8000, &d, 4, xs, ys, "反压码高度(m)", "单位宽反压码体积m3"), 1);
    EXPECT_EQ(d.penState(), before);
    int curve = 0;
    for (const DrawEntity& e : d.entities()) {
        EXPECT_TRUE(e.color == 7 || e.color == 3 || e.color == 8) << e.color;
        curve += e.color == 3;
    }
    EXPECT_EQ(curve, 3);
    const DrawEntity* caption = text(d, "反压码高度(m)");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->color, 7);
    // The curve spans the panel: first point at the top-left, last at the bottom-right.
    const DrawEntity* first = nullptr;
    const DrawEntity* last = nullptr;
    for (const DrawEntity& e : d.entities())
        if (e.color == 3) (first ? last : first) = &e;
    for (const DrawEntity& e : d.entities())
        if (e.color == 3) last = &e;
    EXPECT_EQ(first->points[0], (DrawVertex{0, -3000, 0, 0}));
    EXPECT_EQ(last->points[1], (DrawVertex{8000, -8000, 0, 0}));
}

TEST(DesignCurve, NoPointsDrawNothing) {
    DXF d;
    EXPECT_EQ(DrawDesignCurve(0, 0, &d, 0, nullptr, nullptr, "x", "y"), 1);
    EXPECT_TRUE(d.entities().empty());
}
