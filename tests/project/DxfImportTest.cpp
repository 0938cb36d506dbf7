#include "project/DxfImport.h"

#include "data/CSlideCalcData.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

std::string drawing(const std::string& name) {
    return TALVOR_TEST_DATA "/dxf/" + name;
}

using Segments = std::array<CLineSeg, CSlideCalcData::kMaxSegments>;

// A line as numbers: its count and start, then dx, dy of its first n segments.
std::vector<float> line(std::vector<float> head, const Segments& s, size_t n) {
    for (size_t i = 0; i < n; ++i) head.insert(head.end(), {s[i].dx, s[i].dy});
    return head;
}
std::vector<float> slipOf(const CSlideCalcData& d, size_t n) {
    return line({float(d.slipCount)}, d.slip, n);
}
std::vector<float> slopeOf(const CSlideCalcData& d, size_t n) {
    return line({float(d.slopeCount), d.slopeX0}, d.slope, n);
}
std::vector<float> waterOf(const CSlideCalcData& d, size_t n) {
    return line({float(d.waterCount), d.waterX0, d.waterY0}, d.water, n);
}

// An empty expectation: the line was not drawn and stays as it was.
void expectLine(std::vector<float> (*of)(const CSlideCalcData&, size_t), size_t head,
                const CSlideCalcData& got, const std::vector<float>& want, float tolerance) {
    if (want.empty()) {
        EXPECT_EQ(of(got, 100), of(CSlideCalcData(), 100));
        return;
    }
    std::vector<float> v = of(got, (want.size() - head) / 2);
    for (size_t i = 0; i < v.size(); ++i) {
        if (tolerance > 0)
            EXPECT_NEAR(v[i], want[i], tolerance) << i;
        else
            EXPECT_FLOAT_EQ(v[i], want[i]) << i;
    }
}

}  // namespace

TEST(DxfImport, LinesAreFoundByColourScaledAndMeasuredFromTheStartOfTheSlipSurface) {
    const struct {
        const char* drawing;
        const char* unit;
        std::vector<float> slip;   // count, then dx, dy of each segment
        std::vector<float> slope;  // count, x0, segments
        std::vector<float> water;  // count, x0, y0, segments
    } cases[] = {
        {"section_m.dxf", "m", {2, 10, -2, 10, -1}, {2, -5, 5, 2, 20, 2}, {1, 2, -1, 16, 1.5f}},
        {"section_mm.dxf", "mm", {2, 10, -2, 10, -1}, {2, -5, 5, 2, 20, 2}, {1, 2, -1, 16, 1.5f}},
        {"shifted_m.dxf", "m", {2, 10, -2, 10, -1}, {1, -5, 25, 4}, {1, 2, -1, 16, 1.5f}},
        // A water line alone is measured from the origin.
        {"water_only_m.dxf", "m", {}, {}, {2, 3, 2, 7, 2, 2, 0.5f}},
        // The last polyline of a colour wins; the first one's later segments stay.
        {"two_slips_m.dxf", "m", {1, 3, -1, 1, 1}, {}, {}},
        {"lwpolyline_r2000_m.dxf", "m", {2, 10, -2, 10, -1}, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.drawing);
        CSlideCalcData record;
        RecordingSinks sinks;
        float k = 0;
        ASSERT_TRUE(ParseDrawingUnit(c.unit, &k));
        DxfImportSummary s = ImportSectionLines(record, drawing(c.drawing), k, sinks);
        EXPECT_TRUE(s.readable && sinks.messages.empty());
        EXPECT_EQ((std::vector<bool>{s.slip, s.slope, s.water}),
                  (std::vector<bool>{!c.slip.empty(), !c.slope.empty(), !c.water.empty()}));
        const float tolerance = k < 1 ? 1e-5f : 0;
        expectLine(slipOf, 1, record, c.slip, tolerance);
        expectLine(slopeOf, 2, record, c.slope, tolerance);
        expectLine(waterOf, 3, record, c.water, tolerance);
    }
}

TEST(DxfImport, OnlyTheGeometryOfTheLinesChanges) {
    CSlideCalcData record;
    record.slip[0].c = 12.5f;
    record.slip[1].phi = 17.0f;
    record.slope[0].loadCount = 2;
    record.slip[2].dx = 7.0f;  // beyond the new count: kept
    CSlideCalcData want = record;
    RecordingSinks sinks;
    ImportSectionLines(record, drawing("section_m.dxf"), 1.0f, sinks);
    EXPECT_FLOAT_EQ(record.slip[2].dx, 7.0f);
    // With the imported geometry copied over, nothing else may differ.
    std::tie(want.slipCount, want.slopeCount, want.waterCount) =
        std::tie(record.slipCount, record.slopeCount, record.waterCount);
    std::tie(want.slopeX0, want.waterX0, want.waterY0) =
        std::tie(record.slopeX0, record.waterX0, record.waterY0);
    for (int i = 0; i < CSlideCalcData::kMaxSegments; ++i) {
        for (auto [w, r] : {std::pair{&want.slip[i], &record.slip[i]},
                            {&want.slope[i], &record.slope[i]},
                            {&want.water[i], &record.water[i]}})
            std::tie(w->dx, w->dy) = std::tie(r->dx, r->dy);
    }
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
    for (auto [text, want] : good) {
        float k = -1;
        EXPECT_TRUE(ParseDrawingUnit(text, &k)) << text;
        EXPECT_FLOAT_EQ(k, want) << text;
    }
    float k = 0;
    for (const char* bad : {"km", "-1", "2000000", "", "nan", "其他单位"})
        EXPECT_FALSE(ParseDrawingUnit(bad, &k)) << bad;
}

TEST(DxfImport, InstructionsEndWithTheQuestion) {
    std::string text = DxfImportInstructions();
    EXPECT_EQ(text.rfind("注意：\n\n\n", 0), 0u);
    EXPECT_NE(text.find("yellow(黄色)"), std::string::npos);
    EXPECT_TRUE(text.ends_with("是否现在就读入？\n"));
}
