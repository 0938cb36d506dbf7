#include "project/DxfImport.h"

#include "data/CSlideCalcData.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

std::string drawing(const std::string& name) {
    return TALVOR_TEST_DATA "/dxf/" + name;
}

// Count, start and the first n segments (dx, dy) of line 0 (slip), 1 (slope) or 2 (water).
std::vector<float> line(const CSlideCalcData& d, int which, size_t n) {
    const float head[3][3] = {{float(d.slipCount)},
                              {float(d.slopeCount), d.slopeX0},
                              {float(d.waterCount), d.waterX0, d.waterY0}};
    std::vector<float> v(head[which], head[which] + which + 1);
    const auto& s = which == 0 ? d.slip : which == 1 ? d.slope : d.water;
    for (size_t i = 0; i < n; ++i) v.insert(v.end(), {s[i].dx, s[i].dy});
    return v;
}

}  // namespace

// Each line as its count, start and segments; a line not drawn stays as it was.
TEST(DxfImport, LinesAreFoundByColourScaledAndMeasuredFromTheStartOfTheSlipSurface) {
    const struct {
        const char* drawing;
        const char* unit;
        std::vector<float> lines[3];
    } cases[] = {
        {"section_m.dxf", "m", {{2, 10, -2, 10, -1}, {2, -5, 5, 2, 20, 2}, {1, 2, -1, 16, 1.5f}}},
        {"section_mm.dxf", "mm", {{2, 10, -2, 10, -1}, {2, -5, 5, 2, 20, 2}, {1, 2, -1, 16, 1.5f}}},
        {"shifted_m.dxf", "m", {{2, 10, -2, 10, -1}, {1, -5, 25, 4}, {1, 2, -1, 16, 1.5f}}},
        {"water_only_m.dxf", "m", {{}, {}, {2, 3, 2, 7, 2, 2, 0.5f}}},  // from the origin
        // The last polyline of a colour wins; the first one's later segments stay.
        {"two_slips_m.dxf", "m", {{1, 3, -1, 1, 1}, {}, {}}},
        {"lwpolyline_r2000_m.dxf", "m", {{2, 10, -2, 10, -1}, {}, {}}},
        // A newer release in millimetres: lightweight and heavy 2D polylines.
        {"section_r2000_mm.dxf",
         "mm",
         {{2, 10, -2, 10, -1}, {2, -5, 5, 2, 20, 2}, {1, 2, -1, 16, 1.5f}}},
        // A yellow polyline drawn by its yellow layer is ignored; a green one is the slope.
        {"by_layer_m.dxf", "m", {{}, {2, 0, 10, 2, 10, 6}, {}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.drawing);
        CSlideCalcData record;
        RecordingSinks sinks;
        float k = 0;
        ASSERT_TRUE(ParseDrawingUnit(c.unit, &k));
        DxfImportSummary s = ImportSectionLines(record, drawing(c.drawing), k, sinks);
        EXPECT_TRUE(s.readable && sinks.messages.empty());
        const bool found[3] = {s.slip, s.slope, s.water};
        for (int w = 0; w < 3; ++w) {
            const std::vector<float>& want = c.lines[w];
            EXPECT_EQ(found[w], !want.empty()) << w;
            EXPECT_TRUE(!want.empty() || line(record, w, 100) == line(CSlideCalcData(), w, 100))
                << w;
            std::vector<float> got = line(record, w, want.empty() ? 0 : (want.size() - w - 1) / 2);
            for (size_t i = 0; i < want.size(); ++i)
                EXPECT_NEAR(got[i], want[i], k < 1 ? 1e-5f : 0) << w << " " << i;
        }
    }
}

TEST(DxfImport, OnlyTheGeometryOfTheLinesChanges) {
    auto edit = [](CSlideCalcData& r) {
        r.slip[0].c = 12.5f;
        r.slip[1].phi = 17.0f;
        r.slope[0].loadCount = 2;
        r.slip[2].dx = 7.0f;  // beyond the new count: kept
    };
    CSlideCalcData record, want;
    edit(record);
    RecordingSinks sinks;
    ImportSectionLines(record, drawing("section_m.dxf"), 1.0f, sinks);
    ImportSectionLines(want, drawing("section_m.dxf"), 1.0f, sinks);
    edit(want);
    EXPECT_TRUE(record == want);
}

TEST(DxfImport, UnitsAreNamedOrGivenAsAFactor) {
    const std::pair<const char*, float> good[] = {
        {"m", 1}, {"cm", 0.01f}, {"0.3048", 0.3048f}, {"0", 0}};
    float k = -1;
    for (auto [text, want] : good) EXPECT_TRUE(ParseDrawingUnit(text, &k) && k == want) << text;
    for (const char* bad : {"km", "-1", "2000000", "", "nan", "其他单位"})
        EXPECT_FALSE(ParseDrawingUnit(bad, &k)) << bad;
}

// The preview's account: the scan leaves the record alone, tells each line's
// segments and why polylines were passed over, and taking it over is the import.
TEST(DxfImport, AScanTellsWhatWasFoundAndIgnoredBeforeAnythingChanges) {
    const struct {
        const char* drawing;
        std::vector<std::string> text;
    } cases[] = {
        {"section_m.dxf",
         {"滑面线(黄色)：2 段", "坡面线(绿色)：2 段", "水面线(蓝色)：1 段",
          "忽略 1 "
          "条颜色为“随层”(ByLayer)"
          "的多义线：程序只认线本身的颜色，请在CAD中把线的颜色直接设为黄色、绿色或蓝色。",
          "忽略 1 条其他颜色的多义线。"}},
        {"by_layer_m.dxf",
         {"滑面线(黄色)：未找到，原数据不变", "坡面线(绿色)：2 段",
          "水面线(蓝色)：未找到，原数据不变",
          "忽略 1 条颜色为“随层”(ByLayer)的多义线，其中 1 "
          "条在黄、绿或蓝色的图层上：程序只认线本身的颜色，请在CAD中把线的颜色直接设为黄色、绿色或"
          "蓝色。"}},
        {"two_slips_m.dxf",
         {"滑面线(黄色)：1 段（图中有 2 条此颜色的多义线，取最后一条）",
          "坡面线(绿色)：未找到，原数据不变", "水面线(蓝色)：未找到，原数据不变"}},
        {"long_slip_m.dxf",
         {"滑面线(黄色)：100 段（多义线有 151 个顶点，只取前 100 段）",
          "坡面线(绿色)：未找到，原数据不变", "水面线(蓝色)：未找到，原数据不变"}},
        {"no_lines.dxf",
         {"滑面线(黄色)：未找到，原数据不变", "坡面线(绿色)：未找到，原数据不变",
          "水面线(蓝色)：未找到，原数据不变", "忽略 1 条其他颜色的多义线。",
          "图中没有黄色、绿色或蓝色的多义线，数据不会改变。"}},
        {"not_a_drawing.dxf", {"读取DXF失败，请保存为R12版本的DXF再试!"}},
        {"missing.dxf", {"读取DXF失败，请保存为R12版本的DXF再试!"}},
        {"make_drawings.py", {"读取DXF失败，请保存为R12版本的DXF再试!"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.drawing);
        CSlideCalcData record, imported;
        record.slip[0].c = 3.0f;
        imported = record;
        DxfSectionScan scan = ScanSectionLines(record, drawing(c.drawing), 1.0f);
        EXPECT_EQ(DescribeSectionScan(scan), c.text);
        RecordingSinks sinks;
        const DxfImportSummary s = ImportSectionLines(imported, drawing(c.drawing), 1.0f, sinks);
        // Nothing found, nothing changed; only a file that is no drawing is told.
        EXPECT_EQ(imported == record, !s.anyLine());
        EXPECT_EQ(sinks.messages, s.readable ? std::vector<std::string>{} : c.text);
        CSlideCalcData taken = record;
        TakeSectionLines(taken, scan);
        EXPECT_TRUE(taken == imported);
        EXPECT_TRUE(scan.result == imported);
    }
}

// A drawing of 100,000 vertices is read and cut to the 100 segments a line holds.
TEST(DxfImport, AHugePolylineIsReadAndCut) {
    std::string path = testing::TempDir() + "/huge.dxf";
    {
        std::ofstream out(path, std::ios::binary);
        out << "0\nSECTION\n2\nENTITIES\n0\nPOLYLINE\n8\n0\n62\n2\n66\n1\n";
        for (int i = 0; i < 100000; ++i)
            out << "0\nVERTEX\n8\n0\n10\n" << i << "\n20\n" << -(i % 7) << "\n";
        out << "0\nSEQEND\n0\nENDSEC\n0\nEOF\n";
    }
    DxfSectionScan scan = ScanSectionLines(CSlideCalcData(), path, 1.0f);
    EXPECT_EQ(scan.line(SectionLine::Slip).vertices, 100000);
    EXPECT_EQ(scan.result.slipCount, 100);
    EXPECT_FLOAT_EQ(scan.result.slip[99].dy, -1.0f);  // from y -1 to y -2
}
