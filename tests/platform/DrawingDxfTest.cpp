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
// before anything is copied and refused naming the block. Counts a file
// declares are held to what its remaining bytes can hold before anything is
// taken for them; a lie is refused naming the entity, its handle and line.
// Lines too long, codes that are no numbers and numbers that are no usable
// value end the reading or read as 0, never a crash. The drawing read before
// stays.
TEST(DrawingDxf, EndlessInsertionsAndLyingOrMalformedFilesAreRefusedNamingWhereAndWhy) {
    using namespace dxftext;
    TempDir dir;
    const std::string line3 = line(0, 0) + line(1, 1) + line(2, 2);
    // The polyline's 0 group stands on line 15 of these files (after the header).
    const std::pair<std::string, std::string> refused[] = {
        {selfInsertionFan(), "图块“A” (插入了自身) 展开后插入超过 1000000 次"},
        {mutualInsertion(), "图块“A” (经“B”插入了自身) 展开后插入超过 1000000 次"},
        {nestedArrays(), "图块“L2”展开后插入超过 1000000 次"},
        {file(block("W", repeated(line(0, 0), 300)), repeated(insert("W", 100, 100), 1)),
         "图块“W”展开后图元超过 2000000 个"},
        {entities(line3 + lwpolyline("2F", "2147483647", 2)),
         "LWPOLYLINE (句柄 2F, 第 63 行) 声称有 2147483647 个顶点, 文件余下的"},
        {entities(lwpolyline("A1", "100000000", 3)),
         "LWPOLYLINE (句柄 A1, 第 15 行) 声称有 100000000 个顶点"},
        {entities(lwpolyline("A2", "-4", 3)), "LWPOLYLINE (句柄 A2, 第 15 行) 声称有 -4 个顶点"},
        {entities(lwpolyline("A3", "1e30", 3)),
         "LWPOLYLINE (句柄 A3, 第 15 行) 声称有 1e30 个顶点"},
        // Declares five, holds two, and the file ends soon after.
        {entities(lwpolyline("A4", "5", 2)), "声称有 5 个顶点"},
        {entities(line3 + pairs({"0", "TEXT", "1", std::string(70000, 'x')})),
         "第 66 行超过 65536 字节"},
        {entities(line3 + "LINE\n8\n0\n"), "第 63 行应为组码"},
    };
    DXF d = sampleDrawing();
    for (const auto& [text, reason] : refused) {
        writeBytes(dir.file("lie.dxf"), text);
        std::string why;
        EXPECT_EQ(d.Read_FileDxf_To_Mem(dir.file("lie.dxf"), &why), 0) << reason;
        EXPECT_NE(why.find(reason), std::string::npos) << why;
    }
    EXPECT_EQ(dump(d), dump(sampleDrawing()));
    std::string why;
    EXPECT_EQ(d.Read_FileDxf_To_Mem(kData + "bad_garbage.dxf", &why), 0);
    EXPECT_EQ(why, "");  // not a DXF: no reason of ours, the caller's advice stands
    EXPECT_EQ(d.Read_FileDxf_To_Mem("/dev/zero", &why), 0);
    EXPECT_EQ(why, "不是普通文件 (目录、设备或管道), 图形未读入");

    // What is read: a count that tells the truth, a polyline holding more
    // vertices than it declares (the rest are not its own), a line at "nan",
    // a quarter arc as chords, an R12 polyline that a line ends without SEQEND.
    const std::string arc = pairs(
        {"0", "ARC", "8", "0", "62", "3", "10", "0", "20", "0", "40", "10", "50", "0", "51", "90"});
    const std::string r12 =
        pairs({"0", "POLYLINE", "8",  "0", "66", "1", "40", "0.5", "41", "0.5",
               "0", "VERTEX",   "8",  "0", "10", "1", "20", "2",   "0",  "VERTEX",
               "8", "0",        "10", "3", "20", "4", "41", "2"});
    const std::string nan =
        pairs({"0", "LINE", "8", "0", "10", "nan", "20", "-inf", "11", "1e999", "21", "5"});
    writeBytes(dir.file("ok.dxf"), entities(lwpolyline("B1", "3", 3) + lwpolyline("B2", "2", 4) +
                                            nan + arc + r12 + line(7, 7)));
    ASSERT_EQ(d.Read_FileDxf_To_Mem(dir.file("ok.dxf")), 1);
    EXPECT_TRUE(dump(d).starts_with(
        "P 7 CONTINUOUS 0.000 0.000 0.000 0.000 1.000 1.000 0.000 0.000 2.000 0.000 0.000 0.000\n"
        "P 7 CONTINUOUS 0.000 0.000 0.000 0.000 1.000 1.000 0.000 0.000\n"
        "L 7 CONTINUOUS 0.000 0.000 0.000 0.000 0.000 5.000 0.000 0.000\n"
        "P 3 CONTINUOUS 10.000 0.000"))
        << dump(d);
    ASSERT_EQ(d.entities().size(), 6u);
    const DrawEntity& quarter = d.entities()[3];
    ASSERT_EQ(quarter.points.size(), 19u);  // 18 chords of 5 degrees
    EXPECT_NEAR(quarter.points.front().x, 10.0f, 1e-5f);
    EXPECT_NEAR(quarter.points.back().y, 10.0f, 1e-5f);
    EXPECT_NEAR(std::hypot(quarter.points[9].x, quarter.points[9].y), 10.0f, 1e-4f);
    const DrawEntity& polyline = d.entities()[4];
    ASSERT_EQ(polyline.points.size(), 2u);
    EXPECT_EQ(polyline.points[1], (DrawVertex{3.0f, 4.0f, 0.5f, 2.0f}));
    EXPECT_EQ(d.entities()[5].kind, DrawEntityKind::Line);
}
