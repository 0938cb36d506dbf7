#include "web/WebItem.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// The shipped files in a scratch program directory: choosing a template
// rewrites the template index there.
struct ShippedFiles : TempDir {
    ShippedFiles() {
        std::filesystem::copy(TALVOR_SHARE_DIR, path(), std::filesystem::copy_options::recursive);
    }
};

class WebItemTest : public ::testing::Test {
  protected:
    ShippedFiles program;
    WebItem item{program.path()};
};

TEST_F(WebItemTest, SavedBytesOpenToTheSameRecordAndABadFileKeepsTheRecord) {
    item.record().setName("边坡一");
    const std::string bytes = item.save();
    WebItem other(program.path());
    ASSERT_TRUE(other.open(bytes, "a.TV"));
    EXPECT_TRUE(other.diagnostics().empty());
    EXPECT_EQ(other.save(), bytes);
    EXPECT_EQ(other.record().name(), "边坡一");

    struct Case {
        std::string bytes;
        bool read;
        int line;  // of the first diagnostic
    };
    std::string damaged = bytes;
    damaged[damaged.find("\n0,0,0,") + 1] = 'x';
    const Case cases[] = {
        {"no data file\n", false, 1},
        {std::string(CSlideCalcData::kMaxDataFileBytes + 1, ' '), false, 0},
        {damaged, true, 2},
    };
    for (const Case& c : cases) {
        WebItem opened(program.path());
        opened.record().setName("保留");
        EXPECT_EQ(opened.open(c.bytes, "b.TV"), c.read) << c.bytes.substr(0, 20);
        ASSERT_FALSE(opened.diagnostics().empty());
        EXPECT_EQ(opened.diagnostics().front().line, c.line);
        EXPECT_NE(opened.diagnostics().front().text.find("b.TV"), std::string::npos);
        if (!c.read) {
            EXPECT_EQ(opened.record().name(), "保留");
        }
    }
}

TEST_F(WebItemTest, TemplateLinesStartItemsAsTheChooserDoes) {
    const std::vector<std::string> lines = item.templateLines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "系统默认例题");

    CSlideCalcData shipped;
    ASSERT_TRUE(shipped.ReadDataFile(program.file("Template/Talvor_0001.DAT")));
    ASSERT_TRUE(item.openTemplate(2));
    EXPECT_EQ(item.save(), shipped.FormatDataFile());
    ASSERT_TRUE(item.openTemplate(1));  // the item as it is
    EXPECT_EQ(item.save(), shipped.FormatDataFile());
    EXPECT_FALSE(item.openTemplate(static_cast<int>(lines.size())));
    ASSERT_TRUE(item.openTemplate(0));
    EXPECT_EQ(item.save(), CSlideCalcData().FormatDataFile());
}

TEST_F(WebItemTest, PileLibraryRowsBecomeTheRecordsPileKinds) {
    const auto rows = item.pileLibraryRows();
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0].size(), WebItem::pileLibraryColumns().size());

    EXPECT_FALSE(item.takePileKinds({}));
    EXPECT_FALSE(item.sinks().lines.empty());
    const std::string before = item.save();
    ASSERT_TRUE(item.takePileKinds({0}));
    EXPECT_NE(item.save(), before);
}

}  // namespace
