// talvor-cli calc: result files, report text on stdout, exit statuses, and an
// item file that is only read.
#include "data/CSlideCalcData.h"
#include "platform/TextEncoding.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

#ifdef TALVOR_CLI
// Runs the command line with its output in files; returns the exit status.
int cli(const std::string& args, const TempDir& dir) {
    const std::string cmd = std::string("'") + TALVOR_CLI + "' " + args + " >'" +
                            dir.file("stdout") + "' 2>'" + dir.file("stderr") + "'";
    const int status = std::system(cmd.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif

std::string writeItem(const TempDir& dir, const std::string& name, int checkTarget) {
    CSlideCalcData item;
    item.checkTarget = checkTarget;
    item.setName("算例");
    const std::string path = dir.file(name);
    EXPECT_EQ(item.WriteDataFile(path), 1);
    return path;
}

}  // namespace

TEST(CalcCommand, SuccessfulRunWritesTheReportBesideTheItemAndLeavesTheItemAlone) {
#ifndef TALVOR_CLI
    GTEST_SKIP() << "talvor-cli is not built";
#else
    TempDir dir;
    const std::string item = writeItem(dir, "slope.TV", 1);
    const std::string before = readBytes(item);
    const auto stamp = std::filesystem::last_write_time(item);
    EXPECT_EQ(cli("calc '" + item + "'", dir), 0);
    EXPECT_EQ(readBytes(item), before);
    EXPECT_EQ(std::filesystem::last_write_time(item), stamp);
    const std::string report = readBytes(dir.file("slope_TLVR.RTF"));
    EXPECT_NE(gbkToUtf8(report).find("计算项目： 算例\n"), std::string::npos);
    EXPECT_TRUE(readBytes(dir.file("stdout")).empty());
    EXPECT_NE(readBytes(dir.file("stderr")).find("201"), std::string::npos);
#endif
}

TEST(CalcCommand, TextPrintsTheReportAsUtf8AndOutPutsTheFilesElsewhere) {
#ifndef TALVOR_CLI
    GTEST_SKIP() << "talvor-cli is not built";
#else
    TempDir dir;
    const std::string item = writeItem(dir, "slope.TV", 1);
    EXPECT_EQ(cli("calc '" + item + "' --out '" + dir.file("res/deep") + "' --text", dir), 0);
    const std::string report = readBytes(dir.file("res/deep/slope_TLVR.RTF"));
    ASSERT_FALSE(report.empty());
    EXPECT_EQ(readBytes(dir.file("stdout")), gbkToUtf8(report));
    EXPECT_FALSE(std::filesystem::exists(dir.file("slope_TLVR.RTF")));
#endif
}

TEST(CalcCommand, FailedTargetExitsWithOneAndUnreadableItemWithTwo) {
#ifndef TALVOR_CLI
    GTEST_SKIP() << "talvor-cli is not built";
#else
    TempDir dir;
    // A berm design of its position while piles fix that position: the
    // design refuses, the run fails, and its report stays.
    CSlideCalcData refused;
    refused.goal = 1;
    refused.designTarget = 1;
    refused.bermDesignMode = 1;
    refused.usePiles = 1;
    const std::string failing = dir.file("bad.TV");
    ASSERT_EQ(refused.WriteDataFile(failing), 1);
    EXPECT_EQ(cli("calc '" + failing + "'", dir), 1);
    EXPECT_TRUE(std::filesystem::exists(dir.file("bad_TLVR.RTF")));
    EXPECT_NE(readBytes(dir.file("stderr")).find("301"), std::string::npos);

    // Results that cannot be placed: --out names a file, not a directory.
    const std::string good = writeItem(dir, "good.TV", 1);
    EXPECT_EQ(cli("calc '" + good + "' --out '" + failing + "'", dir), 1);

    EXPECT_EQ(cli("calc '" + dir.file("none.TV") + "'", dir), 2);
    writeBytes(dir.file("other.TV"), "NOT_A_TALVOR_FILE\n1,2,3\n");
    EXPECT_EQ(cli("calc '" + dir.file("other.TV") + "'", dir), 2);
    EXPECT_FALSE(std::filesystem::exists(dir.file("other_TLVR.RTF")));
#endif
}
