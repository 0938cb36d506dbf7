#include "project/CPileLibrary.h"

#include "platform/TextEncoding.h"
#include "platform/WorkContext.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(PileLibrary, RailLineParsesAndShowsAsTheListDoes) {
    CPileTestRecord e = CPileLibrary::ParseEntry("1,3,Z3,钢轨,43,3.0,2.5,硬塑粘土,平地,80,75");
    EXPECT_EQ(e.seqNo, 1);
    EXPECT_EQ(e.number, 3);
    EXPECT_EQ(e.pileId, "Z3");
    EXPECT_EQ(e.pileType, "钢轨");
    EXPECT_FLOAT_EQ(e.size, 43.0f);
    EXPECT_EQ(e.soil, "硬塑粘土");
    EXPECT_EQ(e.terrain, "平地");
    EXPECT_FLOAT_EQ(e.capacityMean, 75.0f);
    std::vector<std::string> row = PileListRowTexts(e, 0);
    EXPECT_EQ(row, (std::vector<std::string>{"1", "3", "Z3", "钢轨", "43.0kg/m", "3.00", "2.50",
                                             "硬塑粘土", "平地", "80.00", "75.00"}));
}

TEST(PileLibrary, SelectedRailBecomesARailPileKind) {
    CPileLibrary lib;
    lib.ParseLibraryText("1,3,Z3,钢轨,43,3.0,2.5,硬塑粘土,平地,80,75\n");
    RecordingSinks sinks;
    ASSERT_EQ(lib.SelectRows({0}, sinks), 1);
    CSlideCalcData record;
    ASSERT_EQ(TakeOverPileKinds(record, lib, false), 1);
    ASSERT_EQ(record.pileKindCount, 1);
    const CPileKind& k = record.pileKinds[0];
    EXPECT_EQ(k.material, 1);
    EXPECT_FLOAT_EQ(k.size1, 43.0f);
    EXPECT_FLOAT_EQ(k.length, 3.0f);
    EXPECT_FLOAT_EQ(k.embedDepth, 2.5f);
    EXPECT_FLOAT_EQ(k.capacity, 80.0f);
}

TEST(PileLibrary, CandidatesAreAppendedOtherModesReplaceTheKind) {
    CPileLibrary lib;
    lib.ParseLibraryText(
        "1,3,Z3,钢轨,43,3.0,2.5,硬塑粘土,平地,80,75\n2,4,M1,木桩,0.2,2.0,1.5,砂土,坡地,30,28\n");
    RecordingSinks sinks;
    ASSERT_EQ(lib.SelectRows({1, 0}, sinks), 1);
    CSlideCalcData candidates;  // starts with its one default kind
    TakeOverPileKinds(candidates, lib, true);
    EXPECT_EQ(candidates.pileKindCount, 3);
    EXPECT_EQ(candidates.pileKinds[0], CPileKind());
    EXPECT_EQ(candidates.pileKinds[2].material, 2);
    CSlideCalcData single;
    TakeOverPileKinds(single, lib, false);
    EXPECT_EQ(single.pileKindCount, 2);
    EXPECT_EQ(single.pileKinds[0].material, 1);
}

TEST(PileLibrary, OtherPilesShowTheirSizeInMetres) {
    CPileTestRecord e = CPileLibrary::ParseEntry("2,4,M1,木桩,0.2,2.0,1.5,砂土,坡地,30,28");
    EXPECT_EQ(PileListRowTexts(e, 1)[0], "2");
    EXPECT_EQ(PileListRowTexts(e, 1)[4], "0.20m");
}

TEST(PileLibrary, ShortLinesKeepTheDefaults) {
    CPileTestRecord e = CPileLibrary::ParseEntry("5,6,Z9,混凝土");
    EXPECT_EQ(e.seqNo, 5);
    EXPECT_EQ(e.pileType, "混凝土");
    EXPECT_FLOAT_EQ(e.size, 50.0f);
    EXPECT_FLOAT_EQ(e.length, 2.6f);
    EXPECT_FLOAT_EQ(e.embedDepth, 2.0f);
    EXPECT_EQ(e.soil, "硬塑砂粘土、原状");
    EXPECT_EQ(e.terrain, "平地");
    EXPECT_FLOAT_EQ(e.capacity, 52.6f);
    EXPECT_FLOAT_EQ(e.capacityMean, 47.43f);
    // Scanning stops at the first value that is not a number.
    CPileTestRecord bad = CPileLibrary::ParseEntry("7,x,Z1,钢轨,60");
    EXPECT_EQ(bad.seqNo, 7);
    EXPECT_EQ(bad.number, 1);
    EXPECT_FLOAT_EQ(bad.size, 50.0f);
}

