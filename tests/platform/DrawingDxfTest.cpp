#include "platform/Drawing.h"

#include "platform/DrawingCheck.h"
#include "support/DxfText.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace drawing_check;

namespace {

const std::string kData = TALVOR_PLATFORM_TEST_DATA "/";

// A drawing with every kind of entity the program draws.
DXF sampleDrawing() {
    DXF d;
    d.New_MemDxf();
    d.Add_STyle("HZ", "txt", "hztxt", 0.0f, 0.75f);
    d.Write_Tables();
    d.SetCurStyle("HZ");
    d.Add_Default_LineType();
    d.SetCurColor("3");
    d.Draw_Line(0, 0, 1000, 500, 1.0f);
    d.SetCurColor(5);
    d.Draw_Pline(0, 0, 0, 3000, 100, 60, 1.0f);
    d.SetCurLType("DOT");
    d.Draw_Line(-1000, 200, 0, 200, 1.0f);
    d.SetCurLType("CONTINUOUS");
    d.SetCurColor("1");
    d.Draw_Circle(500, 500, 200, 1.0f);
    d.SetCurColor("2");
    d.Draw_Text(100, -2000, 1000, 0, "剩余下滑力曲线");
    d.Draw_Text(0, 0, 250, 90, "高度(m)");
    return d;
}

}  // namespace

TEST(DrawingDxf, WrittenFilesOpenInEzdxfWithoutAuditErrorsAndWithTheirEntitiesAndChineseTexts) {
    TempDir dir;
    expectCleanInEzdxf(sampleDrawing(), dir.file("a.DXF"));
    int status = -1;
    expectAsExpected(runScript("dxf_check.py' '" + dir.file("a.DXF") + "'", &status), kData,
                     "sample_in_ezdxf");
    expectCleanInEzdxf(DXF(), dir.file("empty.dxf"));
    std::string empty = runScript("dxf_check.py' '" + dir.file("empty.dxf") + "'", &status);
    EXPECT_EQ(empty.find('\n', empty.find("AUDIT")) + 1, empty.size()) << empty;  // no entities
    EXPECT_EQ(sampleDrawing().Write_MemDxf_To_File(dir.file("no/such/dir/a.dxf")), 0);
}

TEST(DrawingDxf, OwnFilesReadBackWithTheSameEntitiesStylesAndLineTypes) {
    TempDir dir;
    DXF d = sampleDrawing(), back;
    ASSERT_EQ(d.Write_MemDxf_To_File(dir.file("a.dxf")), 1);
    ASSERT_EQ(back.Read_FileDxf_To_Mem(dir.file("a.dxf")), 1);
    EXPECT_EQ(dump(back), dump(d));
    ASSERT_NE(back.findStyle("HZ"), nullptr);
    EXPECT_FLOAT_EQ(back.findStyle("HZ")->widthFactor, 0.75f);
    EXPECT_EQ(back.findStyle("HZ")->bigFont, "hztxt");
    EXPECT_NE(back.findLineType("DOT"), nullptr);
}

// Polylines of colours 2, 3, 5 and 1 (the first segment 1 wide in R12), lines
// of colour 6 dotted and "by layer" on a layer of colour 1, a circle, a text,
// and the block "MARK" exploded at (100, 50), doubled, in the insert's colour 3.
TEST(DrawingDxf, FilesWrittenByEzdxfReadWithTheRightVerticesColoursAndTexts) {
    TempDir dir;
    for (const char* version : {"R12", "R2000"}) {
        std::string path = dir.file(std::string(version) + ".dxf");
        int status = -1;
        runScript("make_dxf.py' '" + path + "' " + version, &status);
        ASSERT_EQ(status, 0);
        DXF d;
        ASSERT_EQ(d.Read_FileDxf_To_Mem(path), 1);
        expectAsExpected(dump(d), kData, std::string("ezdxf_") + version);
    }
}

// data/bad_bomb.dxf: block "B" holds a line and inserts itself in a 100 × 100
// array; nested_blocks.dxf the same without the array, nesting 16 deep and
// stopping at 17 lines; both insert a missing block and hold a stray vertex.
TEST(DrawingDxf, UnreadableFilesFailCleanlyAndEndlessOrMissingBlocksAreHandled) {
    DXF d = sampleDrawing();
    for (const char* bad :
         {"missing.dxf", "", "bad_garbage.dxf", "bad_empty.dxf", "bad_binary.dxf", "bad_bomb.dxf"})
        EXPECT_EQ(d.Read_FileDxf_To_Mem(kData + bad), 0) << bad;
    EXPECT_EQ(dump(d), dump(sampleDrawing()));
    // A truncated section is read as far as it goes, or refused; never a crash.
    int truncated = d.Read_FileDxf_To_Mem(kData + "truncated.dxf");
    EXPECT_TRUE(truncated == 0 || truncated == 1);
    ASSERT_EQ(d.Read_FileDxf_To_Mem(kData + "nested_blocks.dxf"), 1);
    EXPECT_EQ(d.entities().size(), 17u);
    for (const DrawEntity& e : d.entities()) EXPECT_EQ(e.kind, DrawEntityKind::Line);
}

// Insertions that would never end, or multiply past every limit, are counted
// before anything is copied and refused naming the block; the drawing read
// before stays.
TEST(DrawingDxf, SelfInsertionMutualInsertionAndNestedArraysAreRefusedNamingTheBlock) {
    TempDir dir;
    const std::pair<std::string, const char*> cases[] = {
        {dxftext::selfInsertionFan(), "图块“A” (插入了自身) 展开后插入超过 1000000 次"},
        {dxftext::mutualInsertion(), "图块“A” (经“B”插入了自身) 展开后插入超过 1000000 次"},
        {dxftext::nestedArrays(), "图块“L2”展开后插入超过 1000000 次"},
        {dxftext::file(dxftext::block("W", dxftext::repeated(dxftext::line(0, 0), 300)),
                       dxftext::repeated(dxftext::insert("W", 100, 100), 1)),
         "图块“W”展开后图元超过 2000000 个"},
    };
    DXF d = sampleDrawing();
    for (const auto& [text, reason] : cases) {
        writeBytes(dir.file("h.dxf"), text);
        std::string why;
        EXPECT_EQ(d.Read_FileDxf_To_Mem(dir.file("h.dxf"), &why), 0);
        EXPECT_NE(why.find(reason), std::string::npos) << why;
    }
    EXPECT_EQ(dump(d), dump(sampleDrawing()));
    std::string why;
    EXPECT_EQ(d.Read_FileDxf_To_Mem(kData + "bad_garbage.dxf", &why), 0);
    EXPECT_EQ(why, "");  // not a DXF: no reason of ours, the caller's advice stands
}
