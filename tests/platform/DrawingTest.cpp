#include "platform/Drawing.h"

#include "platform/DrawingCheck.h"

#include <gtest/gtest.h>

TEST(Drawing, ExtentCoversLinesPolylinesCirclesAndTextBoxesButNotWidths) {
    DXF d, up;
    EXPECT_TRUE(d.GetFRect().empty);
    d.Draw_Line(-100, 50, 200, 80, 1.0f);
    d.Draw_Pline(0, -300, 0, 0, 100, 100, 1.0f);
    CFRect r = d.GetFRect();
    EXPECT_EQ(r.p1, (CFPoint{-100, -300}));
    EXPECT_EQ(r.p2, (CFPoint{200, 80}));
    d.Draw_Circle(1000, 0, 250, 1.0f);
    EXPECT_EQ(d.GetFRect().p2, (CFPoint{1250, 250}));
    // "AB" at height 100: 2 × 0.8 × 100 = 160 wide, from (2000, 500).
    d.Draw_Text(2000, 500, 100, 0, "AB");
    EXPECT_EQ(d.GetFRect().p1, (CFPoint{-100, -300}));
    EXPECT_EQ(d.GetFRect().p2, (CFPoint{2160, 600}));
    // Turned upright it stands 160 high and reaches back 100 to the left.
    up.Draw_Text(0, 0, 100, 90, "AB");
    EXPECT_NEAR(up.GetFRect().p1.x, -100.0f, 1e-3);
    EXPECT_NEAR(up.GetFRect().p2.x, 0.0f, 1e-3);
    EXPECT_NEAR(up.GetFRect().p2.y, 160.0f, 1e-3);
    d.New_MemDxf();  // empties it again, with the default tables
    EXPECT_TRUE(d.GetFRect().empty);
    EXPECT_TRUE(d.entities().empty());
    EXPECT_NE(d.findStyle("STANDARD"), nullptr);
    EXPECT_NE(d.findLineType("CONTINUOUS"), nullptr);
    EXPECT_EQ(NewMemDxf()->findLineType("DOT"), nullptr);
}

TEST(Drawing, InsertionMovesScalesAndRotatesTheOtherDrawingAboutItsOrigin) {
    DXF part, d;
    part.SetCurColor(3);
    part.Add_STyle("HZ", "txt", "hztxt", 0, 0.75f);
    part.Add_Default_LineType();
    part.Draw_Line(0, 0, 1000, 2000, 1.0f);
    part.Draw_Pline(0, 0, 10, 0, 2, 4, 1.0f);
    part.Draw_Circle(10, 0, 1, 1.0f);
    part.Draw_Text(10, 20, 5, 0, "坡面");
    std::string before = drawing_check::dump(part);
    ASSERT_EQ(d.InsertDxf(&part, 0.0f, 15000.0f, 0.0f, 1.0f, 1.0f), 1);
    ASSERT_EQ(d.InsertDxf(&part, 100, 200, 90.0f, 2.0f, 2.0f), 1);
    drawing_check::expectAsExpected(drawing_check::dump(d), TALVOR_PLATFORM_TEST_DATA, "insertion");
    EXPECT_EQ(drawing_check::dump(part), before);  // the inserted drawing is unchanged
    ASSERT_NE(d.findStyle("HZ"), nullptr);         // with its styles and line types
    EXPECT_NE(d.findLineType("DOT"), nullptr);
    EXPECT_EQ(d.InsertDxf(&d, 0, 0, 0, 1, 1), 0);
    EXPECT_EQ(d.InsertDxf(nullptr, 0, 0, 0, 1, 1), 0);
}
