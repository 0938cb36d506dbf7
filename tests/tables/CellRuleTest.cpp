#include "tables/CellRule.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

using namespace std::string_literals;

TEST(CellRule, TypedTextsParseAsAtofThenMustBeFiniteFloats) {
    struct Case {
        std::string text;
        float expected;
    } cases[] = {
        {"1.5", 1.5f},       {"  -2.25xyz", -2.25f}, {"+3", 3.0f},    {"abc", 0.0f},
        {"", 0.0f},          {"nan", 0.0f},          {"-inf", 0.0f},  {"1e39", 0.0f},
        {"3.4e38", 3.4e38f}, {"0x10", 16.0f},        {"--5", 0.0f},   {"7\0 8"s, 7.0f},
        {"\xb6\xfe", 0.0f},  {".5", 0.5f},           {"1e-50", 0.0f}, {"1,5", 1.0f},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(textToFloat(c.text), c.expected) << "text \"" << c.text << "\"";
    }
    EXPECT_TRUE(std::signbit(textToFloat("-0")));
    for (const char* text : {"-", "-abc", "-.e1", "+", " - 5"})  // a sign alone is no -0
        EXPECT_FALSE(std::signbit(textToFloat(text))) << text;
    EXPECT_EQ(textToFloat(std::string(10000, '9')), 0.0f);
}

TEST(CellRule, TypedCountsParseAsAtoiSaturated) {
    struct Case {
        std::string text;
        int expected;
    } cases[] = {
        {"150", 150},
        {" -7", -7},
        {"12abc", 12},
        {"1e39", 1},
        {"2.9", 2},
        {"abc", 0},
        {"", 0},
        {"99999999999999", INT_MAX},
        {"-99999999999999", INT_MIN},
        {"\0005"s, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(textToInt(c.text), c.expected) << c.text;
}

TEST(CellRule, NumbersShowInTheTableFormats) {
    EXPECT_EQ(realText(0.001f, 3), "0.001");
    EXPECT_EQ(realText(53.130102f, 2), "53.13");
    EXPECT_EQ(realText(-0.0f, 3), "-0.000");
    EXPECT_EQ(intText(-12), "-12");
}