TEST(PileLibrary, BlankShortAndCommentLinesAreNotEntries) {
    CPileLibrary lib;
    lib.ParseLibraryText(
        "// 试验资料库\n\n   \nab\n1,2\n  // 1,3,Z3,钢轨,43,3.0,2.5,x,y,80,75\n"
        "1,3,Z3,钢轨,43,3.0,2.5,硬塑粘土,平地,80,75\r\n1,2,3\n");
    ASSERT_EQ(lib.entries.size(), 2u);
    EXPECT_EQ(lib.entries[0].pileId, "Z3");
    EXPECT_EQ(lib.entries[0].capacityMean, 75.0f);
    EXPECT_EQ(lib.entries[1].pileId, "3");
}

TEST(PileLibrary, BlanksAroundTextFieldsAreDropped) {
    CPileTestRecord e =
        CPileLibrary::ParseEntry("1, 3, Z3 , 钢轨, 43, 3.0, 2.5, 硬塑粘土 , 平地, 80, 75");
    EXPECT_EQ(e.pileId, "Z3");
    EXPECT_EQ(e.pileType, "钢轨");
    EXPECT_EQ(e.soil, "硬塑粘土");
    EXPECT_FLOAT_EQ(e.capacityMean, 75.0f);
}

TEST(PileLibrary, TextFieldsLongerThanTheirFieldAreCut) {
    std::string longAscii(150, 'A');
    std::string longChinese;
    for (int i = 0; i < 60; ++i) longChinese += "土";  // 120 GBK bytes
    CPileTestRecord e = CPileLibrary::ParseEntry("1,2," + longAscii + ",钢轨,43,3,2," +
                                                 longChinese + ",平地,80,75");
    EXPECT_EQ(e.pileId, std::string(99, 'A'));
    EXPECT_EQ(gbkWidth(e.soil), 98);  // 49 characters: a 50th would need byte 100
    EXPECT_EQ(e.terrain, "平地");
    EXPECT_FLOAT_EQ(e.capacity, 80.0f);
}

TEST(PileLibrary, SelectingNothingAsksForASelection) {
    CPileLibrary lib;
    lib.ParseLibraryText("1,3,Z3,钢轨,43\n2,4,M1,木桩,0.2\n3,5,M2,木桩,0.3\n4,6,M3,木桩,0.25\n");
    RecordingSinks sinks;
    EXPECT_EQ(lib.SelectRows({}, sinks), 0);
    EXPECT_EQ(lib.SelectRows({9, -1}, sinks), 0);
    ASSERT_EQ(sinks.messages.size(), 2u);
    EXPECT_EQ(sinks.messages[0], "请用鼠标选择至少一根桩 !");
    ASSERT_EQ(lib.SelectRows({0, 2, 3}, sinks), 1);
    EXPECT_EQ(lib.entries[0].selected + lib.entries[1].selected * 10 +
                  lib.entries[2].selected * 100 + lib.entries[3].selected * 1000,
              1101);
}

TEST(PileLibrary, ReloadingDropsTheMarksAndAMissingFileKeepsTheList) {
    TempDir dir;
    WorkContext ctx;
    ctx.G_strExePath = dir.path();
    CPileLibrary lib;
    EXPECT_EQ(lib.LoadPileLibrary(ctx), 0);
    EXPECT_TRUE(lib.entries.empty());
    writeBytes(dir.file("talvorpile.dat"),
               utf8ToGbk("1,3,Z3,钢轨,43,3.0,2.5,硬塑粘土,平地,80,75\n"));
    ASSERT_EQ(lib.LoadPileLibrary(ctx), 1);
    ASSERT_EQ(lib.entries.size(), 1u);
    EXPECT_EQ(lib.entries[0].soil, "硬塑粘土");  // read from GBK
    RecordingSinks sinks;
    lib.SelectRows({0}, sinks);
    ASSERT_EQ(lib.LoadPileLibrary(ctx), 1);
    EXPECT_EQ(lib.entries[0].selected, 0);
    std::filesystem::remove(dir.file("talvorpile.dat"));
    EXPECT_EQ(lib.LoadPileLibrary(ctx), 0);
    EXPECT_EQ(lib.entries.size(), 1u);
}

TEST(PileLibrary, ColumnsAreTheElevenOfTheList) {
    EXPECT_STREQ(kPileListColumns[4].title, "规格/桩径m");
    EXPECT_EQ(kPileListColumns[7].width, 150);
    EXPECT_EQ(kPileListColumns[9].align, ColumnAlign::Centre);
    EXPECT_EQ(kPileListColumns[10].align, ColumnAlign::Left);
}

TEST(PileLibrary, ShippedStarterLibraryReads) {
    CPileLibrary lib;
    ASSERT_EQ(lib.LoadPileLibraryFile(TALVOR_SHARE_DIR "/TalvorPile.Dat"), 1);
    ASSERT_GE(lib.entries.size(), 5u);
    for (const CPileTestRecord& e : lib.entries) {
        EXPECT_GT(e.capacity, 0.0f);
        EXPECT_GT(e.length, e.embedDepth);
        EXPECT_FALSE(e.soil.empty());
    }
}
