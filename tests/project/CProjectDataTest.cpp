#include "project/CProjectData.h"

#include "platform/AtomicFile.h"
#include "platform/WorkContext.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

WorkContext contextIn(const TempDir& dir) {
    WorkContext ctx;
    ctx.G_strWorkPath = dir.path();
    ctx.G_strExePath = dir.path();
    return ctx;
}

// A disk that fills up half way through every file.
class HalfWriter : public AtomicFileWriter {
  protected:
    bool writeAll(std::FILE* file, std::string_view bytes) override {
        std::fwrite(bytes.data(), 1, bytes.size() / 2, file);
        return false;
    }
};

int32_t int32At(const std::string& bytes, size_t at) {
    uint32_t u = 0;
    for (int b = 0; b < 4; ++b)
        u |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + b])) << (8 * b);
    return static_cast<int32_t>(u);
}

}  // namespace

TEST(ProjectData, ItemNumbersAreReusedAndAppendedAtTheEnd) {
    CProjectData p;
    EXPECT_EQ(p.AddItem(0), 1);
    EXPECT_EQ(p.AddItem(0), 2);
    EXPECT_EQ(p.AddItem(0), 3);
    EXPECT_TRUE(p.RemoveItem(0, 1));
    EXPECT_EQ(p.itemCount[0], 2);
    EXPECT_EQ(p.itemNumbers[0][0], 1);
    EXPECT_EQ(p.itemNumbers[0][1], 3);
    EXPECT_EQ(p.itemNumbers[0][2], 0);
    // The freed number 2 comes back, at the end of the list.
    EXPECT_EQ(p.AddItem(0), 2);
    EXPECT_EQ(p.itemNumbers[0][2], 2);
}

TEST(ProjectData, NumbersAreUniqueOverAllKinds) {
    CProjectData p;
    EXPECT_EQ(p.AddItem(0), 1);
    EXPECT_EQ(p.AddItem(3), 2);
    EXPECT_EQ(p.AddItem(0), 3);
    EXPECT_EQ(p.AddItem(CProjectData::kKinds), 0);
    EXPECT_EQ(p.AddItem(-1), 0);
}

TEST(ProjectData, TheHundredAndFirstItemOfAKindIsRefused) {
    CProjectData p;
    for (int i = 1; i <= 100; ++i) ASSERT_EQ(p.AddItem(0), i);
    EXPECT_EQ(p.AddItem(0), 0);
    EXPECT_EQ(p.itemCount[0], 100);
    // Another kind still gets the next free number.
    EXPECT_EQ(p.AddItem(1), 101);
}

TEST(ProjectData, NumbersStopAtFiveThousand) {
    CProjectData p;
    // Fill every slot of every kind except the last kind's with distinct numbers.
    int n = 1;
    for (int k = 0; k < CProjectData::kKinds; ++k) {
        for (int i = 0; i < CProjectData::kMaxItems; ++i) p.itemNumbers[k][i] = n++;
        p.itemCount[k] = CProjectData::kMaxItems;
    }
    ASSERT_EQ(n, 5001);
    p.modified = 0;
    EXPECT_EQ(p.AllocItemNumber(), 0);
    // Even a failed allocation marks the record as touched.
    EXPECT_EQ(p.modified, 1);
    // A freed slot frees its number, and only that one.
    p.itemNumbers[7][99] = -3;  // entries of 0 or below count as empty
    p.itemCount[7] = 99;
    EXPECT_EQ(p.AddItem(7), 800);
    EXPECT_TRUE(p.RemoveItem(7, 0));
    EXPECT_EQ(p.AddItem(7), 701);
    EXPECT_EQ(p.AllocItemNumber(), 0);
}

TEST(ProjectData, RemovingFromAnEmptyKindOrOutsideTheListFails) {
    CProjectData p;
    EXPECT_FALSE(p.RemoveItem(0, 0));
    p.AddItem(0);
    p.modified = 0;
    EXPECT_FALSE(p.RemoveItem(0, 1));
    EXPECT_FALSE(p.RemoveItem(0, -1));
    EXPECT_EQ(p.modified, 0);
    EXPECT_TRUE(p.RemoveItem(0, 0));
    EXPECT_EQ(p.modified, 1);
    EXPECT_EQ(p.itemNumbers[0][0], 0);
}

