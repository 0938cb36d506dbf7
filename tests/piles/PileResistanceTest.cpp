// Resistance per metre width of the pile rows of one kind.
#include "piles/PileResistance.h"

#include "data/CSlideCalcData.h"

#include <gtest/gtest.h>

#include <functional>

TEST(PileResistance, EachRowAddsItsShareOfAFullRowWithinTheLimits) {
    // Two rows of 100 kN piles at 2 m with factors 1.0 and 0.5: 50 + 25.
    const struct {
        const char* name;
        int kind;
        float expected;
        std::function<void(CSlideCalcData&)> change;
    } cases[] = {
        {"two rows", 0, 75.0f, [](CSlideCalcData&) {}},
        {"unused factors and row spacing", 0, 75.0f,
         [](CSlideCalcData& i) { i.rowFactor[2] = 7.0f, i.rowSpacing = 99.0f; }},
        {"no rows", 0, 0.0f, [](CSlideCalcData& i) { i.pileRows = 0; }},
        {"kind beyond the candidates", 1, 0.0f, [](CSlideCalcData&) {}},
        {"negative kind", -1, 0.0f, [](CSlideCalcData&) {}},
        {"no candidates", 0, 0.0f, [](CSlideCalcData& i) { i.pileKindCount = 0; }},
        {"piles off", 0, 0.0f, [](CSlideCalcData& i) { i.usePiles = 0; }},
        {"spacing 0 counts as 1 mm", 0, 100.0f / 0.001f,
         [](CSlideCalcData& i) { i.pileRows = 1, i.pileSpacing = 0.0f; }},
        {"negative spacing counts as 1 mm", 0, 100.0f / 0.001f,
         [](CSlideCalcData& i) { i.pileRows = 1, i.pileSpacing = -3.0f; }},
        {"rows held to twenty", 0, 20 * 50.0f,
         [](CSlideCalcData& i) { i.rowFactor.fill(1.0f), i.pileRows = 500; }},
    };
    for (const auto& c : cases) {
        CSlideCalcData item;
        item.usePiles = item.pileKindCount = 1;
        item.pileKinds[0].capacity = 100.0f;
        item.pileSpacing = 2.0f;
        item.pileRows = 2;
        item.rowFactor[0] = 1.0f;
        item.rowFactor[1] = 0.5f;
        c.change(item);
        EXPECT_FLOAT_EQ(PileResistance(item, c.kind), c.expected) << c.name;
    }
}
