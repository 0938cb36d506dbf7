#include "project/CProjectInfo.h"

#include "platform/TextEncoding.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::time_t localTime(const char* when) {
    std::tm t{};
    strptime(when, "%Y-%m-%d %H:%M:%S", &t);
    t.tm_isdst = -1;
    return std::mktime(&t);
}

std::string fields(const CProjectInfo& i) {
    return i.name + "|" + i.number + "|" + i.designTime + "|" + i.workPath + "|" +
           std::to_string(i.industry);
}

}  // namespace

TEST(ProjectInfo, DefaultsCarryTheDesignTimeAndTheGivenPath) {
    CProjectInfo info = CProjectInfo::Defaults("/data/slope/", localTime("2026-03-07 09:05:02"));
    EXPECT_EQ(fields(info), "****工程Talvor设计计算|990001|2026年3月7日 09:05:02|/data/slope/|0");
    // Two-digit years from 90 on stand as they are.
    EXPECT_EQ(FormatDesignTime(localTime("1995-12-31 23:59:58")), "95年12月31日 23:59:58");
    EXPECT_EQ(FormatDesignTime(localTime("2089-01-01 00:00:00")), "2089年1月1日 00:00:00");
}

TEST(ProjectInfo, IndustryIsClampedToTheListAndEmptyOrLongLinesAreHeldToTheirFields) {
    const std::string a289(289, 'a');
    std::string wide;  // 400 GBK bytes: cut to 288, never inside a character
    for (int i = 0; i < 200; ++i) wide += "滑";
    const struct {
        std::string text, want;
    } cases[] = {
        {"甲\n12\nt\n7\n", "甲|12|t|w|3"},
        {"甲\n12\nt\n-1\n", "甲|12|t|w|0"},
        {"甲\n12\nt\n\n", "甲|12|t|w|0"},
        {"甲\n12\n2026", "甲|12|2026|w|0"},
        {"a\nb\nc\n99999999999999999999\n", "a|b|c|w|3"},
        {"a\nb\nc\n2\n", "a|b|c|w|2"},
        {"\n\n\n1\n", "|||w|1"},
        {"", "|||w|0"},
        {std::string(400, 'a') + "\n" + std::string(200, 'x') + "\n\n0\n",
         a289 + "|" + std::string(200, 'x') + "||w|0"},
        {wide + "\n1\n2\n3\n", wide.substr(0, 144 * 3) + "|1|2|w|3"},
    };
    for (const auto& c : cases) {
        CProjectInfo info{"old", "old", "old", "w", 2};
        info.ParseInfoText(c.text);
        EXPECT_EQ(fields(info), c.want) << c.text;
    }
}

TEST(ProjectInfo, FileIsWrittenAsGbkAndReadBackWhateverItsCaseLineEndsOrEncoding) {
    TempDir dir;
    CProjectInfo info = CProjectInfo::Defaults(dir.path(), localTime("2026-06-01 08:00:00"));
    info.name = "宝成线K120滑坡";
    info.number = "2026-17";
    info.industry = 1;
    CProjectInfo read = info;
    read.name = "kept";  // a missing file or directory leaves the fields
    EXPECT_EQ(read.ReadInfoFile(dir.path()), 0);
    EXPECT_EQ(read.ReadInfoFile(dir.path() + "nowhere"), 0);
    EXPECT_EQ(read.name, "kept");
    EXPECT_EQ(info.WriteInfoFile(dir.path() + "nowhere/deeper"), 0);
    ASSERT_EQ(info.WriteInfoFile(dir.path()), 1);
    EXPECT_EQ(readBytes(dir.file("GCXX.BOX")),
              utf8ToGbk("宝成线K120滑坡\n2026-17\n2026年6月1日 08:00:00\n1\n"));
    ASSERT_EQ(read.ReadInfoFile(dir.path()), 1);
    EXPECT_EQ(read, info);
    std::filesystem::remove(dir.file("GCXX.BOX"));
    writeBytes(dir.file("gcxx.box"), "工程\r\n7\r\nt\r\n2\r\n");
    ASSERT_EQ(read.ReadInfoFile(dir.path()), 1);
    EXPECT_EQ(fields(read), "工程|7|t|" + dir.path() + "|2");
    // A line break inside a field does not shift the lines.
    info.name = "a\nb";
    read.ParseInfoText(info.FormatInfoText());
    EXPECT_EQ(read.name, "a b");
    EXPECT_EQ(read.industry, 1);
}
