// Conversion between GBK and UTF-8, UTF-8 validation and GBK display widths.
#include "platform/TextEncoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

TEST(TextEncoding, GbkAndUtf8RoundTripChineseText) {
    const std::string utf8 = "计算项目：滑坡推力 K1+200";
    std::string gbk = utf8ToGbk(utf8);
    EXPECT_EQ(gbk.size(), 9u * 2 + 7);  // nine characters of two bytes, 7 ASCII
    EXPECT_FALSE(isValidUtf8(gbk));
    EXPECT_EQ(gbkToUtf8(gbk), utf8);
    EXPECT_EQ(decodeFileText(gbk), utf8);
    EXPECT_EQ(decodeFileText("\xEF\xBB\xBF" + utf8), utf8);
}

TEST(TextEncoding, BadBytesAreReplacedNotFatalAndMalformedUtf8IsRejected) {
    // A lone lead byte at the end.
    std::string out = gbkToUtf8("ab\x81");
    EXPECT_EQ(out.substr(0, 2), "ab");
    EXPECT_TRUE(isValidUtf8(out));
    // A character GBK cannot hold becomes '?'.
    EXPECT_EQ(utf8ToGbk("x\xF0\x9F\x98\x80y"), "x?y");
    EXPECT_TRUE(isValidUtf8("plain"));
    EXPECT_TRUE(isValidUtf8("矩形"));
    // Overlong, a surrogate, cut off, past U+10FFFF.
    for (const char* bad : {"\xC0\xAF", "\xED\xA0\x80", "\xE7\x9F", "\xF5\x80\x80\x80"})
        EXPECT_FALSE(isValidUtf8(bad)) << bad;
}

TEST(TextEncoding, WidthsCountGbkBytes) {
    EXPECT_EQ(gbkWidth("矩形"), 4);
    EXPECT_EQ(gbkWidth("三角形a"), 7);
    EXPECT_EQ(cutToGbkWidth("钢轨桩ab", 5), "钢轨");
    EXPECT_EQ(cutToGbkWidth("ab钢轨", 3), "ab");
    EXPECT_EQ(cutToGbkWidth("abc", 99), "abc");
}

// The table the WebAssembly build writes GBK with, against glibc's iconv: every
// character of the basic plane, every two-byte code, and random bytes read
// both ways (bad sequences, cut-off ends and the single-byte euro among them).
TEST(TextEncoding, TheGbkTableConvertsAsIconvDoes) {
    std::string everyCharacter, everyCode;
    for (char32_t cp = 1; cp < 0x10000; ++cp)
        if (cp < 0xD800 || cp > 0xDFFF) appendUtf8(everyCharacter, cp);
    for (unsigned code = 0x8000; code <= 0xFFFF; ++code) {
        everyCode += static_cast<char>(code >> 8);
        everyCode += static_cast<char>(code & 0xFF);
        everyCode += ' ';
    }
    // Where two texts first part, not the whole of them.
    const auto firstDifference = [](const std::string& a, const std::string& b) {
        return std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin();
    };
    const std::string written = utf8ToGbk(everyCharacter), read = gbkToUtf8(everyCode);
    EXPECT_EQ(firstDifference(gbkTable::fromUtf8(everyCharacter), written), written.size());
    EXPECT_EQ(firstDifference(gbkTable::toUtf8(everyCode), read), read.size());
    std::mt19937 rng(7);
    for (int i = 0; i < 2000; ++i) {
        std::string bytes(rng() % 40, '\0');
        for (char& c : bytes) c = static_cast<char>(rng() % 3 ? 0x80 | rng() : rng());
        ASSERT_EQ(gbkTable::fromUtf8(bytes), utf8ToGbk(bytes)) << i;
        ASSERT_EQ(gbkTable::toUtf8(bytes), gbkToUtf8(bytes)) << i;
    }
}
