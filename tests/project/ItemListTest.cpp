#include "project/ItemList.h"

#include "data/CSlideCalcData.h"
#include "platform/TextEncoding.h"
#include "platform/WorkContext.h"
#include "project/CProjectData.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// prefix + i + suffix (snprintf keeps GCC 12's false -Wrestrict away from
// chained string concatenation).
std::string numbered(const char* prefix, int i, const char* suffix) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s%d%s", prefix, i, suffix);
    return buf;
}

WorkContext contextIn(const TempDir& dir) {
    WorkContext ctx;
    ctx.G_strWorkPath = dir.path();
    ctx.G_strExePath = dir.path();
    return ctx;
}

// A data file written as the calculation window writes it, with results.
void writeItem(const TempDir& dir, int number, const std::string& name, int results,
               const char* extension = ".dat") {
    CSlideCalcData item;
    item.setName(name);
    for (int i = 0; i < results; ++i)
        item.setResult(
            i, {numbered("结果", i + 1, ""), numbered("d", i, ".DXF"), numbered("r", i, ".RTF")});
    ASSERT_EQ(item.WriteDataFile(dir.path() + ItemFileBase(number) + extension), 1);
}

}  // namespace

TEST(ItemList, LinesShowPositionDescriptionAndFile) {
    TempDir dir;
    WorkContext ctx = contextIn(dir);
    CProjectData p;
    p.AddItem(0);
    p.AddItem(0);
    p.AddItem(0);
    p.RemoveItem(0, 0);
    p.AddItem(0);  // number 1 again, at the end
    writeItem(dir, 2, "K12+300 断面", 1);
    writeItem(dir, 1, "K12+340 断面", 0);
    ItemList list;
    list.RefreshItemList(p, ctx, false);
    ASSERT_EQ(list.itemLines.size(), 3u);
    EXPECT_EQ(list.itemLines[0], "01  K12+300 断面(&TLVR_0002.DAT)");
    // Item 3 has no data file yet: empty description, line still shown.
    EXPECT_EQ(list.itemLines[1], "02  (&TLVR_0003.DAT)");
    EXPECT_EQ(list.itemLines[2], "03  K12+340 断面(&TLVR_0001.DAT)");
    EXPECT_EQ(list.itemSelection, 0);
    EXPECT_EQ(list.resultCount, 1);
    EXPECT_EQ(list.resultLines, std::vector<std::string>{"结果1"});
    EXPECT_EQ(list.ItemNumberAt(p, 2), 1);
    EXPECT_EQ(list.ItemNumberAt(p, 3), 0);
}

TEST(ItemList, DataFileIsTheSameWhetherNamedDatOrDAT) {
    TempDir dir;
    WorkContext ctx = contextIn(dir);
    // Written by the calculation window as ".dat", read by the list as ".DAT".
    writeItem(dir, 4, "小写扩展名", 2, ".dat");
    EXPECT_EQ(ItemList::ReadItemName(ctx, ItemListFileName(4)), "小写扩展名");
    ItemList list;
    list.ReadResultList(ctx, ItemListFileName(4));
    EXPECT_EQ(list.resultCount, 2);
    // And the other way round.
    writeItem(dir, 5, "大写扩展名", 0, ".DAT");
    EXPECT_EQ(ItemList::ReadItemName(ctx, ItemFileBase(5) + ".dat"), "大写扩展名");
    // Rewriting through the other spelling replaces the one file.
    CSlideCalcData item;
    ASSERT_EQ(item.ReadDataFile(workFile(ctx, ItemFileBase(5) + ".dat")), 1);
    item.setName("改过");
    ASSERT_EQ(item.WriteDataFile(workFile(ctx, ItemFileBase(5) + ".dat")), 1);
    EXPECT_EQ(ItemList::ReadItemName(ctx, ItemListFileName(5)), "改过");
}

TEST(ItemList, SixtyResultLinesGiveFiftyViews) {
    TempDir dir;
    WorkContext ctx = contextIn(dir);
    std::string text = "BIANPO_TALVORN_V10\n##Name,六十个结果\n";
    for (int i = 0; i < 60; ++i)
        text += numbered("##ChaXun,视图", i, ",") + numbered("a", i, ".DXF,") +
                numbered("b", i, ".RTF\n");
    writeBytes(dir.file("&TLVR_0001.DAT"), utf8ToGbk(text));
    ItemList list;
    list.ReadResultList(ctx, "&TLVR_0001.DAT");
    ASSERT_EQ(list.resultCount, 50);
    EXPECT_EQ(list.resultTitles[49], "视图49");
    EXPECT_EQ(list.resultDxfFiles[49], "a49.DXF");
    EXPECT_EQ(list.resultRtfFiles[49], "b49.RTF");
}

