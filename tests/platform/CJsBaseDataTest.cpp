// The calculation-book base: the mark line, limits of the result views at a
// data file's tail (their round trip is the data file's test), and the
// removal of the result files.
#include "platform/CJsBaseData.h"

#include "platform/LineReader.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(CJsBaseData, MarkMustBeTheFirstLine) {
    std::string out;
    CJsBaseData::SetBiaoShi(out, "MARK_V1");
    EXPECT_EQ(out, "MARK_V1\n");
    LineReader ok("\xEF\xBB\xBFMARK_V1 \t\r\nnext");
    EXPECT_EQ(CJsBaseData::CheckBiaoShi(ok, "MARK_V1"), 1);
    std::string line;
    ok.nextLine(line);
    EXPECT_EQ(line, "next");
    LineReader late("// comment\nMARK_V1\n");
    EXPECT_EQ(CJsBaseData::CheckBiaoShi(late, "MARK_V1"), 0);
    LineReader prefix("MARK_V10\n");
    EXPECT_EQ(CJsBaseData::CheckBiaoShi(prefix, "MARK_V1"), 0);
}

TEST(CJsBaseData, AtMostFiftyResultViewsAreTaken) {
    std::string text = "##Name,n\n";
    for (int i = 0; i < 60; ++i) text += "##ChaXun,t" + std::to_string(i) + ",d,r\n";
    LineReader in(text);
    CJsBaseData back;
    back.LoadData(in);
    EXPECT_EQ(back.resultCount(), 50);
    EXPECT_EQ(back.result(49).title, "t49");
    // A short line and a line break in a description do not break the file.
    LineReader shortLines("##Name\n##ChaXun,only\n");
    back.LoadData(shortLines);
    EXPECT_EQ(back.name(), "");
    EXPECT_EQ(back.result(0).title, "only");
    back.setName("a\nb");
    std::string out;
    back.SaveData(out);
    EXPECT_EQ(out.substr(0, out.find('\n')), "##Name,a b");
}

TEST(CJsBaseData, RemovesTheResultFilesOfEveryView) {
    TempDir dir;
    for (const char* name : {"a_TLVR_JT.DXF", "a_TLVR.RTF", "keep.DAT"})
        writeBytes(dir.file(name), "x");
    CJsBaseData base;
    base.setResult(0, {"计算简图", "a_TLVR_JT.DXF", "a_TLVR.RTF"});
    base.setResult(1, {"计算结果", "a_TLVR_JG.DXF", "a_TLVR.RTF"});  // never written
    base.Remove_Result_Files(dir.path());
    EXPECT_FALSE(std::filesystem::exists(dir.file("a_TLVR_JT.DXF")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("a_TLVR.RTF")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("keep.DAT")));
}
