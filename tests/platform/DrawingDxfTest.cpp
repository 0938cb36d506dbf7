#include "platform/Drawing.h"

#include "platform/DrawingCheck.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace drawing_check;

namespace {

const std::string kData = TALVOR_PLATFORM_TEST_DATA;

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

// An R12 file by hand: block "B" holds a line and inserts itself in a 100 × 100
// array; the model space inserts it once, then a missing block and a stray vertex.
std::string selfInsertingBlock(bool array) {
    return std::string(
               "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n8\n0\n2\nB\n70\n0\n10\n0\n20\n0\n30\n0\n") +
           "0\nLINE\n8\n0\n10\n0\n20\n0\n30\n0\n11\n1\n21\n0\n31\n0\n" +
           "0\nINSERT\n8\n0\n2\nB\n10\n0\n20\n0\n30\n0\n" + (array ? "70\n100\n71\n100\n" : "") +
           "44\n1\n45\n1\n0\nENDBLK\n8\n0\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n" +
           "0\nINSERT\n8\n0\n2\nB\n10\n0\n20\n0\n30\n0\n" +
           "0\nINSERT\n8\n0\n2\nNOSUCHBLOCK\n10\n0\n20\n0\n30\n0\n" +
           "0\nVERTEX\n8\n0\n10\n1\n20\n1\n30\n0\n0\nSEQEND\n8\n0\n0\nENDSEC\n0\nEOF\n";
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
    EXPECT_EQ(std::count(empty.begin(), empty.end(), '\n'), 2) << empty;  // no entities
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

TEST(DrawingDxf, UnreadableFilesFailCleanlyAndEndlessOrMissingBlocksAreHandled) {
    TempDir dir;
    writeBytes(dir.file("garbage.dxf"), "this is not a drawing\n\x01\x02\xff\n");
    writeBytes(dir.file("empty.dxf"), "");
    writeBytes(dir.file("binary.dxf"), std::string("AutoCAD Binary DXF\r\n\x1a\0", 22));
    writeBytes(dir.file("bomb.dxf"), selfInsertingBlock(true));  // multiplies without end
    writeBytes(dir.file("codes.dxf"), "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\nabc\n");
    DXF d = sampleDrawing();
    for (const char* bad :
         {"missing.dxf", "", "garbage.dxf", "empty.dxf", "binary.dxf", "bomb.dxf"})
        EXPECT_EQ(d.Read_FileDxf_To_Mem(dir.file(bad)), 0) << bad;
    EXPECT_EQ(dump(d), dump(sampleDrawing()));
    // A truncated section is read as far as it goes, or refused; never a crash.
    int truncated = d.Read_FileDxf_To_Mem(dir.file("codes.dxf"));
    EXPECT_TRUE(truncated == 0 || truncated == 1);
    // Without the array the block nests 16 deep and stops: 17 lines; the
    // insert of a missing block and the stray vertex are skipped.
    writeBytes(dir.file("nested.dxf"), selfInsertingBlock(false));
    ASSERT_EQ(d.Read_FileDxf_To_Mem(dir.file("nested.dxf")), 1);
    EXPECT_EQ(d.entities().size(), 17u);
    for (const DrawEntity& e : d.entities()) EXPECT_EQ(e.kind, DrawEntityKind::Line);
}
