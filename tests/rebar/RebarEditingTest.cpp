// A section checked from key=value inputs, in text and CSV, and inputs that
// do not read refused with the reason; an item's settings shown, set and
// written only when asked and allowed.
#include "rebar/RebarEditing.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <map>
#include <string>

namespace {

const std::map<std::string, std::string> kBeam = {
    {"shape", "rect"},   {"b", "0.2"},          {"h", "0.5"},    {"concrete", "C30"},
    {"steel", "HRB400"}, {"stirrup", "HPB300"}, {"cover", "25"}, {"as", "40"},
    {"as_other", "40"},  {"min_clear", "25"},   {"M", "150"},    {"V", "50"},
    {"gamma0", "1"},     {"gammaF", "1"}};

}  // namespace

// As required: 14.3 · 200 · 0.289880 · 460 / 360 = 1059.35 mm2 (verification case 10).
TEST(RebarEditing, SectionGivesTheDesignOrOneCsvLine) {
    const SectionCheck text = CheckSection(kBeam, false);
    EXPECT_EQ(text.status, 1);  // the crack width of this beam exceeds 0.2 mm
    for (const char* said :
         {"需要 As = 1059 mm2", "裂缝宽度超限：靠山侧", "配筋: 2Φ28", "箍筋: Φ10@300 (2 肢)"})
        EXPECT_NE(text.text.find(said), std::string::npos) << said << "\n" << text.text;
    const SectionCheck csv = CheckSection(kBeam, true);
    EXPECT_EQ(csv.status, 1);
    EXPECT_TRUE(csv.text.starts_with("status,M_design_kNm,As_req_mm2,As_prov_mm2,bars,"))
        << csv.text;
    EXPECT_NE(csv.text.find("\ncrack_exceeded,150.000,1059.3,1231.5,2Φ28,"), std::string::npos);
    EXPECT_TRUE(csv.text.ends_with(",Φ10@300/2肢\n")) << csv.text;
}

TEST(RebarEditing, SectionInputThatDoesNotReadIsRefused) {
    // Each row spoils one key of a plain 1 x 1 rectangle; no value leaves the key out.
    const struct {
        const char *key, *value, *said;
    } rows[] = {{"shape", "oval", "rect 或 circle"},
                {"b", "1x", "b=1x: 不是数"},
                {"h", nullptr, "应给出 b 和 h"},
                {"concrete", "C10", "C10 不是结构混凝土"},
                {"steel", "Q235", "纵筋牌号 Q235"}};
    for (const auto& r : rows) {
        std::map<std::string, std::string> values{
            {"shape", "rect"}, {"b", "1"}, {"h", "1"}, {"M", "1"}};
        values.erase(r.key);
        if (r.value) values[r.key] = r.value;
        const SectionCheck check = CheckSection(values, false);
        EXPECT_EQ(check.status, 2) << r.said;
        EXPECT_NE((check.why + check.text).find(r.said), std::string::npos)
            << check.why << check.text;
    }
}

TEST(RebarEditing, ItemSettingsAreShownSetAndWrittenOnlyWhenAskedAndAllowed) {
    TempDir dir;
    const std::string item = dir.file("a.TV"), pj = dir.file("a.PJ");
    EXPECT_EQ(EditRebarSettings(item, {}, false).outcome, RebarSettingsOutcome::NoItem);
    writeBytes(item, "x");
    auto has = [](const RebarSettingsEdit& e, const std::string& line) {
        for (const std::string& l : e.lines)
            if (l.starts_with(line + "\t")) return true;
        return false;
    };
    RebarSettingsEdit e = EditRebarSettings(item, {"cover=70", "bar=hrb500"}, false);
    EXPECT_TRUE(e.allTaken && has(e, "cover=70") && has(e, "bar=HRB500"));
    EXPECT_EQ(e.path, pj);
    EXPECT_FALSE(std::filesystem::exists(pj));
    e = EditRebarSettings(item, {"cover=70", "gammaF=9"}, true);
    EXPECT_EQ(e.outcome, RebarSettingsOutcome::Done);
    EXPECT_FALSE(e.allTaken);
    ASSERT_EQ(e.told.size(), 1u);
    EXPECT_TRUE(e.told[0].starts_with("--set gammaF=9")) << e.told[0];
    e = EditRebarSettings(item, {}, false);
    EXPECT_TRUE(has(e, "cover=70") && has(e, "gammaF=1.35"));
    // A damaged file is told by line and key, and not written over unless
    // every faulty value is set anew.
    writeBytes(pj, "cover=70\nprice=cheap\n");
    e = EditRebarSettings(item, {"cover=80"}, true);
    EXPECT_EQ(e.outcome, RebarSettingsOutcome::KeptFaulty);
    ASSERT_FALSE(e.told.empty());
    EXPECT_NE(e.told[0].find("a.PJ 第 2 行 price"), std::string::npos) << e.told[0];
    EXPECT_EQ(readBytes(pj), "cover=70\nprice=cheap\n");
    EXPECT_EQ(EditRebarSettings(item, {"price=5000"}, true).outcome, RebarSettingsOutcome::Done);
    EXPECT_NE(readBytes(pj).find("price=5000"), std::string::npos);
}
