#include "diagrams/SketchElements.h"

#include "data/CSlideCalcData.h"

#include <gtest/gtest.h>

namespace {

CFPoint middle(const SketchElement& e) {
    return {(e.points.front().x + e.points.back().x) / 2,
            (e.points.front().y + e.points.back().y) / 2};
}

}  // namespace

// The segments lie end to end from the section's origin in millimetres, one per
// table row; loads are numbered as the load table lists them.
TEST(SketchElements, SegmentsAndLoadsFollowTheTablesRows) {
    CSlideCalcData item;
    item.slip[0] = {};
    item.slip[0].dx = 2.0f, item.slip[0].dy = -1.0f;
    item.slope[0].loadCount = 2;
    item.slope[2].loadCount = 1;
    std::vector<SketchElement> all = SketchElements(item);
    int counts[7] = {};
    for (const SketchElement& e : all) EXPECT_EQ(e.index, counts[static_cast<int>(e.kind)]++);
    EXPECT_EQ(counts[0], item.slipCount);
    EXPECT_EQ(counts[1], item.slopeCount);
    EXPECT_EQ(counts[2], item.waterCount);
    EXPECT_EQ(counts[3], 3);
    std::vector<SketchElement> slip = SketchLineElements(item, SketchElementKind::SlipSegment);
    EXPECT_EQ(DescribeSketchElement(slip[0]), "滑面第1段  起点(0.000, 0.000)  终点(2.000, -1.000)");
    std::vector<std::string> loads;
    for (const SketchElement& e : all)
        if (e.kind == SketchElementKind::PointLoad) loads.push_back(e.name);
    EXPECT_EQ(loads, (std::vector<std::string>{"集中力1-1", "集中力1-2", "集中力3-1"}));
}

TEST(SketchElements, AHitIsTheNearestPathWithinTheTolerance) {
    CSlideCalcData item;
    item.usePiles = 0, item.useBerm = 0, item.useUnload = 0;
    std::vector<SketchElement> all = SketchElements(item);
    std::vector<SketchElement> slope = SketchLineElements(item, SketchElementKind::SlopeSegment);
    for (int i : {0, 4, item.slopeCount - 1}) {
        std::optional<SketchElement> hit = HitSketchElement(all, middle(slope[i]), 1.0f);
        ASSERT_TRUE(hit);
        EXPECT_EQ(hit->kind, SketchElementKind::SlopeSegment);
        EXPECT_EQ(hit->index, i);
    }
    CFPoint far = middle(slope[0]);
    far.y += 5000.0f;
    EXPECT_FALSE(HitSketchElement(all, far, 100.0f));
    EXPECT_FALSE(HitSketchElement({}, far, 1e9f));
}
