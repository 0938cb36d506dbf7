// The item data file: its layout, the round trip, count limits, and foreign,
// cut, hostile and unwritable files (random bytes are fed by FuzzReplay.cpp).
#include "data/CSlideCalcData.h"
#include "platform/AtomicFile.h"
#include "platform/LineReader.h"
#include "platform/TextEncoding.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <sstream>
#include <tuple>

namespace {

// The lines of a data file's GBK bytes, as UTF-8.
std::vector<std::string> linesOf(const std::string& gbk) {
    std::vector<std::string> lines;
    std::istringstream in(gbkToUtf8(gbk));
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    return lines;
}

// Reads the first `count` lines into a record that starts from the defaults.
CSlideCalcData parse(const std::vector<std::string>& lines, size_t count = SIZE_MAX,
                     int* result = nullptr) {
    std::string text;
    for (size_t i = 0; i < count && i < lines.size(); ++i) text += lines[i] + "\n";
    CSlideCalcData d;
    LineReader in(text);
    int r = d.ParseDataFile(in);
    if (result) *result = r;
    return d;
}

}  // namespace

// The expected file was checked line by line against the documented layout
// and the worked example's values.
TEST(DataFile, DefaultItemIsWrittenLineForLineInTheDocumentedLayout) {
    CSlideCalcData item;
    EXPECT_EQ(item.FormatDataFile(), readBytes(TALVOR_TEST_DATA "/default_item.TV"));
}

TEST(DataFile, WrittenItemReadsBackIntoAnEqualRecordFromGbkUtf8OrCommented) {
    TempDir dir;
    CSlideCalcData item;
    item.slope[2].loadCount = 3;
    item.slope[2].loads[1] = {2.5f, -40.0f, 125.5f};
    item.goal = 1;
    item.designTarget = 2;
    item.setName("K12+350 滑坡断面, 第一段");  // a comma in the name too
    item.setResult(0, {"计算简图", "a_TLVR_JT.DXF", "a_TLVR.RTF"});
    item.setResult(2, {"剩余下滑力曲线", "a_TLVR_SYXHL.DXF", "a_TLVR.RTF"});  // 1 left empty
    item.residualThrust[3] = 77.0f;  // results are not stored
    ASSERT_EQ(item.WriteDataFile(dir.file("a.TV")), 1);
    const std::string gbk = readBytes(dir.file("a.TV"));
    writeBytes(dir.file("u.TV"), "\xEF\xBB\xBF" + gbkToUtf8(gbk));
    // The commented layout: a comment above each data line, read past.
    const std::string commented = item.FormatDataFile(DataFileStyle::Commented);
    EXPECT_NE(gbkToUtf8(commented).find("\n// 计算目标 0 验算校核 / 1 自动设计"),
              std::string::npos);
    writeBytes(dir.file("c.TV"), commented);
    for (const char* name : {"a.TV", "u.TV", "c.TV"}) {
        CSlideCalcData back;
        ASSERT_EQ(back.ReadDataFile(dir.file(name)), 1);
        EXPECT_EQ(back.residualThrust[3], 0.0f);
        EXPECT_EQ(back.fileName(), dir.file(name));
        back.residualThrust = item.residualThrust;
        back.SetFileName_(item.fileName());
        EXPECT_TRUE(back == item) << name;  // the name, in GBK on disk, and views included
    }
    EXPECT_NE(gbk.find(utf8ToGbk("滑坡断面")), std::string::npos);
    // The load lines after their segment are the output manifest's (its random
    // items type point loads and it holds their data files byte for byte).
}

TEST(DataFile, ElementsBeyondTheCountsAreNeitherWrittenNorRead) {
    CSlideCalcData item, back;
    item.slip[6].dx = 3.5f;  // beyond the 6 segments in use
    back.slip[6].dx = 2.5f;
    LineReader in(gbkToUtf8(item.FormatDataFile()));
    ASSERT_EQ(back.ParseDataFile(in), 1);
    EXPECT_EQ(back.slipCount, 6);
    EXPECT_EQ(item.slip[6].dx, 3.5f);
    EXPECT_EQ(back.slip[6].dx, 2.5f);
}

TEST(DataFile, ControlLineIsBroughtIntoRangeAndCountsHeldToTheirLimits) {
    std::vector<std::string> lines = linesOf(CSlideCalcData().FormatDataFile());
    lines[1] = "5,7,-2,500.0";
    lines[3] = "1000000000,-5,4,15,16,-1";
    CSlideCalcData d = parse(lines);
    // Negative counts stand as they are and read no blocks.
    EXPECT_EQ(std::tuple(d.goal, d.designTarget, d.checkTarget, d.slipCount, d.slopeCount),
              std::tuple(1, 2, 0, 100, -5));
    EXPECT_EQ(d.slopeLength, 500.0f);
}

