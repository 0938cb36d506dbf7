#include "project/CProjectInfo.h"

#include "platform/TextEncoding.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

std::time_t localTime(int year, int month, int day, int h, int m, int s) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = h;
    t.tm_min = m;
    t.tm_sec = s;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

}  // namespace

TEST(ProjectInfo, DefaultsCarryTheDesignTimeAndTheGivenPath) {
    CProjectInfo info = CProjectInfo::Defaults("/data/slope/", localTime(2026, 3, 7, 9, 5, 2));
    EXPECT_EQ(info.name, "****工程Talvor设计计算");
    EXPECT_EQ(info.number, "990001");
    EXPECT_EQ(info.designTime, "2026年3月7日 09:05:02");
    EXPECT_EQ(info.workPath, "/data/slope/");
    EXPECT_EQ(info.industry, 0);
    // Two-digit years from 90 on stand as they are.
    EXPECT_EQ(FormatDesignTime(localTime(1995, 12, 31, 23, 59, 58)), "95年12月31日 23:59:58");
    EXPECT_EQ(FormatDesignTime(localTime(2089, 1, 1, 0, 0, 0)), "2089年1月1日 00:00:00");
}

TEST(ProjectInfo, IndustryIsHeldToTheListAndAnEmptyLineIsTheFirst) {
    CProjectInfo info;
    info.ParseInfoText("甲工程\n12\n2026年1月1日 10:00:00\n7\n");
    EXPECT_EQ(info.industry, 3);
    info.ParseInfoText("甲工程\n12\n2026年1月1日 10:00:00\n-1\n");
    EXPECT_EQ(info.industry, 0);
    info.industry = 2;
    info.ParseInfoText("甲工程\n12\n2026年1月1日 10:00:00\n\n");
    EXPECT_EQ(info.industry, 0);
    info.industry = 2;
    info.ParseInfoText("甲工程\n12\n2026");
    EXPECT_EQ(info.industry, 0);
    EXPECT_EQ(info.designTime, "2026");
    info.ParseInfoText("a\nb\nc\n99999999999999999999\n");
    EXPECT_EQ(info.industry, 3);
    info.ParseInfoText("a\nb\nc\n2\n");
    EXPECT_EQ(info.industry, 2);
}

TEST(ProjectInfo, EmptyLinesGiveEmptyFields) {
    CProjectInfo info;
    info.ParseInfoText("\n\n\n1\n");
    EXPECT_EQ(info.name, "");
    EXPECT_EQ(info.number, "");
    EXPECT_EQ(info.designTime, "");
    EXPECT_EQ(info.industry, 1);
    info.ParseInfoText("");
    EXPECT_EQ(info.name, "");
    EXPECT_EQ(info.industry, 0);
}

TEST(ProjectInfo, LongLinesAreCutToTheLineBuffer) {
    CProjectInfo info;
    info.ParseInfoText(std::string(400, 'a') + "\n" + std::string(200, 'x') + "\n\n0\n");
    EXPECT_EQ(info.name, std::string(289, 'a'));
    // Chinese text is measured in GBK bytes and never split inside a character.
    std::string wide;
    for (int i = 0; i < 200; ++i) wide += "滑";
    info.ParseInfoText(wide + "\n1\n2\n3\n");
    EXPECT_EQ(gbkWidth(info.name), 288);
    EXPECT_EQ(info.number, "1");
}

TEST(ProjectInfo, FileIsWrittenAsGbkAndReadBack) {
    TempDir dir;
    CProjectInfo info = CProjectInfo::Defaults(dir.path(), localTime(2026, 6, 1, 8, 0, 0));
    info.name = "宝成线K120滑坡";
    info.number = "2026-17";
    info.industry = 1;
    ASSERT_EQ(info.WriteInfoFile(dir.path()), 1);
    std::string bytes = readBytes(dir.file("GCXX.BOX"));
    EXPECT_EQ(bytes, utf8ToGbk("宝成线K120滑坡\n2026-17\n2026年6月1日 08:00:00\n1\n"));
    CProjectInfo read;
    read.workPath = dir.path();
    ASSERT_EQ(read.ReadInfoFile(dir.path()), 1);
    EXPECT_EQ(read, info);
}

TEST(ProjectInfo, UnixOrWindowsLineEndsAndUtf8AreAccepted) {
    TempDir dir;
    writeBytes(dir.file("gcxx.box"), "工程\r\n7\r\nt\r\n2\r\n");
    CProjectInfo info;
    ASSERT_EQ(info.ReadInfoFile(dir.path()), 1);
    EXPECT_EQ(info.name, "工程");
    EXPECT_EQ(info.number, "7");
    EXPECT_EQ(info.industry, 2);
}

TEST(ProjectInfo, MissingFileLeavesTheFields) {
    TempDir dir;
    CProjectInfo info;
    info.name = "kept";
    EXPECT_EQ(info.ReadInfoFile(dir.path() + "nowhere"), 0);
    EXPECT_EQ(info.ReadInfoFile(dir.path()), 0);
    EXPECT_EQ(info.name, "kept");
    EXPECT_EQ(info.WriteInfoFile(dir.path() + "nowhere/deeper"), 0);
}

TEST(ProjectInfo, ALineBreakInAFieldDoesNotShiftTheLines) {
    CProjectInfo info;
    info.name = "a\nb";
    info.industry = 2;
    CProjectInfo read;
    read.ParseInfoText(info.FormatInfoText());
    EXPECT_EQ(read.name, "a b");
    EXPECT_EQ(read.industry, 2);
}
