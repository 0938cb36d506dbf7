// Damaged and foreign files fed to every reader of this folder: each must
// refuse or read what it can, never crash, and never write half a file.
#include "ProjectTestSupport.h"
#include "project/CPileLibrary.h"
#include "project/CProjectData.h"
#include "platform/ReportWriter.h"
#include "project/CTemplateIndex.h"
#include "project/RtfReader.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::string randomBytes(std::mt19937& rng, size_t n) {
    std::uniform_int_distribution<int> byte(0, 255);
    std::string s(n, '\0');
    for (char& c : s) c = static_cast<char>(byte(rng));
    return s;
}

}  // namespace

// Behind a valid magic, fifty random counts all within 0..100 do not happen by chance.
TEST(HostileInput, RandomBytesAreRefusedByTheBinaryFilesEvenBehindTheirMagic) {
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
        (void)PlainText(ExpandScript(bytes));
    }
    std::string nested = "{\\rtf1 " + std::string(5000, '{') + "x" + std::string(5000, '}') + "}";
    std::optional<ReportDocument> doc = ParseRtf(nested);
    ASSERT_TRUE(doc);
    EXPECT_EQ(PlainText(*doc), "x");
}

TEST(HostileInput, ADirectoryInPlaceOfAFileIsRefused) {
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
