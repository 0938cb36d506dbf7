// The item record: strength setters and pile kinds, compared and taken from
// the pile library. (The control rules are the control table's tests.)
#include "data/CSlideCalcData.h"

#include <gtest/gtest.h>

#include <iterator>
#include <tuple>

TEST(CSlideCalcData, SetAllStrengthTouchesOnlySegmentsInUse) {
    CSlideCalcData d;
    d.SetAllPhi(33.0f);
    d.SetAllC(5.0f);
    EXPECT_EQ(d.slip[5].phi, 33.0f);
    EXPECT_EQ(d.slip[5].c, 5.0f);
    EXPECT_EQ(d.slip[6].phi, 20.0f);
    d.slipCount = -3;
    d.SetAllC(1.0f);
    EXPECT_EQ(d.slip[0].c, 5.0f);
}

TEST(CSlideCalcData, PileKindsCompareOnShapeLengthAndCapacityWithinAMillimetre) {
    const CPileKind rail{.material = 1, .size1 = 43.0f}, circle{.section = 0};
    const struct {
        CPileKind a, b;
        int same;
    } cases[] = {
        // Costs, days and the concrete grade are not compared; the embedded depth is.
        {{}, {.materialCost = 1, .buildDays = 9, .concreteGrade = 0}, 1},
        {{}, {.embedDepth = 6.01f, .materialCost = 1}, 0},
        // A rail by its size within a millimetre, not its second size or section.
        {rail, {.material = 1, .section = 0, .size1 = 43.0005f, .size2 = 7}, 1},
        {rail, {.material = 1, .section = 0, .size1 = 43.01f, .size2 = 7}, 0},
        // A circle has no second size; a square is another shape.
        {circle, {.section = 0, .size2 = 80.0f}, 1},
        {circle, {.section = 1, .size2 = 80.0f}, 0},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(CSlideCalcData::IsSamePileKind(cases[i].a, cases[i].b), cases[i].same) << i;
}

TEST(CSlideCalcData, LibraryEntriesBecomePileKinds) {
    CSlideCalcData d;
    std::vector<CPileTestRecord> lib = {
        {.selected = 1, .pileType = "钢轨", .size = 43, .embedDepth = 2.5f, .capacity = 80},
        {.selected = 1, .pileType = "木桩", .size = 0.2f, .length = 3},
        {.selected = 1, .pileType = "其它"},
    };
    lib.push_back(lib[0]);  // already present after the first: skipped
    d.AddPileKindsFromLibrary(lib);
    ASSERT_EQ(d.pileKindCount, 4);
    auto shape = [](const CPileKind& k) {
        return std::tuple(k.material, k.section, k.size1, k.size2, k.length, k.embedDepth,
                          k.capacity);
    };
    // A rail; a round timber of 20 cm; no known type: a reinforced-concrete
    // 50 x 50 cm square kind. Lengths, depths and capacities are the entries'
    // (by default 2.6 m, 2 m and 52.6 kN).
    EXPECT_EQ(shape(d.pileKinds[1]), std::tuple(1, 2, 43.0f, 50.0f, 2.6f, 2.5f, 80.0f));
    EXPECT_EQ(shape(d.pileKinds[2]), std::tuple(2, 0, 20.0f, 20.0f, 3.0f, 2.0f, 52.6f));
    EXPECT_EQ(shape(d.pileKinds[3]), std::tuple(0, 1, 50.0f, 50.0f, 2.6f, 2.0f, 52.6f));

    d.pileKindCount = 100;
    lib[0].capacity = 81.0f;
    d.AddPileKindsFromLibrary(lib);
    EXPECT_EQ(d.pileKindCount, 100);
}
