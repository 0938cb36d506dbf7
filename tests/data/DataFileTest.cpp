#include "data/CSlideCalcData.h"
#include "platform/AtomicFile.h"
#include "platform/LineReader.h"
#include "platform/TextEncoding.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <random>
#include <sstream>

namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    return lines;
}

// Reads data-file text into a record that starts from the defaults.
CSlideCalcData parse(const std::string& utf8, int* result = nullptr) {
    CSlideCalcData d;
    LineReader in(utf8);
    int r = d.ParseDataFile(in);
    if (result) *result = r;
    return d;
}

std::string joinLines(const std::vector<std::string>& lines, size_t count) {
    std::string out;
    for (size_t i = 0; i < count && i < lines.size(); ++i) out += lines[i] + "\n";
    return out;
}

class FailingWriter : public AtomicFileWriter {
  protected:
    // A disk that fills up after half the bytes.
    bool writeAll(std::FILE* file, std::string_view bytes) override {
        std::fwrite(bytes.data(), 1, bytes.size() / 2, file);
        return false;
    }
};

}  // namespace

// The expected file was checked line by line against the documented layout
// and the worked example's values.
TEST(DataFile, DefaultItemIsWrittenLineForLineInTheDocumentedLayout) {
    CSlideCalcData item;
    EXPECT_EQ(item.FormatDataFile(), readBytes(TALVOR_TEST_DATA "/default_item.TV"));
}

TEST(DataFile, WrittenItemReadsBackIntoAnEqualRecord) {
    TempDir dir;
    CSlideCalcData item;
    item.slope[2].loadCount = 3;
    item.slope[2].loads[1] = {2.5f, -40.0f, 125.5f};
    item.goal = 1;
    item.designTarget = 2;
    item.setName("K12+350 滑坡断面 一");
    item.setResult(0, {"计算简图", "a_TLVR_JT.DXF", "a_TLVR.RTF"});
    item.residualThrust[3] = 77.0f;  // results are not stored
    ASSERT_EQ(item.WriteDataFile(dir.file("a.TV")), 1);

    CSlideCalcData back;
    ASSERT_EQ(back.ReadDataFile(dir.file("a.TV")), 1);
    EXPECT_EQ(back.residualThrust[3], 0.0f);
    back.residualThrust = item.residualThrust;
    EXPECT_TRUE(back == item);
    EXPECT_EQ(back.name(), "K12+350 滑坡断面 一");
    EXPECT_EQ(back.fileName(), dir.file("a.TV"));

    // A segment with 3 point loads is followed by exactly 3 load lines.
    std::vector<std::string> lines = linesOf(gbkToUtf8(readBytes(dir.file("a.TV"))));
    EXPECT_EQ(lines[12], "5.00000,6.00000,3,10.000000,20.000000");
    EXPECT_EQ(lines[14], "2.50000,-40.00000,125.50000");
    EXPECT_EQ(lines[16], "5.00000,0.00000,0,10.000000,20.000000");
    // The description is stored in GBK on disk.
    EXPECT_NE(readBytes(dir.file("a.TV")).find(utf8ToGbk("滑坡断面")), std::string::npos);
}

TEST(DataFile, Utf8FileReadsAsWellAsGbk) {
    CSlideCalcData item;
    item.setName("抗滑桩 验算");
    item.gamma = 20.5f;
    std::string utf8 = gbkToUtf8(item.FormatDataFile());
    TempDir dir;
    writeBytes(dir.file("u.dat"), "\xEF\xBB\xBF" + utf8);
    CSlideCalcData back;
    ASSERT_EQ(back.ReadDataFile(dir.file("u.dat")), 1);
    EXPECT_EQ(back.name(), "抗滑桩 验算");
    EXPECT_EQ(back.gamma, 20.5f);
}

TEST(DataFile, CountsKeepTheElementsBeyondThem) {
    CSlideCalcData item;
    item.slipCount = 8;
    EXPECT_EQ(item.slip[6].dx, 1.0f);
    EXPECT_EQ(item.slip[7].phi, 20.0f);
    item.slip[6].dx = 3.5f;
    item.slipCount = 6;
    CSlideCalcData back = parse(gbkToUtf8(item.FormatDataFile()));
    // The file holds only 6 segments; the record read into keeps its own 7th.
    EXPECT_EQ(back.slipCount, 6);
    item.slipCount = 8;
    EXPECT_EQ(item.slip[6].dx, 3.5f);
}

TEST(DataFile, ControlLineIsBroughtIntoRangeAndCountsHeldToTheirLimits) {
    CSlideCalcData item;
    std::vector<std::string> lines = linesOf(gbkToUtf8(item.FormatDataFile()));
    lines[1] = "5,7,-2,500.0";
    lines[3] = "1000000000,-5,4,15,16,-1";
    CSlideCalcData d = parse(joinLines(lines, lines.size()));
    EXPECT_EQ(d.goal, 1);
    EXPECT_EQ(d.designTarget, 2);
    EXPECT_EQ(d.checkTarget, 0);
    EXPECT_EQ(d.slopeLength, 500.0f);
    EXPECT_EQ(d.slipCount, 100);
    EXPECT_EQ(d.slopeCount, -5);  // negative counts stand as they are and read no blocks
}