TEST(DataFile, WriterHoldsCountsToTheirLimitsBeforeTheBlocks) {
    CSlideCalcData item;
    item.slope[0].loadCount = 12;
    item.layerCount = 25;
    item.pileRows = 30;
    item.pileKindCount = 150;
    item.unloadCount = 9;
    item.slipCount = -5;
    CSlideCalcData back = parse(linesOf(item.FormatDataFile()));
    EXPECT_EQ(std::tuple(item.slope[0].loadCount, item.layerCount, item.pileRows,
                         item.pileKindCount, item.unloadCount, item.slipCount),
              std::tuple(10, 20, 20, 100, 3, -5));
    EXPECT_EQ(std::tuple(back.slope[0].loadCount, back.slipCount, back.pileKindCount),
              std::tuple(10, -5, 100));
    EXPECT_TRUE(back.slope == item.slope);
    EXPECT_EQ(back.unloadSegs[2], item.unloadSegs[2]);
}

TEST(DataFile, ForeignOrMissingFileLeavesTheRecordUntouched) {
    TempDir dir;
    CSlideCalcData item;
    item.gamma = 33.0f;
    CSlideCalcData before = item;
    writeBytes(dir.file("foreign.TV"), "SOME_OTHER_MARK\n1,1,1,1\n");
    writeBytes(dir.file("empty.TV"), "");
    for (const char* name : {"missing.TV", "foreign.TV", "empty.TV", ""})  // "": the directory
        EXPECT_EQ(item.ReadDataFile(dir.file(name)), 0) << name;
    EXPECT_TRUE(item == before);
    // The mark with trailing blanks and CR still matches.
    writeBytes(dir.file("crlf.TV"), "BIANPO_TALVORN_V10  \r\n1,2,3,4\r\n");
    EXPECT_EQ(item.ReadDataFile(dir.file("crlf.TV")), 1);
    EXPECT_EQ(item.goal, 1);
    EXPECT_EQ(item.checkTarget, 3);
}

TEST(DataFile, FileCutAfterAnyLineReadsWithoutHarm) {
    CSlideCalcData item;
    item.slope[1].loadCount = 2;
    std::vector<std::string> lines = linesOf(item.FormatDataFile());
    for (size_t n = 1; n <= lines.size(); ++n) {
        int result = 0;
        CSlideCalcData d = parse(lines, n, &result);
        EXPECT_EQ(result, 1) << "cut after line " << n;
        // What was read is right; what was not keeps the defaults.
        if (n >= 4) {
            EXPECT_EQ(d.slipCount, 6);
        }
        EXPECT_EQ(d.unloadYRange.step, 1.0f);
    }
}

TEST(DataFile, CommentsAndHostileValuesAreHandled) {
    std::vector<std::string> lines = linesOf(CSlideCalcData().FormatDataFile());
    lines[2] = "nan,inf,-inf," + lines[2].substr(lines[2].find(",1,"));
    lines.insert(lines.begin() + 2, "   // a comment between data lines");
    lines[4].append(10000, '7');  // a 10,000-character counts line
    CSlideCalcData d = parse(lines);
    // No usable number: 0, as a table cell reads them.
    EXPECT_EQ(std::tuple(d.gamma, d.gammaSat, d.thrustSafetyFactor), std::tuple(0.0f, 0.0f, 0.0f));
    EXPECT_EQ(std::tuple(d.useSeepage, d.slipCount, d.slopeCount), std::tuple(1, 6, 9));
    EXPECT_EQ(d.slip[0].dx, 20.0f);
}

TEST(DataFile, FailedWriteKeepsThePreviousFileByteForByte) {
    TempDir dir;
    CSlideCalcData item;
    ASSERT_EQ(item.WriteDataFile(dir.file("k.TV")), 1);
    std::string before = readBytes(dir.file("k.TV"));
    item.gamma = 99.0f;
    HalfWriter full;
    EXPECT_EQ(item.WriteDataFile(dir.file("k.TV"), full), 0);
    EXPECT_EQ(readBytes(dir.file("k.TV")), before);
    // A directory that cannot hold the file: nothing written, no stray temporary.
    writeBytes(dir.file("plain"), "x");
    EXPECT_EQ(item.WriteDataFile(dir.file("plain/k.TV")), 0);
    EXPECT_EQ(item.WriteDataFile(dir.file("no/such/dir/k.TV")), 0);
    int files = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.path())) files += e.is_regular_file();
    EXPECT_EQ(files, 2);
}
