// Diagnostics of the data-file reader: each kind on a small edit of the
// default item, naming line and field; the files we ship and test with have
// none; noting them never changes what is read.
#include "data/CSlideCalcData.h"
#include "platform/InputDiagnostics.h"
#include "platform/LineReader.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>

namespace {

using Lines = std::vector<std::string>;

Lines defaultLines() {
    Lines lines;
    std::istringstream in(readBytes(TALVOR_TEST_DATA "/default_item.TV"));
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    return lines;
}

// The diagnostics of the text, each as told without the file name; checks on
// the way that the reading is the same as without them.
std::vector<std::string> diagnose(const Lines& lines) {
    std::string text;
    for (const std::string& l : lines) text += l + "\n";
    CSlideCalcData plain, noted;
    LineReader a(text), b(text);
    InputDiagnostics diag;
    EXPECT_EQ(plain.ParseDataFile(a), noted.ParseDataFile(b, &diag));
    EXPECT_EQ(plain.FormatDataFile(), noted.FormatDataFile());
    std::vector<std::string> out;
    for (const InputDiagnostic& d : diag.items()) out.push_back(diag.text(d));
    return out;
}

struct Case {
    const char* what;
    std::function<void(Lines&)> edit;  // lines are 0-based here, 1-based in the file
    std::vector<std::string> expected;
    bool more = false;  // a shifted file: only the first ones are listed
};

}  // namespace

TEST(DataFileDiagnostics, EachGuessOfTheReaderIsNamedWithLineFieldAndText) {
    const std::vector<Case> cases = {
        {"typed letter",
         [](Lines& l) { l[2].replace(10, 9, "2l.5"); },
         {" 第 3 行 gammaSat: “2l.5” 不全是数, 读作 2"}},
        {"decimal comma",
         [](Lines& l) { l[2].replace(0, 9, "19,5"); },
         {" 第 3 行 gamma: “19,5” 像是以逗号作小数点, 读作 19, 本行其后的值错位 (本行有 14 个值, "
          "应有 13 个)"}},
        {"missing value",
         [](Lines& l) { l[1] = "0,,0,500"; },
         {" 第 2 行 designTarget: “” 没有值, 本行从这里起的字段未读, 保持原值"}},
        {"short line",
         [](Lines& l) { l[24] = "50,18,10"; },
         {" 第 25 行 layer[1].layerC: “50,18,10” 本行有 3 个值, 应有 5 个; 从这个字段起未读, "
          "保持原值"}},
        {"long line",
         [](Lines& l) { l[29] = "0,10,1,7"; },
         {" 第 30 行 bermHRange.第4个值: “0,10,1,7” 本行有 4 个值, 应有 3 个; 多出的值未读"}},
        {"enumeration",
         [](Lines& l) { l[1] = "0,0,7,500"; },
         {" 第 2 行 checkTarget: “7” 超出 0..4, 按 4 读"}},
        {"count and huge number",
         [](Lines& l) { l[23] = "1,6,2,99999999999,2,1,1,0,0,0,0,0,1,.5"; },
         {" 第 24 行 pileRows: “99999999999” 超出数的范围, 读作 2147483647",
          " 第 24 行 pileRows: “2147483647” 超过上限 20, 按 20 读"}},
        {"not a number, any case and sign",
         [](Lines& l) {
             l[2].replace(0, 9, "nan");
             l[4] = "-INF,2.00000,0,10.000000,+Infinity";
         },
         {" 第 3 行 gamma: “nan” 不是可用的数, 读作 0",
          " 第 5 行 slip[1].dx: “-INF” 不是可用的数, 读作 0",
          " 第 5 行 slip[1].phi: “+Infinity” 不是可用的数, 读作 0"}},
        {"beyond float",
         [](Lines& l) { l[4] = "20.00000,2.00000,0,1e39,20.000000"; },
         {" 第 5 行 slip[1].c: “1e39” 超出数的范围, 读作 0"}},
        {"beyond any slope",
         [](Lines& l) {
             l[3] = "6,9,4,-2e6,16.000000,-1.000000";
             l[5] = "1e9,3.00000,0,10.000000,20.000000";
         },
         {" 第 4 行 slopeX0: “-2e+06” 超出边坡的范围 (±1000000 m), 按原值读",
          " 第 6 行 slip[2].dx: “1e+09” 超出边坡的范围 (±1000000 m), 按原值读"}},
        {"cut after 10 lines",
         [](Lines& l) { l.resize(10); },
         {" 第 11 行 slope[1].dx: “” 文件在此之前已结束, 从这一行起的各组保持原值"}},
        {"line deleted",
         [](Lines& l) { l.erase(l.begin() + 5); },
         {" 第 23 行 water[4].第6个值: “1,6.000000,2.000000,1,2.000000,1,1,0,0.000000,0.000000,"
          "0.000000,0,1.000000,0.500…” 本行有 14 个值, 应有 5 个; 多出的值未读"},
         true},
        {"line added",
         [](Lines& l) { l.insert(l.begin() + 35, "15,25,1"); },
         {" 第 36 行: “15,25,1” 数据之后多出 1 行, 未读 (其上各行可能错位)"}},
        {"foreign mark",
         [](Lines& l) { l[0] = "BIANPO_TALVORN_V9"; },
         {" 第 1 行: “BIANPO_TALVORN_V9” 不是计算数据文件 (第一行应为 BIANPO_TALVORN_V10)"}},
    };
    for (const Case& c : cases) {
        Lines lines = defaultLines();
        c.edit(lines);
        std::vector<std::string> found = diagnose(lines);
        if (c.more && found.size() > c.expected.size()) found.resize(c.expected.size());
        EXPECT_EQ(found, c.expected) << c.what;
    }
}

// Blanks around values, comments (also those of a commented file) and the
// row-factor line's closing comma are the format's own: no diagnostic.
TEST(DataFileDiagnostics, ShippedTemplatesAndEveryItemFileOfTheTestsReadWithNone) {
    Lines lines = defaultLines();
    lines[1] = " 0 , 0 ,0, 500.0 \r";
    lines.insert(lines.begin() + 3, "  // a comment between lines");
    EXPECT_TRUE(diagnose(lines).empty());
    std::istringstream commented(CSlideCalcData().FormatDataFile(DataFileStyle::Commented));
    lines.clear();
    for (std::string l; std::getline(commented, l);) {
        EXPECT_LE(l.size(), 289u);  // the original reader's line buffer
        lines.push_back(l);
    }
    EXPECT_TRUE(diagnose(lines).empty());
    int files = 0;
    for (const char* dir : {"share", "tests", "docs"}) {
        for (const auto& e : std::filesystem::recursive_directory_iterator(
                 std::string(TALVOR_SOURCE_DIR "/") + dir)) {
            if (!e.is_regular_file() || readBytes(e.path()).rfind(CSlideCalcData::kMark, 0) != 0)
                continue;
            CSlideCalcData item;
            InputDiagnostics diag;
            ASSERT_EQ(item.ReadDataFile(e.path(), &diag), 1) << e.path();
            for (const InputDiagnostic& d : diag.items()) ADD_FAILURE() << diag.text(d);
            ++files;
        }
    }
    EXPECT_GE(files, 45);
}
