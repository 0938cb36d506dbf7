// The physical ranges of the input: each typing slip the ranges are there to
// catch is found and named as the data file names it; what the item does not
// use is not checked; the default item is clean.
#include "data/CSlideCalcData.h"
#include "data/InputRanges.h"
#include "platform/InputDiagnostics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

std::vector<std::string> namesOf(const CSlideCalcData& item) {
    std::vector<std::string> names;
    for (const RangeFinding& f : CheckInputRanges(item)) names.push_back(f.name);
    return names;
}

}  // namespace

// (Piles switched off, a berm beyond the crest, an unknown rail type, a pile
// typed in metres and a spacing under the pile's width are the output
// manifest's: its random items' warnings change when they break.)
TEST(InputRanges, EachSlipIsFoundAndNamedAndUnusedValuesAreLeftAlone) {
    using Edit = std::function<void(CSlideCalcData&)>;
    struct Case {
        const char* what;
        Edit edit;
        std::vector<std::string> names;
    } cases[] = {
        {"default item", [](CSlideCalcData&) {}, {}},
        {"negative c", [](CSlideCalcData& d) { d.slip[2].c = -5.0f; }, {"slip[3].c"}},
        {"c being back-calculated",
         [](CSlideCalcData& d) {
             d.checkTarget = 4;
             d.slip[2].c = -5.0f;
         },
         {}},
        {"phi 95", [](CSlideCalcData& d) { d.slip[0].phi = 95.0f; }, {"slip[1].phi"}},
        {"phi NaN", [](CSlideCalcData& d) { d.slip[0].phi = NAN; }, {"slip[1].phi"}},
        {"segment beyond the count", [](CSlideCalcData& d) { d.slip[50].c = -5.0f; }, {}},
        {"unit weight in t/m3", [](CSlideCalcData& d) { d.gamma = 1.9f; }, {"gamma"}},
        {"saturated 40", [](CSlideCalcData& d) { d.gammaSat = 40.0f; }, {"gammaSat"}},
        {"round pile: size 2 unused",
         [](CSlideCalcData& d) {
             d.pileKinds[0].section = 0;
             d.pileKinds[0].size2 = 3.0f;
         },
         {}},
        {"pile of 12 m, wider than its spacing",
         [](CSlideCalcData& d) { d.pileKinds[0].size1 = 1200.0f; },
         {"pileSpacing", "pileKinds[1].size1"}},
        {"pile row beyond the crest", [](CSlideCalcData& d) { d.pileX = 200.0f; }, {"pileX"}},
        {"pile row below the toe", [](CSlideCalcData& d) { d.pileX = -30.0f; }, {"pileX"}},
        {"berm fill weight 0", [](CSlideCalcData& d) { d.bermGamma = 0.0f; }, {"bermGamma"}},
    };
    for (const Case& c : cases) {
        CSlideCalcData item;
        c.edit(item);
        EXPECT_EQ(namesOf(item), c.names) << c.what;
    }
}

// Their messages are the output manifest's (printed with every calculation).
TEST(InputRanges, FindingsPointAtTheirFieldsAndAreToldWithTheFileName) {
    CSlideCalcData item;
    item.pileKinds[0].size1 = 2.0f;
    item.pileX = 200.0f;
    std::vector<RangeFinding> found = CheckInputRanges(item);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].field, &item.pileX);
    EXPECT_EQ(found[1].field, &item.pileKinds[0].size1);
    InputDiagnostics diagnostics("item.TV");
    AddRangeDiagnostics(item, diagnostics);
    ASSERT_EQ(diagnostics.size(), 2u);
    EXPECT_EQ(diagnostics.text(diagnostics.items()[0]).rfind("item.TV pileX: 第一排桩", 0), 0u);
}