TEST(ProjectData, ProjectFileHasTheFixedLayout) {
    CProjectData p;
    p.IncludeKind(0);
    p.AddItem(0);
    p.AddItem(0);
    std::string bytes = p.FormatProjectFile();
    ASSERT_EQ(bytes.size(), 20484u);
    EXPECT_EQ(bytes.substr(0, 27), "Morvane Talvor Project v1.0");
    EXPECT_EQ(bytes.substr(27, 23), std::string(23, '\0'));
    EXPECT_EQ(int32At(bytes, 50), 1);     // kindIncluded[0]
    EXPECT_EQ(int32At(bytes, 250), 2);    // itemCount[0]
    EXPECT_EQ(int32At(bytes, 450), 1);    // itemNumbers[0][0]
    EXPECT_EQ(int32At(bytes, 454), 2);    // itemNumbers[0][1]
    EXPECT_EQ(int32At(bytes, 20450), 1);  // number of kinds
    // The title "Talvor设计计算" in GBK: 6 + 4*2 bytes, then NUL padding.
    EXPECT_EQ(bytes.substr(20454, 6), "Talvor");
    EXPECT_EQ(bytes.substr(20454 + 14, 16), std::string(16, '\0'));
}

TEST(ProjectData, SavedReopenedAndSavedAgainWritesNothingTheSecondTime) {
    TempDir dir;
    WorkContext ctx = contextIn(dir);
    CProjectData p;
    p.IncludeKind(0);
    for (int i = 0; i < 5; ++i) p.AddItem(0);
    ASSERT_TRUE(p.SaveProject(ctx));
    EXPECT_EQ(p.modified, 0);
    std::string first = readBytes(dir.file("Talvor.PRJ"));
    EXPECT_EQ(first.size(), 20484u);
    // The first save had nothing to back up.
    EXPECT_FALSE(std::filesystem::exists(dir.file("Talvor.BAK")));

    CProjectData again;
    ASSERT_TRUE(again.LoadProject(ctx));
    EXPECT_EQ(again, p);
    std::filesystem::remove(dir.file("Talvor.PRJ"));
    ASSERT_TRUE(again.SaveProject(ctx));
    EXPECT_FALSE(std::filesystem::exists(dir.file("Talvor.PRJ")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("Talvor.BAK")));
}

TEST(ProjectData, EachSaveBacksUpThePreviousFile) {
    TempDir dir;
    WorkContext ctx = contextIn(dir);
    CProjectData p;
    p.AddItem(0);
    ASSERT_TRUE(p.SaveProject(ctx));
    std::string first = readBytes(dir.file("Talvor.PRJ"));
    p.AddItem(0);
    ASSERT_TRUE(p.SaveProject(ctx));
    EXPECT_EQ(readBytes(dir.file("Talvor.BAK")), first);
    EXPECT_NE(readBytes(dir.file("Talvor.PRJ")), first);
}

TEST(ProjectData, ProjectFileIsFoundWhateverTheCaseOfItsName) {
    TempDir dir;
    WorkContext ctx = contextIn(dir);
    CProjectData p;
    p.AddItem(0);
    writeBytes(dir.file("TALVOR.prj"), p.FormatProjectFile());
    CProjectData loaded;
    ASSERT_TRUE(loaded.LoadProject(ctx));
    EXPECT_EQ(loaded.itemNumbers[0][0], 1);
    loaded.AddItem(0);
    ASSERT_TRUE(loaded.SaveProject(ctx));
    // Saved over the file that is there, not beside it.
    EXPECT_FALSE(std::filesystem::exists(dir.file("Talvor.PRJ")));
    CProjectData reread;
    ASSERT_TRUE(reread.LoadProject(ctx));
    EXPECT_EQ(reread.itemCount[0], 2);
}

