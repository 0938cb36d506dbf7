// Adding items from the shipped templates and listing them without a window.
#include "ProjectTestSupport.h"
#include "project/ProjectItems.h"
#include "project/ProjectOpening.h"
#include "project/CProjectData.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(ProjectItems, ItemsComeFromTheDefaultOrAShippedTemplateAndAreListedWithoutResults) {
    Program p;
    std::vector<std::string> templates;
    EXPECT_FALSE(ListTemplates(p.ctx, templates));  // no library in this program directory
    EXPECT_EQ(AddItemFromTemplate(p.ctx, 1).outcome, AddOutcome::NoSuchTemplate);
    std::vector<std::string> piles;
    EXPECT_FALSE(ListPileLibrary(p.ctx, piles));
    p.ctx.G_strExePath = withTrailingSlash(TALVOR_SHARE_DIR);
    ASSERT_TRUE(ListTemplates(p.ctx, templates));
    ASSERT_EQ(templates.size(), 1u);
    // The shipped pile library, one line of eleven columns per test.
    ASSERT_TRUE(ListPileLibrary(p.ctx, piles));
    ASSERT_FALSE(piles.empty());
    EXPECT_TRUE(piles[1].starts_with("2\t")) << piles[1];
    EXPECT_EQ(std::count(piles[1].begin(), piles[1].end(), '\t'), 10);
    const AddedItem beyond = AddItemFromTemplate(p.ctx, 2);
    EXPECT_EQ(beyond.outcome, AddOutcome::NoSuchTemplate);
    EXPECT_EQ(beyond.templateCount, 1);
    EXPECT_FALSE(p.has("Talvor.PRJ"));
    const struct {
        int templatePos;
        const char* line;
    } adds[] = {{0, "01  Talvor设计计算 1(&TLVR_0001.DAT)"},
                {1, "02  Talvor设计计算 2(&TLVR_0002.DAT)"}};
    for (const auto& a : adds) {
        const AddedItem added = AddItemFromTemplate(p.ctx, a.templatePos);
        EXPECT_EQ(added.outcome, AddOutcome::Added);
        EXPECT_EQ(added.line, a.line);
    }
    EXPECT_TRUE(p.has("GCXX.BOX"));
    CProjectData project;
    ASSERT_EQ(OpenProjectRecord(p.ctx, project), ProjectLoad::Loaded);
    const std::vector<ListedItem> items = ListProjectItems(project, p.ctx);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1].line, adds[1].line);
    EXPECT_TRUE(items[1].results.empty());
}