TEST(DataFile, WriterHoldsCountsToTheirLimitsBeforeTheBlocks) {
    CSlideCalcData item;
    item.slope[0].loadCount = 12;
    item.layerCount = 25;
    item.pileRows = 30;
    item.pileKindCount = 150;
    item.unloadCount = 9;
    item.slipCount = -5;
    std::string text = gbkToUtf8(item.FormatDataFile());
    EXPECT_EQ(item.slope[0].loadCount, 10);
    EXPECT_EQ(item.layerCount, 20);
    EXPECT_EQ(item.pileRows, 20);
    EXPECT_EQ(item.pileKindCount, 100);
    EXPECT_EQ(item.unloadCount, 3);
    EXPECT_EQ(item.slipCount, -5);
    CSlideCalcData back = parse(text);
    EXPECT_EQ(back.slope[0].loadCount, 10);
    EXPECT_EQ(back.slipCount, -5);
    EXPECT_TRUE(back.slope == item.slope);
    EXPECT_EQ(back.pileKindCount, 100);
    EXPECT_EQ(back.unloadSegs[2], item.unloadSegs[2]);
}

TEST(DataFile, ForeignOrMissingFileLeavesTheRecordUntouched) {
    TempDir dir;
    CSlideCalcData item;
    item.gamma = 33.0f;
    CSlideCalcData before = item;
    EXPECT_EQ(item.ReadDataFile(dir.file("missing.TV")), 0);
    writeBytes(dir.file("foreign.TV"), "SOME_OTHER_MARK\n1,1,1,1\n");
    EXPECT_EQ(item.ReadDataFile(dir.file("foreign.TV")), 0);
    writeBytes(dir.file("empty.TV"), "");
    EXPECT_EQ(item.ReadDataFile(dir.file("empty.TV")), 0);
    EXPECT_EQ(item.ReadDataFile(dir.path()), 0);  // a directory
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
    std::vector<std::string> lines = linesOf(gbkToUtf8(item.FormatDataFile()));
    for (size_t n = 1; n <= lines.size(); ++n) {
        int result = 0;
        CSlideCalcData d = parse(joinLines(lines, n), &result);
        EXPECT_EQ(result, 1) << "cut after line " << n;
        // What was read is right; what was not keeps the defaults.
        if (n >= 4) {
            EXPECT_EQ(d.slipCount, 6);
        }
        EXPECT_EQ(d.unloadYRange.step, 1.0f);
    }
}

TEST(DataFile, CommentsAndHostileValuesAreHandled) {
    CSlideCalcData item;
    std::vector<std::string> lines = linesOf(gbkToUtf8(item.FormatDataFile()));
    lines[2] = "nan,inf,-inf," + lines[2].substr(lines[2].find(",1,"));
    lines.insert(lines.begin() + 2, "   // a comment between data lines");
    lines[4].append(10000, '7');  // a 10,000-character counts line
    CSlideCalcData d = parse(joinLines(lines, lines.size()));
    EXPECT_TRUE(std::isnan(d.gamma));
    EXPECT_TRUE(std::isinf(d.gammaSat));
    EXPECT_LT(d.thrustSafetyFactor, 0.0f);
    EXPECT_EQ(d.useSeepage, 1);
    EXPECT_EQ(d.slipCount, 6);
    EXPECT_EQ(d.slopeCount, 9);
    EXPECT_EQ(d.slip[0].dx, 20.0f);
}

TEST(DataFile, RandomBytesNeverCrashTheReader) {
    std::mt19937 rng(12345);
    std::uniform_int_distribution<int> byte(0, 255), len(0, 4000);
    for (int round = 0; round < 200; ++round) {
        std::string junk(len(rng), '\0');
        for (char& c : junk) c = static_cast<char>(byte(rng));
        if (round % 2) junk = "BIANPO_TALVORN_V10\n" + junk;
        CSlideCalcData d;
        LineReader in(decodeFileText(junk));
        d.ParseDataFile(in);
        EXPECT_LE(d.slipCount, 100);
        EXPECT_LE(d.pileKindCount, 100);
        EXPECT_LE(d.unloadCount, 3);
        EXPECT_LE(d.layerCount, 20);
        EXPECT_LE(d.pileRows, 20);
    }
}

TEST(DataFile, FailedWriteKeepsThePreviousFileByteForByte) {
    TempDir dir;
    CSlideCalcData item;
    ASSERT_EQ(item.WriteDataFile(dir.file("k.TV")), 1);
    std::string before = readBytes(dir.file("k.TV"));
    item.gamma = 99.0f;
    FailingWriter full;
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
