#include "platform/LineReader.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

TEST(LineReader, DeliversWholeLinesWithoutTheirLineEnds) {
    std::string longLine(10000, 'x');
    LineReader in("a\r\n\n" + longLine + "\nlast");
    std::string line;
    ASSERT_TRUE(in.nextLine(line));
    EXPECT_EQ(line, "a");
    ASSERT_TRUE(in.nextLine(line));
    EXPECT_EQ(line, "");  // a blank line is a line
    ASSERT_TRUE(in.nextLine(line));
    EXPECT_EQ(line.size(), 10000u);
    ASSERT_TRUE(in.nextLine(line));
    EXPECT_EQ(line, "last");
    EXPECT_FALSE(in.nextLine(line));
}

TEST(LineReader, SkipsCommentLinesButNotBlankOnes) {
    LineReader in("// head\n  \t// indented\n\n1,2\n /x\n");
    std::string line;
    ASSERT_EQ(fgets_skip_comment(in, line), 1);
    EXPECT_EQ(line, "");
    ASSERT_EQ(fgets_skip_comment(in, line), 1);
    EXPECT_EQ(line, "1,2");
    ASSERT_EQ(fgets_skip_comment(in, line), 1);
    EXPECT_EQ(line, " /x");
    EXPECT_EQ(fgets_skip_comment(in, line), 0);
    EXPECT_EQ(line, "");
}

TEST(LineReader, ReadsGbkFilesAsUtf8) {
    TempDir dir;
    writeBytes(dir.file("g.txt"), "\xBC\xC6\xCB\xE3\n");  // 计算 in GBK
    auto in = LineReader::fromFile(dir.file("g.txt"));
    ASSERT_TRUE(in);
    std::string line;
    ASSERT_TRUE(in->nextLine(line));
    EXPECT_EQ(line, "计算");
    EXPECT_FALSE(LineReader::fromFile(dir.file("none.txt")));
    EXPECT_FALSE(LineReader::fromFile(dir.path()));
}