TEST(ItemList, NameComesFromTheFirstNameLineAndMissingFilesGiveNothing) {
    TempDir dir;
    WorkContext ctx = contextIn(dir);
    EXPECT_EQ(ItemList::ReadItemName(ctx, "&TLVR_0009.DAT"), "");
    writeBytes(dir.file("a.DAT"), "x\n// ##Name,comment\n##Name,第一\n##Name,第二\n");
    EXPECT_EQ(ItemList::ReadItemName(ctx, "a.DAT"), "第一");
    writeBytes(dir.file("b.DAT"), "##Name\n");
    EXPECT_EQ(ItemList::ReadItemName(ctx, "b.DAT"), "");
    writeBytes(dir.file("c.DAT"), "no name here\n");
    EXPECT_EQ(ItemList::ReadItemName(ctx, "c.DAT"), "");
    ItemList list;
    list.resultCount = 3;
    list.ReadResultList(ctx, "missing.DAT");
    EXPECT_EQ(list.resultCount, 0);
}

TEST(ItemList, ShortResultLinesAndLongFieldsAreHeldToTheirFields) {
    TempDir dir;
    WorkContext ctx = contextIn(dir);
    std::string longTitle(150, 't');
    writeBytes(dir.file("x.DAT"), "##ChaXun\n##ChaXun," + longTitle + ",only.DXF\n");
    ItemList list;
    list.ReadResultList(ctx, "x.DAT");
    ASSERT_EQ(list.resultCount, 2);
    EXPECT_EQ(list.resultTitles[0], "");
    EXPECT_EQ(list.resultTitles[1], std::string(99, 't'));
    EXPECT_EQ(list.resultDxfFiles[1], "only.DXF");
    EXPECT_EQ(list.resultRtfFiles[1], "");
}

TEST(ItemList, RefreshKeepsOrMovesTheSelection) {
    TempDir dir;
    WorkContext ctx = contextIn(dir);
    CProjectData p;
    for (int i = 0; i < 3; ++i) p.AddItem(0);
    writeItem(dir, 2, "二", 3);
    ItemList list;
    list.RefreshItemList(p, ctx, true);
    EXPECT_EQ(list.itemSelection, 2);
    // The result list is read for the remembered selection (position 0).
    EXPECT_EQ(list.resultCount, 0);
    list.itemSelection = 1;
    list.RefreshItemList(p, ctx, false);
    EXPECT_EQ(list.itemSelection, 1);
    EXPECT_EQ(list.resultCount, 3);
    EXPECT_EQ(list.resultSelection, 0);
    list.resultSelection = 7;  // beyond the last view: lowered to it
    list.RefreshItemList(p, ctx, false);
    EXPECT_EQ(list.resultSelection, 2);
    // Removing the selected last item leaves no valid selection.
    list.itemSelection = 2;
    p.RemoveItem(0, 2);
    list.RefreshItemList(p, ctx, false);
    EXPECT_EQ(list.itemSelection, -1);
    EXPECT_EQ(list.resultCount, 0);
    EXPECT_EQ(list.resultSelection, -1);
    CProjectData empty;
    list.RefreshItemList(empty, ctx, true);
    EXPECT_TRUE(list.itemLines.empty());
    EXPECT_EQ(list.itemSelection, -1);
}

TEST(ItemList, ShowResultGivesTheFilesOfTheChosenView) {
    TempDir dir;
    WorkContext ctx = contextIn(dir);
    writeItem(dir, 1, "一", 3);
    writeBytes(dir.file("D1.dxf"), "");
    ItemList list;
    std::string dxf, rtf;
    EXPECT_FALSE(list.ShowResult(ctx, &dxf, &rtf));
    list.ReadResultList(ctx, ItemListFileName(1));
    list.curResult = 1;
    ASSERT_TRUE(list.ShowResult(ctx, &dxf, &rtf));
    EXPECT_EQ(dxf, dir.file("D1.dxf"));  // found whatever its case
    EXPECT_EQ(rtf, dir.file("r1.RTF"));
    list.curResult = 10;
    ASSERT_TRUE(list.ShowResult(ctx, &dxf, &rtf));
    EXPECT_EQ(list.curResult, 2);
    EXPECT_EQ(rtf, dir.file("r2.RTF"));
}

TEST(ItemList, OpeningNeedsAValidSelection) {
    TempDir dir;
    WorkContext ctx = contextIn(dir);
    CProjectData p;
    RecordingSinks sinks;
    ItemList list;
    ItemContext item;
    list.RefreshItemList(p, ctx, true);
    EXPECT_EQ(list.OpenItem(p, false, sinks, &item), 0);
    ASSERT_EQ(sinks.messages.size(), 1u);
    EXPECT_EQ(sinks.messages[0], "请先点“增”按钮增加一个项目，再点计算。");
    EXPECT_EQ(list.DeleteQuestion(), "");
    p.AddItem(0);
    p.AddItem(0);
    p.RemoveItem(0, 0);
    p.AddItem(0);  // list: 2, 1
    list.RefreshItemList(p, ctx, true);
    ASSERT_EQ(list.OpenItem(p, true, sinks, &item), 1);
    EXPECT_EQ(item.caption, "Talvor设计计算 2");
    EXPECT_EQ(item.fileBase, "&TLVR_0001");
    EXPECT_EQ(item.number, 1);
    EXPECT_EQ(item.kindFlag, 1);
    EXPECT_EQ(item.newItem, 1);
    EXPECT_EQ(list.DeleteQuestion(), "是否真要删除 02  (&TLVR_0001.DAT)?");
}
