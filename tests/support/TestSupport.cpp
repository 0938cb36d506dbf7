#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

void expectSameAsFile(const std::string& actual, const std::string& path) {
    const std::string expected = readBytes(path);
    ASSERT_FALSE(expected.empty()) << "missing " << path;
    if (actual != expected) writeBytes(path + ".out", actual);
    EXPECT_EQ(actual, expected) << "actual text written to " << path << ".out";
}

size_t occurrences(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

void expectWithin(double fraction, double actual, double expected, const std::string& what) {
    EXPECT_NEAR(actual, expected, fraction * std::fabs(expected))
        << what << ": expected " << expected << ", got " << actual;
}

std::optional<std::string> pdfText(const std::string& pdfPath) {
    if (std::system("command -v pdftotext >/dev/null") != 0) return std::nullopt;
    const std::string text = pdfPath + ".txt";
    const std::string cmd = "pdftotext -layout '" + pdfPath + "' '" + text + "'";
    EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
    return readBytes(text);
}
