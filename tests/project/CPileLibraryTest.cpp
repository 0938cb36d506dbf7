#include "project/CPileLibrary.h"

#include "ProjectTestSupport.h"
#include "platform/InputDiagnostics.h"
#include "platform/TextEncoding.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

const std::string kRail = "1,3,Z3,钢轨,43,3.0,2.5,硬塑粘土,平地,80,75";
const std::string kWood = "2,4,M1,木桩,0.2,2.0,1.5,砂土,坡地,30,28";

auto fields(const CPileTestRecord& e) {
    return std::tie(e.seqNo, e.number, e.pileId, e.pileType, e.size, e.length, e.embedDepth, e.soil,
                    e.terrain, e.capacity, e.capacityMean);
}

std::string repeat(const std::string& s, int n) {
    std::string out;
    while (n-- > 0) out += s;
    return out;
}

}  // namespace

TEST(PileLibrary, LinesAreScannedOverTheDefaultsWithTextFieldsCut) {
    const CPileTestRecord rail{0, 1, 3, "Z3", "钢轨", 43, 3, 2.5f, "硬塑粘土", "平地", 80, 75};
    CPileTestRecord defaults, firstFour = defaults, stopped = defaults, cut = rail;
    firstFour.seqNo = 5, firstFour.number = 6, firstFour.pileId = "Z9",
    firstFour.pileType = "混凝土";
    stopped.seqNo = 7;  // scanning stops at the first value that is not a number
    cut.number = 2, cut.pileId = std::string(99, 'A'), cut.length = 3, cut.embedDepth = 2;
    cut.soil = repeat("土", 49);  // 98 GBK bytes: a 50th character would need byte 100
    const std::pair<std::string, CPileTestRecord> cases[] = {
        {kRail, rail},
        {"1, 3, Z3 , 钢轨, 43, 3.0, 2.5, 硬塑粘土 , 平地, 80, 75", rail},
        {kWood, {0, 2, 4, "M1", "木桩", 0.2f, 2, 1.5f, "砂土", "坡地", 30, 28}},
        {"5,6,Z9,混凝土", firstFour},
        {"7,x,Z1,钢轨,60", stopped},
        {"1,2," + std::string(150, 'A') + ",钢轨,43,3,2," + repeat("土", 60) + ",平地,80,75", cut},
    };
    for (const auto& [line, want] : cases)
        EXPECT_EQ(fields(CPileLibrary::ParseEntry(line)), fields(want)) << line;
}

TEST(PileLibrary, RowsShowRailSizesInKgPerMetreOthersInMetres) {
    EXPECT_EQ(PileListRowTexts(CPileLibrary::ParseEntry(kRail), 0),
              (std::vector<std::string>{"1", "3", "Z3", "钢轨", "43.0kg/m", "3.00", "2.50",
                                        "硬塑粘土", "平地", "80.00", "75.00"}));
    std::vector<std::string> wood = PileListRowTexts(CPileLibrary::ParseEntry(kWood), 1);
    EXPECT_EQ(wood[0] + " " + wood[4], "2 0.20m");
}

TEST(PileLibrary, SelectedRowsBecomeAppendedCandidatesOrTheOnePileKind) {
    CPileLibrary lib;
    lib.ParseLibraryText(kRail + "\n" + kWood + "\n3,5,M2,木桩,0.3\n4,6,M3,木桩,0.25\n");
    RecordingSinks sinks;
    EXPECT_EQ(lib.SelectRows({}, sinks), 0);
    EXPECT_EQ(lib.SelectRows({9, -1}, sinks), 0);
    EXPECT_EQ(sinks.messages, std::vector<std::string>(2, "请用鼠标选择至少一根桩 !"));
    ASSERT_EQ(lib.SelectRows({0, 2, 3}, sinks), 1);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(lib.entries[i].selected, i != 1) << i;
    CSlideCalcData candidates;  // starts with its one default kind
    ASSERT_EQ(TakeOverPileKinds(candidates, lib, true), 1);
    EXPECT_EQ(candidates.pileKindCount, 4);
    EXPECT_EQ(candidates.pileKinds[0], CPileKind());
    EXPECT_EQ(candidates.pileKinds[2].material, 2);
    ASSERT_EQ(TakeOverPileKinds(candidates, lib, true), 1);  // each kind once
    EXPECT_EQ(candidates.pileKindCount, 4);
    CSlideCalcData single;
    ASSERT_EQ(TakeOverPileKinds(single, lib, false), 1);
    ASSERT_EQ(single.pileKindCount, 3);
    const CPileKind& k = single.pileKinds[0];  // a rail pile of 43 kg/m
    EXPECT_EQ(std::tie(k.material, k.size1, k.length, k.embedDepth, k.capacity),
              std::make_tuple(1, 43.0f, 3.0f, 2.5f, 80.0f));
}

// Blank, short and comment lines are not entries.
TEST(PileLibrary, LoadingReadsTheEntriesDropsTheMarksAndAMissingFileKeepsTheList) {
    Program prog;
    CPileLibrary lib;
    EXPECT_EQ(lib.LoadPileLibrary(prog.ctx), 0);
    EXPECT_TRUE(lib.entries.empty());
    writeBytes(prog.file("talvorpile.dat"),
               utf8ToGbk("// 试验资料库\n\n   \nab\n1,2\n  // 1,3,Z3,钢轨,43,3.0,2.5,x,y,80,75\n" +
                         kRail + "\r\n1,2,3\n"));
    ASSERT_EQ(lib.LoadPileLibrary(prog.ctx), 1);
    ASSERT_EQ(lib.entries.size(), 2u);
    EXPECT_EQ(fields(lib.entries[0]), fields(CPileLibrary::ParseEntry(kRail)));  // from GBK
    EXPECT_EQ(lib.entries[1].pileId, "3");
    lib.SelectRows({0}, prog.sinks);
    ASSERT_EQ(lib.LoadPileLibrary(prog.ctx), 1);
    EXPECT_EQ(lib.entries[0].selected, 0);
    std::filesystem::remove(prog.file("talvorpile.dat"));
    EXPECT_EQ(lib.LoadPileLibrary(prog.ctx), 0);
    EXPECT_EQ(lib.entries.size(), 2u);
}

TEST(PileLibrary, ShippedStarterLibraryReadsWithNothingToTell) {
    CPileLibrary lib;
    InputDiagnostics diag;
    ASSERT_EQ(lib.LoadPileLibraryFile(TALVOR_SHARE_DIR "/TalvorPile.Dat", &diag), 1);
    EXPECT_TRUE(diag.items().empty());
    ASSERT_GE(lib.entries.size(), 5u);
    for (const CPileTestRecord& e : lib.entries) {
        EXPECT_GT(e.capacity, 0.0f);
        EXPECT_GT(e.length, e.embedDepth);
        EXPECT_FALSE(e.soil.empty());
    }
}
