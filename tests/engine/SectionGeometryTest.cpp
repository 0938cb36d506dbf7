// Section lines, look-ups, cut positions and block integration on sections
// whose results can be checked by hand.
#include "EngineTestItems.h"

#include "engine/SectionGeometry.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The items that tests/engine/data/hand_values.txt names.
std::map<std::string, CSlideCalcData> handItems() {
    std::map<std::string, CSlideCalcData> items;
    items.try_emplace("item");
    items["bermAt30"].bermX = 30.0f;
    CSlideCalcData& negative = items["negative"];
    negative.slipCount = -3, negative.waterCount = -1, negative.unloadCount = -2;
    // Slip up 2 vertically at x 4, then up 3 more in two vertical pieces at x 8.
    items["steps"] = plainSection({{4, 1}, {0, 2}, {4, 1}, {0, 1}, {0, 2}, {4, 0}}, {{12, 12}});
    items["endRun"] = plainSection({{10, 2}, {0, 1}, {0, 1}}, {{12, 12}});
    // Slope up to 4, flat, down to 2, up to 6.
    items["wavy"] = plainSection({{30, 0}}, {{4, 4}, {4, 0}, {4, -2}, {4, 4}});
    items["noBerm"].useBerm = 0;
    items["steepUnload"].unloadSegs[0].dy = 40.0f;
    items["below"] = plainSection({{10, 5}}, {{10, 2}});
    CSlideCalcData& wet = items["wet"] = plainSection({{20, 0}}, {{10, 5}, {10, 5}});
    wet.waterX0 = -5.0f, wet.waterY0 = 3.0f, wet.water[0].dx = 40.0f;
    return items;
}

}  // namespace

