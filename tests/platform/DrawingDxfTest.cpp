#include "platform/Drawing.h"
#include "platform/TextEncoding.h"

#include "platform/EzdxfCheck.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

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

const DrawEntity* findKind(const DXF& d, DrawEntityKind kind, int nth = 0) {
    for (const DrawEntity& e : d.entities())
        if (e.kind == kind && nth-- == 0) return &e;
    return nullptr;
}

}  // namespace

TEST(DrawingDxf, WrittenFileOpensInEzdxfWithoutAuditErrorsAndWithChineseTexts) {
    TempDir dir;
    DXF d = sampleDrawing();
    ASSERT_EQ(d.Write_MemDxf_To_File(dir.file("a.DXF")), 1);
    ezdxf_check::Report r = ezdxf_check::readWithEzdxf(dir.file("a.DXF"));
    ASSERT_EQ(r.status, 0) << r.raw;
    EXPECT_EQ(r.version, "AC1009");
    EXPECT_EQ(r.codePage, "ANSI_936");
    EXPECT_EQ(r.auditErrors, 0) << r.raw;
    EXPECT_TRUE(r.has("LINE 3 BYLAYER 0.0000 0.0000 1000.0000 500.0000")) << r.raw;
    EXPECT_TRUE(r.has("LINE 5 DOT -1000.0000 200.0000 0.0000 200.0000")) << r.raw;
    EXPECT_TRUE(
        r.has("POLYLINE 5 BYLAYER 0 0.0000 0.0000 100.0000 60.0000 ; "
              "0.0000 3000.0000 0.0000 0.0000"))
        << r.raw;
    EXPECT_TRUE(r.has("CIRCLE 1 500.0000 500.0000 200.0000")) << r.raw;
    EXPECT_TRUE(r.has("TEXT 2 HZ 100.0000 -2000.0000 1000.0000 0.0000 剩余下滑力曲线")) << r.raw;
    EXPECT_TRUE(r.has("TEXT 2 HZ 0.0000 0.0000 250.0000 90.0000 高度(m)")) << r.raw;
}

TEST(DrawingDxf, FileIsR12WithGbkTextsAndTheStyleAndLineTypeTables) {
    DXF d = sampleDrawing();
    std::string bytes = d.formatDxf();
    ASSERT_FALSE(bytes.empty());
    EXPECT_NE(bytes.find("AC1009"), std::string::npos);
    EXPECT_NE(bytes.find("$DWGCODEPAGE"), std::string::npos);
    EXPECT_NE(bytes.find(utf8ToGbk("剩余下滑力曲线")), std::string::npos);
    EXPECT_EQ(bytes.find("剩余下滑力曲线"), std::string::npos);  // no UTF-8 in the file
    EXPECT_NE(bytes.find("hztxt"), std::string::npos);
    EXPECT_NE(bytes.find("\nDOT"), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 5).find("EOF"), 1u);
}

TEST(DrawingDxf, EmptyDrawingStillWritesAValidFile) {
    TempDir dir;
    DXF d;
    ASSERT_EQ(d.Write_MemDxf_To_File(dir.file("empty.dxf")), 1);
    ezdxf_check::Report r = ezdxf_check::readWithEzdxf(dir.file("empty.dxf"));
    ASSERT_EQ(r.status, 0) << r.raw;
    EXPECT_EQ(r.auditErrors, 0) << r.raw;
    EXPECT_TRUE(r.lines.empty()) << r.raw;
}

TEST(DrawingDxf, OwnFilesReadBackWithTheSameEntities) {
    TempDir dir;
    DXF d = sampleDrawing();
    ASSERT_EQ(d.Write_MemDxf_To_File(dir.file("a.dxf")), 1);
    DXF back;
    ASSERT_EQ(back.Read_FileDxf_To_Mem(dir.file("a.dxf")), 1);
    ASSERT_EQ(back.entities().size(), d.entities().size());
    for (size_t i = 0; i < d.entities().size(); ++i) {
        const DrawEntity& a = d.entities()[i];
        const DrawEntity& b = back.entities()[i];
        EXPECT_EQ(a.kind, b.kind) << i;
        EXPECT_EQ(a.color, b.color) << i;
        EXPECT_EQ(a.lineType, b.lineType) << i;
        EXPECT_EQ(a.points, b.points) << i;
        EXPECT_EQ(a.text, b.text) << i;
        EXPECT_FLOAT_EQ(a.height, b.height) << i;
        EXPECT_NEAR(a.angle, b.angle, 1e-4) << i;
        EXPECT_FLOAT_EQ(a.widthFactor, b.widthFactor) << i;
    }
    ASSERT_NE(back.findStyle("HZ"), nullptr);
    EXPECT_FLOAT_EQ(back.findStyle("HZ")->widthFactor, 0.75f);
    EXPECT_EQ(back.findStyle("HZ")->bigFont, "hztxt");
    EXPECT_NE(back.findLineType("DOT"), nullptr);
}

