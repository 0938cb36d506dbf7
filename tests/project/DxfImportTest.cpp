#include "project/DxfImport.h"

#include "data/CSlideCalcData.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

std::string drawing(const char* name) {
    return std::string(TALVOR_TEST_DATA "/dxf/") + name;
}

DxfImportSummary import(CSlideCalcData& record, const char* name, float k, RecordingSinks& sinks) {
    return ImportSectionLines(record, drawing(name), k, sinks);
}

}  // namespace

TEST(DxfImport, SectionInMetresGivesTheSegmentsAndStarts) {
    CSlideCalcData record;
    RecordingSinks sinks;
    DxfImportSummary s = import(record, "section_m.dxf", 1.0f, sinks);
    EXPECT_TRUE(s.readable && s.slip && s.slope && s.water);
    EXPECT_TRUE(sinks.messages.empty());
    ASSERT_EQ(record.slipCount, 2);
    EXPECT_FLOAT_EQ(record.slip[0].dx, 10.0f);
    EXPECT_FLOAT_EQ(record.slip[0].dy, -2.0f);
    EXPECT_FLOAT_EQ(record.slip[1].dx, 10.0f);
    EXPECT_FLOAT_EQ(record.slip[1].dy, -1.0f);
    ASSERT_EQ(record.slopeCount, 2);
    EXPECT_FLOAT_EQ(record.slopeX0, -5.0f);
    EXPECT_FLOAT_EQ(record.slope[0].dx, 5.0f);
    EXPECT_FLOAT_EQ(record.slope[0].dy, 2.0f);
    ASSERT_EQ(record.waterCount, 1);
    EXPECT_FLOAT_EQ(record.water[0].dx, 16.0f);
    EXPECT_FLOAT_EQ(record.water[0].dy, 1.5f);
    EXPECT_FLOAT_EQ(record.waterX0, 2.0f);
    EXPECT_FLOAT_EQ(record.waterY0, -1.0f);
}

TEST(DxfImport, OnlyTheGeometryOfTheLinesChanges) {
    CSlideCalcData record;
    record.slip[0].c = 12.5f;
    record.slip[1].phi = 17.0f;
    record.slope[0].loadCount = 2;
    record.slip[2].dx = 7.0f;  // beyond the new count: kept
    CSlideCalcData before = record;
    RecordingSinks sinks;
    import(record, "section_m.dxf", 1.0f, sinks);
    EXPECT_FLOAT_EQ(record.slip[0].c, 12.5f);
    EXPECT_FLOAT_EQ(record.slip[1].phi, 17.0f);
    EXPECT_EQ(record.slope[0].loadCount, 2);
    EXPECT_FLOAT_EQ(record.slip[2].dx, 7.0f);
    EXPECT_EQ(record.gamma, before.gamma);
    EXPECT_EQ(record.pileKinds, before.pileKinds);
}

TEST(DxfImport, SameDrawingInMillimetresGivesTheSameSegments) {
    CSlideCalcData metres, millimetres;
    RecordingSinks sinks;
    import(metres, "section_m.dxf", 1.0f, sinks);
    float mm = 0.0f;
    ASSERT_TRUE(ParseDrawingUnit("mm", &mm));
    import(millimetres, "section_mm.dxf", mm, sinks);
    ASSERT_EQ(millimetres.slipCount, 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_NEAR(millimetres.slip[i].dx, metres.slip[i].dx, 1e-5f);
        EXPECT_NEAR(millimetres.slip[i].dy, metres.slip[i].dy, 1e-5f);
        EXPECT_NEAR(millimetres.slope[i].dx, metres.slope[i].dx, 1e-5f);
    }
    EXPECT_NEAR(millimetres.slopeX0, -5.0f, 1e-5f);
    EXPECT_NEAR(millimetres.waterX0, 2.0f, 1e-5f);
    EXPECT_NEAR(millimetres.waterY0, -1.0f, 1e-5f);
}

TEST(DxfImport, StartsAreMeasuredFromTheSlipSurface) {
    CSlideCalcData record;
    RecordingSinks sinks;
    import(record, "shifted_m.dxf", 1.0f, sinks);
    EXPECT_FLOAT_EQ(record.slopeX0, -5.0f);
    EXPECT_FLOAT_EQ(record.waterX0, 2.0f);
    EXPECT_FLOAT_EQ(record.waterY0, -1.0f);
}

