// Data-file lines written and read through a printf-style format and its fields.
#include "platform/FieldLine.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <tuple>

TEST(FieldLine, WritesEachConversionAsPrintfDoes) {
    int i = -3;
    float f = 2.5f, g = 1.0f / 3.0f;
    EXPECT_EQ(formatFields("%d,%f,%.5f\n", {&i, &f, &g}), "-3,2.500000,0.33333\n");
    std::string s = "钢轨";
    EXPECT_EQ(formatFields("%s|%d%%", {&s, &i}), "钢轨|-3%");
}

TEST(FieldLine, ReadsIntegersAsStrtolAndFloatsAsStrtofAndTextToTheNextComma) {
    int a = 7, b = 7;
    float x = 7, y = 7;
    EXPECT_EQ(scanFields("1.5, 2,3.25e1,nan", "%d,%d,%f,%f\n", {&a, &b, &x, &y}), 4);
    EXPECT_EQ(a, 1);  // "1.5" as strtol reads it
    EXPECT_EQ(b, 2);  // a leading blank is skipped
    EXPECT_FLOAT_EQ(x, 32.5f);
    EXPECT_EQ(y, 0.0f);  // no usable number: 0, as a table cell reads it
    for (const char* unusable : {"-INF", "+Infinity", "NaN(1)", "1e39", "-1e39"}) {
        y = 7;
        EXPECT_EQ(scanFields(unusable, "%f", {&y}), 1) << unusable;
        EXPECT_EQ(y, 0.0f) << unusable;
    }
    // "0.1" is correctly rounded to the nearest float.
    EXPECT_EQ(scanFields("0.1", "%f", {&x}), 1);
    EXPECT_EQ(x, 0.1f);
    std::string id, type;
    EXPECT_EQ(scanFields("3,Z 3,钢轨,43", "%d,%s,%s,%f\n", {&a, &id, &type, &x}), 4);
    EXPECT_EQ(std::tie(a, id, type), std::tuple(3, "Z 3", "钢轨"));
    EXPECT_FLOAT_EQ(x, 43.0f);
}

// Scanning stops at the first value that cannot be read, and a short line
// leaves the rest unchanged; integers that do not fit an int saturate.
TEST(FieldLine, StopsAtTheFirstValueThatCannotBeReadAndSaturatesIntegers) {
    const struct {
        const char* line;
        int read, a, b, c;
    } cases[] = {{"1,,3", 1, 1, 7, 7},
                 {"4,x,6", 1, 4, 7, 7},
                 {"", 0, 7, 7, 7},
                 {"9", 1, 9, 7, 7},
                 {"99999999999999999999,-99999999999", 2, INT_MAX, INT_MIN, 7}};
    for (const auto& c : cases) {
        int a = 7, b = 7, d = 7;
        EXPECT_EQ(scanFields(c.line, "%d,%d,%d", {&a, &b, &d}), c.read) << c.line;
        EXPECT_EQ(std::tuple(a, b, d), std::tuple(c.a, c.b, c.c)) << c.line;
    }
}

TEST(FieldLine, NextValueScannerTakesSuccessiveValuesOfOneLine) {
    NextValueScanner scan;
    float v[4] = {9, 9, 9, 9};
    scan.sscanf_next_begin();
    const char* line = "1.000000,0.500000,abc,4.0,";
    EXPECT_EQ(scan.sscanf_next(line, "%f", &v[0]), 1);
    EXPECT_EQ(scan.sscanf_next(line, "%f", &v[1]), 1);
    EXPECT_EQ(scan.sscanf_next(line, "%f", &v[2]), 0);
    EXPECT_EQ(scan.sscanf_next(line, "%f", &v[3]), 0);  // scanning stopped at "abc"
    EXPECT_EQ(std::tuple(v[0], v[1], v[2], v[3]), std::tuple(1.0f, 0.5f, 9.0f, 9.0f));
    // Past the trailing comma there is nothing more to read.
    scan.sscanf_next_begin();
    EXPECT_EQ(scan.sscanf_next("1,", "%f", &v[0]), 1);
    EXPECT_EQ(scan.sscanf_next("1,", "%f", &v[1]), 0);
}
