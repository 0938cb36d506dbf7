#include "project/ItemList.h"

#include "ProjectTestSupport.h"
#include "data/CSlideCalcData.h"
#include "platform/TextEncoding.h"
#include "project/CProjectData.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// prefix + i + suffix (snprintf keeps GCC 12's false -Wrestrict away).
std::string numbered(const char* prefix, int i, const char* suffix) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s%d%s", prefix, i, suffix);
    return buf;
}

// A data file written as the calculation window writes it, with results.
void writeItem(const Program& prog, int number, const std::string& name, int results,
               const char* extension = ".dat") {
    CSlideCalcData item;
    item.setName(name);
    for (int i = 0; i < results; ++i)
        item.setResult(
            i, {numbered("结果", i + 1, ""), numbered("d", i, ".DXF"), numbered("r", i, ".RTF")});
    ASSERT_EQ(item.WriteDataFile(prog.file(ItemFileBase(number) + extension)), 1);
}

// The two combos as the item bar shows them.
std::string shown(const ItemList& l) {
    std::string s;
    for (const std::string& line : l.itemLines) s += line + "; ";
    s += "item " + std::to_string(l.itemSelection) + ", views " + std::to_string(l.resultCount);
    for (const std::string& line : l.resultLines) s += " " + line;
    return s + ", view " + std::to_string(l.resultSelection);
}

}  // namespace

