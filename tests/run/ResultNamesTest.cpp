// Result file names of an item and the file base they are formed from.
#include "run/ResultNames.h"

#include "data/CSlideCalcData.h"

#include <gtest/gtest.h>

TEST(ResultNames, ThreeEntriesShareOneReportFileAndReplaceOldOnes) {
    CSlideCalcData item;
    for (int i = 0; i < 6; ++i) item.setResult(i, {"旧", "old.DXF", "old.RTF"});
    EXPECT_EQ(SetResultFileNames(item, "&TLVR_0001"), 1);
    ASSERT_EQ(item.resultCount(), 3);
    EXPECT_EQ(item.result(0),
              (ResultEntry{"计算简图", "&TLVR_0001_TLVR_JT.DXF", "&TLVR_0001_TLVR.RTF"}));
    EXPECT_EQ(item.result(1),
              (ResultEntry{"计算结果", "&TLVR_0001_TLVR_JG.DXF", "&TLVR_0001_TLVR.RTF"}));
    EXPECT_EQ(item.result(2),
              (ResultEntry{"剩余下滑力曲线", "&TLVR_0001_TLVR_SYXHL.DXF", "&TLVR_0001_TLVR.RTF"}));
}

TEST(ResultNames, FileBaseDropsDirectoryAndExtension) {
    EXPECT_EQ(ItemFileBase("/p/q/&TLVR_0001.DAT"), "&TLVR_0001");
    EXPECT_EQ(ItemFileBase("example.TV"), "example");
    EXPECT_EQ(ItemFileBase("dir/slope.v2.TV"), "slope.v2");
    EXPECT_EQ(ItemFileBase("noext"), "noext");
}