TEST(ProjectData, MagicAnywhereInTheFirstFiftyBytesIsAccepted) {
    CProjectData p;
    p.AddItem(0);
    std::string bytes = p.FormatProjectFile();
    std::string shifted = bytes;
    std::fill(shifted.begin(), shifted.begin() + 50, 'x');
    std::copy_n("Morvane Talvor Project v1.0", 27, shifted.begin() + 23);
    CProjectData loaded;
    EXPECT_TRUE(loaded.ParseProjectFile(shifted));
    EXPECT_EQ(loaded.itemCount[0], 1);
    // Starting at byte 24 it would run past the field.
    std::fill(shifted.begin(), shifted.begin() + 50, 'x');
    std::copy_n("Morvane Talvor Project v1.0", 27, shifted.begin() + 24);
    EXPECT_FALSE(CProjectData().ParseProjectFile(shifted));
}

TEST(ProjectData, CorruptOrForeignFilesAreRefusedAndLeaveTheRecord) {
    TempDir dir;
    WorkContext ctx = contextIn(dir);
    CProjectData p;
    p.AddItem(0);
    p.AddItem(0);
    CProjectData before = p;
    EXPECT_FALSE(p.LoadProject(ctx));  // no file
    std::string good = CProjectData().FormatProjectFile();

    writeBytes(dir.file("Talvor.PRJ"), "not a project at all");
    EXPECT_FALSE(p.LoadProject(ctx));
    writeBytes(dir.file("Talvor.PRJ"), good.substr(0, 1000));  // cut short
    EXPECT_FALSE(p.LoadProject(ctx));
    std::string badCount = good;
    badCount[250] = 101;  // itemCount[0] = 101
    writeBytes(dir.file("Talvor.PRJ"), badCount);
    EXPECT_FALSE(p.LoadProject(ctx));
    badCount[250] = '\xFF';
    badCount[251] = badCount[252] = badCount[253] = '\xFF';  // -1
    writeBytes(dir.file("Talvor.PRJ"), badCount);
    EXPECT_FALSE(p.LoadProject(ctx));
    EXPECT_EQ(p, before);
    // Without the kind count and titles the arrays are still all there.
    writeBytes(dir.file("Talvor.PRJ"), good.substr(0, 20450));
    EXPECT_TRUE(p.LoadProject(ctx));
    EXPECT_EQ(p.itemCount[0], 0);
}

TEST(ProjectData, AFailedSaveKeepsTheOldFileAndTheModifiedMark) {
    TempDir dir;
    WorkContext ctx = contextIn(dir);
    CProjectData p;
    p.AddItem(0);
    ASSERT_TRUE(p.SaveProject(ctx));
    std::string saved = readBytes(dir.file("Talvor.PRJ"));
    p.AddItem(0);
    HalfWriter half;
    EXPECT_FALSE(p.SaveProject(ctx, half));
    EXPECT_EQ(p.modified, 1);
    EXPECT_EQ(readBytes(dir.file("Talvor.PRJ")), saved);
    // No temporary file is left behind.
    int files = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.path())) files += e.is_regular_file();
    EXPECT_EQ(files, 1);
}

TEST(ProjectData, SavingIntoAMissingDirectoryFails) {
    TempDir dir;
    WorkContext ctx;
    ctx.G_strWorkPath = dir.path() + "gone/";
    CProjectData p;
    p.AddItem(0);
    EXPECT_FALSE(p.SaveProject(ctx));
    EXPECT_EQ(p.modified, 1);
}

TEST(ProjectData, IncludingAKindMarksAChangeOnlyOnce) {
    CProjectData p;
    p.IncludeKind(0);
    EXPECT_EQ(p.modified, 1);
    p.modified = 0;
    p.IncludeKind(0);
    EXPECT_EQ(p.modified, 0);
}

TEST(ProjectData, ItemFileNamesFollowTheNumber) {
    EXPECT_EQ(ItemFileBase(7), "&TLVR_0007");
    EXPECT_EQ(ItemListFileName(5000), "&TLVR_5000.DAT");
}
