#include "rebar/RebarSettings.h"

#include "platform/InputDiagnostics.h"
#include "platform/RebarSettingsFile.h"
#include "platform/TextEncoding.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

TEST(RebarSettings, AbsentFileGivesDefaultsWithoutComplaint) {
    TempDir dir;
    InputDiagnostics diagnostics;
    const RebarSettings s = ReadRebarSettings(dir.file("none.PJ"), diagnostics);
    EXPECT_EQ(s, RebarSettings{});
    EXPECT_TRUE(diagnostics.empty());
}

TEST(RebarSettings, WrittenSettingsReadBackInGbk) {
    TempDir dir;
    RebarSettings s;
    ASSERT_TRUE(SetRebarSetting(s, "bar", "hrb500", nullptr));
    ASSERT_TRUE(SetRebarSetting(s, "cover", "75", nullptr));
    ASSERT_TRUE(SetRebarSetting(s, "gamma0", "1.1", nullptr));
    ASSERT_TRUE(SetRebarSetting(s, "price", "5200.5", nullptr));
    ASSERT_TRUE(WriteRebarSettings(dir.file("a.PJ"), s));
    const std::string bytes = readBytes(dir.file("a.PJ"));
    EXPECT_FALSE(isValidUtf8(bytes));  // the Chinese comments are GBK on disk
    InputDiagnostics diagnostics;
    EXPECT_EQ(ReadRebarSettings(dir.file("a.PJ"), diagnostics), s);
    EXPECT_TRUE(diagnostics.empty());
    EXPECT_EQ(s.bar, "HRB500");
}

// Each damaged file: what is read, and which line and key are told.
TEST(RebarSettings, DamagedFilesAreToldLineByLineAndKeepTheRest) {
    struct Row {
        const char* text;
        int line;
        const char* key;
        double cover;  // what the cover comes out as
    } rows[] = {
        {"cover=80\ngamma0=abc\n", 2, "gamma0", 80},
        {"cover=8000\n", 1, "cover", 60},
        {"cover=nan\n", 1, "cover", 60},
        {"cover=7O\n", 1, "cover", 60},
        {"bar=HRB999\ncover=70", 1, "bar", 70},
        {"// 注释\n\nno equals sign\ncover=65\n", 3, "", 65},
        {"=5\ncover=90\n", 1, "", 90},
        {"colour=red\n", 1, "colour", 60},
        {"cover=70\r\nmin_clear=1\r\n", 2, "min_clear", 70},
        {"\xff\xfe\x01garbage\ncover=66\n", 1, "", 66},
    };
    TempDir dir;
    for (const Row& r : rows) {
        writeBytes(dir.file("d.PJ"), std::string(r.text, std::char_traits<char>::length(r.text)));
        InputDiagnostics diagnostics;
        const RebarSettings s = ReadRebarSettings(dir.file("d.PJ"), diagnostics);
        ASSERT_EQ(diagnostics.size(), 1u) << r.text;
        const InputDiagnostic& d = diagnostics.items().front();
        EXPECT_EQ(d.line, r.line) << r.text;
        EXPECT_EQ(d.field, r.key) << r.text;
        EXPECT_NE(diagnostics.text(d).find(dir.file("d.PJ")), std::string::npos);
        EXPECT_EQ(s.cover, r.cover) << r.text;
    }
    // A line without "=" is found before the values are checked; it is still
    // told in its place among the faulty values.
    writeBytes(dir.file("d.PJ"), "cover=abc\ngamma0\nfoo=1\n");
    InputDiagnostics diagnostics;
    ReadRebarSettings(dir.file("d.PJ"), diagnostics);
    std::vector<int> lines;
    for (const InputDiagnostic& d : diagnostics.items()) lines.push_back(d.line);
    EXPECT_EQ(lines, (std::vector<int>{1, 2, 3}));
}

TEST(RebarSettings, CopyFollowsTheItemWhateverTheLetterCaseOnDisk) {
    TempDir dir;
    writeBytes(dir.file("&TLVR_0001.DAT"), "x");
    writeBytes(dir.file("Talvor_0003.DAT"), "x");
    EXPECT_EQ(RebarSettingsPathOf(dir.file("&TLVR_0001.DAT")), dir.file("&TLVR_0001.PJ"));
    // Found whatever the letter case on disk.
    writeBytes(dir.file("&tlvr_0001.pj"), "cover=70\n");
    EXPECT_EQ(RebarSettingsPathOf(dir.file("&TLVR_0001.DAT")), dir.file("&tlvr_0001.pj"));
    ASSERT_TRUE(CopyRebarSettings(dir.file("&TLVR_0001.DAT"), dir.file("Talvor_0003.DAT")));
    EXPECT_EQ(readBytes(dir.file("Talvor_0003.PJ")), "cover=70\n");
    // That a source without settings clears the target's is held by the
    // template tests, which store an item without settings over a freed number.
}
