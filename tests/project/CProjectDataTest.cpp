#include "project/CProjectData.h"

#include "ProjectTestSupport.h"
#include "project/CPileLibrary.h"
#include "project/CTemplateIndex.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kMagic = "Morvane Talvor Project v1.0";

// "count: numbers..." up to the last slot in use, so stale slots show.
std::string items(const CProjectData& p, int kind) {
    std::string s = std::to_string(p.itemCount[kind]) + ":";
    int last = CProjectData::kMaxItems;
    while (last > 0 && p.itemNumbers[kind][last - 1] == 0) --last;
    for (int i = 0; i < last; ++i) (s += ' ') += std::to_string(p.itemNumbers[kind][i]);
    return s;
}

int32_t int32At(const std::string& b, size_t at) {
    auto byte = [&](int i) { return uint32_t(uint8_t(b[at + i])) << (8 * i); };
    return int32_t(byte(0) | byte(1) | byte(2) | byte(3));
}

}  // namespace

TEST(ProjectData, NumbersAreUniqueOverKindsReusedAndAppendedAtTheEnd) {
    CProjectData p;
    for (int kind : {0, 3, 0, 0}) p.AddItem(kind);
    for (int kind : {CProjectData::kKinds, -1}) EXPECT_EQ(p.AddItem(kind), 0) << kind;
    EXPECT_EQ(items(p, 0), "3: 1 3 4");
    EXPECT_EQ(items(p, 3), "1: 2");
    p.modified = 0;
    for (auto [kind, at] : {std::pair{0, 3}, {0, -1}, {1, 0}})
        EXPECT_FALSE(p.RemoveItem(kind, at)) << kind << " " << at;
    EXPECT_EQ(p.modified, 0);
    EXPECT_TRUE(p.RemoveItem(0, 1));
    EXPECT_EQ(p.modified, 1);
    EXPECT_EQ(items(p, 0), "2: 1 4");
    EXPECT_EQ(p.AddItem(0), 3);
    EXPECT_EQ(items(p, 0), "3: 1 4 3");
}

TEST(ProjectData, TheHundredAndFirstItemAndNumberFiveThousandAndOneAreRefused) {
    CProjectData p;
    for (int i = 1; i <= 100; ++i) ASSERT_EQ(p.AddItem(0), i);
    EXPECT_EQ(p.AddItem(0), 0);
    EXPECT_EQ(p.itemCount[0], 100);
    EXPECT_EQ(p.AddItem(1), 101);
    int n = 1;
    for (int k = 0; k < CProjectData::kKinds; ++k) {
        for (int i = 0; i < CProjectData::kMaxItems; ++i) p.itemNumbers[k][i] = n++;
        p.itemCount[k] = CProjectData::kMaxItems;
    }
    p.modified = 0;
    EXPECT_EQ(p.AllocItemNumber(), 0);
    EXPECT_EQ(p.modified, 1);   // even a failed allocation touches the record
    p.itemNumbers[7][99] = -3;  // entries of 0 or below count as empty
    p.itemCount[7] = 99;
    EXPECT_EQ(p.AddItem(7), 800);
    EXPECT_TRUE(p.RemoveItem(7, 0));
    EXPECT_EQ(p.AddItem(7), 701);
    EXPECT_EQ(p.AllocItemNumber(), 0);
}

TEST(ProjectData, ProjectFileHasTheFixedLayoutWithTheMagicInTheFirstFiftyBytes) {
    CProjectData p;
    p.IncludeKind(0);
    EXPECT_EQ(p.modified, 1);
    p.modified = 0;
    p.IncludeKind(0);
    EXPECT_EQ(p.modified, 0);  // no change, no mark
    p.AddItem(0);
    p.AddItem(0);
    std::string bytes = p.FormatProjectFile();
    ASSERT_EQ(bytes.size(), 20484u);
    EXPECT_EQ(bytes.substr(0, 50), kMagic + std::string(23, '\0'));
    // kindIncluded[0], itemCount[0], itemNumbers[0][0..1], number of kinds
    EXPECT_EQ((std::vector<int>{int32At(bytes, 50), int32At(bytes, 250), int32At(bytes, 450),
                                int32At(bytes, 454), int32At(bytes, 20450)}),
              (std::vector<int>{1, 2, 1, 2, 1}));
    // The title "Talvor设计计算" in GBK (6 + 4*2 bytes), then NUL padding.
    EXPECT_EQ(bytes.substr(20454, 6), "Talvor");
    EXPECT_EQ(bytes.substr(20454 + 14, 16), std::string(16, '\0'));
    for (int at : {23, 24}) {  // from byte 24 on the magic runs past its field
        std::string shifted = bytes;
        std::fill_n(shifted.begin(), 50, 'x');
        std::copy_n(kMagic, 27, shifted.begin() + at);
        CProjectData loaded;
        EXPECT_EQ(loaded.ParseProjectFile(shifted), at == 23) << at;
        EXPECT_EQ(loaded.itemNumbers == p.itemNumbers, at == 23) << at;
    }
}

