#include "platform/Drawing.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(Drawing, EmptyDrawingHasNoExtent) {
    DXF d;
    EXPECT_TRUE(d.GetFRect().empty);
    d.Draw_Line(1, 2, 3, 4, 1.0f);
    d.New_MemDxf();  // empties it again
    EXPECT_TRUE(d.GetFRect().empty);
    EXPECT_TRUE(d.entities().empty());
}

TEST(Drawing, ExtentCoversLinesPolylinesCirclesAndTextBoxes) {
    DXF d;
    d.Draw_Line(-100, 50, 200, 80, 1.0f);
    d.Draw_Pline(0, -300, 0, 0, 100, 100, 1.0f);  // widths do not count
    CFRect r = d.GetFRect();
    EXPECT_EQ(r.p1, (CFPoint{-100, -300}));
    EXPECT_EQ(r.p2, (CFPoint{200, 80}));
    d.Draw_Circle(1000, 0, 250, 1.0f);
    r = d.GetFRect();
    EXPECT_EQ(r.p2, (CFPoint{1250, 250}));
    EXPECT_EQ(r.p1, (CFPoint{-100, -300}));
    // "AB" at height 100: 2 × 0.8 × 100 = 160 wide, from (2000, 500).
    d.Draw_Text(2000, 500, 100, 0, "AB");
    r = d.GetFRect();
    EXPECT_FLOAT_EQ(r.p2.x, 2160.0f);
    EXPECT_FLOAT_EQ(r.p2.y, 600.0f);
    // Turned upright it stands 160 high and reaches back 100 to the left.
    DXF up;
    up.Draw_Text(0, 0, 100, 90, "AB");
    r = up.GetFRect();
    EXPECT_NEAR(r.p1.x, -100.0f, 1e-3);
    EXPECT_NEAR(r.p2.y, 160.0f, 1e-3);
    EXPECT_NEAR(r.p2.x, 0.0f, 1e-3);
}

TEST(Drawing, InsertionPlacesTheOtherDrawingAtTheGivenOrigin) {
    DXF sketch;
    sketch.SetCurColor(3);
    sketch.Draw_Line(0, 0, 1000, 2000, 1.0f);
    sketch.Draw_Text(10, 20, 100, 0, "坡面");
    DXF curve;
    curve.Draw_Line(0, -5000, 30000, 5000, 1.0f);
    CFRect r = curve.GetFRect();
    ASSERT_EQ(curve.InsertDxf(&sketch, 0.0f, r.p2.y + 10000.0f, 0.0f, 1.0f, 1.0f), 1);
    ASSERT_EQ(curve.entities().size(), 3u);
    EXPECT_EQ(curve.entities()[1].points[0], (DrawVertex{0, 15000, 0, 0}));
    EXPECT_EQ(curve.entities()[1].points[1], (DrawVertex{1000, 17000, 0, 0}));
    EXPECT_EQ(curve.entities()[1].color, 3);
    EXPECT_EQ(curve.entities()[2].points[0], (DrawVertex{10, 15020, 0, 0}));
    EXPECT_EQ(curve.entities()[2].text, "坡面");
    // The inserted drawing itself is unchanged.
    EXPECT_EQ(sketch.entities()[0].points[0], (DrawVertex{0, 0, 0, 0}));
}

TEST(Drawing, InsertionScalesAndRotatesAboutTheOtherDrawingsOrigin) {
    DXF part;
    part.Draw_Pline(0, 0, 10, 0, 2, 4, 1.0f);
    part.Draw_Circle(10, 0, 1, 1.0f);
    part.Draw_Text(0, 0, 5, 0, "x");
    DXF d;
    d.InsertDxf(&part, 100, 200, 90.0f, 2.0f, 2.0f);
    const DrawEntity& p = d.entities()[0];
    EXPECT_NEAR(p.points[1].x, 100.0f, 1e-3);
    EXPECT_NEAR(p.points[1].y, 220.0f, 1e-3);
    EXPECT_EQ(p.points[0].startWidth, 4.0f);
    EXPECT_EQ(p.points[0].endWidth, 8.0f);
    EXPECT_EQ(d.entities()[1].radius, 2.0f);
    EXPECT_EQ(d.entities()[2].height, 10.0f);
    EXPECT_EQ(d.entities()[2].angle, 90.0f);
}

TEST(Drawing, InsertionBringsMissingStylesAndLineTypesAndRefusesItself) {
    DXF part;
    part.Add_STyle("HZ", "txt", "hztxt", 0, 0.75f);
    part.Add_Default_LineType();
    DXF d;
    EXPECT_EQ(d.findStyle("HZ"), nullptr);
    d.InsertDxf(&part, 0, 0, 0, 1, 1);
    ASSERT_NE(d.findStyle("HZ"), nullptr);
    EXPECT_NE(d.findLineType("DOT"), nullptr);
    EXPECT_EQ(d.InsertDxf(&d, 0, 0, 0, 1, 1), 0);
    EXPECT_EQ(d.InsertDxf(nullptr, 0, 0, 0, 1, 1), 0);
}

TEST(Drawing, NewDrawingIsEmptyWithTheDefaultTables) {
    auto d = NewMemDxf();
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->entities().empty());
    EXPECT_NE(d->findStyle("STANDARD"), nullptr);
    EXPECT_NE(d->findLineType("CONTINUOUS"), nullptr);
    EXPECT_EQ(d->findLineType("DOT"), nullptr);
}
