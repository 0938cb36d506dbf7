#include "data/CSlideCalcData.h"
#include "project/DxfImport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

// A minimal R12 drawing: layer "SLIP" is yellow; one polyline lies on it "by
// layer" (colour 256), one green polyline carries its colour itself.
std::string drawing() {
    auto polyline = [](const char* layer, int colour, const char* vertices) {
        return std::string("0\nPOLYLINE\n8\n") + layer + "\n62\n" + std::to_string(colour) +
               "\n66\n1\n10\n0.0\n20\n0.0\n30\n0.0\n" + vertices + "0\nSEQEND\n8\n" + layer + "\n";
    };
    auto vertex = [](const char* x, const char* y) {
        return std::string("0\nVERTEX\n8\n0\n10\n") + x + "\n20\n" + y + "\n30\n0.0\n";
    };
    std::string v = vertex("0", "0") + vertex("10", "2") + vertex("20", "8");
    return "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1009\n0\nENDSEC\n"
           "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n70\n1\n"
           "0\nLAYER\n2\nSLIP\n70\n0\n62\n2\n6\nCONTINUOUS\n0\nENDTAB\n0\nENDSEC\n"
           "0\nSECTION\n2\nENTITIES\n" +
           polyline("SLIP", 256, v.c_str()) + polyline("0", 3, v.c_str()) + "0\nENDSEC\n0\nEOF\n";
}

}  // namespace

TEST(DxfImportColour, LinesDrawnByLayerAreIgnoredWhateverTheLayerColour) {
    TempDir dir;
    writeBytes(dir.file("s.dxf"), drawing());
    CSlideCalcData record;
    const CSlideCalcData before = record;
    RecordingSinks sinks;
    DxfImportSummary found = ImportSectionLines(record, dir.file("s.dxf"), 1.0f, sinks);
    ASSERT_TRUE(found.readable);
    EXPECT_FALSE(found.slip);
    EXPECT_TRUE(found.slope);
    EXPECT_EQ(record.slip, before.slip);
    EXPECT_EQ(record.slopeCount, 2);
    EXPECT_EQ(record.slope[1].dx, 10.0f);
    EXPECT_EQ(record.slope[1].dy, 6.0f);
}
