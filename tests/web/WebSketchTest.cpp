#include "web/WebSketch.h"

#include "data/CSlideCalcData.h"
#include "tables/TableId.h"

#include <gtest/gtest.h>

namespace {

TEST(WebSketch, EveryElementIsLinkedToItsRowAndFoundUnderThePointer) {
    CSlideCalcData item;
    const WebSketch sketch = MakeWebSketch(item);
    ASSERT_TRUE(sketch.svg.starts_with("<svg"));
    ASSERT_FALSE(sketch.elements.empty());
    for (size_t i = 0; i < sketch.elements.size(); ++i) {
        const WebSketchElement& e = sketch.elements[i];
        EXPECT_NE(sketch.svg.find("id=\"" + e.id + "\""), std::string::npos) << e.id;
        EXPECT_GE(e.table, 0) << e.id;
        EXPECT_GE(e.row, 1) << e.id;
        if (e.id.starts_with("SlipSegment-")) {
            EXPECT_EQ(e.table, static_cast<int>(TableId::CSlipTable));
            EXPECT_EQ(e.id, std::string("SlipSegment-") + std::to_string(e.row - 1));
        }
    }
    // The middle of the first slip segment, in the picture.
    const SketchElement& first = sketch.found.front();
    const CFPoint a = first.points.front(), b = first.points.back();
    const double px = sketch.frame.x((a.x + b.x) / 2), py = sketch.frame.y((a.y + b.y) / 2);
    std::optional<int> hit = HitWebSketch(sketch, px, py, 3.0);
    ASSERT_TRUE(hit.has_value());
    EXPECT_EQ(sketch.found[*hit].kind, first.kind);
    EXPECT_FALSE(HitWebSketch(sketch, -1000.0, -1000.0, 3.0).has_value());
    EXPECT_TRUE(WebSketchPosition(sketch, px, py).starts_with("X="));
}

}  // namespace
