#include "project/DxfImport.h"

#include "data/CSlideCalcData.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

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

TEST(DxfImport, APolylineOfMoreThan101VerticesGivesOnlyHundredSegments) {
    CSlideCalcData record;
    RecordingSinks sinks;
    ImportSectionLines(record, drawing("long_slip_m.dxf"), 1.0f, sinks);
    ASSERT_EQ(record.slipCount, 100);
    EXPECT_FLOAT_EQ(record.slip[99].dx, 1.0f);
    EXPECT_NEAR(record.slip[99].dy, -0.1f, 1e-5f);
}

TEST(DxfImport, DrawingsWithoutLinesChangeNothingAndNonDrawingsSaySo) {
    for (const char* name :
         {"no_lines.dxf", "not_a_drawing.dxf", "missing.dxf", "make_drawings.py"}) {
        SCOPED_TRACE(name);
        CSlideCalcData record;
        RecordingSinks sinks;
        DxfImportSummary s = ImportSectionLines(record, drawing(name), 1.0f, sinks);
        const bool readable = name == std::string("no_lines.dxf");
        EXPECT_EQ(s.readable, readable);
        EXPECT_FALSE(s.anyLine());
        EXPECT_EQ(sinks.messages,
                  readable ? std::vector<std::string>{}
                           : std::vector<std::string>{"读取DXF失败，请保存为R12版本的DXF再试!"});
        EXPECT_TRUE(record == CSlideCalcData());
    }
}

TEST(DxfImport, UnitsAreNamedOrGivenAsAFactor) {
    const std::pair<const char*, float> good[] = {
        {"m", 1}, {"cm", 0.01f}, {"0.3048", 0.3048f}, {"0", 0}};
    float k = -1;
    for (auto [text, want] : good) EXPECT_TRUE(ParseDrawingUnit(text, &k) && k == want) << text;
    for (const char* bad : {"km", "-1", "2000000", "", "nan", "其他单位"})
        EXPECT_FALSE(ParseDrawingUnit(bad, &k)) << bad;
}