TEST(DxfImport, WaterLineAloneIsMeasuredFromTheOrigin) {
    CSlideCalcData record;
    CSlideCalcData before = record;
    RecordingSinks sinks;
    DxfImportSummary s = import(record, "water_only_m.dxf", 1.0f, sinks);
    EXPECT_TRUE(s.water);
    EXPECT_FALSE(s.slip || s.slope);
    EXPECT_EQ(record.slipCount, before.slipCount);
    EXPECT_EQ(record.slip, before.slip);
    EXPECT_EQ(record.slope, before.slope);
    EXPECT_EQ(record.slopeX0, before.slopeX0);
    EXPECT_EQ(record.waterCount, 2);
    EXPECT_FLOAT_EQ(record.waterX0, 3.0f);
    EXPECT_FLOAT_EQ(record.waterY0, 2.0f);
}

TEST(DxfImport, TheLastPolylineOfAColourWins) {
    CSlideCalcData record;
    RecordingSinks sinks;
    import(record, "two_slips_m.dxf", 1.0f, sinks);
    ASSERT_EQ(record.slipCount, 1);
    EXPECT_FLOAT_EQ(record.slip[0].dx, 3.0f);
    EXPECT_FLOAT_EQ(record.slip[0].dy, -1.0f);
    // The first polyline's later segments stay in the array beyond the count.
    EXPECT_FLOAT_EQ(record.slip[1].dx, 1.0f);
    EXPECT_FLOAT_EQ(record.slip[1].dy, 1.0f);
}

TEST(DxfImport, APolylineOfMoreThan101VerticesGivesOnlyHundredSegments) {
    CSlideCalcData record;
    RecordingSinks sinks;
    import(record, "long_slip_m.dxf", 1.0f, sinks);
    ASSERT_EQ(record.slipCount, 100);
    EXPECT_FLOAT_EQ(record.slip[99].dx, 1.0f);
    EXPECT_NEAR(record.slip[99].dy, -0.1f, 1e-5f);
}

TEST(DxfImport, DrawingWithoutColouredPolylinesChangesNothing) {
    CSlideCalcData record;
    CSlideCalcData before = record;
    RecordingSinks sinks;
    DxfImportSummary s = import(record, "no_lines.dxf", 1.0f, sinks);
    EXPECT_TRUE(s.readable);
    EXPECT_FALSE(s.anyLine());
    EXPECT_TRUE(record == before);
    EXPECT_TRUE(sinks.messages.empty());
}

TEST(DxfImport, NonDrawingFilesGiveTheFailureMessageAndAnUnchangedRecord) {
    for (const char* name : {"not_a_drawing.dxf", "missing.dxf", "make_drawings.py"}) {
        CSlideCalcData record;
        CSlideCalcData before = record;
        RecordingSinks sinks;
        DxfImportSummary s = import(record, name, 1.0f, sinks);
        EXPECT_FALSE(s.readable) << name;
        ASSERT_EQ(sinks.messages.size(), 1u) << name;
        EXPECT_EQ(sinks.messages[0], "读取DXF失败，请保存为R12版本的DXF再试!");
        EXPECT_TRUE(record == before) << name;
    }
}

TEST(DxfImport, NewerReleasesWithLightweightPolylinesAreReadToo) {
    CSlideCalcData record;
    RecordingSinks sinks;
    DxfImportSummary s = import(record, "lwpolyline_r2000_m.dxf", 1.0f, sinks);
    ASSERT_TRUE(s.slip);
    ASSERT_EQ(record.slipCount, 2);
    EXPECT_FLOAT_EQ(record.slip[1].dy, -1.0f);
}

TEST(DxfImport, UnitsAreNamedOrGivenAsAFactor) {
    float k = 0.0f;
    EXPECT_TRUE(ParseDrawingUnit("m", &k));
    EXPECT_FLOAT_EQ(k, 1.0f);
    EXPECT_TRUE(ParseDrawingUnit("cm", &k));
    EXPECT_FLOAT_EQ(k, 0.01f);
    EXPECT_TRUE(ParseDrawingUnit("0.3048", &k));
    EXPECT_FLOAT_EQ(k, 0.3048f);
    EXPECT_TRUE(ParseDrawingUnit("0", &k));
    EXPECT_FALSE(ParseDrawingUnit("km", &k));
    EXPECT_FALSE(ParseDrawingUnit("-1", &k));
    EXPECT_FALSE(ParseDrawingUnit("2000000", &k));
    EXPECT_FALSE(ParseDrawingUnit("", &k));
    EXPECT_FALSE(ParseDrawingUnit("nan", &k));
    EXPECT_FALSE(ParseDrawingUnit("其他单位", &k));
}

TEST(DxfImport, InstructionsEndWithTheQuestion) {
    std::string text = DxfImportInstructions();
    EXPECT_EQ(text.rfind("注意：\n\n\n", 0), 0u);
    EXPECT_NE(text.find("yellow(黄色)"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - std::string("是否现在就读入？\n").size()),
              "是否现在就读入？\n");
}