TEST(ProjectData, SavesBackUpTheFileTheyFindWriteOnlyChangesAndAFailedOneKeepsFileAndMark) {
    Program prog;
    CProjectData p;
    p.IncludeKind(0);
    for (int i = 0; i < 5; ++i) p.AddItem(0);
    ASSERT_TRUE(p.SaveProject(prog.ctx));
    EXPECT_EQ(p.modified, 0);
    EXPECT_FALSE(prog.has("Talvor.BAK"));  // nothing to back up yet
    std::filesystem::rename(prog.file("Talvor.PRJ"), prog.file("TALVOR.prj"));
    const std::string first = readBytes(prog.file("TALVOR.prj"));
    EXPECT_EQ(first.size(), 20484u);
    CProjectData again;
    ASSERT_TRUE(again.LoadProject(prog.ctx));  // found whatever the case of its name
    EXPECT_EQ(again, p);
    ASSERT_TRUE(again.SaveProject(prog.ctx));
    EXPECT_EQ(prog.regularFiles(), 1);  // unchanged, so not written (nor backed up)
    p.AddItem(0);
    ASSERT_TRUE(p.SaveProject(prog.ctx));
    EXPECT_FALSE(prog.has("Talvor.PRJ"));  // saved over the file that is there
    const std::string second = readBytes(prog.file("TALVOR.prj"));
    EXPECT_EQ(readBytes(prog.file("Talvor.BAK")), first);
    EXPECT_NE(second, first);
    p.AddItem(0);
    HalfWriter half;
    EXPECT_FALSE(p.SaveProject(prog.ctx, half));
    EXPECT_EQ(p.modified, 1);
    EXPECT_EQ(readBytes(prog.file("TALVOR.prj")), second);
    EXPECT_EQ(prog.regularFiles(), 2);  // no temporary file left behind
    prog.ctx.G_strWorkPath += "gone/";
    EXPECT_FALSE(p.SaveProject(prog.ctx));
    EXPECT_EQ(p.modified, 1);
}

TEST(ProjectData, CorruptOrForeignFilesAreRefusedAndLeaveTheRecord) {
    Program prog;
    CProjectData p;
    p.AddItem(0);
    const CProjectData before = p;
    EXPECT_FALSE(p.LoadProject(prog.ctx));  // no file
    std::string good = CProjectData().FormatProjectFile();
    std::string count101 = good, countMinus1 = good;
    count101[250] = 101;
    countMinus1.replace(250, 4, "\xFF\xFF\xFF\xFF");
    for (const std::string& bad :
         {std::string("not a project at all"), good.substr(0, 1000), count101, countMinus1}) {
        writeBytes(prog.file("Talvor.PRJ"), bad);
        EXPECT_FALSE(p.LoadProject(prog.ctx));
    }
    EXPECT_EQ(p, before);
    // Without the kind count and titles the arrays are still all there.
    writeBytes(prog.file("Talvor.PRJ"), good.substr(0, 20450));
    EXPECT_TRUE(p.LoadProject(prog.ctx));
    EXPECT_EQ(items(p, 0), "0:");
}

// Behind a valid magic, fifty random counts all within 0..100 do not happen by chance.
TEST(ProjectData, RandomBytesAreRefusedByTheBinaryFilesEvenBehindTheirMagic) {
    std::mt19937 rng(20260601);
    const std::string project = CProjectData().FormatProjectFile();
    const std::string index = CTemplateIndex().FormatIndexFile();
    for (int round = 0; round < 400; ++round) {
        std::string bytes = randomBytes(rng, 20484), indexBytes = bytes.substr(0, 20250);
        if (round % 2)
            bytes.replace(0, 50, project, 0, 50), indexBytes.replace(0, 50, index, 0, 50);
        CProjectData p;
        p.AddItem(0);
        const CProjectData before = p;
        EXPECT_FALSE(p.ParseProjectFile(bytes));
        EXPECT_EQ(p, before);
        EXPECT_FALSE(CTemplateIndex().ParseIndexFile(indexBytes));
    }
}

TEST(ProjectData, ADirectoryInPlaceOfAFileIsRefused) {
    Program prog;
    for (const char* name : {"Talvor.PRJ", "TalvorPile.Dat", "Template/Talvor.MB"})
        std::filesystem::create_directories(prog.file(name));
    CProjectData p;
    EXPECT_FALSE(p.LoadProject(prog.ctx));
    p.AddItem(0);
    EXPECT_FALSE(p.SaveProject(prog.ctx));
    EXPECT_EQ(CPileLibrary().LoadPileLibrary(prog.ctx), 0);
    CTemplateIndex index;
    EXPECT_FALSE(index.LoadTemplateIndex(prog.ctx));
    EXPECT_FALSE(index.SaveTemplateIndex(prog.ctx));
}
