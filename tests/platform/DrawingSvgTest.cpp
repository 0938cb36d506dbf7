#include "platform/DrawingSvg.h"

#include "platform/Drawing.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(DrawingSvg, TextIsEscapedAndMadeUtf8) {
    const std::pair<std::string, std::string> cases[] = {
        {"a<b&c>\"d\"", "a&lt;b&amp;c&gt;&quot;d&quot;"},
        {"x\x01y\n\x7f", "xy"},
        {"\xBB\xAC\xC3\xE6", "滑面"},  // GBK from an old drawing
        {"滑面", "滑面"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(svgEscape(in), out) << in;
}

TEST(DrawingSvg, ColoursAreHexOfTheCoresPalette) {
    EXPECT_EQ(svgColour(1), "#ff0000");
    EXPECT_EQ(svgColour(250), "#333333");
}

// A drawing of two pens, a tapered wide segment, a circle and a text: one path
// per run of a pen, the tapered segment filled, the text escaped, all inside
// the margin of a picture of the drawing's proportions.
TEST(DrawingSvg, SmallDrawingHasOneElementPerPenRunAndStaysInItsFrame) {
    DXF d;
    d.New_MemDxf();
    d.SetCurColor(DrawColor::kRed);
    d.Draw_Line(0, 0, 100, 0, 1);
    d.Draw_Line(100, 0, 100, 50, 1);
    d.SetCurColor(DrawColor::kBlue);
    d.Draw_Line(0, 50, 100, 50, 1);
    d.Draw_Pline(0, 25, 100, 25, 0, 10, 1);
    d.Draw_Circle(50, 25, 10, 1);
    d.Draw_Text(10, 10, 5, 0, "A<B");
    const std::string svg = formatSvg(d, {400, 400, 0.05});
    const SvgFrame f = svgFrame(d, {400, 400, 0.05});
    EXPECT_EQ(f.size.width, 400);
    EXPECT_EQ(f.size.height, 200);
    EXPECT_NE(svg.find("width=\"400\" height=\"200\""), std::string::npos);
    EXPECT_EQ(occurrences(svg, "<path "), 2u);
    EXPECT_EQ(occurrences(svg, "<polygon "), 1u);
    EXPECT_EQ(occurrences(svg, "<circle "), 1u);
    EXPECT_NE(svg.find(">A&lt;B</text>"), std::string::npos);
    // The extent centred within a margin of 5 % of the shorter side.
    const CFRect r = d.GetFRect();
    EXPECT_NEAR(f.x(r.p1.x) + f.x(r.p2.x), 400.0, 1e-6);
    EXPECT_NEAR(f.y(r.p1.y) + f.y(r.p2.y), 200.0, 1e-6);
    const double across = f.x(r.p2.x) - f.x(r.p1.x), down = f.y(r.p1.y) - f.y(r.p2.y);
    EXPECT_TRUE(std::fabs(across - 380.0) < 1e-6 || std::fabs(down - 180.0) < 1e-6)
        << across << " × " << down;
    EXPECT_TRUE(svg.ends_with("</svg>\n"));
}

}  // namespace