class EzdxfWrittenFile : public ::testing::TestWithParam<const char*> {};

TEST_P(EzdxfWrittenFile, ReadsWithTheRightVerticesColoursAndTexts) {
    TempDir dir;
    std::string path = dir.file("in.dxf");
    ASSERT_EQ(ezdxf_check::writeWithEzdxf(path, GetParam()), 0);
    DXF d;
    ASSERT_EQ(d.Read_FileDxf_To_Mem(path), 1);
    // Polylines of colours 2, 3, 5 and 1 in the order written.
    std::vector<const DrawEntity*> polys;
    for (const DrawEntity& e : d.entities())
        if (e.kind == DrawEntityKind::Polyline) polys.push_back(&e);
    ASSERT_EQ(polys.size(), 4u);
    EXPECT_EQ(polys[0]->color, 2);
    EXPECT_EQ(polys[1]->color, 3);
    EXPECT_EQ(polys[2]->color, 5);
    EXPECT_EQ(polys[3]->color, 1);
    ASSERT_EQ(polys[0]->points.size(), 3u);
    EXPECT_EQ(polys[0]->points[1], (DrawVertex{10, 0, 0, 0}));
    EXPECT_EQ(polys[0]->points[2], (DrawVertex{10, 5, 0, 0}));
    if (std::string(GetParam()) == "R12") {
        EXPECT_EQ(polys[0]->points[0], (DrawVertex{0, 0, 1, 1}));
    }
    ASSERT_EQ(polys[1]->points.size(), 2u);
    EXPECT_EQ(polys[1]->points[1], (DrawVertex{-5, -5, 0, 0}));
    ASSERT_EQ(polys[2]->points.size(), 4u);
    EXPECT_EQ(polys[2]->points[3], (DrawVertex{8, 2, 0, 0}));
    // Lines: colour 6 dotted, then one "by layer" on a layer of colour 1.
    const DrawEntity* dotted = findKind(d, DrawEntityKind::Line, 0);
    ASSERT_NE(dotted, nullptr);
    EXPECT_EQ(dotted->color, 6);
    EXPECT_EQ(dotted->lineType, "DOT");
    const DrawEntity* byLayer = findKind(d, DrawEntityKind::Line, 1);
    ASSERT_NE(byLayer, nullptr);
    EXPECT_EQ(byLayer->color, 1);
    EXPECT_EQ(byLayer->points[1], (DrawVertex{0, 7, 0, 0}));
    const DrawEntity* circle = findKind(d, DrawEntityKind::Circle);
    ASSERT_NE(circle, nullptr);
    EXPECT_EQ(circle->color, 4);
    EXPECT_FLOAT_EQ(circle->radius, 2.0f);
    const DrawEntity* text = findKind(d, DrawEntityKind::Text);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text, "滑面线 A");
    EXPECT_EQ(text->color, 7);
    EXPECT_NEAR(text->angle, 30.0f, 1e-4);
    EXPECT_FLOAT_EQ(text->height, 2.5f);
    EXPECT_EQ(text->points[0], (DrawVertex{2, 3, 0, 0}));
    // The block "MARK" exploded at (100, 50), doubled, in the insert's colour 3.
    const DrawEntity* mark = findKind(d, DrawEntityKind::Line, 2);
    ASSERT_NE(mark, nullptr);
    EXPECT_EQ(mark->color, 3);
    EXPECT_EQ(mark->points[0], (DrawVertex{100, 50, 0, 0}));
    EXPECT_EQ(mark->points[1], (DrawVertex{102, 50, 0, 0}));
}

