// The explanatory pictures name what their page asks for, keep their labels
// apart, and leave the pen as it was.
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

std::string allText(const DXF& d) {
    std::string s;
    for (const Box& b : labelBoxes(d)) s += b.text + "\n";
    return s;
}

}  // namespace

TEST(InputPictures, EachPageNamesItsSymbolsWithLabelsApart) {
    const std::vector<std::vector<std::string>> symbols = {
        {"重度γ", "饱和重度γsat", "承压水头", "纵向长度", "抗滑桩", "反压码", "刷方", "安全系数K",
         "地震"},
        {"dx", "dy", "粘聚力c", "摩擦角φ", "(X0,Y0)", "原点(0,0)"},
        {"起点X0", "dx", "dy", "距离", "X(向左为正)", "Y(向下为正)"},
        {"自由段", "嵌入深度", "桩间距", "排距", "第一排桩X", "q1", "q2", "土层"},
        {"X0", "H", "1:m", "反压码"},
        {"起始定位坐标Y", "dx", "dy", "刷方线"},
    };
    for (int page = 0; page < kInputPageCount; ++page) {
        DXF d;
        d.New_MemDxf();
        DrawPenState before = d.penState();
        ASSERT_EQ(DrawInputPicture(page, &d), 1);
        EXPECT_EQ(d.penState(), before) << "page " << page;
        std::string text = allText(d);
        for (const std::string& s : symbols[page])
            EXPECT_NE(text.find(s), std::string::npos) << "page " << page << " lacks " << s;
        std::vector<Box> boxes = labelBoxes(d);
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