TEST(ItemList, LinesShowPositionDescriptionAndFileAndTheSelectionFollowsChangesAndOpening) {
    Program prog;
    CProjectData p;
    for (int i = 0; i < 3; ++i) p.AddItem(0);
    writeItem(prog, 2, "K12+300 断面", 3);
    writeItem(prog, 3, "K12+340 断面", 0);
    ItemList list;
    list.RefreshItemList(p, prog.ctx, true);
    // Item 1 has no data file yet: empty description, line still shown. The
    // views are those of the remembered position 0.
    const std::string lines = "01  (&TLVR_0001.DAT); 02  K12+300 断面(&TLVR_0002.DAT); ";
    const std::string all = lines + "03  K12+340 断面(&TLVR_0003.DAT); ";
    EXPECT_EQ(shown(list), all + "item 2, views 0, view -1");
    list.itemSelection = 1;
    list.RefreshItemList(p, prog.ctx, false);
    EXPECT_EQ(shown(list), all + "item 1, views 3 结果1 结果2 结果3, view 0");
    list.resultSelection = 7;  // beyond the last view: lowered to it
    list.RefreshItemList(p, prog.ctx, false);
    EXPECT_EQ(list.resultSelection, 2);
    EXPECT_EQ(list.ItemNumberAt(p, 2), 3);
    EXPECT_EQ(list.ItemNumberAt(p, 3), 0);
    // Removing the selected last item leaves no valid selection.
    list.itemSelection = 2;
    p.RemoveItem(0, 2);
    list.RefreshItemList(p, prog.ctx, false);
    EXPECT_EQ(shown(list), lines + "item -1, views 0, view -1");
    p.RemoveItem(0, 0);
    p.AddItem(0);  // number 1 again, at the end: list 2, 1
    list.RefreshItemList(p, prog.ctx, true);
    ItemContext item;
    ASSERT_EQ(list.OpenItem(p, true, prog.sinks, &item), 1);
    EXPECT_EQ(item.caption + "|" + item.fileBase, "Talvor设计计算 2|&TLVR_0001");
    EXPECT_EQ((std::vector<int>{item.number, item.kindFlag, item.newItem}),
              (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(list.DeleteQuestion(), "是否真要删除 02  (&TLVR_0001.DAT)?");
    const CProjectData none;
    list.RefreshItemList(none, prog.ctx, true);
    EXPECT_EQ(shown(list), "item -1, views 0, view -1");
    EXPECT_EQ(list.OpenItem(none, false, prog.sinks, &item), 0);
    EXPECT_EQ(prog.sinks.messages,
              std::vector<std::string>{"请先点“增”按钮增加一个项目，再点计算。"});
    EXPECT_EQ(list.DeleteQuestion(), "");
}

TEST(ItemList, DataFileIsTheSameWhetherNamedDatOrDAT) {
    Program prog;
    writeItem(prog, 4, "小写扩展名", 2, ".dat");  // as the calculation window writes it
    EXPECT_EQ(ItemList::ReadItemName(prog.ctx, ItemListFileName(4)), "小写扩展名");
    ItemList list;
    list.ReadResultList(prog.ctx, ItemListFileName(4));
    EXPECT_EQ(list.resultCount, 2);
    writeItem(prog, 5, "大写扩展名", 0, ".DAT");
    EXPECT_EQ(ItemList::ReadItemName(prog.ctx, ItemFileBase(5) + ".dat"), "大写扩展名");
    // Rewriting through the other spelling replaces the one file.
    CSlideCalcData item;
    ASSERT_EQ(item.ReadDataFile(workFile(prog.ctx, ItemFileBase(5) + ".dat")), 1);
    item.setName("改过");
    ASSERT_EQ(item.WriteDataFile(workFile(prog.ctx, ItemFileBase(5) + ".dat")), 1);
    EXPECT_EQ(ItemList::ReadItemName(prog.ctx, ItemListFileName(5)), "改过");
    // The two items and the version of item 5 before the rewrite.
    EXPECT_EQ(prog.regularFiles(), 3);
    EXPECT_EQ(ItemList::ReadItemName(prog.ctx, ItemFileBase(5) + ".dat.BAK"), "大写扩展名");
}

// The files of data/items: 60 "##ChaXun" lines, the first two short or long;
// "##Name" lines after a comment, without text, or none at all.
TEST(ItemList, SixtyResultLinesGiveFiftyViewsHeldToTheirFieldsAndNamesComeFromTheFirstLine) {
    WorkContext ctx;
    ctx.G_strWorkPath = TALVOR_TEST_DATA "/items/";
    ItemList list;
    list.ReadResultList(ctx, "sixty.dat");
    ASSERT_EQ(list.resultCount, 50);
    auto view = [&](int i) {
        return list.resultTitles[i] + "|" + list.resultDxfFiles[i] + "|" + list.resultRtfFiles[i];
    };
    EXPECT_EQ(view(0), "||");
    EXPECT_EQ(view(1), std::string(99, 't') + "|only.DXF|");
    EXPECT_EQ(view(49), "视图47|a47.DXF|b47.RTF");
    list.ReadResultList(ctx, "missing.DAT");
    EXPECT_EQ(list.resultCount, 0);
    const char* names[][2] = {
        {"a.DAT", "第一"}, {"b.DAT", ""}, {"c.DAT", ""}, {"&TLVR_0009.DAT", ""}};
    for (auto [file, name] : names) EXPECT_EQ(ItemList::ReadItemName(ctx, file), name) << file;
}

TEST(ItemList, ShowResultGivesTheFilesOfTheChosenView) {
    Program prog;
    writeItem(prog, 1, "一", 3);
    writeBytes(prog.file("D1.dxf"), "");
    ItemList list;
    std::string dxf, rtf;
    EXPECT_FALSE(list.ShowResult(prog.ctx, &dxf, &rtf));
    list.ReadResultList(prog.ctx, ItemListFileName(1));
    list.curResult = 1;
    ASSERT_TRUE(list.ShowResult(prog.ctx, &dxf, &rtf));
    EXPECT_EQ(dxf + " " + rtf, prog.file("D1.dxf") + " " + prog.file("r1.RTF"));
    list.curResult = 10;
    ASSERT_TRUE(list.ShowResult(prog.ctx, &dxf, &rtf));
    EXPECT_EQ(list.curResult, 2);
    EXPECT_EQ(rtf, prog.file("r2.RTF"));
}
