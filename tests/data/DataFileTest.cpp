#include "data/CSlideCalcData.h"
#include "platform/LineReader.h"
#include "platform/TextEncoding.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    return lines;
}

}  // namespace

TEST(DataFile, DefaultItemHasTheWorkedExampleLayout) {
    CSlideCalcData item;
    std::vector<std::string> lines = linesOf(gbkToUtf8(item.FormatDataFile()));
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[0], "BIANPO_TALVORN_V10");
    EXPECT_EQ(lines[1], "0,0,0,500.000000");
    EXPECT_EQ(lines[3], "6,9,4,15.000000,16.000000,-1.000000");
    EXPECT_EQ(lines[4], "20.00000,2.00000,0,10.000000,20.000000");
}
