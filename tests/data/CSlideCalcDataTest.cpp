#include "data/CSlideCalcData.h"

#include <gtest/gtest.h>

// The values in use are checked through the default data file; these are the
// elements beyond the counts, which the file does not show.
TEST(CSlideCalcData, ElementsBeyondTheCountsHoldTheirDefaults) {
    CSlideCalcData d;
    EXPECT_EQ(d.slip[6], CLineSeg());
    EXPECT_EQ(d.slip[6].phi, 20.0f);
    EXPECT_EQ(d.unloadSegs[2].dx, 1.0f);
    EXPECT_EQ(d.pileKinds[199], CPileKind());
    EXPECT_EQ(d.slope[0].loads[9].py, 600.0f);
}

TEST(CSlideCalcData, ControlRulesSwitchOnlyWhatTheTargetNeeds) {
    CSlideCalcData d;
    d.pileRows = 4;
    d.checkTarget = 2;
    d.ApplyControlRules();
    EXPECT_EQ(d.pileRows, 1);
    d.checkTarget = 3;
    d.ApplyControlRules();
    EXPECT_EQ(d.usePiles + d.useBerm + d.useUnload, 0);
    d.checkTarget = 1;
    d.ApplyControlRules();
    EXPECT_EQ(d.usePiles + d.useBerm + d.useUnload, 0);
    d.goal = 1;
    d.designTarget = 1;
    d.ApplyControlRules();
    EXPECT_EQ(d.useBerm, 1);
    EXPECT_EQ(d.usePiles, 0);
}

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
    CPileKind a, b;
    b.materialCost = 1;
    b.buildDays = 9;
    b.concreteGrade = 0;
    EXPECT_EQ(CSlideCalcData::IsSamePileKind(a, b), 1);
    CPileKind r1, r2;
    r1.material = r2.material = 1;
    r1.size1 = 43.0f;
    r2.size1 = 43.0005f;
    r2.size2 = 7.0f;  // not compared for rails
    r2.section = 0;
    EXPECT_EQ(CSlideCalcData::IsSamePileKind(r1, r2), 1);
    r2.size1 = 43.01f;
    EXPECT_EQ(CSlideCalcData::IsSamePileKind(r1, r2), 0);
    CPileKind c1, c2;
    c1.section = c2.section = 0;
    c2.size2 = 80.0f;  // a circle has no second size
    EXPECT_EQ(CSlideCalcData::IsSamePileKind(c1, c2), 1);
    c2.section = 1;
    EXPECT_EQ(CSlideCalcData::IsSamePileKind(c1, c2), 0);
    b.embedDepth = 6.01f;
    EXPECT_EQ(CSlideCalcData::IsSamePileKind(a, b), 0);
}

TEST(CSlideCalcData, LibraryEntriesBecomePileKinds) {
    CSlideCalcData d;
    std::vector<CPileTestRecord> lib(4);
    lib[0].selected = 1;
    lib[0].pileType = "钢轨";
    lib[0].size = 43.0f;
    lib[0].length = 3.0f;
    lib[0].embedDepth = 2.5f;
    lib[0].capacity = 80.0f;
    lib[1].selected = 1;
    lib[1].pileType = "木桩";
    lib[1].size = 0.2f;
    lib[2].selected = 1;
    lib[2].pileType = "其它";
    lib[3] = lib[0];  // already present after the first: skipped
    d.AddPileKindsFromLibrary(lib);
    ASSERT_EQ(d.pileKindCount, 4);
    EXPECT_EQ(d.pileKinds[1].material, 1);
    EXPECT_EQ(d.pileKinds[1].section, 2);
    EXPECT_EQ(d.pileKinds[1].size1, 43.0f);
    EXPECT_EQ(d.pileKinds[1].capacity, 80.0f);
    EXPECT_EQ(d.pileKinds[2].material, 2);
    EXPECT_EQ(d.pileKinds[2].section, 0);
    EXPECT_FLOAT_EQ(d.pileKinds[2].size1, 20.0f);
    // No known type: a reinforced-concrete 50 x 50 cm square kind.
    EXPECT_EQ(d.pileKinds[3].material, 0);
    EXPECT_EQ(d.pileKinds[3].section, 1);
    EXPECT_EQ(d.pileKinds[3].size2, 50.0f);
    EXPECT_EQ(d.pileKinds[3].length, 2.6f);

    d.pileKindCount = 100;
    lib[0].capacity = 81.0f;
    d.AddPileKindsFromLibrary(lib);
    EXPECT_EQ(d.pileKindCount, 100);
}
