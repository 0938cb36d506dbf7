// Line-by-line reading of data files: line ends, comment lines and GBK files.
#include "platform/LineReader.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

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

// GBK files are read as UTF-8. Whatever is given as a file, reading ends at
// once: a directory, a device that never ends, a pipe nobody writes to (whose
// open would block), and a file larger than the reader's limit (a sparse one
// of 3 GiB costs no disk) are refused with the reason, naming the size; a file
// at the limit is read.
TEST(LineReader, ReadsGbkAndOnlyRegularFilesUpToTheLimitAndSaysWhyNot) {
    TempDir dir;
    writeBytes(dir.file("g.txt"), "\xBC\xC6\xCB\xE3\n");  // 计算 in GBK
    auto in = LineReader::fromFile(dir.file("g.txt"));
    ASSERT_TRUE(in);
    std::string line;
    ASSERT_TRUE(in->nextLine(line));
    EXPECT_EQ(line, "计算");
    EXPECT_FALSE(LineReader::fromFile(dir.file("none.txt")));
    EXPECT_FALSE(LineReader::fromFile(dir.path()));
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
    writeBytes(dir.file("sparse"), "");
    ASSERT_EQ(::truncate(dir.file("sparse").c_str(), 3LL << 30), 0);
    writeBytes(dir.file("small"), std::string(1000, 'x'));
    const std::pair<std::string, std::string> refused[] = {
        {dir.path(), "不是普通文件"},
        {"/dev/zero", "不是普通文件"},
        {dir.file("pipe"), "不是普通文件"},
        {dir.file("sparse"), "文件有 3.0 GB, 超过上限 16.0 MB, 未读入"},
    };
    for (const auto& [path, reason] : refused) {
        std::string why;
        EXPECT_FALSE(readFileBytes(path, 16 << 20, &why)) << path;
        EXPECT_NE(why.find(reason), std::string::npos) << path << ": " << why;
        EXPECT_FALSE(LineReader::fromFile(path, 16 << 20, nullptr)) << path;
    }
    std::string why;
    EXPECT_FALSE(readFileBytes(dir.file("small"), 999, &why));
    EXPECT_EQ(why, "文件有 1000 字节, 超过上限 999 字节, 未读入");
    why.clear();
    EXPECT_EQ(readFileBytes(dir.file("small"), 1000, &why), std::string(1000, 'x'));
    EXPECT_FALSE(readFileBytes(dir.file("none"), 1000, &why));
    EXPECT_EQ(why, "");  // a missing file needs no reason of ours
}
