// Damaged and foreign files fed to every reader of this folder: each must
// refuse or read what it can, never crash, and never write half a file.
#include "data/CSlideCalcData.h"
#include "platform/AtomicFile.h"
#include "platform/ReportWriter.h"
#include "platform/WorkContext.h"
#include "project/CPileLibrary.h"
#include "project/CProjectData.h"
#include "project/CTemplateIndex.h"
#include "project/ReportDocument.h"
#include "project/RtfReader.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace {

std::string randomBytes(std::mt19937& rng, size_t n) {
    std::uniform_int_distribution<int> byte(0, 255);
    std::string s(n, '\0');
    for (char& c : s) c = static_cast<char>(byte(rng));
    return s;
}

class HalfWriter : public AtomicFileWriter {
  protected:
    bool writeAll(std::FILE* file, std::string_view bytes) override {
        std::fwrite(bytes.data(), 1, bytes.size() / 2, file);
        return false;
    }
};

int regularFiles(const std::string& dir) {
    int n = 0;
    for (auto& e : std::filesystem::recursive_directory_iterator(dir)) n += e.is_regular_file();
    return n;
}

}  // namespace

TEST(HostileInput, RandomBytesAreRefusedByTheBinaryFiles) {
    std::mt19937 rng(20260601);
    for (int round = 0; round < 200; ++round) {
        std::string bytes = randomBytes(rng, 20484);
        CProjectData p;
        p.AddItem(0);
        CProjectData before = p;
        EXPECT_FALSE(p.ParseProjectFile(bytes));
        EXPECT_EQ(p, before);
        CTemplateIndex index;
        EXPECT_FALSE(index.ParseIndexFile(bytes.substr(0, 20250)));
    }
}

TEST(HostileInput, ValidMagicWithGarbageCountsIsRefused) {
    std::mt19937 rng(7);
    std::string good = CProjectData().FormatProjectFile();
    int accepted = 0;
    for (int round = 0; round < 200; ++round) {
        std::string bytes = good.substr(0, 50) + randomBytes(rng, good.size() - 50);
        CProjectData p;
        if (!p.ParseProjectFile(bytes)) continue;
        ++accepted;
        for (int k = 0; k < CProjectData::kKinds; ++k) {
            ASSERT_GE(p.itemCount[k], 0);
            ASSERT_LE(p.itemCount[k], CProjectData::kMaxItems);
        }
    }
    // Fifty random counts all within 0..100 do not happen by chance.
    EXPECT_EQ(accepted, 0);
}

TEST(HostileInput, RandomTextNeverBreaksTheTextReaders) {
    std::mt19937 rng(99);
    for (int round = 0; round < 300; ++round) {
        std::string bytes = randomBytes(rng, 1 + round * 7);
        if (round % 3 == 0) bytes = "{\\rtf1" + bytes;
        if (round % 5 == 0) bytes = std::string(kScriptOpen) + bytes + std::string(kScriptClose);
        CPileLibrary lib;
        lib.ParseLibraryText(bytes);
        for (const CPileTestRecord& e : lib.entries) {
            ASSERT_LE(e.pileId.size(), 3u * 99);
            ASSERT_LE(e.soil.size(), 3u * 99);
        }
        ParseRtf(bytes);
        ReportDocument doc = ExpandScript(bytes);
        (void)PlainText(doc);
    }
}

TEST(HostileInput, DeeplyNestedRtfIsRead) {
    std::string rtf = "{\\rtf1 " + std::string(5000, '{') + "x" + std::string(5000, '}') + "}";
    std::optional<ReportDocument> doc = ParseRtf(rtf);
    ASSERT_TRUE(doc);
    EXPECT_EQ(PlainText(*doc), "x");
}

TEST(HostileInput, AFailedIndexWriteLeavesTheOldIndexWhole) {
    TempDir dir;
    WorkContext ctx;
    ctx.G_strExePath = dir.path();
    CTemplateIndex index;
    index.AddTemplate(0);
    ASSERT_TRUE(index.SaveTemplateIndex(ctx));
    std::string saved = readBytes(dir.file("Template/Talvor.MB"));
    index.AddTemplate(0);
    HalfWriter half;
    EXPECT_FALSE(index.SaveTemplateIndex(ctx, half));
    EXPECT_EQ(readBytes(dir.file("Template/Talvor.MB")), saved);
    EXPECT_EQ(regularFiles(dir.path()), 1);
}

TEST(HostileInput, ADirectoryInPlaceOfAFileIsRefused) {
    TempDir dir;
    WorkContext ctx;
    ctx.G_strWorkPath = dir.path();
    ctx.G_strExePath = dir.path();
    std::filesystem::create_directories(dir.file("Talvor.PRJ"));
    std::filesystem::create_directories(dir.file("TalvorPile.Dat"));
    std::filesystem::create_directories(dir.file("Template/Talvor.MB"));
    CProjectData p;
    EXPECT_FALSE(p.LoadProject(ctx));
    p.AddItem(0);
    EXPECT_FALSE(p.SaveProject(ctx));
    CPileLibrary lib;
    EXPECT_EQ(lib.LoadPileLibrary(ctx), 0);
    CTemplateIndex index;
    EXPECT_FALSE(index.LoadTemplateIndex(ctx));
    EXPECT_FALSE(index.SaveTemplateIndex(ctx));
}
