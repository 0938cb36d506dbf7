// The explanatory pictures keep their labels apart and leave the pen as it
// was; which symbols they name is theirs to draw, not restated here.
#include "diagrams/InputPictures.h"

#include "platform/Drawing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Box {
    float x1, y1, x2, y2;
    std::string text;
};

std::vector<Box> labelBoxes(const DXF& d) {
    std::vector<Box> boxes;
    for (const DrawEntity& e : d.entities()) {
        if (e.kind != DrawEntityKind::Text) continue;
        float w = d.GetTextWidth(e.text, e.height, e.widthFactor, e.style.c_str());
        boxes.push_back(
            {e.points[0].x, e.points[0].y, e.points[0].x + w, e.points[0].y + e.height, e.text});
    }
    return boxes;
}

}  // namespace

TEST(InputPictures, EachPageKeepsItsLabelsApartAndThePenAsItWas) {
    for (int page = 0; page < kInputPageCount; ++page) {
        DXF d;
        d.New_MemDxf();
        DrawPenState before = d.penState();
        ASSERT_EQ(DrawInputPicture(page, &d), 1);
        EXPECT_EQ(d.penState(), before) << "page " << page;
        std::vector<Box> boxes = labelBoxes(d);
        EXPECT_GE(boxes.size(), 4u) << "page " << page;
        for (size_t i = 0; i < boxes.size(); ++i)
            for (size_t j = i + 1; j < boxes.size(); ++j) {
                const Box &a = boxes[i], &b = boxes[j];
                bool apart = a.x2 <= b.x1 || b.x2 <= a.x1 || a.y2 <= b.y1 || b.y2 <= a.y1;
                EXPECT_TRUE(apart) << "page " << page << ": " << a.text << " over " << b.text;
            }
    }
    DXF d;
    EXPECT_EQ(DrawInputPicture(kInputPageCount, &d), 0);
    EXPECT_EQ(DrawInputPicture(-1, &d), 0);
    EXPECT_TRUE(d.entities().empty());
}