TEST(SectionGeometry, LinesLookUpsAndBlocksMatchTheirHandValues) {
    const auto items = handItems();
    const std::map<std::string, LineKind> kinds{
        {"Slip", Slip}, {"Slope", Slope}, {"Water", Water}, {"Unload", Unload}, {"Berm", Berm}};
    using G = BlockGeometry;
#define FIELD(f) \
    { #f, &G::f }
    const std::map<std::string, float G::*> fields{
        FIELD(area),           FIELD(wetArea),      FIELD(weight),       FIELD(wetWeight),
        FIELD(staticWaterSum), FIELD(staticWaterH), FIELD(staticWaterV), FIELD(slipLength),
        FIELD(seepageForce),   FIELD(buoyancy),     FIELD(bermArea),     FIELD(trimmedArea)};
#undef FIELD
    std::istringstream table(readBytes(std::string(TALVOR_TEST_DATA) + "/hand_values.txt"));
    int checked = 0;
    for (std::string row; std::getline(table, row);) {
        if (row.empty() || row[0] == '#') continue;
        SCOPED_TRACE(row);
        std::istringstream in(row);
        std::string check, name, what;
        in >> check >> name;
        const CSlideCalcData& d = items.at(name);
        if (check == "point") {
            int cuts, count, at;
            float xs[kMaxLinePoints], ys[kMaxLinePoints], x, y;
            in >> what >> cuts >> count >> at >> x >> y;
            LineKind k = kinds.at(what);
            ASSERT_EQ(cuts ? BuildLineForCuts(d, k, xs, ys) : BuildLine(d, k, xs, ys), count);
            EXPECT_EQ(xs[at], x);
            EXPECT_EQ(ys[at], y);
        } else if (check == "y" || check == "x") {
            float at, expected;
            int side;
            in >> what >> at >> side >> expected;
            LineKind k = kinds.at(what);
            const float got = check == "y" ? LineYAtX(d, k, at, side) : LineXAtY(d, k, at, side);
            // Exact unless the row ends in ~ (a hand value rounded in its last digits).
            if (row.back() == '~') {
                EXPECT_FLOAT_EQ(got, expected);
            } else {
                EXPECT_EQ(got, expected);
            }
        } else {
            float x1, x2;
            double expected, tol;
            in >> x1 >> x2 >> what >> expected >> tol;
            EXPECT_NEAR(IntegrateBlock(d, x1, x2).*fields.at(what), expected, tol);
        }
        ASSERT_FALSE(in.fail());
        ++checked;
    }
    EXPECT_EQ(checked, 62);
}

TEST(SectionGeometry, RangesAndPileRowsFollowTheWorkedExample) {
    // Where the unloading line follows the slope surface outside its range,
    // and which lines a switched-off measure leaves, the output manifest holds.
    CSlideCalcData item;
    EXPECT_FALSE(InUnloadRange(item, 30.0f));
    EXPECT_TRUE(InUnloadRange(item, 40.0f));
    EXPECT_TRUE(InBermRange(item, 8.0f));
    EXPECT_FALSE(InBermRange(item, 20.0f));
    EXPECT_GT(IntegrateBlock(item, 42.0f, 48.0f).trimmedArea, 0.0f);
    float x, ySlip, freeLength, embed;
    item.pileRows = 2;
    PileRowPosition(item, 1, &x, &ySlip, &freeLength, &embed);
    EXPECT_EQ(std::vector<float>({x, ySlip, freeLength, embed}),
              std::vector<float>({4.0f, 0.4f, 4.0f, 6.0f}));
    item.useUnload = 0;
    item.unloadSegs[0].dy = 40.0f;
    EXPECT_GT(IntegrateBlock(item, 42.0f, 48.0f).area, 0.0f);
}

TEST(SectionGeometry, CutsHoldEveryVertexAndCrossingInsideTheBlockOnce) {
    CSlideCalcData item;
    std::vector<float> cuts;
    // Top block: vertices 48, 53 (slope), 48.125, 53.125 (unloading); the
    // unloading line leaves the slope at 50.34375, the slope meets the slip at
    // 53 + 0.72222 / 1.35556.
    CollectCuts(item, 48.0f, 57.0f, cuts);
    std::vector<float> expected{48.0f, 48.125f, 50.34375f, 53.0f, 53.125f, 53.532787f, 57.0f};
    ASSERT_EQ(cuts.size(), expected.size());
    for (size_t i = 0; i < cuts.size(); ++i) EXPECT_NEAR(cuts[i], expected[i], 1e-4) << i;
    item.useUnload = 0;
    CollectCuts(item, 48.0f, 57.0f, cuts);
    EXPECT_EQ(cuts.size(), 4u);
}

TEST(SectionGeometry, ColumnWeightsFollowTheWaterLevel) {
    CSlideCalcData d;  // γ 19, γsat 25, berm 22 / 24
    d.bermGammaSat = 24.0f;
    const float water[] = {-1.0f, 1.0f, 2.5f, 9.0f};
    const float weight[] = {2 * 19 + 22, 25 + 19 + 22, 50 + 0.5f * 22 + 0.5f * 24, 50 + 24};
    const float wet[] = {0, 25, 50 + 0.5f * 24, 50 + 24};
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(ColumnWeight(d, 2.0f, 1.0f, water[i]), weight[i]) << water[i];
        EXPECT_FLOAT_EQ(ColumnWetWeight(d, 2.0f, 1.0f, water[i]), wet[i]) << water[i];
    }
}

TEST(SectionGeometry, APointLoadOnABlockBoundaryCountsOnceInTheBlockBelowItsRightEnd) {
    CSlideCalcData d = plainSection({{10, 1}, {10, 1}}, {{10, 5}, {10, 5}});
    d.slope[0].loadCount = 2;
    d.slope[0].loads[0] = {std::sqrt(125.0f), 7.0f, 100.0f};  // at x 10 exactly
    d.slope[0].loads[1] = {0.0f, 1.0f, 5.0f};  // at x 0, the left end of the lower block
    d.slope[1].loadCount = 1;
    d.slope[1].loads[0] = {12.0f, 1.0f, 1.0f};  // past the segment's end: ignored
    float px, py;
    SumPointLoads(d, 0.0f, 10.0f, &px, &py);
    EXPECT_EQ(std::pair(px, py), std::pair(7.0f, 100.0f));
    SumPointLoads(d, 10.0f, 20.0f, &px, &py);
    EXPECT_EQ(std::pair(px, py), std::pair(0.0f, 0.0f));
}
