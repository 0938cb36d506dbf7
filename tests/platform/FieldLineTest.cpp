#include "platform/FieldLine.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

TEST(FieldLine, WritesEachConversionAsPrintfDoes) {
    int i = -3;
    float f = 2.5f;
    float g = 1.0f / 3.0f;
    EXPECT_EQ(formatFields("%d,%f,%.5f\n", {&i, &f, &g}), "-3,2.500000,0.33333\n");
    std::string s = "钢轨";
    EXPECT_EQ(formatFields("%s|%d%%", {&s, &i}), "钢轨|-3%");
}

TEST(FieldLine, ReadsIntegersAsStrtolAndFloatsAsStrtof) {
    int a = 7, b = 7;
    float x = 7, y = 7;
    EXPECT_EQ(scanFields("1.5, 2,3.25e1,nan", "%d,%d,%f,%f\n", {&a, &b, &x, &y}), 4);
    EXPECT_EQ(a, 1);  // "1.5" as strtol reads it
    EXPECT_EQ(b, 2);  // a leading blank is skipped
    EXPECT_FLOAT_EQ(x, 32.5f);
    EXPECT_TRUE(std::isnan(y));
    // "0.1" is correctly rounded to the nearest float.
    EXPECT_EQ(scanFields("0.1", "%f", {&x}), 1);
    EXPECT_EQ(x, 0.1f);
}

TEST(FieldLine, StopsAtTheFirstValueThatCannotBeRead) {
    int a = 7, b = 7, c = 7;
    EXPECT_EQ(scanFields("1,,3", "%d,%d,%d", {&a, &b, &c}), 1);
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 7);
    EXPECT_EQ(c, 7);
    EXPECT_EQ(scanFields("4,x,6", "%d,%d,%d", {&a, &b, &c}), 1);
    EXPECT_EQ(c, 7);
    EXPECT_EQ(scanFields("", "%d", {&a}), 0);
    EXPECT_EQ(a, 4);
    // A short line leaves the rest unchanged.
    EXPECT_EQ(scanFields("9", "%d,%d,%d", {&a, &b, &c}), 1);
    EXPECT_EQ(a, 9);
    EXPECT_EQ(b, 7);
}

TEST(FieldLine, SaturatesIntegersThatDoNotFitAnInt) {
    int a = 0, b = 0;
    EXPECT_EQ(scanFields("99999999999999999999,-99999999999", "%d,%d", {&a, &b}), 2);
    EXPECT_EQ(a, INT_MAX);
    EXPECT_EQ(b, INT_MIN);
}

TEST(FieldLine, TextFieldsRunToTheNextComma) {
    int n = 0;
    std::string id, type;
    float size = 0;
    EXPECT_EQ(scanFields("3,Z 3,钢轨,43", "%d,%s,%s,%f\n", {&n, &id, &type, &size}), 4);
    EXPECT_EQ(id, "Z 3");
    EXPECT_EQ(type, "钢轨");
    EXPECT_FLOAT_EQ(size, 43.0f);
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
    EXPECT_EQ(v[0], 1.0f);
    EXPECT_EQ(v[1], 0.5f);
    EXPECT_EQ(v[2], 9.0f);
    EXPECT_EQ(v[3], 9.0f);
    // Past the trailing comma there is nothing more to read.
    scan.sscanf_next_begin();
    const char* shortLine = "1,";
    EXPECT_EQ(scan.sscanf_next(shortLine, "%f", &v[0]), 1);
    EXPECT_EQ(scan.sscanf_next(shortLine, "%f", &v[1]), 0);
}
