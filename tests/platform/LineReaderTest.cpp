// Line-by-line reading of data files: line ends, comment lines and GBK files.
#include "platform/LineReader.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

TEST(LineReader, DeliversWholeLinesWithoutTheirLineEndsAndSkipsCommentsButNotBlankLines) {
    const std::string longLine(10000, 'x');
    LineReader in("a\r\n\n" + longLine + "\nlast");
    std::vector<std::string> lines;
    for (std::string line; lines.size() < 9 && in.nextLine(line);) lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "", longLine, "last"}));  // "" is a line
    LineReader commented("// head\n  \t// indented\n\n1,2\n /x\n");
    lines.clear();
    std::string line;
    int r = 0;
    while ((r = fgets_skip_comment(commented, line)) == 1 && lines.size() < 9)
        lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"", "1,2", " /x"}));
    EXPECT_EQ(r, 0);
    EXPECT_EQ(line, "");  // cleared at the end
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