INSTANTIATE_TEST_SUITE_P(Versions, EzdxfWrittenFile, ::testing::Values("R12", "R2000"));

TEST(DrawingDxf, UnreadableFilesFailCleanlyAndLeaveTheDrawingAsItWas) {
    TempDir dir;
    writeBytes(dir.file("garbage.dxf"), "this is not a drawing\n\x01\x02\xff\n");
    writeBytes(dir.file("empty.dxf"), "");
    writeBytes(dir.file("codes.dxf"), "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\nabc\n");
    writeBytes(dir.file("binary.dxf"), std::string("AutoCAD Binary DXF\r\n\x1a\0", 22));
    DXF d = sampleDrawing();
    size_t before = d.entities().size();
    EXPECT_EQ(d.Read_FileDxf_To_Mem(dir.file("missing.dxf")), 0);
    EXPECT_EQ(d.Read_FileDxf_To_Mem(dir.path()), 0);
    EXPECT_EQ(d.Read_FileDxf_To_Mem(dir.file("garbage.dxf")), 0);
    EXPECT_EQ(d.Read_FileDxf_To_Mem(dir.file("empty.dxf")), 0);
    EXPECT_EQ(d.Read_FileDxf_To_Mem(dir.file("binary.dxf")), 0);
    EXPECT_EQ(d.entities().size(), before);
    // A truncated section is read as far as it goes, or refused; never a crash.
    int truncated = d.Read_FileDxf_To_Mem(dir.file("codes.dxf"));
    EXPECT_TRUE(truncated == 0 || truncated == 1);
}

TEST(DrawingDxf, WritingIntoAMissingDirectoryFails) {
    TempDir dir;
    DXF d = sampleDrawing();
    EXPECT_EQ(d.Write_MemDxf_To_File(dir.file("no/such/dir/a.dxf")), 0);
}

namespace {

// An R12 file by hand: block "B" holds a line and inserts itself in a 100 × 100
// array; the model space inserts it once.
std::string selfInsertingBlock() {
    return "0\nSECTION\n2\nBLOCKS\n"
           "0\nBLOCK\n8\n0\n2\nB\n70\n0\n10\n0\n20\n0\n30\n0\n"
           "0\nLINE\n8\n0\n10\n0\n20\n0\n30\n0\n11\n1\n21\n0\n31\n0\n"
           "0\nINSERT\n8\n0\n2\nB\n10\n0\n20\n0\n30\n0\n70\n100\n71\n100\n44\n1\n45\n1\n"
           "0\nENDBLK\n8\n0\n"
           "0\nENDSEC\n"
           "0\nSECTION\n2\nENTITIES\n"
           "0\nINSERT\n8\n0\n2\nB\n10\n0\n20\n0\n30\n0\n"
           "0\nINSERT\n8\n0\n2\nNOSUCHBLOCK\n10\n0\n20\n0\n30\n0\n"
           "0\nVERTEX\n8\n0\n10\n1\n20\n1\n30\n0\n"
           "0\nSEQEND\n8\n0\n"
           "0\nENDSEC\n0\nEOF\n";
}

}  // namespace

TEST(DrawingDxf, BlocksThatMultiplyWithoutEndAreRefused) {
    TempDir dir;
    writeBytes(dir.file("bomb.dxf"), selfInsertingBlock());
    DXF d = sampleDrawing();
    EXPECT_EQ(d.Read_FileDxf_To_Mem(dir.file("bomb.dxf")), 0);
    EXPECT_EQ(d.entities().size(), 6u);
}

TEST(DrawingDxf, InsertsOfMissingBlocksAndStrayVerticesAreSkipped) {
    TempDir dir;
    std::string text = selfInsertingBlock();
    // Without the array the block nests 16 deep and stops: 17 lines.
    size_t at = text.find("70\n100\n71\n100\n");
    text.replace(at, 14, "");
    writeBytes(dir.file("nested.dxf"), text);
    DXF d;
    ASSERT_EQ(d.Read_FileDxf_To_Mem(dir.file("nested.dxf")), 1);
    EXPECT_EQ(d.entities().size(), 17u);
    for (const DrawEntity& e : d.entities()) EXPECT_EQ(e.kind, DrawEntityKind::Line);
}
